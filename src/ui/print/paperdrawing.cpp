#include "ui/print/paperdrawing.h"

#include "ui/sheets/sheetwidget.h"

#include "core/view3d/camera.h"
#include "core/view3d/viewprojection.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

const QColor Ink(0, 0, 0);
const QColor FrameGrey(150, 150, 150);
const QColor AxisGrey(95, 95, 95);
const QColor EdgeGrey(185, 185, 185);
const QColor DotGrey(120, 120, 120);

// Figure axes of each sheet, horizontal then vertical, as the game's sheets
// show them: X shows (x, y), Y shows (x, z), Z shows (y, z).
constexpr int AxesOf[3][2] = {{0, 1}, {0, 2}, {1, 2}};
constexpr char AxisLetters[] = "xyz";

QPen LinePen(const QColor &colour, double width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A filled disk; the pen is left as it was for the lines around it.
void FillDot(QPainter &p, QPointF at, double radius, const QColor &colour)
{
    const QPen pen = p.pen();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(at, radius, radius);
    p.setBrush(Qt::NoBrush);
    p.setPen(pen);
}

// An axis: a line with an arrowhead at `to` and the axis letter beyond it,
// in italics.
void DrawAxis(QPainter &p, const Paper &paper, QPointF from, QPointF to, int axis)
{
    const QPointF d = to - from;
    const double length = std::hypot(d.x(), d.y());
    if (length <= 0)
        return;
    const QPointF along = d / length;
    const QPointF across(-along.y(), along.x());
    const double head = paper(1.5);
    p.setPen(LinePen(AxisGrey, paper(0.35)));
    p.drawLine(from, to);
    p.drawLine(to, to - along * head + across * head / 2);
    p.drawLine(to, to - along * head - across * head / 2);

    QFont font = Paper::Font(9);
    font.setItalic(true);
    p.setFont(font);
    const QPointF letter = to + along * paper(2.8);
    const double half = paper(2.5);
    p.drawText(QRectF(letter.x() - half, letter.y() - half, 2 * half, 2 * half), Qt::AlignCenter,
               QString(QLatin1Char(AxisLetters[axis])));
}

// The edges of the frame that stand for the axes: they leave the corner
// (-10, -10, -10) along x, y and z.
struct AxisEdge {
    int entry;
    int axis;
};
constexpr AxisEdge AxisEdges[] = {{1, 0}, {4, 1}, {8, 2}};

// The picture's strip, left of the cube, for the axes as the picture shows
// them: labels at the frame's own edges would sit on the walk.
constexpr double AxesStrip = 16.0;

} // namespace

QFont Paper::Font(double points, bool bold)
{
    QFont font = QGuiApplication::font();
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

void DrawFittedText(QPainter &p, const QRectF &box, const QString &text, QFont font, int flags)
{
    const double smallest = font.pointSizeF() / 3;
    for (;;) {
        const QFontMetricsF metrics(font, p.device());
        const bool fits = metrics.horizontalAdvance(text) <= box.width() && metrics.height() <= box.height() * 1.2;
        if (fits || font.pointSizeF() * 0.9 < smallest) {
            p.setFont(font);
            p.drawText(box, flags, metrics.elidedText(text, Qt::ElideRight, box.width()));
            return;
        }
        font.setPointSizeF(font.pointSizeF() * 0.9);
    }
}

void DrawFigurePicture(QPainter &p, const Paper &paper, const QRectF &box, const Figure &figure)
{
    // The 3D view's own projection of its start camera, into a square of an
    // arbitrary side; the cube's corners then say how to fit it to the box.
    Camera camera;
    camera.Reset();
    constexpr float Side = 1000.0f;
    const ViewProjection view(camera, camera.Zoom, Side, Side);
    double left = 1e9, right = -1e9, top = 1e9, bottom = -1e9;
    for (const float x : {-10.0f, 10.0f})
        for (const float y : {-10.0f, 10.0f})
            for (const float z : {-10.0f, 10.0f}) {
                const ScreenPoint s = view.Project(Point3{x, y, z});
                left = std::min(left, double{s.x});
                right = std::max(right, double{s.x});
                top = std::min(top, double{s.y});
                bottom = std::max(bottom, double{s.y});
            }
    const QRectF cube = box.adjusted(paper(AxesStrip), 0, 0, 0);
    const double margin = paper(2);
    const double scale = std::max(0.0, std::min((cube.width() - 2 * margin) / (right - left),
                                                (cube.height() - 2 * margin) / (bottom - top)));
    const QPointF centre = cube.center();
    auto at = [&](const Point3 &point) {
        const ScreenPoint s = view.Project(point);
        return QPointF(centre.x() + (s.x - (left + right) / 2) * scale,
                       centre.y() + (s.y - (top + bottom) / 2) * scale);
    };
    auto entry = [&](int i) { return figure.entry[static_cast<std::size_t>(i)]; };

    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(LinePen(FrameGrey, paper(0.3)));
    for (int i = 1; i < Figure::FrameEntries; ++i)
        p.drawLine(at(entry(i).start), at(entry(i).end));
    p.setPen(LinePen(AxisGrey, paper(0.5)));
    for (const AxisEdge &a : AxisEdges)
        p.drawLine(at(entry(a.entry).start), at(entry(a.entry).end));

    // Thin enough that the long walks of the high levels stay apart.
    p.setPen(LinePen(Ink, paper(0.6)));
    for (int i = Figure::FirstShown; i <= figure.LastShown(); ++i)
        p.drawLine(at(entry(i).start), at(entry(i).end));
    if (figure.LastShown() >= Figure::FirstShown)
        FillDot(p, at(entry(Figure::FirstShown).end), paper(1.1), Ink);

    // Each axis drawn from one point in the direction its edge leaves the
    // corner in the picture.
    const QPointF corner = at(entry(AxisEdges[0].entry).start);
    const QPointF origin(box.left() + paper(7), box.bottom() - paper(9));
    for (const AxisEdge &a : AxisEdges) {
        const QPointF d = at(entry(a.entry).end) - corner;
        const double length = std::hypot(d.x(), d.y());
        if (length > 0)
            DrawAxis(p, paper, origin, origin + d / length * paper(6), a.axis);
    }
    p.restore();
}

void DrawPaperSheet(QPainter &p, const Paper &paper, const QRectF &box, Sheet sheet, const SegmentList *truth)
{
    const double labelHeight = std::min(paper(5.5), box.height() / 8);
    const double side = std::max(0.0, std::min(box.width(), box.height() - labelHeight));
    const QRectF square(box.left() + (box.width() - side) / 2, box.top() + labelHeight, side, side);
    // The lattice is one cell in from each edge, as on the game's sheets.
    const double cell = side / (GridSteps + 2);
    auto at = [&](double col, double row) { return QPointF(square.left() + col * cell, square.top() + row * cell); };

    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Ink);
    // The sheet widget's own words, so the translation is shared.
    const QString name = QCoreApplication::translate("SheetWidget", "Sheet %1: %2")
                             .arg(QString(QLatin1Char("XYZ"[SheetIndex(sheet)])), SheetWidget::viewpoint(sheet));
    DrawFittedText(p, QRectF(square.left(), box.top(), side, labelHeight), name, Paper::Font(8.5),
                   Qt::AlignLeft | Qt::AlignVCenter);

    p.setPen(LinePen(EdgeGrey, paper(0.25)));
    p.drawRect(square);

    // The axes run just outside the lattice, left and below, as in the game,
    // and point the way their coordinate grows.
    const int *axes = AxesOf[SheetIndex(sheet)];
    const double offset = cell * 0.25;
    const QPointF lowLeft = at(LatticeMin, LatticeMax) + QPointF(-offset, offset);
    DrawAxis(p, paper, lowLeft, at(LatticeMin, LatticeMin - 0.3) - QPointF(offset, 0), axes[1]);
    DrawAxis(p, paper, lowLeft, at(LatticeMax + 0.3, LatticeMax) + QPointF(0, offset), axes[0]);

    const double dot = std::clamp(cell * 0.06, paper(0.35), paper(0.7));
    for (int col = LatticeMin; col <= LatticeMax; ++col)
        for (int row = LatticeMin; row <= LatticeMax; ++row)
            FillDot(p, at(col, row), dot, Ink);

    if (truth) {
        p.setPen(LinePen(Ink, paper(0.7)));
        for (const Stroke &s : *truth) {
            if (s.IsEmpty() || !s.IsOnLattice())
                continue;
            if (s.Start() == s.End())
                FillDot(p, at(s.StartCol, s.StartRow), paper(0.8), Ink);
            else
                p.drawLine(at(s.StartCol, s.StartRow), at(s.EndCol, s.EndRow));
        }
    }
    p.restore();
}

void DrawIsometricDots(QPainter &p, const Paper &paper, const QRectF &box)
{
    const double spacing = paper(6);
    const double rowStep = spacing * std::sqrt(3.0) / 2;
    const QRectF inner = box.adjusted(paper(3), paper(3), -paper(3), -paper(3));
    if (inner.width() <= 0 || inner.height() <= 0)
        return;
    const int rows = static_cast<int>(inner.height() / rowStep) + 1;
    const int columns = static_cast<int>(inner.width() / spacing) + 1;
    const double top = inner.top() + (inner.height() - (rows - 1) * rowStep) / 2;
    const double left = inner.left() + (inner.width() - (columns - 1) * spacing) / 2;
    const double radius = paper(0.3);
    // One path for all the dots: a few hundred shapes each drawn alone would
    // each carry their own pen and brush into the PDF.
    QPainterPath dots;
    for (int r = 0; r < rows; ++r) {
        const double shift = r % 2 ? spacing / 2 : 0.0;
        for (int c = 0; c < columns; ++c) {
            const double x = left + c * spacing + shift;
            if (x > inner.right() + radius)
                break;
            dots.addEllipse(QPointF(x, top + r * rowStep), radius, radius);
        }
    }
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(LinePen(EdgeGrey, paper(0.25)));
    p.drawRect(box);
    p.fillPath(dots, DotGrey);
    p.restore();
}
