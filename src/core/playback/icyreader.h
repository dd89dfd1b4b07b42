#pragma once

#include <QByteArray>
#include <QList>
#include <optional>

// Takes the ICY metadata out of a live stream's body. A server asked for it
// puts a block after every `metaInterval` bytes of sound: one byte giving its
// length in units of 16, then text such as "StreamTitle='Artist - Song';",
// padded with zeros. What is left is the sound alone.
class IcyReader
{
public:
    // 0: the stream carries no metadata, everything is sound.
    explicit IcyReader(qint64 metaInterval = 0);

    // The sound bytes of the next piece of the body; the titles of the blocks
    // it completes are appended to `titles`, in order, as the server sent them.
    QByteArray read(const QByteArray &data, QList<QByteArray> *titles);

    // The title a block gives, quotes taken off; nothing when it has none.
    static std::optional<QByteArray> titleOf(const QByteArray &block);

private:
    qint64 m_interval;
    // Sound bytes still due before the next block.
    qint64 m_soundLeft;
    // The block being read, and how long it is (-1: its length byte is next).
    QByteArray m_block;
    qint64 m_blockLength = -1;
};
