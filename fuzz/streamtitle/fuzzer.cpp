// Song titles as a stream's server sends them: UTF-8, or whatever the source
// used. Valid UTF-8 is read as it is; nothing gives half a character.
#include "core/playback/streamtitle.h"
#include "fuzzing.h"

#include <QStringDecoder>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray raw = Fuzzing::bytes(data, size);
    const QString title = StreamTitle::decode(raw);
    FUZZ_CHECK(title.isValidUtf16(), QString::fromLatin1(raw.toHex()));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString asUtf8 = utf8.decode(raw);
    if (!utf8.hasError())
        FUZZ_CHECK(title == asUtf8.trimmed(), title);
    return 0;
}
