#include "modules/webengine/webenginemodule.h"

#include "modules/webengine/webenginepage.h"

#include <QQuickWindow>
#include <QSGRendererInterface>

WebEngineModule::WebEngineModule()
{
    // The engine draws through Qt Quick, on OpenGL only, and says so when it
    // is linked into the program; loaded later, it is told here, before its
    // first view. The share context it also needs exists already
    // (SharedGl::ensure(), before the module loads).
    QQuickWindow::setGraphicsApi(QSGRendererInterface::OpenGLRhi);
}

std::unique_ptr<BrowserEnginePage> WebEngineModule::createPage(QWidget *parent, BrowserEnginePage::Events &events)
{
    return std::make_unique<WebEnginePage>(parent, events);
}
