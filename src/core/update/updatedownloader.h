#pragma once

#include <QObject>
#include <QString>
#include <memory>

class BrowserControl;
class BrowserDownload;

// The update window's download. The hidden browser is sent to the update
// address; the file it turns into is written into the download folder under
// a reserved temporary name and, once whole, takes the server's name, or a
// numbered form of it: an existing file is never replaced and no file ever
// sits half-written under its final name. Each press is a request of its own
// and may give a file of its own; the window shows the latest.
class UpdateDownloader : public QObject
{
    Q_OBJECT

public:
    enum class Stage { Idle, Requesting, Receiving, Saved, Failed, NoFile };

    UpdateDownloader(BrowserControl &browser, const QString &folder, QObject *parent = nullptr);
    ~UpdateDownloader() override;

    void start(const QString &address);

    // The latest request.
    Stage stage() const;
    QString text() const;
    qint64 receivedBytes() const;
    // -1 while the size is not known.
    qint64 totalBytes() const;

Q_SIGNALS:
    void changed();

private:
    struct Attempt;

    void onDownloadStarted(BrowserDownload *download);
    void onNavigationEnded(int status);
    void finishDownload(const std::shared_ptr<Attempt> &attempt, const BrowserDownload &download);
    void show(const std::shared_ptr<Attempt> &attempt);
    void update(const std::shared_ptr<Attempt> &attempt);

    BrowserControl &m_browser;
    QString m_folder;
    // The request whose navigation has not ended yet: a new one replaces it,
    // as the browser drops a navigation that another one overtakes.
    std::shared_ptr<Attempt> m_pending;
    std::shared_ptr<Attempt> m_shown;
};
