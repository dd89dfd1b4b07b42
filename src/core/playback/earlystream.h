#pragma once

#include "core/playback/streamsource.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QUrl>
#include <memory>
#include <optional>
#include <thread>

// The start-up stream's connection, opened first thing in main(), before the
// windows and the player exist: a live stream's server takes a third of a
// second to send its first sound, and the wait is better spent building the
// program than afterwards. The request is the media engine's own, word for
// word, and the engine later reads the body from here (body()), so that the
// server sees one listener. An answer that is not a live stream is handed
// back: the engine then opens the address itself, as it would have.
//
// All the network work runs on a thread of the object's own; what it learns
// is kept here (state(), title()) and announced by the signals.
class EarlyStream : public QObject
{
    Q_OBJECT

public:
    enum class State {
        Connecting,
        Live, // the body is a live stream, ready to be read
        HandedBack, // the engine must open finalUrl() itself
        Failed, // the engine would have failed the same way: failure()
    };
    Q_ENUM(State)

    struct Options {
        int timeoutMs = 15000;
        // Sound kept for a reader that does not come or stops reading.
        qint64 bufferLimit = 16 * 1024 * 1024;
    };

    // Whether `address` is one the engine would open with the request this
    // class sends: http or https without a user name, not a playlist by its
    // name, and no proxy set for the engine to go through.
    static bool canOpen(const QString &address);
    // Starts the connection; nothing when canOpen() says no.
    static std::unique_ptr<EarlyStream> open(const QString &address, const Options &options);
    static std::unique_ptr<EarlyStream> open(const QString &address);
    // Stops the connection; the body then ends for its reader.
    ~EarlyStream() override;

    // The address as it was given, trimmed.
    QString address() const { return m_address; }
    State state() const;
    // Where the last redirect led (the address itself when there was none).
    QUrl finalUrl() const;
    // The player's status text, when the state is Failed.
    QString failure() const;
    // A live stream's content type, as its server gave it.
    QByteArray contentType() const;
    // The last ICY title received, as the server sent its bytes; nothing
    // before the first.
    std::optional<QByteArray> title() const;

    struct Shared;
    // The sound, for the engine's own threads: reading blocks until there is
    // some. Every reader shares the same stream.
    std::shared_ptr<StreamSource> body() const;

Q_SIGNALS:
    // Emitted from the connection's thread: connect with a queued connection
    // (the default, for receivers living on another thread).
    void stateChanged(EarlyStream::State state);
    void titleChanged(const QByteArray &raw);

private:
    EarlyStream(const QString &address, const Options &options);
    void run(QUrl url);
    void setState(State state, const QUrl &url, const QString &failure = {});

    QString m_address;
    Options m_options;
    std::shared_ptr<Shared> m_shared;
    std::thread m_thread;
};
