#include "ui/dialogs/recordnamedialog.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

RecordNameDialog::RecordNameDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("recordNameDialog"));
    setWindowFlags(Qt::Tool | (windowFlags() & ~Qt::WindowContextHelpButtonHint));
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);

    auto *title = new QLabel(tr("This is a new record"), this);
    title->setObjectName(QStringLiteral("titleLabel"));
    QFont titleFont = bold;
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    titleFont.setUnderline(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignHCenter);

    auto *prompt = new QLabel(tr("Please make your inspirition into the score list"), this);
    prompt->setObjectName(QStringLiteral("promptLabel"));

    auto *frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("nameFrame"));
    frame->setFrameShape(QFrame::Panel);
    frame->setFrameShadow(QFrame::Raised);
    m_nameEdit = new QLineEdit(frame);
    m_nameEdit->setObjectName(QStringLiteral("nameEdit"));
    m_nameEdit->setMaxLength(100);
    auto *frameLayout = new QHBoxLayout(frame);
    frameLayout->setContentsMargins(16, 16, 16, 16);
    frameLayout->addWidget(m_nameEdit);

    auto *ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setAutoDefault(false);
    ok->setDefault(false);
    connect(ok, &QPushButton::clicked, this, &RecordNameDialog::onOkClicked);
    auto *buttons = new QHBoxLayout;
    buttons->addSpacing(8);
    buttons->addWidget(ok);
    buttons->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(title);
    layout->addSpacing(8);
    layout->addWidget(prompt);
    layout->addWidget(frame);
    layout->addLayout(buttons);
    setMinimumWidth(353);
}

void RecordNameDialog::showEvent(QShowEvent *event)
{
    if (QWidget *main = parentWidget())
        move(main->geometry().topLeft() + QPoint(70, 70));
    m_nameEdit->setText(m_lastName);
    m_nameEdit->setFocus();
    setWindowTitle(tr("Input form"));
    QDialog::showEvent(event);
}

void RecordNameDialog::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void RecordNameDialog::onOkClicked()
{
    m_lastName = m_nameEdit->text();
    m_pendingName = m_lastName;
    accept();
}
