#include "tforma.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

TFormA::TFormA(const QString &programDir, QWidget *parent) : QDialog(parent), m_programDir(programDir)
{
    setObjectName(QStringLiteral("TFormA"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    QFont font = this->font();
    font.setBold(true);
    font.setPixelSize(15);
    setFont(font);

    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("Label4"));
    QFont titleFont(QStringLiteral("Arial"));
    titleFont.setBold(true);
    titleFont.setPixelSize(23);
    m_title->setFont(titleFont);
    m_title->setAlignment(Qt::AlignCenter);
    m_title->setGeometry(0, 4, 503, 30);

    auto *emblem = new QLabel(this);
    emblem->setObjectName(QStringLiteral("ProgramIcon"));
    emblem->setPixmap(QPixmap(programDir + QStringLiteral("emblem.png")));
    emblem->setGeometry(18, 48, 88, 46);

    auto *link = new QLabel(this);
    link->setObjectName(QStringLiteral("Label5"));
    QFont linkFont(QStringLiteral("Arial"));
    linkFont.setPixelSize(17);
    linkFont.setBold(false);
    link->setFont(linkFont);
    link->setText(QStringLiteral("<a href=\"manual\" style=\"color: blue;\">%1</a>").arg(tr("How to play Trivisto")));
    link->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    link->setGeometry(240, 44, 240, 22);
    link->setToolTip(ManualPath());
    connect(link, &QLabel::linkActivated, this, [this] { OpenFile(ManualPath(), tr("manual")); });

    auto *bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(24, 104, 449, 9);

    QFont buttonFont(QStringLiteral("Arial"));
    buttonFont.setBold(true);
    buttonFont.setPixelSize(15);

    m_help = new QPushButton(tr("Help"), this);
    m_help->setObjectName(QStringLiteral("Button3"));
    m_help->setFont(buttonFont);
    m_help->setGeometry(273, 152, 88, 25);
    m_help->setVisible(false);
    connect(m_help, &QPushButton::clicked, this, [this] { OpenFile(HelpPath(), tr("help text")); });

    auto *ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setFont(buttonFont);
    ok->setGeometry(384, 152, 89, 25);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    // Sized to end 30 pixels beyond "OK", centred on the screen.
    setFixedSize(384 + 89 + 30, 152 + 25 + 30);
    if (QScreen *screen = this->screen())
        move(screen->geometry().center() - rect().center());

}

void TFormA::english()
{
    m_title->setText(QStringLiteral("Trivisto"));
    m_help->setVisible(true);
}

QString TFormA::HelpPath() const
{
    return m_programDir + QStringLiteral("readme.txt");
}

QString TFormA::ManualPath() const
{
    return m_programDir + QStringLiteral("manual.html");
}

void TFormA::showEvent(QShowEvent *event)
{
    setWindowTitle(QString());
    QDialog::showEvent(event);
}

void TFormA::OpenFile(const QString &path, const QString &what)
{
    const QFileInfo info(path);
    QString problem;
    if (!info.isFile())
        problem = tr("The %1 %2 is missing.").arg(what, QDir::toNativeSeparators(path));
    else if (!info.isReadable() || !QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        problem = tr("The %1 %2 could not be opened: no program to show it was found.").arg(what, QDir::toNativeSeparators(path));
    if (!problem.isEmpty())
        QMessageBox::warning(this, tr("Trivisto"), problem);
}
