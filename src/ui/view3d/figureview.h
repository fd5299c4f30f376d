#pragma once

#include "core/build/builtfigure.h"
#include "core/look/look.h"
#include "core/view3d/camera.h"

#include <QImage>
#include <QPointF>
#include <QVariantAnimation>
#include <QWidget>

#include <memory>
#include <vector>
#include <optional>

class Game;
class QOffscreenSurface;
class QOpenGLContext;
class QOpenGLFramebufferObject;
class ViewProjection;

// The 3D view of the board's figure: a blue square with the grey frame, its
// three axis edges in the sheets' axis colours and the walk in dark blue (in
// Light; Dark has a near-black square and a light blue walk), drawn with
// fixed-function OpenGL. Dragging with any button turns the camera,
// the wheel zooms, and the sheet views show the figure as a sheet does.
// The view draws into an offscreen framebuffer and paints the picture as an
// ordinary widget, so the main window never needs OpenGL to compose itself:
// a repaint elsewhere in the window (a label, a sheet's rubber band) costs
// only its own pixels, not a composition of the whole screen.
// Changes of view fade over the old picture and wheel zooms glide, both for
// AnimationMs; a reset is instant and ends them.
//
// In the build exercise the view is where the player builds: it shows the
// cube's 125 lattice points (nearer ones larger), the walk's start, the
// segments built so far, the cursor and a begun segment's rubber band, and
// hides the generated walk until the turn is checked. A click (not a drag)
// picks a lattice point and the keys move the cursor; the view reports both
// as signals and decides nothing: the rules change the board, the window
// repaints the view. It reads the board's exercise at every paint.
class FigureView : public QWidget {
    Q_OBJECT
public:
    static constexpr int AnimationMs = 200;
    // A press and release of the left button at most this far apart (in
    // pixels) are a click; farther apart they were a drag.
    static constexpr int ClickSlop = 4;

    // Which figures the build exercise shows once checked.
    enum class Shown { Both, Yours, Generated };

    explicit FigureView(const Game &game, QWidget *parent = nullptr);
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

    // A new turn began (perhaps in the other exercise): both figures are shown
    // again, and the focus, the pointer's tracking and the description follow
    // the turn's exercise.
    void newTurn();
    // After a Check in the build exercise: both figures, the player's alone,
    // the generated one alone, and round again. Does nothing before.
    void cycleShownFigure();
    // After a Check: segments lit over the figure, for the piece of a sheet
    // the player points at (LinkedSegments); none to light nothing.
    void setHighlight(std::vector<FigureSegment> segments);
    const std::vector<FigureSegment> &highlight() const { return m_highlight; }
    Shown shown() const { return m_shown; }
    // Which figures show, in a few words for the status line.
    QString shownText() const;
    // The sheets' colour-blind-safe colours for the built and true figures.
    void setSafePalette(bool safe);
    bool safePalette() const { return m_safePalette; }
    // Light or Dark: the view's colours come from the look's table.
    void setScheme(Scheme scheme);
    Scheme scheme() const { return m_scheme; }

    // Mouse handling shared with the strip of the window beside the view;
    // positions are in the window's coordinates so both agree.
    void CameraPress(QPoint windowPos);
    void CameraMove(QPoint windowPos);
    void CameraRelease();
    // The strip of the window (in its coordinates) whose presses turn the
    // camera too: the gap between the view and the control panel. Only
    // presses on the window itself count, not those a control passed on.
    void setWindowStrip(const QRect &strip);

Q_SIGNALS:
    // The build exercise: a click picked this lattice point (with a segment
    // begun, only points of the axis lines through its start are picked).
    void latticeClicked(LatticePoint3 point);
    // The keys: the cursor one step along axis 0 (x), 1 (y) or 2 (z), by +1 or
    // -1, and Space, a press at the cursor.
    void cursorStep(int axis, int step);
    void spacePressed();

protected:
    // All but paintEvent are defined in figureviewinput.cpp.
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    // Draws a frame into the offscreen framebuffer; a null image when OpenGL
    // is not available.
    QImage render();
    void initializeGL();
    void paintGL();
    // The build exercise's picture over the frame and the axis edges, drawn
    // by BuildScene as this view's state asks; notes where the band ends.
    void paintBuild(const ViewProjection &view, float scale);
    // Keeps the picture shown now to fade it out over the next ones.
    void startFade();

    bool building() const;
    ViewProjection projection() const;
    // Where the begun segment's rubber band ends: the lattice point the
    // pointer leads to, or the cursor once the keys moved it.
    LatticePoint3 bandEnd(const ViewProjection &view) const;
    // Focus, tracking and description as the turn's exercise wants them.
    void followExercise();
    void describe();

    const Game &m_game;
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
    QFunctionPointer m_pointParameters = nullptr;  // glPointParameterfv, OpenGL 1.4
    QRect m_windowStrip;

    std::vector<FigureSegment> m_highlight;
    Shown m_shown = Shown::Both;
    bool m_safePalette = false;
    Scheme m_scheme = Scheme::Light;
    std::optional<QPointF> m_pointer;   // over the view, in its own coordinates
    bool m_keysMovedLast = false;       // the band goes to the cursor, not the pointer
    std::optional<QPointF> m_leftPress; // where a left-button press may become a click
    std::optional<LatticePoint3> m_bandDrawn;  // the band's end in the picture shown
    bool m_builtFor = false;            // set up for the build exercise (focus, tracking, cursor)
    int m_described = -1;               // what the accessible texts tell (see describe())
    int m_segmentsDescribed = -1;       // and the segment count they tell
};
