#pragma once

#include "core/favourites/favouritesrecord.h"

#include <QObject>
#include <QTimer>
#include <optional>

// The 24 favourites and their file. Every change is written at once; the
// periodic save (`TimerSave`) writes again only when the text differs from
// what the file holds, which after a failed write makes it the retry. A write
// that fails leaves the previous file whole.
class FavouritesStore : public QObject
{
    Q_OBJECT

public:
    static constexpr int slotCount = FavouritesRecord::slotCount;
    static constexpr int initialSavePeriod = 200;
    static constexpr int savePeriodAfterAddition = 500;
    static inline const QString fileName = QStringLiteral("Favoris.log");

    explicit FavouritesStore(QObject *parent = nullptr);

    QString path() const { return m_path; }
    void setPath(const QString &path) { m_path = path; }

    // Reads the file once, at the creation of the favourites window. False when
    // it could not be read or held no text: the store stays as it was.
    bool Load();

    const FavouritesRecord::Slots &slots() const { return m_slots; }
    const Favori &slot(int index) const { return m_slots.at(index); }
    // The lowest slot without a name.
    std::optional<int> freeSlot() const;
    // A type not given leaves the slot's type as it was.
    void fill(int index, const QString &nom, const QString &url, std::optional<Favori::Type> type);
    // Every slot after `index` moves up one place; slot 23 becomes free.
    void SupprimeFavori(int index);
    // The slot alone is emptied: no name, no address, type none.
    void clear(int index);

    // `TimerSave`: runs from here to the end of the program.
    void startSaving();
    void setSavePeriod(int milliseconds) { m_timerSave.setInterval(milliseconds); }
    // Writes the store unless the file already holds it. False when the write failed.
    bool Savefavoris();

Q_SIGNALS:
    // The slots were loaded or changed.
    void changed();
    // A change could not be written. Raised once; the next one waits for a
    // write that succeeds.
    void saveFailed(const QString &path);

private:
    void changedByUser();

    QString m_path;
    FavouritesRecord::Slots m_slots;
    // What the file holds, as far as this run knows; nothing before the first
    // write when the file did not hold the store's text.
    std::optional<QString> m_written;
    bool m_failureReported = false;
    QTimer m_timerSave;
};
