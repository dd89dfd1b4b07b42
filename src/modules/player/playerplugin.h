#pragma once

#include "core/playback/mpvengine.h"

#include <QObject>

// The player module's entry point.
class PlayerPlugin : public QObject, public MpvEngineFactory
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID MpvEngineFactory_iid)
    Q_INTERFACES(MpvEngineFactory)

public:
    std::unique_ptr<MpvEngine> create(const MpvEngine::Options &options, QString *error) override;
};
