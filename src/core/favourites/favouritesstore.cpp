#include "core/favourites/favouritesstore.h"

#include "core/state/textfile.h"

#include <QFileInfo>

namespace
{

const QString crLf = QStringLiteral("\r\n");

} // namespace

FavouritesStore::FavouritesStore(QObject *parent)
    : QObject(parent)
{
    m_timerSave.setInterval(initialSavePeriod);
    connect(&m_timerSave, &QTimer::timeout, this, &FavouritesStore::Savefavoris);
}

bool FavouritesStore::Load()
{
    const std::optional<QStringList> lines = TextFile::readLines(m_path);
    if (!lines) {
        // A file that is there but cannot be read may hold favourites: an
        // empty store must not replace it unless the user changes something.
        if (QFileInfo::exists(m_path))
            m_written = FavouritesRecord::saveText(m_slots);
        return false;
    }
    const QString text = lines->join(QString());
    if (text.isEmpty())
        return false;
    m_slots = FavouritesRecord::ChargeFavoris(text).slots;
    // A file of the one line the store writes needs no rewriting.
    const QString saved = FavouritesRecord::saveText(m_slots);
    if (*lines == QStringList { saved })
        m_written = saved;
    Q_EMIT changed();
    return true;
}

std::optional<int> FavouritesStore::freeSlot() const
{
    for (int i = 0; i < slotCount; ++i) {
        if (!m_slots.at(i).isInUse())
            return i;
    }
    return std::nullopt;
}

void FavouritesStore::fill(int index, const QString &nom, const QString &url, std::optional<Favori::Type> type)
{
    Favori &slot = m_slots.at(index);
    slot.nom = nom;
    slot.url = url;
    if (type)
        slot.type = *type;
    changedByUser();
}

void FavouritesStore::SupprimeFavori(int index)
{
    std::move(m_slots.begin() + index + 1, m_slots.end(), m_slots.begin() + index);
    m_slots.back() = Favori();
    changedByUser();
}

void FavouritesStore::clear(int index)
{
    m_slots.at(index) = Favori();
    changedByUser();
}

void FavouritesStore::startSaving()
{
    m_timerSave.start();
}

bool FavouritesStore::Savefavoris()
{
    const QString text = FavouritesRecord::saveText(m_slots);
    if (m_written == text)
        return true;
    if (!TextFile::write(m_path, text + crLf))
        return false;
    m_written = text;
    m_failureReported = false;
    return true;
}

void FavouritesStore::changedByUser()
{
    Q_EMIT changed();
    if (Savefavoris() || m_failureReported)
        return;
    m_failureReported = true;
    Q_EMIT saveFailed(m_path);
}
