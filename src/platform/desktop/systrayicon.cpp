#include "platform/desktop/systrayicon.h"

#include <QMenu>
#include <QWidget>

SystrayIcon::SystrayIcon(QWidget *window, QObject *parent)
    : QObject(parent)
    , m_window(window)
    , m_menu(std::make_unique<QMenu>())
{
    m_menu->setObjectName(QStringLiteral("SystrayMenu"));
}

SystrayIcon::~SystrayIcon()
{
    // The icon lets go of its menu before the menu goes.
    delete m_icon;
}

bool SystrayIcon::isTrayAvailable() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

bool SystrayIcon::CacheDansSystray()
{
    if (!m_window)
        return false;
    if (!isTrayAvailable()) {
        m_window->showMinimized();
        return false;
    }
    m_window->hide();
    if (!m_icon) {
        m_icon = new QSystemTrayIcon(this);
        m_icon->setContextMenu(m_menu.get());
        connect(m_icon, &QSystemTrayIcon::activated, this, &SystrayIcon::onActivated);
    }
    // The notification record is filled at each hiding: the window's icon,
    // and its title ("Ondavox") as the tip.
    m_icon->setIcon(m_window->windowIcon());
    m_icon->setToolTip(m_window->windowTitle());
    m_icon->show();
    return true;
}

void SystrayIcon::onActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (!showsWindow(reason) || !m_window)
        return;
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
    Q_EMIT windowShown();
}
