#pragma once

#include "platform/browser/browserenginedownload.h"

#include <QByteArray>
#include <QList>
#include <QNetworkCookie>
#include <QString>
#include <QUrl>
#include <functional>
#include <memory>

class QWidget;

// One view of the browser engine, made by its module for a WebView.
class BrowserEnginePage
{
public:
    enum class LoadStatus { Started, Stopped, Succeeded, Failed };

    // What the page tells its WebView, which outlives it.
    class Events
    {
    public:
        // `errorCode`: with Failed, the HTTP status when the server answered
        // with an error, otherwise the engine's own (negative) network code.
        virtual void loadingChanged(LoadStatus status, const QUrl &url, int errorCode) = 0;
        virtual void loadProgress(int progress) = 0;
        // A navigation of this page turned into a file to save. Not accepted
        // before this returns, it is cancelled.
        virtual void downloadRequested(std::unique_ptr<BrowserEngineDownload> download) = 0;

    protected:
        ~Events() = default;
    };

    virtual ~BrowserEnginePage() = default;

    // The engine's widget, a child of the parent the page was made in.
    virtual QWidget *widget() const = 0;
    virtual void load(const QUrl &url) = 0;
    // Shows `body` as if `url` had answered it, having set `cookies` for it.
    virtual void setContent(
        const QByteArray &body, const QString &mimeType, const QUrl &url, const QList<QNetworkCookie> &cookies)
        = 0;
    virtual QUrl url() const = 0;
    virtual void stop() = 0;
    virtual void reload() = 0;
    // The text of the page on show, as its reader sees it, given to `done` later.
    virtual void toPlainText(const std::function<void(const QString &)> &done) const = 0;
};
