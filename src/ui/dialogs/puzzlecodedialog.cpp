#include "ui/dialogs/puzzlecodedialog.h"

#include "ui/app/codetext.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

PuzzleCodeDialog::PuzzleCodeDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("puzzleCodeDialog"));
    setWindowTitle(tr("Open Puzzle Code"));
    auto *prompt = new QLabel(tr("Puzzle code (as XXXX-XXXX-X):"), this);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("codeEdit"));
    prompt->setBuddy(m_edit);
    m_problem = new QLabel(this);
    m_problem->setObjectName(QStringLiteral("problemLabel"));
    m_problem->setWordWrap(true);
    m_problem->hide();
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &PuzzleCodeDialog::onOkClicked);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // A new try starts from what the player sees, not from the last problem.
    connect(m_edit, &QLineEdit::textEdited, m_problem, &QLabel::hide);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(m_edit);
    layout->addWidget(m_problem);
    layout->addWidget(buttons);
    setMinimumWidth(420);
}

void PuzzleCodeDialog::onOkClicked()
{
    const ParsedPuzzleCode parsed = ParsePuzzleCode(m_edit->text().toStdString());
    if (parsed.code) {
        m_code = parsed.code;
        accept();
        return;
    }
    m_problem->setText(PuzzleCodeProblem(parsed));
    m_problem->show();
    adjustSize();  // the explanation may take a few lines
    m_edit->setFocus();
    m_edit->selectAll();
}
