#pragma once

#include "player/browserdownload.h"

#include <QPointer>

class QWebEngineDownloadRequest;

// A download of the browser engine. The engine resumes a download whose
// connection dropped by asking for it again, under the same id but through a
// new request: resumeWith() takes that request over and accepts it where the
// first one was accepted, so that one download stays one.
class WebEngineDownload : public BrowserDownload
{
    Q_OBJECT

public:
    WebEngineDownload(QWebEngineDownloadRequest *request, QObject *parent);

    quint32 id() const { return m_id; }
    bool isAccepted() const { return !m_fileName.isEmpty(); }
    void resumeWith(QWebEngineDownloadRequest *request);

    void accept(const QString &folder, const QString &fileName) override;
    void cancel() override;

private:
    void bind(QWebEngineDownloadRequest *request);
    void onStateChanged();

    QPointer<QWebEngineDownloadRequest> m_request;
    quint32 m_id;
    QString m_folder;
    QString m_fileName;
};
