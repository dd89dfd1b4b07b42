#include "modules/webengine/webenginepage.h"

#include "modules/webengine/webenginedownload.h"

#include <QWebEngineCookieStore>
#include <QWebEngineDownloadRequest>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

WebEnginePage::WebEnginePage(QWidget *parent, Events &events)
    : m_events(events)
    , m_view(new QWebEngineView(parent))
{
    QWebEnginePage *page = m_view->page();
    connect(page, &QWebEnginePage::loadProgress, this, [this](int progress) {
        m_events.loadProgress(progress);
    });
    connect(page, &QWebEnginePage::loadingChanged, this, &WebEnginePage::onLoadingChanged);
    // Downloads are the profile's, shared by every view: each page keeps its own.
    connect(page->profile(), &QWebEngineProfile::downloadRequested, this, &WebEnginePage::onDownloadRequested);
}

WebEnginePage::~WebEnginePage()
{
    delete m_view;
}

QWidget *WebEnginePage::widget() const
{
    return m_view;
}

void WebEnginePage::load(const QUrl &url)
{
    m_view->setUrl(url);
}

void WebEnginePage::setContent(
    const QByteArray &body, const QString &mimeType, const QUrl &url, const QList<QNetworkCookie> &cookies)
{
    QWebEngineCookieStore *store = m_view->page()->profile()->cookieStore();
    for (const QNetworkCookie &cookie : cookies)
        store->setCookie(cookie, url);
    m_view->setContent(body, mimeType, url);
}

QUrl WebEnginePage::url() const
{
    return m_view->url();
}

void WebEnginePage::stop()
{
    m_view->stop();
}

void WebEnginePage::reload()
{
    m_view->reload();
}

void WebEnginePage::toPlainText(const std::function<void(const QString &)> &done) const
{
    m_view->page()->toPlainText(done);
}

void WebEnginePage::onLoadingChanged(const QWebEngineLoadingInfo &info)
{
    switch (info.status()) {
    case QWebEngineLoadingInfo::LoadStartedStatus:
        m_events.loadingChanged(LoadStatus::Started, info.url(), 0);
        break;
    case QWebEngineLoadingInfo::LoadStoppedStatus:
        m_events.loadingChanged(LoadStatus::Stopped, info.url(), 0);
        break;
    case QWebEngineLoadingInfo::LoadSucceededStatus:
        m_events.loadingChanged(LoadStatus::Succeeded, info.url(), 0);
        break;
    case QWebEngineLoadingInfo::LoadFailedStatus:
        m_events.loadingChanged(LoadStatus::Failed, info.url(), info.errorCode());
        break;
    }
}

void WebEnginePage::onDownloadRequested(QWebEngineDownloadRequest *request)
{
    // A resumed download asks again, and not always from the page it started in.
    if (WebEngineDownload *known = m_downloads.value(request->id())) {
        known->resumeWith(request);
        return;
    }
    if (request->page() != m_view->page())
        return;
    auto download = std::make_unique<WebEngineDownload>(request);
    const QPointer<WebEngineDownload> offered = download.get();
    m_events.downloadRequested(std::move(download));
    if (offered && offered->isAccepted())
        m_downloads.insert(offered->id(), offered);
    m_downloads.removeIf([](const auto &entry) {
        return entry.value().isNull();
    });
}
