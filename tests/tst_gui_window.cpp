// The main window as a whole: where everything sits on a 1024x768 screen, the
// captions, the buttons and keys that close it, the About window with its help
// files, the results read at start-up, and play without the sound files.

#include "about/aboutdialog.h"
#include "about/manualwindow.h"
#include "game/cueplayer.h"
#include "guitest.h"
#include "results/recordnamedialog.h"

#include <QDesktopServices>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>

using namespace guitest;

// Takes the file URLs the About window opens, so no viewer starts.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public Q_SLOTS:
    void open(const QUrl &url) { urls.append(url); }
};

namespace {

template <class T = QWidget>
T *child(QWidget *parent, const QString &name)
{
    return parent->findChild<T *>(name);
}

} // namespace

class TestGuiWindow : public QObject {
    Q_OBJECT

    // One window for the checks that only look; the others start their own.
    std::unique_ptr<ProgramFolder> m_folder;
    std::unique_ptr<MainWindow> m_shared;

private Q_SLOTS:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::primaryScreen()->geometry(), QRect(0, 0, 1024, 768));
        m_folder = std::make_unique<ProgramFolder>();
        m_shared = std::make_unique<MainWindow>(m_folder->path());
        QVERIFY(showReady(*m_shared));
    }
    void cleanupTestCase() { m_shared.reset(); }

    void placedAndCaptioned_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");  // in the parent's coordinates
        QTest::addColumn<QString>("caption");  // after activation; null: none to check
        QTest::newRow("window covers the screen") << "mainWindow" << QRect(0, 0, 1024, 768) << "Trivisto";
        QTest::newRow("sheets panel") << "sheetsPanel" << QRect(0, 0, 1024, 384) << QString();
        QTest::newRow("sheet X") << "sheetX" << QRect(16, 16, 319, 319) << QString();
        QTest::newRow("sheet Y") << "sheetY" << QRect(351, 16, 319, 319) << QString();
        QTest::newRow("sheet Z") << "sheetZ" << QRect(686, 16, 319, 319) << QString();
        QTest::newRow("3D view") << "view3d" << QRect(0, 384, 384, 384) << QString();
        QTest::newRow("control panel") << "controlPanel" << QRect(394, 384, 630, 384) << QString();
        QTest::newRow("New") << "newButton" << QRect(215, 142, 153, 33) << "New";
        QTest::newRow("Check") << "checkButton" << QRect(215, 192, 153, 33) << "Check";
        QTest::newRow("About") << "aboutButton" << QRect(215, 242, 153, 33) << "About";
        QTest::newRow("End") << "endButton" << QRect(215, 292, 153, 33) << "End";
        QTest::newRow("level box") << "levelBox" << QRect(215, 92, 46, 28) << QString();
        QTest::newRow("level label") << "levelLabel" << QRect(275, 95, 80, 22) << "Level";
        QTest::newRow("picture") << "picture" << QRect(438, 214, 225, 185) << QString();
    }
    void placedAndCaptioned()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, caption);
        MainWindow &w = *m_shared;
        QWidget *widget = name == w.objectName() ? &w : child(&w, name);
        QVERIFY(widget && widget->isVisible());
        QCOMPARE(widget->geometry(), geometry);
        if (!caption.isNull())
            QCOMPARE(widget == &w ? w.windowTitle() : widget->property("text").toString(), caption);
        QCOMPARE(w.lattice().CellWidth, 53);
        QCOMPARE(w.lattice().CellHeight, 53);
    }

    void controlsDoNotOverlap_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::newRow("panels and view") << QStringList{"sheetsPanel", "controlPanel", "view3d"};
        QTest::newRow("sheets") << QStringList{"sheetX", "sheetY", "sheetZ"};
        QTest::newRow("control panel") << QStringList{"newButton", "checkButton", "aboutButton", "endButton", "levelBox",
                                                      "levelLabel",    "picture",         "timeLabel",   "resultLabel", "bestLabel"};
    }
    void controlsDoNotOverlap()
    {
        QFETCH(QStringList, names);
        MainWindow &w = *m_shared;
        w.turn().game().SetRecordThreshold(1000000);
        w.turn().check();  // the status lines at their longest
        for (const QString &a : names) {
            QWidget *wa = child(&w, a);
            QVERIFY2(wa && wa->isVisible(), qPrintable(a));
            const QRect inParent = wa->parentWidget()->rect();
            // Everything but the picture, which runs past the panel's corner,
            // lies wholly on its panel.
            if (a != QLatin1String("picture"))
                QVERIFY2(inParent.contains(wa->geometry()), qPrintable(a));
            if (auto *label = qobject_cast<QLabel *>(wa); label && a.startsWith(QLatin1String("Label")))
                QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                         qPrintable(label->text()));
            for (const QString &b : names)
                if (a < b)
                    QVERIFY2(!wa->geometry().intersects(child(&w, b)->geometry()), qPrintable(a + " / " + b));
        }
    }

    void windowCloses_data()
    {
        QTest::addColumn<bool>("byEsc");
        QTest::newRow("End button") << false;
        QTest::newRow("Esc key") << true;
    }
    void windowCloses()
    {
        QFETCH(bool, byEsc);
        ProgramFolder folder;
        MainWindow w(folder.path());
        QVERIFY(showReady(w));
        if (byEsc)
            QTest::keyClick(keyTarget(&w), Qt::Key_Escape);
        else
            QTest::mouseClick(child<QPushButton>(&w, QStringLiteral("endButton")), Qt::LeftButton);
        QTRY_VERIFY(!w.isVisible());
    }

    void playsOnWithoutSoundFiles()
    {
        ProgramFolder folder(Documents);
        MainWindow w(folder.path());
        QVERIFY(showReady(w));
        QTest::mouseClick(child<QPushButton>(&w, QStringLiteral("newButton")), Qt::LeftButton);
        for (Sheet s : AllSheets)
            drawTruth(w, s);

        bool named = false;
        whenModal<RecordNameDialog>(&w, [&](RecordNameDialog *d) {
            named = true;
            QTest::keyClicks(d->findChild<QWidget *>(QStringLiteral("nameEdit")), QStringLiteral("Max"));
            QTest::mouseClick(d->findChild<QPushButton *>(QStringLiteral("okButton")), Qt::LeftButton);
        });
        QTest::mouseClick(child<QPushButton>(&w, QStringLiteral("checkButton")), Qt::LeftButton);
        QVERIFY(w.game().Checked());
        QVERIFY(named);
        QVERIFY(folder.read(QStringLiteral("Stat.txt")).startsWith("Max,"));

        bool about = false;
        whenModal<AboutDialog>(&w, [&](AboutDialog *d) {
            about = true;
            QTest::mouseClick(d->findChild<QPushButton *>(QStringLiteral("okButton")), Qt::LeftButton);
        });
        QTest::mouseClick(child<QPushButton>(&w, QStringLiteral("aboutButton")), Qt::LeftButton);
        QVERIFY(about);

        QTest::mouseClick(child<QPushButton>(&w, QStringLiteral("endButton")), Qt::LeftButton);
        QTRY_VERIFY(!w.isVisible());
        QCOMPARE(w.cues()->failedFiles(), QSet<QString>(Sounds.begin(), Sounds.end()));
    }

    // The pictures are decoration: without them the window plays as usual.
    void playsOnWithoutPictures()
    {
        ProgramFolder folder(Sounds + QStringList{QStringLiteral("readme.txt"), QStringLiteral("manual.html")});
        MainWindow w(folder.path());
        QVERIFY(showReady(w));
        QVERIFY(child<QLabel>(&w, QStringLiteral("picture"))->pixmap().isNull());
        QTest::mouseClick(child<QPushButton>(&w, QStringLiteral("newButton")), Qt::LeftButton);
        drawTruth(w, Sheet::X);
        w.turn().game().SetRecordThreshold(1 << 30);  // no name window in this test
        QTest::mouseClick(child<QPushButton>(&w, QStringLiteral("checkButton")), Qt::LeftButton);
        QVERIFY(w.game().Checked());
        QVERIFY(w.game().RightCount() > 0);
        QVERIFY(!w.grab().isNull());
    }

    void aboutOpensTheHelpFiles_data()
    {
        QTest::addColumn<bool>("viaLink");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("present");
        QTest::newRow("Help, readme.txt present") << false << "readme.txt" << true;
        QTest::newRow("Help, readme.txt missing") << false << "readme.txt" << false;
        QTest::newRow("manual link, manual.html present") << true << "manual.html" << true;
        QTest::newRow("manual link, manual.html missing") << true << "manual.html" << false;
    }
    void aboutOpensTheHelpFiles()
    {
        QFETCH(bool, viaLink);
        QFETCH(QString, file);
        QFETCH(bool, present);
        QStringList files = Sounds + Documents;
        if (!present)
            files.removeAll(file);
        ProgramFolder folder(files);
        MainWindow w(folder.path());
        QVERIFY(showReady(w));
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");

        bool opened = false;
        bool helpShown = false;
        QString title;
        QString warning;
        whenModal<AboutDialog>(&w, [&](AboutDialog *about) {
            opened = true;
            helpShown = about->findChild<QPushButton *>(QStringLiteral("helpButton"))->isVisible();
            title = about->findChild<QLabel *>(QStringLiteral("titleLabel"))->text();
            whenModal<QMessageBox>(&w, [&](QMessageBox *box) {
                warning = box->text();
                box->accept();
            }, 1000);
            if (viaLink)
                QTest::mouseClick(about->findChild<QLabel *>(QStringLiteral("manualLink")), Qt::LeftButton, {}, QPoint(12, 11));
            else
                QTest::mouseClick(about->findChild<QPushButton *>(QStringLiteral("helpButton")), Qt::LeftButton);
            QTest::mouseClick(about->findChild<QPushButton *>(QStringLiteral("okButton")), Qt::LeftButton);
        });
        QTest::mouseClick(child<QPushButton>(&w, QStringLiteral("aboutButton")), Qt::LeftButton);
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));

        QVERIFY(opened);
        QVERIFY(helpShown);
        QCOMPARE(title, QStringLiteral("Trivisto"));
        if (!present) {
            QVERIFY(catcher.urls.isEmpty());
            QVERIFY2(warning.contains(file), qPrintable(warning));
        } else if (viaLink) {
            // The manual opens inside the game.
            QCOMPARE(warning, QString());
            QVERIFY(w.manualWindow()->isVisible());
            QCOMPARE(w.manualWindow()->browser()->source(), QUrl::fromLocalFile(folder.file(file)));
        } else {
            QCOMPARE(catcher.urls, QList<QUrl>{QUrl::fromLocalFile(folder.file(file))});
            QCOMPARE(warning, QString());
        }
    }

    void resultsReadAtStartUp_data()
    {
        QTest::addColumn<QByteArray>("contents");  // null: no results file
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("best");
        QTest::newRow("no results file is an empty list") << QByteArray() << "" << "Best score 0";
        QTest::newRow("one record") << QByteArray("Ann,57,12,,\r\n") << "" << "Best score 57";
        QTest::newRow("best of several") << QByteArray("Ann,57,12,,\r\nBob,80,40,,\r\nCy,3,9,,\r\n") << ""
                                         << "Best score 80";
        QTest::newRow("a damaged line keeps what came before")
            << QByteArray("Ann,57,12,,\r\nBob,x1,3,,\r\nCy,99,9,,\r\n") << "'0x1' is not a valid integer value"
            << "Best score 57";
    }
    void resultsReadAtStartUp()
    {
        QFETCH(QByteArray, contents);
        QFETCH(QString, message);
        QFETCH(QString, best);
        ProgramFolder folder;
        if (!contents.isNull())
            folder.write(QStringLiteral("Stat.txt"), contents);
        MainWindow w(folder.path());
        QCOMPARE(w.turn().readResults(), message);
        QVERIFY(showReady(w));
        QCOMPARE(child<QLabel>(&w, QStringLiteral("bestLabel"))->text(), best);
    }
};

TRIVISTO_GUI_TEST_MAIN(TestGuiWindow)
#include "tst_gui_window.moc"
