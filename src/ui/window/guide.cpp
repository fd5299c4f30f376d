#include "ui/window/guide.h"

#include "ui/sheets/sheetwidget.h"
#include "ui/view3d/figureview.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRegion>
#include <QVBoxLayout>

#include <algorithm>
#include <initializer_list>

namespace {

constexpr int Arrow = 10;   // how far the pointer sticks out of the bubble
constexpr int Gap = 2;      // between the pointer's tip and what it points at
constexpr int Padding = 10;
constexpr int TextWidth = 200;
const QColor BubbleColour(255, 250, 215);
const QColor EdgeColour(90, 80, 40);

} // namespace

Guide::Guide(QWidget *window, const Targets &targets, std::function<bool()> namesSetting)
    : QFrame(window), m_targets(targets), m_namesSetting(std::move(namesSetting))
{
    setObjectName(QStringLiteral("guide"));
    setAttribute(Qt::WA_TranslucentBackground);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);
    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("guideTitle"));
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    m_title->setWordWrap(true);
    m_title->setFixedWidth(TextWidth);
    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("guideText"));
    m_text->setWordWrap(true);
    m_text->setFixedWidth(TextWidth);
    m_skip = new QPushButton(tr("Skip"), this);
    m_skip->setObjectName(QStringLiteral("guideSkip"));
    m_next = new QPushButton(this);
    m_next->setObjectName(QStringLiteral("guideNext"));
    // A click on the guide leaves the keyboard where the player had it (a
    // sheet drawing from the keys, say); Tab still reaches the buttons.
    for (QPushButton *b : {m_skip, m_next})
        b->setFocusPolicy(Qt::TabFocus);
    connect(m_next, &QPushButton::clicked, this, &Guide::next);
    connect(m_skip, &QPushButton::clicked, this, &Guide::stop);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_skip);
    buttons->addWidget(m_next);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_title);
    layout->addWidget(m_text);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The window's layout moves the targets after a resize: follow them.
    window->installEventFilter(this);
    QList<QWidget *> watched{m_targets.view, m_targets.checkButton};
    for (SheetWidget *s : m_targets.sheets)
        watched << s;
    for (QWidget *w : watched)
        if (w)
            w->installEventFilter(this);
    hide();
}

void Guide::start()
{
    m_step = 1;
    showStep();
}

void Guide::next()
{
    if (m_step == 0)
        return;
    if (m_step == StepCount) {
        stop();
        return;
    }
    ++m_step;
    showStep();
}

bool Guide::stop()
{
    if (m_step == 0)
        return false;
    m_step = 0;
    hide();
    showNames(false);
    return true;
}

void Guide::showNames(bool shown)
{
    const bool setting = m_namesSetting && m_namesSetting();
    for (SheetWidget *s : m_targets.sheets)
        if (s)
            s->setNameShown(shown || setting);
}

QWidget *Guide::target() const
{
    switch (m_step) {
    case 1: return m_targets.view;
    case 2: return m_targets.sheets[0];
    case 3: return m_targets.sheets[1];
    case 4: return m_targets.checkButton;
    default: return nullptr;
    }
}

void Guide::showStep()
{
    switch (m_step) {
    case 1:
        m_title->setText(tr("Turn the figure"));
        m_text->setText(tr("This is the figure. Drag it with the mouse to turn it and look at it from every side; "
                           "the wheel brings it nearer. R brings back the start view."));
        break;
    case 2:
        m_title->setText(tr("Each sheet sees it from one side"));
        m_text->setText(tr("This sheet shows the figure seen from here: from the front, x to the right and y up. "
                           "The 3D view has turned to show it the same way; X, Y and Z do this for each sheet. "
                           "The name above each sheet says where it looks from."));
        showNames(true);
        m_targets.view->showView(ViewMode::SheetX);
        break;
    case 3:
        m_title->setText(tr("Draw a stroke"));
        m_text->setText(tr("Draw on each sheet what you see from its side: click a dot, then another, and a line "
                           "joins them. The same line drawn again is erased. (In the build exercise the sheets "
                           "show the views, and you build the figure in the 3D view.)"));
        break;
    case 4:
        m_title->setText(tr("Press Check"));
        m_text->setText(tr("When the three sheets are drawn, press Check. The sheets then show what is right, "
                           "what is extra and what is missing, and the score."));
        break;
    default: return;
    }
    m_title->setText(tr("Step %1 of %2: %3").arg(m_step).arg(StepCount).arg(m_title->text()));
    m_next->setText(m_step == StepCount ? tr("Done") : tr("Next"));
    // Wrapped labels ask for their height only at their fixed width.
    for (QLabel *l : {m_title, m_text}) {
        l->setMinimumHeight(0);  // the last step's height would count as the least
        l->setFixedHeight(l->heightForWidth(TextWidth));
    }
    show();
    raise();
    place();
}

void Guide::place()
{
    QWidget *t = target();
    if (!t || !parentWidget())
        return;
    const QRect area = parentWidget()->rect();
    const auto inWindow = [this](const QWidget *w) { return QRect(w->mapTo(parentWidget(), QPoint(0, 0)), w->size()); };
    const QRect r = inWindow(t);
    // What the step talks about stays in sight: the target, and at the sheet's
    // step the 3D view that has just turned to match it.
    const QRegion clear = m_step == 2 ? QRegion(r) + inWindow(m_targets.view) : QRegion(r);
    // The sides to try, in order: where the bubble covers least of the play.
    const std::initializer_list<Side> sheetSides{Side::Below, Side::Right, Side::Above, Side::Left};
    const std::initializer_list<Side> viewSides{Side::Right, Side::Above, Side::Below, Side::Left};
    const std::initializer_list<Side> buttonSides{Side::Left, Side::Above, Side::Below, Side::Right};
    const std::initializer_list<Side> sides = m_step == 1 ? viewSides : m_step == 4 ? buttonSides : sheetSides;

    QRect bubble;
    for (Side side : sides) {
        m_side = side;
        setContentsMargins(side == Side::Right ? Arrow : 0, side == Side::Below ? Arrow : 0,
                           side == Side::Left ? Arrow : 0, side == Side::Above ? Arrow : 0);
        layout()->setContentsMargins(Padding, Padding, Padding, Padding);
        adjustSize();
        const QSize s = size();
        QPoint at;
        switch (side) {
        case Side::Below: at = {r.center().x() - s.width() / 2, r.bottom() + 1 + Gap}; break;
        case Side::Above: at = {r.center().x() - s.width() / 2, r.top() - Gap - s.height()}; break;
        case Side::Right: at = {r.right() + 1 + Gap, r.center().y() - s.height() / 2}; break;
        case Side::Left: at = {r.left() - Gap - s.width(), r.center().y() - s.height() / 2}; break;
        }
        at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() + 1 - s.width())));
        at.setY(std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() + 1 - s.height())));
        bubble = QRect(at, s);
        // A side fits when the bubble stays clear of what it explains.
        if (!clear.intersects(bubble))
            break;
    }
    move(bubble.topLeft());
    const bool vertical = m_side == Side::Below || m_side == Side::Above;
    const int along = vertical ? r.center().x() - bubble.left() : r.center().y() - bubble.top();
    const int length = vertical ? bubble.width() : bubble.height();
    m_arrowAt = std::clamp(along, 2 * Arrow, std::max(2 * Arrow, length - 2 * Arrow));
    update();
}

bool Guide::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (m_step > 0 && (type == QEvent::Resize || type == QEvent::Move))
        QMetaObject::invokeMethod(this, &Guide::place, Qt::QueuedConnection);
    return QFrame::eventFilter(watched, event);
}

void Guide::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF body = QRectF(contentsRect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath path;
    path.addRoundedRect(body, 6, 6);
    // The pointer: a triangle from the edge that faces the target.
    QPolygonF tip;
    const qreal a = m_arrowAt;
    switch (m_side) {
    case Side::Below: tip << QPointF(a - Arrow, body.top() + 1) << QPointF(a, 0.5) << QPointF(a + Arrow, body.top() + 1); break;
    case Side::Above:
        tip << QPointF(a - Arrow, body.bottom() - 1) << QPointF(a, height() - 0.5) << QPointF(a + Arrow, body.bottom() - 1);
        break;
    case Side::Right: tip << QPointF(body.left() + 1, a - Arrow) << QPointF(0.5, a) << QPointF(body.left() + 1, a + Arrow); break;
    case Side::Left:
        tip << QPointF(body.right() - 1, a - Arrow) << QPointF(width() - 0.5, a) << QPointF(body.right() - 1, a + Arrow);
        break;
    }
    QPainterPath pointer;
    pointer.addPolygon(tip);
    pointer.closeSubpath();
    path = path.united(pointer);
    p.setPen(QPen(EdgeColour, 1.5));
    p.setBrush(BubbleColour);
    p.drawPath(path);
}
