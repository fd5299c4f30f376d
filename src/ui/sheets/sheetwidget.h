#pragma once

#include "core/look/look.h"
#include "core/sheets/classify.h"
#include "core/sheets/lattice.h"
#include "core/sheets/sheetinput.h"
#include "core/sheets/segmentlist.h"

#include <QColor>
#include <QPoint>
#include <QWidget>

#include <optional>
#include <vector>

namespace SheetMarksPaint {
struct MarkInk;
}

// What the rules want shown over a sheet besides the drawing itself.
struct SheetMarks {
    // After a Check: how each piece of the drawing and of the truth scored.
    // Shown only while the sheet is revealed.
    std::optional<SheetClassification> revealed;
    // Unit steps of the truth offered as hints; shown only while drawing.
    std::vector<Stroke> hints;
    // A short look, before Check, at which strokes are right and which extra
    // (its Missing pieces are never shown: they would give the truth away).
    // Dropped by the sheet as soon as the drawing changes.
    std::optional<SheetClassification> peek;
    // After a Check: the mistake the drawing most likely is, in words, shown
    // in the margin above the lattice.
    QString mistake = {};
};

// One drawing sheet: paints the lattice, the axis lines, the true projection
// once revealed and the player's strokes, and forwards the mouse and the keys
// to the sheet's stroke input. It paints what it is given: the stroke input it
// draws into, the true segments of its sheet and the marks, all owned by the
// rules; it decides nothing about scoring. The rubber band of a begun stroke is
// drawn inverted, so it shows on every colour, and only its bounding box is
// repainted as it moves; the snap mark and the keyboard cursor likewise repaint
// only their own boxes.
//
// Everything added to the plain drawing goes on top of it: with no marks, no
// focus and the pointer elsewhere the sheet looks as it always has. The three
// kinds of piece differ in line style as well as in colour (right: thick with a
// dark edge; extra: dashed with crosses; missing: the true line with light
// rings), so they read without colour too; the colour-blind-safe palette and
// Dark only swap the colours.
class SheetWidget : public QWidget {
    Q_OBJECT
public:
    SheetWidget(Sheet sheet, SheetInput &input, const SegmentList &truth, const SheetLattice &lattice,
                QWidget *parent = nullptr);

    Sheet sheet() const { return m_sheet; }
    // A band stands only while a stroke is begun; dropping the stroke (a new
    // turn, an activation, a Check) takes the band away with it.
    bool rubberBandShown() const { return m_rubberShown && input().StrokeBegun(); }
    // The box the snap mark repaints, while it stands on the sheet.
    std::optional<QRect> snapMarkRect() const;

    // The keyboard cursor back on the top-left dot, where each turn starts it.
    void resetCursor();
    void setMarks(const SheetMarks &marks);
    const SheetMarks &marks() const { return m_marks; }
    void setSafePalette(bool safe);
    bool safePalette() const { return m_safePalette; }
    // Light or Dark: every colour of the sheet comes from the look's table.
    void setScheme(Scheme scheme);
    Scheme scheme() const { return m_scheme; }
    // The sheet's name in the strip above its dots, saying where it sees the
    // figure from. Off by default: the plain sheet stays as it always was.
    void setNameShown(bool shown);
    bool nameShown() const { return m_nameShown; }
    // Where a sheet sees the figure from, as the start view has it (x to the
    // right, y up, z towards the player): "from the front" and so on.
    static QString viewpoint(Sheet sheet);
    // The sheet's colours in the scheme shown, and its marks' in the palette in use.
    const SheetColours &colours() const { return ColoursOf(m_scheme).sheet; }
    const MarkColours &markColours() const { return colours().Marks(m_safePalette); }
    QColor truthColour() const;
    QColor strokeColour() const;

    // What the sheet shows, as a screen reader is told it: the strokes of
    // slots 1..lastShownSlot(), marked as shownClassification() says (none
    // when unmarked), each end at pixel().
    const SheetStrokes &strokes() const { return input().Strokes(); }
    int lastShownSlot() const;
    const SheetClassification *shownClassification() const;
    QPoint pixel(LatticePoint p) const;

Q_SIGNALS:
    // A press or release the sheet took (the cue player listens).
    void pressed();
    void released();
    void strokesChanged();
    // A stroke was finished, by the mouse or the keys; before is the whole
    // store as it was until then, for undo.
    void strokeFinished(const SheetStrokes &before);
    // After a Check: the piece under the pointer or the keyboard's cursor, or
    // none once it leaves it.
    void pieceLinked(std::optional<Piece> piece);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    SheetInput &input() const { return m_input; }
    QPoint startPixel() const;
    QRect bandRect(QPoint end) const;
    QRect markRect(LatticePoint p) const;
    int markRadius() const;
    void moveBand(QPoint end);
    void moveSnapMark(std::optional<LatticePoint> to);

    void moveCursor(LatticePoint to);
    void pressAt(LatticePoint p);
    void releaseAt(LatticePoint p);
    bool cursorShown() const;
    void paintPieces(QPainter &p, const SheetClassification &c, bool withMissing) const;
    void paintCounts(QPainter &p, const SheetClassification &c) const;
    void paintMistake(QPainter &p) const;
    void linkPiece(std::optional<Piece> piece);
    bool mistakeShown() const { return input().IsRevealed() && !m_marks.mistake.isEmpty(); }
    void paintName(QPainter &p) const;
    QString legend() const;
    SheetMarksPaint::MarkInk markInk() const;
    void describe();

    Sheet m_sheet;
    SheetInput &m_input;
    const SegmentList &m_truth;
    const SheetLattice &m_lattice;
    QPoint m_rubberEnd;
    bool m_rubberShown = false;
    SheetMarks m_marks;
    bool m_safePalette = false;
    Scheme m_scheme = Scheme::Light;
    bool m_nameShown = false;
    std::optional<Piece> m_linked;
    std::optional<LatticePoint> m_snap;  // where a click would go, while the pointer is over the sheet
    LatticePoint m_cursor{LatticeMin, LatticeMin};  // the keyboard's lattice cursor
    bool m_keysInUse = false;            // the cursor shows once the keys are used, until the mouse is
};
