#pragma once

#include "view3d/camera.h"

#include <QOpenGLWidget>

struct Figure;

// The 3D view of the current figure: a blue square with the grey frame, its
// three axis edges in the sheets' axis colours and the walk in dark blue,
// drawn with fixed-function OpenGL. Dragging with any button turns the camera.
class FigureView : public QOpenGLWidget {
    Q_OBJECT
public:
    FigureView(const Figure &figure, QWidget *parent = nullptr);

    Camera &camera() { return m_camera; }
    const Camera &camera() const { return m_camera; }
    void ResetCamera();

    // Mouse handling shared with the strip of the window beside the view;
    // positions are in the window's coordinates so both agree.
    void CameraPress(QPoint windowPos);
    void CameraMove(QPoint windowPos);
    void CameraRelease();

protected:
    void initializeGL() override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    const Figure &m_figure;
    Camera m_camera;
};
