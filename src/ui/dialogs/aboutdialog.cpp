#include "ui/dialogs/aboutdialog.h"

#include "ui/app/applook.h"
#include "ui/app/pictures.h"
#include "ui/app/translations.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

// In the look's own link colour: About's window is light or dark with it.
QString LinkText()
{
    return QStringLiteral("<a href=\"manual\" style=\"color: %1; text-decoration: underline;\">%2</a>")
        .arg(ToQColor(ColoursOf(AppLook::Shown()).manualLink).name(), AboutDialog::tr("How to play Trivisto"));
}

} // namespace

AboutDialog::AboutDialog(const QString &dataDir, QWidget *parent) : QDialog(parent), m_dataDir(dataDir)
{
    setObjectName(QStringLiteral("aboutDialog"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    auto *title = new QLabel(QStringLiteral("Trivisto"), this);
    title->setObjectName(QStringLiteral("titleLabel"));
    QFont titleFont = font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);

    auto *emblem = new QLabel(this);
    emblem->setObjectName(QStringLiteral("emblemLabel"));
    emblem->setPixmap(CrispPixmap(dataDir + QStringLiteral("emblem.png"), devicePixelRatioF()));
    emblem->setFixedSize(88, 46);

    auto *link = new QLabel(LinkText(), this);
    m_link = link;
    link->setObjectName(QStringLiteral("manualLink"));
    link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    link->setAlignment(Qt::AlignRight | Qt::AlignTop);
    // About is modal: a manual opened over it could be neither read nor
    // closed until About went, so About goes first.
    connect(link, &QLabel::linkActivated, this, [this] {
        accept();
        Q_EMIT manualRequested();
    });

    auto *bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("separator"));
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);

    // Which build this is, under which licence, on which Qt: what a bug
    // report needs first.
    auto *version = new QLabel(tr("Version %1, licensed under the GNU GPL 3.0 or later. Built with Qt %2, running on "
                                  "Qt %3.")
                                   .arg(QStringLiteral(TRIVISTO_VERSION), QStringLiteral(QT_VERSION_STR),
                                        QString::fromLatin1(qVersion())),
                               this);
    version->setObjectName(QStringLiteral("versionLabel"));
    version->setWordWrap(true);
    version->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *help = new QPushButton(tr("Help"), this);
    help->setObjectName(QStringLiteral("helpButton"));
    connect(help, &QPushButton::clicked, this, &AboutDialog::onHelpClicked);
    auto *ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *top = new QHBoxLayout;
    top->addWidget(emblem, 0, Qt::AlignTop);
    top->addStretch(1);
    top->addWidget(link, 0, Qt::AlignTop);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(help);
    buttons->addWidget(ok);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 6, 30, 30);
    layout->addWidget(title);
    layout->addLayout(top);
    layout->addWidget(bevel);
    layout->addSpacing(8);
    layout->addWidget(version);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    // Roughly the proportions the window always had: wide and low.
    setMinimumWidth(480);
    setFixedHeight(sizeHint().height());
}

QString AboutDialog::helpPath() const
{
    return LocalizedFile(m_dataDir, QStringLiteral("readme.txt"));
}

QString AboutDialog::manualPath() const
{
    return LocalizedFile(m_dataDir, QStringLiteral("manual.html"));
}

void AboutDialog::showEvent(QShowEvent *event)
{
    setWindowTitle(QString());
    m_link->setText(LinkText());  // the look may have changed since
    QDialog::showEvent(event);
}

void AboutDialog::onHelpClicked()
{
    const QString path = helpPath();
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable())
        QMessageBox::warning(this, tr("Trivisto"),
                             tr("The help text %1 is missing or cannot be read.").arg(QDir::toNativeSeparators(path)));
    else if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path))) {
        accept();
        Q_EMIT documentRequested(path);
    }
}
