#pragma once

#include "core/browser/browserdownload.h"

#include <QDir>
#include <QFile>

// A download as the browser engine runs one: it writes into "<name>.download"
// beside the name it was given, and at the end renames that over the name,
// replacing whatever is there; on failure it removes its own file only.
class FakeDownload : public BrowserDownload
{
public:
    explicit FakeDownload(const QString &suggestedFileName)
        : BrowserDownload(suggestedFileName, nullptr)
    {
    }

    void accept(const QString &folder, const QString &fileName) override
    {
        acceptedFolder = folder;
        acceptedName = fileName;
    }
    void cancel() override { fail(Failure::Cancelled); }

    QString target() const { return QDir(acceptedFolder).filePath(acceptedName); }
    QString intermediate() const { return target() + QStringLiteral(".download"); }

    void receive(const QByteArray &bytes, qint64 totalBytes)
    {
        QFile file(intermediate());
        if (file.open(QIODevice::Append))
            file.write(bytes);
        file.close();
        setProgress(QFile(intermediate()).size(), totalBytes);
    }
    void complete()
    {
        QFile::remove(target());
        QFile::rename(intermediate(), target());
        finish(State::Completed, Failure::None);
    }
    void fail(Failure failure)
    {
        QFile::remove(intermediate());
        finish(State::Failed, failure);
    }

    QString acceptedFolder;
    QString acceptedName;
};
