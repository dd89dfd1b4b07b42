#pragma once

#include "ui/skin/skinnedwindow.h"

class FavouritesController;
class KivCommand;
class KivTextBox;
class QComboBox;

// The add dialog "AJOUT D'UNE CHAINE": a name, an address and a type typed
// by the user. Its fields keep what was left in them from one showing to the
// next; a refused addition leaves it open as it is.
class AjoutFavoris : public SkinnedWindow
{
    Q_OBJECT

public:
    explicit AjoutFavoris(FavouritesController &controller, QWidget *parent = nullptr);

    // "Ajouter aux Favoris".
    void KivCommand1_Click();
    void Quitter2_Click();

private:
    FavouritesController &m_controller;
    KivTextBox *m_nom;
    KivTextBox *m_url;
    QComboBox *m_annee;
    KivCommand *m_kivCommand1;
};
