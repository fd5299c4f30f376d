// The teacher's windows: an assignment made with the form's controls is the
// one its file holds, and the class window lists every file handed in — a
// counted result with its cells, an edited one marked and kept in sight, one
// of another assignment apart — and exports the table the core makes.

#include "core/classroom/classtable.h"
#include "core/classroom/result.h"
#include "core/classroom/assignmentfigures.h"
#include "guitest.h"
#include "ui/app/classroomtext.h"
#include "ui/dialogs/classresultswindow.h"
#include "ui/dialogs/newassignmentdialog.h"

#include <QtCharts>

using namespace guitest;

namespace {

QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteBytes(const QString &path, const std::string &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

// A complete result: every figure checked, scoring its max points on the
// figures listed in `full` and nothing on the others.
std::string CompleteResult(const Assignment &a, const std::string &student, const std::vector<bool> &full)
{
    AssignmentResult r = NewResult(a, student);
    for (std::size_t i = 0; i < a.figures.size(); ++i) {
        Game::CheckOutcome check;
        const int max = r.figures[i].max;
        check.counts = full[i] ? CheckCounts{max, 0} : CheckCounts{0, max};
        check.finalScore = full[i] ? max : 0;
        check.seconds = 30;
        RecordCheck(r, a.figures[i], check, 1'800'000'000 + static_cast<std::int64_t>(i));
    }
    return WriteAssignmentResult(r);
}

} // namespace

class TestGuiClassroom : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void assignmentToClassTable()
    {
        QTemporaryDir dir;
        NewAssignmentDialog dialog;
        control<QComboBox>(&dialog, "assignmentExercise")->setCurrentIndex(ExerciseIndex(Exercise::Build));
        control<QSpinBox>(&dialog, "figureCount")->setValue(3);
        control<QSpinBox>(&dialog, "highLevel")->setValue(3);
        control<QSpinBox>(&dialog, "lowLevel")->setValue(5); // the high end follows: levels 5 to 5
        const QString blank = dir.filePath(QStringLiteral("blank.trivisto-assignment"));
        QVERIFY(!dialog.saveTo(blank).ok);
        QVERIFY2(!QFile::exists(blank), "a form breaking a rule writes nothing");

        control<QLineEdit>(&dialog, "assignmentTitle")->setText(QStringLiteral(" Week 3 "));
        const NewAssignmentDialog::SaveResult saved = dialog.saveTo(dir.filePath(QStringLiteral("week3")));
        QVERIFY2(saved.ok, qPrintable(saved.message));
        const AssignmentRead read =
            ReadAssignment(ReadAll(dir.filePath(QStringLiteral("week3.trivisto-assignment"))).toStdString());
        QVERIFY(!read.problem);
        QVERIFY(dialog.assignment());
        QCOMPARE(read.assignment, *dialog.assignment());
        const Assignment &a = read.assignment;
        QCOMPARE(a.title, std::string("Week 3"));
        QCOMPARE(a.exercise, Exercise::Build);
        QCOMPARE(a.figures.size(), std::size_t{3});
        QVERIFY(std::ranges::all_of(a.figures, [](const PuzzleCode &c) { return c.level == 5; }));

        // Anna's result counts; Boris raised a score by hand; Clara's is for another week.
        const QString anna = dir.filePath(QStringLiteral("Week 3 - Anna.trivisto-result"));
        const QString boris = dir.filePath(QStringLiteral("Week 3 - Boris.trivisto-result"));
        const QString clara = dir.filePath(QStringLiteral("Clara - Week 4.trivisto-result"));
        WriteBytes(anna, CompleteResult(a, "Anna", {true, false, true}));
        std::string edited = CompleteResult(a, "Boris", {false, false, false});
        edited.insert(edited.find("\"score\":") + 8, "9");
        WriteBytes(boris, edited);
        const AssignmentMade other = MakeAssignment("Week 4", Exercise::Views, {a.figures[0]}, true, true, {});
        WriteBytes(clara, CompleteResult(other.assignment, "Clara", {true}));

        ClassResultsWindow window;
        window.setAssignment(a, dir.filePath(QStringLiteral("week3.trivisto-assignment")));
        window.addFiles({clara, boris, anna});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *table = control<QTableWidget>(&window, "classTable");
        QCOMPARE(table->rowCount(), 3);
        const int status = table->columnCount() - 1;
        const auto text = [&](int row, int column) { return table->item(row, column)->text(); };
        QCOMPARE(text(0, 0), QStringLiteral("Anna"));
        QCOMPARE(text(0, status), QStringLiteral("ok"));
        QCOMPARE(QStringList({text(0, 1), text(0, 2), text(0, 3)}),
                 QStringList({QStringLiteral("100.0 %"), QStringLiteral("0.0 %"), QStringLiteral("100.0 %")}));
        QVERIFY(
            table->horizontalHeaderItem(1)->text().contains(QString::fromStdString(EncodePuzzleCode(a.figures[0]))));
        QCOMPARE(text(1, 0), QStringLiteral("Boris"));
        QCOMPARE(text(1, status), QStringLiteral("damaged or edited"));
        QVERIFY2(text(1, 1).contains(QStringLiteral("checksum")), qPrintable(text(1, 1)));
        QCOMPARE(text(2, status), QStringLiteral("other assignment"));
        QVERIFY(text(2, 1).contains(QStringLiteral("Week 4")));

        // The chart shows the counted result alone, the figure scored 0 marked hardest.
        auto *series =
            qobject_cast<QBarSeries *>(control<QChartView>(&window, "classMeanChart")->chart()->series().value(0));
        QVERIFY(series);
        QCOMPARE(series->barSets().value(0)->count(), 3);
        QCOMPARE(series->barSets().value(0)->selectedBars(), QList<int>{1});

        const QString csv = dir.filePath(QStringLiteral("class.csv"));
        QVERIFY(window.exportCsv(csv).ok);
        const QByteArray written = ReadAll(csv);
        QCOMPARE(written, QByteArray::fromStdString(ClassCsv(window.table())));
        QVERIFY(written.startsWith("student," + QByteArray::fromStdString(EncodePuzzleCode(a.figures[0]))));
        QVERIFY(!window.exportCsv(dir.filePath(QStringLiteral("no folder/class.csv"))).ok);
    }

    // Pasted codes: a piece that is no code is named with the reason and
    // nothing is saved, rather than the figure silently left out; a folder
    // that cannot take the file is named too.
    void pastedCodesRefusedByName()
    {
        QTemporaryDir dir;
        NewAssignmentDialog dialog;
        const QString code = QString::fromStdString(EncodePuzzleCode({7, 1234u, false}));
        control<QLineEdit>(&dialog, "assignmentTitle")->setText(QStringLiteral("Codes"));
        control<QRadioButton>(&dialog, "puzzleCodesChoice")->setChecked(true);
        control<QPlainTextEdit>(&dialog, "puzzleCodes")->setPlainText(code + QStringLiteral(", XYZ"));
        const QString path = dir.filePath(QStringLiteral("codes.trivisto-assignment"));
        const NewAssignmentDialog::SaveResult refused = dialog.saveTo(path);
        QVERIFY(!refused.ok);
        QVERIFY2(refused.message.contains(QStringLiteral("“XYZ”: The puzzle code is too short")),
                 qPrintable(refused.message));
        QVERIFY(!QFile::exists(path));

        control<QPlainTextEdit>(&dialog, "puzzleCodes")->setPlainText(code);
        const NewAssignmentDialog::SaveResult unwritable = dialog.saveTo(dir.filePath(QStringLiteral("gone/codes")));
        QVERIFY(!unwritable.ok);
        QVERIFY2(unwritable.message.contains(QStringLiteral("gone/codes.trivisto-assignment")),
                 qPrintable(unwritable.message));
        QVERIFY(!dialog.assignment());
        QVERIFY(dialog.saveTo(path).ok);
        QCOMPARE(dialog.assignment()->figures, (std::vector<PuzzleCode>{{7, 1234u, false}}));
    }

    // The refusals a teacher reads, with the value named as the file's
    // reader finds it (figures counted from 1) and the file named.
    void problemTexts_data()
    {
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("detail");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("text");
        const auto row = [](const char *name, ClassFileError e, const char *where, const char *detail, int number,
                            const char *text) {
            QTest::newRow(name) << static_cast<int>(e) << QString::fromUtf8(where) << QString::fromUtf8(detail)
                                << number << QString::fromUtf8(text);
        };
        row("checksum", ClassFileError::BadChecksum, "checksum", "", 0,
            "F.trivisto-result is damaged or was edited: its checksum does not match.");
        row("newer version", ClassFileError::NewerVersion, "version", "1", 2,
            "F.trivisto-result is from a newer version of Trivisto (version 2); this game reads version 1.");
        row("a figure's value counts from 1", ClassFileError::MissingKey, "figures[2].score", "", 0,
            "F.trivisto-result is damaged or was edited: “score” of figure 3 is missing.");
        row("parser's tag left out", ClassFileError::NotJson, "", "[json.exception.parse_error.101] parse error", 7,
            "F.trivisto-result is not a Trivisto file, or it is damaged: it is not valid JSON at byte 7 (parse error).");
        row("an assignment where a result was asked", ClassFileError::WrongFormat, "", "trivisto-assignment", 0,
            "F.trivisto-result is not the kind of file expected here: it is a Trivisto assignment.");
    }

    void problemTexts()
    {
        QFETCH(int, error);
        QFETCH(QString, where);
        QFETCH(QString, detail);
        QFETCH(int, number);
        QFETCH(QString, text);
        const ClassFileProblem p{static_cast<ClassFileError>(error), where.toStdString(), detail.toStdString(), number};
        QCOMPARE(ClassFileProblemText(p, QStringLiteral("F.trivisto-result")), text);
    }
};

TRIVISTO_GUI_TEST_MAIN(TestGuiClassroom)
#include "tst_gui_classroom.moc"
