#include "platform/modules/sharedgl.h"

#include <QCoreApplication>
#include <QOpenGLContext>

// Exported by Qt Gui, and how Qt itself installs the context it makes.
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext *context);

namespace SharedGl
{

bool ensure()
{
    if (QOpenGLContext::globalShareContext())
        return true;
    // It lives until the process ends: contexts that share with it may be
    // made and freed at any time until then.
    auto *context = new QOpenGLContext;
    if (!context->create()) {
        delete context;
        return false;
    }
    qt_gl_set_global_share_context(context);
    // What Qt does when told before the application exists. Widgets read it
    // too: a video surface that moves to another window (full screen and
    // back) keeps its context, and with it the player's render context.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    return true;
}

} // namespace SharedGl
