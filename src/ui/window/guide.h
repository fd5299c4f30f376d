#pragma once

#include <QFrame>

#include <array>
#include <functional>

class FigureView;
class QLabel;
class QPushButton;
class SheetWidget;

// A short guide over the real window: four steps, each in a small bubble
// beside what it explains (turning the figure, what a sheet shows, drawing a
// stroke, Check). It is a child of the window, never modal and never taking
// the focus from a click, so play goes on under it at every step; it opens
// only when the player asks for it. From the second step on the sheets show
// their names; at the end they go back to what the settings say, and the 3D
// view stays where the guide or the player left it.
class Guide : public QFrame {
    Q_OBJECT
public:
    static constexpr int StepCount = 4;

    struct Targets {
        FigureView *view = nullptr;
        std::array<SheetWidget *, 3> sheets{};
        QWidget *checkButton = nullptr;
    };
    // namesSetting: whether the settings name the sheets, read as the guide ends.
    Guide(QWidget *window, const Targets &targets, std::function<bool()> namesSetting);

    // 1..StepCount while the guide runs, 0 when it is closed.
    int step() const { return m_step; }
    // Whether the guide has the sheets' names shown, whatever the settings say.
    bool namesShown() const { return m_step >= 2; }

    // From the first step, also when the guide already runs.
    void start();
    // The next step; after the last the guide ends.
    void next();
    // Ends the guide at whichever step; false when it was not running.
    bool stop();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    enum class Side { Below, Above, Right, Left };
    void showStep();
    void place();
    QWidget *target() const;
    void showNames(bool shown);

    Targets m_targets;
    std::function<bool()> m_namesSetting;
    int m_step = 0;
    Side m_side = Side::Below;
    int m_arrowAt = 0;  // along the edge that faces the target
    QLabel *m_title;
    QLabel *m_text;
    QPushButton *m_next;
    QPushButton *m_skip;
};
