#pragma once

#include <QAbstractListModel>
#include <QHash>
#include <QList>

class DirectorySearch;
class FaviconImages;
struct DirectoryStation;

// The results of the directory window, one row a station, drawn by
// StationDelegate. Pictures come as they are fetched; more stations come
// when the view reaches the end.
class DirectoryModel : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Role {
        DetailsRole = Qt::UserRole + 1, // country, tags, codec and bitrate, on one line
        AddressRole,
    };

    DirectoryModel(DirectorySearch &search, FaviconImages &icons, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

    const DirectoryStation &station(int row) const;
    static QString details(const DirectoryStation &station);

private:
    void onCleared();
    void onAppended(int first, int count);
    void onIconLoaded(const QString &url);

    DirectorySearch &m_search;
    FaviconImages &m_icons;
    int m_count = 0;
    QHash<QString, QList<int>> m_rowsByFavicon;
};
