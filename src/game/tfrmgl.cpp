#include "tfrmgl.h"

#include "about/tforma.h"
#include "game/cueplayer.h"
#include "results/resultsfile.h"
#include "results/tforminputname.h"
#include "sheets/sheetwidget.h"
#include "view3d/figureview.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace {

constexpr int GuardMs = 500;
const QString CueTurn = QStringLiteral("sett.wav");
const QString CuePress = QStringLiteral("3.wav");
const QString CueRelease = QStringLiteral("4.wav");

QPushButton *MakeButton(const char *name, const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

// Shrinks a label's font until its text fits the label (small screens).
void FitText(QLabel *label, int pixelSize)
{
    QFont f = label->font();
    for (int size = pixelSize; size >= 8; --size) {
        f.setPixelSize(size);
        const QFontMetrics m(f);
        if (m.horizontalAdvance(label->text()) <= label->width() && m.height() <= label->height())
            break;
    }
    label->setFont(f);
}

void Place(QWidget *w, const LayoutRect &r)
{
    w->setGeometry(r.left, r.top, r.width, r.height);
}

} // namespace

TfrmGL::TfrmGL(const QString &programDir, QWidget *parent) : QWidget(parent), m_programDir(programDir)
{
    setObjectName(QStringLiteral("TfrmGL"));
    setWindowTitle(QStringLiteral("Trivisto"));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, SheetWidget::Background);
    setPalette(pal);
    setAutoFillBackground(true);
    QFont f = font();
    f.setPixelSize(15);
    setFont(f);

    QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QSize screenSize = screen ? screen->geometry().size() : QSize(1024, 768);
    m_viewSize = ViewSizeForScreen(screenSize.height(), screenSize.width());

    m_panel1 = new QFrame(this);
    m_panel1->setObjectName(QStringLiteral("Panel1"));
    m_panel1->setFrameShape(QFrame::StyledPanel);
    m_panel1->setAutoFillBackground(true);
    QPalette panelPal = m_panel1->palette();
    panelPal.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
    m_panel1->setPalette(panelPal);
    for (Sheet s : AllSheets) {
        auto *w = new SheetWidget(m_game, s, m_lattice, m_panel1);
        m_sheets[static_cast<std::size_t>(SheetIndex(s))] = w;
        connect(w, &SheetWidget::pressed, this, [this] { m_cues->Play(CuePress); });
        connect(w, &SheetWidget::released, this, [this] { m_cues->Play(CueRelease); });
    }

    m_panel2 = new QFrame(this);
    m_panel2->setObjectName(QStringLiteral("Panel2"));
    m_panel2->setFrameShape(QFrame::Box);
    m_panel2->setAutoFillBackground(true);
    m_panel2->setPalette(panelPal);

    // Captions of a fresh window; every activation switches them to English.
    m_buttonNew = MakeButton("ButtonNew", QStringLiteral("Ход"), m_panel2);
    m_buttonCheck = MakeButton("ButtonCheck", QStringLiteral("Проверка"), m_panel2);
    m_buttonEnd = MakeButton("ButtonEnd", QStringLiteral("Конец"), m_panel2);
    m_buttonAutor = MakeButton("ButtonAutor", QStringLiteral("Автор"), m_panel2);
    connect(m_buttonNew, &QPushButton::clicked, this, &TfrmGL::New);
    connect(m_buttonCheck, &QPushButton::clicked, this, &TfrmGL::Check1Click);
    connect(m_buttonEnd, &QPushButton::clicked, this, &TfrmGL::Exit1Click);
    connect(m_buttonAutor, &QPushButton::clicked, this, &TfrmGL::ButtonAutorClick);

    m_label2 = new QLabel(QStringLiteral("Уровень"), m_panel2);
    m_label2->setObjectName(QStringLiteral("Label2"));
    m_edit1 = new QSpinBox(m_panel2);
    m_edit1->setObjectName(QStringLiteral("Edit1"));
    m_edit1->setRange(0, MaxLevel);
    m_edit1->setValue(m_game.Level());
    m_edit1->setToolTip(tr("Level: more walk segments from the next New on"));
    connect(m_edit1, &QSpinBox::valueChanged, this, [this](int level) { m_game.SetLevel(level); });

    m_im1 = new QLabel(m_panel2);
    m_im1->setObjectName(QStringLiteral("Im1"));
    const QString picture = m_programDir + QStringLiteral("panel.jpg");
    QPixmap pixmap(picture);
    if (pixmap.isNull())
        qWarning("trivisto: picture %s could not be read; the panel shows without it", qPrintable(picture));
    m_im1->setPixmap(pixmap);

    m_labelTime = new QLabel(m_panel2);
    m_labelTime->setObjectName(QStringLiteral("LabelTime"));
    m_labelResult = new QLabel(m_panel2);
    m_labelResult->setObjectName(QStringLiteral("LabelResult"));
    m_labelBest = new QLabel(m_panel2);
    m_labelBest->setObjectName(QStringLiteral("LabelBest"));
    QFont resultFont = f;
    resultFont.setBold(true);
    m_labelResult->setFont(resultFont);

    m_view = new FigureView(m_game.figure, this);

    m_timerSec = new QTimer(this);
    m_timerSec->setObjectName(QStringLiteral("TimerSec"));
    m_timerSec->setInterval(1000);
    connect(m_timerSec, &QTimer::timeout, this, [this] {
        m_game.TickSecond();
        UpdateStatus();
    });
    m_timerSec->start();

    static const char *guardNames[3] = {"TimerX", "TimerY", "TimerZ"};
    for (Sheet s : AllSheets) {
        auto *t = new QTimer(this);
        t->setObjectName(QString::fromLatin1(guardNames[SheetIndex(s)]));
        t->setSingleShot(true);
        t->setInterval(GuardMs);
        connect(t, &QTimer::timeout, this, [this, s] { m_game.sheet(s).SetInputEnabled(true); });
        m_guardTimers[static_cast<std::size_t>(SheetIndex(s))] = t;
        t->start();
    }

    m_cues = new CuePlayer(m_programDir, this);
    m_inputName = new TFormInputName(this);
    m_about = new TFormA(m_programDir, this);

    // One layout pass now, so the first activation already finds the final
    // cell sizes.
    resize(screenSize);
    FormResize();
}

TfrmGL::~TfrmGL() = default;

QString TfrmGL::ReadResults()
{
    const ReadResult r = ReadResultFile(resultsPath().toStdString(), m_game.RecordThreshold);
    m_game.RecordThreshold = r.RecordThreshold;
    UpdateStatus();
    return QString::fromStdString(r.error);
}

void TfrmGL::ShowOnScreen()
{
    if (QScreen *screen = this->screen())
        setGeometry(screen->geometry());
    showFullScreen();
}

void TfrmGL::english()
{
    m_buttonNew->setText(tr("New"));
    m_buttonCheck->setText(tr("Check"));
    m_buttonEnd->setText(tr("End"));
    m_buttonAutor->setText(tr("About"));
    m_label2->setText(tr("Level"));
    setWindowTitle(QStringLiteral("Trivisto"));
    m_about->english();
}

void TfrmGL::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_activatedOnce) {
        m_activatedOnce = true;
        FormActivate();
    }
}

void TfrmGL::FormActivate()
{
    english();
    for (Sheet s : AllSheets) {
        m_game.sheet(s).SetInputEnabled(false);
        QTimer *guard = m_guardTimers[static_cast<std::size_t>(SheetIndex(s))];
        // A guard still counting down keeps its time: input returns 500 ms
        // after the first of several activations.
        if (!guard->isActive())
            guard->start();
    }
    m_game.Activate();
    RepaintSheets();
    FormResize();
}

void TfrmGL::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

void TfrmGL::FormResize()
{
    m_layout = ComputeLayout(width(), height(), m_viewSize);
    const Layout &l = m_layout;

    m_panel1->setGeometry(0, 0, width(), l.Panel1Height);
    m_panel2->setGeometry(width() - l.Panel2Width, l.Panel1Height, l.Panel2Width, l.Panel2Height);
    for (std::size_t i = 0; i < m_sheets.size(); ++i)
        Place(m_sheets[i], l.Sheets[i]);
    m_lattice.CellWidth = l.CellWidth;
    m_lattice.CellHeight = l.CellHeight;
    Place(m_view, l.View);
    m_view->ResetCamera();
    m_game.random.SeedFromClock();

    // On small screens the controls shrink; their text shrinks with them.
    const int textSize = font().pixelSize();
    for (auto [w, r] : {std::pair<QWidget *, LayoutRect>{m_buttonEnd, l.ButtonEnd}, {m_edit1, l.Edit1},
                        {m_label2, l.Label2}, {m_buttonNew, l.ButtonNew}, {m_buttonCheck, l.ButtonCheck},
                        {m_buttonAutor, l.ButtonAutor}}) {
        Place(w, r);
        QFont small = w->font();
        small.setPixelSize(std::clamp(r.height - 8, 8, textSize));
        w->setFont(small);
    }
    Place(m_im1, l.Im1);
    const LayoutRect &st = l.Status;
    const int lineHeight = std::min(fontMetrics().height() + 4, st.height / 3);
    m_labelTime->setGeometry(st.left, st.top, st.width, lineHeight);
    m_labelResult->setGeometry(st.left, st.top + lineHeight, st.width, lineHeight);
    m_labelBest->setGeometry(st.left, st.top + 2 * lineHeight, st.width, lineHeight);
    UpdateStatus();
    for (SheetWidget *w : m_sheets)
        w->update();
}

void TfrmGL::RepaintSheets()
{
    for (SheetWidget *w : m_sheets)
        w->update();
}

void TfrmGL::UpdateStatus()
{
    if (m_game.Checked) {
        m_labelTime->setText(m_lastCheck.seconds == 1 ? tr("Checked after 1 second")
                                                       : tr("Checked after %1 seconds").arg(m_lastCheck.seconds));
        m_labelResult->setText(tr("Right %1   Wrong %2   Score %3")
                                   .arg(m_game.RightCount)
                                   .arg(m_game.WrongCount)
                                   .arg(m_game.Score()));
    } else {
        m_labelTime->setText(tr("Time %1 s").arg(m_game.Seconds));
        m_labelResult->clear();
    }
    m_labelBest->setText(tr("Best score %1").arg(m_game.RecordThreshold));
    for (QLabel *label : {m_labelTime, m_labelResult, m_labelBest})
        FitText(label, font().pixelSize());
}

void TfrmGL::New()
{
    m_cues->Play(CueTurn);
    m_game.New();
    m_view->update();
    RepaintSheets();
    m_timerSec->start();
    UpdateStatus();
}

void TfrmGL::Check1Click()
{
    m_cues->Play(CueTurn);
    m_lastCheck = m_game.Check();
    RepaintSheets();
    UpdateStatus();
    if (m_lastCheck.newRecord) {
        m_timerSec->stop();
        StoreRecord(m_lastCheck);
    }
}

void TfrmGL::StoreRecord(const Game::CheckOutcome &outcome)
{
    const int result = m_inputName->exec();
    if (result == QDialog::Accepted) {
        const int score = outcome.counts.Score();
        const std::string error = SaveRecord(resultsPath().toStdString(), m_inputName->PendingName().toStdString(),
                                             score, outcome.seconds);
        m_game.RecordConfirmed(score);
        UpdateStatus();
        if (!error.empty()) {
            const QString message = QString::fromStdString(error);
            Q_EMIT recordSaveFailed(message);
            QMessageBox::warning(this, tr("Trivisto"), message);
        }
    }
    FormActivate();
}

void TfrmGL::Exit1Click()
{
    m_cues->Play(CueTurn);
    close();
}

void TfrmGL::ButtonAutorClick()
{
    m_cues->Play(CueTurn);
    m_about->exec();
    FormActivate();
}

void TfrmGL::keyPressEvent(QKeyEvent *event)
{
    // The level box keeps its own keys.
    QWidget *focus = QApplication::focusWidget();
    if (focus && (focus == m_edit1 || m_edit1->isAncestorOf(focus))) {
        QWidget::keyPressEvent(event);
        return;
    }
    Camera &camera = m_view->camera();
    switch (event->key()) {
    case Qt::Key_Escape:
        close();
        return;
    case Qt::Key_1:
    case Qt::Key_2:
        m_view->update();
        return;
    case Qt::Key_W:
        if (event->modifiers() & Qt::ShiftModifier)
            camera.Thicker();
        else
            camera.Thinner();
        m_view->update();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

// The strip between the view and the control panel turns the camera too;
// presses that panels and labels pass on must not.
bool TfrmGL::InCameraStrip(QPoint pos) const
{
    return QRect(0, m_layout.Panel1Height, m_layout.ViewSize + 10, m_layout.ViewSize).contains(pos);
}

void TfrmGL::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (InCameraStrip(pos))
        m_view->CameraPress(pos);
}

void TfrmGL::mouseMoveEvent(QMouseEvent *event)
{
    m_view->CameraMove(event->position().toPoint());
}

void TfrmGL::mouseReleaseEvent(QMouseEvent *)
{
    m_view->CameraRelease();
}
