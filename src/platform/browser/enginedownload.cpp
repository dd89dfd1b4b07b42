#include "platform/browser/enginedownload.h"

#include <QMetaObject>

EngineDownload::EngineDownload(std::unique_ptr<BrowserEngineDownload> download, QObject *parent)
    : BrowserDownload(download->suggestedFileName(), parent)
    , m_download(std::move(download))
{
    m_download->setEvents(this);
}

EngineDownload::EngineDownload(const QString &suggestedFileName, QObject *parent)
    : BrowserDownload(suggestedFileName, parent)
{
}

EngineDownload::~EngineDownload() = default;

void EngineDownload::accept(const QString &folder, const QString &fileName)
{
    m_accepted = true;
    if (m_download) {
        m_download->accept(folder, fileName);
        return;
    }
    // Once whoever accepts it follows it, as a real download would end.
    QMetaObject::invokeMethod(
        this,
        [this] {
            finish(State::Failed, Failure::NoBrowser);
        },
        Qt::QueuedConnection);
}

void EngineDownload::cancel()
{
    if (m_download)
        m_download->cancel();
    finish(State::Failed, Failure::Cancelled);
}

void EngineDownload::downloadProgress(qint64 receivedBytes, qint64 totalBytes)
{
    setProgress(receivedBytes, totalBytes);
}

void EngineDownload::downloadEnded(State state, Failure failure)
{
    finish(state, failure);
}
