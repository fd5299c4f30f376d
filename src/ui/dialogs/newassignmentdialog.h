#pragma once

#include "core/classroom/assignment.h"

#include <QDate>
#include <QDialog>
#include <QString>

#include <optional>
#include <random>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QSpinBox;

// The teacher's form for a new assignment: a title, the exercise, the
// figures (drawn at random within a range of levels, the assessment's, or
// pasted codes), whether hints and peeks are allowed and an optional due day.
// Save… explains any rule the assignment would break before it asks for a
// file; a file that cannot be written is named with the system's reason and
// the dialog stays open with everything as typed. Nothing is written unless
// the whole assignment is.
class NewAssignmentDialog : public QDialog {
    Q_OBJECT
public:
    struct SaveResult {
        bool ok = false;
        QString message;
    };

    static QString fileExtension();

    explicit NewAssignmentDialog(QWidget *parent = nullptr);

    // The day the due date counts from, today by default; the due date
    // proposed is a week later.
    void setToday(const QDate &today);

    // Makes the assignment from the form and writes it to path (the
    // extension added when missing). Nothing is shown: the message says what
    // went wrong, or where the assignment went.
    SaveResult saveTo(const QString &path);

    // The assignment last saved, none before.
    std::optional<Assignment> assignment() const { return m_saved; }
    QString savedPath() const { return m_savedPath; }

private:
    struct Made {
        std::optional<Assignment> assignment;
        QString problem;
    };
    // The assignment the form describes, or why there is none.
    Made make();
    QString refusedCodesText(int most) const;
    void onSaveClicked();
    void onLowLevelChanged(int low);
    void onHighLevelChanged(int high);
    void updateControls();

    std::mt19937_64 m_random;
    std::optional<Assignment> m_saved;
    QString m_savedPath;
    QLineEdit *m_title = nullptr;
    QComboBox *m_exercise = nullptr;
    QRadioButton *m_randomChoice = nullptr;
    QRadioButton *m_assessmentChoice = nullptr;
    QRadioButton *m_codesChoice = nullptr;
    QSpinBox *m_count = nullptr;
    QSpinBox *m_lowLevel = nullptr;
    QSpinBox *m_highLevel = nullptr;
    QPlainTextEdit *m_codes = nullptr;
    QLabel *m_codesNote = nullptr;
    QCheckBox *m_hints = nullptr;
    QCheckBox *m_peeks = nullptr;
    QCheckBox *m_dueBox = nullptr;
    QDateEdit *m_due = nullptr;
};
