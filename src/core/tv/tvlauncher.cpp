#include "core/tv/tvlauncher.h"

#include "core/browser/browsercontrol.h"
#include "core/playback/playercontrol.h"
#include "core/playback/playrequest.h"
#include "core/state/statestore.h"
#include "core/state/textfile.h"
#include "core/tv/editiondate.h"
#include "core/tv/foreignchannels.h"
#include "core/tv/newseditions.h"
#include "core/tv/splitprogramme.h"
#include "core/tv/tvbrowser.h"

namespace
{

const QString dated = QStringLiteral("oui");
const QString inParts = QStringLiteral("m3u");
const QString webPage = QStringLiteral("web");
const QString tvMode = QStringLiteral("TV");
// The mark of a dated programme in the current address, for the favourites.
const QString datedMark = QStringLiteral("*");

// The launches set the current address themselves (marked when dated).
PlayRequest streamRequest(const QString &address, const QString &name, const QString &picture = {})
{
    PlayRequest request;
    request.address = address;
    request.setCurrentAddress = false;
    request.name = name;
    request.picture = picture;
    return request;
}

} // namespace

TvLauncher::TvLauncher(StateStore &store,
    PlayerControl &player,
    BrowserControl &browser,
    const NewsEditions &editions,
    const ForeignChannels &channels,
    QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_player(player)
    , m_browser(browser)
    , m_editions(editions)
    , m_channels(channels)
{
}

void TvLauncher::showPlayer()
{
    m_browser.stop();
    m_browser.setVisible(false);
    m_player.setVisible(true);
}

bool TvLauncher::Savem3u(const QString &playlist)
{
    const QString path = m_store.userPath(SplitProgramme::playlistName);
    if (!TextFile::write(path, playlist + QStringLiteral("\r\n")))
        return false;
    m_urlm3u = path;
    return true;
}

TvLauncher::Outcome TvLauncher::BtnLancer_Click(TvBrowser &browser, const EditionDate &date)
{
    const QString flag = browser.info().LblSpace;
    const QString name = browser.info().LblNom;
    const bool datedAddress = flag == dated || flag == inParts;
    const QString address = datedAddress ? TraiteDate(browser.info().LblAdresse, date) : browser.info().LblAdresse;

    // The playlist is written before anything of the launch shows: one that
    // cannot be written leaves the mode word, the current address and the
    // address label as they were, and what played plays on.
    QString played = address;
    if (flag == inParts) {
        Q_EMIT playlistWriting();
        // A programme that is not in parts after all plays its own address,
        // not the playlist of the one before.
        if (const auto playlist = SplitProgramme::MakeM3u(name, address)) {
            if (!Savem3u(*playlist))
                return { After::StayOpen,
                    QStringLiteral("La liste de lecture « %1 » n'a pas pu être enregistrée : l'émission n'est pas "
                                   "lancée.")
                        .arg(m_store.userPath(SplitProgramme::playlistName)) };
            m_store.setM3u(*playlist);
            played = m_urlm3u;
        }
    }

    m_store.setRadioTv(tvMode);
    if (datedAddress) {
        showPlayer();
        browser.setLblAdresse(address);
        m_store.setCurl(datedMark + address);
    } else if (flag != webPage) {
        m_store.setCurl(address);
    }

    m_browser.stop();
    if (flag == webPage) {
        PlayRequest page;
        page.kind = PlayRequest::Kind::WebPage;
        page.address = address;
        page.name = name;
        page.mode = QStringLiteral("WEB");
        requestPlay(page, m_store, m_player, m_browser);
    } else {
        requestPlay(streamRequest(played, name, browser.info().ImageOne), m_store, m_player, m_browser);
    }
    return { After::Hide, {} };
}

TvLauncher::Outcome TvLauncher::BoutonNat_Click(const QString &name, const EditionDate &date)
{
    showPlayer();
    const auto address = m_editions.nationalAddress(name, date);
    if (!address)
        return {};
    requestPlay(streamRequest(*address, name), m_store, m_player, m_browser);
    m_store.setCurl(datedMark + *address);
    return { After::Unload, {} };
}

TvLauncher::Outcome TvLauncher::region_Click(const QString &programme, int position, const EditionDate &date)
{
    showPlayer();
    const NewsEditions::Regional regional = m_editions.regionalAddress(programme, position, date);
    if (!regional.message.isEmpty())
        return { After::StayOpen, regional.message };
    const QString name = QStringLiteral("Edition Régionnale - Fr3");
    if (regional.address)
        requestPlay(streamRequest(*regional.address, name), m_store, m_player, m_browser);
    else
        m_store.setLecture(name);
    // A regional edition leaves no address to replay or keep: the word stands in its place.
    m_store.setCurl(QStringLiteral("PAS_FAVORIS"));
    return { After::Hide, {} };
}

TvLauncher::Outcome TvLauncher::AutresChaines_Click(int position)
{
    m_player.setUrl(QString());
    m_store.setCurl(QString());
    m_store.setLecture(QString());
    if (position >= 0 && position < m_channels.channels.size()) {
        const ForeignChannels::Channel &channel = m_channels.channels.at(position);
        m_player.setUrl(channel.address);
        m_store.setLecture(channel.nowPlaying);
    }
    m_store.setCurl(m_player.url());
    m_store.setRadioTv(tvMode);
    return { After::Hide, {} };
}
