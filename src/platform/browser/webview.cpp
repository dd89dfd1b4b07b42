#include "platform/browser/webview.h"

#include "platform/browser/browserenginemodule.h"
#include "platform/browser/enginedownload.h"
#include "platform/browser/engineversion.h"
#include "platform/browser/unavailablepage.h"
#include "platform/modules/modules.h"
#include "platform/modules/sharedgl.h"

#include <QEvent>
#include <QNetworkCookieJar>
#include <QUrl>
#include <QVBoxLayout>
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
    connect(&m_fetch, &PageFetch::downloadOffered, this, &WebView::onDownloadOffered);
}

WebView::~WebView()
{
    // The page first: its widget lies inside the area.
    m_page.reset();
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
        .arg(machine, QStringLiteral(ONDAVOX_ENGINE_VERSION), QStringLiteral(ONDAVOX_CHROMIUM_VERSION));
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

void WebView::pageText(const std::function<void(const QString &)> &done) const
{
    if (m_page)
        m_page->toPlainText(done);
    else
        done(QString());
}

bool WebView::eventFilter(QObject *watched, QEvent *event)
{
    // Shown means on screen: the area and every window around it visible.
    if (watched == m_container && event->type() == QEvent::Show)
        createEngine();
    return BrowserControl::eventFilter(watched, event);
}

void WebView::createEngine()
{
    if (m_page || !m_engineError.isEmpty())
        return;
    // Before the engine's libraries are loaded: they look for the share
    // context as they start.
    SharedGl::ensure();
    BrowserEngineModule *module
        = Modules::load<BrowserEngineModule>(QString::fromLatin1(BrowserEngineModule::name), &m_engineError);
    if (!module) {
        widget()->layout()->addWidget(new UnavailablePage(m_engineError));
        return;
    }
    m_page = module->createPage(widget(), *this);
    widget()->layout()->addWidget(m_page->widget());
    handOver();
}

bool WebView::engineReady()
{
    createEngine();
    return m_page != nullptr;
}

void WebView::loadInEngine(const QUrl &url)
{
    m_quiet = false;
    m_showsHandedOver = false;
    m_page->load(url);
}

// The engine shows what the fetch got, as the server sent it, with the
// cookies it set: the page's own requests then go out as if the engine had
// loaded it. Only what cannot be handed over (no answer at all, or one too
// long) is asked for again, by the engine itself.
void WebView::handOver()
{
    if (!m_page || !m_handOverPending)
        return;
    if (m_fetch.isRunning()) {
        if (!m_fetch.tooLong())
            return;
        // Nothing to hand over and nothing told yet: the engine takes the load over.
        m_fetch.abandon();
        m_handOverPending = false;
        loadInEngine(m_fetch.requestedUrl());
        return;
    }
    m_handOverPending = false;
    m_quiet = true;
    m_showsHandedOver = true;
    if (m_fetch.answered() && !m_fetch.tooLong() && fitsInDataAddress(m_fetch.body(), m_fetch.mimeType())) {
        m_page->setContent(m_fetch.body(),
            m_fetch.mimeType(),
            m_fetch.url(),
            m_fetch.network().cookieJar()->cookiesForUrl(m_fetch.url()));
    } else {
        // The engine's own page for a failure says more than a blank one.
        m_page->load(m_fetch.answered() ? m_fetch.url() : m_fetch.requestedUrl());
    }
}

void WebView::navigate(const QString &address)
{
    const QUrl url = QUrl::fromUserInput(address);
    if (!m_page && PageFetch::canFetch(url)) {
        m_handOverPending = true;
        m_fetch.start(url);
        return;
    }
    // Before the engine starts: it must not be handed an older page.
    m_fetch.abandon();
    m_handOverPending = false;
    if (engineReady()) {
        loadInEngine(url);
        return;
    }
    // Without an engine, what the fetch cannot ask for fails as a fetch.
    m_fetch.start(url);
}

void WebView::stop()
{
    if (m_fetch.isRunning()) {
        m_handOverPending = false;
        m_fetch.stop();
    }
    if (m_page)
        m_page->stop();
}

void WebView::refresh()
{
    if (m_page && !m_handOverPending) {
        if (m_showsHandedOver)
            loadInEngine(m_page->url());
        else
            m_page->reload();
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

// Saving files is the engine's own work: it asks again and saves.
void WebView::onDownloadOffered(const QUrl &url)
{
    m_handOverPending = false;
    if (engineReady())
        loadInEngine(url);
    else
        offerDownload(new EngineDownload(url.fileName(), this));
}

void WebView::offerDownload(EngineDownload *download)
{
    Q_EMIT downloadStarted(download);
    if (!download->isAccepted()) {
        delete download;
        return;
    }
    connect(download, &BrowserDownload::finished, download, &QObject::deleteLater);
}

void WebView::loadingChanged(BrowserEnginePage::LoadStatus status, const QUrl &url, int errorCode)
{
    if (status == BrowserEnginePage::LoadStatus::Started) {
        if (!m_quiet)
            m_showsHandedOver = false;
        return;
    }
    if (m_quiet) {
        m_quiet = false;
        return;
    }
    switch (status) {
    case BrowserEnginePage::LoadStatus::Succeeded:
        Q_EMIT navigateComplete(url.toString());
        break;
    case BrowserEnginePage::LoadStatus::Failed:
        Q_EMIT navigateError(url.toString(), errorCode);
        break;
    case BrowserEnginePage::LoadStatus::Started:
    case BrowserEnginePage::LoadStatus::Stopped:
        break;
    }
}

void WebView::loadProgress(int progress)
{
    if (!m_quiet)
        Q_EMIT progressChange(progress, 100);
}

void WebView::downloadRequested(std::unique_ptr<BrowserEngineDownload> download)
{
    offerDownload(new EngineDownload(std::move(download), this));
}
