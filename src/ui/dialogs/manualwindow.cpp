#include "ui/dialogs/manualwindow.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace {

// A browser that shows a .txt file as the text it is, line for line: read as
// HTML, its line breaks would run into one paragraph. Set in a fixed font, so
// the help text's columns stay aligned.
class DocumentBrowser : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;

protected:
    QVariant loadResource(int type, const QUrl &name) override
    {
        if (type == QTextDocument::HtmlResource && name.isLocalFile() &&
            name.path().endsWith(QLatin1String(".txt"), Qt::CaseInsensitive)) {
            QFile file(name.toLocalFile());
            if (file.open(QIODevice::ReadOnly))
                return QStringLiteral("<pre>%1</pre>").arg(QString::fromUtf8(file.readAll()).toHtmlEscaped());
        }
        return QTextBrowser::loadResource(type, name);
    }
};

} // namespace

ManualWindow::ManualWindow(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("manualWindow"));
    setWindowTitle(tr("Trivisto Manual"));
    setModal(false);
    setSizeGripEnabled(true);
    m_browser = new DocumentBrowser(this);
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
