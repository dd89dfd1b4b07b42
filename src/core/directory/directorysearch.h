#pragma once

#include "core/directory/directoryquery.h"
#include "core/directory/directorystation.h"

#include <QList>
#include <QObject>
#include <QSet>
#include <QTimer>

class DirectoryClient;

// The directory window's search: what the user typed and picked, searched
// after a short pause in the typing, page after page as the list is scrolled
// to its end. Before anything is typed the list holds the stations of France,
// then those in French from elsewhere, each part the most played first. A
// list file's stations can take the results' place.
class DirectorySearch : public QObject
{
    Q_OBJECT

public:
    static constexpr int typingPause = 300;
    static constexpr int maximumStations = 10000;

    struct Criteria {
        QString name;
        QString countryCode;
        QString language;
        QString tag;

        Criteria trimmed() const;
        bool isEmpty() const;
        bool operator==(const Criteria &) const = default;
    };

    explicit DirectorySearch(DirectoryClient &client, QObject *parent = nullptr);

    const Criteria &criteria() const { return m_criteria; }
    // Searches once the typing pauses; criteria that search the same as the
    // list shown do nothing.
    void setCriteria(const Criteria &criteria);
    // Searches now, the opening list when the criteria are empty.
    void searchNow();
    // Drops the search under way and the one the typing would start.
    void stop();

    bool canFetchMore() const;
    void fetchMore();

    // A list file's stations replace the results; `note` says what was left out.
    void showList(const QString &fileName, const QList<DirectoryStation> &stations, const QString &note);

    const QList<DirectoryStation> &stations() const { return m_stations; }
    QString status() const { return m_status; }
    bool isBusy() const { return m_busy; }

Q_SIGNALS:
    // The list was emptied for new results.
    void cleared();
    void appended(int first, int count);
    void statusChanged(const QString &status);

private:
    void begin(const QList<DirectoryQuery> &sources);
    void request();
    void onFound(const DirectoryQuery &query, const QList<DirectoryStation> &stations, int leftOut);
    void onFailed(const DirectoryQuery &query, const QString &message);
    void setStatus(const QString &status);
    QString resultStatus() const;

    DirectoryClient &m_client;
    Criteria m_criteria;
    // The criteria of the list shown, once searched.
    std::optional<Criteria> m_shown;
    QTimer m_pause;
    // The searches whose pages make up the list, one after the other.
    QList<DirectoryQuery> m_sources;
    int m_source = 0;
    int m_offset = 0;
    bool m_busy = false;
    bool m_failed = false;
    int m_leftOut = 0;
    QList<DirectoryStation> m_stations;
    QSet<QString> m_seen;
    QString m_status;
};
