#pragma once

#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>

class QMenu;
class QWidget;

// The main window's notification-area icon. Hiding the window into the
// notification area shows one icon, however often it is done; the icon stays
// for the rest of the run. A double-click on it shows the window again, any
// other click does nothing.
//
// Where the desktop has no notification area, hiding would leave the window
// with no way back: it is minimised instead.
class SystrayIcon : public QObject
{
    Q_OBJECT

public:
    explicit SystrayIcon(QWidget *window, QObject *parent = nullptr);

    // Hides the window, then shows the icon with the window's icon and title.
    // Returns false when there is no notification area and the window was
    // minimised instead.
    bool CacheDansSystray();

    // What a right click on the icon opens.
    void setMenu(QMenu *menu);

protected:
    virtual bool isTrayAvailable() const;

private:
    // What the icon does with a click: shows the window on a double-click.
    void onActivated(QSystemTrayIcon::ActivationReason reason);

    QPointer<QWidget> m_window;
    QSystemTrayIcon *m_icon = nullptr;
    QPointer<QMenu> m_menu;
};
