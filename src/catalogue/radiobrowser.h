#pragma once

#include "catalogue/cataloguepage.h"
#include "catalogue/radiofilter.h"
#include "catalogue/radioinfopanel.h"

#include <QObject>
#include <QTimer>
#include <functional>

class StateStore;

// The radio browser's page, filter boxes, info panel and scroll indicator, and
// the one-shot timers that drive them. The window `Autre` shows this state and
// forwards its events here. It is created when the window loads: the first
// fill follows 100 ms later, so that the window paints first.
class RadioBrowser : public QObject
{
    Q_OBJECT

public:
    static constexpr int slotCount = 24;
    static constexpr int rowWidth = 6;
    // Heights of the scroll indicator `Boule`: at the start, after a step, at the end.
    static constexpr int BouleStart = 118;
    static constexpr int BouleMiddle = 172;
    static constexpr int BouleEnd = 226;

    RadioBrowser(const StateStore &store, PictureCheck canLoadPicture, QObject *parent = nullptr);

    // `Up` and `Down` do nothing while the window is not visible; the window
    // says whether it is. Until it is set, the window counts as visible.
    void setVisibilityQuery(std::function<bool()> isVisible) { m_isVisible = std::move(isVisible); }

    const CataloguePage &page() const { return m_page; }
    const RadioFilter &filter() const { return m_filter; }
    const RadioInfoPanel &info() const { return m_info; }
    int ID2Max() const { return m_page.ID2Max(); }
    int Boule() const { return m_boule; }

    void InitialiseRadios();
    void FillFirstPage();
    void FillRowBelow();
    void FillRowAbove();
    void ShowEntryInfo(const EntryRef &ref);
    void Up();
    void Down();

    // Events of the window.
    void Check_Click(RadioFilter::Box box, bool ticked);
    void Img_MouseMove(int index);
    void Image1_Click() { Down(); } // lower arrow
    void Image2_Click() { Up(); } // upper arrow

public Q_SLOTS:
    // A notch away from the user (Delta > 0) steps towards the start of the
    // list. Notches less than 20 ms apart give one step.
    void WheelCtl1_WheelRotate(int Delta, int Shift, int x, int y);

Q_SIGNALS:
    void pageChanged();
    void infoChanged();
    void bouleChanged(int top);
    void filterChanged();

private:
    void setBoule(int top);

    const StateStore &m_store;
    PictureCheck m_canLoadPicture;
    RadioFilter m_filter;
    CataloguePage m_page;
    RadioInfoPanel m_info;
    int m_boule = BouleStart;
    std::function<bool()> m_isVisible;

    QTimer m_timer2; // first fill after the window loaded
    QTimer m_timerLoad; // refill after a filter change
    QTimer m_timerUp;
    QTimer m_timerDown;
};
