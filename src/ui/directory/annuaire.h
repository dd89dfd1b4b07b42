#pragma once

#include "core/directory/directoryclient.h"
#include "ui/skin/skinnedwindow.h"

#include <QStringList>

class BrowserControl;
class DirectoryModel;
class DirectorySearch;
class FaviconCache;
class FaviconImages;
class FavouritesController;
class KivCommand;
class KivTextBox;
class PlayerControl;
class QComboBox;
class QLabel;
class QListView;
class StateStore;

// The directory window "Annuaire": the public directory's stations, searched
// as the user types, or the stations of a list file. A click plays a station
// as a catalogue station plays; "Ajouter aux favoris" takes the favourites'
// own add path, with their refusals. The window goes with everything it
// fetched when it is closed.
class Annuaire : public SkinnedWindow
{
    Q_OBJECT

public:
    struct Services {
        DirectoryClient::Settings directory;
        QString faviconFolder;
    };

    Annuaire(StateStore &store,
        PlayerControl &player,
        BrowserControl &browser,
        FavouritesController &favourites,
        const Services &services,
        QWidget *parent = nullptr);
    ~Annuaire() override;

    DirectorySearch &search() const { return *m_search; }
    DirectoryModel &model() const { return *m_model; }
    FaviconCache &faviconCache() const { return *m_faviconCache; }
    QListView *results() const { return m_results; }
    KivTextBox *searchField() const { return m_name; }

    // Reads the files on a worker thread; their stations take the results' place.
    void openStationLists(const QStringList &paths);
    void play(int row);
    void addToFavourites(int row);

Q_SIGNALS:
    // The files were read and their stations shown (or their problem said).
    void stationListsOpened();

protected:
    void showEvent(QShowEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void buildSearchRow();
    void buildResults();
    void buildButtons();
    void searchChanged();
    void showPlayerStatus(const QString &status);
    void setNotice(const QString &text);
    int currentRow() const;
    void chooseStationList();

    StateStore &m_store;
    PlayerControl &m_player;
    BrowserControl &m_browser;
    FavouritesController &m_favourites;
    DirectoryClient *m_client;
    DirectorySearch *m_search;
    FaviconCache *m_faviconCache;
    FaviconImages *m_icons;
    DirectoryModel *m_model;
    bool m_started = false;
    // The station this window last played, to tell the user how it went.
    QString m_playedName;
    QString m_playedAddress;

    KivTextBox *m_name = nullptr;
    QComboBox *m_country = nullptr;
    QComboBox *m_language = nullptr;
    KivTextBox *m_tag = nullptr;
    QListView *m_results = nullptr;
    QLabel *m_status = nullptr;
    QLabel *m_notice = nullptr;
    KivCommand *m_ecouter = nullptr;
    KivCommand *m_ajouter = nullptr;
};
