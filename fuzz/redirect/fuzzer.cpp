// Redirects of the hidden pages' fetch: a "Location" as a server writes it.
// The first byte picks the page redirected from and how the network layer
// reads the field. A redirect is followed only to an http or https address
// with a host, and in the form a browser gives it.
#include "core/browser/pagefetch.h"
#include "fuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    static const QUrl pages[] = { QUrl(QStringLiteral("http://127.0.0.1:47911/index-ovx.php")),
        QUrl(QStringLiteral("https://www.example.fr/a/b/c?x=1#top")),
        QUrl(QStringLiteral("http://[::1]/")) };
    const QUrl &from = pages[data[0] % 3];
    const QByteArray field = Fuzzing::bytes(data + 1, size - 1);
    const QUrl location = data[0] & 0x80 ? QUrl::fromEncoded(field, QUrl::StrictMode) : QUrl(QString::fromUtf8(field));

    const std::optional<QUrl> next = PageFetch::redirectTarget(from, location);
    if (!next)
        return 0;
    FUZZ_CHECK(next->isValid() && PageFetch::canFetch(*next), next->toString());
    FUZZ_CHECK(next->scheme() == QLatin1String("http") || next->scheme() == QLatin1String("https"), next->toString());
    FUZZ_CHECK(!next->host().isEmpty(), next->toString());
    FUZZ_CHECK(PageFetch::canonical(*next) == *next, next->toString());
    return 0;
}
