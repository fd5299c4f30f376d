#pragma once

#include "sheets/lattice.h"
#include "sheets/sheetinput.h"
#include "sheets/segmentlist.h"

#include <QColor>
#include <QPoint>
#include <QWidget>

// One drawing sheet: paints the lattice, the axis lines, the true projection
// once revealed and the player's strokes, and forwards the mouse to the
// sheet's stroke input. It paints what it is given: the stroke input it draws
// into and the true segments of its sheet, both owned by the rules. The rubber band of a begun stroke is drawn inverted, so
// it shows on every colour, and only its bounding box is repainted as it moves.
class SheetWidget : public QWidget {
    Q_OBJECT
public:
    SheetWidget(Sheet sheet, SheetInput &input, const SegmentList &truth, const SheetLattice &lattice,
                QWidget *parent = nullptr);

    Sheet sheet() const { return m_sheet; }
    // A band stands only while a stroke is begun; dropping the stroke (a new
    // turn, an activation, a Check) takes the band away with it.
    bool rubberBandShown() const { return m_rubberShown && input().StrokeBegun(); }
    QPoint rubberEnd() const { return m_rubberEnd; }

    static const QColor Background;
    static const QColor StrokeColour;
    static const QColor TrueColour;
    static QColor AxisColour(int figureAxis);

Q_SIGNALS:
    // A press or release the sheet took (the cue player listens).
    void pressed();
    void released();
    void strokesChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    SheetInput &input() const { return m_input; }
    QPoint startPixel() const;
    QRect bandRect(QPoint end) const;
    void moveBand(QPoint end);

    Sheet m_sheet;
    SheetInput &m_input;
    const SegmentList &m_truth;
    const SheetLattice &m_lattice;
    QPoint m_rubberEnd;
    bool m_rubberShown = false;
};
