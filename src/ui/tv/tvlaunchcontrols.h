#pragma once

#include "core/tv/tvlauncher.h"

#include <QObject>
#include <QPoint>

class BrowserControl;
class ForeignChannels;
class KivCommand;
class NewsEditions;
class PlayerControl;
class QComboBox;
class QLabel;
class SkinnedWindow;
class StateStore;
class TvBrowser;
struct EditionDate;

// The TV window's launch side: the day lists, the news editions' buttons and
// region list, "Lancer", and the foreign channels' list. Which of them show
// follows the programme shown (TvBrowser::Controls); every launch goes
// through TvLauncher, and the window then stays, hides or unloads as it says.
class TvLaunchControls : public QObject
{
    Q_OBJECT

public:
    TvLaunchControls(StateStore &store,
        PlayerControl &player,
        BrowserControl &browser,
        const NewsEditions &editions,
        const ForeignChannels &channels,
        TvBrowser &tvBrowser,
        SkinnedWindow &window);

    // The window builds its controls in the order that Tab follows: the
    // foreign channels' list under the boxes of "Chaines", the rest after the
    // info panel.
    void buildForeignChannels();
    void buildLaunchControls();

    // The day lists at today, or yesterday by the preference.
    void CalcDate();

private:
    QComboBox *addList(const char *name, const QString &accessibleName, QPoint at, int width);
    KivCommand *addButton(const char *name, const QString &caption, QPoint at, int width);
    // The day the lists say, in this year.
    EditionDate editionDate() const;
    void showControls();
    void apply(const TvLauncher::Outcome &outcome);

    void BtnLancer_Click();
    void BoutonNat_Click();
    void BoutonReg_Click();
    void region_Click(int position);
    void AutresChaines_Click(int position);

    StateStore &m_store;
    const NewsEditions &m_editions;
    const ForeignChannels &m_channels;
    TvBrowser &m_tvBrowser;
    SkinnedWindow &m_window;
    TvLauncher m_launcher;

    QLabel *m_labelDate = nullptr;
    QComboBox *m_jour = nullptr;
    QComboBox *m_mois = nullptr;
    QLabel *m_lblLocal = nullptr;
    KivCommand *m_boutonNat = nullptr;
    KivCommand *m_boutonReg = nullptr;
    QComboBox *m_region = nullptr;
    KivCommand *m_btnLancer = nullptr;
    QComboBox *m_autresChaines = nullptr;
};
