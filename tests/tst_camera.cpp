// Turning the 3D view with the mouse: the eye must follow drags without
// snapping back after a full turn, and no wheel count may push the zoom out of
// bounds. (The pictures themselves are checked in tst_gui_view.)

#include <QtTest>

#include <climits>
#include <cmath>
#include <numbers>

#include "view3d/camera.h"

class TestCamera : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // 512 pixels right are half a turn to the far side, 1024 a whole turn
    // with the angle counting on rather than jumping back; absurd wheel
    // counts stop the zoom at its limits.
    void dragTurnsAndZoomStops()
    {
        Camera c;
        c.Reset();
        c.Press(0, 0);
        for (int x = 128; x <= 512; x += 128)
            QVERIFY(c.Move(x, 0));
        QVERIFY2(std::abs(c.eye[0]) < 1e-3f && std::abs(c.eye[2] + 20) < 1e-3f, qPrintable(QString::number(c.eye[2])));
        for (int x = 640; x <= 1024; x += 128)
            c.Move(x, 0);
        QVERIFY(std::abs(c.CameraAngle - Camera::StartAngle - 2 * std::numbers::pi_v<float>) < 1e-4f);
        QVERIFY(std::abs(c.eye[2] - 20) < 1e-3f);
        c.ZoomBy(INT_MAX);
        QCOMPARE(c.Zoom, 3.0f);
        c.ZoomBy(INT_MIN);
        c.ZoomBy(INT_MIN);
        QCOMPARE(c.Zoom, 0.5f);
        QVERIFY(Camera::FieldOfViewAt(c.Zoom) < 180);
    }
};

QTEST_APPLESS_MAIN(TestCamera)
#include "tst_camera.moc"
