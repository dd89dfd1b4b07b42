#include "ui/tv/tvlaunchcontrols.h"

#include "core/state/statestore.h"
#include "core/tv/editiondate.h"
#include "core/tv/foreignchannels.h"
#include "core/tv/newseditions.h"
#include "core/tv/tvbrowser.h"
#include "ui/skin/kivcommand.h"
#include "ui/skin/programmessage.h"
#include "ui/skin/skinnedwindow.h"

#include <QComboBox>
#include <QDate>
#include <QLabel>

namespace
{

// Beside the info panel, as wide as it is.
constexpr int panelX = 585;
constexpr int panelWidth = 239;

const QStringList months = { QStringLiteral("Janvier"),
    QStringLiteral("Février"),
    QStringLiteral("Mars"),
    QStringLiteral("Avril"),
    QStringLiteral("Mai"),
    QStringLiteral("Juin"),
    QStringLiteral("Juillet"),
    QStringLiteral("Août"),
    QStringLiteral("Septembre"),
    QStringLiteral("Octobre"),
    QStringLiteral("Novembre"),
    QStringLiteral("Décembre") };

} // namespace

TvLaunchControls::TvLaunchControls(StateStore &store,
    PlayerControl &player,
    BrowserControl &browser,
    const NewsEditions &editions,
    const ForeignChannels &channels,
    TvBrowser &tvBrowser,
    SkinnedWindow &window)
    : QObject(&window)
    , m_store(store)
    , m_editions(editions)
    , m_channels(channels)
    , m_tvBrowser(tvBrowser)
    , m_window(window)
    , m_launcher(store, player, browser, editions, channels)
{
    connect(&m_tvBrowser, &TvBrowser::controlsChanged, this, &TvLaunchControls::showControls);
    connect(&m_launcher, &TvLauncher::playlistWriting, this, [this] {
        m_window.setCursor(Qt::WaitCursor);
    });
}

QComboBox *TvLaunchControls::addList(const char *name, const QString &accessibleName, QPoint at, int width)
{
    auto *list = new QComboBox(m_window.content());
    list->setObjectName(QLatin1String(name));
    list->setAccessibleName(accessibleName);
    list->setFixedWidth(width);
    m_window.placeAt(list, at);
    return list;
}

KivCommand *TvLaunchControls::addButton(const char *name, const QString &caption, QPoint at, int width)
{
    auto *button = new KivCommand(caption, m_window.content());
    button->setObjectName(QLatin1String(name));
    button->setFixedWidth(width);
    m_window.placeAt(button, at);
    return button;
}

void TvLaunchControls::buildForeignChannels()
{
    m_autresChaines = addList("AutresChaines", QStringLiteral("Chaînes étrangères"), { 14, 396 }, 556);
    m_autresChaines->setPlaceholderText(QStringLiteral("Veuillez sélectionner une chaine."));
    for (const ForeignChannels::Channel &channel : m_channels.channels)
        m_autresChaines->addItem(channel.listItem);
    connect(m_autresChaines, &QComboBox::activated, this, &TvLaunchControls::AutresChaines_Click);
}

void TvLaunchControls::buildLaunchControls()
{
    m_labelDate
        = m_window.addLabel(QStringLiteral("Afficher l'émission du :"), { panelX, 226 }, QStringLiteral("LabelDate"));
    m_jour = addList("Jour", QStringLiteral("Jour"), { panelX, 246 }, 60);
    for (int day = 1; day <= 31; ++day)
        m_jour->addItem(QString::number(day));
    m_mois = addList("Mois", QStringLiteral("Mois"), { panelX + 68, 246 }, 130);
    m_mois->addItems(months);

    m_lblLocal = m_window.addLabel(QStringLiteral("Journaux Locaux :"), { panelX, 284 }, QStringLiteral("LblLocal"));
    m_boutonNat = addButton("BoutonNat", QStringLiteral("Edition nationale"), { panelX, 304 }, panelWidth);
    m_boutonReg = addButton("BoutonReg", QStringLiteral("Edition regionale"), { panelX, 334 }, panelWidth);
    m_region = addList("region", QStringLiteral("Région"), { panelX, 368 }, panelWidth);
    m_region->setPlaceholderText(QStringLiteral("Votre région..."));
    for (const NewsEditions::Region &region : m_editions.regions)
        m_region->addItem(region.region);
    m_btnLancer = addButton("BtnLancer", QStringLiteral("Lancer"), { panelX, 410 }, panelWidth);

    connect(m_boutonNat, &KivCommand::Click, this, &TvLaunchControls::BoutonNat_Click);
    connect(m_boutonReg, &KivCommand::Click, this, &TvLaunchControls::BoutonReg_Click);
    connect(m_region, &QComboBox::activated, this, &TvLaunchControls::region_Click);
    connect(m_btnLancer, &KivCommand::Click, this, &TvLaunchControls::BtnLancer_Click);
    showControls();
}

void TvLaunchControls::CalcDate()
{
    const DateListPositions positions = ::CalcDate(QDate::currentDate(), m_store.preferences().check3);
    m_mois->setCurrentIndex(positions.Mois);
    m_jour->setCurrentIndex(positions.Jour);
}

EditionDate TvLaunchControls::editionDate() const
{
    return EditionDate::ReadEditionDate(m_jour->currentIndex(), m_mois->currentIndex(), QDate::currentDate().year());
}

void TvLaunchControls::showControls()
{
    const TvBrowser::Controls &controls = m_tvBrowser.controls();
    m_btnLancer->setVisible(controls.BtnLancer);
    m_labelDate->setVisible(controls.dates);
    m_jour->setVisible(controls.dates);
    m_mois->setVisible(controls.dates);
    m_lblLocal->setVisible(controls.LblLocal);
    m_region->setVisible(controls.region);
    m_boutonNat->setVisible(controls.BoutonNat);
    m_boutonReg->setVisible(controls.BoutonReg);
    m_autresChaines->setVisible(controls.AutresChaines);
}

void TvLaunchControls::apply(const TvLauncher::Outcome &outcome)
{
    if (!outcome.message.isEmpty()) {
        m_window.unsetCursor();
        programMessage(&m_window, outcome.message);
    }
    switch (outcome.after) {
    case TvLauncher::After::StayOpen:
        break;
    case TvLauncher::After::Hide:
        m_window.hide();
        break;
    case TvLauncher::After::Unload:
        m_window.close();
        break;
    }
}

void TvLaunchControls::BtnLancer_Click()
{
    apply(m_launcher.BtnLancer_Click(m_tvBrowser, editionDate()));
}

void TvLaunchControls::BoutonNat_Click()
{
    apply(m_launcher.BoutonNat_Click(m_tvBrowser.info().LblNom, editionDate()));
}

void TvLaunchControls::BoutonReg_Click()
{
    m_tvBrowser.BoutonReg_Click();
}

void TvLaunchControls::region_Click(int position)
{
    apply(m_launcher.region_Click(m_tvBrowser.info().LblNom, position, editionDate()));
}

void TvLaunchControls::AutresChaines_Click(int position)
{
    apply(m_launcher.AutresChaines_Click(position));
}
