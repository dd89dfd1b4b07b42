// The video search, with whatever text is pasted into its field. The first
// byte picks the site. The address stays on the site's host and on its
// search page: no path segment that a browser resolves ("..", "%2e%2e"),
// no fragment, the words in one query value.
#include "core/search/videosearch.h"
#include "fuzzing.h"

#include <QUrl>
#include <QUrlQuery>

namespace
{

// A segment that a browser takes for "." or ".." (the WHATWG URL rules).
bool isDotSegment(const QString &segment)
{
    const QString lower = segment.toLower();
    return lower == QLatin1String(".") || lower == QLatin1String("%2e") || lower == QLatin1String("..")
        || lower == QLatin1String(".%2e") || lower == QLatin1String("%2e.") || lower == QLatin1String("%2e%2e");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const VideoSearch::Engine engine = VideoSearch::Engine(data[0] % 3);
    const QString field = QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const VideoSearch::Hosts hosts = VideoSearch::Hosts::current();
    const QString address = VideoSearch::address(engine, field, hosts);

    const QUrl url(address, QUrl::StrictMode);
    const QUrl site(hosts.of(engine));
    FUZZ_CHECK(url.isValid(), address);
    FUZZ_CHECK(url.scheme() == site.scheme() && url.host() == site.host() && url.port() == site.port(), address);
    FUZZ_CHECK(url.userInfo().isEmpty() && !url.hasFragment(), address);
    const QStringList segments = url.path(QUrl::FullyEncoded).split(QLatin1Char('/'));
    for (const QString &segment : segments)
        FUZZ_CHECK(!isDotSegment(segment), address);
    switch (engine) {
    case VideoSearch::Engine::GoogleVideos:
    case VideoSearch::Engine::Youtube:
        FUZZ_CHECK(url.path()
                == (engine == VideoSearch::Engine::Youtube ? QLatin1String("/results") : QLatin1String("/videosearch")),
            address);
        FUZZ_CHECK(QUrlQuery(url).queryItems().size() == 1, address);
        break;
    case VideoSearch::Engine::Dailymotion:
        FUZZ_CHECK(segments.size() == 5 && segments.at(1) == QLatin1String("visited")
                && segments.at(2) == QLatin1String("search") && segments.at(4) == QLatin1String("1"),
            address);
        FUZZ_CHECK(!url.hasQuery(), address);
        break;
    }
    return 0;
}
