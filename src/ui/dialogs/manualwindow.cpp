#include "ui/dialogs/manualwindow.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

ManualWindow::ManualWindow(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("manualWindow"));
    setWindowTitle(tr("Trivisto Manual"));
    setModal(false);
    setSizeGripEnabled(true);
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("manualBrowser"));
    m_browser->setOpenExternalLinks(true);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_browser);
    layout->addWidget(buttons);
    resize(760, 640);
}

bool ManualWindow::showDocument(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable()) {
        QMessageBox::warning(parentWidget() ? parentWidget() : this, tr("Trivisto"),
                             tr("%1 is missing or cannot be read.").arg(QDir::toNativeSeparators(path)));
        return false;
    }
    m_browser->setSearchPaths({info.absolutePath()});
    m_browser->setSource(QUrl::fromLocalFile(info.absoluteFilePath()));
    show();
    raise();
    activateWindow();
    return true;
}
