#include "ui/favourites/ajoutfavoris.h"

#include "core/favourites/favouritescontroller.h"
#include "ui/skin/imagebuttonpair.h"
#include "ui/skin/kivcommand.h"
#include "ui/skin/kivtextbox.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

namespace
{

constexpr QSize clientSize(294, 161);

QLabel *caption(const QString &text, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

AjoutFavoris::AjoutFavoris(FavouritesController &controller, QWidget *parent)
    : SkinnedWindow(parent)
    , m_controller(controller)
    , m_nom(new KivTextBox(content()))
    , m_url(new KivTextBox(content()))
    , m_annee(new QComboBox(content()))
    , m_kivCommand1(new KivCommand(QStringLiteral("Ajouter aux Favoris"), content()))
{
    setObjectName(QStringLiteral("AjoutFavoris"));
    setTitle(QStringLiteral("Ajout d'une chaîne"));
    titleLabel()->setText(QStringLiteral("AJOUT D'UNE CHAINE"));
    setFixedSize(clientSize);

    m_nom->setObjectName(QStringLiteral("Nom"));
    m_nom->setText(QStringLiteral("Nouvelle chaîne"));
    m_url->setObjectName(QStringLiteral("Url"));
    m_annee->setObjectName(QStringLiteral("Annee"));
    m_annee->addItems({ QStringLiteral("Radio"), QStringLiteral("TV") });
    m_annee->setCurrentIndex(-1);
    m_annee->setMinimumWidth(110);
    m_kivCommand1->setObjectName(QStringLiteral("KivCommand1"));

    auto *layout = new QGridLayout(content());
    layout->setContentsMargins(12, 8, 12, 10);
    layout->setHorizontalSpacing(8);
    layout->setVerticalSpacing(6);
    layout->setColumnStretch(1, 1);
    layout->addWidget(caption(QStringLiteral("Nom : "), m_nom, content()), 0, 0);
    layout->addWidget(m_nom, 0, 1);
    layout->addWidget(caption(QStringLiteral("URL : "), m_url, content()), 1, 0);
    layout->addWidget(m_url, 1, 1);
    layout->addWidget(caption(QStringLiteral("Type : "), m_annee, content()), 2, 0);
    layout->addWidget(m_annee, 2, 1, Qt::AlignLeft);
    layout->addWidget(m_kivCommand1, 3, 0, 1, 2, Qt::AlignRight);

    connect(m_kivCommand1, &KivCommand::Click, this, &AjoutFavoris::KivCommand1_Click);
    connect(closePair(), &ImageButtonPair::Click, this, &AjoutFavoris::Quitter2_Click);
}

void AjoutFavoris::KivCommand1_Click()
{
    if (m_controller.KivCommand1_Click(m_nom->text(), m_url->text(), m_annee->currentIndex()))
        hide();
}

void AjoutFavoris::Quitter2_Click()
{
    hide();
}
