#pragma once

#include "ui/skin/skinnedwindow.h"

#include <QList>
#include <memory>

class AjoutFavoris;
class BrowserControl;
class FavoriName;
class FavouritesController;
class FavouritesStore;
class ImageButtonPair;
class KivCommand;
class PlayerControl;
class QLabel;
class StateStore;

// The favourites window: two columns of twelve names with their type icons
// and delete controls, and the two ways of adding a favourite. Created hidden
// while the program starts, which reads the store and starts its timers; from
// then on only shown and hidden, never destroyed before the program ends.
class Favoris : public SkinnedWindow
{
    Q_OBJECT

public:
    Favoris(StateStore &state,
        FavouritesStore &favourites,
        PlayerControl &player,
        BrowserControl &browser,
        QWidget *parent = nullptr);
    ~Favoris() override;

    FavouritesController &controller() const { return *m_controller; }

    // "Ajouter une autre chaîne...": the add dialog, not modal.
    void KivCommand3_Click();
    void Quitter2_Click();

private:
    void buildButtons();
    void buildList();
    void place(QWidget *widget, int x, int y);
    void showSlots();
    void showDisplay();

    FavouritesStore &m_favourites;
    FavouritesController *m_controller;
    std::unique_ptr<AjoutFavoris> m_ajoutFavoris;

    KivCommand *m_kivCommand2 = nullptr;
    KivCommand *m_kivCommand3 = nullptr;
    QList<FavoriName *> m_noms;
    QList<QLabel *> m_image1; // radio icons
    QList<QLabel *> m_image2; // TV icons
    QList<ImageButtonPair *> m_delete;
    QWidget *m_line1 = nullptr;
    QLabel *m_vide = nullptr;
};
