#pragma once

#include "platform/browser/browserenginepage.h"

#include <QHash>
#include <QObject>
#include <QPointer>

class QWebEngineDownloadRequest;
class QWebEngineLoadingInfo;
class QWebEngineView;
class WebEngineDownload;

// A page of QtWebEngine in a view of its own.
class WebEnginePage : public QObject, public BrowserEnginePage
{
    Q_OBJECT

public:
    WebEnginePage(QWidget *parent, Events &events);
    ~WebEnginePage() override;

    QWidget *widget() const override;
    void load(const QUrl &url) override;
    void setContent(const QByteArray &body,
        const QString &mimeType,
        const QUrl &url,
        const QList<QNetworkCookie> &cookies) override;
    QUrl url() const override;
    void stop() override;
    void reload() override;
    void toPlainText(const std::function<void(const QString &)> &done) const override;

private:
    void onLoadingChanged(const QWebEngineLoadingInfo &info);
    void onDownloadRequested(QWebEngineDownloadRequest *request);

    Events &m_events;
    QPointer<QWebEngineView> m_view;
    // This page's downloads that were accepted, by the engine's id, until
    // their holder lets them go.
    QHash<quint32, QPointer<WebEngineDownload>> m_downloads;
};
