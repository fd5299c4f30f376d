// Turning the 3D view with the mouse: the eye must start where players know it
// and follow drags smoothly without snapping back after a full turn; the zoom
// must stay in bounds. (The sheet views are checked on the picture, in
// tst_gui_view.)

#include <QtTest>

#include <cmath>
#include <numbers>

#include "view3d/camera.h"

namespace {

bool Near(float actual, double expected, double tolerance = 1e-4)
{
    return std::abs(static_cast<double>(actual) - expected) <= tolerance;
}

QString Eye(const Camera &c) { return QStringLiteral("eye (%1, %2, %3)").arg(c.eye[0]).arg(c.eye[1]).arg(c.eye[2]); }

} // namespace

class TestCamera : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void dragMovesTheEye_data()
    {
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("dy");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<double>("z");
        QTest::newRow("one pixel right") << 1 << 0 << -0.0614 << -1.953125 << 19.9996;
        QTest::newRow("half a turn right") << 512 << 0 << 0.0 << -1.953125 << -20.0;
        QTest::newRow("512 pixels down raises the eye 10 units") << 0 << 512 << 0.0 << 8.046875 << 20.0;
    }
    void dragMovesTheEye()
    {
        QFETCH(int, dx);
        QFETCH(int, dy);
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(double, z);
        Camera c;
        c.Reset();
        QCOMPARE(c.eye, (std::array<float, 3>{-5.0f, -5.0f, 20.0f}));
        c.Press(200, 100);
        QVERIFY(c.Move(200 + dx, 100 + dy));
        QVERIFY2(Near(c.eye[0], x, 1e-3) && Near(c.eye[1], y) && Near(c.eye[2], z, 1e-3), qPrintable(Eye(c)));
    }

    void fullTurnKeepsCounting()
    {
        Camera c;
        c.Reset();
        c.Press(0, 0);
        for (int x = 128; x <= 1024; x += 128)
            c.Move(x, 0);
        QVERIFY2(Near(c.CameraAngle - Camera::StartAngle, 2 * std::numbers::pi, 1e-4),
                 qPrintable(QString::number(c.CameraAngle)));
        QVERIFY2(Near(c.eye[0], 0.0, 1e-3) && Near(c.eye[2], 20.0, 1e-3), qPrintable(Eye(c)));
    }

    void zoomStaysWithinLimits_data()
    {
        QTest::addColumn<QList<int>>("steps");
        QTest::addColumn<double>("zoom");
        QTest::newRow("far in stops at 3x") << QList<int>{40} << 3.0;
        QTest::newRow("far out stops at 0.5x") << QList<int>{-40} << 0.5;
        QTest::newRow("absurd wheel counts") << QList<int>{INT_MAX, INT_MIN, INT_MIN} << 0.5;
    }
    void zoomStaysWithinLimits()
    {
        QFETCH(QList<int>, steps);
        QFETCH(double, zoom);
        Camera c;
        for (int s : steps)
            c.ZoomBy(s);
        QVERIFY2(Near(c.Zoom, zoom), qPrintable(QString::number(c.Zoom)));
        QVERIFY(Camera::FieldOfViewAt(c.Zoom) < 180);
    }
};

QTEST_APPLESS_MAIN(TestCamera)
#include "tst_camera.moc"
