#pragma once

#include "core/codes/puzzlecode.h"
#include "ui/app/settings.h"

#include <QObject>
#include <QString>

#include <optional>

class AboutDialog;
class ManualWindow;
class QWidget;
class RecordNameDialog;
struct AssessmentResult;

// The game's conversations with the player over the main window, and its
// documents. Each question shows its modal dialog and returns the answer; what
// the answer does is the window's (which activates itself afterwards). About,
// the manual and the help text show here too.
class DialogFlows : public QObject {
    Q_OBJECT
public:
    DialogFlows(const QString &dataDir, QWidget *window);

    RecordNameDialog *nameDialog() const { return m_nameDialog; }
    AboutDialog *aboutDialog() const { return m_aboutDialog; }
    ManualWindow *manualWindow() const { return m_manualWindow; }

    // The name for a new record; none when the player closes the window.
    std::optional<QString> askRecordName();
    // The settings the player chose; none when cancelled.
    std::optional<GameSettings> askSettings(const GameSettings &current);
    // A puzzle code the player types, asked again with the problem shown
    // until it reads; none when cancelled.
    std::optional<PuzzleCode> askPuzzleCode();
    // The code a text stands for; a text that is none is explained in a message.
    std::optional<PuzzleCode> readPuzzleCode(const QString &text);
    // Whether the player starts an assessment, after it is explained.
    bool askAssessment();
    // A code or today's figure would end the sitting uncounted: go on?
    bool askLeaveAssessment();
    void tellAssessment(const AssessmentResult &result);

    void showAbout();
    void showManual();
    void warn(const QString &message);

Q_SIGNALS:
    // The manual's link to the guide: the manual has closed to make room.
    void guideRequested();

private:
    QWidget *m_window;
    RecordNameDialog *m_nameDialog;
    AboutDialog *m_aboutDialog;
    ManualWindow *m_manualWindow;
};
