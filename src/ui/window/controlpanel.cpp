#include "ui/window/controlpanel.h"

#include "core/codes/assessment.h"
#include "core/window/layout.h"
#include "ui/app/pictures.h"
#include "ui/window/commands.h"
#include "ui/window/statuslines.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>

#include <algorithm>
#include <array>
#include <utility>

namespace {

QPushButton *MakeButton(const char *name, QWidget *parent)
{
    auto *b = new QPushButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

QLabel *MakeLabel(const char *name, QWidget *parent)
{
    auto *l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

// A button runs its action and is enabled with it.
void BindButton(QPushButton *button, const QString &caption, QAction *action)
{
    button->setText(caption);
    button->setEnabled(action->isEnabled());
    QObject::connect(button, &QPushButton::clicked, action, &QAction::trigger);
    QObject::connect(action, &QAction::changed, button, [button, action] { button->setEnabled(action->isEnabled()); });
}

void Place(QWidget *w, const LayoutRect &r)
{
    w->setGeometry(r.left, r.top, r.width, r.height);
}

// Keys the level box edits with; every other key is left to the window's
// actions even while the box has the focus.
bool IsLevelBoxKey(const QKeyEvent *e)
{
    if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const int k = e->key();
    return (k >= Qt::Key_0 && k <= Qt::Key_9) || k == Qt::Key_Backspace || k == Qt::Key_Delete || k == Qt::Key_Up ||
           k == Qt::Key_Down || k == Qt::Key_Left || k == Qt::Key_Right || k == Qt::Key_Home || k == Qt::Key_End;
}

} // namespace

ControlPanel::ControlPanel(const QString &dataDir, const Commands &commands, QWidget *window) : QFrame(window)
{
    setObjectName(QStringLiteral("controlPanel"));
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    QPalette panelPalette;
    panelPalette.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
    setPalette(panelPalette);

    m_newButton = MakeButton("newButton", this);
    m_checkButton = MakeButton("checkButton", this);
    m_endButton = MakeButton("endButton", this);
    m_aboutButton = MakeButton("aboutButton", this);
    BindButton(m_newButton, tr("New"), commands.newGame);
    BindButton(m_checkButton, tr("Check"), commands.check);
    BindButton(m_endButton, tr("End"), commands.quit);
    BindButton(m_aboutButton, tr("About"), commands.about);

    m_levelLabel = MakeLabel("levelLabel", this);
    m_levelLabel->setText(tr("Level"));
    m_levelBox = new QSpinBox(this);
    m_levelBox->setObjectName(QStringLiteral("levelBox"));
    m_levelBox->setRange(0, MaxLevel);
    m_levelBox->setToolTip(tr("Level: more walk segments from the next New on"));
    m_levelBox->setAccessibleName(tr("Level"));
    m_levelBox->installEventFilter(this);
    m_levelBox->findChild<QLineEdit *>()->installEventFilter(this);

    m_picture = MakeLabel("picture", this);
    m_picturePath = dataDir + QStringLiteral("panel.jpg");
    loadPicture();
    if (m_picture->pixmap().isNull())
        qWarning("trivisto: picture %s could not be read; the panel shows without it", qPrintable(m_picturePath));

    m_timeLabel = MakeLabel("timeLabel", this);
    // No accessible name of its own: a label without one is named by its text
    // and Qt sends NameChanged whenever the text changes, which is how a
    // screen reader learns the score of a Check.
    m_resultLabel = MakeLabel("resultLabel", this);
    m_bestLabel = MakeLabel("bestLabel", this);
    m_codeLabel = MakeLabel("codeLabel", this);
    m_codeLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont resultFont = font();
    resultFont.setBold(true);
    m_resultLabel->setFont(resultFont);
    m_lines = std::make_unique<StatusLines>(std::array<QLabel *, 4>{m_timeLabel, m_resultLabel, m_bestLabel, m_codeLabel});

    m_menuButton = MakeButton("menuButton", this);
    m_menuButton->setText(tr("Menu"));
    m_menuButton->setMenu(commands.createMenu(window));
    // Only the player's own edits are a choice: showLevel sets the box with
    // its signals blocked.
    connect(m_levelBox, &QSpinBox::valueChanged, this, &ControlPanel::levelChosen);
    m_suggestButton = MakeButton("suggestButton", this);
    m_suggestButton->hide();

    m_noticeTimer = new QTimer(this);
    m_noticeTimer->setSingleShot(true);
    m_noticeTimer->setInterval(NoticeMs);
    connect(m_noticeTimer, &QTimer::timeout, this, [this] { m_lines->setText(StatusLines::Code, m_codeText); });
}

QList<QWidget *> ControlPanel::tabOrder() const
{
    return {m_newButton, m_checkButton, m_aboutButton, m_endButton, m_levelBox, m_menuButton};
}

ControlPanel::~ControlPanel() = default;

void ControlPanel::place(const Layout &l)
{
    // In windows of at least 1024x640 the panel's text keeps its size; on
    // smaller screens the controls shrink and their text with them.
    const int textSize = font().pixelSize();
    const bool roomy = l.Roomy;
    for (auto [w, r] : {std::pair<QWidget *, LayoutRect>{m_endButton, l.EndButton}, {m_levelBox, l.LevelBox},
                        {m_levelLabel, l.LevelLabel}, {m_newButton, l.NewButton}, {m_checkButton, l.CheckButton},
                        {m_aboutButton, l.AboutButton}, {m_menuButton, l.MenuButton}, {m_suggestButton, l.SuggestButton}}) {
        Place(w, r);
        QFont small = w->font();
        small.setPixelSize(roomy ? textSize : std::clamp(r.height - 8, 8, textSize));
        w->setFont(small);
    }
    m_suggestRect = l.SuggestButton;
    m_suggestOverStatus = l.SuggestOverStatus;
    fitSuggestButton();
    if (m_picture->pixmap().devicePixelRatio() != (devicePixelRatioF() >= 1.5 ? 2.0 : 1.0))
        loadPicture();  // moved to a screen of another scale
    Place(m_picture, l.Picture);
    const LayoutRect &st = l.Status;
    m_lines->place(QRect(st.left, st.top, st.width, st.height), roomy, textSize);
}

void ControlPanel::showStatus(const Game &g, const Game::CheckOutcome &lastCheck, const PuzzleCode &code,
                              std::optional<std::size_t> assessmentFigure, const QString &place)
{
    if (g.Checked()) {
        const int seconds = lastCheck.seconds;
        m_lines->setText(StatusLines::Time,
                         seconds == 1 ? tr("Checked after 1 second") : tr("Checked after %1 seconds").arg(seconds));
        QString result = tr("Right %1   Wrong %2   Score %3").arg(g.RightCount()).arg(g.WrongCount()).arg(g.Score());
        if (lastCheck.help.Cost() > 0)
            result += tr("   after help %1").arg(lastCheck.finalScore);
        m_lines->setText(StatusLines::Result, result);
    } else {
        QString time = tr("Time %1 s").arg(g.Seconds());
        if (g.TurnExercise() == Exercise::Build) {
            // The cursor in the figure's own coordinates, as the walk's start (10, -10, -10).
            const Point3 at = WorldPoint(g.Builder().Cursor());
            time += QStringLiteral("   ") + tr("Cursor (%1, %2, %3)")
                                                .arg(static_cast<int>(at.x))
                                                .arg(static_cast<int>(at.y))
                                                .arg(static_cast<int>(at.z));
        }
        m_lines->setText(StatusLines::Time, time);
        const HelpUsed &help = g.Help();
        m_lines->setText(StatusLines::Result,
                         help.Cost() > 0 ? tr("Help so far: -%1 points").arg(help.Cost()) : QString());
    }
    const bool build = g.TurnExercise() == Exercise::Build;
    m_lines->setText(StatusLines::Best, tr("Best score %1").arg(build ? m_bestBuild.value_or(0) : g.RecordThreshold()));
    const QString text = QString::fromStdString(EncodePuzzleCode(code));
    if (!place.isEmpty())
        m_codeText = place;
    else if (assessmentFigure)
        m_codeText = tr("Assessment figure %1 of %2").arg(*assessmentFigure + 1).arg(AssessmentSize);
    else
        m_codeText = code.daily ? tr("Daily figure %1").arg(text) : tr("Puzzle %1").arg(text);
    if (!m_noticeTimer->isActive())
        m_lines->setText(StatusLines::Code, m_codeText);
}

void ControlPanel::showNotice(const QString &text)
{
    showNoticeFor(text, NoticeMs);
}

void ControlPanel::showNoticeFor(const QString &text, int ms)
{
    m_lines->setText(StatusLines::Code, text);
    m_noticeTimer->start(ms);
}

void ControlPanel::showSuggestion(const LevelSuggestion &suggestion)
{
    if (suggestion.change == LevelChange::None) {
        m_suggestButton->hide();
        return;
    }
    m_suggestButton->setText(suggestion.change == LevelChange::Up ? tr("Try level %1").arg(suggestion.level)
                                                                   : tr("Ease to level %1").arg(suggestion.level));
    if (suggestion.byRating)
        m_suggestButton->setToolTip(tr("Your rating expects about the target accuracy at level %1: that level for "
                                       "the next New?").arg(suggestion.level));
    else
        m_suggestButton->setToolTip(suggestion.change == LevelChange::Up
                                        ? tr("Your last turns at this level went well: one level up for the next New?")
                                        : tr("Your last turns at this level were hard: one level down for the next New?"));
    fitSuggestButton();
    m_suggestButton->show();
    m_suggestButton->raise();
}

void ControlPanel::loadPicture()
{
    m_picture->setPixmap(CrispPixmap(m_picturePath, devicePixelRatioF()));
}

void ControlPanel::fitSuggestButton()
{
    // As wide as its text needs within its place, so that it keeps clear of
    // the panel's edge; where the status is packed it covers its last line.
    LayoutRect r = m_suggestRect;
    if (!m_suggestButton->text().isEmpty() && !m_suggestOverStatus)
        r.width = std::min(r.width, m_suggestButton->sizeHint().width() + 2 * ButtonTextMargin);
    Place(m_suggestButton, r);
}

bool ControlPanel::eventFilter(QObject *watched, QEvent *event)
{
    // A text box claims every printable key before shortcuts see it; the
    // level box gives up all but its editing keys, so W, Esc and the like
    // reach the window's actions.
    if (event->type() == QEvent::ShortcutOverride) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (IsLevelBoxKey(key)) {
            event->accept();
            return false;
        }
        event->ignore();
        return true;
    }
    return QFrame::eventFilter(watched, event);
}

void ControlPanel::showLevel(int level)
{
    const QSignalBlocker quiet(m_levelBox);
    m_levelBox->setValue(level);
}
