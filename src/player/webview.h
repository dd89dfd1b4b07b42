#pragma once

#include "player/browsercontrol.h"

#include <QHash>
#include <QPointer>
#include <QString>
#include <QWebEngineView>
#include <QWidget>

class QWebEngineDownloadRequest;
class QWebEngineLoadingInfo;
class WebEngineDownload;

// An embedded web browser over QtWebEngine behind the BrowserControl
// interface. The engine costs start-up time and memory, so it is only created
// on first use (createEngine() or the first navigation); until then widget()
// is an empty area that can already be laid out.
class WebView : public BrowserControl
{
    Q_OBJECT

public:
    explicit WebView(QObject *parent = nullptr);
    ~WebView() override;

    QWidget *widget();
    void createEngine();
    bool hasEngine() const { return m_view != nullptr; }
    QWebEngineView *view() const { return m_view; }

    void navigate(const QString &address) override;
    void stop() override;
    void refresh() override;
    void setVisible(bool visible) override;
    bool isVisible() const override { return m_visible; }

    QString currentUrl() const;

private:
    void onLoadingChanged(const QWebEngineLoadingInfo &info);
    void onDownloadRequested(QWebEngineDownloadRequest *download);

    QPointer<QWidget> m_container;
    QPointer<QWebEngineView> m_view;
    bool m_visible = true;
    // Downloads accepted and not finished, by the engine's id.
    QHash<quint32, WebEngineDownload *> m_downloads;
};
