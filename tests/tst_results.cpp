// The results file (Stat.txt): the record to beat and the high-score table are
// read from it, and a new record is inserted into it. Players keep these files
// for years and edit them by hand, so odd contents must not lose or corrupt
// their results.

#include <QtTest>

#include <sys/stat.h>

// moc in Qt 6.4 cannot parse <compare>, which the game's headers pull in.
#ifndef Q_MOC_RUN
#include "results/resultsfile.h"
#endif

namespace {

void WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray ReadBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

std::string Std(const QByteArray &s) { return s.toStdString(); }
QString Q(const std::string &s) { return QString::fromStdString(s); }

} // namespace

class TestResults : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The record to beat read at start-up, and how many lines the high-score
    // table shows: both readers stop at the same line with the same message.
    // Without a file to read, the threshold held before (42 here) must stay;
    // one that is there but cannot be read refuses a record too.
    void recordToBeat_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<int>("threshold");
        QTest::addColumn<int>("entries");
        QTest::addColumn<QString>("error");
        const QByteArray fives = QByteArray("A,5,1,,\r\n").repeated(8);
        const QString cannotOpen = "Can not open Stat.txt";
        QTest::newRow("no file is an empty list") << QByteArray("<missing>") << 42 << 0 << "";
        QTest::newRow("a folder in its place") << QByteArray("<folder>") << 42 << 0 << cannotOpen;
        QTest::newRow("a pipe nobody writes to") << QByteArray("<pipe>") << 42 << 0 << cannotOpen;
        // Opens fine and fails on the first read, whoever runs the test.
        QTest::newRow("unreadable") << QByteArray("<unreadable>") << 42 << 0 << cannotOpen;
        QTest::newRow("empty file") << QByteArray() << 0 << 0 << "";
        QTest::newRow("blank and empty lines count as lines")
            << QByteArray("\r\n,,,,\r\n").repeated(5) + "z,50,1,,\r\n" << 0 << 9 << "";
        QTest::newRow("best not first") << QByteArray("A,57,10,,\r\nB,103,20,,\r\nC,7,1,,\r\n") << 103 << 3 << "";
        QTest::newRow("highest bonus on the 9th line counts") << fives + "Z,900,1,,\r\n" << 900 << 9 << "";
        QTest::newRow("highest bonus on the 10th line is ignored") << fives + "A,5,1,,\r\nZ,900,1,,\r\n" << 5 << 9
                                                                   << "";
        QTest::newRow("LF, CR and no final line break") << QByteArray("A,57,1,,\nB,103,1,,\rC,7,1,,") << 103 << 3 << "";
        QTest::newRow("largest 32-bit bonus") << QByteArray("A,2147483647,1,,\r\n") << 2147483647 << 1 << "";
        // Regression: many leading zeros were cut off and refused; a record then went below it.
        QTest::newRow("bonus of 70 digits is a number") << "a," + QByteArray(68, '0') + "42,1,,\r\n" << 42 << 1 << "";
        QTest::newRow("binary garbage without commas") << QByteArray("\x89PNG\x1a\n\x00\x00\x00\rIHDR", 15) << 0 << 3
                                                       << "";
        // A bonus that is no number stops the reading there, keeping the lines before.
        QTest::newRow("negative bonus") << QByteArray("A,57,1,,\r\nB,-4,1,,\r\nC,900,1,,\r\n") << 57 << 1
                                        << "'0-4' is not a valid integer value";
        QTest::newRow("bonus one past 32 bits") << QByteArray("A,57,1,,\r\nB,2147483648,1,,\r\nC,900,1,,\r\n") << 57
                                                << 1 << "'02147483648' is not a valid integer value";
        QTest::newRow("binary garbage with a NUL in the bonus")
            << QByteArray("\x01\xff,\x00\x7f,\xfe\r\n", 9) << 0 << 0
            << QStringLiteral("'0\x00\x7f' is not a valid integer value");
    }
    void recordToBeat()
    {
        QFETCH(QByteArray, contents);
        QFETCH(int, threshold);
        QFETCH(int, entries);
        QFETCH(QString, error);
        const QString cannotOpen = "Can not open Stat.txt";
        QTemporaryDir dir;
        const std::string path = Std(dir.filePath("Stat.txt").toLocal8Bit());
        if (contents == "<folder>")
            QVERIFY(QDir().mkdir(Q(path)));
        else if (contents == "<pipe>")
            QVERIFY(mkfifo(path.c_str(), 0644) == 0);
        else if (contents == "<unreadable>")
            QVERIFY(QFile::link("/proc/self/mem", Q(path)));
        else if (contents != "<missing>")
            WriteBytes(Q(path), contents);
        const ReadResult r = ReadResultFile(path, contents.startsWith('<') ? 42 : 0);
        QCOMPARE(Q(r.error), error);
        QCOMPARE(r.RecordThreshold, threshold);
        std::string tableError = "<unset>";
        QCOMPARE(static_cast<int>(ReadResultEntries(path, &tableError).size()), entries);
        QCOMPARE(Q(tableError), error);
        if (error == cannotOpen)
            QVERIFY(!SaveRecord(path, "Ann", 60, 5).empty());
    }

    // The table gets each line's fields as the game splits them, names as
    // their stored bytes, and never more than ResultFieldKept bytes of a field.
    void readsTheTable()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Stat.txt");
        const QByteArray longName(5000, 'n');
        WriteBytes(path, "Zo\xc3\xab \xe5\xb1\xb1,90,12,note,tail\r\nRen\xe9,57,,,\r\n" + longName +
                             ",3,x\r\nBad,x,1,,\r\nLate,99,1,,\r\n");
        const std::vector<ResultEntry> expected = {{"Zo\xc3\xab \xe5\xb1\xb1", 90, "12", "note"},
                                                   {"Ren\xe9", 57, "", ""},
                                                   {std::string(ResultFieldKept, 'n'), 3, "x", ""}};
        std::string error;
        QVERIFY(ReadResultEntries(Std(path.toLocal8Bit()), &error) == expected);
        QCOMPARE(Q(error), QStringLiteral("'0x' is not a valid integer value"));
        QCOMPARE(StringOnPar("Ann,5,3,x,tail"), (ResultFields{"Ann", "5", "3", "x"}));
    }

    // Saving a record: inserted before the first lower bonus, every other byte of
    // the file kept, the name's bytes kept but unable to break the line.
    void savesRecord_data()
    {
        QTest::addColumn<QByteArray>("old");
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<int>("score");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray a = "A,90,5,,\r\n", b = "B,50,7,note,\r\n", c = "C,10,2,,\r\n";
        QTest::newRow("new best goes first, UTF-8 name") << a + b + c << QByteArray("Zo\xc3\xab \xe5\xb1\xb1") << 95
                                                         << "Zo\xc3\xab \xe5\xb1\xb1,95,31,,\r\n" + a + b + c;
        QTest::newRow("between two results, code-page name") << a + b + c << QByteArray("Ren\xe9") << 60
                                                              << a + "Ren\xe9,60,31,,\r\n" + b + c;
        QTest::newRow("after an equal bonus") << a + b + c << QByteArray("Zed") << 50 << a + b + "Zed,50,31,,\r\n" + c;
        QTest::newRow("hand-edited lines kept byte for byte")
            << QByteArray("A,90,5,x,extra,more\nB,80,,,\r\nno commas\nC,1,1,,\r\n") << QByteArray("Zed") << 70
            << QByteArray("A,90,5,x,extra,more\nB,80,,,\r\nZed,70,31,,\r\nno commas\nC,1,1,,\r\n");
        QTest::newRow("lowest goes last, after a last line without a break")
            << a + b + "C,10,2,," << QByteArray("Zed") << 3 << a + b + "C,10,2,,\r\nZed,3,31,,\r\n";
        QTest::newRow("no file yet; commas, line breaks and tabs in the name")
            << QByteArray("<missing>") << QByteArray("a,b\r\nc\td") << 57 << QByteArray("a b  c d,57,31,,\r\n");
    }
    void savesRecord()
    {
        QFETCH(QByteArray, old);
        QFETCH(QByteArray, name);
        QFETCH(int, score);
        QFETCH(QByteArray, expected);
        QTemporaryDir dir;
        const QString path = dir.filePath("Stat.txt");
        if (old != "<missing>")
            WriteBytes(path, old);
        QCOMPARE(Q(SaveRecord(Std(path.toLocal8Bit()), Std(name), score, 31)), QString());
        QCOMPARE(ReadBytes(path), expected);
    }
};

QTEST_APPLESS_MAIN(TestResults)
#include "tst_results.moc"
