// Light and Dark in the open window: Dark chosen in the settings turns the
// sheets, the 3D view, the panels and the application's palette dark at once,
// without a restart, and Light chosen again brings back every pixel.
#include "guitest.h"
#include "core/codes/puzzlecode.h"
#include "ui/dialogs/settingsdialog.h"

using namespace guitest;

class TestGuiLook : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void darkAtOnceAndLightAgainToThePixel()
    {
        ProgramFolder folder;
        MainWindow window(folder.path());
        QVERIFY(showReady(window));
        window.turn().openCode(PuzzleCode{6, 108u, false});
        drawTruth(window, Sheet::X);
        window.turn().hint(Sheet::Y);
        QAction *settings = window.findChild<QAction *>(QStringLiteral("settingsAction"));
        const auto choose = [&](const QString &look) {
            bool chosen = false;
            whenModal<SettingsDialog>(&window, [&](SettingsDialog *dialog) {
                auto *box = control<QComboBox>(dialog, "lookSetting");
                box->setCurrentIndex(box->findText(look));
                chosen = box->currentText() == look;
                dialog->accept();
            });
            settings->trigger();
            return chosen;
        };
        // The settings window comes and goes once first, so both pictures
        // are taken after it.
        QVERIFY(choose(QStringLiteral("Light")));
        const QImage light = window.grab().toImage();

        QVERIFY(choose(QStringLiteral("Dark")));
        const LookColours &dark = ColoursOf(Scheme::Dark);
        const QImage shown = window.grab().toImage();
        const auto near = [](QColor a, QColor b) {
            return std::abs(a.red() - b.red()) <= 1 && std::abs(a.green() - b.green()) <= 1 &&
                   std::abs(a.blue() - b.blue()) <= 1;
        };
        for (Sheet s : AllSheets) {
            const QPoint corner = window.sheetWidget(s)->mapTo(&window, QPoint(1, 1));
            QCOMPARE(shown.pixelColor(corner * window.devicePixelRatio()), ToQColor(dark.sheet.background));
        }
        const QPoint viewCorner = window.view()->mapTo(&window, QPoint(1, 1)) * window.devicePixelRatio();
        QVERIFY(near(shown.pixelColor(viewCorner), ToQColor(dark.view.background)));
        QCOMPARE(QApplication::palette().color(QPalette::Window), ToQColor(dark.panel->window));
        for (const char *panel : {"controlPanel", "sheetsPanel"})
            QVERIFY2(control(&window, panel)->palette().color(QPalette::Window) == ToQColor(dark.panel->button), panel);

        QVERIFY(choose(QStringLiteral("Light")));
        QCOMPARE(window.grab().toImage(), light);
    }
};

TRIVISTO_GUI_TEST_MAIN(TestGuiLook)
#include "tst_gui_look.moc"
