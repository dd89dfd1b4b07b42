#include "ui/skin/wheelctl.h"

#include "ui/skin/wheelrouter.h"

WheelCtl::WheelCtl(WheelRouter &router, QWidget *window)
    : QObject(window)
    , m_router(&router)
    , m_window(window)
{
    router.hook(this);
}

WheelCtl::~WheelCtl()
{
    unHook();
}

void WheelCtl::WheelMoved(int Delta, int Shift, int x, int y)
{
    Q_EMIT WheelRotate(Delta, Shift, x, y);
}

void WheelCtl::unHook()
{
    if (m_router)
        m_router->unHook(this);
}
