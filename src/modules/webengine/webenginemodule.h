#pragma once

#include "platform/browser/browserenginemodule.h"

#include <QObject>

// The root object of the browser engine's module.
class WebEngineModule : public QObject, public BrowserEngineModule
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID BrowserEngineModule_iid)
    Q_INTERFACES(BrowserEngineModule)

public:
    WebEngineModule();

    std::unique_ptr<BrowserEnginePage> createPage(QWidget *parent, BrowserEnginePage::Events &events) override;
};
