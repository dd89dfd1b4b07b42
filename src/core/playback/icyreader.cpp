#include "core/playback/icyreader.h"

#include <optional>

IcyReader::IcyReader(qint64 metaInterval)
    : m_interval(metaInterval)
    , m_soundLeft(metaInterval)
{
}

QByteArray IcyReader::read(const QByteArray &data, QList<QByteArray> *titles)
{
    if (m_interval <= 0)
        return data;
    QByteArray sound;
    qsizetype at = 0;
    while (at < data.size()) {
        if (m_soundLeft > 0) {
            const qsizetype taken = qsizetype(qMin<qint64>(m_soundLeft, data.size() - at));
            sound += data.mid(at, taken);
            at += taken;
            m_soundLeft -= taken;
            continue;
        }
        if (m_blockLength < 0) {
            m_blockLength = qint64(quint8(data.at(at++))) * 16;
            m_block.clear();
        }
        const qsizetype taken = qsizetype(qMin<qint64>(m_blockLength - m_block.size(), data.size() - at));
        m_block += data.mid(at, taken);
        at += taken;
        if (m_block.size() < m_blockLength)
            break;
        // An empty block says nothing changed.
        if (m_blockLength > 0) {
            if (const std::optional<QByteArray> title = titleOf(m_block))
                titles->append(*title);
        }
        m_blockLength = -1;
        m_soundLeft = m_interval;
    }
    return sound;
}

std::optional<QByteArray> IcyReader::titleOf(const QByteArray &block)
{
    static const QByteArray key = "StreamTitle='";
    const qsizetype start = block.indexOf(key);
    if (start < 0)
        return std::nullopt;
    const qsizetype from = start + key.size();
    qsizetype end = block.indexOf("';", from);
    if (end < 0) {
        // The padding follows a title whose closing quote ends the block.
        end = block.indexOf('\0', from);
        if (end < 0)
            end = block.size();
        if (end > from && block.at(end - 1) == '\'')
            --end;
    }
    return block.mid(from, end - from);
}
