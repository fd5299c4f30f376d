#include "sheetwidget.h"

#include <QMouseEvent>
#include <QPainter>

const QColor SheetWidget::Background(238, 255, 238);
const QColor SheetWidget::StrokeColour(0, 128, 0);
const QColor SheetWidget::TrueColour(255, 0, 0);

namespace {

constexpr int DotWidth = 2;
constexpr int LineWidth = 3;

// Figure axes of each sheet, horizontal then vertical: X shows (x, y),
// Y shows (x, z), Z shows (y, z).
constexpr int AxesOf[3][2] = {{0, 1}, {0, 2}, {1, 2}};

QPen Pen(const QColor &colour, int width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A line whose ends coincide shows as a dot of the pen's width, centred on
// the point; drawPoint would give a 2x2 square, which looks like a lattice dot.
void DrawLine(QPainter &p, QPoint a, QPoint b)
{
    if (a == b) {
        const int w = p.pen().width();
        p.fillRect(QRect(a.x() - w / 2, a.y() - w / 2, w, w), p.pen().color());
    } else {
        p.drawLine(a, b);
    }
}

} // namespace

QColor SheetWidget::AxisColour(int figureAxis)
{
    static const QColor colours[3] = {QColor(255, 0, 255), QColor(0, 255, 255), QColor(255, 255, 0)};
    return colours[figureAxis];
}

SheetWidget::SheetWidget(Sheet sheet, SheetInput &input, const SegmentList &truth, const SheetLattice &lattice,
                         QWidget *parent)
    : QWidget(parent), m_sheet(sheet), m_input(input), m_truth(truth), m_lattice(lattice)
{
    static const char *names[3] = {"sheetX", "sheetY", "sheetZ"};
    setObjectName(QString::fromLatin1(names[SheetIndex(sheet)]));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::CrossCursor);
}

QPoint SheetWidget::startPixel() const
{
    const PixelPoint p = m_lattice.Pixel(input().PendingStart());
    return {p.x, p.y};
}

void SheetWidget::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Background);

    const int cw = m_lattice.CellWidth;
    const int ch = m_lattice.CellHeight;
    auto pixel = [&](LatticePoint l) { return QPoint(l.col * cw, l.row * ch); };

    p.setPen(Pen(Qt::black, DotWidth));
    for (int col = LatticeMin; col <= LatticeMax; ++col)
        for (int row = LatticeMin; row <= LatticeMax; ++row)
            p.drawPoint(col * cw, row * ch);

    const int *axes = AxesOf[SheetIndex(m_sheet)];
    p.setPen(Pen(AxisColour(axes[1]), LineWidth));
    p.drawLine(cw - 2, ch, cw - 2, LatticeMax * ch);
    p.setPen(Pen(AxisColour(axes[0]), LineWidth));
    p.drawLine(cw, LatticeMax * ch + 2, LatticeMax * cw, LatticeMax * ch + 2);

    const SheetInput &in = input();
    if (in.IsRevealed()) {
        p.setPen(Pen(TrueColour, LineWidth));
        // Only the walk's slots are filled; its start point shows as a dot.
        for (const Stroke &s : m_truth)
            if (!s.IsEmpty())
                DrawLine(p, pixel(s.Start()), pixel(s.End()));
    }

    p.setPen(Pen(StrokeColour, LineWidth));
    const SheetStrokes &strokes = in.Strokes();
    for (int slot = 1; slot <= strokes.LastUsedSlot(); ++slot) {
        const Stroke &s = strokes[slot];
        if (!s.IsEmpty())
            DrawLine(p, pixel(s.Start()), pixel(s.End()));
    }

    if (rubberBandShown()) {
        p.setCompositionMode(QPainter::RasterOp_NotDestination);
        p.setPen(Pen(Qt::black, LineWidth));
        DrawLine(p, startPixel(), m_rubberEnd);
    }
}

QRect SheetWidget::bandRect(QPoint end) const
{
    const int margin = LineWidth + 1;
    return QRect(startPixel(), end).normalized().adjusted(-margin, -margin, margin, margin);
}

void SheetWidget::moveBand(QPoint end)
{
    if (m_rubberShown)
        update(bandRect(m_rubberEnd));
    m_rubberEnd = end;
    m_rubberShown = true;
    update(bandRect(end));
}

void SheetWidget::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    const SheetInput::Press what = input().MousePress(pos.x(), pos.y(), m_lattice);
    if (what == SheetInput::Press::Ignored)
        return;
    Q_EMIT pressed();
    if (what == SheetInput::Press::Began) {
        m_rubberShown = false;
        update();
        moveBand(startPixel());
    }
}

void SheetWidget::mouseMoveEvent(QMouseEvent *event)
{
    if (input().StrokeBegun())
        moveBand(event->position().toPoint());
}

void SheetWidget::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    const SheetInput::ReleaseResult result = input().MouseRelease(pos.x(), pos.y(), m_lattice);
    if (result.what == SheetInput::Release::Ignored)
        return;
    Q_EMIT released();
    if (result.what == SheetInput::Release::Finished) {
        m_rubberShown = false;
        update();
        Q_EMIT strokesChanged();
    }
}
