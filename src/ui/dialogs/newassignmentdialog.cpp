#include "ui/dialogs/newassignmentdialog.h"

#include "core/classroom/assignmentfigures.h"
#include "ui/app/classfiles.h"
#include "ui/app/classroomtext.h"
#include "ui/app/codetext.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace {

// Refused pieces listed in the form and in the message before saving; a paste
// of a whole page must not make a window taller than the screen.
constexpr int NoteRefusedLines = 3;
constexpr int MessageRefusedLines = 12;

std::chrono::sys_days Day(const QDate &date)
{
    using namespace std::chrono;
    return sys_days{year_month_day{year{date.year()}, month{static_cast<unsigned>(date.month())},
                                   day{static_cast<unsigned>(date.day())}}};
}

} // namespace

QString NewAssignmentDialog::fileExtension() { return QString::fromLatin1(AssignmentExtension); }

NewAssignmentDialog::NewAssignmentDialog(QWidget *parent)
    : QDialog(parent), m_random(std::uint64_t{std::random_device{}()} << 32 | std::random_device{}())
{
    setObjectName(QStringLiteral("newAssignmentDialog"));
    setWindowTitle(tr("New Assignment"));
    // Room for the reasons a pasted piece is refused without wrapping each.
    setMinimumWidth(460);

    m_title = new QLineEdit(this);
    m_title->setObjectName(QStringLiteral("assignmentTitle"));
    m_title->setPlaceholderText(tr("e.g. Week 3: front, top and side"));
    m_exercise = new QComboBox(this);
    m_exercise->setObjectName(QStringLiteral("assignmentExercise"));
    for (Exercise e : AllExercises)
        m_exercise->addItem(ExerciseTitle(e), ExerciseIndex(e));

    auto *figures = new QGroupBox(tr("Figures"), this);
    m_randomChoice = new QRadioButton(tr("Random figures:"), figures);
    m_randomChoice->setObjectName(QStringLiteral("randomFiguresChoice"));
    m_randomChoice->setChecked(true);
    m_count = new QSpinBox(figures);
    m_count->setObjectName(QStringLiteral("figureCount"));
    m_count->setRange(1, static_cast<int>(MaxAssignmentFigures));
    m_count->setValue(10);
    m_lowLevel = new QSpinBox(figures);
    m_lowLevel->setObjectName(QStringLiteral("lowLevel"));
    m_lowLevel->setRange(0, MaxLevel);
    m_lowLevel->setValue(2);
    m_highLevel = new QSpinBox(figures);
    m_highLevel->setObjectName(QStringLiteral("highLevel"));
    m_highLevel->setRange(0, MaxLevel);
    m_highLevel->setValue(6);
    const int assessed = static_cast<int>(AssessmentFigures().size());
    m_assessmentChoice = new QRadioButton(tr("The assessment's %n figures", nullptr, assessed), figures);
    m_assessmentChoice->setObjectName(QStringLiteral("assessmentFiguresChoice"));
    m_assessmentChoice->setToolTip(tr("The same figures as the game's assessment, in its order."));
    m_codesChoice = new QRadioButton(tr("These puzzle codes:"), figures);
    m_codesChoice->setObjectName(QStringLiteral("puzzleCodesChoice"));
    m_codes = new QPlainTextEdit(figures);
    m_codes->setObjectName(QStringLiteral("puzzleCodes"));
    m_codes->setPlaceholderText(tr("Paste codes such as K3F9-2QXA-7, separated by spaces, commas or new lines."));
    m_codes->setTabChangesFocus(true);
    m_codes->setFixedHeight(m_codes->fontMetrics().lineSpacing() * 4 + 12);
    m_codesNote = new QLabel(figures);
    m_codesNote->setObjectName(QStringLiteral("puzzleCodesNote"));
    m_codesNote->setWordWrap(true);

    auto *randomRow = new QHBoxLayout;
    randomRow->addWidget(m_randomChoice);
    randomRow->addWidget(m_count);
    randomRow->addWidget(new QLabel(tr("at levels"), figures));
    randomRow->addWidget(m_lowLevel);
    randomRow->addWidget(new QLabel(tr("to"), figures));
    randomRow->addWidget(m_highLevel);
    randomRow->addStretch(1);
    auto *figureLayout = new QVBoxLayout(figures);
    figureLayout->addLayout(randomRow);
    figureLayout->addWidget(m_assessmentChoice);
    figureLayout->addWidget(m_codesChoice);
    figureLayout->addWidget(m_codes);
    figureLayout->addWidget(m_codesNote);

    m_hints = new QCheckBox(tr("Hints allowed"), this);
    m_hints->setObjectName(QStringLiteral("hintsAllowed"));
    m_hints->setChecked(true);
    m_peeks = new QCheckBox(tr("Peeks allowed"), this);
    m_peeks->setObjectName(QStringLiteral("peeksAllowed"));
    m_peeks->setChecked(true);
    m_dueBox = new QCheckBox(tr("Due"), this);
    m_dueBox->setObjectName(QStringLiteral("dueBox"));
    m_dueBox->setToolTip(tr("Results checked after this day are marked late; they are still counted."));
    m_due = new QDateEdit(this);
    m_due->setObjectName(QStringLiteral("dueDate"));
    m_due->setCalendarPopup(true);
    setToday(QDate::currentDate());

    auto *help = new QHBoxLayout;
    help->addWidget(m_hints);
    help->addWidget(m_peeks);
    help->addStretch(1);
    auto *dueRow = new QHBoxLayout;
    dueRow->addWidget(m_dueBox);
    dueRow->addWidget(m_due);
    dueRow->addStretch(1);
    auto *form = new QFormLayout;
    form->addRow(tr("Title:"), m_title);
    form->addRow(tr("Exercise:"), m_exercise);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton *save = buttons->button(QDialogButtonBox::Ok);
    save->setObjectName(QStringLiteral("saveButton"));
    save->setText(tr("Save…"));
    connect(buttons, &QDialogButtonBox::accepted, this, &NewAssignmentDialog::onSaveClicked);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(figures);
    layout->addLayout(help);
    layout->addLayout(dueRow);
    layout->addStretch(1);
    layout->addWidget(buttons);

    connect(m_lowLevel, &QSpinBox::valueChanged, this, &NewAssignmentDialog::onLowLevelChanged);
    connect(m_highLevel, &QSpinBox::valueChanged, this, &NewAssignmentDialog::onHighLevelChanged);
    for (QAbstractButton *b :
         std::initializer_list<QAbstractButton *>{m_randomChoice, m_assessmentChoice, m_codesChoice, m_dueBox})
        connect(b, &QAbstractButton::toggled, this, &NewAssignmentDialog::updateControls);
    connect(m_codes, &QPlainTextEdit::textChanged, this, &NewAssignmentDialog::updateControls);
    updateControls();
}

void NewAssignmentDialog::setToday(const QDate &today)
{
    m_due->setMinimumDate(today);
    m_due->setDate(today.addDays(7));
}

// The range stays a range: moving one end past the other takes the other along.
void NewAssignmentDialog::onLowLevelChanged(int low)
{
    if (m_highLevel->value() < low)
        m_highLevel->setValue(low);
}

void NewAssignmentDialog::onHighLevelChanged(int high)
{
    if (m_lowLevel->value() > high)
        m_lowLevel->setValue(high);
}

void NewAssignmentDialog::updateControls()
{
    const bool random = m_randomChoice->isChecked(), codes = m_codesChoice->isChecked();
    m_count->setEnabled(random);
    m_lowLevel->setEnabled(random);
    m_highLevel->setEnabled(random);
    m_codes->setEnabled(codes);
    m_codesNote->setVisible(codes);
    m_due->setEnabled(m_dueBox->isChecked());
    if (!codes)
        return;
    const PastedFigures pasted = FiguresFromText(m_codes->toPlainText().toStdString());
    const int read = static_cast<int>(pasted.figures.size());
    QString note = read == 1 ? tr("1 figure read.") : tr("%n figures read.", nullptr, read);
    if (!pasted.refused.empty())
        note += QLatin1Char('\n') + refusedCodesText(NoteRefusedLines);
    m_codesNote->setText(note);
    // A window does not grow for a wrapped label by itself.
    m_codesNote->setMinimumHeight(m_codesNote->heightForWidth(m_codes->width()));
}

// Each refused piece of the pasted codes on a line of its own with why, the
// first `most` of them.
QString NewAssignmentDialog::refusedCodesText(int most) const
{
    const PastedFigures pasted = FiguresFromText(m_codes->toPlainText().toStdString());
    QStringList lines;
    for (const PastedFigures::Refused &r : pasted.refused) {
        const QString piece = fontMetrics().elidedText(QString::fromStdString(r.text), Qt::ElideMiddle,
                                                       fontMetrics().horizontalAdvance(QLatin1Char('M')) * 16);
        const QString why = r.error == PuzzleCodeError::None ? tr("The same figure is listed before it.")
                                                             : PuzzleCodeProblem(ParsePuzzleCode(r.text));
        lines << tr("Piece %1, “%2”: %3").arg(r.position).arg(piece, why);
    }
    if (const int more = static_cast<int>(lines.size()) - most; more > 0) {
        lines.resize(most);
        lines << (more == 1 ? tr("… and 1 more.") : tr("… and %n more.", nullptr, more));
    }
    return lines.join(QLatin1Char('\n'));
}

NewAssignmentDialog::Made NewAssignmentDialog::make()
{
    Made made;
    if (m_title->text().trimmed().isEmpty()) {
        made.problem = tr("Please give the assignment a title. Students see it, and their result files are named "
                          "after it.");
        return made;
    }
    std::vector<PuzzleCode> figures;
    if (m_randomChoice->isChecked()) {
        const DrawnFigures drawn = RandomFigures(m_count->value(), m_lowLevel->value(), m_highLevel->value(), m_random);
        if (drawn.problem) {
            made.problem = tr("Random figures cannot be drawn with these numbers: choose 1 to %1 figures of levels 0 "
                              "to %2, the lower level first.")
                               .arg(MaxAssignmentFigures)
                               .arg(MaxLevel);
            return made;
        }
        figures = drawn.figures;
    } else if (m_assessmentChoice->isChecked()) {
        figures = AssessmentFigures();
    } else {
        const PastedFigures pasted = FiguresFromText(m_codes->toPlainText().toStdString());
        if (!pasted.refused.empty()) {
            made.problem = tr("Some of the pasted text is not a puzzle code the assignment can use:") +
                           QLatin1Char('\n') + refusedCodesText(MessageRefusedLines) + QLatin1Char('\n') +
                           tr("Correct or remove these pieces, then save again.");
            return made;
        }
        figures = pasted.figures;
    }
    if (figures.empty()) {
        made.problem = tr("The assignment has no figures: paste at least one puzzle code, or choose random figures or "
                          "the assessment's.");
        return made;
    }
    if (figures.size() > MaxAssignmentFigures) {
        made.problem =
            tr("An assignment holds at most %1 figures, and these are %n.", nullptr, static_cast<int>(figures.size()))
                .arg(MaxAssignmentFigures);
        return made;
    }
    std::optional<std::chrono::sys_days> due;
    if (m_dueBox->isChecked())
        due = Day(m_due->date());
    const AssignmentMade a = MakeAssignment(m_title->text().toStdString(),
                                            AllExercises[static_cast<std::size_t>(m_exercise->currentData().toInt())],
                                            std::move(figures), m_hints->isChecked(), m_peeks->isChecked(), due);
    // The checks above leave nothing for the core's rules to find, but an
    // assignment that breaks one must never reach a file.
    if (a.problem)
        made.problem =
            tr("The assignment cannot be made: %1").arg(QString::fromStdString(DescribeClassFileProblem(a.problem)));
    else
        made.assignment = a.assignment;
    return made;
}

NewAssignmentDialog::SaveResult NewAssignmentDialog::saveTo(const QString &chosenPath)
{
    const Made made = make();
    if (!made.assignment)
        return {false, made.problem};
    const QString path = WithExtension(chosenPath, fileExtension());
    const QString file = QDir::toNativeSeparators(path);
    if (const QString error = WriteFileDurably(path, WriteAssignment(*made.assignment)); !error.isEmpty())
        return {false, tr("The assignment could not be saved as %1: %2.\nThe form is kept as it was: save again "
                          "into another folder or under another name.")
                           .arg(file, error)};
    m_saved = made.assignment;
    m_savedPath = path;
    return {true, tr("The assignment “%1” was saved as %2.").arg(QString::fromStdString(m_saved->title), file)};
}

void NewAssignmentDialog::onSaveClicked()
{
    // The form's problems are told before a file is asked for.
    if (const Made made = make(); !made.assignment) {
        QMessageBox::warning(this, windowTitle(), made.problem);
        return;
    }
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path = QFileDialog::getSaveFileName(
        this, tr("Save the assignment"), QDir(folder).filePath(FileNameFromTitle(m_title->text()) + fileExtension()),
        tr("Trivisto assignments (*%1)").arg(fileExtension()));
    if (path.isEmpty())
        return;
    // The file dialog asked about replacing the name as typed, not about the
    // name with the extension added.
    const QString full = WithExtension(path, fileExtension());
    if (full != path && QFileInfo::exists(full) &&
        QMessageBox::question(this, windowTitle(),
                              tr("%1 already exists. Replace it?").arg(QDir::toNativeSeparators(full)),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    const SaveResult saved = saveTo(full);
    if (!saved.ok) {
        QMessageBox::warning(this, windowTitle(), saved.message);
        return;
    }
    accept();
}
