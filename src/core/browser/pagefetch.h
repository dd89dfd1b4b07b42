#pragma once

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <optional>

// A page loaded the way a browser asks for it, without a browser: one GET
// with the browser's own request headers, redirects followed. It raises the
// browser component's events in the browser's order (progress from 0 to 100,
// then the outcome) and keeps what the server sent, so that a browser created
// later can show it without asking again.
class PageFetch : public QObject
{
    Q_OBJECT

public:
    // `userAgent` is the browser's, so that the server cannot tell the two apart.
    explicit PageFetch(const QString &userAgent, QObject *parent = nullptr);
    ~PageFetch() override;

    // Only these are plain HTTP requests; any other address needs the browser.
    static bool canFetch(const QUrl &url);
    // The form a browser gives an address: "/" for an empty path, no default port.
    static QUrl canonical(const QUrl &url);
    // Where an answer from `from` redirecting to `location` (as the server
    // wrote it) leads, in that form; nothing when a plain request may not
    // follow it (to an address off http and https, or without a host).
    static std::optional<QUrl> redirectTarget(const QUrl &from, const QUrl &location);
    // The browser's negative code for a failure without an HTTP answer.
    static int networkErrorCode(QNetworkReply::NetworkError error);
    // Whether a browser would save such an answer as a file rather than show it.
    static bool isDownload(const QByteArray &contentDisposition, const QString &mimeType);

    // A new fetch abandons the one under way without a word. `reload` asks
    // caches along the way for a fresh copy, as a browser's reload does.
    void start(const QUrl &url, bool reload = false);
    // Abandons the fetch under way; like a browser, the progress ends at 100
    // and no outcome is raised.
    void stop();
    // Abandons the fetch under way without raising anything.
    void abandon();

    bool isRunning() const { return m_reply != nullptr; }
    // The address asked for last, and where it led (after redirects).
    QUrl requestedUrl() const { return m_requested; }
    QUrl url() const { return m_url; }
    // Whether the last fetch ended with an answer of the server, whatever its
    // status; then body() and mimeType() hold it.
    bool answered() const { return m_answered; }
    // The answer grew past what is kept; body() is then empty.
    bool tooLong() const { return m_tooLong; }
    QByteArray body() const { return m_body; }
    QString mimeType() const { return m_mimeType; }
    QNetworkAccessManager &network() { return m_network; }

    // Longer answers are not kept (a browser cannot be handed more).
    static constexpr qint64 maximumBody = 2 * 1024 * 1024;

Q_SIGNALS:
    void progressChange(int progress, int progressMax);
    void navigateComplete(const QString &url);
    void navigateError(const QString &url, int statusCode);
    // Once per fetch, when the answer turns out too long to keep.
    void answerTooLong();
    // The answer is a file to save, not a page: the fetch has stopped without
    // an outcome, and a browser must ask for it again to save it.
    void downloadOffered(const QUrl &url);

private:
    void send(const QUrl &url);
    void onReadyRead();
    void onMetaDataChanged();
    void keep(const QByteArray &data);
    void onDownloadProgress(qint64 received, qint64 total);
    void onFinished();
    void fail(int code);
    void emitEnd();
    void emitProgress(int progress);

    QNetworkAccessManager m_network;
    QString m_userAgent;
    QPointer<QNetworkReply> m_reply;
    QUrl m_requested;
    QUrl m_url;
    QByteArray m_body;
    QString m_mimeType;
    bool m_answered = false;
    bool m_tooLong = false;
    int m_progress = -1;
    bool m_reload = false;
    int m_redirects = 0;
    // Tells a fetch from the ones started before it.
    int m_fetches = 0;
};
