#include "ui/view3d/figureview.h"

#include "core/figure/figure.h"
#include "core/turn/game.h"
#include "core/view3d/viewprojection.h"
#include "ui/sheets/sheetwidget.h"

#include <QKeyEvent>
#include <QLineF>
#include <QMouseEvent>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QPainter>
#include <QSurfaceFormat>
#include <QWheelEvent>

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

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

// ---- The build exercise ----------------------------------------------------

// White dots read on the blue and on every line colour; the far ones are a
// little see-through as well as smaller, so the lattice's depth reads at a
// glance. Sizes are pixels at 100 %.
constexpr Rgb DotColour{1.0f, 1.0f, 1.0f};
constexpr float NearDotSize = 9.0f;
constexpr float FarDotSize = 3.0f;
constexpr float FarDotAlpha = 0.55f;

// Lines and marks of the build exercise get a dark edge, so the sheets'
// colours (the safe palette's blue above all) stand out on the blue.
constexpr Rgb InkColour{0.1f, 0.1f, 0.12f};
constexpr float EdgeWidth = 1.0f;  // each side
// The walk's start: a dark disk around a white dot.
constexpr Rgb StartColour{0.12f, 0.08f, 0.35f};
constexpr float StartMarkSize = 17.0f;
constexpr float StartDotSize = 7.0f;
// A begun segment's start: a disk in the stroke colour.
constexpr float BegunMarkSize = 13.0f;
// The cursor: a bright ring, drawn last.
constexpr Rgb CursorColour{1.0f, 0.95f, 0.2f};
constexpr float CursorRadius = 11.0f;
constexpr float CursorWidth = 2.5f;

Rgb ToRgb(const QColor &c)
{
    return {static_cast<GLfloat>(c.redF()), static_cast<GLfloat>(c.greenF()), static_cast<GLfloat>(c.blueF())};
}

void Vertex(LatticePoint3 p)
{
    const Point3 w = WorldPoint(p);
    glVertex3f(w.x, w.y, w.z);
}

struct Line3 {
    LatticePoint3 from;
    LatticePoint3 to;
    Rgb colour;
};

// Lines with a dark edge and round ends (so two meeting at a corner join
// without a notch): every edge first, then every core, so no edge cuts
// through the core of a line it meets. On software OpenGL each change of
// width costs about as much as a hundred lines, so each pass is one batch of
// lines and one of points, each point once (in the colour of the last line
// that ends there).
void DrawEdged(const std::vector<Line3> &lines, GLfloat width, GLfloat edge)
{
    std::array<const Rgb *, LatticePointCount> ends{};
    for (const Line3 &l : lines)
        ends[static_cast<std::size_t>(l.from.Index())] = ends[static_cast<std::size_t>(l.to.Index())] = &l.colour;
    for (const bool core : {false, true}) {
        const GLfloat w = core ? width : width + 2 * edge;
        glLineWidth(w);
        glBegin(GL_LINES);
        for (const Line3 &l : lines) {
            const Rgb &c = core ? l.colour : InkColour;
            glColor3f(c.r, c.g, c.b);
            Vertex(l.from);
            Vertex(l.to);
        }
        glEnd();
        glPointSize(w);
        glBegin(GL_POINTS);
        for (int i = 0; i < LatticePointCount; ++i) {
            const Rgb *colour = ends[static_cast<std::size_t>(i)];
            if (!colour)
                continue;
            const Rgb &c = core ? *colour : InkColour;
            glColor3f(c.r, c.g, c.b);
            Vertex(LatticePoint3{i / 25, i / 5 % 5, i % 5});
        }
        glEnd();
    }
}

// Draws in the view's own pixels (x right, y down, as ViewProjection gives
// them) over the whole framebuffer, then goes back to the 3D projection.
class PixelPass {
public:
    PixelPass(QSize framebuffer, QSizeF widget, int side) : m_side(side)
    {
        glViewport(0, 0, framebuffer.width(), framebuffer.height());
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glLoadIdentity();
        glOrtho(0, widget.width(), widget.height(), 0, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
    }
    ~PixelPass()
    {
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPopMatrix();
        glViewport(0, 0, m_side, m_side);
    }
    PixelPass(const PixelPass &) = delete;
    PixelPass &operator=(const PixelPass &) = delete;

private:
    int m_side;
};

void Disk(const ScreenPoint &at, GLfloat size, const Rgb &c)
{
    glPointSize(size);
    glBegin(GL_POINTS);
    glColor3f(c.r, c.g, c.b);
    glVertex2f(at.x, at.y);
    glEnd();
}

void Ring(const ScreenPoint &at, float radius, GLfloat width, const Rgb &c)
{
    constexpr int Steps = 32;
    glLineWidth(width);
    glBegin(GL_LINE_LOOP);
    glColor3f(c.r, c.g, c.b);
    for (int i = 0; i < Steps; ++i) {
        const double a = 2 * std::numbers::pi * i / Steps;
        glVertex2f(at.x + radius * static_cast<float>(std::cos(a)), at.y + radius * static_cast<float>(std::sin(a)));
    }
    glEnd();
}

// The 125 lattice points in one batch, from far to near so that a near dot
// covers a far one behind it. OpenGL sizes each point by its depth (the point
// size's distance attenuation, size / sqrt(a + b depth)), fitted so that the
// nearest point in view is NearDotSize and the farthest FarDotSize; the far
// ones fade as well. One batch, because a change of point size per dot would
// cost more than all the lines of the figure. Without attenuation (OpenGL
// before 1.4) every dot takes the middle size.
void DrawLatticeDots(const ViewProjection &view, GLfloat scale, PFNGLPOINTPARAMETERFVPROC pointParameters)
{
    std::array<std::pair<float, int>, LatticePointCount> byDepth{};
    std::size_t count = 0;
    for (int i = 0; i < LatticePointCount; ++i) {
        const ScreenPoint s = view.Project(LatticePoint3{i / 25, i / 5 % 5, i % 5});
        if (view.Visible(s))
            byDepth[count++] = {s.depth, i};
    }
    if (count == 0)
        return;
    std::sort(byDepth.begin(), byDepth.begin() + static_cast<std::ptrdiff_t>(count), std::greater<>());
    const float farthest = byDepth[0].first;
    const float nearest = byDepth[count - 1].first;
    const float range = farthest - nearest;
    const float squaredRatio = (NearDotSize / FarDotSize) * (NearDotSize / FarDotSize);
    const float b = range > 1e-3f ? (squaredRatio - 1) / range : 0.0f;
    const std::array<GLfloat, 3> attenuation{1 - b * nearest, b, 0};
    if (pointParameters) {
        glPointSize(NearDotSize * scale);
        pointParameters(GL_POINT_DISTANCE_ATTENUATION, attenuation.data());
    } else {
        glPointSize((NearDotSize + FarDotSize) / 2 * scale);
    }
    glBegin(GL_POINTS);
    for (std::size_t k = 0; k < count; ++k) {
        const auto [depth, i] = byDepth[k];
        const float nearness = range > 1e-3f ? (farthest - depth) / range : 1.0f;
        glColor4f(DotColour.r, DotColour.g, DotColour.b, FarDotAlpha + (1 - FarDotAlpha) * nearness);
        Vertex(LatticePoint3{i / 25, i / 5 % 5, i % 5});
    }
    glEnd();
    if (pointParameters) {
        const std::array<GLfloat, 3> none{1, 0, 0};
        pointParameters(GL_POINT_DISTANCE_ATTENUATION, none.data());
    }
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

void FigureView::describe()
{
    // Asked at every paint: the texts are made only when what they tell changed.
    const int state = !building() ? 0 : !m_game.Checked() ? 1 : 2 + static_cast<int>(m_shown);
    if (state == m_described)
        return;
    m_described = state;
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
    setAccessibleName(name);
    setAccessibleDescription(text);
}

LatticePoint3 FigureView::bandEnd(const ViewProjection &view) const
{
    const BuildInput &in = m_game.Builder();
    if (m_keysMovedLast || !m_pointer)
        return in.Cursor();
    return BandEnd(view, in.BegunAt(), static_cast<float>(m_pointer->x()), static_cast<float>(m_pointer->y()));
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
        p.fillRect(rect(), QColor::fromRgbF(BackgroundColour.r, BackgroundColour.g, BackgroundColour.b));
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
    const Figure &figure = m_game.CurrentFigure();
    glLineWidth(static_cast<GLfloat>(m_camera.LineWidth) * scale);
    for (int i = 1; i <= 10; ++i)
        DrawEntry(figure.entry[static_cast<std::size_t>(i)], FrameColour);

    glLineWidth(static_cast<GLfloat>(m_camera.LineWidth + ExtraWidth) * scale);
    for (const AxisEdge &a : AxisEdges)
        DrawEntry(figure.entry[static_cast<std::size_t>(a.entry)], a.colour);
    if (building()) {
        paintBuild(projection(), scale);
    } else {
        m_bandDrawn.reset();
        for (int i = Figure::FirstShown; i <= figure.LastShown(); ++i)
            DrawEntry(figure.entry[static_cast<std::size_t>(i)], WalkColour);
    }

    glPopMatrix();
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
}

void FigureView::paintBuild(const ViewProjection &view, GLfloat scale)
{
    const BuildInput &in = m_game.Builder();
    const Rgb stroke = ToRgb(m_safePalette ? SheetWidget::SafeStrokeColour : SheetWidget::StrokeColour);
    const Rgb truth = ToRgb(m_safePalette ? SheetWidget::SafeTrueColour : SheetWidget::TrueColour);
    const Rgb hint = ToRgb(SheetWidget::HintColour);
    // As wide as the walk in the views exercise.
    const GLfloat lineWidth = static_cast<GLfloat>(m_camera.LineWidth + ExtraWidth) * scale;
    const GLfloat edge = EdgeWidth * scale;
    const QSize framebuffer = m_fbo ? m_fbo->size() : QSize(1, 1);
    const int side = static_cast<int>(width() * devicePixelRatioF());

    glEnable(GL_POINT_SMOOTH);
    DrawLatticeDots(view, scale, reinterpret_cast<PFNGLPOINTPARAMETERFVPROC>(m_pointParameters));

    // The generated walk only once checked, under the player's figure.
    const bool checked = m_game.Checked();
    if (checked && m_shown != Shown::Yours) {
        const Figure &figure = m_game.CurrentFigure();
        std::vector<Line3> walk;
        for (int i = Figure::FirstShown; i <= figure.LastShown(); ++i) {
            const FigureSegment &e = figure.entry[static_cast<std::size_t>(i)];
            const auto from = LatticeOf(e.start);
            const auto to = LatticeOf(e.end);
            if (from && to && from != to)
                walk.push_back({*from, *to, truth});
        }
        DrawEdged(walk, lineWidth, edge);
    }
    if (!checked || m_shown != Shown::Generated) {
        std::vector<Line3> built;
        for (const BuiltSegment &b : m_game.Built().Segments())
            built.push_back({b.from, b.to, b.hint ? hint : stroke});
        DrawEdged(built, lineWidth, edge);
    }

    // The rubber band: dashed, to tell it from what is built.
    const bool band = in.Begun() && !in.Locked();
    m_bandDrawn.reset();
    if (band) {
        const LatticePoint3 end = bandEnd(view);
        m_bandDrawn = end;
        if (AxisBetween(in.BegunAt(), end)) {
            glEnable(GL_LINE_STIPPLE);
            glLineStipple(std::max(1, static_cast<int>(std::lround(scale))), 0x0FFF);
            for (const bool core : {false, true}) {
                const Rgb &c = core ? stroke : InkColour;
                glLineWidth(core ? lineWidth : lineWidth + 2 * edge);
                glBegin(GL_LINES);
                glColor3f(c.r, c.g, c.b);
                Vertex(in.BegunAt());
                Vertex(end);
                glEnd();
            }
            glDisable(GL_LINE_STIPPLE);
        }
    }

    {
        const PixelPass pixels(framebuffer, QSizeF(size()), side);
        const ScreenPoint start = view.Project(WalkStartPoint);
        if (view.Visible(start)) {
            Disk(start, StartMarkSize * scale, StartColour);
            Disk(start, StartDotSize * scale, DotColour);
        }
        const ScreenPoint begun = view.Project(in.BegunAt());
        if (band && view.Visible(begun)) {
            Disk(begun, (BegunMarkSize + 2 * EdgeWidth) * scale, InkColour);
            Disk(begun, BegunMarkSize * scale, stroke);
        }
        const ScreenPoint cursor = view.Project(in.Cursor());
        if (!in.Locked() && view.Visible(cursor)) {
            Ring(cursor, CursorRadius, (CursorWidth + 2 * EdgeWidth) * scale, InkColour);
            Ring(cursor, CursorRadius, CursorWidth * scale, CursorColour);
        }
    }
    glDisable(GL_POINT_SMOOTH);
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
