#include "player/webview.h"

#include "player/sharedgl.h"
#include "player/webenginedownload.h"

#include <QEvent>
#include <QNetworkCookieJar>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineCookieStore>
#include <QWebEngineDownloadRequest>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <QWidget>
#include <QtWebEngineCore/qtwebenginecoreglobal.h>
#include <sys/utsname.h>

namespace
{

// The engine is handed content as a data address, which it refuses beyond
// this length.
constexpr qsizetype maximumDataAddress = 2 * 1024 * 1024 - 30;

bool fitsInDataAddress(const QByteArray &body, const QString &mimeType)
{
    return QLatin1String("data:,").size() + mimeType.size() + body.toPercentEncoding().size() <= maximumDataAddress;
}

} // namespace

WebView::WebView(QObject *parent)
    : BrowserControl(parent)
    , m_fetch(engineUserAgent())
{
    connect(&m_fetch, &PageFetch::progressChange, this, &BrowserControl::progressChange);
    connect(&m_fetch, &PageFetch::navigateComplete, this, &BrowserControl::navigateComplete);
    connect(&m_fetch, &PageFetch::navigateError, this, &BrowserControl::navigateError);
    // After the outcome has been told: an engine waiting for the page gets it now.
    connect(&m_fetch, &PageFetch::navigateComplete, this, &WebView::handOver);
    connect(&m_fetch, &PageFetch::navigateError, this, &WebView::handOver);
    connect(&m_fetch, &PageFetch::answerTooLong, this, &WebView::handOver);
    // Saving files is the engine's own work: it asks again and saves.
    connect(&m_fetch, &PageFetch::downloadOffered, this, [this](const QUrl &url) {
        m_handOverPending = false;
        createEngine();
        m_quiet = false;
        m_showsHandedOver = false;
        m_view->setUrl(url);
    });
}

WebView::~WebView()
{
    delete m_container;
}

QString WebView::engineUserAgent()
{
    // The engine's own pattern: the machine as uname gives it, its version
    // and that of the Chromium it is built on.
    utsname system {};
    const QString machine = ::uname(&system) == 0 ? QString::fromLatin1(system.machine) : QStringLiteral("x86_64");
    return QStringLiteral("Mozilla/5.0 (X11; Linux %1) AppleWebKit/537.36 (KHTML, like Gecko) QtWebEngine/%2 "
                          "Chrome/%3 Safari/537.36")
        .arg(machine, QString::fromLatin1(qWebEngineVersion()), QString::fromLatin1(qWebEngineChromiumVersion()));
}

QWidget *WebView::widget()
{
    if (!m_container) {
        m_container = new QWidget;
        m_container->setObjectName(QStringLiteral("WB"));
        auto *layout = new QVBoxLayout(m_container);
        layout->setContentsMargins(0, 0, 0, 0);
        m_container->installEventFilter(this);
        // Not setVisible(true): the area has no parent yet, and would open as a
        // window of its own.
        if (!m_visible)
            m_container->hide();
    }
    return m_container;
}

bool WebView::eventFilter(QObject *watched, QEvent *event)
{
    // Shown means on screen: the area and every window around it visible.
    if (watched == m_container && event->type() == QEvent::Show && !m_view)
        createEngine();
    return BrowserControl::eventFilter(watched, event);
}

void WebView::createEngine()
{
    if (m_view)
        return;
    SharedGl::ensure();
    m_view = new QWebEngineView(widget());
    widget()->layout()->addWidget(m_view);
    QWebEnginePage *page = m_view->page();
    connect(page, &QWebEnginePage::loadProgress, this, &WebView::onLoadProgress);
    connect(page, &QWebEnginePage::loadingChanged, this, &WebView::onLoadingChanged);
    // Downloads are the profile's, shared by every view: each view keeps its own.
    connect(page->profile(), &QWebEngineProfile::downloadRequested, this, &WebView::onDownloadRequested);
    handOver();
}

// The engine shows what the fetch got, as the server sent it, with the
// cookies it set: the page's own requests then go out as if the engine had
// loaded it. Only what cannot be handed over (no answer at all, or one too
// long) is asked for again, by the engine itself.
void WebView::handOver()
{
    if (!m_view || !m_handOverPending)
        return;
    if (m_fetch.isRunning()) {
        if (!m_fetch.tooLong())
            return;
        // Nothing to hand over and nothing told yet: the engine takes the load over.
        m_fetch.abandon();
        m_handOverPending = false;
        m_quiet = false;
        m_showsHandedOver = false;
        m_view->setUrl(m_fetch.requestedUrl());
        return;
    }
    m_handOverPending = false;
    m_quiet = true;
    m_showsHandedOver = true;
    if (m_fetch.answered() && !m_fetch.tooLong() && fitsInDataAddress(m_fetch.body(), m_fetch.mimeType())) {
        QWebEngineCookieStore *cookies = m_view->page()->profile()->cookieStore();
        for (const QNetworkCookie &cookie : m_fetch.network().cookieJar()->cookiesForUrl(m_fetch.url()))
            cookies->setCookie(cookie, m_fetch.url());
        m_view->setContent(m_fetch.body(), m_fetch.mimeType(), m_fetch.url());
    } else {
        // The engine's own page for a failure says more than a blank one.
        m_view->setUrl(m_fetch.answered() ? m_fetch.url() : m_fetch.requestedUrl());
    }
}

void WebView::navigate(const QString &address)
{
    const QUrl url = QUrl::fromUserInput(address);
    if (!m_view && PageFetch::canFetch(url)) {
        m_handOverPending = true;
        m_fetch.start(url);
        return;
    }
    m_fetch.abandon();
    m_handOverPending = false;
    createEngine();
    m_quiet = false;
    m_showsHandedOver = false;
    m_view->setUrl(url);
}

void WebView::stop()
{
    if (m_fetch.isRunning()) {
        m_handOverPending = false;
        m_fetch.stop();
    }
    if (m_view)
        m_view->stop();
}

void WebView::refresh()
{
    if (m_view && !m_handOverPending) {
        if (m_showsHandedOver) {
            m_showsHandedOver = false;
            m_quiet = false;
            m_view->setUrl(m_view->url());
        } else {
            m_view->reload();
        }
        return;
    }
    if (m_fetch.requestedUrl().isEmpty())
        return;
    // A reload asks again for the page that was reached, or failed to be.
    m_handOverPending = true;
    m_fetch.start(m_fetch.answered() ? m_fetch.url() : m_fetch.requestedUrl(), true);
}

void WebView::setVisible(bool visible)
{
    m_visible = visible;
    if (m_container)
        m_container->setVisible(visible);
}

QString WebView::currentUrl() const
{
    if (m_view && !m_handOverPending)
        return m_view->url().toString();
    return m_fetch.requestedUrl().isEmpty() ? QString() : m_fetch.url().toString();
}

void WebView::onLoadProgress(int progress)
{
    if (!m_quiet)
        Q_EMIT progressChange(progress, 100);
}

void WebView::onLoadingChanged(const QWebEngineLoadingInfo &info)
{
    if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus) {
        if (!m_quiet)
            m_showsHandedOver = false;
        return;
    }
    if (m_quiet) {
        m_quiet = false;
        return;
    }
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
