#pragma once

#include "core/codes/puzzlecode.h"

#include <QDialog>

#include <optional>

class QLabel;
class QLineEdit;

// Asks for a puzzle code. OK reads what was typed: a code that reads closes
// the window; anything else is explained below the text, which stays for the
// player to mend. Cancel gives no code.
class PuzzleCodeDialog : public QDialog {
    Q_OBJECT
public:
    explicit PuzzleCodeDialog(QWidget *parent = nullptr);

    // The code read, once the window was accepted.
    std::optional<PuzzleCode> code() const { return m_code; }

private:
    void onOkClicked();

    QLineEdit *m_edit;
    QLabel *m_problem;
    std::optional<PuzzleCode> m_code;
};
