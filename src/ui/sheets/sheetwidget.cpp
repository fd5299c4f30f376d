#include "ui/sheets/sheetwidget.h"

#include "ui/app/applook.h"
#include "ui/sheets/sheetaccessible.h"
#include "ui/sheets/sheetmarks.h"

#include "core/sheets/linking.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

#include <algorithm>
#include <cmath>

using namespace SheetMarksPaint;

namespace {

constexpr int DotWidth = 2;
constexpr int SmallestFont = 6;

// Figure axes of each sheet, horizontal then vertical: X shows (x, y),
// Y shows (x, z), Z shows (y, z).
constexpr int AxesOf[3][2] = {{0, 1}, {0, 2}, {1, 2}};

} // namespace

SheetWidget::SheetWidget(Sheet sheet, SheetInput &input, const SegmentList &truth, const SheetLattice &lattice,
                         QWidget *parent)
    : QWidget(parent), m_sheet(sheet), m_input(input), m_truth(truth), m_lattice(lattice)
{
    static const char *names[3] = {"sheetX", "sheetY", "sheetZ"};
    setObjectName(QString::fromLatin1(names[SheetIndex(sheet)]));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::CrossCursor);
    switch (sheet) {
    case Sheet::X: setAccessibleName(tr("Sheet X, from the front: x to the right, y up")); break;
    case Sheet::Y: setAccessibleName(tr("Sheet Y, from below: x to the right, z up")); break;
    case Sheet::Z: setAccessibleName(tr("Sheet Z, from the right, on its side: y to the right, z up")); break;
    }
    describe();
}

QString SheetWidget::viewpoint(Sheet sheet)
{
    switch (sheet) {
    case Sheet::X: return tr("from the front");
    case Sheet::Y: return tr("from below");
    case Sheet::Z: return tr("from the right, on its side");
    }
    return {};
}

void SheetWidget::setNameShown(bool shown)
{
    if (shown == m_nameShown)
        return;
    m_nameShown = shown;
    update();
}

void SheetWidget::setMarks(const SheetMarks &marks)
{
    m_marks = marks;
    if (!m_marks.revealed)
        linkPiece(std::nullopt);  // a new turn: nothing stays lit
    describe();
    SheetAccessible::Follow(this);
    update();
}

void SheetWidget::setSafePalette(bool safe)
{
    if (safe == m_safePalette)
        return;
    m_safePalette = safe;
    update();
}

void SheetWidget::setScheme(Scheme scheme)
{
    if (scheme == m_scheme)
        return;
    m_scheme = scheme;
    update();
}

QColor SheetWidget::truthColour() const
{
    return ToQColor(markColours().truth);
}

QColor SheetWidget::strokeColour() const
{
    return ToQColor(markColours().stroke);
}

MarkInk SheetWidget::markInk() const
{
    const MarkColours &m = markColours();
    return {ToQColor(m.stroke), ToQColor(m.edge), ToQColor(m.truth), ToQColor(colours().ringFill)};
}

void SheetWidget::describe()
{
    QString text = input().TakesStrokes()
                       ? tr("Draw a line by clicking, or pressing Space, at its start and again at its end. "
                            "The arrow keys move the keyboard cursor.")
                       : tr("This view of the figure is given: build the figure in the 3D view so that it looks "
                            "like this from here.");
    if (!m_marks.mistake.isEmpty())
        text += QLatin1Char(' ') + m_marks.mistake + QLatin1Char('.');
    if (m_marks.revealed)
        text += QLatin1Char(' ') + tr("Checked: right %1, extra %2, missing %3 sample points.")
                                       .arg(m_marks.revealed->RightCount)
                                       .arg(m_marks.revealed->ExtraCount)
                                       .arg(m_marks.revealed->MissingCount);
    setAccessibleDescription(text);
}

QString SheetWidget::legend() const
{
    const QString stroke = m_safePalette ? tr("blue") : tr("green");
    const QString truth = m_safePalette ? tr("orange") : tr("red");
    return tr("Right: thick %1 line with a dark edge, drawn on the true projection.\n"
              "Extra: dashed %1 line with crosses, drawn off it.\n"
              "Missing: %2 line with light rings, true but not drawn.\n"
              "The numbers below count sample points.")
        .arg(stroke, truth);
}

const SheetClassification *SheetWidget::shownClassification() const
{
    if (input().IsRevealed())
        return m_marks.revealed ? &*m_marks.revealed : nullptr;
    return m_marks.peek ? &*m_marks.peek : nullptr;
}

int SheetWidget::lastShownSlot() const
{
    // The build exercise's sheets hide the built figure's projection until a
    // peek or a Check.
    const bool views = !input().TakesStrokes();
    return !views || input().IsRevealed() || shownClassification() ? input().Strokes().LastUsedSlot() : 0;
}

QPoint SheetWidget::pixel(LatticePoint l) const
{
    const PixelPoint p = m_lattice.Pixel(l);
    return {p.x, p.y};
}

QPoint SheetWidget::startPixel() const
{
    return pixel(input().PendingStart());
}

int SheetWidget::markRadius() const
{
    return std::clamp(std::min(m_lattice.CellWidth, m_lattice.CellHeight) / 8, 3, 8);
}

std::optional<QRect> SheetWidget::snapMarkRect() const
{
    return m_snap ? std::optional<QRect>(markRect(*m_snap)) : std::nullopt;
}

QRect SheetWidget::markRect(LatticePoint l) const
{
    const int r = markRadius() + 6;
    const QPoint c = pixel(l);
    return QRect(c.x() - r, c.y() - r, 2 * r + 1, 2 * r + 1);
}

bool SheetWidget::cursorShown() const
{
    // After a Check the cursor points at pieces, to light them in the 3D view.
    return hasFocus() && m_keysInUse && (input().TakesStrokes() || input().IsRevealed());
}

void SheetWidget::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const SheetColours &look = colours();
    p.fillRect(rect(), ToQColor(look.background));

    const int cw = m_lattice.CellWidth;
    const int ch = m_lattice.CellHeight;

    p.setPen(Pen(ToQColor(look.dot), DotWidth));
    for (int col = LatticeMin; col <= LatticeMax; ++col)
        for (int row = LatticeMin; row <= LatticeMax; ++row)
            p.drawPoint(col * cw, row * ch);

    const int *axes = AxesOf[SheetIndex(m_sheet)];
    p.setPen(Pen(ToQColor(look.axes[static_cast<std::size_t>(axes[1])]), LineWidth));
    p.drawLine(cw - 2, ch, cw - 2, LatticeMax * ch);
    p.setPen(Pen(ToQColor(look.axes[static_cast<std::size_t>(axes[0])]), LineWidth));
    p.drawLine(cw, LatticeMax * ch + 2, LatticeMax * cw, LatticeMax * ch + 2);

    const SheetInput &in = input();
    // A sheet that takes no strokes shows the views to build from; the
    // built figure's projection shows only under a peek and after Check.
    const bool views = !in.TakesStrokes();
    if (in.IsRevealed() || views) {
        p.setPen(Pen(truthColour(), LineWidth));
        // Only the walk's slots are filled; its start point shows as a dot.
        for (const Stroke &s : m_truth)
            if (!s.IsEmpty())
                DrawLine(p, pixel(s.Start()), pixel(s.End()));
    }

    // Strokes with pieces are drawn piece by piece in their styles below.
    const SheetClassification *classified = shownClassification();
    p.setPen(Pen(strokeColour(), LineWidth));
    const SheetStrokes &strokes = in.Strokes();
    for (int slot = 1; slot <= lastShownSlot(); ++slot) {
        const Stroke &s = strokes[slot];
        if (!s.IsEmpty() && !(classified && !classified->PartsOf(slot).empty()))
            DrawLine(p, pixel(s.Start()), pixel(s.End()));
    }
    if (classified)
        paintPieces(p, *classified, in.IsRevealed());

    if (!in.IsRevealed())
        for (const Stroke &h : m_marks.hints)
            PaintHint(p, pixel(h.Start()), pixel(h.End()), std::max(9, std::min(cw, ch) / 4), ToQColor(look.hint),
                      ToQColor(look.hintCore));

    p.setRenderHint(QPainter::Antialiasing, true);
    const int r = markRadius();
    if (m_snap && in.AcceptsInput()) {
        p.setPen(QPen(ToQColor(look.snap), 1.5));
        p.drawEllipse(QPointF(pixel(*m_snap)), r, r);
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    const QColor focusColour = palette().color(QPalette::Highlight);
    if (cursorShown()) {
        p.setPen(QPen(focusColour, 2));
        const QPoint c = pixel(m_cursor);
        p.drawRect(c.x() - r - 3, c.y() - r - 3, 2 * (r + 3), 2 * (r + 3));
    }

    if (rubberBandShown()) {
        p.setCompositionMode(QPainter::RasterOp_NotDestination);
        p.setPen(Pen(Qt::black, LineWidth));
        DrawLine(p, startPixel(), m_rubberEnd);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }

    if (hasFocus()) {
        p.setPen(QPen(focusColour, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }

    if (in.IsRevealed() && m_marks.revealed)
        paintCounts(p, *m_marks.revealed);
    if (mistakeShown())
        paintMistake(p);
    if (m_nameShown)
        paintName(p);
}

void SheetWidget::paintName(QPainter &p) const
{
    // The strip above the top row of dots, clear of the snap ring and the
    // focus frame; the counts after a Check have the strip below. A named
    // mistake takes the strip's right half.
    const QRect strip(4, 2, width() - 8, LatticeMin * m_lattice.CellHeight - markRadius() - 5);
    const QString text = tr("Sheet %1: %2").arg(QString(QLatin1Char("XYZ"[SheetIndex(m_sheet)])), viewpoint(m_sheet));
    PaintMarginText(p, strip, font(), QFontInfo(font()).pixelSize() * 4 / 5, SmallestFont,
                    mistakeShown() ? strip.width() * 9 / 20 : strip.width(), text, ToQColor(colours().ink),
                    Qt::AlignLeft);
}

void SheetWidget::paintPieces(QPainter &p, const SheetClassification &c, bool withMissing) const
{
    const qreal cw = m_lattice.CellWidth;
    const qreal ch = m_lattice.CellHeight;
    auto at = [&](SamplePoint s) { return QPointF(s.col * cw / SamplePoint::Unit, s.row * ch / SamplePoint::Unit); };
    MarkSize size;
    size.ring = std::clamp(std::min(cw, ch) / 11, 2.5, 6.0);
    size.cross = std::clamp(std::min(cw, ch) / 12, 2.5, 5.0);
    size.step = std::max(std::min(cw, ch) / 2, 8.0);

    const MarkInk ink = markInk();
    if (withMissing)
        for (const Piece &m : c.missing)
            PaintMissingRings(p, at(m.from), at(m.to), ink, size);
    // A right piece of a single sample (a stroke crossing the truth) stays as
    // its extra neighbours draw it: a dot would claim more than it scored.
    for (const Piece &piece : c.parts)
        if (piece.kind == PieceKind::Extra && piece.from != piece.to)
            PaintExtra(p, at(piece.from), at(piece.to), ink, size);
    for (const Piece &piece : c.parts)
        if (piece.kind == PieceKind::Right && piece.from != piece.to)
            PaintRight(p, at(piece.from), at(piece.to), ink);
    p.setRenderHint(QPainter::Antialiasing, false);
}

void SheetWidget::paintMistake(QPainter &p) const
{
    QFont bold = font();
    bold.setBold(true);
    const QRect margin(4, 2, width() - 8, LatticeMin * m_lattice.CellHeight - markRadius() - 5);
    PaintMarginText(p, margin, bold, QFontInfo(font()).pixelSize(), SmallestFont,
                    margin.width() / (m_nameShown ? 2 : 1), m_marks.mistake, ToQColor(markColours().mistake),
                    Qt::AlignRight);
}

void SheetWidget::paintCounts(QPainter &p, const SheetClassification &c) const
{
    // The strip below the lattice and its axis line.
    const int top = LatticeMax * m_lattice.CellHeight + 2 + LineWidth;
    const QRect strip(0, top, width(), height() - top);
    if (strip.height() < 8)
        return;

    const QString words[3] = {tr("Right %1").arg(c.RightCount), tr("Extra %1").arg(c.ExtraCount),
                              tr("Missing %1").arg(c.MissingCount)};
    const QString separator = QStringLiteral("  \u00b7  ");
    QFont f = font();
    // The widget's font, larger on a large sheet, smaller until the line fits.
    const int fontPx = QFontInfo(font()).pixelSize();
    int px = std::min({strip.height() - 4, std::max(fontPx, strip.height() * 2 / 5), fontPx * 3 / 2});
    int glyph = 0;
    int gap = 0;
    int total = 0;
    for (;; --px) {
        if (px < SmallestFont)
            return;
        f.setPixelSize(px);
        const QFontMetrics fm(f);
        glyph = px * 3 / 2;
        gap = std::max(2, px / 3);
        total = 2 * fm.horizontalAdvance(separator);
        for (const QString &w : words)
            total += glyph + gap + fm.horizontalAdvance(w);
        if (total <= strip.width() - 4)
            break;
    }

    p.setFont(f);
    const QFontMetrics fm(f);
    MarkSize size;
    size.ring = std::max(2.0, px / 4.0);
    size.cross = std::max(2.0, px / 4.0);
    size.step = glyph;
    const MarkInk ink = markInk();
    const int midY = strip.center().y();
    int x = strip.left() + (strip.width() - total) / 2;
    for (int i = 0; i < 3; ++i) {
        const QPointF a(x + 2, midY);
        const QPointF b(x + glyph - 2, midY);
        switch (i) {
        case 0: PaintRight(p, a, b, ink); break;
        case 1: PaintExtra(p, a, b, ink, size); break;
        default:
            p.setRenderHint(QPainter::Antialiasing, false);
            p.setPen(Pen(truthColour(), LineWidth));
            p.drawLine(a, b);
            PaintMissingRings(p, a, b, ink, size);
            break;
        }
        x += glyph + gap;
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(ToQColor(colours().ink));
        const QString text = i < 2 ? words[i] + separator : words[i];
        p.drawText(QRect(x, strip.top(), fm.horizontalAdvance(text) + 1, strip.height()), Qt::AlignVCenter, text);
        x += fm.horizontalAdvance(text);
    }
}

bool SheetWidget::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        if (input().IsRevealed() && m_marks.revealed) {
            QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), legend(), this);
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    return QWidget::event(event);
}
