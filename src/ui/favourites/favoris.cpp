#include "ui/favourites/favoris.h"

#include "core/favourites/favouritescontroller.h"
#include "core/favourites/favouritesstore.h"
#include "ui/favourites/ajoutfavoris.h"
#include "ui/favourites/favoriname.h"
#include "ui/skin/imagebuttonpair.h"
#include "ui/skin/kivcommand.h"
#include "ui/skin/kivframe.h"
#include "ui/skin/plaintooltip.h"
#include "ui/skin/programmessage.h"
#include "ui/skin/skin.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLayout>

namespace
{

// Geometry of the client area, in pixels.
constexpr QSize clientSize(414, 379);
constexpr int titleStripHeight = 30;
// The captions are wider in this font than the window allows side by side:
// the second button sits on the list frame's top edge, right of its caption.
constexpr int kivCommand2Y = 36;
constexpr int kivCommand3Y = 61;
constexpr int margin = 8;
constexpr QRect frameArea(8, 60, 398, 311);
constexpr int rowsPerColumn = 12;
constexpr int firstRowY = 93;
// 336 twips: 22.4 pixels.
constexpr double rowStep = 22.4;
constexpr int rowHeight = 20;
constexpr int columnX[] = { 20, 214 };
constexpr int columnWidth = 180;
constexpr int iconSize = 16;
constexpr int nameX = 20;
constexpr int line1X = 207;
constexpr int line1Top = 89;
constexpr int line1Bottom = 356;

QString deleteName(const QString &nom)
{
    return nom.isEmpty() ? QStringLiteral("Supprimer ce favori") : QStringLiteral("Supprimer « %1 »").arg(nom);
}

QLabel *icon(const QString &objectName, const QString &skinName, const QString &accessibleName, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setPixmap(QIcon(Skin::imagePath(skinName)).pixmap(QSize(iconSize, iconSize)));
    label->setFixedSize(iconSize, iconSize);
    label->setAccessibleName(accessibleName);
    label->hide();
    return label;
}

} // namespace

Favoris::Favoris(
    StateStore &state, FavouritesStore &favourites, PlayerControl &player, BrowserControl &browser, QWidget *parent)
    : SkinnedWindow(parent)
    , m_favourites(favourites)
    , m_controller(new FavouritesController(state, favourites, player, browser, this))
{
    setObjectName(QStringLiteral("Favoris"));
    setTitle(QStringLiteral("Favoris"));
    titleLabel()->setText(QStringLiteral("FAVORIS"));
    titleStrip()->setFixedHeight(titleStripHeight);
    setFixedSize(clientSize);
    // Children are placed in client-area coordinates: the content area's
    // position is known once the window's layout has run.
    layout()->activate();

    buildButtons();
    buildList();
    // Over the frame's edge, not under it.
    m_kivCommand3->raise();

    connect(&m_favourites, &FavouritesStore::changed, this, &Favoris::showSlots);
    connect(m_controller, &FavouritesController::displayChanged, this, &Favoris::showDisplay);
    connect(m_controller, &FavouritesController::hideRequested, this, &QWidget::hide);
    connect(m_controller, &FavouritesController::messageRequested, this, [this](const QString &text) {
        // The add dialog's messages belong over the dialog.
        QWidget *active = QApplication::activeWindow();
        programMessage(active ? active : this, text);
    });
    connect(m_controller, &FavouritesController::noticeRequested, this, [this](const QString &text) {
        programNotice(this, text);
    });
    connect(closePair(), &ImageButtonPair::Click, this, &Favoris::Quitter2_Click);

    m_controller->create();
    showSlots();
    showDisplay();
}

Favoris::~Favoris() = default;

void Favoris::place(QWidget *widget, int x, int y)
{
    widget->move(content()->mapFrom(this, QPoint(x, y)));
}

void Favoris::buildButtons()
{
    m_kivCommand2 = new KivCommand(QStringLiteral("Ajouter la chaîne en cours de lecture aux Favoris"), content());
    m_kivCommand2->setObjectName(QStringLiteral("KivCommand2"));
    m_kivCommand3 = new KivCommand(QStringLiteral("Ajouter une autre chaîne..."), content());
    m_kivCommand3->setObjectName(QStringLiteral("KivCommand3"));
    for (KivCommand *button : { m_kivCommand2, m_kivCommand3 }) {
        button->setProperty("compact", true);
        button->adjustSize();
    }
    place(m_kivCommand2, margin, kivCommand2Y);
    place(m_kivCommand3, clientSize.width() - 2 * margin - m_kivCommand3->width(), kivCommand3Y);
    connect(m_kivCommand2, &KivCommand::Click, m_controller, &FavouritesController::KivCommand2_Click);
    connect(m_kivCommand3, &KivCommand::Click, this, &Favoris::KivCommand3_Click);
}

void Favoris::buildList()
{
    auto *frame = new KivFrame(QStringLiteral("Favoris :"), content());
    frame->setObjectName(QStringLiteral("FrameFavoris"));
    frame->setGeometry(QRect(content()->mapFrom(this, frameArea.topLeft()), frameArea.size()));

    m_line1 = new QFrame(content());
    m_line1->setObjectName(QStringLiteral("Line1"));
    m_line1->setAttribute(Qt::WA_StyledBackground);
    m_line1->setStyleSheet(QStringLiteral("#Line1 { background-color: #2c3441; }"));
    m_line1->setGeometry(QRect(content()->mapFrom(this, QPoint(line1X, line1Top)), QSize(1, line1Bottom - line1Top)));
    m_line1->hide();

    m_vide = new QLabel(QStringLiteral("(Votre liste de favoris est vide)"), content());
    m_vide->setObjectName(QStringLiteral("vide"));
    m_vide->setTextFormat(Qt::PlainText);
    m_vide->setAlignment(Qt::AlignCenter);
    m_vide->setProperty("muted", true);
    m_vide->setGeometry(QRect(content()->mapFrom(this, QPoint(frameArea.left(), firstRowY + 5 * rowStep)),
        QSize(frameArea.width(), 2 * rowHeight)));
    m_vide->hide();

    for (int i = 0; i < FavouritesStore::slotCount; ++i) {
        const int x = columnX[i / rowsPerColumn];
        const int y = firstRowY + qRound((i % rowsPerColumn) * rowStep);
        const int iconY = y + (rowHeight - iconSize) / 2;

        QLabel *radio = icon(
            QStringLiteral("Image1_%1").arg(i), QStringLiteral("favourite-radio"), QStringLiteral("Radio"), content());
        QLabel *tv
            = icon(QStringLiteral("Image2_%1").arg(i), QStringLiteral("favourite-tv"), QStringLiteral("TV"), content());
        place(radio, x, iconY);
        place(tv, x, iconY);

        auto *nom = new FavoriName(i, content());
        nom->resize(columnWidth - nameX - iconSize - 4, rowHeight);
        place(nom, x + nameX, y);
        connect(nom, &QAbstractButton::clicked, this, [this, i] {
            m_controller->Nom_Click(i);
        });

        auto *remove = new ImageButtonPair(QStringLiteral("delete"), content());
        remove->setObjectName(QStringLiteral("Delete%1").arg(i));
        remove->setImageSize(QSize(iconSize, iconSize));
        remove->resize(iconSize, iconSize);
        place(remove, x + columnWidth - iconSize, iconY);
        remove->hide();
        connect(remove, &ImageButtonPair::Click, this, [this, i] {
            m_controller->Delete_Click(i);
        });

        m_image1.append(radio);
        m_image2.append(tv);
        m_noms.append(nom);
        m_delete.append(remove);
    }
}

// Names and icons follow the store at once; a delete control is named after
// the favourite it would delete now.
void Favoris::showSlots()
{
    for (int i = 0; i < FavouritesStore::slotCount; ++i) {
        const Favori &slot = m_favourites.slot(i);
        m_noms.at(i)->setName(slot.nom);
        m_image1.at(i)->setVisible(slot.type == Favori::Type::Radio);
        m_image2.at(i)->setVisible(slot.type == Favori::Type::Tv);
        const QString name = deleteName(slot.nom);
        m_delete.at(i)->setToolTips(plainToolTip(name), plainToolTip(name));
        m_delete.at(i)->setAccessibleName(name);
    }
}

void Favoris::showDisplay()
{
    const FavouritesController::Display &display = m_controller->display();
    for (int i = 0; i < FavouritesStore::slotCount; ++i)
        m_delete.at(i)->setVisible(display.deleteShown.at(i));
    m_line1->setVisible(display.line1Shown);
    m_vide->setVisible(display.videShown);
    m_kivCommand2->setEnabled(display.kivCommand2Enabled);
}

void Favoris::KivCommand3_Click()
{
    if (!m_ajoutFavoris) {
        m_ajoutFavoris = std::make_unique<AjoutFavoris>(*m_controller);
        m_ajoutFavoris->move(frameGeometry().center() - m_ajoutFavoris->rect().center());
    }
    m_ajoutFavoris->show();
    m_ajoutFavoris->raise();
    m_ajoutFavoris->activateWindow();
}

void Favoris::Quitter2_Click()
{
    hide();
}
