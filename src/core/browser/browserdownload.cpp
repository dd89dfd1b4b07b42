#include "core/browser/browserdownload.h"

BrowserDownload::BrowserDownload(const QString &suggestedFileName, QObject *parent)
    : QObject(parent)
    , m_suggestedFileName(suggestedFileName)
{
}

void BrowserDownload::setProgress(qint64 receivedBytes, qint64 totalBytes)
{
    // The engine resets the count of a download it has given up.
    if (m_state != State::Receiving || (receivedBytes == m_receivedBytes && totalBytes == m_totalBytes))
        return;
    m_receivedBytes = receivedBytes;
    m_totalBytes = totalBytes;
    Q_EMIT progressChanged(receivedBytes, totalBytes);
}

void BrowserDownload::finish(State state, Failure failure)
{
    if (m_state != State::Receiving)
        return;
    m_state = state;
    m_failure = state == State::Failed ? failure : Failure::None;
    Q_EMIT finished();
}
