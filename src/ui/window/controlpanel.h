#pragma once

#include "core/codes/puzzlecode.h"
#include "core/codes/suggestion.h"
#include "core/turn/game.h"
#include "core/window/layout.h"

#include <QFrame>
#include <QString>

#include <cstddef>
#include <memory>
#include <optional>

class Commands;
class QLabel;
class QPushButton;
class QSpinBox;
class QTimer;
class StatusLines;

// The control panel at the lower right: New, Check, About, End, the level box,
// the picture, four status lines (time, result, best score, puzzle code), the
// Menu button and the button that offers a suggested level. Buttons run the
// window's actions and are enabled with them; every control carries its role
// as object name. The controls sit where the layout puts them, their text
// shrinking with them on small screens. The level box keeps only its editing
// keys, so command keys reach the window's actions while it has the focus.
class ControlPanel : public QFrame {
    Q_OBJECT
public:
    // How long a notice stands in the puzzle-code line.
    static constexpr int NoticeMs = 4000;

    ControlPanel(const QString &dataDir, const Commands &commands, QWidget *window);
    ~ControlPanel() override;

    QSpinBox *levelBox() const { return m_levelBox; }
    QPushButton *newButton() const { return m_newButton; }
    QPushButton *checkButton() const { return m_checkButton; }
    QPushButton *suggestButton() const { return m_suggestButton; }
    // The panel's controls in the order Tab visits them.
    QList<QWidget *> tabOrder() const;

    // Places the controls from the layout (in the panel's coordinates).
    void place(const Layout &layout);
    // The turn's time, result, the score to beat and the figure's code (or
    // its place in an assessment sitting).
    // `place`: where the turn stands in an assignment, shown instead of the code.
    void showStatus(const Game &game, const Game::CheckOutcome &lastCheck, const PuzzleCode &code,
                    std::optional<std::size_t> assessmentFigure, const QString &place = {});
    // The build exercise's best score line: its best first play at the
    // figure's level, none before the first.
    void setBestBuild(std::optional<int> best) { m_bestBuild = best; }
    // Offers the suggested level on its button, or hides the button.
    void showSuggestion(const LevelSuggestion &suggestion);
    // Shows a level in the box that is not the player's choice (a code's,
    // today's figure's, a sitting's, or the one the settings bring).
    void showLevel(int level);
    // A short message in the puzzle-code line; the code returns after
    // NoticeMs. A new notice replaces the one shown.
    void showNotice(const QString &text);
    void showNoticeFor(const QString &text, int ms);

Q_SIGNALS:
    // The player changed the level in the box: it becomes the chosen level.
    void levelChosen(int level);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    static constexpr int ButtonTextMargin = 8;
    void fitSuggestButton();
    void loadPicture();

    QPushButton *m_newButton = nullptr;
    QPushButton *m_checkButton = nullptr;
    QPushButton *m_endButton = nullptr;
    QPushButton *m_aboutButton = nullptr;
    QLabel *m_levelLabel = nullptr;
    QSpinBox *m_levelBox = nullptr;
    QLabel *m_picture = nullptr;
    QLabel *m_timeLabel = nullptr;
    QLabel *m_resultLabel = nullptr;
    QLabel *m_bestLabel = nullptr;
    QLabel *m_codeLabel = nullptr;
    QPushButton *m_menuButton = nullptr;
    QPushButton *m_suggestButton = nullptr;
    QTimer *m_noticeTimer = nullptr;
    std::unique_ptr<StatusLines> m_lines;
    LayoutRect m_suggestRect;
    bool m_suggestOverStatus = false;
    QString m_picturePath;
    QString m_codeText;  // what the code line shows when no notice stands
    std::optional<int> m_bestBuild;
};
