#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QWidget>

class CatalogueBrowser;
class ImageButtonPair;
class PictureCache;
class PictureSlot;
class QLabel;
class SkinnedWindow;

// The page of a browser window: the slots in their rows, the two arrows and,
// for a browser that has one, the scroll indicator on its rail, all showing
// the state of a CatalogueBrowser. The arrows step the page themselves; what
// the slots' moves and clicks mean is the window's to say.
class CataloguePageView : public QWidget
{
    Q_OBJECT

public:
    // Positions in the window's client area.
    struct Layout {
        QList<int> columns; // left edge of each column of slots
        QList<int> rows; // top edge of each row
        QSize slotSize;
        QRect panel; // drawn behind the slots
        QPoint upperArrow;
        QPoint lowerArrow;
        QRect rail; // drawn behind the indicator
        int indicatorX = 0;
        // Mouse moves with no button held end at a slot instead of reaching
        // the window as moves over its surface.
        bool slotsKeepMouseMoves = false;
    };

    CataloguePageView(CatalogueBrowser &browser, PictureCache &pictures, const Layout &layout, SkinnedWindow &window);

    PictureSlot *slotAt(int index) const { return m_slots.at(index); }

Q_SIGNALS:
    void slotMouseMove(int index);
    void slotActivated(int index, bool byMouse);

private:
    QPoint local(QPoint client) const;
    void showPage();
    void showBoule(int top);

    CatalogueBrowser &m_browser;
    PictureCache &m_pictures;
    Layout m_layout;
    QPoint m_origin; // this view's top left in the window's client area
    QList<PictureSlot *> m_slots;
    QLabel *m_boule = nullptr;
};
