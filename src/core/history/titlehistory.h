#pragma once

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>

// The last stream titles heard, each with its station and the time it came,
// newest last, kept in a small file of the user's so that they are there
// after a restart. Each change rewrites the file in one step: a crash, even
// during the write, leaves the previous list or the new one, whole.
class TitleHistory : public QObject
{
    Q_OBJECT

public:
    static constexpr qsizetype capacity = 100;
    static constexpr char fileName[] = "titres-ecoutes.txt";

    struct Entry {
        QDateTime time;
        QString station;
        QString title;
        bool operator==(const Entry &other) const = default;
    };

    explicit TitleHistory(QObject *parent = nullptr);

    // Reads the file at `path`, which the history writes to from now on. A
    // line it cannot read is skipped; a missing file is an empty history.
    void load(const QString &path);
    QString path() const { return m_path; }

    // A title heard now on `station`. An empty title, or the one already
    // last for the same station, is no news.
    void add(const QString &station, const QString &title, const QDateTime &time = QDateTime::currentDateTime());
    QList<Entry> entries() const { return m_entries; }

    // The file's text, one line per title, oldest first: the time (ISO 8601,
    // with its offset from UTC), the station and the title, separated by tabs.
    static QByteArray serialise(const QList<Entry> &entries);
    static QList<Entry> parse(const QByteArray &bytes);

Q_SIGNALS:
    void changed();
    // The file could not be written; the next change tries again.
    void saveFailed(const QString &path);

private:
    void save();

    QString m_path;
    QList<Entry> m_entries;
};
