#include "windowwatch.h"

#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

WindowWatch::WindowWatch(const QElapsedTimer &clock, QObject *parent)
    : QObject(parent)
    , m_clock(clock)
{
}

WindowWatch::~WindowWatch()
{
    m_notifier.reset();
    if (m_connection)
        xcb_disconnect(m_connection);
}

bool WindowWatch::open(const QString &display)
{
    m_connection = xcb_connect(display.toLocal8Bit().constData(), nullptr);
    if (xcb_connection_has_error(m_connection))
        return false;
    xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(m_connection, screen->root, XCB_CW_EVENT_MASK, &mask);
    const char name[] = "_NET_WM_PID";
    xcb_intern_atom_reply_t *atom
        = xcb_intern_atom_reply(m_connection, xcb_intern_atom(m_connection, 0, std::strlen(name), name), nullptr);
    if (!atom)
        return false;
    m_pidAtom = atom->atom;
    std::free(atom);
    xcb_flush(m_connection);
    m_notifier = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(m_connection), QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &WindowWatch::readEvents);
    return true;
}

void WindowWatch::readEvents()
{
    const double now = m_clock.nsecsElapsed() / 1e6;
    while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection)) {
        if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
            const auto *map = reinterpret_cast<xcb_map_notify_event_t *>(event);
            xcb_get_geometry_reply_t *geometry
                = xcb_get_geometry_reply(m_connection, xcb_get_geometry(m_connection, map->window), nullptr);
            const bool sizeable = geometry && geometry->width > 1 && geometry->height > 1;
            std::free(geometry);
            const qint64 pid = sizeable ? windowPid(map->window) : 0;
            if (pid > 0)
                Q_EMIT mapped(pid, map->window, now);
        } else if ((event->response_type & 0x7f) == XCB_UNMAP_NOTIFY) {
            Q_EMIT unmapped(reinterpret_cast<xcb_unmap_notify_event_t *>(event)->window);
        }
        std::free(event);
    }
}

qint64 WindowWatch::windowPid(quint32 window)
{
    xcb_get_property_reply_t *property = xcb_get_property_reply(
        m_connection, xcb_get_property(m_connection, 0, window, m_pidAtom, XCB_ATOM_CARDINAL, 0, 1), nullptr);
    qint64 pid = 0;
    if (property && xcb_get_property_value_length(property) == 4)
        pid = *static_cast<const uint32_t *>(xcb_get_property_value(property));
    std::free(property);
    return pid;
}
