// The real main window under measurement, in whatever X server DISPLAY names
// (scripts/bench starts Xvfb with the screen sizes it needs):
//
//   bench_window startup-series N    launches N start-ups of the game's window
//                                     with no history, of the same with a
//                                     history of 100,000 turns, and of
//                                     baseline_window, taking turns, and
//                                     reports the medians of launch to first
//                                     complete frame
//   bench_window startup DIR         one start-up as the game's main() does it,
//                                     with DIR as the program's folder (what
//                                     startup-series launches)
//   bench_window drag                1,000 mouse moves dragging over the 3D view
//   bench_window drag-build          the same in the build exercise: the
//                                     lattice's dots, a level-84 walk built and
//                                     a segment begun (its rubber band showing)
//   bench_window sheet               a sheet of 100 strokes: repaint, rubber band
//   bench_window idle S              S seconds of an open window doing nothing
//   bench_window memory              peak memory of a whole turn
//   bench_window statistics N        the statistics window opened and drawn
//                                     over 100 and over 100,000 turns, N times
//                                     each, taking turns
//
// Each mode prints "RESULT key value" and "INFO key text" lines.
#include "benchcommon.h"
#include "benchhistory.h"

#include "ui/app/commandline.h"
#include "ui/app/locations.h"
#include "ui/app/settings.h"
#include "ui/app/translations.h"
#include "ui/window/mainwindow.h"
#include "core/storage/history.h"
#include "core/turn/turnsession.h"
#include "ui/dialogs/statisticsdialog.h"
#include "ui/dialogs/recordnamedialog.h"
#include "ui/sheets/sheetwidget.h"
#include "ui/view3d/figureview.h"

#include <QApplication>
#include <QChartView>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QIcon>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QOpenGLWidget>
#include <QPaintEvent>
#include <QPushButton>
#include <QRegion>
#include <QSet>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>
#include <map>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

namespace fs = std::filesystem;

// ---- The program's folder ----------------------------------------------------

fs::path ExecutableDir()
{
    return fs::read_symlink("/proc/self/exe").parent_path();
}

// A copy of the data files that live beside the program, with a results file
// of nine lines whose best score a good drawing beats.
void PrepareProgramDir(const fs::path &dir)
{
    static const std::set<std::string> kinds{".wav", ".jpg", ".png", ".txt", ".html"};
    for (const fs::directory_entry &e : fs::directory_iterator(ExecutableDir()))
        if (e.is_regular_file() && kinds.count(e.path().extension().string()))
            fs::copy_file(e.path(), dir / e.path().filename(), fs::copy_options::overwrite_existing);
    std::FILE *f = std::fopen((dir / "Stat.txt").c_str(), "wb");
    if (!f) {
        std::fprintf(stderr, "bench_window: cannot write the results file in %s\n", dir.c_str());
        std::exit(1);
    }
    for (int i = 0; i < 9; ++i)
        std::fprintf(f, "Player%d,%d,%d,,\r\n", i, 9 - i, 40 + 7 * i);
    std::fclose(f);
}

// ---- Watching paints and frames ------------------------------------------------

// Sees every paint event in the application: counts them per widget, records
// their regions while asked to, and times the paint events of one widget.
class PaintSpy : public QObject {
public:
    QHash<const QObject *, int> count;
    bool recording = false;
    std::vector<std::pair<const QObject *, QRegion>> seen;
    const QObject *timed = nullptr;
    std::function<void(const QObject *)> painted;  // called after each paint
    long long lastPaintNs = 0;
    long long totalPaintNs = 0;
    int timedPaints = 0;

    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() != QEvent::Paint)
            return false;
        ++count[o];
        if (recording)
            seen.emplace_back(o, static_cast<QPaintEvent *>(e)->region());
        if (m_delivering)
            return false;
        // Deliver it here, inside the paint's set-up, to time the handler
        // alone and to know when it has run.
        m_delivering = true;
        const long long t0 = bench::MonotonicNs();
        o->event(e);
        const long long spent = bench::MonotonicNs() - t0;
        m_delivering = false;
        if (o == timed) {
            lastPaintNs = spent;
            totalPaintNs += spent;
            ++timedPaints;
        }
        if (painted)
            painted(o);
        return true;
    }

    int of(const QObject *o) const { return count.value(o, 0); }

private:
    bool m_delivering = false;
};

long long Area(const QRegion &r)
{
    long long a = 0;
    for (const QRect &rect : r)
        a += static_cast<long long>(rect.width()) * rect.height();
    return a;
}

// Runs the event loop without sleeping until done() holds or `ms` pass.
template <typename Done>
bool Spin(Done done, int ms)
{
    const long long deadline = bench::MonotonicNs() + ms * 1'000'000LL;
    while (!done()) {
        if (bench::MonotonicNs() > deadline)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    return true;
}

void SendMouse(QWidget *w, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent e(type, QPointF(pos), QPointF(w->mapTo(w->window(), pos)), QPointF(w->mapToGlobal(pos)), button,
                  buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void Click(QWidget *w, QPoint pos)
{
    SendMouse(w, QEvent::MouseButtonPress, pos, Qt::LeftButton, Qt::LeftButton);
    SendMouse(w, QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton);
}

// The game's window, watched from the first event on: opened on a program
// folder and shown on the whole screen, or, for the start-up, opened exactly
// as main() opens it.
class Session {
public:
    enum class Opening { Plain, AsMain };

    explicit Session(const QString &programDir, Opening opening = Opening::Plain)
    {
        qApp->installEventFilter(&spy);
        if (opening == Opening::AsMain) {
            openAsMain(programDir);
            return;
        }
        window = std::make_unique<MainWindow>(programDir);
        const QString problem = window->turn().readResults();
        if (!problem.isEmpty())
            std::fprintf(stderr, "bench_window: %s\n", qPrintable(problem));
        // A frame is on the screen when the window has composed the 3D view:
        // frameSwapped for a view that draws into the window's OpenGL
        // composition; otherwise the return to the event loop after the
        // view's paint, which comes after the repaint's flush.
        watchFrames(window->view());
        window->showOnScreen();
    }
    ~Session() { qApp->removeEventFilter(&spy); }

    bool sheetsPainted() const
    {
        for (Sheet s : AllSheets)
            if (spy.of(window->sheetWidget(s)) == 0)
                return false;
        return true;
    }

    // The first frame with the 3D view and the three sheets on the screen.
    void waitFirstFrame()
    {
        if (!bench::WaitFor([this] { return firstCompleteNs != 0; }, 30'000)) {
            std::fprintf(stderr, "bench_window: no complete frame within 30 s\n");
            std::exit(1);
        }
    }

    // Past the half second in which the sheets ignore the mouse.
    void waitInputGuard()
    {
        if (!bench::WaitFor(
                [this] {
                    for (Sheet s : AllSheets)
                        if (!window->turn().game().Input(s).InputEnabled())
                            return false;
                    return true;
                },
                5000)) {
            std::fprintf(stderr, "bench_window: the sheets never took input\n");
            std::exit(1);
        }
    }

    QPoint pixel(LatticePoint p) const
    {
        const SheetLattice &l = window->lattice();
        return {p.col * l.CellWidth, p.row * l.CellHeight};
    }

    // A stroke drawn as the player draws it: click, move, click.
    void drawStroke(Sheet sheet, const Stroke &s)
    {
        SheetWidget *w = window->sheetWidget(sheet);
        const QPoint a = pixel(s.Start());
        const QPoint b = pixel(s.End());
        Click(w, a);
        SendMouse(w, QEvent::MouseMove, (a + b) / 2, Qt::NoButton, Qt::NoButton);
        Click(w, b);
        QCoreApplication::processEvents();
    }

    void reportRenderer()
    {
        bench::Info("renderer", bench::RendererOfNewContext());
        bench::Info("screen", std::to_string(window->width()) + "x" + std::to_string(window->height()));
        bench::Result("view_size", window->layout().ViewSize);
    }

    PaintSpy spy;
    std::unique_ptr<QSettings> settingsFile;
    std::unique_ptr<SettingsStore> settingsStore;
    std::unique_ptr<MainWindow> window;
    int swaps = 0;  // frames put on the screen
    long long firstCompleteNs = 0;
    QString language;  // the catalogue installed, opened as main() does

private:
    // What main() does between its application object and the event loop,
    // with `programDir` as the program's folder: the settings read through
    // QSettings, the translations installed, the folders found, the window
    // made, set up and shown as the settings say, the results read.
    void openAsMain(const QString &programDir)
    {
        settingsFile = std::make_unique<QSettings>();
        settingsStore = std::make_unique<SettingsStore>(*settingsFile);
        const GameSettings settings = settingsStore->load();
        language = InstallTranslations(*qApp, settings.language);
        const GameLocations where =
            FindLocations(programDir, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
        QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.trivisto.Trivisto"),
                                                     QIcon(where.dataDir + QStringLiteral("trivisto.png"))));
        window = std::make_unique<MainWindow>(where.dataDir, where.resultsPath());
        window->applySettings(settings);
        window->setSettingsStore(settingsStore.get());
        if (settings.level != 0)
            window->startAtLevel(settings.level);
        QString problem;
        if (!QDir().mkpath(where.recordsDir))
            problem = QStringLiteral("the records folder could not be made");
        const QString results = window->turn().readResults();
        if (!results.isEmpty())
            problem = results;
        if (!problem.isEmpty()) {
            // main() would show a message box: a start-up that is not the game's.
            std::fprintf(stderr, "bench_window: %s\n", qPrintable(problem));
            std::exit(1);
        }
        watchFrames(window->view());
        window->showAsSettled();
    }

    template <typename View>
    void watchFrames(View *view)
    {
        if constexpr (std::is_base_of_v<QOpenGLWidget, View>) {
            QObject::connect(view, &QOpenGLWidget::frameSwapped, [this] { onFrame(); });
        } else {
            spy.painted = [this, view](const QObject *o) {
                if (o != view || m_framePending)
                    return;
                m_framePending = true;
                QTimer::singleShot(0, [this] {
                    m_framePending = false;
                    onFrame();
                });
            };
        }
    }

    void onFrame()
    {
        ++swaps;
        if (firstCompleteNs == 0 && sheetsPainted() && spy.of(window->view()) > 0)
            firstCompleteNs = bench::MonotonicNs();
    }
    bool m_framePending = false;
};

QString ScratchProgramDir(QTemporaryDir &dir)
{
    if (!dir.isValid()) {
        std::fprintf(stderr, "bench_window: no temporary folder\n");
        std::exit(1);
    }
    PrepareProgramDir(fs::path(dir.path().toStdString()));
    return dir.path() + QStringLiteral("/");
}

// Every line a player can draw between two different lattice points, in a
// fixed order that mixes lengths and directions.
std::vector<Stroke> DistinctStrokes()
{
    std::vector<Stroke> all;
    for (int a = 0; a < 25; ++a)
        for (int b = a + 1; b < 25; ++b)
            all.emplace_back(a % 5 + 1, a / 5 + 1, b % 5 + 1, b / 5 + 1);
    std::vector<Stroke> mixed;
    for (std::size_t i = 0; i < all.size(); ++i)
        mixed.push_back(all[(i * 97) % all.size()]);  // 97 is prime to 300
    return mixed;
}

// ---- Modes -------------------------------------------------------------------

// Files of this process open on a path ending in `name`.
int OpenFilesNamed(const std::string &name)
{
    int n = 0;
    std::error_code ec;
    for (const fs::directory_entry &e : fs::directory_iterator("/proc/self/fd", ec)) {
        const std::string target = fs::read_symlink(e.path(), ec).string();
        if (!ec && target.size() >= name.size() && target.compare(target.size() - name.size(), name.size(), name) == 0)
            ++n;
    }
    return n;
}

int Startup(const QString &programDir)
{
    const long long launched = bench::LaunchNs();
    // As the game's main() with no arguments: the command line read, the same
    // surface format, application and names, then the window as it opens it.
    const CommandLine commandLine = ParseCommandLine({QStringLiteral("trivisto")});
    if (commandLine.action != CommandLine::Action::Play)
        return 1;
    FigureView::UseDefaultSurfaceFormat();
    int argc = 1;
    char name[] = "bench_window";
    char *argv[] = {name, nullptr};
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("trivisto"));
    QApplication::setApplicationName(QStringLiteral("trivisto"));
    QApplication::setApplicationVersion(QStringLiteral(TRIVISTO_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.trivisto.Trivisto"));
    Session session(programDir, Session::Opening::AsMain);
    session.waitFirstFrame();
    bench::Result("first_frame_ms", static_cast<double>(session.firstCompleteNs - launched) / 1e6);
    // The history is opened at its first use, never at the start.
    bench::Result("history_files_open", OpenFilesNamed(History::FileName));
    bench::Result("translated", session.language == QLatin1String("ru") ? 1 : 0);
    return 0;
}

// Starts `args` with the launch moment in its environment; returns its RESULT
// lines as key -> value, empty when it failed.
std::map<std::string, double> Launch(const std::vector<std::string> &args, const std::vector<std::string> &extraEnv = {})
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);

    std::vector<std::string> argsCopy = args;
    std::vector<char *> argv;
    for (std::string &a : argsCopy)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<std::string> env;
    for (char **e = environ; *e; ++e) {
        const bool replaced = std::any_of(extraEnv.begin(), extraEnv.end(), [e](const std::string &x) {
            return std::strncmp(*e, x.c_str(), x.find('=') + 1) == 0;
        });
        if (!replaced && std::strncmp(*e, bench::StartEnv, std::strlen(bench::StartEnv)) != 0)
            env.emplace_back(*e);
    }
    env.insert(env.end(), extraEnv.begin(), extraEnv.end());

    // The launch moment; the few microseconds spent on the environment after
    // it count for both programs alike.
    env.push_back(std::string(bench::StartEnv) + "=" + std::to_string(bench::MonotonicNs()));
    std::vector<char *> envp;
    for (std::string &e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (rc != 0) {
        close(pipeFds[0]);
        return {};
    }
    std::string out;
    char buf[4096];
    for (ssize_t n; (n = read(pipeFds[0], buf, sizeof buf)) > 0;)
        out.append(buf, static_cast<std::size_t>(n));
    close(pipeFds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    std::map<std::string, double> results;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return results;
    std::size_t at = 0;
    for (std::size_t end; (end = out.find('\n', at)) != std::string::npos; at = end + 1) {
        const std::string line = out.substr(at, end - at);
        if (line.rfind("RESULT ", 0) != 0)
            continue;
        const std::size_t space = line.find(' ', 7);
        if (space != std::string::npos)
            results[line.substr(7, space - 7)] = std::atof(line.c_str() + space + 1);
    }
    return results;
}

int StartupSeries(int runs)
{
    char templ[] = "/tmp/trivisto-startup-XXXXXX";
    if (!mkdtemp(templ)) {
        std::perror("bench_window: mkdtemp");
        return 1;
    }
    // Two program folders, the same but for a history of a year's 100,000
    // turns in the second, and the player's settings as the game writes them
    // (in Russian, so that both catalogues are installed), read by both.
    const fs::path dir(templ);
    const fs::path plainDir = dir / "plain";
    const fs::path historyDir = dir / "history";
    for (const fs::path &d : {plainDir, historyDir}) {
        fs::create_directories(d);
        PrepareProgramDir(d);
    }
    benchhistory::WriteHistory(historyDir, 100'000);
    const fs::path config = dir / "config";
    {
        QSettings file(QString::fromStdString((config / "trivisto" / "trivisto.conf").string()), QSettings::IniFormat);
        GameSettings settings;
        settings.language = QStringLiteral("ru");
        if (!SettingsStore(file).save(settings)) {
            std::fprintf(stderr, "bench_window: the settings could not be written in %s\n", config.c_str());
            return 1;
        }
    }
    const std::vector<std::string> env{"XDG_CONFIG_HOME=" + config.string()};
    const std::string self = (ExecutableDir() / "bench_window").string();
    const std::string baseline = (ExecutableDir() / "baseline_window").string();
    const std::vector<std::vector<std::string>> programs{
        {self, "startup", plainDir.string() + "/"}, {self, "startup", historyDir.string() + "/"}, {baseline}};
    const std::array<const char *, 3> keys{"first_frame_ms", "first_frame_ms", "baseline_first_frame_ms"};

    // One of each first, so all find the libraries in the page cache.
    for (const auto &p : programs)
        Launch(p, env);
    std::array<std::vector<double>, 3> ms;
    double historyFilesOpen = 0;
    double translated = 1;  // every start-up of the game installed the Russian catalogue
    bool failed = false;
    for (int i = 0; i < runs && !failed; ++i) {
        // Take turns at going first, so none always follows another.
        for (int k = 0; k < 3; ++k) {
            const std::size_t which = static_cast<std::size_t>((i + k) % 3);
            const std::map<std::string, double> r = Launch(programs[which], env);
            const auto it = r.find(keys[which]);
            if (it == r.end()) {
                std::fprintf(stderr, "bench_window: a start-up of %s failed\n", programs[which][0].c_str());
                failed = true;
                break;
            }
            ms[which].push_back(it->second);
            if (which == 1)
                historyFilesOpen = std::max(historyFilesOpen, r.count("history_files_open") ? r.at("history_files_open") : 1);
            if (which != 2)
                translated = std::min(translated, r.count("translated") ? r.at("translated") : 0);
        }
    }
    fs::remove_all(dir);
    if (failed)
        return 1;
    std::string runsText;
    for (std::size_t i = 0; i < ms[0].size(); ++i)
        runsText += std::to_string(std::lround(ms[0][i])) + "/" + std::to_string(std::lround(ms[1][i])) + "/" +
                    std::to_string(std::lround(ms[2][i])) + " ";
    bench::Info("startup_runs_ms_plain/history/baseline", runsText);
    bench::Result("startup_ms", bench::Median(ms[0]));
    bench::Result("startup_history_ms", bench::Median(ms[1]));
    bench::Result("baseline_startup_ms", bench::Median(ms[2]));
    bench::Result("startup_history_files_open", historyFilesOpen);
    bench::Result("startup_translated", translated);
    return 0;
}

// In the build exercise the level-84 walk is built segment by segment as the
// player builds it, and a segment is begun at the cube's centre, so every
// frame draws the 125 dots, the built figure and the rubber band.
int Drag(Exercise exercise)
{
    QTemporaryDir dir;
    Session session(ScratchProgramDir(dir));
    session.waitFirstFrame();
    session.reportRenderer();
    MainWindow &w = *session.window;
    // The largest figure: the most lines to draw per frame. The level is
    // chosen as the player chooses it: New takes the chosen level, not the
    // board's.
    w.turn().setLevel(MaxLevel);
    w.turn().newTurn();
    FigureView *view = w.view();
    bench::WaitFor([&] { return session.spy.of(view) > 0; }, 2000);
    bench::Idle(200);
    if (exercise == Exercise::Build) {
        TurnSession &rules = w.turn().session();
        w.turn().chooseExercise(Exercise::Build);
        // The view takes no clicks for half a second after an activation.
        bench::WaitFor([&] { return rules.Board().Builder().AcceptsInput(); }, 2000);
        const Figure &figure = rules.Board().CurrentFigure();
        for (int i = Figure::FirstShown + 1; i <= figure.LastShown(); ++i) {
            const FigureSegment &e = figure.entry[static_cast<std::size_t>(i)];
            rules.BuildAt(LatticeOf(e.start));
            rules.BuildAt(LatticeOf(e.end));
        }
        if (rules.BuildAt(LatticePoint3{2, 2, 2}).press != BuildInput::Press::Began) {
            std::fprintf(stderr, "bench_window: no segment begun\n");
            return 1;
        }
        view->update();
        bench::Idle(200);
    }

    const QPoint centre = view->rect().center();
    const double radius = view->width() * 0.3;
    SendMouse(view, QEvent::MouseButtonPress, centre, Qt::LeftButton, Qt::LeftButton);
    Spin([&] { return false; }, 50);

    session.spy.timed = view;
    session.spy.totalPaintNs = 0;
    session.spy.timedPaints = 0;
    const int moves = 1000;
    const int swaps0 = session.swaps;
    int late = 0;
    const long long t0 = bench::MonotonicNs();
    for (int i = 1; i <= moves; ++i) {
        const double a = i * 0.05;
        const QPoint p = centre + QPoint(static_cast<int>(radius * std::cos(a)), static_cast<int>(radius * std::sin(a)));
        const int want = session.swaps + 1;
        SendMouse(view, QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton);
        if (!Spin([&] { return session.swaps >= want; }, 1000))
            ++late;
    }
    const long long t1 = bench::MonotonicNs();
    SendMouse(view, QEvent::MouseButtonRelease, centre, Qt::LeftButton, Qt::NoButton);
    const int frames = session.swaps - swaps0;
    session.spy.timed = nullptr;

    bench::Result("drag_moves", moves);
    bench::Result("drag_frames", frames);
    bench::Result("drag_moves_without_frame", late);
    bench::Result("drag_ms_per_frame", static_cast<double>(t1 - t0) / 1e6 / std::max(frames, 1));
    bench::Result("drag_paint_ms_per_frame",
                  static_cast<double>(session.spy.totalPaintNs) / 1e6 / std::max(session.spy.timedPaints, 1));
    // Whether the frames show smoothed lines: edges blended into the
    // background give hundreds of shades, unblended lines a handful of colours.
    const QImage frame = view->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
    QSet<QRgb> colours;
    for (int y = 0; y < frame.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(frame.constScanLine(y));
        for (int x = 0; x < frame.width(); ++x)
            colours.insert(line[x]);
    }
    bench::Result("drag_frame_colours", static_cast<double>(colours.size()));
    bench::Result("figure_level", w.turn().game().FigureLevel());
    if (exercise == Exercise::Build) {
        const Game &game = w.turn().game();
        bench::Result("built_segments", static_cast<double>(game.Built().Segments().size()));
        bench::Result("segment_begun", game.Builder().Begun() ? 1 : 0);
    }
    return 0;
}

int SheetBench()
{
    QTemporaryDir dir;
    Session session(ScratchProgramDir(dir));
    session.waitFirstFrame();
    session.waitInputGuard();
    MainWindow &w = *session.window;
    w.turn().setLevel(MaxLevel);
    w.turn().newTurn();
    QCoreApplication::processEvents();

    SheetWidget *sheet = w.sheetWidget(Sheet::X);
    const std::vector<Stroke> strokes = DistinctStrokes();
    for (int i = 0; i < SlotCount; ++i)
        session.drawStroke(Sheet::X, strokes[static_cast<std::size_t>(i)]);
    const SheetStrokes &held = w.turn().game().Input(Sheet::X).Strokes();
    int kept = 0;
    for (int slot = 1; slot <= held.LastUsedSlot(); ++slot)
        kept += held[slot].IsEmpty() ? 0 : 1;
    if (kept != SlotCount) {
        std::fprintf(stderr, "bench_window: the sheet holds %d strokes, not %d\n", kept, SlotCount);
        return 1;
    }
    Spin([] { return false; }, 100);

    // A full repaint of the sheet: the paint handler alone, and the whole
    // synchronous repaint including putting it on the screen.
    session.spy.timed = sheet;
    std::vector<double> paintMs, repaintMs;
    int deferred = 0;
    for (int i = 0; i < 100; ++i) {
        const int want = session.spy.of(sheet) + 1;
        const long long t0 = bench::MonotonicNs();
        sheet->repaint();
        // Qt may put a synchronous repaint off (while the window's last frame
        // is still being composed); then it counts until the paint has run.
        if (session.spy.of(sheet) < want) {
            ++deferred;
            if (!Spin([&] { return session.spy.of(sheet) >= want; }, 1000))
                continue;
        }
        const long long t1 = bench::MonotonicNs();
        repaintMs.push_back(static_cast<double>(t1 - t0) / 1e6);
        paintMs.push_back(static_cast<double>(session.spy.lastPaintNs) / 1e6);
    }
    session.spy.timed = nullptr;
    bench::Result("sheet_strokes", kept);
    bench::Result("sheet_repaints_deferred", deferred);
    bench::Result("sheet_paint_ms", bench::Median(paintMs));
    bench::Result("sheet_repaint_ms", bench::Median(repaintMs));

    // The rubber band: begin a stroke in the middle of the sheet, then move the
    // pointer around it. Every paint event of the window is recorded.
    const QPoint start = session.pixel({3, 3});
    Click(sheet, start);
    Spin([] { return false; }, 50);
    if (!sheet->rubberBandShown()) {
        std::fprintf(stderr, "bench_window: no stroke begun on the sheet\n");
        return 1;
    }
    // The band is a line of the stroke pen; its box reaches one pen width
    // plus a pixel of smoothing beyond the line's ends.
    const int reach = 3 + 1;
    auto box = [&](QPoint end) { return QRect(start, end).normalized().adjusted(-reach, -reach, reach, reach); };
    const double radius = sheet->width() * 0.35;
    QPoint previous = start;
    // The turn's clock repaints the status lines once a second; it is held
    // for the band's run so every paint recorded is the band's own. It is the
    // turn controller's running one-second timer (the input guards are
    // half-second single shots).
    QTimer *clock = nullptr;
    for (QTimer *t : w.turn().findChildren<QTimer *>())
        if (t->isActive() && t->interval() == 1000 && !t->isSingleShot())
            clock = t;
    if (clock)
        clock->stop();
    Spin([] { return false; }, 50);
    std::vector<double> moveUs, paintedArea, boxArea;
    long long worstExcess = 0;
    int otherPaints = 0;
    int missed = 0;
    session.spy.recording = true;
    for (int i = 1; i <= 300; ++i) {
        const double a = i * 0.11;
        const QPoint end = start + QPoint(static_cast<int>(radius * std::cos(a) * (0.3 + 0.7 * std::fabs(std::sin(a * 0.41)))),
                                          static_cast<int>(radius * std::sin(a) * (0.3 + 0.7 * std::fabs(std::cos(a * 0.29)))));
        session.spy.seen.clear();
        const int want = session.spy.of(sheet) + 1;
        // The snap mark may move with the band: its boxes are the sheet's due.
        QRegion markBoxes;
        if (const auto mark = sheet->snapMarkRect())
            markBoxes += *mark;
        const long long t0 = bench::MonotonicNs();
        SendMouse(sheet, QEvent::MouseMove, end, Qt::NoButton, Qt::NoButton);
        if (!Spin([&] { return session.spy.of(sheet) >= want; }, 1000)) {
            ++missed;
            continue;
        }
        const long long t1 = bench::MonotonicNs();
        moveUs.push_back(static_cast<double>(t1 - t0) / 1e3);
        if (const auto mark = sheet->snapMarkRect())
            markBoxes += *mark;
        const QRegion allowed = QRegion(box(previous)) + QRegion(box(end)) + markBoxes;
        QRegion painted;
        for (const auto &[who, region] : session.spy.seen) {
            if (who == sheet)
                painted += region;
            else
                ++otherPaints;
        }
        worstExcess = std::max(worstExcess, Area(painted - allowed));
        paintedArea.push_back(static_cast<double>(Area(painted)));
        boxArea.push_back(static_cast<double>(Area(allowed)));
        previous = end;
    }
    session.spy.recording = false;
    if (clock)
        clock->start();
    bench::Result("band_moves_without_paint", missed);
    bench::Result("band_move_us", bench::Median(moveUs));
    bench::Result("band_painted_px", bench::Median(paintedArea));
    bench::Result("band_box_px", bench::Median(boxArea));
    bench::Result("band_excess_px_worst", static_cast<double>(worstExcess));
    bench::Result("band_other_widget_paints", otherPaints);
    bench::Result("sheet_px", static_cast<double>(sheet->width()) * sheet->height());
    bench::Result("window_px", static_cast<double>(w.width()) * w.height());
    return 0;
}

int IdleBench(int seconds)
{
    QTemporaryDir dir;
    Session session(ScratchProgramDir(dir));
    session.waitFirstFrame();
    bench::Idle(1000);
    int paints0 = 0;
    for (int n : session.spy.count)
        paints0 += n;
    const int swaps0 = session.swaps;
    const double cpu0 = bench::CpuSeconds();
    bench::Idle(seconds * 1000);
    const double cpu = bench::CpuSeconds() - cpu0;
    int paints = 0;
    for (int n : session.spy.count)
        paints += n;
    bench::Result("idle_seconds", seconds);
    bench::Result("idle_cpu_s", cpu);
    bench::Result("idle_frames", session.swaps - swaps0);
    bench::Result("idle_paint_events", paints - paints0);
    return 0;
}

int Memory()
{
    QTemporaryDir dir;
    const QString programDir = ScratchProgramDir(dir);
    Session session(programDir);
    session.waitFirstFrame();
    bench::Result("shown_vmhwm_kb", static_cast<double>(bench::StatusKb("VmHWM")));
    session.waitInputGuard();
    MainWindow &w = *session.window;

    // New, the figure drawn right on all three sheets, Check: a record, so the
    // name window opens and the record is saved.
    w.turn().newTurn();
    bench::Idle(300);
    for (Sheet s : AllSheets) {
        std::set<std::pair<LatticePoint, LatticePoint>> lines;
        for (const Stroke &t : w.game().TrueSegments(s)) {
            if (t.IsEmpty() || t.Start() == t.End())
                continue;
            const LatticePoint a = t.Start();
            const LatticePoint b = t.End();
            if (lines.insert(a < b ? std::pair(a, b) : std::pair(b, a)).second)
                session.drawStroke(s, t);
        }
    }
    bool named = false;
    long long okNs = 0;
    QTimer::singleShot(300, [&] {
        RecordNameDialog *name = w.nameDialog();
        auto *edit = name->findChild<QLineEdit *>(QStringLiteral("nameEdit"));
        auto *ok = name->findChild<QPushButton *>(QStringLiteral("okButton"));
        if (edit && ok && name->isVisible()) {
            edit->setText(QStringLiteral("Bench"));
            okNs = bench::MonotonicNs();
            ok->click();
            named = true;
        }
    });
    w.turn().check();
    // From the name window's OK to the window taking events again: the
    // record's save and the activation that follows it.
    const long long readyNs = bench::MonotonicNs();
    bench::Idle(800);
    QFile stat(programDir + QStringLiteral("Stat.txt"));
    const bool saved = stat.open(QIODevice::ReadOnly) && stat.readAll().startsWith("Bench,");
    bench::Result("turn_score", w.game().Score());
    bench::Result("turn_record_saved", named && saved ? 1 : 0);
    if (okNs)
        bench::Result("record_ok_to_ready_ms", static_cast<double>(readyNs - okNs) / 1e6);
    bench::Result("turn_vmhwm_kb", static_cast<double>(bench::StatusKb("VmHWM")));
    return 0;
}

// Watches the paints of one top-level window: which widgets painted, and
// when the event loop was last reached after a paint (after its flush).
class WindowPaints : public QObject {
public:
    explicit WindowPaints(QWidget *window) : m_window(window) { qApp->installEventFilter(this); }
    ~WindowPaints() override { qApp->removeEventFilter(this); }

    QSet<const QObject *> painted;
    long long lastPaintNs = 0;
    long long flushedNs = 0;

    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::Paint && o->isWidgetType() && static_cast<QWidget *>(o)->window() == m_window) {
            painted.insert(o);
            lastPaintNs = bench::MonotonicNs();
            if (!m_flushPending) {
                m_flushPending = true;
                QTimer::singleShot(0, this, [this] {
                    m_flushPending = false;
                    flushedNs = bench::MonotonicNs();
                });
            }
        }
        return false;
    }

private:
    QWidget *m_window;
    bool m_flushPending = false;
};

// The statistics window as the player opens it on a history that is already
// open: made, given the history (which reads it and builds the charts),
// shown, and drawn: every chart painted and on the screen. Returns the ms
// from its making to the return to the event loop after the last paint, no
// paint coming for 300 ms after it; and the ms of a refresh alone.
std::pair<double, double> OpenStatistics(History &history)
{
    const long long t0 = bench::MonotonicNs();
    auto dialog = std::make_unique<StatisticsDialog>();
    WindowPaints paints(dialog.get());
    dialog->setHistory(&history);
    dialog->show();
    std::vector<const QObject *> charts;
    // The charts of the tab that shows (the progress charts); the coach's tab
    // is filled by the same refresh but drawn only when chosen.
    for (QChartView *v : dialog->findChildren<QChartView *>())
        if (v->isVisibleTo(dialog.get()))
            charts.push_back(v->viewport());
    const bool drawn = bench::WaitFor(
        [&] {
            for (const QObject *c : charts)
                if (!paints.painted.contains(c))
                    return false;
            return paints.flushedNs > paints.lastPaintNs && bench::MonotonicNs() - paints.lastPaintNs > 300'000'000;
        },
        30'000);
    if (!drawn || charts.size() != 5) {
        std::fprintf(stderr, "bench_window: the statistics window was not drawn (%d charts)\n",
                     static_cast<int>(charts.size()));
        std::exit(1);
    }
    const double openMs = static_cast<double>(paints.flushedNs - t0) / 1e6;
    const long long r0 = bench::MonotonicNs();
    dialog->refresh();
    const double refreshMs = static_cast<double>(bench::MonotonicNs() - r0) / 1e6;
    return {openMs, refreshMs};
}

int StatisticsBench(int rounds)
{
    // A year of 100 turns (on as many days) and a year of 100,000.
    const std::array<int, 2> sizes{100, 100'000};
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    std::array<History, 2> histories;
    std::array<double, 2> openedMs{};
    for (std::size_t i = 0; i < 2; ++i) {
        const fs::path folder = fs::path(dir.path().toStdString()) / std::to_string(sizes[i]);
        fs::create_directories(folder);
        benchhistory::WriteHistory(folder, sizes[i]);
        // Opened at its first use, as the game does: the file checked whole.
        const long long t0 = bench::MonotonicNs();
        const HistoryStatus s = histories[i].Open(folder.string());
        openedMs[i] = static_cast<double>(bench::MonotonicNs() - t0) / 1e6;
        if (!s.ok || s.error != HistoryError::None) {
            std::fprintf(stderr, "bench_window: %s\n", DescribeHistoryStatus(s).c_str());
            return 1;
        }
    }
    // One of each first: the first window loads what every later one shares.
    for (History &h : histories)
        OpenStatistics(h);
    std::array<std::vector<double>, 2> open, refresh;
    for (int r = 0; r < rounds; ++r)
        for (std::size_t k = 0; k < 2; ++k) {
            const std::size_t i = (static_cast<std::size_t>(r) + k) % 2;
            const auto [o, f] = OpenStatistics(histories[i]);
            open[i].push_back(o);
            refresh[i].push_back(f);
        }
    for (std::size_t i = 0; i < 2; ++i) {
        const std::string n = std::to_string(sizes[i]);
        bench::Result(("stats_open_ms_" + n).c_str(), bench::Median(open[i]));
        bench::Result(("stats_refresh_ms_" + n).c_str(), bench::Median(refresh[i]));
        bench::Result(("history_first_open_ms_" + n).c_str(), openedMs[i]);
    }
    bench::Result("stats_rounds", rounds);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "startup-series")
        return StartupSeries(argc > 2 ? std::atoi(argv[2]) : 10);
    if (mode == "startup" && argc > 2)
        return Startup(QString::fromLocal8Bit(argv[2]));

    bench::SetGameSurfaceFormat();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Trivisto"));
    if (mode == "drag")
        return Drag(Exercise::Views);
    if (mode == "drag-build")
        return Drag(Exercise::Build);
    if (mode == "sheet")
        return SheetBench();
    if (mode == "idle")
        return IdleBench(argc > 2 ? std::atoi(argv[2]) : 60);
    if (mode == "memory")
        return Memory();
    if (mode == "statistics")
        return StatisticsBench(argc > 2 ? std::atoi(argv[2]) : 10);
    std::fprintf(stderr, "usage: bench_window startup-series N | startup DIR | drag | drag-build | sheet | idle S | "
                         "memory | statistics N\n");
    return 2;
}
