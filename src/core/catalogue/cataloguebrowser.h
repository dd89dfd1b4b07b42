#pragma once

#include "core/catalogue/catalogueinfopanel.h"
#include "core/catalogue/cataloguepage.h"

#include <QObject>
#include <QTimer>
#include <functional>
#include <optional>

class StateStore;

// What the radio and the TV browser windows share: the page over their
// catalogue, the info panel of the entry last shown, one-row steps by the
// arrows and the wheel, and the one-shot timers that defer the fills. The two
// differ in what Config says and in the admission rule of their filter; the
// windows show this state and forward their events here.
//
// Created when its window loads: the first fill follows after
// Config::firstFillDelay, so that the window paints first.
class CatalogueBrowser : public QObject
{
    Q_OBJECT

public:
    // Heights of the scroll indicator `Boule`: at the start, after a step, at the end.
    struct Indicator {
        int start = 0;
        int middle = 0;
        int end = 0;
    };

    struct Config {
        CataloguePage::Geometry geometry;
        CatalogueLayout layout = CatalogueLayout::Radio; // also says which catalogue text is read
        CataloguePage::RowAboveRecordNumber rowAboveRecordNumber = CataloguePage::RowAboveRecordNumber::Position;
        int firstFillDelay = 0; // after the window loads
        int refillDelay = 0; // after a filter change
        int wheelStepDelay = 20; // notches closer than this give one step
        std::optional<Indicator> indicator;
    };

    CatalogueBrowser(const Config &config, const StateStore &store, PictureCheck canLoadPicture, QObject *parent);

    const Config &config() const { return m_config; }
    int slotCount() const { return m_page.slotCount(); }

    // `Up` and `Down` do nothing while the window is not visible; the window
    // says whether it is. Until it is set, the window counts as visible.
    void setVisibilityQuery(std::function<bool()> isVisible) { m_isVisible = std::move(isVisible); }

    const CataloguePage &page() const { return m_page; }
    const CatalogueInfoPanel &info() const { return m_info; }
    // The indicator's height; 0 for a browser without one.
    int Boule() const { return m_boule; }

    // `InitialiseRadios`, `InitialiseTV`: every slot emptied, visibility kept.
    void Initialise();
    void FillFirstPage();
    void FillRowBelow();
    void FillRowAbove();
    void ShowEntryInfo(const EntryRef &ref);
    // ShowEntryInfo for the entry a slot shows; nothing for an empty slot.
    void showSlotInfo(int index);
    void Up();
    void Down();
    void Image1_Click() { Down(); } // lower arrow
    void Image2_Click() { Up(); } // upper arrow

    // The rewritten address of the entry shown (a dated programme's date put in).
    void setLblAdresse(const QString &address);

public Q_SLOTS:
    // A notch away from the user (Delta > 0) steps towards the start of the
    // list. Notches closer than the wheel delay give one step.
    void WheelCtl1_WheelRotate(int Delta, int Shift, int x, int y);

Q_SIGNALS:
    void pageChanged();
    void infoChanged();
    void bouleChanged(int top);

protected:
    virtual bool admits(const CatalogueEntry &entry) const = 0;
    // Whether the arrows and the wheel may step the page now.
    virtual bool stepsAllowed() const;
    // After every ShowEntryInfo that found its record, changed or not.
    virtual void entryShown(const CatalogueEntry &entry);
    // Empties the page now and fills it again after the refill delay.
    void refill();

private:
    // The indicator goes to the middle after a step, to `edge` when there was
    // nothing further that way.
    void stepped(CataloguePage::Step step, int Indicator::*edge);
    void setBoule(int top);

    Config m_config;
    const StateStore &m_store;
    PictureCheck m_canLoadPicture;
    CataloguePage m_page;
    CatalogueInfoPanel m_info;
    int m_boule = 0;
    std::function<bool()> m_isVisible;

    QTimer m_fillTimer; // `Timer2`, and the radio's `TimerLoad`
    QTimer m_timerUp;
    QTimer m_timerDown;
};
