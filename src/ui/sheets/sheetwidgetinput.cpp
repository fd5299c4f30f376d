// The sheet's input: the mouse, the keys, the focus, the rubber band and the
// snap mark, and the pieces a checked sheet links to the 3D view.
#include "ui/sheets/sheetwidget.h"

#include "ui/sheets/sheetaccessible.h"
#include "ui/sheets/sheetmarks.h"

#include "core/sheets/linking.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>

using namespace SheetMarksPaint;

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

void SheetWidget::moveSnapMark(std::optional<LatticePoint> to)
{
    if (to == m_snap)
        return;
    if (m_snap)
        update(markRect(*m_snap));
    m_snap = to;
    if (m_snap)
        update(markRect(*m_snap));
}

void SheetWidget::resetCursor()
{
    update(markRect(m_cursor));
    m_cursor = {LatticeMin, LatticeMin};
    update(markRect(m_cursor));
}

void SheetWidget::moveCursor(LatticePoint to)
{
    to.col = std::clamp(to.col, LatticeMin, LatticeMax);
    to.row = std::clamp(to.row, LatticeMin, LatticeMax);
    update(markRect(m_cursor));
    m_cursor = to;
    update(markRect(m_cursor));
    if (input().StrokeBegun())
        moveBand(pixel(m_cursor));
}

void SheetWidget::pressAt(LatticePoint at)
{
    const SheetInput::Press what = input().PressAt(at);
    if (what == SheetInput::Press::Ignored)
        return;
    Q_EMIT pressed();
    if (what == SheetInput::Press::Began) {
        m_rubberShown = false;
        update();
        moveBand(startPixel());
    }
}

void SheetWidget::releaseAt(LatticePoint at)
{
    const SheetStrokes before = input().Strokes();
    const SheetInput::ReleaseResult result = input().ReleaseAt(at);
    if (result.what == SheetInput::Release::Ignored)
        return;
    Q_EMIT released();
    if (result.what == SheetInput::Release::Finished) {
        m_rubberShown = false;
        m_marks.peek.reset();  // it described the drawing as it was
        update();
        Q_EMIT strokeFinished(before);
        Q_EMIT strokesChanged();
        SheetAccessible::Follow(this);
    }
}

void SheetWidget::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    const LatticePoint at = m_lattice.Snap(pos.x(), pos.y());
    // The keyboard carries on from where the mouse was, once it is used.
    if (m_keysInUse)
        update(markRect(m_cursor));
    m_keysInUse = false;
    m_cursor = at;
    pressAt(at);
}

void SheetWidget::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (input().IsRevealed() && m_marks.revealed)
        linkPiece(PieceNear(*m_marks.revealed, m_lattice, event->position(), markRadius() + 2));
    moveSnapMark(input().AcceptsInput() ? std::optional(m_lattice.Snap(pos.x(), pos.y())) : std::nullopt);
    if (input().StrokeBegun())
        moveBand(pos);
}

void SheetWidget::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    releaseAt(m_lattice.Snap(pos.x(), pos.y()));
}

void SheetWidget::leaveEvent(QEvent *event)
{
    moveSnapMark(std::nullopt);
    linkPiece(std::nullopt);
    QWidget::leaveEvent(event);
}

void SheetWidget::keyPressEvent(QKeyEvent *event)
{
    // Tab and Esc belong to the window (focus chain, dropping a stroke).
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        QWidget::keyPressEvent(event);
        return;
    }
    LatticePoint to = m_cursor;
    switch (event->key()) {
    case Qt::Key_Left: --to.col; break;
    case Qt::Key_Right: ++to.col; break;
    case Qt::Key_Up: --to.row; break;
    case Qt::Key_Down: ++to.row; break;
    case Qt::Key_Space:
        // One stroke end per press: a held key must not begin and end strokes.
        if (!event->isAutoRepeat()) {
            m_keysInUse = true;
            update(markRect(m_cursor));
            pressAt(m_cursor);
            releaseAt(m_cursor);
        }
        event->accept();
        return;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    m_keysInUse = true;
    moveCursor(to);
    if (input().IsRevealed() && m_marks.revealed) {
        const Piece *at = PieceAt(*m_marks.revealed, m_cursor);
        linkPiece(at ? std::optional<Piece>(*at) : std::nullopt);
    }
    event->accept();
}

void SheetWidget::linkPiece(std::optional<Piece> piece)
{
    if (piece == m_linked)
        return;
    m_linked = piece;
    Q_EMIT pieceLinked(piece);
}

void SheetWidget::focusInEvent(QFocusEvent *event)
{
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason ||
        event->reason() == Qt::ShortcutFocusReason)
        m_keysInUse = true;
    else if (event->reason() == Qt::MouseFocusReason)
        m_keysInUse = false;
    update();
    QWidget::focusInEvent(event);
}

void SheetWidget::focusOutEvent(QFocusEvent *event)
{
    update();
    QWidget::focusOutEvent(event);
}
