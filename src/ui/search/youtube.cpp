#include "ui/search/youtube.h"

#include "core/playback/playrequest.h"
#include "core/state/statestore.h"
#include "ui/skin/imagebuttonpair.h"
#include "ui/skin/kivcommand.h"
#include "ui/skin/kivoptionbutton.h"
#include "ui/skin/kivtextbox.h"
#include "ui/skin/twips.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>

namespace
{

constexpr QSize clientSize(Twips::toPixels(4485), Twips::toPixels(2325));
constexpr int titleStripHeight = 30;
constexpr QSize resultsSize(Twips::toPixels(12000), Twips::toPixels(9000));

} // namespace

Youtube::Youtube(StateStore &store,
    PlayerControl &player,
    BrowserControl &browser,
    QWidget &mainWindow,
    const VideoSearch::Hosts &hosts,
    QWidget *parent)
    : SkinnedWindow(parent)
    , m_store(store)
    , m_player(player)
    , m_browser(browser)
    , m_mainWindow(mainWindow)
    , m_hosts(hosts)
    , m_beep(&QApplication::beep)
{
    setObjectName(QStringLiteral("Youtube"));
    setAttribute(Qt::WA_DeleteOnClose);
    setTitle(QStringLiteral("Recherche..."));
    titleLabel()->setText(QStringLiteral("RECHERCHE..."));
    titleStrip()->setFixedHeight(titleStripHeight);
    setFixedSize(clientSize);
    layout()->activate();

    QWidget *area = content();
    const auto place = [this, area](QWidget *widget, int x, int y) {
        widget->move(area->mapFrom(this, QPoint(x, y)));
    };

    auto *label1 = new QLabel(QStringLiteral("Rechercher : "), area);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->adjustSize();
    place(label1, 12, 44);
    m_txtSearch = new KivTextBox(area);
    m_txtSearch->setObjectName(QStringLiteral("txtSearch"));
    label1->setBuddy(m_txtSearch);
    m_txtSearch->resize(clientSize.width() - 24 - label1->width() - 4, 24);
    place(m_txtSearch, 12 + label1->width() + 4, 40);
    connect(m_txtSearch, &KivTextBox::KeyPress, this, &Youtube::txtSearch_KeyPress);

    auto *label2 = new QLabel(QStringLiteral("Dans : "), area);
    label2->adjustSize();
    place(label2, 12, 76);
    // One parent makes the three one group.
    auto *choices = new QWidget(area);
    choices->setObjectName(QStringLiteral("Choix"));
    const auto choice = [choices](const char *name, const QString &caption, int y) {
        auto *button = new KivOptionButton(caption, choices);
        button->setObjectName(QLatin1String(name));
        button->adjustSize();
        button->move(0, y);
        return button;
    };
    m_choixGoogle = choice("ChoixGoogle", QStringLiteral("Google Videos"), 0);
    m_choixYoutube = choice("ChoixYoutube", QStringLiteral("Youtube"), 22);
    m_choixDaily = choice("ChoixDaily", QStringLiteral("Dailymotion"), 44);
    m_choixGoogle->setValue(1);
    choices->resize(choices->childrenRect().size());
    place(choices, 12 + label2->width() + 4, 74);

    m_kivCommand1 = new KivCommand(QStringLiteral("Chercher"), area);
    m_kivCommand1->setObjectName(QStringLiteral("KivCommand1"));
    m_kivCommand1->resize(std::max(m_kivCommand1->sizeHint().width(), 90), 26);
    place(m_kivCommand1, clientSize.width() - 12 - m_kivCommand1->width(), clientSize.height() - 12 - 26);
    connect(m_kivCommand1, &KivCommand::Click, this, &Youtube::KivCommand1_Click);

    connect(closePair(), &ImageButtonPair::Click, this, &Youtube::Quitter2_Click);
    setTabOrder(m_txtSearch, m_choixGoogle);
    setTabOrder(m_choixGoogle, m_choixYoutube);
    setTabOrder(m_choixYoutube, m_choixDaily);
    setTabOrder(m_choixDaily, m_kivCommand1);
    m_txtSearch->setFocus();
}

VideoSearch::Engine Youtube::engine() const
{
    if (m_choixYoutube->isChecked())
        return VideoSearch::Engine::Youtube;
    if (m_choixDaily->isChecked())
        return VideoSearch::Engine::Dailymotion;
    return VideoSearch::Engine::GoogleVideos;
}

void Youtube::txtSearch_KeyPress(QKeyEvent *event)
{
    // Editing commands (copy, paste, select all) and keys that type nothing
    // (arrows, Delete) are not characters to filter.
    if (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier) || event->text().size() != 1)
        return;
    const QChar character = event->text().at(0);
    if (!character.isPrint() && character != QChar(13) && character != QChar(8))
        return;
    switch (VideoSearch::filterKey(character)) {
    case VideoSearch::Key::Search:
        event->ignore();
        KivCommand1_Click();
        break;
    case VideoSearch::Key::Refuse:
        event->ignore();
        m_beep();
        break;
    case VideoSearch::Key::Pass:
        break;
    }
}

void Youtube::setSearchText(const QString &text)
{
    m_txtSearch->setText(text);
}

void Youtube::KivCommand1_Click()
{
    const QString address = VideoSearch::address(engine(), m_txtSearch->text(), m_hosts);
    hide();
    // The page in the player's place; the name, the current address and the
    // mode word come after this window has gone.
    PlayRequest request;
    request.kind = PlayRequest::Kind::WebPage;
    request.address = address;
    request.setCurrentAddress = false;
    requestPlay(request, m_store, m_player, m_browser);
    close();
    m_store.setLecture(QStringLiteral("Recherche manuelle"));
    m_store.setCurl(address);
    m_store.setRadioTv(QStringLiteral("WEB"));
    m_mainWindow.resize(resultsSize);
}

void Youtube::Quitter2_Click()
{
    hide();
}
