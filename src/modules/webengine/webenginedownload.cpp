#include "modules/webengine/webenginedownload.h"

#include <QWebEngineDownloadRequest>

namespace
{

BrowserDownload::Failure failureOf(QWebEngineDownloadRequest::DownloadInterruptReason reason)
{
    switch (reason) {
    case QWebEngineDownloadRequest::FileFailed:
    case QWebEngineDownloadRequest::FileAccessDenied:
    case QWebEngineDownloadRequest::FileNoSpace:
    case QWebEngineDownloadRequest::FileNameTooLong:
    case QWebEngineDownloadRequest::FileTooLarge:
    case QWebEngineDownloadRequest::FileVirusInfected:
    case QWebEngineDownloadRequest::FileTransientError:
    case QWebEngineDownloadRequest::FileBlocked:
    case QWebEngineDownloadRequest::FileSecurityCheckFailed:
    case QWebEngineDownloadRequest::FileTooShort:
    case QWebEngineDownloadRequest::FileHashMismatch:
        return BrowserDownload::Failure::File;
    case QWebEngineDownloadRequest::ServerFailed:
    case QWebEngineDownloadRequest::ServerBadContent:
    case QWebEngineDownloadRequest::ServerUnauthorized:
    case QWebEngineDownloadRequest::ServerCertProblem:
    case QWebEngineDownloadRequest::ServerForbidden:
    case QWebEngineDownloadRequest::ServerUnreachable:
        return BrowserDownload::Failure::Server;
    case QWebEngineDownloadRequest::UserCanceled:
        return BrowserDownload::Failure::Cancelled;
    case QWebEngineDownloadRequest::NetworkFailed:
    case QWebEngineDownloadRequest::NetworkTimeout:
    case QWebEngineDownloadRequest::NetworkDisconnected:
    case QWebEngineDownloadRequest::NetworkServerDown:
    case QWebEngineDownloadRequest::NetworkInvalidRequest:
    case QWebEngineDownloadRequest::NoReason:
        break;
    }
    // Network reasons, and those the enumeration does not name: the engine
    // reports a body shorter than its announced length as 38.
    return BrowserDownload::Failure::Network;
}

} // namespace

WebEngineDownload::WebEngineDownload(QWebEngineDownloadRequest *request)
    : m_id(request->id())
    , m_suggestedFileName(request->suggestedFileName())
{
    bind(request);
}

void WebEngineDownload::bind(QWebEngineDownloadRequest *request)
{
    if (m_request)
        disconnect(m_request, nullptr, this, nullptr);
    m_request = request;
    connect(request, &QWebEngineDownloadRequest::receivedBytesChanged, this, &WebEngineDownload::onProgress);
    connect(request, &QWebEngineDownloadRequest::totalBytesChanged, this, &WebEngineDownload::onProgress);
    connect(request, &QWebEngineDownloadRequest::stateChanged, this, &WebEngineDownload::onStateChanged);
}

void WebEngineDownload::resumeWith(QWebEngineDownloadRequest *request)
{
    bind(request);
    if (isAccepted())
        accept(m_folder, m_fileName);
}

void WebEngineDownload::accept(const QString &folder, const QString &fileName)
{
    m_folder = folder;
    m_fileName = fileName;
    if (!m_request)
        return;
    m_request->setDownloadDirectory(folder);
    m_request->setDownloadFileName(fileName);
    m_request->accept();
}

void WebEngineDownload::cancel()
{
    if (m_request)
        m_request->cancel();
    end(BrowserDownload::State::Failed, BrowserDownload::Failure::Cancelled);
}

void WebEngineDownload::onProgress()
{
    if (m_events)
        m_events->downloadProgress(m_request->receivedBytes(), m_request->totalBytes());
}

void WebEngineDownload::onStateChanged()
{
    switch (m_request->state()) {
    case QWebEngineDownloadRequest::DownloadCompleted:
        onProgress();
        end(BrowserDownload::State::Completed, BrowserDownload::Failure::None);
        break;
    case QWebEngineDownloadRequest::DownloadCancelled:
        end(BrowserDownload::State::Failed, BrowserDownload::Failure::Cancelled);
        break;
    case QWebEngineDownloadRequest::DownloadInterrupted:
        end(BrowserDownload::State::Failed, failureOf(m_request->interruptReason()));
        break;
    case QWebEngineDownloadRequest::DownloadRequested:
    case QWebEngineDownloadRequest::DownloadInProgress:
        break;
    }
}

void WebEngineDownload::end(BrowserDownload::State state, BrowserDownload::Failure failure)
{
    if (m_events)
        m_events->downloadEnded(state, failure);
}
