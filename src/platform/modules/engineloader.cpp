#include "platform/modules/engineloader.h"

#include "platform/modules/playermodule.h"

EngineLoader::EngineLoader(const QString &modulePath, const QString &address, const MpvEngine::Options &options)
    : m_modulePath(modulePath)
    , m_address(address.trimmed())
    , m_options(options)
    , m_thread(&EngineLoader::run, this)
{
}

EngineLoader::~EngineLoader()
{
    {
        std::lock_guard lock(m_mutex);
        m_abandoned = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void EngineLoader::localeSettled()
{
    {
        std::lock_guard lock(m_mutex);
        m_localeSettled = true;
    }
    m_changed.notify_all();
}

bool EngineLoader::isFinished() const
{
    std::lock_guard lock(m_mutex);
    return m_finished;
}

std::unique_ptr<MpvEngine> EngineLoader::takeEngine(QString *error)
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] {
        return m_finished;
    });
    if (!m_engine && error)
        *error = m_error;
    return std::move(m_engine);
}

void EngineLoader::run()
{
    PlayerModule::preloadLibraries(m_modulePath);
    QString error;
    MpvEngineFactory *factory = PlayerModule::load(m_modulePath, &error);
    std::unique_ptr<MpvEngine> engine;
    bool abandoned = false;
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] {
            return m_localeSettled || m_abandoned;
        });
        abandoned = m_abandoned;
    }
    if (factory && !abandoned) {
        engine = factory->create(m_options, &error);
        if (engine && !m_address.isEmpty())
            engine->loadFiles({ m_address });
    }
    {
        std::lock_guard lock(m_mutex);
        m_engine = std::move(engine);
        m_error = error;
        m_finished = true;
    }
    m_changed.notify_all();
    QMetaObject::invokeMethod(this, &EngineLoader::finished, Qt::QueuedConnection);
}
