#pragma once

#include "core/favourites/favouritesstore.h"
#include "core/state/statestore.h"
#include "core/state/textfile.h"
#include "fakecontrols.h"

#include <QFile>
#include <QTemporaryDir>

// What the favourites window and its logic work on, fresh for each test: a
// user folder of its own, the program-wide values, the store, and fakes of
// the player and the browser.
struct FavouritesFixture {
    FavouritesFixture() { favourites.setPath(folder.filePath(FavouritesStore::fileName)); }

    // The file as the program finds it when it starts.
    bool writeFile(const QString &text) const
    {
        QFile file(favourites.path());
        return file.open(QIODevice::WriteOnly) && file.write(TextFile::encode(text)) >= 0;
    }

    QByteArray fileBytes() const
    {
        QFile file(favourites.path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // A plain file where the user folder should be: every write fails.
    bool blockWrites()
    {
        const QString blocked = folder.filePath(QStringLiteral("blocked"));
        QFile file(blocked);
        if (!file.open(QIODevice::WriteOnly))
            return false;
        favourites.setPath(blocked + QLatin1Char('/') + FavouritesStore::fileName);
        return true;
    }

    QTemporaryDir folder;
    StateStore state;
    FavouritesStore favourites;
    FakePlayer player;
    FakeBrowser browser;
};
