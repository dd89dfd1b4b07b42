#pragma once

#include "core/browser/browsercontrol.h"
#include "core/browser/pagefetch.h"
#include "platform/browser/browserenginepage.h"

#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

class EngineDownload;

// An embedded web browser behind the BrowserControl interface. Its engine
// (QtWebEngine, in a module of its own) costs start-up time, memory and
// helper processes, so a view that has never been shown does without it: its
// navigations are plain HTTP requests that raise the same events. The engine
// is loaded and given a page when the view is first shown (or by
// createEngine()), and the page is handed what was fetched, so that the
// server is not asked twice. Until then widget() is an empty area that can
// already be laid out. When the engine cannot start, the view goes on
// fetching, and its area says what is missing.
class WebView : public BrowserControl, private BrowserEnginePage::Events
{
    Q_OBJECT

public:
    explicit WebView(QObject *parent = nullptr);
    ~WebView() override;

    QWidget *widget();
    void createEngine();
    // The text of the page the engine shows, as its reader sees it, given to
    // `done` later; empty without an engine.
    void pageText(const std::function<void(const QString &)> &done) const;

    void navigate(const QString &address) override;
    void stop() override;
    void refresh() override;
    void setVisible(bool visible) override;
    bool isVisible() const override { return m_visible; }

    // What the engine says it is, without starting it.
    static QString engineUserAgent();

private:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Creates the engine unless it cannot start; whether there is one.
    bool engineReady();
    void loadInEngine(const QUrl &url);
    void handOver();
    void onDownloadOffered(const QUrl &url);
    void offerDownload(EngineDownload *download);

    void loadingChanged(BrowserEnginePage::LoadStatus status, const QUrl &url, int errorCode) override;
    void loadProgress(int progress) override;
    void downloadRequested(std::unique_ptr<BrowserEngineDownload> download) override;

    QPointer<QWidget> m_container;
    std::unique_ptr<BrowserEnginePage> m_page;
    // Why the engine could not start, once it was tried.
    QString m_engineError;
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
};
