// The main window as a whole: where everything sits on a 1024x768 screen, the
// captions, the buttons and keys that close it, the About window with its help
// files, the results read at start-up, and play without the sound files.

#include "about/tforma.h"
#include "game/cueplayer.h"
#include "guitest.h"
#include "results/tforminputname.h"

#include <QDesktopServices>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
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
    std::unique_ptr<TfrmGL> m_shared;

private Q_SLOTS:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::primaryScreen()->geometry(), QRect(0, 0, 1024, 768));
        m_folder = std::make_unique<ProgramFolder>();
        m_shared = std::make_unique<TfrmGL>(m_folder->path());
        QVERIFY(showReady(*m_shared));
    }
    void cleanupTestCase() { m_shared.reset(); }

    void placedAndCaptioned_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");  // in the parent's coordinates
        QTest::addColumn<QString>("caption");  // after activation; null: none to check
        QTest::newRow("window covers the screen") << "TfrmGL" << QRect(0, 0, 1024, 768) << "Trivisto";
        QTest::newRow("sheets panel") << "Panel1" << QRect(0, 0, 1024, 384) << QString();
        QTest::newRow("sheet X") << "PaintX" << QRect(16, 16, 319, 319) << QString();
        QTest::newRow("sheet Y") << "PaintY" << QRect(351, 16, 319, 319) << QString();
        QTest::newRow("sheet Z") << "PaintZ" << QRect(686, 16, 319, 319) << QString();
        QTest::newRow("3D view") << "View3D" << QRect(0, 384, 384, 384) << QString();
        QTest::newRow("control panel") << "Panel2" << QRect(394, 384, 630, 384) << QString();
        QTest::newRow("New") << "ButtonNew" << QRect(215, 142, 153, 33) << "New";
        QTest::newRow("Check") << "ButtonCheck" << QRect(215, 192, 153, 33) << "Check";
        QTest::newRow("About") << "ButtonAutor" << QRect(215, 242, 153, 33) << "About";
        QTest::newRow("End") << "ButtonEnd" << QRect(215, 292, 153, 33) << "End";
        QTest::newRow("level box") << "Edit1" << QRect(215, 92, 46, 28) << QString();
        QTest::newRow("level label") << "Label2" << QRect(275, 95, 80, 22) << "Level";
        QTest::newRow("picture") << "Im1" << QRect(438, 214, 225, 185) << QString();
    }
    void placedAndCaptioned()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, caption);
        TfrmGL &w = *m_shared;
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
        QTest::newRow("panels and view") << QStringList{"Panel1", "Panel2", "View3D"};
        QTest::newRow("sheets") << QStringList{"PaintX", "PaintY", "PaintZ"};
        QTest::newRow("control panel") << QStringList{"ButtonNew", "ButtonCheck", "ButtonAutor", "ButtonEnd", "Edit1",
                                                      "Label2",    "Im1",         "LabelTime",   "LabelResult", "LabelBest"};
    }
    void controlsDoNotOverlap()
    {
        QFETCH(QStringList, names);
        TfrmGL &w = *m_shared;
        w.game().RecordThreshold = 1000000;
        w.Check1Click();  // the status lines at their longest
        for (const QString &a : names) {
            QWidget *wa = child(&w, a);
            QVERIFY2(wa && wa->isVisible(), qPrintable(a));
            const QRect inParent = wa->parentWidget()->rect();
            // Everything but the picture, which runs past the panel's corner,
            // lies wholly on its panel.
            if (a != QLatin1String("Im1"))
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
        TfrmGL w(folder.path());
        QVERIFY(showReady(w));
        if (byEsc)
            QTest::keyClick(keyTarget(&w), Qt::Key_Escape);
        else
            QTest::mouseClick(child<QPushButton>(&w, QStringLiteral("ButtonEnd")), Qt::LeftButton);
        QTRY_VERIFY(!w.isVisible());
    }

    void playsOnWithoutSoundFiles()
    {
        ProgramFolder folder(Documents);
        TfrmGL w(folder.path());
        QVERIFY(showReady(w));
        QTest::mouseClick(child<QPushButton>(&w, QStringLiteral("ButtonNew")), Qt::LeftButton);
        for (Sheet s : AllSheets)
            drawTruth(w, s);

        bool named = false;
        whenModal<TFormInputName>(&w, [&](TFormInputName *d) {
            named = true;
            QTest::keyClicks(d->findChild<QWidget *>(QStringLiteral("EditName")), QStringLiteral("Max"));
            QTest::mouseClick(d->findChild<QPushButton *>(QStringLiteral("Button1")), Qt::LeftButton);
        });
        QTest::mouseClick(child<QPushButton>(&w, QStringLiteral("ButtonCheck")), Qt::LeftButton);
        QVERIFY(w.game().Checked);
        QVERIFY(named);
        QVERIFY(folder.read(QStringLiteral("Stat.txt")).startsWith("Max,"));

        bool about = false;
        whenModal<TFormA>(&w, [&](TFormA *d) {
            about = true;
            QTest::mouseClick(d->findChild<QPushButton *>(QStringLiteral("Button1")), Qt::LeftButton);
        });
        QTest::mouseClick(child<QPushButton>(&w, QStringLiteral("ButtonAutor")), Qt::LeftButton);
        QVERIFY(about);

        QTest::mouseClick(child<QPushButton>(&w, QStringLiteral("ButtonEnd")), Qt::LeftButton);
        QTRY_VERIFY(!w.isVisible());
        QCOMPARE(w.cues()->failedFiles(), QSet<QString>(Sounds.begin(), Sounds.end()));
    }

    // The pictures are decoration: without them the window plays as usual.
    void playsOnWithoutPictures()
    {
        ProgramFolder folder(Sounds + QStringList{QStringLiteral("readme.txt"), QStringLiteral("manual.html")});
        TfrmGL w(folder.path());
        QVERIFY(showReady(w));
        QVERIFY(child<QLabel>(&w, QStringLiteral("Im1"))->pixmap().isNull());
        QTest::mouseClick(child<QPushButton>(&w, QStringLiteral("ButtonNew")), Qt::LeftButton);
        drawTruth(w, Sheet::X);
        w.game().RecordThreshold = 1 << 30;  // no name window in this test
        QTest::mouseClick(child<QPushButton>(&w, QStringLiteral("ButtonCheck")), Qt::LeftButton);
        QVERIFY(w.game().Checked);
        QVERIFY(w.game().RightCount > 0);
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
        TfrmGL w(folder.path());
        QVERIFY(showReady(w));
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");

        bool opened = false;
        bool helpShown = false;
        QString title;
        QString warning;
        whenModal<TFormA>(&w, [&](TFormA *about) {
            opened = true;
            helpShown = about->findChild<QPushButton *>(QStringLiteral("Button3"))->isVisible();
            title = about->findChild<QLabel *>(QStringLiteral("Label4"))->text();
            whenModal<QMessageBox>(&w, [&](QMessageBox *box) {
                warning = box->text();
                box->accept();
            }, 1000);
            if (viaLink)
                QTest::mouseClick(about->findChild<QLabel *>(QStringLiteral("Label5")), Qt::LeftButton, {}, QPoint(12, 11));
            else
                QTest::mouseClick(about->findChild<QPushButton *>(QStringLiteral("Button3")), Qt::LeftButton);
            QTest::mouseClick(about->findChild<QPushButton *>(QStringLiteral("Button1")), Qt::LeftButton);
        });
        QTest::mouseClick(child<QPushButton>(&w, QStringLiteral("ButtonAutor")), Qt::LeftButton);
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));

        QVERIFY(opened);
        QVERIFY(helpShown);
        QCOMPARE(title, QStringLiteral("Trivisto"));
        if (present) {
            QCOMPARE(catcher.urls, QList<QUrl>{QUrl::fromLocalFile(folder.file(file))});
            QCOMPARE(warning, QString());
        } else {
            QVERIFY(catcher.urls.isEmpty());
            QVERIFY2(warning.contains(file), qPrintable(warning));
        }
    }

    void resultsReadAtStartUp_data()
    {
        QTest::addColumn<QByteArray>("contents");  // null: no results file
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("best");
        QTest::newRow("no results file") << QByteArray() << "Can not open Stat.txt" << "Best score 0";
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
        TfrmGL w(folder.path());
        QCOMPARE(w.ReadResults(), message);
        QVERIFY(showReady(w));
        QCOMPARE(child<QLabel>(&w, QStringLiteral("LabelBest"))->text(), best);
    }
};

TRIVISTO_GUI_TEST_MAIN(TestGuiWindow)
#include "tst_gui_window.moc"
