#include "ui/directory/directorymodel.h"

#include "core/directory/directorysearch.h"
#include "ui/directory/faviconimages.h"

#include <QPixmap>

DirectoryModel::DirectoryModel(DirectorySearch &search, FaviconImages &icons, QObject *parent)
    : QAbstractListModel(parent)
    , m_search(search)
    , m_icons(icons)
{
    connect(&m_search, &DirectorySearch::cleared, this, &DirectoryModel::onCleared);
    connect(&m_search, &DirectorySearch::appended, this, &DirectoryModel::onAppended);
    connect(&m_icons, &FaviconImages::loaded, this, &DirectoryModel::onIconLoaded);
    onAppended(0, int(m_search.stations().size()));
}

int DirectoryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_count;
}

const DirectoryStation &DirectoryModel::station(int row) const
{
    return m_search.stations().at(row);
}

QString DirectoryModel::details(const DirectoryStation &station)
{
    QStringList parts;
    if (!station.country.isEmpty())
        parts.append(station.country);
    else if (!station.countryCode.isEmpty())
        parts.append(station.countryCode);
    if (!station.tags.isEmpty())
        parts.append(QString(station.tags).replace(QLatin1Char(','), QStringLiteral(", ")));
    QString format = station.codec.toUpper();
    if (station.bitrate > 0)
        format
            += (format.isEmpty() ? QString() : QStringLiteral(" ")) + QStringLiteral("%1 kbit/s").arg(station.bitrate);
    if (!format.isEmpty())
        parts.append(format);
    // A list file's station says nothing but its address.
    if (parts.isEmpty())
        return station.address;
    return parts.join(QStringLiteral(" · "));
}

QVariant DirectoryModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_count)
        return {};
    const DirectoryStation &entry = station(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return entry.name;
    case DetailsRole:
    case Qt::AccessibleDescriptionRole:
        return details(entry);
    case AddressRole:
        return entry.address;
    case Qt::DecorationRole: {
        // Asked for only for the rows being drawn: that is what makes the
        // pictures come lazily.
        const QPixmap icon = m_icons.icon(entry.favicon);
        return icon.isNull() ? QVariant() : QVariant(icon);
    }
    default:
        return {};
    }
}

bool DirectoryModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && m_search.canFetchMore();
}

void DirectoryModel::fetchMore(const QModelIndex &parent)
{
    if (!parent.isValid())
        m_search.fetchMore();
}

void DirectoryModel::onCleared()
{
    beginResetModel();
    m_count = 0;
    m_rowsByFavicon.clear();
    endResetModel();
}

void DirectoryModel::onAppended(int first, int count)
{
    if (count <= 0)
        return;
    beginInsertRows({}, first, first + count - 1);
    m_count = first + count;
    for (int row = first; row < m_count; ++row) {
        const QString &favicon = station(row).favicon;
        if (!favicon.isEmpty())
            m_rowsByFavicon[favicon].append(row);
    }
    endInsertRows();
}

void DirectoryModel::onIconLoaded(const QString &url)
{
    for (int row : m_rowsByFavicon.value(url)) {
        const QModelIndex changed = index(row);
        Q_EMIT dataChanged(changed, changed, { Qt::DecorationRole });
    }
}
