#pragma once

#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>
#include <memory>

class QMenu;
class QWidget;

// The main window's notification-area icon. Hiding the window into the
// notification area shows one icon, however often it is done; the icon stays
// for the rest of the run. A double-click on it shows the window again, any
// other click does nothing.
//
// Where the desktop has no notification area, hiding would leave the window
// with no way back: it is minimised instead.
//
// The icon's context menu is the program's to fill: menu() is there from the
// start, and whatever is added to it shows the next time it opens.
class SystrayIcon : public QObject
{
    Q_OBJECT

public:
    explicit SystrayIcon(QWidget *window, QObject *parent = nullptr);
    ~SystrayIcon() override;

    QMenu *menu() const { return m_menu.get(); }

    // Hides the window, then shows the icon with the window's icon and title.
    // Returns false when there is no notification area and the window was
    // minimised instead.
    bool CacheDansSystray();

    bool isIconShown() const { return m_icon && m_icon->isVisible(); }
    QSystemTrayIcon *icon() const { return m_icon; }

    static bool showsWindow(QSystemTrayIcon::ActivationReason reason) { return reason == QSystemTrayIcon::DoubleClick; }

    // What the icon does with a click: shows the window on a double-click.
    void onActivated(QSystemTrayIcon::ActivationReason reason);

Q_SIGNALS:
    void windowShown();

protected:
    virtual bool isTrayAvailable() const;

private:
    QPointer<QWidget> m_window;
    std::unique_ptr<QMenu> m_menu;
    QSystemTrayIcon *m_icon = nullptr;
};
