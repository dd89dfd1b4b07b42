#pragma once

#include "core/playback/mpvengine.h"

#include <QObject>
#include <QString>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

// Loads the player module and makes its engine on a thread of its own, begun
// first thing in main(): libmpv's two hundred libraries load beside Qt's own
// start, and the start-up stream's request leaves as soon as libmpv runs,
// from libmpv itself.
class EngineLoader : public QObject
{
    Q_OBJECT

public:
    // `address`, when not empty, is what the engine opens once it is made.
    EngineLoader(const QString &modulePath, const QString &address, const MpvEngine::Options &options = {});
    // Waits for the thread; an engine not taken goes with it.
    ~EngineLoader() override;

    QString address() const { return m_address; }
    // libmpv may start: the numeric locale is "C" for good. Until then the
    // thread only loads the libraries, since making the application sets the
    // locale from the environment, and libmpv refuses most.
    void localeSettled();
    bool isFinished() const;
    // The engine, or nothing with the reason in `error`; waits for the thread
    // if it has not finished. Once.
    std::unique_ptr<MpvEngine> takeEngine(QString *error);

Q_SIGNALS:
    // Told on the loader's own thread, once the engine is made or has failed.
    void finished();

private:
    void run();

    const QString m_modulePath;
    const QString m_address;
    const MpvEngine::Options m_options;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_localeSettled = false;
    bool m_abandoned = false;
    bool m_finished = false;
    std::unique_ptr<MpvEngine> m_engine;
    QString m_error;
    std::thread m_thread;
};
