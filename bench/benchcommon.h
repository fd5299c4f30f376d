// Shared by the window benchmarks and the bare baseline program: clocks, the
// process's CPU time and peak memory, and the result lines scripts/bench reads.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QOpenGLContext>
#include <QOffscreenSurface>
#include <QOpenGLFunctions>
#include <QSurfaceFormat>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <sys/resource.h>

namespace bench {

// The environment variable through which a launcher hands its child the
// moment (CLOCK_MONOTONIC, ns) just before it started the process.
constexpr const char *StartEnv = "TRIVISTO_BENCH_T0_NS";

// The monotonic clock (CLOCK_MONOTONIC under libstdc++, the same in every
// process of the machine), in ns.
inline long long MonotonicNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// When this process was started, as its launcher saw it; 0 when not launched
// by a benchmark.
inline long long LaunchNs()
{
    const char *v = std::getenv(StartEnv);
    return v ? std::atoll(v) : 0;
}

// User plus system CPU time of every thread of this process so far.
inline double CpuSeconds()
{
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    auto secs = [](const timeval &t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; };
    return secs(r.ru_utime) + secs(r.ru_stime);
}

// A field of /proc/self/status in kB (VmHWM: the peak resident size).
inline long StatusKb(const char *field)
{
    std::FILE *f = std::fopen("/proc/self/status", "r");
    if (!f)
        return -1;
    char line[256];
    long value = -1;
    const std::size_t n = std::strlen(field);
    while (std::fgets(line, sizeof line, f)) {
        if (std::strncmp(line, field, n) == 0 && line[n] == ':') {
            value = std::atol(line + n + 1);
            break;
        }
    }
    std::fclose(f);
    return value;
}

// One measured figure, as scripts/bench reads it: "RESULT key value".
inline void Result(const char *key, double value)
{
    std::printf("RESULT %s %.6g\n", key, value);
    std::fflush(stdout);
}

// A text fact, as scripts/bench reads it: "INFO key text".
inline void Info(const char *key, const std::string &text)
{
    std::printf("INFO %s %s\n", key, text.c_str());
    std::fflush(stdout);
}

inline double Median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const std::size_t m = v.size() / 2;
    return v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2;
}

// The surface the game's main() asks for before QApplication: the 3D view
// draws with fixed-function OpenGL.
inline void SetGameSurfaceFormat()
{
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setVersion(2, 1);
    QSurfaceFormat::setDefaultFormat(format);
}

// The renderer string of the current context (call with a context current).
inline std::string RendererString()
{
    QOpenGLContext *ctx = QOpenGLContext::currentContext();
    if (!ctx)
        return "unknown (no current context)";
    QOpenGLFunctions *gl = ctx->functions();
    auto text = [gl](GLenum name) {
        const auto *s = reinterpret_cast<const char *>(gl->glGetString(name));
        return std::string(s ? s : "?");
    };
    return text(GL_RENDERER) + "; OpenGL " + text(GL_VERSION);
}

// The renderer string of a context like the game's, made for the asking.
inline std::string RendererOfNewContext()
{
    QOffscreenSurface surface;
    surface.setFormat(QSurfaceFormat::defaultFormat());
    surface.create();
    QOpenGLContext context;
    context.setFormat(QSurfaceFormat::defaultFormat());
    if (!context.create() || !context.makeCurrent(&surface))
        return "unknown (no OpenGL context)";
    std::string text = RendererString();
    context.doneCurrent();
    return text;
}

// Runs the event loop until `done()` holds or `ms` pass; false on timeout.
// Sleeps while there is nothing to do (a 10 ms tick looks at the clock).
template <typename Done>
bool WaitFor(Done done, int ms)
{
    QElapsedTimer clock;
    clock.start();
    QTimer tick;
    tick.start(10);
    while (!done()) {
        if (clock.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// Runs the event loop for `ms` with nothing of its own to do (no tick).
inline void Idle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace bench
