#include "ui/view3d/figureview.h"

#include <algorithm>

#include "core/figure/figure.h"

#include <QMouseEvent>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QPainter>
#include <QSurfaceFormat>
#include <QWheelEvent>

#include <GL/gl.h>
#include <GL/glu.h>

namespace {

struct Rgb {
    GLfloat r, g, b;
};
constexpr Rgb BackgroundColour{0.1f, 0.5f, 0.75f};
constexpr Rgb FrameColour{0.7f, 0.75f, 0.75f};
constexpr Rgb WalkColour{0.2f, 0.25f, 0.75f};

// The edges that leave the corner (-10, -10, -10) stand for the axes, in the
// sheets' colours for x, y and z; they are drawn over the frame in this order.
struct AxisEdge {
    int entry;
    Rgb colour;
};
constexpr AxisEdge AxisEdges[] = {
    {4, {0.5f, 0.9f, 0.9f}},
    {8, {0.9f, 0.9f, 0.5f}},
    {1, {0.9f, 0.5f, 0.9f}},
};

// The axis edges and the walk are drawn this much wider than the frame so the
// walk stands out.
constexpr int ExtraWidth = 5;

void DrawEntry(const FigureSegment &s, const Rgb &c)
{
    glBegin(GL_LINE_STRIP);
    glColor3f(c.r, c.g, c.b);
    glVertex3f(s.start.x, s.start.y, s.start.z);
    glVertex3f(s.end.x, s.end.y, s.end.z);
    glEnd();
}

} // namespace

FigureView::FigureView(const Figure &figure, QWidget *parent) : QWidget(parent), m_figure(figure)
{
    setObjectName(QStringLiteral("view3d"));
    setAccessibleName(tr("The figure in 3D"));
    setAccessibleDescription(tr("Drag to turn it, the wheel zooms; X, Y and Z show it as the sheets do, R returns to "
                                "the start view."));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::OpenHandCursor);

    m_fade.setDuration(AnimationMs);
    m_fade.setStartValue(1.0);
    m_fade.setEndValue(0.0);
    connect(&m_fade, &QVariantAnimation::valueChanged, this, [this] { update(); });
    connect(&m_fade, &QVariantAnimation::finished, this, [this] {
        m_fadeFrom = QImage();
        update();
    });
    m_zoomGlide.setDuration(AnimationMs);
    m_zoomGlide.setEasingCurve(QEasingCurve::OutCubic);
    connect(&m_zoomGlide, &QVariantAnimation::valueChanged, this, [this](const QVariant &zoom) {
        m_shownZoom = zoom.toFloat();
        update();
    });
    // The glide ends on the camera's own zoom, not on an interpolated value a
    // rounding away from it.
    connect(&m_zoomGlide, &QVariantAnimation::finished, this, [this] {
        m_shownZoom = m_camera.Zoom;
        update();
    });
}

void FigureView::ResetCamera()
{
    m_fade.stop();
    m_zoomGlide.stop();
    m_fadeFrom = QImage();
    m_wheelRest = 0;
    m_camera.Reset();
    m_shownZoom = m_camera.Zoom;
    update();
}

void FigureView::showView(ViewMode mode)
{
    const Camera before = m_camera;
    m_camera.Show(mode);
    if (m_camera.Mode == before.Mode && m_camera.eye == before.eye && m_camera.up == before.up &&
        m_camera.Zoom == before.Zoom)
        return;
    m_zoomGlide.stop();
    m_shownZoom = m_camera.Zoom;
    startFade();
    update();
}

void FigureView::zoomBy(int wheelSteps)
{
    if (!m_camera.ZoomBy(wheelSteps))
        return;
    m_zoomGlide.stop();
    if (isVisible()) {
        m_zoomGlide.setStartValue(m_shownZoom);
        m_zoomGlide.setEndValue(m_camera.Zoom);
        m_zoomGlide.start();
    } else {
        m_shownZoom = m_camera.Zoom;
    }
    update();
}

bool FigureView::isAnimating() const
{
    return m_fade.state() == QAbstractAnimation::Running || m_zoomGlide.state() == QAbstractAnimation::Running;
}

void FigureView::startFade()
{
    if (!isVisible() || m_lastPicture.isNull())
        return;
    // A change during a fade fades out what is on screen now, half-faded
    // picture and all, so nothing jumps.
    QImage from = m_lastPicture;
    if (!m_fadeFrom.isNull()) {
        QPainter p(&from);
        p.setOpacity(m_fade.currentValue().toReal());
        p.drawImage(0, 0, m_fadeFrom);
    }
    m_fadeFrom = from;
    m_fade.stop();
    m_fade.start();
}

void FigureView::UseDefaultSurfaceFormat()
{
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setVersion(2, 1);
    QSurfaceFormat::setDefaultFormat(format);
}

FigureView::~FigureView()
{
    // The framebuffer goes while its context is current.
    if (m_context && m_fbo && m_context->makeCurrent(m_surface.get())) {
        m_fbo.reset();
        m_context->doneCurrent();
    }
}

QImage FigureView::render()
{
    if (m_glFailed)
        return {};
    if (!m_context) {
        m_surface = std::make_unique<QOffscreenSurface>();
        m_surface->setFormat(QSurfaceFormat::defaultFormat());
        m_surface->create();
        m_context = std::make_unique<QOpenGLContext>();
        m_context->setFormat(QSurfaceFormat::defaultFormat());
        if (!m_context->create() || !m_context->makeCurrent(m_surface.get())) {
            qWarning("trivisto: OpenGL is not available; the 3D view stays empty");
            m_glFailed = true;
            return {};
        }
        initializeGL();
    } else if (!m_context->makeCurrent(m_surface.get())) {
        return {};
    }
    const QSize size = (QSizeF(this->size()) * devicePixelRatioF()).toSize().expandedTo(QSize(1, 1));
    if (!m_fbo || m_fbo->size() != size)
        m_fbo = std::make_unique<QOpenGLFramebufferObject>(size);
    m_fbo->bind();
    paintGL();
    QImage picture = m_fbo->toImage();
    m_fbo->release();
    m_context->doneCurrent();
    picture.setDevicePixelRatio(devicePixelRatioF());
    return picture;
}

QImage FigureView::grabFramebuffer()
{
    return render();
}

void FigureView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QImage picture = render();
    if (picture.isNull()) {
        p.fillRect(rect(), QColor::fromRgbF(BackgroundColour.r, BackgroundColour.g, BackgroundColour.b));
    } else {
        p.drawImage(0, 0, picture);
        m_lastPicture = picture;
    }
    if (!m_fadeFrom.isNull()) {
        p.setOpacity(m_fade.currentValue().toReal());
        p.drawImage(0, 0, m_fadeFrom);
    }
}

void FigureView::initializeGL()
{
    glDisable(GL_DEPTH_TEST);
    // Smoothing only shows when each line's edge coverage is blended over
    // what lies beneath; the line's core stays its own colour.
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void FigureView::paintGL()
{
    const int side = static_cast<int>(width() * devicePixelRatioF());
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, side, side);
    glViewport(0, 0, side, side);
    glClearColor(BackgroundColour.r, BackgroundColour.g, BackgroundColour.b, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    if (m_camera.Orthographic()) {
        const GLdouble h = Camera::HalfSideAt(m_shownZoom);
        glOrtho(-h, h, -h, h, Camera::Near, Camera::Far);
    } else {
        gluPerspective(Camera::FieldOfViewAt(m_shownZoom), Camera::Aspect, Camera::Near, Camera::Far);
    }
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const auto &eye = m_camera.eye;
    const auto &up = m_camera.up;
    gluLookAt(eye[0], eye[1], eye[2], 0.0, 0.0, 0.0, up[0], up[1], up[2]);

    glDisable(GL_LINE_STIPPLE);
    // Smoothed lines, not a multisampled framebuffer: on software OpenGL
    // (llvmpipe, 4 samples at most) a 540x540 drag frame took 3 to 8 ms with
    // 4 samples and their resolve, over the 4 ms a drag frame may take, and
    // 1 to 1.5 ms smoothed.
    glEnable(GL_LINE_SMOOTH);
    // The picture's own alpha stays 1: the widget composes it with that alpha,
    // so the view stays opaque.
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
    glPushMatrix();

    // Widths are counted in pixels at 100 %: a screen at 200 % draws each
    // line with twice the device pixels, so it looks as wide as it did.
    const auto scale = static_cast<GLfloat>(devicePixelRatioF());
    glLineWidth(static_cast<GLfloat>(m_camera.LineWidth) * scale);
    for (int i = 1; i <= 10; ++i)
        DrawEntry(m_figure.entry[static_cast<std::size_t>(i)], FrameColour);

    glLineWidth(static_cast<GLfloat>(m_camera.LineWidth + ExtraWidth) * scale);
    for (const AxisEdge &a : AxisEdges)
        DrawEntry(m_figure.entry[static_cast<std::size_t>(a.entry)], a.colour);
    for (int i = Figure::FirstShown; i <= m_figure.LastShown(); ++i)
        DrawEntry(m_figure.entry[static_cast<std::size_t>(i)], WalkColour);

    glPopMatrix();
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
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
    CameraPress(mapTo(window(), event->position().toPoint()));
}

void FigureView::mouseMoveEvent(QMouseEvent *event)
{
    CameraMove(mapTo(window(), event->position().toPoint()));
}

void FigureView::mouseReleaseEvent(QMouseEvent *)
{
    setCursor(Qt::OpenHandCursor);
    CameraRelease();
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
