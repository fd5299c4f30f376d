#include "ui/window/dialogflows.h"

#include "core/codes/assessment.h"
#include "ui/app/codetext.h"
#include "ui/dialogs/aboutdialog.h"
#include "ui/dialogs/manualwindow.h"
#include "ui/dialogs/puzzlecodedialog.h"
#include "ui/dialogs/recordnamedialog.h"
#include "ui/dialogs/settingsdialog.h"

#include <QMessageBox>

DialogFlows::DialogFlows(const QString &dataDir, QWidget *window)
    : QObject(window), m_window(window), m_nameDialog(new RecordNameDialog(window)),
      m_aboutDialog(new AboutDialog(dataDir, window)), m_manualWindow(new ManualWindow(window))
{
    connect(m_aboutDialog, &AboutDialog::manualRequested, m_manualWindow, [this] { showManual(); });
    connect(m_aboutDialog, &AboutDialog::documentRequested, m_manualWindow, &ManualWindow::showDocument);
    connect(m_manualWindow, &ManualWindow::guideRequested, this, [this] {
        // The guide is over the game: the game has the keys again.
        m_manualWindow->close();
        m_window->activateWindow();
        Q_EMIT guideRequested();
    });
}

std::optional<QString> DialogFlows::askRecordName()
{
    if (m_nameDialog->exec() != QDialog::Accepted)
        return std::nullopt;
    return m_nameDialog->pendingName();
}

std::optional<GameSettings> DialogFlows::askSettings(const GameSettings &current)
{
    SettingsDialog dialog(m_window);
    dialog.setValues(current);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.values();
}

std::optional<PuzzleCode> DialogFlows::askPuzzleCode()
{
    PuzzleCodeDialog dialog(m_window);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.code();
}

std::optional<PuzzleCode> DialogFlows::readPuzzleCode(const QString &text)
{
    const ParsedPuzzleCode parsed = ParsePuzzleCode(text.toStdString());
    if (!parsed.code)
        warn(PuzzleCodeProblem(parsed));
    return parsed.code;
}

bool DialogFlows::askAssessment()
{
    return QMessageBox::question(
               m_window, tr("Assessment"),
               tr("An assessment is the same %1 figures for every player, from easy to hard, played in one sitting. "
                  "Check each figure, then press New for the next one. Its total is kept in your statistics, so you "
                  "can measure your progress over the weeks.\n\nStart the assessment now?")
                   .arg(AssessmentSize)) == QMessageBox::Yes;
}

bool DialogFlows::askLeaveAssessment()
{
    return QMessageBox::question(m_window, tr("Assessment"), tr("Leave the assessment? It will not be counted.")) ==
           QMessageBox::Yes;
}

void DialogFlows::tellAssessment(const AssessmentResult &result)
{
    QMessageBox::information(m_window, tr("Assessment"),
                             tr("Assessment complete: %1 points in %2 seconds over %3 figures. "
                                "Statistics (Ctrl+T) shows your sittings over time.")
                                 .arg(result.TotalScore())
                                 .arg(result.TotalSeconds())
                                 .arg(AssessmentSize));
}

void DialogFlows::showAbout()
{
    m_aboutDialog->exec();
}

void DialogFlows::showManual()
{
    m_manualWindow->showDocument(m_aboutDialog->manualPath());
}

void DialogFlows::warn(const QString &message)
{
    QMessageBox::warning(m_window, tr("Trivisto"), message);
}
