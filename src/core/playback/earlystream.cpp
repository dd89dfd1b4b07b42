#include "core/playback/earlystream.h"

#include "core/playback/asxparser.h"
#include "core/playback/icyreader.h"
#include "core/playback/streamrequest.h"

#include <QDeadlineTimer>
#include <QSslSocket>
#include <QTcpSocket>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

struct EarlyStream::Shared {
    std::mutex mutex;
    std::condition_variable changed;
    State state = State::Connecting;
    QUrl finalUrl;
    QString failure;
    QByteArray contentType;
    std::optional<QByteArray> title;
    // The sound received and not read yet starts at `readAt`.
    QByteArray sound;
    qsizetype readAt = 0;
    // No more sound will come.
    bool ended = false;
    bool cancelled = false;
    bool stopping = false;
    // The connection's descriptor while it is open: stopping shuts it, which
    // wakes the thread from whatever wait it is in, a connect included.
    int descriptor = -1;
};

namespace
{

constexpr qsizetype headLimit = 64 * 1024;
constexpr qsizetype compactAfter = 1024 * 1024;

using SocketError = QAbstractSocket::SocketError;

bool isTls(const QUrl &url)
{
    return url.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0;
}

bool isWebAddress(const QUrl &url)
{
    const QString scheme = url.scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

// The engine reads these playlists itself, or has them read for it.
bool isPlaylistByName(const QUrl &url)
{
    const QString path = url.path().toLower();
    for (const char *suffix : { ".m3u", ".m3u8", ".pls" }) {
        if (path.endsWith(QLatin1String(suffix)))
            return true;
    }
    return AsxParser::isPlaylistAddress(url);
}

// The engine goes through a proxy when one of these is set.
bool proxyConfigured()
{
    for (const char *variable :
        { "http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY" }) {
        if (!qEnvironmentVariableIsEmpty(variable))
            return true;
    }
    return false;
}

// A TCP connection to `url`'s host, tried on each of its addresses in turn;
// -1 with the reason in `error`. The descriptor is published in `shared`
// before each attempt, so that a stop interrupts the attempt.
int connectTo(const QUrl &url, EarlyStream::Shared &shared, QDeadlineTimer deadline, SocketError *error)
{
    addrinfo hints {};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo *found = nullptr;
    const QByteArray host = url.host(QUrl::FullyEncoded).toLatin1();
    const QByteArray port = QByteArray::number(url.port(isTls(url) ? 443 : 80));
    if (::getaddrinfo(host.constData(), port.constData(), &hints, &found) != 0) {
        *error = SocketError::HostNotFoundError;
        return -1;
    }
    *error = SocketError::NetworkError;
    int connected = -1;
    for (addrinfo *address = found; address && connected < 0; address = address->ai_next) {
        const int descriptor
            = ::socket(address->ai_family, address->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, address->ai_protocol);
        if (descriptor < 0)
            continue;
        {
            std::lock_guard lock(shared.mutex);
            if (shared.stopping) {
                ::close(descriptor);
                break;
            }
            shared.descriptor = descriptor;
        }
        int failure = 0;
        if (::connect(descriptor, address->ai_addr, address->ai_addrlen) != 0) {
            failure = errno;
            if (failure == EINPROGRESS) {
                pollfd waiting { descriptor, POLLOUT, 0 };
                const int ready = ::poll(&waiting, 1, int(qMin<qint64>(deadline.remainingTime(), INT_MAX)));
                socklen_t length = sizeof failure;
                if (ready == 0)
                    failure = ETIMEDOUT;
                else if (ready < 0 || ::getsockopt(descriptor, SOL_SOCKET, SO_ERROR, &failure, &length) != 0)
                    failure = errno;
            }
        }
        if (failure == 0) {
            connected = descriptor;
            break;
        }
        *error = failure == ECONNREFUSED ? SocketError::ConnectionRefusedError
            : failure == ETIMEDOUT       ? SocketError::SocketTimeoutError
                                         : SocketError::NetworkError;
        std::lock_guard lock(shared.mutex);
        shared.descriptor = -1;
        ::close(descriptor);
        if (*error == SocketError::SocketTimeoutError || shared.stopping)
            break;
    }
    ::freeaddrinfo(found);
    return connected;
}

int remainingMs(const QDeadlineTimer &deadline)
{
    return int(qMin<qint64>(deadline.remainingTime(), INT_MAX));
}

} // namespace

bool EarlyStream::canOpen(const QString &address)
{
    const QUrl url(address.trimmed());
    return url.isValid() && isWebAddress(url) && !url.host().isEmpty() && url.userInfo().isEmpty()
        && !isPlaylistByName(url) && !proxyConfigured();
}

std::unique_ptr<EarlyStream> EarlyStream::open(const QString &address, const Options &options)
{
    if (!canOpen(address))
        return {};
    std::unique_ptr<EarlyStream> stream(new EarlyStream(address.trimmed(), options));
    stream->m_thread = std::thread(&EarlyStream::run, stream.get(), QUrl(stream->m_address));
    return stream;
}

std::unique_ptr<EarlyStream> EarlyStream::open(const QString &address)
{
    return open(address, Options());
}

EarlyStream::EarlyStream(const QString &address, const Options &options)
    : m_address(address)
    , m_options(options)
    , m_shared(std::make_shared<Shared>())
{
    m_shared->finalUrl = QUrl(address);
}

EarlyStream::~EarlyStream()
{
    {
        std::lock_guard lock(m_shared->mutex);
        m_shared->stopping = true;
        if (m_shared->descriptor >= 0)
            ::shutdown(m_shared->descriptor, SHUT_RDWR);
    }
    m_shared->changed.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

EarlyStream::State EarlyStream::state() const
{
    std::lock_guard lock(m_shared->mutex);
    return m_shared->state;
}

QUrl EarlyStream::finalUrl() const
{
    std::lock_guard lock(m_shared->mutex);
    return m_shared->finalUrl;
}

QString EarlyStream::failure() const
{
    std::lock_guard lock(m_shared->mutex);
    return m_shared->failure;
}

QByteArray EarlyStream::contentType() const
{
    std::lock_guard lock(m_shared->mutex);
    return m_shared->contentType;
}

std::optional<QByteArray> EarlyStream::title() const
{
    std::lock_guard lock(m_shared->mutex);
    return m_shared->title;
}

namespace
{

class Body : public StreamSource
{
public:
    explicit Body(std::shared_ptr<EarlyStream::Shared> shared)
        : m_shared(std::move(shared))
    {
    }

    qint64 read(char *data, qint64 size) override
    {
        EarlyStream::Shared &shared = *m_shared;
        std::unique_lock lock(shared.mutex);
        shared.changed.wait(lock, [&shared] {
            return shared.cancelled || shared.ended || shared.readAt < shared.sound.size();
        });
        if (shared.cancelled)
            return -1;
        const qint64 taken = qMin<qint64>(size, shared.sound.size() - shared.readAt);
        std::memcpy(data, shared.sound.constData() + shared.readAt, size_t(taken));
        shared.readAt += qsizetype(taken);
        // Room again for the connection, which waits while the buffer is full.
        shared.changed.notify_all();
        return taken;
    }

    void cancel() override
    {
        {
            std::lock_guard lock(m_shared->mutex);
            m_shared->cancelled = true;
            if (m_shared->descriptor >= 0)
                ::shutdown(m_shared->descriptor, SHUT_RDWR);
        }
        m_shared->changed.notify_all();
    }

private:
    std::shared_ptr<EarlyStream::Shared> m_shared;
};

} // namespace

std::shared_ptr<StreamSource> EarlyStream::body() const
{
    return std::make_shared<Body>(m_shared);
}

void EarlyStream::setState(State state, const QUrl &url, const QString &failure)
{
    {
        std::lock_guard lock(m_shared->mutex);
        if (m_shared->stopping) {
            m_shared->ended = true;
            return;
        }
        m_shared->state = state;
        m_shared->finalUrl = url;
        m_shared->failure = failure;
        if (state != State::Live)
            m_shared->ended = true;
    }
    m_shared->changed.notify_all();
    Q_EMIT stateChanged(state);
}

void EarlyStream::run(QUrl url)
{
    Shared &shared = *m_shared;
    const auto stopped = [&shared] {
        std::lock_guard lock(shared.mutex);
        return shared.stopping || shared.cancelled;
    };
    std::unique_ptr<QTcpSocket> socket;
    // The descriptor is forgotten before the socket that owns it closes it.
    const auto closeSocket = [&shared, &socket] {
        {
            std::lock_guard lock(shared.mutex);
            shared.descriptor = -1;
        }
        socket.reset();
    };
    // A descriptor no socket owns yet.
    const auto dropDescriptor = [&shared](int descriptor) {
        std::lock_guard lock(shared.mutex);
        shared.descriptor = -1;
        ::close(descriptor);
    };
    const auto handBack = [this, &closeSocket](const QUrl &at) {
        closeSocket();
        setState(State::HandedBack, at);
    };

    QByteArray received;
    StreamRequest::Verdict verdict;
    for (int redirects = 0;; ++redirects) {
        const QDeadlineTimer deadline(m_options.timeoutMs);
        SocketError error = SocketError::UnknownSocketError;
        const int descriptor = connectTo(url, shared, deadline, &error);
        if (stopped()) {
            if (descriptor >= 0)
                dropDescriptor(descriptor);
            return handBack(url);
        }
        if (descriptor < 0) {
            if (const std::optional<QString> failure = StreamRequest::connectionFailure(error))
                return setState(State::Failed, url, *failure);
            return handBack(url);
        }
        if (isTls(url)) {
            if (!QSslSocket::supportsSsl()) {
                dropDescriptor(descriptor);
                return handBack(url);
            }
            auto tls = std::make_unique<QSslSocket>();
            // The engine does not check certificates either.
            tls->setPeerVerifyMode(QSslSocket::VerifyNone);
            tls->setPeerVerifyName(url.host());
            socket = std::move(tls);
        } else {
            socket = std::make_unique<QTcpSocket>();
        }
        if (!socket->setSocketDescriptor(descriptor)) {
            dropDescriptor(descriptor);
            return handBack(url);
        }
        if (auto *tls = qobject_cast<QSslSocket *>(socket.get())) {
            tls->startClientEncryption();
            if (!tls->waitForEncrypted(remainingMs(deadline)))
                return handBack(url);
        }
        socket->write(StreamRequest::compose(url));
        if (!socket->waitForBytesWritten(remainingMs(deadline)) && socket->bytesToWrite() > 0)
            return handBack(url);

        received.clear();
        qsizetype headEnd = -1;
        while (headEnd < 0 && received.size() < headLimit) {
            if (!socket->waitForReadyRead(remainingMs(deadline))) {
                received += socket->readAll();
                headEnd = received.indexOf("\r\n\r\n");
                if (headEnd >= 0 || stopped())
                    break;
                if (socket->error() == SocketError::SocketTimeoutError) {
                    closeSocket();
                    return setState(
                        State::Failed, url, *StreamRequest::connectionFailure(SocketError::SocketTimeoutError));
                }
                return handBack(url);
            }
            received += socket->readAll();
            headEnd = received.indexOf("\r\n\r\n");
        }
        if (stopped() || headEnd < 0)
            return handBack(url);
        const std::optional<StreamRequest::Answer> answer = StreamRequest::parseHead(received.left(headEnd));
        if (!answer)
            return handBack(url);
        verdict = StreamRequest::judge(*answer, url);
        received.remove(0, headEnd + 4);
        if (verdict.kind != StreamRequest::Verdict::Kind::Redirect)
            break;
        closeSocket();
        if (redirects == StreamRequest::maximumRedirects || !isWebAddress(verdict.location))
            return handBack(verdict.location);
        url = verdict.location;
    }

    switch (verdict.kind) {
    case StreamRequest::Verdict::Kind::Failed:
        closeSocket();
        return setState(State::Failed, url, verdict.failure);
    case StreamRequest::Verdict::Kind::Live:
        break;
    default:
        return handBack(url);
    }
    {
        std::lock_guard lock(shared.mutex);
        shared.contentType = verdict.contentType;
    }
    setState(State::Live, url);

    IcyReader icy(verdict.metaInterval);
    while (true) {
        QList<QByteArray> titles;
        const QByteArray sound = icy.read(received, &titles);
        bool stopping = false;
        {
            std::unique_lock lock(shared.mutex);
            shared.sound += sound;
            if (!titles.isEmpty())
                shared.title = titles.last();
            stopping = shared.stopping;
        }
        shared.changed.notify_all();
        // Nobody is left to tell once the owner is going away.
        if (!stopping) {
            for (const QByteArray &title : std::as_const(titles))
                Q_EMIT titleChanged(title);
        }
        {
            std::unique_lock lock(shared.mutex);
            shared.changed.wait(lock, [&shared, this] {
                return shared.stopping || shared.cancelled
                    || shared.sound.size() - shared.readAt < m_options.bufferLimit;
            });
            if (shared.stopping || shared.cancelled)
                break;
            if (shared.readAt > compactAfter) {
                shared.sound.remove(0, shared.readAt);
                shared.readAt = 0;
            }
        }
        if (!socket->waitForReadyRead(m_options.timeoutMs) && socket->bytesAvailable() == 0)
            break;
        received = socket->readAll();
    }
    closeSocket();
    {
        std::lock_guard lock(shared.mutex);
        shared.ended = true;
    }
    shared.changed.notify_all();
}
