#include "core/favourites/favouritescontroller.h"

#include "core/favourites/favouritesstore.h"
#include "core/playback/playbackcontroller.h"
#include "core/playback/playercontrol.h"
#include "core/playback/playrequest.h"
#include "core/state/statestore.h"
#include "core/state/textfile.h"

#include <optional>

const QString FavouritesController::webModeMessage = QStringLiteral(
    "Il est impossible d'ajouter cette chaîne aux favoris car elle n'est pas reconnue par Windows media Player");
const QString FavouritesController::storeFullMessage
    = QStringLiteral("Il n'y a plus de place pour ajouter cette chaîne. Veuillez faire le ménage.");
const QString FavouritesController::storeFullDialogMessage
    = QStringLiteral("Il n'y a plus de place pour ajouter cette chaîne.");
const QString FavouritesController::datedProgrammeMessage
    = QStringLiteral("L'émission que vous avez souhaité ajouter aux Favoris se met à jour toute seule et ne pourra "
                     "fonctionner correctement.");

namespace
{

const QString productName = QStringLiteral("Ondavox");
const QString radioMode = QStringLiteral("RADIO");
const QString tvMode = QStringLiteral("TV");
const QString webMode = QStringLiteral("WEB");

// The mode word a launch sets; none for a favourite without type.
QString modeOf(Favori::Type type)
{
    switch (type) {
    case Favori::Type::Radio:
        return radioMode;
    case Favori::Type::Tv:
        return tvMode;
    case Favori::Type::None:
        break;
    }
    return QString();
}

// The type of the stream being played; a mode that names none leaves the
// slot's type as it was.
std::optional<Favori::Type> typeOf(const QString &mode)
{
    if (mode == radioMode)
        return Favori::Type::Radio;
    if (mode == tvMode)
        return Favori::Type::Tv;
    return std::nullopt;
}

} // namespace

FavouritesController::FavouritesController(
    StateStore &state, FavouritesStore &favourites, PlayerControl &player, BrowserControl &browser, QObject *parent)
    : QObject(parent)
    , m_state(state)
    , m_favourites(favourites)
    , m_player(player)
    , m_browser(browser)
{
    m_affichage.setInterval(affichagePeriod);
    m_lectureEnCours.setInterval(lectureEnCoursPeriod);
    connect(&m_affichage, &QTimer::timeout, this, &FavouritesController::Affichage_Timer);
    connect(&m_lectureEnCours, &QTimer::timeout, this, &FavouritesController::LectureEnCours_Timer);
    connect(&m_favourites, &FavouritesStore::saveFailed, this, [this](const QString &path) {
        Q_EMIT noticeRequested(
            QStringLiteral("Les favoris n'ont pas pu être enregistrés dans « %1 ». Ondavox essaie à nouveau tant "
                           "qu'il reste ouvert.")
                .arg(path));
    });
}

bool FavouritesController::isInUse(int index) const
{
    return m_favourites.slot(index).isInUse();
}

void FavouritesController::showDeleteControls(Display &display) const
{
    for (int i = 0; i < FavouritesRecord::slotCount; ++i)
        display.deleteShown.at(i) = isInUse(i);
}

void FavouritesController::change(const std::function<void(Display &)> &edit)
{
    Display display = m_display;
    edit(display);
    if (display == m_display)
        return;
    m_display = display;
    Q_EMIT displayChanged();
}

void FavouritesController::create()
{
    // Nothing played yet: the watcher enables the add button once something is.
    if (m_state.lecture() == productName) {
        change([](Display &display) {
            display.kivCommand2Enabled = false;
        });
        m_lectureEnCours.start();
    }
    m_affichage.start();
    m_favourites.startSaving();
    if (!m_favourites.Load())
        return;
    change([this](Display &display) {
        showDeleteControls(display);
        display.line1Shown = isInUse(firstRightSlot);
    });
}

void FavouritesController::Nom_Click(int index)
{
    if (playSlot(index))
        Q_EMIT hideRequested();
}

bool FavouritesController::playSlot(int index)
{
    const Favori &slot = m_favourites.slot(index);
    if (!slot.isInUse())
        return false;
    PlayRequest request;
    request.kind = PlayRequest::Kind::Stream;
    request.address = slot.url;
    request.name = slot.nom;
    request.mode = modeOf(slot.type);
    request.setView = false;
    requestPlay(request, m_state, m_player, m_browser);
    return true;
}

void FavouritesController::Delete_Click(int index)
{
    // The last slot is cleared by itself; the display follows at the next refresh.
    if (index == FavouritesRecord::slotCount - 1) {
        m_favourites.clear(index);
        return;
    }
    m_favourites.SupprimeFavori(index);
    change([this](Display &display) {
        showDeleteControls(display);
        if (!isInUse(firstRightSlot))
            display.line1Shown = false;
    });
}

void FavouritesController::Affichage_Timer()
{
    change([this](Display &display) {
        showDeleteControls(display);
        display.videShown = !isInUse(0);
        if (!isInUse(firstRightSlot))
            display.line1Shown = false;
    });
}

void FavouritesController::LectureEnCours_Timer()
{
    // The first launch is seen before its player has started: the mode word
    // it set must outlive the watcher, or the stream it plays would be added
    // without its type, and a page shown in its place would not be refused.
    if (m_state.lecture() != productName) {
        change([](Display &display) {
            display.kivCommand2Enabled = true;
        });
        m_lectureEnCours.stop();
        return;
    }
    const QString status = m_player.status();
    if (status.isEmpty() || PlaybackController::stoppedStatuses.contains(status))
        m_state.setRadioTv(QString());
    // The status line begins so when the player is neither playing nor stopped.
    if (m_state.divers().startsWith(QLatin1String(" de")))
        m_state.setRadioTv(QString());
    if (m_state.radioTv().isEmpty()) {
        change([](Display &display) {
            display.kivCommand2Enabled = false;
        });
    }
}

QString FavouritesController::refusal(const QString &nom, const QString &url)
{
    QString character = TextFile::refusedInRecord(nom);
    if (character.isEmpty())
        character = TextFile::refusedInRecord(url);
    if (character.isEmpty())
        return QString();
    if (character == u"\r" || character == u"\n")
        return QStringLiteral("Le nom et l'adresse d'un favori ne peuvent pas contenir de saut de ligne.");
    return QStringLiteral("Le caractère « %1 » ne peut pas figurer dans le nom ni dans l'adresse d'un favori.")
        .arg(character);
}

bool FavouritesController::accepts(const QString &nom, const QString &url)
{
    const QString message = refusal(nom, url);
    if (message.isEmpty())
        return true;
    Q_EMIT messageRequested(message);
    return false;
}

// After an addition: the delete controls of the slots in use, and the separator.
void FavouritesController::showAddition()
{
    change([this](Display &display) {
        for (int i = 0; i < FavouritesRecord::slotCount; ++i) {
            if (isInUse(i))
                display.deleteShown.at(i) = true;
        }
        display.line1Shown = isInUse(firstRightSlot);
    });
}

void FavouritesController::KivCommand2_Click()
{
    const QString mode = m_state.radioTv();
    if (mode == webMode) {
        Q_EMIT messageRequested(webModeMessage);
        return;
    }
    const std::optional<int> free = m_favourites.freeSlot();
    if (!free) {
        Q_EMIT messageRequested(storeFullMessage);
        return;
    }
    // A dated programme's address, marked with a leading "*", is the day's;
    // the player may hold a playlist built from it instead.
    const bool dated = m_state.curl().startsWith(QLatin1Char('*')) && mode != radioMode;
    const QString address = dated ? m_state.curl().mid(1) : m_player.url();
    if (!accepts(m_state.lecture(), address))
        return;
    m_favourites.setSavePeriod(FavouritesStore::savePeriodAfterAddition);
    m_favourites.fill(*free, m_state.lecture(), address, typeOf(mode));
    if (dated)
        Q_EMIT messageRequested(datedProgrammeMessage);
    showAddition();
}

bool FavouritesController::KivCommand1_Click(const QString &nom, const QString &url, int typeIndex)
{
    const std::optional<int> free = m_favourites.freeSlot();
    if (!free) {
        Q_EMIT messageRequested(storeFullDialogMessage);
        return false;
    }
    if (!accepts(nom, url))
        return false;
    m_favourites.setSavePeriod(FavouritesStore::savePeriodAfterAddition);
    const std::optional<Favori::Type> type = typeIndex == 0 ? std::optional(Favori::Type::Radio)
        : typeIndex == 1                                    ? std::optional(Favori::Type::Tv)
                                                            : std::nullopt;
    m_favourites.fill(*free, nom, url, type);
    showAddition();
    return true;
}
