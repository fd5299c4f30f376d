#include "ui/view3d/figureview.h"

#include "core/figure/figure.h"
#include "core/turn/game.h"
#include "core/view3d/viewprojection.h"
#include "ui/app/applook.h"
#include "ui/view3d/buildscene.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QPainter>
#include <QSurfaceFormat>

#include <algorithm>

#include <GL/gl.h>
#include <GL/glu.h>

namespace {

// The edges that leave the corner (-10, -10, -10) stand for the axes, in
// colours near the sheets' for x, y and z; they are drawn over the frame in
// this order: y, z, x.
struct AxisEdge {
    int entry;
    std::size_t axis;
};
constexpr AxisEdge AxisEdges[] = {{4, 1}, {8, 2}, {1, 0}};

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

FigureView::FigureView(const Game &game, QWidget *parent) : QWidget(parent), m_game(game)
{
    setObjectName(QStringLiteral("view3d"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::OpenHandCursor);
    followExercise();

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

bool FigureView::building() const
{
    return m_game.TurnExercise() == Exercise::Build;
}

ViewProjection FigureView::projection() const
{
    return ViewProjection(m_camera, m_shownZoom, static_cast<float>(width()), static_cast<float>(height()));
}

void FigureView::newTurn()
{
    m_shown = Shown::Both;
    m_keysMovedLast = false;
    m_leftPress.reset();
    followExercise();
    update();
}

void FigureView::setHighlight(std::vector<FigureSegment> segments)
{
    if (segments == m_highlight)
        return;
    m_highlight = std::move(segments);
    update();
}

void FigureView::cycleShownFigure()
{
    if (!building() || !m_game.Checked())
        return;
    m_shown = m_shown == Shown::Both ? Shown::Yours : m_shown == Shown::Yours ? Shown::Generated : Shown::Both;
    describe();
    update();
}

void FigureView::setSafePalette(bool safe)
{
    if (safe == m_safePalette)
        return;
    m_safePalette = safe;
    update();
}

void FigureView::setScheme(Scheme scheme)
{
    if (scheme == m_scheme)
        return;
    m_scheme = scheme;
    update();
}

void FigureView::followExercise()
{
    const bool build = building();
    if (build != m_builtFor) {
        m_builtFor = build;
        // Only the build exercise has keys of its own; in the views exercise
        // the view never takes the focus from a sheet.
        setFocusPolicy(build ? Qt::StrongFocus : Qt::NoFocus);
        if (!build && hasFocus())
            clearFocus();
        // The rubber band follows the pointer without a button held.
        setMouseTracking(build);
        setCursor(build ? Qt::CrossCursor : Qt::OpenHandCursor);
    }
    describe();
}

QString FigureView::shownText() const
{
    switch (m_shown) {
    case Shown::Both: return tr("Both figures: yours and the generated one");
    case Shown::Yours: return tr("Your figure");
    case Shown::Generated: return tr("The generated figure");
    }
    return {};
}

void FigureView::describe()
{
    // Asked at every paint: the texts are made only when what they tell changed.
    const int state = !building() ? 0 : !m_game.Checked() ? 1 : 2 + static_cast<int>(m_shown);
    const int segments = building() ? static_cast<int>(m_game.Built().Segments().size())
                                    : std::max(0, m_game.CurrentFigure().LastShown() - Figure::FirstShown);
    if (state == m_described && segments == m_segmentsDescribed)
        return;
    m_described = state;
    m_segmentsDescribed = segments;
    QString name;
    QString text;
    if (!building()) {
        name = tr("The figure in 3D");
        text = tr("Drag to turn it, the wheel zooms; X, Y and Z show it as the sheets do, R returns to the start "
                  "view.");
    } else {
        name = tr("The figure you build in 3D");
        text = tr("Click a point of the lattice to begin a segment, and a point on one of the axis lines through it "
                  "to end it. The arrow keys and Page Up and Page Down move the cursor, Space presses at it. Drag "
                  "to turn the view, the wheel zooms; X, Y and Z show it as the sheets do, R returns to the start "
                  "view.");
        if (m_game.Checked()) {
            text += QLatin1Char(' ');
            switch (m_shown) {
            case Shown::Both: text += tr("Checked: the generated figure is shown under yours."); break;
            case Shown::Yours: text += tr("Checked: your figure alone is shown."); break;
            case Shown::Generated: text += tr("Checked: the generated figure alone is shown."); break;
            }
            text += QLatin1Char(' ') + tr("G shows both, yours alone or the generated one alone.");
        }
    }
    // Without the picture, the count is how a player knows how big the figure is.
    text += QLatin1Char(' ') + (building() ? tr("Segments built: %1.") : tr("Segments shown: %1.")).arg(segments);
    setAccessibleName(name);
    setAccessibleDescription(text);
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
    // Read straight into the format the widget paints fastest: the picture's
    // alpha is 1 everywhere (paintGL never writes it), so it is opaque RGB32,
    // whose 0xAARRGGBB words are what BGRA in reversed byte order packs, and
    // painting it is a copy, not a blend. OpenGL's rows run bottom to top.
    // Qt's toImage() read RGBA, converted it and flipped it into a copy:
    // three passes over the picture instead of two, in every frame.
    QImage picture(size, QImage::Format_RGB32);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glReadPixels(0, 0, size.width(), size.height(), GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, picture.bits());
    picture.mirror();
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
    followExercise();
    QPainter p(this);
    const QImage picture = render();
    if (picture.isNull()) {
        const Rgb &background = ColoursOf(m_scheme).view.background;
        p.fillRect(rect(), QColor::fromRgbF(background.r, background.g, background.b));
    } else {
        p.drawImage(0, 0, picture);
        m_lastPicture = picture;
    }
    if (!m_fadeFrom.isNull()) {
        p.setOpacity(m_fade.currentValue().toReal());
        p.drawImage(0, 0, m_fadeFrom);
        p.setOpacity(1.0);
    }
    if (hasFocus()) {
        // The sheets' focus frame, with a light line inside it that reads on
        // the blue whatever the highlight colour is.
        const QRectF r = QRectF(rect()).adjusted(1, 1, -1, -1);
        p.setPen(QPen(palette().color(QPalette::Highlight), 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.drawRect(r);
        p.setPen(QPen(Qt::white, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.drawRect(r.adjusted(1.5, 1.5, -1.5, -1.5));
    }
}

void FigureView::initializeGL()
{
    m_pointParameters = m_context->getProcAddress("glPointParameterfv");
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
    const ViewColours &colours = ColoursOf(m_scheme).view;
    glClearColor(colours.background.r, colours.background.g, colours.background.b, 1.0f);
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
    const Figure &figure = m_game.CurrentFigure();
    glLineWidth(static_cast<GLfloat>(m_camera.LineWidth) * scale);
    for (int i = 1; i <= 10; ++i)
        DrawEntry(figure.entry[static_cast<std::size_t>(i)], colours.frame);

    glLineWidth(static_cast<GLfloat>(m_camera.LineWidth + ExtraWidth) * scale);
    for (const AxisEdge &a : AxisEdges)
        DrawEntry(figure.entry[static_cast<std::size_t>(a.entry)], colours.axes[a.axis]);
    if (building()) {
        paintBuild(projection(), scale);
    } else {
        m_bandDrawn.reset();
        for (int i = Figure::FirstShown; i <= figure.LastShown(); ++i)
            DrawEntry(figure.entry[static_cast<std::size_t>(i)], colours.walk);
    }
    // What a sheet's piece stands for, lit over everything.
    glLineWidth(static_cast<GLfloat>(m_camera.LineWidth + ExtraWidth + 2) * scale);
    for (const FigureSegment &s : m_highlight)
        DrawEntry(s, colours.highlight);

    glPopMatrix();
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
}

void FigureView::paintBuild(const ViewProjection &view, GLfloat scale)
{
    const BuildInput &in = m_game.Builder();
    m_bandDrawn.reset();
    if (in.Begun() && !in.Locked())
        m_bandDrawn = bandEnd(view);
    // The generated walk only once checked.
    const bool checked = m_game.Checked();
    const BuildScene scene{
        .game = m_game,
        .view = view,
        .scale = scale,
        // As wide as the walk in the views exercise.
        .lineWidth = static_cast<GLfloat>(m_camera.LineWidth + ExtraWidth) * scale,
        .colours = ColoursOf(m_scheme),
        .safePalette = m_safePalette,
        .showGenerated = checked && m_shown != Shown::Yours,
        .showBuilt = !checked || m_shown != Shown::Generated,
        .bandEnd = m_bandDrawn,
        .framebuffer = m_fbo ? m_fbo->size() : QSize(1, 1),
        .widget = QSizeF(size()),
        .viewportSide = static_cast<int>(width() * devicePixelRatioF()),
        .pointParameters = m_pointParameters,
    };
    scene.Draw();
}
