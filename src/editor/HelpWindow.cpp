// SPDX-License-Identifier: GPL-3.0-or-later
#include "HelpWindow.h"

#include "Language.h"

#include <QFile>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPointer>
#include <QRegularExpression>
#include <QSplitter>
#include <QTextBrowser>
#include <QTextDocumentFragment>

// The resource lives in a static library: nothing else would pull it in.
static void initManualResource()
{
    Q_INIT_RESOURCE(help);
}

QString manualHtml(const QString& versionText)
{
    initManualResource();
    // the manual of the language in use where there is one
    QFile file(language::localizedFile(QStringLiteral(":/help"), QStringLiteral("manual.html")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString html = QString::fromUtf8(file.readAll());
    html.replace(QStringLiteral("@VERSION@"), versionText.toHtmlEscaped());
    return html;
}

HelpWindow::HelpWindow(const QString& versionText, QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(tr("Ayuda de WMK38"));

    const QString html = manualHtml(versionText);

    m_contents = new QListWidget(this);
    m_contents->setObjectName(QStringLiteral("lstContenido"));
    // the contents are the manual's own section headings, so the two cannot drift apart
    static const QRegularExpression heading(QStringLiteral("<h([23])><a name=\"([^\"]+)\"></a>(.*?)</h\\1>"));
    for (auto it = heading.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        QString title = m.captured(3);
        title.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
        auto* item =
            new QListWidgetItem((m.captured(1) == QLatin1String("3") ? QStringLiteral("    ") : QString()) +
                                    QTextDocumentFragment::fromHtml(title).toPlainText(),
                                m_contents);
        item->setData(Qt::UserRole, m.captured(2));
    }

    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("txtManual"));
    m_browser->setOpenExternalLinks(false);
    m_browser->setOpenLinks(true);
    m_browser->setHtml(html);

    connect(m_contents, &QListWidget::itemActivated, this, &HelpWindow::goTo);
    connect(m_contents, &QListWidget::itemClicked, this, &HelpWindow::goTo);

    auto* splitter = new QSplitter(this);
    splitter->addWidget(m_contents);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({220, 680});
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);
    resize(960, 680);
}

void HelpWindow::goTo(QListWidgetItem* item)
{
    if (item)
        m_browser->scrollToAnchor(item->data(Qt::UserRole).toString());
}

void showHelp(QWidget* parent, const QString& versionText)
{
    static QPointer<HelpWindow> window;
    if (!window) {
        window = new HelpWindow(versionText, parent);
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->show();
    window->raise();
    window->activateWindow();
}
