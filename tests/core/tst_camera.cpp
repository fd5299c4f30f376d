// The 3D view's camera as the player steers it with the keys: the line width
// W and Shift+W set stays within the range the settings keep, so the width
// seen is the width the next start comes back with.

#include <QtTest>

// moc in Qt 6.4 cannot parse <compare>, which the game's headers pull in.
#ifndef Q_MOC_RUN
#include "core/view3d/camera.h"
#endif

class TestCamera : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void lineWidthStaysInTheKeptRange_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("presses");  // Shift+W; W when negative
        QTest::addColumn<int>("width");
        QTest::newRow("Shift+W stops at the widest") << 18 << 5 << Camera::MaxLineWidth;
        QTest::newRow("W stops at the thinnest") << 3 << -5 << Camera::MinLineWidth;
    }
    void lineWidthStaysInTheKeptRange()
    {
        QFETCH(int, from);
        QFETCH(int, presses);
        Camera camera;
        camera.LineWidth = from;
        for (int i = 0; i < std::abs(presses); ++i)
            presses > 0 ? camera.Thicker() : camera.Thinner();
        QTEST(camera.LineWidth, "width");
    }
};

QTEST_APPLESS_MAIN(TestCamera)
#include "tst_camera.moc"
