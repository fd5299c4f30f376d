// Plays one turn on the real main window and saves a picture of the checked
// turn: trivisto_screenshot OUTPUT.png [WIDTHxHEIGHT is the X screen's size].
// The turn is drawn partly right and partly wrong so the picture shows green
// strokes, red projection lines left undrawn and the result line.
#include "game/mainwindow.h"
#include "results/recordnamedialog.h"
#include "sheets/sheetwidget.h"
#include "view3d/figureview.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>

namespace {

void Click(QWidget *w, QPoint p)
{
    QTest::mousePress(w, Qt::LeftButton, {}, p);
    QTest::mouseRelease(w, Qt::LeftButton, {}, p);
}

void DrawStroke(MainWindow &window, Sheet sheet, const Stroke &s)
{
    SheetWidget *w = window.sheetWidget(sheet);
    const SheetLattice &l = window.lattice();
    const QPoint a(s.StartCol * l.CellWidth, s.StartRow * l.CellHeight);
    const QPoint b(s.EndCol * l.CellWidth, s.EndRow * l.CellHeight);
    Click(w, a);
    QTest::mouseMove(w, (a + b) / 2);
    Click(w, b);
}

} // namespace

int main(int argc, char *argv[])
{
    FigureView::UseDefaultSurfaceFormat();
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: trivisto_screenshot OUTPUT.png\n");
        return 2;
    }

    // Play in a copy of the program's folder so the picture's record does not
    // land in the real results file.
    QTemporaryDir dir;
    const QString source = QApplication::applicationDirPath() + QStringLiteral("/");
    for (const QString &f : QDir(source).entryList({QStringLiteral("*.wav"), QStringLiteral("*.jpg"),
                                                    QStringLiteral("*.png"), QStringLiteral("*.txt"),
                                                    QStringLiteral("*.html")}))
        QFile::copy(source + f, dir.filePath(f));
    QFile::remove(dir.filePath(QStringLiteral("Stat.txt")));
    QFile stat(dir.filePath(QStringLiteral("Stat.txt")));
    if (stat.open(QIODevice::WriteOnly))
        stat.write("Ann,57,40,,\r\nBen,31,95,,\r\n");
    stat.close();

    MainWindow window(dir.path() + QStringLiteral("/"));
    window.turn().readResults();
    window.showOnScreen();
    QTest::qWait(700);

    window.turn().game().Seed(20261206);
    window.findChild<QSpinBox *>(QStringLiteral("levelBox"))->setValue(2);
    window.turn().newTurn();

    // Sheet X drawn whole, sheet Y half, sheet Z with one wrong stroke.
    for (Sheet sheet : AllSheets) {
        const SegmentList &truth = window.game().trueSegments(sheet);
        int drawn = 0;
        for (const Stroke &s : truth) {
            if (s.IsEmpty() || s.Start() == s.End())
                continue;
            if (sheet == Sheet::Y && drawn % 2 == 1) {
                ++drawn;
                continue;
            }
            DrawStroke(window, sheet, s);
            ++drawn;
        }
    }
    DrawStroke(window, Sheet::Z, Stroke(1, 1, 3, 1));

    // Turn the figure a little before checking.
    FigureView *view = window.view();
    const QPoint c = view->rect().center();
    QTest::mousePress(view, Qt::LeftButton, {}, c);
    for (int i = 1; i <= 10; ++i)
        QTest::mouseMove(view, c + QPoint(-8 * i, 3 * i));
    QTest::mouseRelease(view, Qt::LeftButton, {}, c + QPoint(-80, 30));

    QTimer::singleShot(300, [&window] {
        RecordNameDialog *name = window.nameDialog();
        name->findChild<QLineEdit *>(QStringLiteral("nameEdit"))->setText(QStringLiteral("Player"));
        name->findChild<QPushButton *>(QStringLiteral("okButton"))->click();
    });
    window.turn().check();
    QTest::qWait(300);

    const QImage shot = window.grab().toImage();
    if (!shot.save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "trivisto_screenshot: could not write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
