#pragma once

#include "player/browsercontrol.h"
#include "player/pagefetch.h"

#include <QHash>
#include <QPointer>
#include <QString>
#include <QWebEngineView>
#include <QWidget>

class QWebEngineDownloadRequest;
class QWebEngineLoadingInfo;
class WebEngineDownload;

// An embedded web browser over QtWebEngine behind the BrowserControl
// interface. The engine costs start-up time, memory and helper processes, so
// a view that has never been shown does without it: its navigations are plain
// HTTP requests that raise the same events. The engine is created when the
// view is first shown (or by createEngine()) and is handed what was fetched,
// so that the server is not asked twice. Until then widget() is an empty area
// that can already be laid out.
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

    // What the engine says it is, without starting it.
    static QString engineUserAgent();

private:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void handOver();
    void onLoadProgress(int progress);
    void onLoadingChanged(const QWebEngineLoadingInfo &info);
    void onDownloadRequested(QWebEngineDownloadRequest *download);

    QPointer<QWidget> m_container;
    QPointer<QWebEngineView> m_view;
    PageFetch m_fetch;
    bool m_visible = true;
    // The last navigation went through the fetch and the engine has not been
    // given its result yet.
    bool m_handOverPending = false;
    // The engine is loading what the fetch has already reported on: its
    // events would say it twice.
    bool m_quiet = false;
    // The page on show was handed over: a reload must ask the server, not
    // replay the content.
    bool m_showsHandedOver = false;
    // Downloads accepted and not finished, by the engine's id.
    QHash<quint32, WebEngineDownload *> m_downloads;
};
