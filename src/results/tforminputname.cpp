#include "tforminputname.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

TFormInputName::TFormInputName(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TFormInputName"));
    setWindowTitle(QString());
    QFont font = this->font();
    font.setBold(true);
    font.setPixelSize(13);
    setFont(font);

    auto *title = new QLabel(tr("This is a new record"), this);
    title->setObjectName(QStringLiteral("Label2_"));
    QFont titleFont = font;
    titleFont.setPixelSize(17);
    titleFont.setUnderline(true);
    title->setFont(titleFont);
    title->setGeometry(72, 8, 220, 22);

    auto *prompt = new QLabel(tr("Please make your inspirition into the score list"), this);
    prompt->setObjectName(QStringLiteral("Label1_"));
    // Wide enough for the prompt in whatever font the system supplies.
    const int promptWidth = prompt->fontMetrics().horizontalAdvance(prompt->text()) + 4;
    prompt->setGeometry(8, 40, promptWidth, 18);
    setFixedSize(std::max(353, promptWidth + 16), 163);

    auto *frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("Panel1"));
    frame->setFrameShape(QFrame::Panel);
    frame->setFrameShadow(QFrame::Raised);
    frame->setGeometry(8, 64, 329, 57);

    m_editName = new QLineEdit(frame);
    m_editName->setObjectName(QStringLiteral("EditName"));
    m_editName->setGeometry(16, 16, 289, 24);
    m_editName->setMaxLength(100);

    m_ok = new QPushButton(tr("OK"), this);
    m_ok->setObjectName(QStringLiteral("Button1"));
    m_ok->setGeometry(16, 128, 89, 25);
    m_ok->setAutoDefault(false);
    m_ok->setDefault(false);
    connect(m_ok, &QPushButton::clicked, this, &TFormInputName::Button1Click);
}

void TFormInputName::showEvent(QShowEvent *event)
{
    if (QWidget *main = parentWidget())
        move(main->geometry().topLeft() + QPoint(70, 70));
    m_editName->setText(m_lastName);
    m_editName->setFocus();
    setWindowTitle(tr("Input form"));
    QDialog::showEvent(event);
}

void TFormInputName::keyPressEvent(QKeyEvent *event)
{
    // Only "OK" confirms: neither Enter nor Esc has a meaning of its own here.
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

void TFormInputName::Button1Click()
{
    m_lastName = m_editName->text();
    m_pendingName = m_lastName;
    accept();
}
