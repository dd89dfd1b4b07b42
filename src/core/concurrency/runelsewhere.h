#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <QPromise>
#include <QThreadPool>
#include <memory>
#include <type_traits>

// Runs `work` on a thread of the global pool, then `done` with its result on
// the thread of `context`; nothing is done when `context` is gone by then.
// A watcher rather than QFuture::then(): with Qt 6.4 a continuation attached
// while the work finishes on its thread can be lost.
template <typename Work, typename Done> void runElsewhere(QObject *context, Work work, Done done)
{
    using Result = std::invoke_result_t<Work &>;
    auto *watcher = new QFutureWatcher<Result>(context);
    QObject::connect(watcher, &QFutureWatcherBase::finished, context, [watcher, done = std::move(done)]() mutable {
        done(watcher->result());
        watcher->deleteLater();
    });
    auto promise = std::make_shared<QPromise<Result>>();
    watcher->setFuture(promise->future());
    promise->start();
    QThreadPool::globalInstance()->start([promise, work = std::move(work)]() mutable {
        promise->addResult(work());
        promise->finish();
    });
}
