// What a screen reader finds in the window, walked in-process: each sheet's
// strokes as children named by their ends, children that come and go with the
// strokes without leaving an interface behind, the marks and counts after
// Check, the score line's change and the 3D view's segment count.

#include "guitest.h"
#include "ui/app/accessibility.h"

#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

using namespace guitest;

namespace {

struct Told {
    QAccessible::Event type;
    QObject *object;  // none for a stroke
    QAccessible::Id id;
};
std::vector<Told> told;

void Record(QAccessibleEvent *e)
{
    told.push_back({e->type(), e->object(), QAccessible::uniqueId(e->accessibleInterface())});
}

qsizetype CountTold(QAccessible::Event type, QObject *object = nullptr)
{
    return std::ranges::count_if(told, [&](const Told &t) { return t.type == type && t.object == object; });
}

QAccessibleInterface *Reader(QObject *o) { return QAccessible::queryAccessibleInterface(o); }

QStringList ChildNames(QAccessibleInterface *parent)
{
    QStringList names;
    for (int i = 0; i < parent->childCount(); ++i)
        names << parent->child(i)->text(QAccessible::Name);
    return names;
}

} // namespace

class TestAccessible : public QObject {
    Q_OBJECT
    std::unique_ptr<ProgramFolder> m_folder;
    std::unique_ptr<MainWindow> m_window;

    void draw(Sheet s, QPoint from, QPoint to)
    {
        const MainWindow &w = *m_window;
        drawStroke(w.sheetWidget(s), pixelOf(w, from.x(), from.y()), pixelOf(w, to.x(), to.y()));
    }

private Q_SLOTS:
    void initTestCase()
    {
        InstallAccessibility();
        QAccessible::installUpdateHandler(Record);
        // As when a screen reader listens: only then does Qt tell anything.
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
    }
    void init()
    {
        m_folder = std::make_unique<ProgramFolder>();
        m_window = std::make_unique<MainWindow>(m_folder->path());
        QVERIFY(showReady(*m_window));
        m_window->turn().game().Seed(20261206);  // a figure that shows a line on every sheet
        m_window->turn().newTurn();
        told.clear();
    }
    void cleanup() { m_window.reset(); }

    // Columns count from 1 left to right and rows from 1 top to bottom, for
    // the mouse as for the keyboard's cursor, which starts on the top-left dot.
    void strokesAreNamedByTheirEnds_data()
    {
        QTest::addColumn<int>("sheet");
        QTest::addColumn<QPoint>("from");  // none: by the keys
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QString>("name");
        QTest::newRow("X, down") << 0 << QPoint(1, 2) << QPoint(1, 4) << "from column 1 row 2 to column 1 row 4";
        QTest::newRow("Z, leftwards") << 2 << QPoint(4, 5) << QPoint(2, 5) << "from column 4 row 5 to column 2 row 5";
        QTest::newRow("X, one dot") << 0 << QPoint(3, 3) << QPoint(3, 3) << "dot at column 3 row 3";
        QTest::newRow("Y, Space Right Right Down Space") << 1 << QPoint() << QPoint()
                                                         << "from column 1 row 1 to column 3 row 2";
    }
    void strokesAreNamedByTheirEnds()
    {
        QFETCH(int, sheet);
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(QString, name);
        const Sheet s = AllSheets[static_cast<std::size_t>(sheet)];
        SheetWidget *widget = m_window->sheetWidget(s);
        QAccessibleInterface *reader = Reader(widget);
        QVERIFY(reader->text(QAccessible::Name).contains(SheetWidget::viewpoint(s)));
        if (from.isNull()) {
            widget->setFocus(Qt::TabFocusReason);
            for (Qt::Key k : {Qt::Key_Space, Qt::Key_Right, Qt::Key_Right, Qt::Key_Down, Qt::Key_Space})
                QTest::keyClick(widget, k);
        } else {
            draw(s, from, to);
        }
        QCOMPARE(ChildNames(reader), QStringList{name});
        QCOMPARE(reader->child(0)->parent(), reader);
        QVERIFY(reader->rect().contains(reader->child(0)->rect().center()));
        QCOMPARE(CountTold(QAccessible::ObjectCreated), 1);
    }

    // A stroke that goes is told so, and its interface leaves Qt's cache.
    void childrenFollowTheStrokes_data()
    {
        QTest::addColumn<QString>("step");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<int>("gone");
        QTest::newRow("undo") << "undo" << QStringList{"from column 1 row 1 to column 1 row 3"} << 1;
        QTest::newRow("the first stroke again") << "again" << QStringList{"from column 2 row 2 to column 4 row 2"} << 1;
        QTest::newRow("a new turn") << "new" << QStringList{} << 2;
    }
    void childrenFollowTheStrokes()
    {
        QFETCH(QString, step);
        QFETCH(QStringList, names);
        QFETCH(int, gone);
        draw(Sheet::X, {1, 1}, {1, 3});
        draw(Sheet::X, {2, 2}, {4, 2});
        if (step == "undo")
            m_window->findChild<QAction *>("undoAction")->trigger();
        else if (step == "again")
            draw(Sheet::X, {1, 3}, {1, 1});
        else
            clickButton(m_window.get(), "newButton");
        QCOMPARE(ChildNames(Reader(m_window->sheetWidget(Sheet::X))), names);
        QCOMPARE(CountTold(QAccessible::ObjectDestroyed), gone);
        for (const Told &t : told)
            if (t.type == QAccessible::ObjectDestroyed && !t.object)
                if (QAccessibleInterface *left = QAccessible::accessibleInterface(t.id))
                    QVERIFY2(left->object(), "the interface of a stroke that went is still in the cache");
    }

    void checkMarksTheStrokesAndTellsTheScore()
    {
        MainWindow &w = *m_window;
        drawTruth(w, Sheet::X);
        // A step of the top row with neither end on the truth is extra.
        const auto onTruth = [&](int col) {
            return std::ranges::any_of(w.game().TrueSegments(Sheet::X), [&](const Stroke &t) {
                return !t.IsEmpty() && std::min(t.StartRow, t.EndRow) == 1 && std::min(t.StartCol, t.EndCol) <= col &&
                       col <= std::max(t.StartCol, t.EndCol);
            });
        };
        int col = 1;
        while (col < LatticeMax && (onTruth(col) || onTruth(col + 1)))
            ++col;
        QVERIFY2(col < LatticeMax, "the seeded figure should leave a step of the top row clear");
        draw(Sheet::X, {col, 1}, {col + 1, 1});
        const QString extra = QStringLiteral("from column %1 row 1 to column %2 row 1").arg(col).arg(col + 1);
        QAccessibleInterface *x = Reader(w.sheetWidget(Sheet::X));
        const QStringList drawn = ChildNames(x);

        told.clear();
        clickButton(&w, "checkButton");
        const QStringList marked = ChildNames(x);
        QCOMPARE(marked.size(), drawn.size());
        for (qsizetype i = 0; i < drawn.size(); ++i)
            QCOMPARE(marked[i], drawn[i] + (drawn[i] == extra ? ", extra" : ", right"));
        QCOMPARE(CountTold(QAccessible::NameChanged), drawn.size());
        QVERIFY(x->text(QAccessible::Description).contains("missing 0 "));
        const QString y = Reader(w.sheetWidget(Sheet::Y))->text(QAccessible::Description);
        QVERIFY2(y.contains("right 0,") && !y.contains("missing 0 "), qPrintable(y));

        auto *score = control<QLabel>(&w, "resultLabel");
        QVERIFY(score->text().startsWith("Right "));
        QCOMPARE(Reader(score)->text(QAccessible::Name), score->text());
        QVERIFY(CountTold(QAccessible::NameChanged, score) > 0);
    }

    // The manual's count: a figure of level n shows n + 3 segments.
    void viewTellsItsSegments()
    {
        m_window->startAtLevel(12);
        QAccessibleInterface *view = Reader(m_window->findChild<FigureView *>());
        QCOMPARE(view->role(), QAccessible::Canvas);
        QTRY_VERIFY2(view->text(QAccessible::Description).endsWith("Segments shown: 15."),
                     qPrintable(view->text(QAccessible::Description)));
    }
};

TRIVISTO_GUI_TEST_MAIN(TestAccessible)
#include "tst_gui_accessible.moc"
