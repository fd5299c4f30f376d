// The main window as a whole: where everything sits on a 1024x768 screen, the
// captions, the button and key that close it, the About window with its help
// files, the results read at start-up, and play without sounds or pictures.

#include "about/aboutdialog.h"
#include "about/manualwindow.h"
#include "game/cueplayer.h"
#include "guitest.h"

#include <QDesktopServices>
#include <QLabel>
#include <QMessageBox>
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

class TestGuiWindow : public QObject {
    Q_OBJECT

    // One window for the placement rows; the other tests start their own.
    ProgramFolder m_folder;
    MainWindow m_shared{m_folder.path()};

private Q_SLOTS:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::primaryScreen()->geometry(), QRect(0, 0, 1024, 768));
        QVERIFY(showReady(m_shared));
    }

    // On 1024x768 every widget sits where players know it, with its caption.
    void placedAndCaptioned_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");  // in the parent's coordinates
        QTest::addColumn<QString>("caption");  // null: none to check
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
        MainWindow &w = m_shared;
        QWidget *widget = name == w.objectName() ? &w : control(&w, qPrintable(name));
        QVERIFY(widget && widget->isVisible());
        QCOMPARE(widget->geometry(), geometry);
        if (!caption.isNull())
            QCOMPARE(widget == &w ? w.windowTitle() : widget->property("text").toString(), caption);
    }

    // Sounds and pictures are decoration: without them a turn plays as usual,
    // and End or Esc still close the window.
    void playsOnWithoutFiles_data()
    {
        QTest::addColumn<QStringList>("missing");
        QTest::addColumn<bool>("byEsc");
        QTest::newRow("no sound files, End closes") << Sounds << false;
        QTest::newRow("no pictures, Esc closes") << QStringList{"panel.jpg", "emblem.png"} << true;
    }
    void playsOnWithoutFiles()
    {
        QFETCH(QStringList, missing);
        QFETCH(bool, byEsc);
        QStringList files = Sounds + Documents;
        for (const QString &f : missing)
            files.removeAll(f);
        ProgramFolder folder(files);
        MainWindow w(folder.path());
        QVERIFY(showReady(w));
        clickButton(&w, "newButton");
        drawTruth(w, Sheet::X);
        w.turn().game().SetRecordThreshold(1 << 30);  // no name window here
        clickButton(&w, "checkButton");
        QVERIFY(w.game().RightCount() > 0);
        QVERIFY(!w.grab().isNull());
        QCOMPARE(control<QLabel>(&w, "picture")->pixmap().isNull(), missing.contains("panel.jpg"));
        for (const QString &f : missing)
            QVERIFY2(!Sounds.contains(f) || w.cues()->failedFiles().contains(f), qPrintable(f));
        if (byEsc)
            QTest::keyClick(keyTarget(&w), Qt::Key_Escape);
        else
            clickButton(&w, "endButton");
        QTRY_VERIFY(!w.isVisible());
    }

    // Help hands readme.txt to the system's viewer; the manual link opens
    // manual.html inside the game; a missing file is named in a message.
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

        QString warning;
        whenModal<AboutDialog>(&w, [&](AboutDialog *about) {
            whenModal<QMessageBox>(&w, [&](QMessageBox *box) {
                warning = box->text();
                box->accept();
            }, 1000);
            if (viaLink)
                QTest::mouseClick(control(about, "manualLink"), Qt::LeftButton, {}, QPoint(12, 11));
            else
                clickButton(about, "helpButton");
            clickButton(about, "okButton");
        });
        clickButton(&w, "aboutButton");
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));

        const QUrl url = QUrl::fromLocalFile(folder.file(file));
        QVERIFY2(present ? warning.isEmpty() : warning.contains(file), qPrintable(warning));
        // Help goes to the system's viewer; the manual opens inside the game.
        QCOMPARE(catcher.urls, present && !viaLink ? QList<QUrl>{url} : QList<QUrl>{});
        QCOMPARE(w.manualWindow()->isVisible(), present && viaLink);
        QVERIFY(!w.manualWindow()->isVisible() || w.manualWindow()->browser()->source() == url);
    }

    // The best score of the results file shows from the start; a damaged file
    // is reported and what came before the damage still counts.
    void resultsReadAtStartUp_data()
    {
        QTest::addColumn<QByteArray>("contents");  // null: no results file
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("best");
        // A first start has no results yet: nothing to complain about.
        QTest::newRow("no results file") << QByteArray() << "" << "Best score 0";
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
        w.show();
        QCOMPARE(control<QLabel>(&w, "bestLabel")->text(), best);
    }
};

TRIVISTO_GUI_TEST_MAIN(TestGuiWindow)
#include "tst_gui_window.moc"
