#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>

class ImageButtonPair;
class KivProgressBar;
class QLabel;
class SizingFrame;
class StateStore;
class WindowDragger;

// The main window: skinned and borderless, with its title strip, window
// buttons and toolbar drawn from images, the status line, and below them the
// player and the browser, which take the same place.
class Radio : public QWidget
{
    Q_OBJECT

public:
    // Everything above the player and the browser.
    static constexpr int headerHeight = 81;
    // The smallest outer size, in twips.
    static constexpr int minimumWidthTwips = 4900;
    static constexpr int minimumHeightTwips = 2090;

    explicit Radio(StateStore &store, QWidget *parent = nullptr);

    // The player's picture and the browser's page, laid out below the header.
    void setPlayerWidget(QWidget *widget);
    void setBrowserWidget(QWidget *widget);

    KivProgressBar *progressBar() const { return m_progress; }

    void setSizingFrame(bool on);
    bool hasSizingFrame() const;

Q_SIGNALS:
    // The window manager asked to close the window: the orderly exit.
    void closeRequested();
    // The skinned close buttons: the program ends at once.
    void quitRequested();
    void systrayRequested();
    void keepOnTopToggled();
    void radiosRequested();
    void tvRequested();
    void favorisRequested();
    void optionsRequested();
    void stopRequested();
    void refreshRequested();
    // Mouse activity over the bare window, for the player's context-menu rule.
    void formMouseDown(int button);
    void formMouseUp();
    void formMouseMove();
    // Files dropped on the window, to be read as station lists.
    void stationListsDropped(const QStringList &paths);

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void Agrandir2_Click();
    ImageButtonPair *addWindowButton(
        const QString &name, const QString &skin, const QString &tip, const QString &hoverTip);
    ImageButtonPair *addToolButton(const QString &name, const QString &skin, const QString &tip, const QString &hint);
    void layOut();

    StateStore &m_store;
    QWidget *m_deplace = nullptr;
    QLabel *m_lecture = nullptr;
    QLabel *m_divers = nullptr;
    KivProgressBar *m_progress = nullptr;
    QWidget *m_verticalBorder = nullptr;
    QWidget *m_horizontalBorder = nullptr;
    ImageButtonPair *m_resizeBtn = nullptr;
    QList<ImageButtonPair *> m_windowButtons;
    QList<ImageButtonPair *> m_toolButtons;
    QPointer<QWidget> m_player;
    QPointer<QWidget> m_browser;
    WindowDragger *m_dragger = nullptr;
    SizingFrame *m_sizingFrame = nullptr;
};
