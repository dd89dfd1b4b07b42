#include "app/windowregistry.h"

#include "core/directory/faviconcache.h"
#include "platform/browser/webview.h"
#include "ui/catalogue/autre.h"
#include "ui/directory/annuaire.h"
#include "ui/favourites/favoris.h"
#include "ui/playback/mediaplayer.h"
#include "ui/search/youtube.h"
#include "ui/shell/annexe.h"
#include "ui/shell/options.h"
#include "ui/shell/radio.h"
#include "ui/tv/frmtv.h"
#include "ui/update/miseajour.h"

#include <QDir>
#include <QStandardPaths>

WindowRegistry::WindowRegistry(const Shared &shared)
    : m_shared(shared)
{
}

WindowRegistry::~WindowRegistry()
{
    // They use the player, the browser and the wheel router.
    delete m_annuaire;
    delete m_autre;
    delete m_youtube;
    delete m_tv;
}

Radio &WindowRegistry::radio()
{
    if (!m_radio) {
        m_radio = std::make_unique<Radio>(m_shared.store);
        m_radio->setPlayerWidget(m_shared.player.widget());
        m_radio->setBrowserWidget(m_shared.browser.widget());
        m_shared.browser.setVisible(false);
    }
    return *m_radio;
}

Options &WindowRegistry::options()
{
    if (!m_options) {
        m_options = std::make_unique<Options>(
            m_shared.store, m_shared.timerPPlan, m_shared.testInternet, m_shared.testInternet.widget());
        QObject::connect(m_options.get(), &Options::annexeRequested, m_options.get(), [this] {
            showWindow(annexe());
        });
        QObject::connect(m_options.get(), &Options::updateRequested, m_options.get(), [this] {
            showWindow(miseAJour());
        });
    }
    return *m_options;
}

Autre &WindowRegistry::autre()
{
    // The window deletes itself when its close button unloads it.
    if (!m_autre) {
        m_autre = new Autre(m_shared.store, m_shared.player, m_shared.browser, m_shared.wheelRouter);
        QObject::connect(m_autre, &Autre::annuaireRequested, m_autre, [this] {
            showWindow(annuaire());
        });
    }
    return *m_autre;
}

Autre *WindowRegistry::loadedAutre() const
{
    return m_autre;
}

MiseAJour &WindowRegistry::miseAJour()
{
    if (!m_miseAJour) {
        m_updatePage = std::make_unique<WebView>();
        m_wbDownload = std::make_unique<WebView>();
        // Never shown, yet the download is the engine's own.
        m_wbDownload->createEngine();
        QString folder = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
        if (folder.isEmpty())
            folder = QDir::homePath();
        m_miseAJour
            = std::make_unique<MiseAJour>(m_shared.store, *m_updatePage, m_updatePage->widget(), *m_wbDownload, folder);
    }
    return *m_miseAJour;
}

Youtube &WindowRegistry::youtube()
{
    // The window deletes itself when a search closes it.
    if (!m_youtube)
        m_youtube = new Youtube(m_shared.store, m_shared.player, m_shared.browser, radio());
    return *m_youtube;
}

frmTV &WindowRegistry::tv()
{
    // The window deletes itself when it is unloaded.
    if (!m_tv) {
        m_tv = new frmTV(m_shared.store,
            m_shared.player,
            m_shared.browser,
            m_shared.wheelRouter,
            m_shared.newsEditions,
            m_shared.foreignChannels);
        QObject::connect(m_tv, &frmTV::searchRequested, m_tv, [this] {
            showWindow(youtube());
        });
    }
    return *m_tv;
}

Favoris &WindowRegistry::favoris()
{
    if (!m_favoris)
        m_favoris = std::make_unique<Favoris>(m_shared.store, m_shared.favourites, m_shared.player, m_shared.browser);
    return *m_favoris;
}

Annuaire &WindowRegistry::annuaire()
{
    // The window deletes itself when it is closed.
    if (!m_annuaire) {
        m_annuaire = new Annuaire(m_shared.store,
            m_shared.player,
            m_shared.browser,
            favoris().controller(),
            { m_shared.directory, FaviconCache::defaultFolder() });
    }
    return *m_annuaire;
}

Annexe &WindowRegistry::annexe()
{
    if (!m_annexe)
        m_annexe = std::make_unique<Annexe>(m_shared.store);
    return *m_annexe;
}

void WindowRegistry::showWindow(QWidget &window)
{
    window.show();
    window.raise();
    window.activateWindow();
}
