// The classroom files: an assignment and a result read back as written, the
// checksum catches an edited score, the canonical form is the one the format
// fixes (so another program gets the same checksum), a file that two readers
// could take differently is refused with its reason, the class table keeps one
// result per student and scores it over all the figures, and a figure's max
// points are what a perfect answer scores.

#include <QtTest>

#include <cctype>
#include <set>

#ifndef Q_MOC_RUN
#include "core/classroom/assignmentfigures.h"
#include "core/classroom/canonicaljson.h"
#include "core/classroom/classtable.h"
#include "core/classroom/result.h"
#include "core/classroom/resultname.h"
#include "coretest.h"
#endif

Q_DECLARE_METATYPE(ClassFileError)
Q_DECLARE_METATYPE(ResultStatus)

namespace {

using nlohmann::json;
using namespace std::chrono;

const PuzzleCode CodeA{20, 0x5eed1234u, false};
const PuzzleCode CodeB{3, 77u, false};
const std::string Id = "0123456789abcdef0123456789abcdef";
constexpr std::int64_t DueDay = 20807;  // 2026-12-20
constexpr std::int64_t OnTime = DueDay * 86400 + 86399, Late = (DueDay + 1) * 86400;

Assignment TwoFigures()
{
    return {Id, "Week 3", Exercise::Views, {CodeA, CodeB}, true, false, sys_days{days{DueDay}}};
}

// A result of TwoFigures with these final scores, checked at these times (0: not checked).
std::string ResultFile(const std::string &student, std::array<int, 2> scores, std::array<std::int64_t, 2> when,
                       const Assignment &a = TwoFigures())
{
    AssignmentResult r = NewResult(a, student);
    for (std::size_t i = 0; i < 2; ++i)
        if (when[i]) {
            Game::CheckOutcome check;
            check.counts = {r.figures[i].max, 3};
            check.finalScore = scores[i];
            check.seconds = 40;
            RecordCheck(r, a.figures[i], check, when[i]);
        }
    return WriteAssignmentResult(r);
}

// The file with its checksum made afresh after an edit.
std::string Resigned(json value)
{
    value.erase("checksum");
    value["checksum"] = Sha256Hex(CanonicalJson(value));
    return CanonicalJson(value) + "\n";
}

// The figure's walk built from its longest straight runs, so that the
// longest walks fit in the segments a built figure may have.
BuiltFigure BuiltWalk(const Figure &figure)
{
    const UnitSteps steps = WalkSteps(figure);
    const auto onWalk = [&](LatticePoint3 p, LatticePoint3 q) {
        BuiltFigure one;
        return q.OnLattice() && one.Add({p, q}) == BuiltFigure::AddOutcome::Added && (one.Steps() & steps).any();
    };
    BuiltFigure built;
    for (int i = 0; i < LatticePointCount; ++i)
        for (int axis = 0; axis < 3; ++axis) {
            const LatticePoint3 start{i / 25, i / 5 % 5, i % 5};
            LatticePoint3 before = start, end = start, next = start;
            --before[axis];
            if (before.OnLattice() && onWalk(before, start))
                continue;
            while (++next[axis], onWalk(end, next))
                end = next;
            if (end != start)
                built.Add({start, end});
        }
    return built;
}

QByteArray Bytes(const std::string &s) { return QByteArray::fromStdString(s); }

} // namespace

class TestClassroom : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Made three ways, an assignment reads back as written: random figures
    // within the levels asked for and never the same figure twice, the
    // assessment's twelve, and pasted codes, the bad ones each refused.
    void assignmentRoundTrip()
    {
        std::mt19937_64 random(7);
        const DrawnFigures drawn = RandomFigures(50, 4, 5, random);
        QVERIFY(!drawn.problem);
        QCOMPARE(drawn.figures.size(), std::size_t{50});
        QVERIFY(std::ranges::all_of(drawn.figures, [](const PuzzleCode &c) { return c.level == 4 || c.level == 5; }));
        QCOMPARE(RandomFigures(51, 0, 0, random).problem.error, ClassFileError::FigureCount);
        QCOMPARE(RandomFigures(1, 6, 5, random).problem.error, ClassFileError::BadValue);

        const std::string a = EncodePuzzleCode(CodeA), b = EncodePuzzleCode(CodeB);
        const PastedFigures pasted = FiguresFromText(" " + a + ",\n" + b + ";XYZ  " + a + "\t0W01-0001-C");
        QCOMPARE(pasted.figures, (std::vector<PuzzleCode>{CodeA, CodeB}));
        QCOMPARE(pasted.refused, (std::vector<PastedFigures::Refused>{{"XYZ", 3, PuzzleCodeError::TooShort},
                                                                        {a, 4, PuzzleCodeError::None},
                                                                        {"0W01-0001-C", 5, PuzzleCodeError::WrongCheck}}));

        for (std::vector<PuzzleCode> figures : {drawn.figures, AssessmentFigures(), pasted.figures}) {
            const AssignmentMade made = MakeAssignment("  Week 3 ", Exercise::Build, figures, false, true,
                                                       sys_days{days{DueDay}});
            QVERIFY(!made.problem);
            QCOMPARE(made.assignment.title, std::string("Week 3"));
            QVERIFY(IsAssignmentId(made.assignment.id));
            const AssignmentRead back = ReadAssignment(WriteAssignment(made.assignment));
            QVERIFY2(!back.problem, DescribeClassFileProblem(back.problem).c_str());
            QVERIFY(back.assignment == made.assignment);
        }
        QVERIFY(RandomAssignmentId() != RandomAssignmentId());
    }

    // $A and $B stand for two valid codes.
    void assignmentRefused_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<ClassFileError>("error");
        QTest::addColumn<QString>("where");
        const QByteArray ok = R"("id":"0123456789ABCDEF0123456789abcdef","title":"Week 3","exercise":"views",)"
                              R"("hints":true,"peeks":false,)";
        const auto row = [&](const char *name, const QByteArray &body, ClassFileError error, const char *where = "") {
            QTest::newRow(name) << body << error << QString(where);
        };
        row("unknown keys ignored, id in capitals", "{" + ok + R"("format":"trivisto-assignment","version":1,)"
            R"("figures":["$A","$B"],"due":"2026-12-20","teacher":{"x":[]}})", ClassFileError::None);
        row("newer version", "{" + ok + R"("format":"trivisto-assignment","version":2,"figures":["$A"]})",
            ClassFileError::NewerVersion, "version");
        row("a result file", "{" + ok + R"("format":"trivisto-result","version":1,"figures":["$A"]})",
            ClassFileError::WrongFormat);
        row("not an object", R"(["trivisto-assignment"])", ClassFileError::WrongFormat);
        row("no title", R"({"format":"trivisto-assignment","version":1,"id":"0123456789abcdef0123456789abcdef",)"
            R"("exercise":"views","figures":["$A"],"hints":true,"peeks":true})", ClassFileError::MissingKey, "title");
        row("hints as text", "{" + QByteArray(ok).replace("\"hints\":true", "\"hints\":\"yes\"") +
            R"("format":"trivisto-assignment","version":1,"figures":["$A"]})", ClassFileError::WrongType, "hints");
        row("blank title", "{" + QByteArray(ok).replace("Week 3", " \\t") +
            R"("format":"trivisto-assignment","version":1,"figures":["$A"]})", ClassFileError::BadValue, "title");
        row("short id", "{" + QByteArray(ok).replace("0123456789ABCDEF", "0123456789ABCDE") +
            R"("format":"trivisto-assignment","version":1,"figures":["$A"]})", ClassFileError::BadValue, "id");
        row("no figures", "{" + ok + R"("format":"trivisto-assignment","version":1,"figures":[]})",
            ClassFileError::FigureCount, "figures");
        row("a code with a typo",
            "{" + ok + R"("format":"trivisto-assignment","version":1,"figures":["$B","0W01-0001-C"]})",
            ClassFileError::BadValue, "figures[1]");
        row("a figure twice, once typed otherwise", "{" + ok +
            R"("format":"trivisto-assignment","version":1,"figures":["$A","$B","$a"]})",
            ClassFileError::DuplicateFigure, "figures[2]");
        row("30 February",
            "{" + ok + R"("format":"trivisto-assignment","version":1,"figures":["$A"],"due":"2026-02-30"})",
            ClassFileError::BadValue, "due");
        row("build or views only", "{" + QByteArray(ok).replace("views", "both") +
            R"("format":"trivisto-assignment","version":1,"figures":["$A"]})", ClassFileError::BadValue, "exercise");
    }
    void assignmentRefused()
    {
        QFETCH(QByteArray, body);
        QFETCH(ClassFileError, error);
        QFETCH(QString, where);
        std::string lower = EncodePuzzleCode(CodeA);
        std::ranges::transform(lower, lower.begin(), [](char c) { return c == '-' ? ' ' : char(std::tolower(c)); });
        body.replace("$A", Bytes(EncodePuzzleCode(CodeA))).replace("$B", Bytes(EncodePuzzleCode(CodeB)));
        const AssignmentRead read = ReadAssignment(body.replace("$a", Bytes(lower)).toStdString());
        QCOMPARE(read.problem.error, error);
        QCOMPARE(QString::fromStdString(read.problem.where), where);
        if (error == ClassFileError::None) {
            QCOMPARE(read.assignment.id, Id);
            QCOMPARE(read.assignment.due, std::optional(sys_days{days{DueDay}}));
        }
        if (error == ClassFileError::NewerVersion)
            QCOMPARE(read.problem.detail, std::string("1"));  // the version this game reads
    }

    // The canonical bytes of what strict reading accepts; what it refuses.
    void canonicalForm_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("canonical");  // or, refused, the problem
        QTest::addColumn<ClassFileError>("error");
        const auto ok = [](const char *name, const QByteArray &in, const QByteArray &out) {
            QTest::newRow(name) << in << out << ClassFileError::None;
        };
        const auto refused = [](const char *name, const QByteArray &in, ClassFileError error, const QByteArray &where) {
            QTest::newRow(name) << in << where << error;
        };
        ok("keys in byte order at every level, no white space",
           " {\"b\" : 1, \"a\" : {\"\xC3\xA9\":[true, false], \"Z\":null, \"z\":\"\"}}\n",
           "{\"a\":{\"Z\":null,\"z\":\"\",\"\xC3\xA9\":[true,false]},\"b\":1}");
        ok("control characters escaped, the rest raw",
           "[\"\\u00e9\\u20ac\\ud83d\\ude00\\/\\b\\f\\n\\r\\t\\u0000\\u001F\\u007f\\\"\\\\\"]",
           "[\"\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80/\\b\\f\\n\\r\\t\\u0000\\u001f\x7F\\\"\\\\\"]");
        ok("integers up to 2^53, minus zero as zero", "[9007199254740992,-9007199254740992,-0]",
           "[9007199254740992,-9007199254740992,0]");
        refused("a fraction", R"({"a":[1.5]})", ClassFileError::NotAnInteger, "a[0]");
        refused("a whole number written as a fraction", R"({"a":1.0})", ClassFileError::NotAnInteger, "a");
        refused("an exponent", R"({"a":1e2})", ClassFileError::NotAnInteger, "a");
        refused("beyond 2^53", R"([9007199254740993])", ClassFileError::NotAnInteger, "[0]");
        refused("beyond 64 bits", R"([-99999999999999999999])", ClassFileError::NotAnInteger, "[0]");
        refused("a key twice, deep down", R"({"a":[{"b":1,"c":2,"b":1}]})", ClassFileError::DuplicateKey, "a[0].b");
        refused("invalid UTF-8", "{\"a\":\"\xC3\"}", ClassFileError::NotUtf8, "");
        refused("an overlong slash", "{\"a\":\"\xC0\xAF\"}", ClassFileError::NotUtf8, "");
        refused("a surrogate as UTF-8", "[\"\xED\xA0\x80\"]", ClassFileError::NotUtf8, "");
        refused("a lone surrogate escaped", R"(["\ud800"])", ClassFileError::NotJson, "");
        refused("a raw line break in a string", "[\"a\nb\"]", ClassFileError::NotJson, "");
        refused("a comment", "[1] // one", ClassFileError::NotJson, "");
        refused("two values", "[1] [2]", ClassFileError::NotJson, "");
        refused("65 levels", QByteArray(65, '[') + QByteArray(65, ']'), ClassFileError::TooDeep, "");
    }
    void canonicalForm()
    {
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, canonical);
        QFETCH(ClassFileError, error);
        const StrictJson parsed = ParseStrictJson(input.toStdString());
        QCOMPARE(parsed.problem.error, error);
        if (error != ClassFileError::None) {
            QVERIFY(!DescribeClassFileProblem(parsed.problem).empty());
            if (!canonical.isEmpty())
                QCOMPARE(QByteArray::fromStdString(parsed.problem.where), canonical);
            return;
        }
        QCOMPARE(Bytes(CanonicalJson(parsed.value)), canonical);
        QCOMPARE(ParseStrictJson(canonical.toStdString()).value, parsed.value);
    }

    void sha256()
    {
        QCOMPARE(Sha256Hex("abc"), std::string("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"));
    }

    // A written result is its own canonical form and reads back equal; what
    // an edit or damage does to it.
    void resultRead_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<ResultStatus>("status");
        QTest::addColumn<ClassFileError>("error");
        QTest::newRow("as written") << "" << ResultStatus::Ok << ClassFileError::None;
        QTest::newRow("score changed") << "score" << ResultStatus::Damaged << ClassFileError::BadChecksum;
        QTest::newRow("checksum in capitals") << "CHECKSUM" << ResultStatus::Damaged << ClassFileError::BadChecksum;
        QTest::newRow("unknown key, signed anew") << "extra" << ResultStatus::Ok << ClassFileError::None;
        QTest::newRow("newer version") << "version" << ResultStatus::NewerVersion << ClassFileError::NewerVersion;
        QTest::newRow("checked, a count missing, signed anew") << "partly" << ResultStatus::Damaged
                                                             << ClassFileError::Incomplete;
        QTest::newRow("complete with a figure unchecked, signed anew") << "complete" << ResultStatus::Damaged
                                                                       << ClassFileError::Incomplete;
        QTest::newRow("seconds as a fraction") << "fraction" << ResultStatus::Damaged << ClassFileError::NotAnInteger;
        QTest::newRow("student given twice") << "twice" << ResultStatus::Damaged << ClassFileError::DuplicateKey;
        QTest::newRow("cut short") << "cut" << ResultStatus::Damaged << ClassFileError::NotJson;
    }
    void resultRead()
    {
        QFETCH(QString, edit);
        QFETCH(ResultStatus, status);
        QFETCH(ClassFileError, error);
        const std::string student = "Zo\xC3\xAB \"Z\"\t\x01";
        const std::string written = ResultFile(student, {-7, 0}, {OnTime, 0});
        QCOMPARE(Bytes(CanonicalJson(ParseStrictJson(written).value) + "\n"), Bytes(written));
        json v = ParseStrictJson(written).value;
        std::string bytes = written;
        if (edit == "score")
            bytes.replace(bytes.find("\"score\":-7"), 10, "\"score\":70");
        else if (edit == "CHECKSUM")
            v["checksum"] = QByteArray::fromStdString(v["checksum"]).toUpper().toStdString(), bytes = CanonicalJson(v);
        else if (edit == "extra")
            v["teacher"] = "x", bytes = Resigned(v);
        else if (edit == "version")
            bytes.replace(bytes.find("\"version\":1"), 11, "\"version\":2");
        else if (edit == "partly")
            v["figures"][0]["wrong"] = nullptr, bytes = Resigned(v);
        else if (edit == "complete")
            v["complete"] = true, bytes = Resigned(v);
        else if (edit == "fraction")
            bytes.replace(bytes.find("\"seconds\":40"), 12, "\"seconds\":4e1");
        else if (edit == "twice")
            bytes.insert(1, "\"student\":\"X\",");
        else if (edit == "cut")
            bytes.resize(bytes.size() / 2);
        const ResultRead read = ReadAssignmentResult(bytes);
        QCOMPARE(read.status, status);
        QCOMPARE(read.problem.error, error);
        if (error == ClassFileError::BadChecksum)
            QCOMPARE(read.result.student, student);  // so the class table can name the file
        if (status != ResultStatus::Ok)
            return;
        const FigureResult &first = read.result.figures[0];
        QCOMPARE(read.result.student, student);
        QCOMPARE(first.score, std::optional(-7));
        QCOMPARE(first.right, std::optional(first.max));
        QCOMPARE(first.checkedUtc, std::optional(OnTime));
        QVERIFY(!read.result.figures[1].Checked() && !read.result.Complete());
        if (edit.isEmpty())
            QCOMPARE(Bytes(WriteAssignmentResult(read.result)), Bytes(written));
    }

    // One row per student whatever files were handed in; scores in percent of
    // each figure's max, the total over every figure of the assignment.
    void classTable()
    {
        const Assignment a = TwoFigures();
        const int maxA = MaxPoints(CodeA, a.exercise), maxB = MaxPoints(CodeB, a.exercise);
        Assignment other = a;
        other.id = AssignmentId(1, 2);
        std::string edited = ResultFile("Carl", {maxA, maxB}, {OnTime, OnTime});
        const std::string fullMarks = "\"score\":" + std::to_string(maxA);
        edited.replace(edited.find(fullMarks), fullMarks.size(), "\"score\":1");
        const std::vector<LoadedResult> files{
            {"in/ann.trivisto-result", ResultFile("Ann", {maxA, -5}, {OnTime, OnTime}), {}},
            {"in/bob-later.trivisto-result", ResultFile(" bob  ", {1, 1}, {OnTime + 5, 0}), {}},
            {"in/bob.trivisto-result", ResultFile("Bob", {maxA, maxB}, {OnTime, OnTime}), {}},
            {"in/carl.trivisto-result", edited, {}},
            {"in/dora.trivisto-result", ResultFile("Dora", {1, 1}, {OnTime, OnTime}, other), {}},
            {"in/eve.trivisto-result", ResultFile("Doe, Eve", {0, maxB}, {0, Late}), {}},
            {"in/gone.trivisto-result", {}, std::string("Permission denied")},
        };
        const ClassTable table = BuildClassTable(a, files);
        QCOMPARE(table.rows.size(), files.size());
        const auto row = [&](const char *file) {
            return *std::ranges::find(table.rows, "in/" + std::string(file) + ".trivisto-result", &ClassRow::path);
        };
        QCOMPARE(row("bob-later").status, ClassRowStatus::Ok);
        QCOMPARE(row("bob").status, ClassRowStatus::Duplicate);
        QCOMPARE(row("bob").keptPath, std::string("in/bob-later.trivisto-result"));
        QCOMPARE(row("carl").status, ClassRowStatus::Damaged);
        QCOMPARE(row("carl").name, std::string("Carl"));
        QCOMPARE(row("dora").status, ClassRowStatus::OtherAssignment);
        QCOMPARE(row("dora").problem.where, other.id);
        QCOMPARE(row("gone").status, ClassRowStatus::Unreadable);
        QCOMPARE(row("gone").name, std::string("gone.trivisto-result"));

        const ClassRow ann = row("ann"), eve = row("eve");
        QCOMPARE(ann.cells[0].percent, std::optional(100.0));
        QCOMPARE(ann.cells[1].percent, std::optional(0.0));  // a negative score counts as none
        QCOMPARE(ann.totalPercent, std::round(1000.0 * (maxA - 5) / (maxA + maxB)) / 10);
        QVERIFY(ann.complete && !ann.late);
        QVERIFY(!eve.cells[0].percent && !eve.complete && eve.late);
        QCOMPARE(eve.totalPercent, std::round(1000.0 * maxB / (maxA + maxB)) / 10);
        QCOMPARE(table.meanPercent[0], std::optional(std::round(1000.0 * (maxA + 1) / maxA / 2) / 10));

        const QList<QByteArray> csv = Bytes(ClassCsv(table)).split('\n');
        const QByteArray codes = Bytes(EncodePuzzleCode(CodeA) + "," + EncodePuzzleCode(CodeB));
        QCOMPARE(csv[0], "student," + codes + ",total_percent,complete,late,status\r");
        QCOMPARE(csv[1], "Ann,100.0,0.0," + QByteArray::number(ann.totalPercent, 'f', 1) + ",yes,no,ok\r");
        QCOMPARE(csv[3], "\"Doe, Eve\",,100.0," + QByteArray::number(eve.totalPercent, 'f', 1) + ",no,yes,ok\r");
        QVERIFY(csv.contains("Bob,,,,,,duplicate\r"));
        QCOMPARE(csv.size(), 9);  // a header, seven rows, nothing after the last line break
    }

    // A perfect drawing, or a figure built along the walk, scores MaxPoints as Right.
    void maxPointsIsAPerfectAnswer_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<Exercise>("exercise");
        for (int level : {0, 20, MaxLevel}) {
            QTest::addRow("views, level %d", level) << level << Exercise::Views;
            QTest::addRow("build, level %d", level) << level << Exercise::Build;
        }
    }
    void maxPointsIsAPerfectAnswer()
    {
        QFETCH(int, level);
        QFETCH(Exercise, exercise);
        const PuzzleCode code{level, 0x5eed0000u + static_cast<std::uint32_t>(level), false};
        TurnSession session([] { return OnTime; });
        session.ChooseExercise(exercise);
        session.OpenCode(code);
        if (exercise == Exercise::Views)
            DrawAll(session);
        else {
            QVERIFY(session.Board().ApplyBuild({{}, BuiltWalk(session.Board().CurrentFigure())}));
        }
        const Game::CheckOutcome check = session.Check().outcome;
        QCOMPARE(check.counts.WrongCount, 0);
        QCOMPARE(check.counts.RightCount, MaxPoints(code, exercise));
    }

    void studentsAndFileNames_data()
    {
        QTest::addColumn<QByteArray>("title");
        QTest::addColumn<QByteArray>("student");
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("plain") << QByteArray("Week 3") << QByteArray("A. Student")
                               << QByteArray("Week 3 - A. Student.trivisto-result");
        QTest::newRow("unsafe characters") << QByteArray("a/b\\c:d*e?f\"g<h>i|j\tk") << QByteArray("..Zo\xC3\xAB. .")
                                           << QByteArray("a_b_c_d_e_f_g_h_i_j_k - __Zo\xC3\xAB___.trivisto-result");
        QTest::newRow("blank, and not UTF-8") << QByteArray("  ") << QByteArray("\xFFx")
                                              << QByteArray("_ - _x.trivisto-result");
        QTest::newRow("long, cut before a character") << QByteArray(99, 'a') + "\xC3\xAB" << QByteArray("b")
                                                      << QByteArray(99, 'a') + " - b.trivisto-result";
    }
    void studentsAndFileNames()
    {
        QFETCH(QByteArray, title);
        QFETCH(QByteArray, student);
        QFETCH(QByteArray, name);
        QCOMPARE(Bytes(ResultFileName(title.toStdString(), student.toStdString())), name);
        const std::string stem = name.chopped(int(ResultExtension.size())).toStdString();
        const std::set<std::string> taken{name.toStdString(), stem + " (2).trivisto-result"};
        QCOMPARE(FreeResultFileName(title.toStdString(), student.toStdString(), [&](auto &n) { return taken.contains(n); }),
                 stem + " (3).trivisto-result");
    }

    void sameStudent()
    {
        QVERIFY(SameStudent("  Anna  MARIA\t", "anna maria"));
        QVERIFY(!SameStudent("Anna Maria", "AnnaMaria"));
        QVERIFY(!SameStudent("\xC3\x89mile", "\xC3\xA9mile"));  // beyond ASCII, bytes as they are
        QVERIFY(!SameStudent(" ", ""));
    }
};

QTEST_APPLESS_MAIN(TestClassroom)
#include "tst_classroom.moc"
