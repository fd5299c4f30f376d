// The 3D view as the player sees it: its colours, turning it with the mouse,
// the sheet views that must match the drawing sheets, the wheel zoom and the
// way back to the start view; in the build exercise, the lattice shown and
// picked by a click.

#include "guitest.h"

#include "core/view3d/viewprojection.h"

#include <climits>
#include <cstdlib>

namespace {

const QColor Background = QColor::fromRgbF(0.1f, 0.5f, 0.75f);
const QColor FrameColour = QColor::fromRgbF(0.7f, 0.75f, 0.75f);
const QColor WalkColour = QColor::fromRgbF(0.2f, 0.25f, 0.75f);
const QColor XEdge = QColor::fromRgbF(0.9f, 0.5f, 0.9f);
const QColor YEdge = QColor::fromRgbF(0.5f, 0.9f, 0.9f);
const QColor ZEdge = QColor::fromRgbF(0.9f, 0.9f, 0.5f);

// The pixels in area (all when empty) of colour c, or with others of any
// other colour (smoothed lines may shift a channel by 3), and their bounds.
struct Found {
    int count = 0;
    QRect bounds;
};
Found find(const QImage &image, const QColor &c, QRect area = {}, bool others = false)
{
    Found f;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor p = image.pixelColor(x, y);
            const bool match = std::abs(p.red() - c.red()) <= 3 && std::abs(p.green() - c.green()) <= 3 &&
                               std::abs(p.blue() - c.blue()) <= 3;
            if (match != others && (area.isEmpty() || area.contains(x, y)) && ++f.count)
                f.bounds |= QRect(x, y, 1, 1);
        }
    return f;
}

} // namespace

Q_DECLARE_METATYPE(ViewMode)

class TestGuiView : public QObject {
    Q_OBJECT

    Game m_game;
    FigureView m_view{m_game};

    // A level-0 figure (a walk of three steps from the fixed start point
    // (10, -10, -10)) whose walk satisfies want: the first one from a fixed
    // seed on, so the same in every run.
    template <class Want>
    void chooseWalk(Want want)
    {
        for (std::uint32_t seed = 1; seed < 10000; ++seed) {
            m_game.NewFrom(0, seed);
            if (want(m_game.CurrentFigure()))
                return;
        }
        QFAIL("no such walk");
    }
    // The frame and its axis edges without a walk: the build exercise hides
    // the walk until its Check.
    void hideWalk()
    {
        m_game.SetExercise(Exercise::Build);
        m_game.NewFrom(0, 1);
        m_view.newTurn();
    }
    // The picture once the animations are over (none if they never end).
    QImage settled()
    {
        return QTest::qWaitFor([&] { return !m_view.isAnimating(); }, 2000) ? m_view.grabFramebuffer() : QImage();
    }
    void drag(QPoint by)
    {
        guitest::mouse(QTest::MousePress, &m_view, {190, 190});
        guitest::moveAlong(&m_view, {190, 190}, QPoint(190, 190) + by);
        guitest::mouse(QTest::MouseRelease, &m_view, QPoint(190, 190) + by);
    }
    void wheel(int notches, int delta = 120)
    {
        QWheelEvent e({190, 190}, m_view.mapToGlobal(QPointF(190, 190)), {}, {0, notches * delta}, Qt::NoButton, {},
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(&m_view, &e);
    }

private Q_SLOTS:
    void init()
    {
        m_game.SetExercise(Exercise::Views);
        m_view.newTurn();
        // A walk that never runs along an axis edge (two coordinates at -10),
        // so every colour shows.
        chooseWalk([](const Figure &f) {
            for (int i = Figure::FirstShown + 1; i <= f.LastShown(); ++i) {
                const FigureSegment &e = f.entry[static_cast<std::size_t>(i)];
                if ((e.start.x == -10 && e.end.x == -10) + (e.start.y == -10 && e.end.y == -10) +
                        (e.start.z == -10 && e.end.z == -10) >= 2)
                    return false;
            }
            return true;
        });
        m_view.resize(384, 384);
        m_view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_view));
        m_view.ResetCamera();
    }

    // As on the sheet: its horizontal axis edge along the whole bottom, its
    // vertical one up the whole left side, both whole inside the picture.
    void sheetViewsShowTheSheetsAxes_data()
    {
        QTest::addColumn<ViewMode>("mode");
        QTest::addColumn<QColor>("bottom");
        QTest::addColumn<QColor>("left");
        QTest::newRow("X: x to the right, y up") << ViewMode::SheetX << XEdge << YEdge;
        QTest::newRow("Y: x to the right, z up") << ViewMode::SheetY << XEdge << ZEdge;
        QTest::newRow("Z: y to the right, z up") << ViewMode::SheetZ << YEdge << ZEdge;
    }
    void sheetViewsShowTheSheetsAxes()
    {
        QFETCH(ViewMode, mode);
        QFETCH(QColor, bottom);
        QFETCH(QColor, left);
        hideWalk();
        m_view.showView(mode);
        const QRect b = find(settled(), bottom).bounds, l = find(settled(), left).bounds;
        QVERIFY(b.height() < 20 && b.top() > 346 && b.bottom() < 383 && b.left() < 38 && b.right() > 346);
        QVERIFY(l.width() < 20 && l.left() > 0 && l.right() < 38 && l.top() < 38 && l.bottom() > 346);
    }

    // The walk is drawn last: where it runs along the x axis edge (in sheet
    // view X, the middle of the bottom), neither the edge nor the frame under
    // it shows.
    void walkCoversTheFrame()
    {
        chooseWalk([](const Figure &f) { return f.entry[Figure::FirstShown + 1].end == Point3{-10, -10, -10}; });
        m_view.showView(ViewMode::SheetX);
        const QRect middle(96, 346, 192, 38);
        QVERIFY(find(settled(), WalkColour, middle).count > 192);
        QCOMPARE(find(settled(), XEdge, middle).count + find(settled(), FrameColour, middle).count, 0);
    }

    // The start view (all its colours in it) comes back exactly after a
    // drag, a sheet view and a zoom: by the start view command (animated) and
    // by the window's reset (at once).
    void startViewComesBack()
    {
        const QImage start = m_view.grabFramebuffer();
        for (const QColor &c : {Background, FrameColour, WalkColour, XEdge, YEdge, ZEdge})
            QVERIFY2(find(start, c).count > 0, qPrintable(c.name()));
        for (bool byReset : {false, true}) {
            drag({70, 40});
            m_view.showView(ViewMode::SheetY);
            wheel(byReset ? 2 : -2);
            QVERIFY(settled() != start);
            byReset ? m_view.ResetCamera() : m_view.showView(ViewMode::Start);
            QCOMPARE(m_view.isAnimating(), !byReset);
            QCOMPARE(byReset ? m_view.grabFramebuffer() : settled(), start);
        }
    }

    // Each step of W or Shift+W widens a line by one pixel at 100 % and by as
    // many device pixels as the screen's scale elsewhere (CTest runs this at
    // 200 % too), so lines look the same on a high-density screen.
    void linesFollowThePixelRatio()
    {
        hideWalk();
        m_view.showView(ViewMode::SheetX);
        const auto thickness = [&](int width) {
            m_view.camera().LineWidth = width;
            return find(settled(), XEdge).bounds.height();
        };
        const int widened = thickness(11) - thickness(1);
        m_view.camera().LineWidth = 1;
        const qreal scale = m_view.devicePixelRatioF();
        QVERIFY2(std::abs(widened - 10 * scale) <= 2, qPrintable(QString("%1 at %2").arg(widened).arg(scale)));
    }

    // The wheel zooms the picture one way or the other, up to a limit, in
    // perspective and in a sheet view.
    void wheelZoomsWithinLimits()
    {
        for (int notch : {1, -1}) {
            m_view.ResetCamera();
            m_view.showView(notch > 0 ? ViewMode::Start : ViewMode::SheetZ);
            wheel(-2);  // the whole figure stays in the picture one notch either way
            const QRect before = find(settled(), Background, {}, true).bounds;
            wheel(notch);
            const QRect after = find(settled(), Background, {}, true).bounds;
            QVERIFY(notch * (after.width() - before.width()) > 0 && notch * (after.height() - before.height()) > 0);
            wheel(30 * notch);
            const QImage atLimit = settled();
            wheel(notch, INT_MAX);  // a wild wheel's numbers, twice, overflow nothing
            wheel(notch, INT_MAX);
            QCOMPARE(settled(), atLimit);
        }
    }

    // In the window's build exercise the view shows the lattice's dots (white
    // only there). Clicks and keys are tried end to end in tst_gui_window.
    void buildExerciseShowsTheLattice()
    {
        guitest::ProgramFolder folder;
        MainWindow w(folder.path());
        QVERIFY(guitest::showReady(w));
        FigureView *view = w.view();
        QCOMPARE(find(view->grabFramebuffer(), Qt::white).count, 0);
        w.turn().session().ChooseExercise(Exercise::Build);
        view->update();
        QVERIFY(find(view->grabFramebuffer(), Qt::white).count > 100);
    }
};

TRIVISTO_GUI_TEST_MAIN(TestGuiView)
#include "tst_gui_view.moc"
