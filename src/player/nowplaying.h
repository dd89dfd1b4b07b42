#pragma once

#include <QString>

namespace NowPlaying
{

// The now-playing text of the Windows messaging client's copy-data transport,
// sent as UTF-16 with its final NUL character included. The "\0" in it are the
// two characters backslash and zero, the client's own field separator; the
// texts themselves go in unchanged. Three empty texts make the message that
// clears what the client shows.
QString message(const QString &t1, const QString &t2, const QString &t3);

}
