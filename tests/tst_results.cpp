// The results file (Stat.txt): the record to beat is read from it at start-up
// and a new record is inserted into it. Players keep these files for years and
// edit them by hand, so odd contents must not lose or corrupt their results.

#include <QtTest>


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

std::string Std(const QString &s) { return s.toStdString(); }
QString Q(const std::string &s) { return QString::fromStdString(s); }

// Sets or clears the immutable attribute, which even root cannot write through.

} // namespace

class TestResults : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The record to beat read at start-up. Without a file to read, the threshold
    // held before (42 here) must stay.
    void recordToBeat_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<int>("threshold");
        QTest::addColumn<QString>("error");
        const QString cannotOpen = "Can not open Stat.txt";
        const QByteArray fives = QByteArray("A,5,1,,\r\n").repeated(8);
        QTest::newRow("no file") << QByteArray("<missing>") << 42 << cannotOpen;
        QTest::newRow("a directory in its place") << QByteArray("<directory>") << 42 << cannotOpen;
        QTest::newRow("empty file") << QByteArray() << 0 << "";
        QTest::newRow("eight empty results") << QByteArray(",,,,\r\n").repeated(8) << 0 << "";
        QTest::newRow("57 then 103") << QByteArray("A,57,10,,\r\nB,103,20,,\r\n") << 103 << "";
        QTest::newRow("103 then 57") << QByteArray("B,103,20,,\r\nA,57,10,,\r\n") << 103 << "";
        QTest::newRow("highest bonus on the 9th line counts") << fives + "Z,900,1,,\r\n" << 900 << "";
        QTest::newRow("highest bonus on the 10th line is ignored") << fives + "A,5,1,,\r\nZ,900,1,,\r\n" << 5 << "";
        QTest::newRow("line without commas") << QByteArray("just a name\r\n") << 0 << "";
        QTest::newRow("largest 32-bit bonus") << QByteArray("A,2147483647,1,,\r\n") << 2147483647 << "";
        QTest::newRow("LF line endings") << QByteArray("A,57,1,,\nB,103,1,,\nC,7,1,,\n") << 103 << "";
        QTest::newRow("CR line endings") << QByteArray("A,57,1,,\rB,103,1,,\rC,7,1,,\r") << 103 << "";
        QTest::newRow("no final line break") << QByteArray("A,57,1,,\r\nB,103,1,,") << 103 << "";
        // A bonus that is no number stops the reading there, keeping the lines before.
        QTest::newRow("negative bonus") << QByteArray("A,57,1,,\r\nB,-4,1,,\r\nC,900,1,,\r\n") << 57
                                        << "'0-4' is not a valid integer value";
        QTest::newRow("bonus one past 32 bits") << QByteArray("A,57,1,,\r\nB,2147483648,1,,\r\nC,900,1,,\r\n") << 57
                                                << "'02147483648' is not a valid integer value";
        QTest::newRow("eleven-digit bonus") << QByteArray("A,57,1,,\r\nB,99999999999,1,,\r\n") << 57
                                            << "'099999999999' is not a valid integer value";
    }
    void recordToBeat()
    {
        QFETCH(QByteArray, contents);
        QFETCH(int, threshold);
        QFETCH(QString, error);
        QTemporaryDir dir;
        const QString path = dir.filePath("Stat.txt");
        if (contents == "<directory>")
            QVERIFY(QDir(dir.path()).mkdir("Stat.txt"));
        else if (contents != "<missing>")
            WriteBytes(path, contents);
        const ReadResult r = ReadResultFile(Std(path), contents.startsWith('<') ? 42 : 0);
        QCOMPARE(Q(r.error), error);
        QCOMPARE(r.RecordThreshold, threshold);
    }

    void splitsAResultLine()
    {
        QCOMPARE(StringOnPar("Ann,5,3,x,tail"), (ResultFields{"Ann", "5", "3", "x"}));
    }

    // Saving a record: inserted before the first lower bonus, every other byte of
    // the file kept, the name unable to break the line, and readable back.
    void savesRecord_data()
    {
        QTest::addColumn<QByteArray>("old");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("score");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<int>("threshold");
        const QByteArray a = "A,90,5,,\r\n", b = "B,50,7,note,\r\n", c = "C,10,2,,\r\n";
        QTest::newRow("no file yet") << QByteArray("<missing>") << "Ann" << 57 << QByteArray("Ann,57,31,,\r\n") << 57;
        QTest::newRow("new best goes first") << a + b + c << "Zed" << 95 << "Zed,95,31,,\r\n" + a + b + c << 95;
        QTest::newRow("between two results") << a + b + c << "Zed" << 60 << a + "Zed,60,31,,\r\n" + b + c << 90;
        QTest::newRow("after an equal bonus") << a + b + c << "Zed" << 50 << a + b + "Zed,50,31,,\r\n" + c << 90;
        QTest::newRow("lowest goes last") << a + b + c << "Zed" << 3 << a + b + c + "Zed,3,31,,\r\n" << 90;
        QTest::newRow("hand-edited lines kept byte for byte")
            << QByteArray("A,90,5,x,extra,more\nB,80,,,\r\nno commas\nC,1,1,,\r\n") << "Zed" << 70
            << QByteArray("A,90,5,x,extra,more\nB,80,,,\r\nZed,70,31,,\r\nno commas\nC,1,1,,\r\n") << 90;
        QTest::newRow("last line without a break") << QByteArray("A,90,5,,\r\nB,50,7,,") << "Zed" << 10
                                                   << QByteArray("A,90,5,,\r\nB,50,7,,\r\nZed,10,31,,\r\n") << 90;
        QTest::newRow("commas, line breaks and tabs in the name")
            << QByteArray("<missing>") << "a,b\r\nc\td" << 57 << QByteArray("a b  c d,57,31,,\r\n") << 57;
    }
    void savesRecord()
    {
        QFETCH(QByteArray, old);
        QFETCH(QString, name);
        QFETCH(int, score);
        QFETCH(QByteArray, expected);
        QFETCH(int, threshold);
        QTemporaryDir dir;
        const QString path = dir.filePath("Stat.txt");
        if (old != "<missing>")
            WriteBytes(path, old);
        QCOMPARE(Q(SaveRecord(Std(path), Std(name), score, 31)), QString());
        QCOMPARE(ReadBytes(path), expected);
        const ReadResult back = ReadResultFile(Std(path));
        QCOMPARE(Q(back.error), QString());
        QCOMPARE(back.RecordThreshold, threshold);
    }
};

QTEST_APPLESS_MAIN(TestResults)
#include "tst_results.moc"
