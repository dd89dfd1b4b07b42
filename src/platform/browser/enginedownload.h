#pragma once

#include "core/browser/browserdownload.h"
#include "platform/browser/browserenginedownload.h"

#include <memory>

// A download of the browser engine's module as the rest of the program sees
// it. Made without one, when the engine cannot start, it is a file that
// cannot be saved: accepted, it fails, saying so.
class EngineDownload : public BrowserDownload, private BrowserEngineDownload::Events
{
    Q_OBJECT

public:
    EngineDownload(std::unique_ptr<BrowserEngineDownload> download, QObject *parent);
    EngineDownload(const QString &suggestedFileName, QObject *parent);
    ~EngineDownload() override;

    bool isAccepted() const { return m_accepted; }

    void accept(const QString &folder, const QString &fileName) override;
    void cancel() override;

private:
    void downloadProgress(qint64 receivedBytes, qint64 totalBytes) override;
    void downloadEnded(State state, Failure failure) override;

    std::unique_ptr<BrowserEngineDownload> m_download;
    bool m_accepted = false;
};
