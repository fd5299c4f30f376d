// The view's mouse, wheel, key and focus handling: turning the camera, the
// wheel's zoom steps, and in the build exercise the pointer that leads the
// rubber band, a click's lattice point and the cursor keys.

#include "ui/view3d/figureview.h"

#include "core/turn/game.h"
#include "core/view3d/viewprojection.h"

#include <QKeyEvent>
#include <QLineF>
#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>

LatticePoint3 FigureView::bandEnd(const ViewProjection &view) const
{
    const BuildInput &in = m_game.Builder();
    if (m_keysMovedLast || !m_pointer)
        return in.Cursor();
    return BandEnd(view, in.BegunAt(), static_cast<float>(m_pointer->x()), static_cast<float>(m_pointer->y()));
}

void FigureView::setWindowStrip(const QRect &strip)
{
    if (m_windowStrip.isNull() && window() != this)
        window()->installEventFilter(this);
    m_windowStrip = strip;
}

bool FigureView::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (watched == window() && (type == QEvent::MouseButtonPress || type == QEvent::MouseMove)) {
        const QPoint at = static_cast<QMouseEvent *>(event)->position().toPoint();
        if (type == QEvent::MouseMove)
            CameraMove(at);
        else if (m_windowStrip.contains(at))
            CameraPress(at);
    } else if (watched == window() && type == QEvent::MouseButtonRelease) {
        CameraRelease();
    }
    return QWidget::eventFilter(watched, event);
}

void FigureView::CameraPress(QPoint windowPos)
{
    m_camera.Press(windowPos.x(), windowPos.y());
    update();
}

void FigureView::CameraMove(QPoint windowPos)
{
    // Leaving a sheet view for the perspective is a change of view, faded
    // like the others.
    const bool fromSheet = m_camera.Orthographic();
    if (!m_camera.Move(windowPos.x(), windowPos.y()))
        return;
    if (fromSheet)
        startFade();
    update();
}

void FigureView::CameraRelease()
{
    m_camera.Release();
}

void FigureView::mousePressEvent(QMouseEvent *event)
{
    setCursor(Qt::ClosedHandCursor);
    const QPointF at = event->position();
    if (event->button() == Qt::LeftButton)
        m_leftPress = at;
    if (building()) {
        m_pointer = at;
        m_keysMovedLast = false;
    }
    CameraPress(mapTo(window(), at.toPoint()));
}

void FigureView::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF at = event->position();
    // Once the pointer strayed, the press was the start of a drag, even if
    // the release comes back near it.
    if (m_leftPress && QLineF(*m_leftPress, at).length() > ClickSlop)
        m_leftPress.reset();
    // Qt also sends moves where the pointer stayed (a widget shown under it):
    // those must not take the band back from the keys.
    if (building() && m_pointer != at) {
        m_pointer = at;
        m_keysMovedLast = false;
        const BuildInput &in = m_game.Builder();
        if (in.Begun() && !in.Locked() && m_bandDrawn != bandEnd(projection()))
            update();
    }
    CameraMove(mapTo(window(), at.toPoint()));
}

void FigureView::mouseReleaseEvent(QMouseEvent *event)
{
    setCursor(building() ? Qt::CrossCursor : Qt::OpenHandCursor);
    CameraRelease();
    const QPointF at = event->position();
    const bool left = event->button() == Qt::LeftButton;
    const bool click = left && m_leftPress && QLineF(*m_leftPress, at).length() <= ClickSlop;
    if (left)
        m_leftPress.reset();
    if (!click || !building())
        return;
    // The rules decide what a press at the point does; the view only tells
    // which point the player meant, among those a press could end a segment at.
    const BuildInput &in = m_game.Builder();
    const std::optional<LatticePoint3> through = in.Begun() ? std::optional(in.BegunAt()) : std::nullopt;
    const auto point = PickLatticePoint(projection(), static_cast<float>(at.x()), static_cast<float>(at.y()), through);
    if (point)
        Q_EMIT latticeClicked(*point);
}

void FigureView::keyPressEvent(QKeyEvent *event)
{
    // Keys with Ctrl, Alt, Meta or Shift, and the letters, are the window's.
    constexpr auto Taken = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier | Qt::ShiftModifier;
    if (!building() || (event->modifiers() & Taken)) {
        QWidget::keyPressEvent(event);
        return;
    }
    int axis = 0;
    int step = 0;
    switch (event->key()) {
    case Qt::Key_Left: axis = 0, step = -1; break;
    case Qt::Key_Right: axis = 0, step = 1; break;
    case Qt::Key_Up: axis = 1, step = 1; break;
    case Qt::Key_Down: axis = 1, step = -1; break;
    case Qt::Key_PageUp: axis = 2, step = 1; break;
    case Qt::Key_PageDown: axis = 2, step = -1; break;
    case Qt::Key_Space: break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    // From now on a begun segment's band runs to the cursor.
    if (!m_keysMovedLast) {
        m_keysMovedLast = true;
        update();
    }
    if (step != 0)
        Q_EMIT cursorStep(axis, step);
    else if (!event->isAutoRepeat())  // one press per key press, however long it is held
        Q_EMIT spacePressed();
}

void FigureView::focusInEvent(QFocusEvent *event)
{
    update();
    QWidget::focusInEvent(event);
}

void FigureView::focusOutEvent(QFocusEvent *event)
{
    update();
    QWidget::focusOutEvent(event);
}

void FigureView::wheelEvent(QWheelEvent *event)
{
    // Clamped so that no wheel, however wild its numbers, overflows the sum.
    m_wheelRest += std::clamp(event->angleDelta().y(), -100 * QWheelEvent::DefaultDeltasPerStep,
                              100 * QWheelEvent::DefaultDeltasPerStep);
    const int steps = m_wheelRest / QWheelEvent::DefaultDeltasPerStep;
    m_wheelRest -= steps * QWheelEvent::DefaultDeltasPerStep;
    if (steps != 0)
        zoomBy(steps);
    event->accept();
}
