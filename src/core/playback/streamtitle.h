#pragma once

#include <QByteArray>
#include <QString>

namespace StreamTitle
{

// A live stream's song title as the server sent it. Servers pass the bytes of
// whatever encoding the source used, and icecast turns MP3 titles into
// ISO-8859-1, so text that is not valid UTF-8 is read as Windows-1252 (which
// covers ISO-8859-1 and the quotes and dashes Windows encoders add).
QString decode(const QByteArray &raw);

} // namespace StreamTitle
