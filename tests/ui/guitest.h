#pragma once
// Helpers shared by the GUI tests: a throw-away program folder per window,
// strokes drawn with real mouse events, pixel reads, and modal windows handled
// from a timer (exec() does not return to the test until they close).

#include "ui/app/applook.h"
#include "ui/window/mainwindow.h"
#include "ui/sheets/sheetwidget.h"
#include "ui/view3d/figureview.h"

#include <QtTest>
#include <QtWidgets>

#include <algorithm>
#include <functional>
#include <vector>

// The 3D view draws with fixed-function OpenGL: the default format has to be
// in place before the application object exists.
#define TRIVISTO_GUI_TEST_MAIN(TestClass)                                                                              \
    int main(int argc, char *argv[])                                                                                   \
    {                                                                                                                  \
        FigureView::UseDefaultSurfaceFormat();                                                                         \
        QApplication app(argc, argv);                                                                                  \
        TestClass test;                                                                                                \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }

namespace guitest {

inline const QStringList Sounds{"sett.wav", "3.wav", "4.wav"};
inline const QStringList Documents{"readme.txt", "manual.html", "readme.ru.txt", "manual.ru.html", "panel.jpg", "emblem.png",
                                     "panel@2x.jpg", "emblem@2x.png"};

// A copy of the files the program finds beside itself, so a test never writes
// the build's results file and can leave files out. Stat.txt is not copied.
class ProgramFolder {
public:
    explicit ProgramFolder(const QStringList &files = Sounds + Documents)
    {
        for (const QString &f : files)
            QFile::copy(QCoreApplication::applicationDirPath() + QLatin1Char('/') + f, file(f));
    }
    QString path() const { return m_dir.path() + QLatin1Char('/'); }
    QString file(const QString &name) const { return m_dir.filePath(name); }
    QByteArray read(const QString &name) const
    {
        QFile f(file(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private:
    QTemporaryDir m_dir;
};

// A control of the window (or a dialog) by its object name.
template <class T = QWidget>
T *control(const QWidget *parent, const char *name) { return parent->findChild<T *>(QString::fromLatin1(name)); }

inline void clickButton(const QWidget *parent, const char *name) { QTest::mouseClick(control(parent, name), Qt::LeftButton); }

inline bool allSheetsTakeInput(MainWindow &w)
{
    return std::ranges::all_of(AllSheets, [&](Sheet s) { return w.game().Input(s).InputEnabled(); });
}

// Shows the window over the screen and waits out the first activation's guard.
inline bool showReady(MainWindow &w)
{
    w.showOnScreen();
    return QTest::qWaitForWindowExposed(&w) && QTest::qWaitFor([&] { return allSheetsTakeInput(w); }, 3000);
}

// Keys go where a player's keys go: to the widget with the focus, if any.
inline QWidget *keyTarget(QWidget *window)
{
    QWidget *focus = QApplication::focusWidget();
    return focus && window->isAncestorOf(focus) ? focus : window;
}

// Where lattice point (col, row) is on a sheet; fractions fall between dots.
inline QPoint pixelOf(const MainWindow &w, double col, double row)
{
    return {static_cast<int>(col * w.lattice().CellWidth), static_cast<int>(row * w.lattice().CellHeight)};
}

// Mouse events enter through the window, as the window system's do, and Qt
// finds the widget under the pointer. (QTest's widget overloads would warp the
// shared X pointer for a move without a button, and the move would arrive
// whenever the X server echoes it.)
inline void mouse(QTest::MouseAction action, QWidget *w, QPoint p, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mouseEvent(action, w->window()->windowHandle(), button, {}, w->mapTo(w->window(), p));
}

inline void click(QWidget *w, QPoint p)
{
    mouse(QTest::MousePress, w, p);
    mouse(QTest::MouseRelease, w, p);
}

// Moves by way of a point between: a move to the pointer's last position is
// no move at all.
inline void moveAlong(QWidget *w, QPoint from, QPoint to)
{
    mouse(QTest::MouseMove, w, (from + to) / 2);
    mouse(QTest::MouseMove, w, to);
}

// Click, move, click: how a player draws one stroke.
inline void drawStroke(QWidget *sheet, QPoint from, QPoint to)
{
    click(sheet, from);
    moveAlong(sheet, from, to);
    click(sheet, to);
}

// Draws a sheet's true projection, each line once: a line drawn twice would
// erase itself.
inline void drawTruth(MainWindow &w, Sheet s)
{
    std::vector<Stroke> drawn;
    for (const Stroke &t : w.game().TrueSegments(s)) {
        if (t.IsEmpty() || t.Start() == t.End() || std::ranges::any_of(drawn, [&](auto &d) { return d.SameLine(t); }))
            continue;
        drawn.push_back(t);
        drawStroke(w.sheetWidget(s), pixelOf(w, t.StartCol, t.StartRow), pixelOf(w, t.EndCol, t.EndRow));
    }
}

// The colour a pixel of a widget shows.
inline QColor shown(QWidget *w, QPoint p) { return w->grab().toImage().pixelColor(p); }

// A sheet's colours in Light, the look every test starts in.
inline const SheetColours &lightSheet() { return ColoursOf(Scheme::Light).sheet; }
inline QColor sheetBackground() { return ToQColor(lightSheet().background); }
inline QColor strokeColour() { return ToQColor(lightSheet().usual.stroke); }
inline QColor truthColour() { return ToQColor(lightSheet().usual.truth); }

// Runs act on the first modal window of type W that shows within timeoutMs.
// If none does, whatever modal window is open is closed so the test cannot hang
// in exec(); the test then notices that act never ran. The watch ends with
// context (the test's window), so it cannot act on a later test's window.
template <class W>
void whenModal(QObject *context, std::function<void(W *)> act, int timeoutMs = 5000)
{
    auto *timer = new QTimer(context);
    const QDeadlineTimer deadline(timeoutMs);
    QObject::connect(timer, &QTimer::timeout, context, [=] {
        QWidget *modal = QApplication::activeModalWidget();
        W *match = modal && modal->isVisible() ? qobject_cast<W *>(modal) : nullptr;
        if (!match && !deadline.hasExpired())
            return;
        timer->stop();
        timer->deleteLater();
        if (match)
            act(match);
        else if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
    });
    timer->start(20);
}

} // namespace guitest

Q_DECLARE_METATYPE(Stroke)
Q_DECLARE_METATYPE(Scheme)

inline char *toString(const Stroke &s)
{
    return QTest::toString(QStringLiteral("(%1,%2)-(%3,%4)").arg(s.StartCol).arg(s.StartRow).arg(s.EndCol).arg(s.EndRow));
}
