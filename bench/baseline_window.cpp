// The bare program the main window is measured against: a full-screen Qt
// window holding one QOpenGLWidget that only clears its colour buffer, with
// the game's surface format. Whatever this costs on a machine is the price of
// Qt, Mesa and the X server there, not of the game.
//
//   baseline_window                first frame: time since launch, then exit
//   baseline_window frames N       N repaints, one after another: ms per frame
//   baseline_window hold MS        stay MS ms after the first frame: peak memory
//   baseline_window idle S         S seconds with nothing happening: CPU time
#include "benchcommon.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QOpenGLWidget>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdio>
#include <cstring>

namespace {

class ClearView : public QOpenGLWidget {
public:
    using QOpenGLWidget::QOpenGLWidget;
    std::string renderer;

protected:
    void initializeGL() override { renderer = bench::RendererString(); }
    void paintGL() override
    {
        QOpenGLFunctions *gl = context()->functions();
        gl->glClearColor(0.1f, 0.5f, 0.75f, 1.0f);
        gl->glClear(GL_COLOR_BUFFER_BIT);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    const long long launched = bench::LaunchNs();
    const long long started = launched ? launched : bench::MonotonicNs();
    const char *mode = argc > 1 ? argv[1] : "first";
    const int amount = argc > 2 ? std::atoi(argv[2]) : 0;

    bench::SetGameSurfaceFormat();
    QApplication app(argc, argv);

    QWidget window;
    window.setWindowTitle(QStringLiteral("Baseline"));
    auto *layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *view = new ClearView(&window);
    layout->addWidget(view);

    int frames = 0;
    QObject::connect(view, &QOpenGLWidget::frameSwapped, [&] { ++frames; });

    if (QScreen *screen = window.screen())
        window.setGeometry(screen->geometry());
    window.showFullScreen();

    if (!bench::WaitFor([&] { return frames > 0; }, 30'000)) {
        std::fprintf(stderr, "baseline_window: no frame within 30 s\n");
        return 1;
    }
    const long long firstFrame = bench::MonotonicNs();

    if (std::strcmp(mode, "first") == 0) {
        bench::Result("baseline_first_frame_ms", static_cast<double>(firstFrame - started) / 1e6);
    } else if (std::strcmp(mode, "frames") == 0) {
        bench::Info("renderer", view->renderer);
        const int n = amount > 0 ? amount : 1000;
        QElapsedTimer t;
        t.start();
        const int before = frames;
        for (int i = 0; i < n; ++i) {
            const int want = frames + 1;
            view->update();
            if (!bench::WaitFor([&] { return frames >= want; }, 2000))
                break;
        }
        bench::Result("baseline_frames", frames - before);
        bench::Result("baseline_ms_per_frame", static_cast<double>(t.nsecsElapsed()) / 1e6 / std::max(1, frames - before));
    } else if (std::strcmp(mode, "hold") == 0) {
        bench::Idle(amount);
        bench::Result("baseline_vmhwm_kb", static_cast<double>(bench::StatusKb("VmHWM")));
    } else if (std::strcmp(mode, "idle") == 0) {
        bench::Idle(1000);
        const double cpu0 = bench::CpuSeconds();
        const int frames0 = frames;
        bench::Idle(amount * 1000);
        bench::Result("baseline_idle_cpu_s", bench::CpuSeconds() - cpu0);
        bench::Result("baseline_idle_frames", frames - frames0);
    } else {
        std::fprintf(stderr, "baseline_window: unknown mode %s\n", mode);
        return 2;
    }
    return 0;
}
