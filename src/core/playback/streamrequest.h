#pragma once

#include <QAbstractSocket>
#include <QByteArray>
#include <QList>
#include <QString>
#include <QUrl>
#include <optional>

// The HTTP exchange that opens a stream, as the media engine makes it: the
// request it sends, word for word, so that a server cannot tell who sent it,
// and what its answer means for the player.
namespace StreamRequest
{

// What the engine sends for `url` (http or https, no user name).
QByteArray compose(const QUrl &url);

struct Answer {
    int status = 0;
    // Field names in lower case, values trimmed, in the order sent.
    QList<std::pair<QByteArray, QByteArray>> fields;

    QByteArray field(const QByteArray &lowerName) const;
    bool hasField(const QByteArray &lowerName) const;
};

// The head of an answer, without its final empty line; nothing when it is
// not an HTTP (or ICY) answer.
std::optional<Answer> parseHead(const QByteArray &head);

struct Verdict {
    enum class Kind {
        Live, // a live stream: the body is the sound, with no length
        Redirect, // go on at `location`
        HandBack, // anything else: the engine opens the address itself
        Failed, // the engine would fail with `failure`
    };

    Kind kind = Kind::HandBack;
    QUrl location;
    QString failure;
    // Live: the sound bytes between two ICY metadata blocks (0: none), and
    // the answer's content type.
    qint64 metaInterval = 0;
    QByteArray contentType;
};

// What to do with `answer`, received for `url`.
Verdict judge(const Answer &answer, const QUrl &url);

// The demuxer to read a live stream of this content type with, in FFmpeg's
// names; empty when FFmpeg is to find it from the data. The engine finds it
// from the type itself when it opens the address; from the data alone, an MP3
// stream takes seconds of sound to be sure of.
QByteArray demuxerFor(const QByteArray &contentType);

// The status text the engine gives when a connection fails this way;
// nothing where its wording is not known, and the engine should try itself.
std::optional<QString> connectionFailure(QAbstractSocket::SocketError error);

// A server that answers a request with one more redirect than this is left
// to the engine.
inline constexpr int maximumRedirects = 8;

} // namespace StreamRequest
