#pragma once

#include "core/view3d/camera.h"

#include <QImage>
#include <QVariantAnimation>
#include <QWidget>

#include <memory>

class QOffscreenSurface;
class QOpenGLContext;
class QOpenGLFramebufferObject;
struct Figure;

// The 3D view of the current figure: a blue square with the grey frame, its
// three axis edges in the sheets' axis colours and the walk in dark blue,
// drawn with fixed-function OpenGL. Dragging with any button turns the camera,
// the wheel zooms, and the sheet views show the figure as a sheet does.
// The view draws into an offscreen framebuffer and paints the picture as an
// ordinary widget, so the main window never needs OpenGL to compose itself:
// a repaint elsewhere in the window (a label, a sheet's rubber band) costs
// only its own pixels, not a composition of the whole screen.
// Changes of view fade over the old picture and wheel zooms glide, both for
// AnimationMs; a reset is instant and ends them.
class FigureView : public QWidget {
    Q_OBJECT
public:
    static constexpr int AnimationMs = 200;

    FigureView(const Figure &figure, QWidget *parent = nullptr);
    ~FigureView() override;

    // The view draws with fixed-function OpenGL: every program that shows it
    // sets this default before the application object exists.
    static void UseDefaultSurfaceFormat();

    // The picture as drawn now (a fresh frame at the zoom shown now, without
    // the fade of an earlier picture), for tests and screenshots.
    QImage grabFramebuffer();

    Camera &camera() { return m_camera; }
    const Camera &camera() const { return m_camera; }
    // The start view at zoom 1, at once.
    void ResetCamera();
    // Animated: ViewMode::Start is the start view at zoom 1, a sheet mode that
    // sheet's flat picture, ViewMode::Dragged back to where the drag left off.
    void showView(ViewMode mode);
    // Positive steps (the wheel turned away from the player) enlarge.
    void zoomBy(int wheelSteps);
    bool isAnimating() const;

    // Mouse handling shared with the strip of the window beside the view;
    // positions are in the window's coordinates so both agree.
    void CameraPress(QPoint windowPos);
    void CameraMove(QPoint windowPos);
    void CameraRelease();
    // The strip of the window (in its coordinates) whose presses turn the
    // camera too: the gap between the view and the control panel. Only
    // presses on the window itself count, not those a control passed on.
    void setWindowStrip(const QRect &strip);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    // Draws a frame into the offscreen framebuffer; a null image when OpenGL
    // is not available.
    QImage render();
    void initializeGL();
    void paintGL();
    // Keeps the picture shown now to fade it out over the next ones.
    void startFade();

    const Figure &m_figure;
    Camera m_camera;
    float m_shownZoom = 1.0f;
    QVariantAnimation m_fade;
    QVariantAnimation m_zoomGlide;
    QImage m_fadeFrom;
    QImage m_lastPicture;
    int m_wheelRest = 0;  // an unfinished notch of a fine-grained wheel
    std::unique_ptr<QOffscreenSurface> m_surface;
    std::unique_ptr<QOpenGLContext> m_context;
    std::unique_ptr<QOpenGLFramebufferObject> m_fbo;
    bool m_glFailed = false;
    QRect m_windowStrip;
};
