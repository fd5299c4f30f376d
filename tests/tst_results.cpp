// The results file (Stat.txt): the record to beat and the high-score table are
// read from it, and a new record is inserted into it. Players keep these files
// for years and edit them by hand, so odd contents must not lose or corrupt
// their results.

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

} // namespace

class TestResults : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The record to beat read at start-up and the lines the high-score table
    // shows: the first nine lines, up to a bonus that is no number, both
    // readers stopping at the same line with the same message. Without a
    // file the threshold held before (42 here) stays; one that cannot be read
    // says so and refuses a record.
    void recordToBeat_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<int>("threshold");
        QTest::addColumn<int>("entries");
        QTest::addColumn<QString>("error");
        const QByteArray fives = QByteArray("A,5,1,,\r\n").repeated(8);
        const QString cannotOpen = "Can not open Stat.txt";
        QTest::newRow("no file is an empty list") << QByteArray("<missing>") << 42 << 0 << "";
        QTest::newRow("unreadable") << QByteArray("<unreadable>") << 42 << 0 << cannotOpen;
        QTest::newRow("blank and empty lines count as lines")
            << QByteArray("\r\n,,,,\r\n").repeated(5) + "z,50,1,,\r\n" << 0 << 9 << "";
        QTest::newRow("best not first") << QByteArray("A,57,10,,\r\nB,103,20,,\r\nC,7,1,,\r\n") << 103 << 3 << "";
        QTest::newRow("highest bonus on the 9th line counts") << fives + "Z,900,1,,\r\n" << 900 << 9 << "";
        QTest::newRow("highest bonus on the 10th line is ignored")
            << fives + "A,5,1,,\r\nZ,900,1,,\r\n" << 5 << 9 << "";
        QTest::newRow("LF, CR and no final line break") << QByteArray("A,57,1,,\nB,103,1,,\rC,7,1,,") << 103 << 3 << "";
        QTest::newRow("bonus of 70 digits is a number") << "a," + QByteArray(68, '0') + "42,1,,\r\n" << 42 << 1 << "";
        QTest::newRow("negative bonus stops the reading") << QByteArray("A,57,1,,\r\nB,-4,1,,\r\nC,900,1,,\r\n") << 57
                                                          << 1 << "'0-4' is not a valid integer value";
        QTest::newRow("bonus one past 32 bits") << QByteArray("A,57,1,,\r\nB,2147483648,1,,\r\n") << 57 << 1
                                                << "'02147483648' is not a valid integer value";
        QTest::newRow("binary garbage with a NUL in the bonus")
            << QByteArray("\x01\xff,\x00\x7f,\xfe\r\n", 9) << 0 << 0
            << QStringLiteral("'0\x00\x7f' is not a valid integer value");
    }
    void recordToBeat()
    {
        QFETCH(QByteArray, contents);
        QFETCH(QString, error);
        QTemporaryDir dir;
        const QString path = dir.filePath("Stat.txt");
        const std::string native = path.toLocal8Bit().toStdString();
        if (contents == "<unreadable>")
            QVERIFY(QFile::link("/proc/self/mem", path));  // opens, then fails on the first read
        else if (contents != "<missing>")
            WriteBytes(path, contents);
        const ReadResult r = ReadResultFile(native, contents.startsWith('<') ? 42 : 0);
        QCOMPARE(QString::fromStdString(r.error), error);
        QTEST(r.RecordThreshold, "threshold");
        std::string tableError = "<unset>";
        QTEST(int(ReadResultEntries(native, &tableError).size()), "entries");
        QCOMPARE(QString::fromStdString(tableError), error);
        if (error.startsWith("Can not open"))
            QVERIFY(!SaveRecord(native, "Ann", 60, 5).empty());
    }

    // The table gets each line's fields, names as their stored bytes, and
    // never more than ResultFieldKept bytes of a field.
    void readsTheTable()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Stat.txt");
        WriteBytes(path, "Zo\xc3\xab \xe5\xb1\xb1,90,12,note,tail\r\nRen\xe9,57,,,\r\n" + QByteArray(5000, 'n') +
                             ",3,x\r\nBad,x,1,,\r\nLate,99,1,,\r\n");
        const std::vector<ResultEntry> expected = {{"Zo\xc3\xab \xe5\xb1\xb1", 90, "12", "note"},
                                                   {"Ren\xe9", 57, "", ""},
                                                   {std::string(ResultFieldKept, 'n'), 3, "x", ""}};
        QVERIFY(ReadResultEntries(path.toLocal8Bit().toStdString()) == expected);
    }

    // A record goes before the first lower bonus, every other byte of the
    // file kept, the name's bytes kept but unable to break the line.
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
        QTemporaryDir dir;
        const QString path = dir.filePath("Stat.txt");
        if (old != "<missing>")
            WriteBytes(path, old);
        QCOMPARE(QString::fromStdString(SaveRecord(path.toLocal8Bit().toStdString(), name.toStdString(), score, 31)),
                 QString());
        QTEST(ReadBytes(path), "expected");
    }
};

QTEST_APPLESS_MAIN(TestResults)
#include "tst_results.moc"
