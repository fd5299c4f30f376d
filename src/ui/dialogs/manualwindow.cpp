#include "ui/dialogs/manualwindow.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include <functional>

namespace {

// A browser that shows a .txt file as the text it is, line for line: read as
// HTML, its line breaks would run into one paragraph. Set in a fixed font, so
// the help text's columns stay aligned.
class DocumentBrowser : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;
    std::function<void()> onGuide;

protected:
    // Links to the game act in the game, web links go to the system's
    // browser, and everything else (the manual's own pages) shows here.
    void doSetSource(const QUrl &name, QTextDocument::ResourceType type) override
    {
        if (name.scheme() == QLatin1String("trivisto")) {
            if (name.path() == QLatin1String("guide") && onGuide)
                onGuide();
            return;
        }
        if (!name.isRelative() && !name.isLocalFile() && name.scheme() != QLatin1String("qrc")) {
            QDesktopServices::openUrl(name);
            return;
        }
        QTextBrowser::doSetSource(name, type);
    }

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
    auto *browser = new DocumentBrowser(this);
    browser->onGuide = [this] { Q_EMIT guideRequested(); };
    m_browser = browser;
    m_browser->setObjectName(QStringLiteral("manualBrowser"));
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
