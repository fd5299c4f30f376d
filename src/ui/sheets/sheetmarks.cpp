#include "ui/sheets/sheetmarks.h"

#include "core/look/look.h"

#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace SheetMarksPaint {

QPen Pen(const QColor &colour, qreal width)
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


// Points spread evenly along a line, one per step and at least one, none at
// its ends (where the next piece's marks would crowd them).
std::vector<QPointF> Along(QPointF a, QPointF b, qreal step)
{
    const qreal length = std::hypot(b.x() - a.x(), b.y() - a.y());
    const int n = std::max(1, static_cast<int>(std::lround(length / std::max(step, 1.0))));
    std::vector<QPointF> out;
    for (int k = 0; k < n; ++k)
        out.push_back(a + (b - a) * ((k + 0.5) / n));
    return out;
}

void PaintRight(QPainter &p, QPointF a, QPointF b, const MarkInk &ink)
{
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Pen(ink.edge, RightEdgeWidth));
    p.drawLine(a, b);
    p.setPen(Pen(ink.stroke, RightCoreWidth));
    p.drawLine(a, b);
}

// Gaps show what lies under the stroke, so an extra line reads as broken.
void PaintExtra(QPainter &p, QPointF a, QPointF b, const MarkInk &ink, const MarkSize &size)
{
    p.setRenderHint(QPainter::Antialiasing, false);
    QPen dashes(ink.stroke, LineWidth, Qt::CustomDashLine, Qt::FlatCap);
    dashes.setDashPattern({3, 2});
    p.setPen(dashes);
    p.drawLine(a, b);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Pen(ink.edge, 2));
    const qreal c = size.cross;
    for (const QPointF &m : Along(a, b, size.step)) {
        p.drawLine(m + QPointF(-c, -c), m + QPointF(c, c));
        p.drawLine(m + QPointF(-c, c), m + QPointF(c, -c));
    }
}

// The true line itself is already there in its own colour: only the rings go on.
void PaintMissingRings(QPainter &p, QPointF a, QPointF b, const MarkInk &ink, const MarkSize &size)
{
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(ink.truth, 1.5));
    p.setBrush(ink.ringFill);
    for (const QPointF &m : Along(a, b, size.step))
        p.drawEllipse(m, size.ring, size.ring);
    p.setBrush(Qt::NoBrush);
}

void PaintHint(QPainter &p, QPointF a, QPointF b, qreal band, const QColor &wash, const QColor &core)
{
    p.setRenderHint(QPainter::Antialiasing, true);
    QColor seeThrough = wash;
    seeThrough.setAlpha(qRound(HintOpacity * 255));
    p.setPen(Pen(seeThrough, band));
    p.drawLine(a, b);
    p.setPen(QPen(core, 2, Qt::DotLine, Qt::RoundCap));
    p.drawLine(a, b);
}

void PaintMarginText(QPainter &p, const QRect &margin, QFont font, int pixels, int smallest, int maxWidth,
                     const QString &text, const QColor &colour, Qt::Alignment align)
{
    for (int px = std::min(pixels, margin.height()); px >= smallest; --px) {
        font.setPixelSize(px);
        if (QFontMetrics(font).horizontalAdvance(text) > maxWidth)
            continue;
        p.setFont(font);
        p.setPen(colour);
        p.drawText(margin, align | Qt::AlignVCenter, text);
        return;
    }
}

std::optional<Piece> PieceNear(const SheetClassification &c, const SheetLattice &lattice, QPointF at, qreal reach)
{
    const auto pixel = [&](SamplePoint s) {
        return QPointF(s.col * qreal(lattice.CellWidth) / SamplePoint::Unit, s.row * qreal(lattice.CellHeight) / SamplePoint::Unit);
    };
    for (const std::vector<Piece> *pieces : {&c.missing, &c.parts})
        for (const Piece &piece : *pieces) {
            const QPointF a = pixel(piece.from);
            const QPointF d = pixel(piece.to) - a;
            const qreal length2 = QPointF::dotProduct(d, d);
            const qreal t = length2 > 0 ? std::clamp(QPointF::dotProduct(at - a, d) / length2, 0.0, 1.0) : 0.0;
            const QPointF gap = at - (a + t * d);
            if (QPointF::dotProduct(gap, gap) <= reach * reach)
                return piece;
        }
    return std::nullopt;
}

} // namespace SheetMarksPaint
