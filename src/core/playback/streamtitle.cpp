#include "core/playback/streamtitle.h"

#include "core/state/textfile.h"

#include <QStringDecoder>

namespace StreamTitle
{

QString decode(const QByteArray &raw)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(raw);
    if (utf8.hasError())
        text = TextFile::decode(raw);
    return text.trimmed();
}

} // namespace StreamTitle
