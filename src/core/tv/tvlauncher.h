#pragma once

#include <QObject>
#include <QString>

class BrowserControl;
class ForeignChannels;
class NewsEditions;
class PlayerControl;
class StateStore;
class TvBrowser;
struct EditionDate;

// What the TV window's buttons and lists hand to the main window: the entry
// shown, a news edition of the chosen day, a foreign channel. Each handler
// says what the window does next.
class TvLauncher : public QObject
{
    Q_OBJECT

public:
    enum class After { StayOpen, Hide, Unload };
    struct Outcome {
        After after = After::StayOpen;
        QString message; // to show the user before anything else
        bool operator==(const Outcome &) const = default;
    };

    TvLauncher(StateStore &store,
        PlayerControl &player,
        BrowserControl &browser,
        const NewsEditions &editions,
        const ForeignChannels &channels,
        QObject *parent = nullptr);

    // "Lancer": the entry the info panel shows, by its dated flag. A dated
    // programme gets its date (and the info panel keeps the resolved address)
    // and the "*" mark in the current address; a programme in parts plays
    // its playlist, written to the user's folder first.
    Outcome BtnLancer_Click(TvBrowser &browser, const EditionDate &date);
    // "Edition nationale" for the programme named `name`.
    Outcome BoutonNat_Click(const QString &name, const EditionDate &date);
    // A region picked in the region list (-1: none).
    Outcome region_Click(const QString &programme, int position, const EditionDate &date);
    // A foreign channel picked in its list (-1: none): stops what played first.
    Outcome AutresChaines_Click(int position);

Q_SIGNALS:
    // About to write the playlist: the window shows that it is busy.
    void playlistWriting();

private:
    void showPlayer();
    bool Savem3u(const QString &playlist);

    StateStore &m_store;
    PlayerControl &m_player;
    BrowserControl &m_browser;
    const NewsEditions &m_editions;
    const ForeignChannels &m_channels;
    QString m_urlm3u; // the playlist file last written
};
