#pragma once

#include <QList>
#include <QString>

// The titles heard during one recording, each with its offset from the
// recording's start, as the text file kept beside the recording shows them,
// so that a listener finds a song again in the file.
class TitleList
{
public:
    // Another title from `offsetMs` on. An empty title (the station says
    // nothing) and the title already current are no news.
    void add(qint64 offsetMs, const QString &title);
    bool isEmpty() const { return m_entries.isEmpty(); }
    qsizetype size() const { return m_entries.size(); }

    // One line per title, "H:MM:SS  title" (hours as many digits as needed),
    // in the order heard; a title's line breaks become spaces.
    QString text() const;

private:
    struct Entry {
        qint64 offsetMs;
        QString title;
    };
    QList<Entry> m_entries;
};
