#pragma once

#include "core/browser/browserdownload.h"

#include <QString>

// A download of the browser engine, on the engine module's side; the program
// sees it as a BrowserDownload (EngineDownload). Only plain interfaces cross
// between the two: a class with signals of the program's own compiled into
// the module too would have two meta-objects.
class BrowserEngineDownload
{
public:
    // What the download tells whoever holds it.
    class Events
    {
    public:
        virtual void downloadProgress(qint64 receivedBytes, qint64 totalBytes) = 0;
        virtual void downloadEnded(BrowserDownload::State state, BrowserDownload::Failure failure) = 0;

    protected:
        ~Events() = default;
    };

    // Destroyed unaccepted, the download is cancelled.
    virtual ~BrowserEngineDownload() = default;

    virtual QString suggestedFileName() const = 0;
    // `events` outlives the download.
    virtual void setEvents(Events *events) = 0;
    virtual void accept(const QString &folder, const QString &fileName) = 0;
    virtual void cancel() = 0;
};
