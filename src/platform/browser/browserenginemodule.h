#pragma once

#include "platform/browser/browserenginepage.h"

#include <QtPlugin>
#include <memory>

class QWidget;

// The browser engine's module: QtWebEngine and everything that names its
// types live in it, so that the program maps none of it until a page must be
// seen. Its root object implements this.
class BrowserEngineModule
{
public:
    // The module's file in the module folder.
    static constexpr const char *name = "webengine";

    virtual ~BrowserEngineModule() = default;

    // A page in `parent`, reporting to `events`.
    virtual std::unique_ptr<BrowserEnginePage> createPage(QWidget *parent, BrowserEnginePage::Events &events) = 0;
};

#define BrowserEngineModule_iid "org.ondavox.BrowserEngineModule/1"
Q_DECLARE_INTERFACE(BrowserEngineModule, BrowserEngineModule_iid)
