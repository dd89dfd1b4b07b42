#include "player/webview.h"

#include "player/webenginedownload.h"

#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineDownloadRequest>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <QWidget>

WebView::WebView(QObject *parent)
    : BrowserControl(parent)
{
}

WebView::~WebView()
{
    delete m_container;
}

QWidget *WebView::widget()
{
    if (!m_container) {
        m_container = new QWidget;
        m_container->setObjectName(QStringLiteral("WB"));
        auto *layout = new QVBoxLayout(m_container);
        layout->setContentsMargins(0, 0, 0, 0);
        m_container->setVisible(m_visible);
    }
    return m_container;
}

void WebView::createEngine()
{
    if (m_view)
        return;
    m_view = new QWebEngineView(widget());
    widget()->layout()->addWidget(m_view);
    QWebEnginePage *page = m_view->page();
    connect(page, &QWebEnginePage::loadProgress, this, [this](int progress) {
        Q_EMIT progressChange(progress, 100);
    });
    connect(page, &QWebEnginePage::loadingChanged, this, &WebView::onLoadingChanged);
    // Downloads are the profile's, shared by every view: each view keeps its own.
    connect(page->profile(), &QWebEngineProfile::downloadRequested, this, &WebView::onDownloadRequested);
}

void WebView::navigate(const QString &address)
{
    createEngine();
    m_view->setUrl(QUrl::fromUserInput(address));
}

void WebView::stop()
{
    if (m_view)
        m_view->stop();
}

void WebView::refresh()
{
    if (m_view)
        m_view->reload();
}

void WebView::setVisible(bool visible)
{
    m_visible = visible;
    if (m_container)
        m_container->setVisible(visible);
}

QString WebView::currentUrl() const
{
    return m_view ? m_view->url().toString() : QString();
}

void WebView::onLoadingChanged(const QWebEngineLoadingInfo &info)
{
    switch (info.status()) {
    case QWebEngineLoadingInfo::LoadSucceededStatus:
        Q_EMIT navigateComplete(info.url().toString());
        break;
    case QWebEngineLoadingInfo::LoadFailedStatus:
        // The HTTP status when the server answered with an error, otherwise
        // the engine's own (negative) network error code.
        Q_EMIT navigateError(info.url().toString(), info.errorCode());
        break;
    default:
        break;
    }
}

void WebView::onDownloadRequested(QWebEngineDownloadRequest *download)
{
    // A resumed download asks again, and not always from the page it started in.
    if (WebEngineDownload *known = m_downloads.value(download->id())) {
        known->resumeWith(download);
        return;
    }
    if (!m_view || download->page() != m_view->page())
        return;
    auto *taken = new WebEngineDownload(download, this);
    Q_EMIT downloadStarted(taken);
    if (!taken->isAccepted()) {
        delete taken;
        return;
    }
    const quint32 id = taken->id();
    m_downloads.insert(id, taken);
    connect(taken, &BrowserDownload::finished, this, [this, id] {
        m_downloads.take(id)->deleteLater();
    });
}
