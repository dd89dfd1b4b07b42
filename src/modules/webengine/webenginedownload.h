#pragma once

#include "platform/browser/browserenginedownload.h"

#include <QObject>
#include <QPointer>

class QWebEngineDownloadRequest;

// A download of QtWebEngine. The engine resumes a download whose connection
// dropped by asking for it again, under the same id but through a new
// request: resumeWith() takes that request over and accepts it where the
// first one was accepted, so that one download stays one.
class WebEngineDownload : public QObject, public BrowserEngineDownload
{
    Q_OBJECT

public:
    explicit WebEngineDownload(QWebEngineDownloadRequest *request);

    quint32 id() const { return m_id; }
    bool isAccepted() const { return !m_fileName.isEmpty(); }
    void resumeWith(QWebEngineDownloadRequest *request);

    QString suggestedFileName() const override { return m_suggestedFileName; }
    void setEvents(Events *events) override { m_events = events; }
    void accept(const QString &folder, const QString &fileName) override;
    void cancel() override;

private:
    void bind(QWebEngineDownloadRequest *request);
    void onProgress();
    void onStateChanged();
    void end(BrowserDownload::State state, BrowserDownload::Failure failure);

    QPointer<QWebEngineDownloadRequest> m_request;
    quint32 m_id;
    QString m_suggestedFileName;
    QString m_folder;
    QString m_fileName;
    Events *m_events = nullptr;
};
