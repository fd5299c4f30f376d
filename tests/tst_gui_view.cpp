// The 3D view as the player sees it: its colours, turning it with the mouse,
// the camera's return on activation and the line width keys.

#include "guitest.h"
#include "view3d/figureview.h"

#include <cstdlib>

using namespace guitest;

namespace {

constexpr int Smoothing = 3;  // smoothed lines may shift a channel this much

QColor glColour(double r, double g, double b)
{
    return QColor::fromRgbF(static_cast<float>(r), static_cast<float>(g), static_cast<float>(b));
}

const QColor WalkColour = glColour(0.2, 0.25, 0.75);

int pixelsOf(const QImage &image, const QColor &c)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor p = image.pixelColor(x, y);
            n += std::abs(p.red() - c.red()) <= Smoothing && std::abs(p.green() - c.green()) <= Smoothing &&
                 std::abs(p.blue() - c.blue()) <= Smoothing;
        }
    return n;
}

} // namespace

class TestGuiView : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramFolder> m_folder;
    std::unique_ptr<MainWindow> m_window;

    FigureView *view() const { return m_window->view(); }

private Q_SLOTS:
    void initTestCase()
    {
        m_folder = std::make_unique<ProgramFolder>();
        m_window = std::make_unique<MainWindow>(m_folder->path());
        QVERIFY(showReady(*m_window));
        m_window->turn().game().Seed(20261206);
        m_window->turn().newTurn();
    }
    void init()
    {
        m_window->activate();
        view()->camera().LineWidth = 1;
    }
    void cleanupTestCase() { m_window.reset(); }

    void pictureShowsItsColours_data()
    {
        QTest::addColumn<QColor>("colour");
        QTest::newRow("background") << glColour(0.1, 0.5, 0.75);
        QTest::newRow("x axis edge") << glColour(0.9, 0.5, 0.9);
        QTest::newRow("y axis edge") << glColour(0.5, 0.9, 0.9);
        QTest::newRow("z axis edge") << glColour(0.9, 0.9, 0.5);
        QTest::newRow("walk") << WalkColour;
        QTest::newRow("frame") << glColour(0.7, 0.75, 0.75);
    }
    void pictureShowsItsColours()
    {
        QFETCH(QColor, colour);
        const QImage picture = view()->grabFramebuffer();
        QCOMPARE(picture.size(), QSize(384, 384));
        QVERIFY2(pixelsOf(picture, colour) > 0, qPrintable(colour.name()));
    }

    void dragTurnsTheFigureUntilActivation_data()
    {
        QTest::addColumn<bool>("onStrip");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<QPoint>("step");
        QTest::newRow("left button, to the right") << false << Qt::LeftButton << QPoint(30, 0);
        QTest::newRow("right button, downwards") << false << Qt::RightButton << QPoint(0, 25);
        QTest::newRow("on the strip beside the view, up and left") << true << Qt::LeftButton << QPoint(-2, -30);
    }
    void dragTurnsTheFigureUntilActivation()
    {
        QFETCH(bool, onStrip);
        QFETCH(Qt::MouseButton, button);
        QFETCH(QPoint, step);
        const QImage before = view()->grabFramebuffer();
        QWidget *target = onStrip ? static_cast<QWidget *>(m_window.get()) : view();
        QPoint at = onStrip ? QPoint(view()->geometry().right() + 6, 600) : QPoint(190, 190);
        mouse(QTest::MousePress, target, at, button);
        for (int i = 0; i < 4; ++i) {
            at += step;
            mouse(QTest::MouseMove, target, at);
        }
        mouse(QTest::MouseRelease, target, at, button);
        QVERIFY(view()->camera().eye != (std::array<float, 3>{-5.0f, -5.0f, 20.0f}));
        QVERIFY(!view()->camera().Dragging);
        QVERIFY(view()->grabFramebuffer() != before);

        // Moving the mouse after the release turns nothing.
        const auto eye = view()->camera().eye;
        mouse(QTest::MouseMove, target, at + step);
        QCOMPARE(view()->camera().eye, eye);

        m_window->activate();
        QCOMPARE(view()->camera().eye, (std::array<float, 3>{-5.0f, -5.0f, 20.0f}));
        QCOMPARE(view()->grabFramebuffer(), before);
    }

    void wKeysSetTheLineWidth_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<int>("to");
        QTest::newRow("W thins 3 to 2") << 3 << Qt::KeyboardModifiers() << 2;
        QTest::newRow("W keeps 1") << 1 << Qt::KeyboardModifiers() << 1;
        QTest::newRow("Shift+W thickens 1 to 2") << 1 << Qt::KeyboardModifiers(Qt::ShiftModifier) << 2;
        QTest::newRow("Shift+W thickens 4 to 5") << 4 << Qt::KeyboardModifiers(Qt::ShiftModifier) << 5;
    }
    void wKeysSetTheLineWidth()
    {
        QFETCH(int, from);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(int, to);
        view()->camera().LineWidth = from;
        const int walkBefore = pixelsOf(view()->grabFramebuffer(), WalkColour);
        QTest::keyClick(keyTarget(m_window.get()), Qt::Key_W, modifiers);
        QCOMPARE(view()->camera().LineWidth, to);
        // The walk's lines get visibly thinner or thicker with the width.
        const int walkAfter = pixelsOf(view()->grabFramebuffer(), WalkColour);
        if (to > from)
            QVERIFY2(walkAfter > walkBefore, qPrintable(QStringLiteral("%1 -> %2").arg(walkBefore).arg(walkAfter)));
        else if (to < from)
            QVERIFY2(walkAfter < walkBefore, qPrintable(QStringLiteral("%1 -> %2").arg(walkBefore).arg(walkAfter)));
        else
            QCOMPARE(walkAfter, walkBefore);
    }
};

TRIVISTO_GUI_TEST_MAIN(TestGuiView)
#include "tst_gui_view.moc"
