#include "core/update/updatedownloader.h"

#include "core/browser/browsercontrol.h"
#include "core/browser/browserdownload.h"
#include "core/update/downloadnaming.h"
#include "core/update/downloadtexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

struct UpdateDownloader::Attempt {
    Stage stage = Stage::Requesting;
    QString text;
    QString name;
    QString partName;
    qint64 receivedBytes = 0;
    qint64 totalBytes = -1;
};

UpdateDownloader::UpdateDownloader(BrowserControl &browser, const QString &folder, QObject *parent)
    : QObject(parent)
    , m_browser(browser)
    , m_folder(folder)
{
    connect(&m_browser, &BrowserControl::downloadStarted, this, &UpdateDownloader::onDownloadStarted);
    connect(&m_browser, &BrowserControl::navigateComplete, this, [this] {
        onNavigationEnded(0);
    });
    connect(&m_browser, &BrowserControl::navigateError, this, [this](const QString &, int status) {
        // A page with an error status is still a page: no file.
        onNavigationEnded(status == 0 ? -1 : status);
    });
}

UpdateDownloader::~UpdateDownloader() = default;

UpdateDownloader::Stage UpdateDownloader::stage() const
{
    return m_shown ? m_shown->stage : Stage::Idle;
}

QString UpdateDownloader::text() const
{
    return m_shown ? m_shown->text : QString();
}

qint64 UpdateDownloader::receivedBytes() const
{
    return m_shown ? m_shown->receivedBytes : 0;
}

qint64 UpdateDownloader::totalBytes() const
{
    return m_shown ? m_shown->totalBytes : -1;
}

void UpdateDownloader::start(const QString &address)
{
    auto attempt = std::make_shared<Attempt>();
    if (address.trimmed().isEmpty()) {
        attempt->stage = Stage::NoFile;
        attempt->text = DownloadTexts::noAddressText();
        m_pending.reset();
        show(attempt);
        return;
    }
    attempt->text = DownloadTexts::requestingText(address);
    m_pending = attempt;
    show(attempt);
    m_browser.navigate(address);
}

void UpdateDownloader::onNavigationEnded(int status)
{
    if (!m_pending)
        return;
    const std::shared_ptr<Attempt> attempt = std::exchange(m_pending, nullptr);
    attempt->stage = Stage::NoFile;
    attempt->text = DownloadTexts::noFileText(status);
    update(attempt);
}

void UpdateDownloader::onDownloadStarted(BrowserDownload *download)
{
    // Only what a press asked for; left unaccepted, anything else is cancelled.
    if (!m_pending)
        return;
    const std::shared_ptr<Attempt> attempt = std::exchange(m_pending, nullptr);
    attempt->name = DownloadNaming::safeName(download->suggestedFileName());

    if (QDir().mkpath(m_folder))
        attempt->partName = DownloadNaming::reservePartFile(m_folder, attempt->name);
    if (attempt->partName.isEmpty()) {
        attempt->stage = Stage::Failed;
        attempt->text = DownloadTexts::failedText(attempt->name, DownloadTexts::Reason::Folder, m_folder);
        update(attempt);
        return;
    }
    download->accept(m_folder, attempt->partName);
    attempt->stage = Stage::Receiving;
    attempt->text = DownloadTexts::receivingText(attempt->name, 0, download->totalBytes());
    attempt->totalBytes = download->totalBytes();
    update(attempt);

    connect(download, &BrowserDownload::progressChanged, this, [this, attempt](qint64 received, qint64 total) {
        attempt->receivedBytes = received;
        attempt->totalBytes = total;
        attempt->text = DownloadTexts::receivingText(attempt->name, received, total);
        update(attempt);
    });
    connect(download, &BrowserDownload::finished, this, [this, attempt, download] {
        finishDownload(attempt, *download);
    });
}

void UpdateDownloader::finishDownload(const std::shared_ptr<Attempt> &attempt, const BrowserDownload &download)
{
    const QString partPath = QDir(m_folder).filePath(attempt->partName);
    attempt->receivedBytes = download.receivedBytes();
    attempt->totalBytes = download.totalBytes();
    attempt->stage = Stage::Failed;
    if (download.state() != BrowserDownload::State::Completed) {
        QFile::remove(partPath);
        attempt->text = DownloadTexts::failedText(attempt->name, DownloadTexts::reasonOf(download.failure()));
    } else if (download.totalBytes() >= 0 && QFileInfo(partPath).size() != download.totalBytes()) {
        QFile::remove(partPath);
        attempt->text = DownloadTexts::failedText(attempt->name, DownloadTexts::Reason::Incomplete);
    } else if (const QString finalName = DownloadNaming::moveToFreeName(m_folder, attempt->partName, attempt->name);
               !finalName.isEmpty()) {
        attempt->stage = Stage::Saved;
        attempt->text = DownloadTexts::savedText(QDir(m_folder).filePath(finalName));
    } else {
        // Whole, but without its name: kept for the user rather than lost.
        attempt->text = DownloadTexts::failedText(attempt->name, DownloadTexts::Reason::Rename, attempt->partName);
    }
    update(attempt);
}

void UpdateDownloader::show(const std::shared_ptr<Attempt> &attempt)
{
    m_shown = attempt;
    Q_EMIT changed();
}

void UpdateDownloader::update(const std::shared_ptr<Attempt> &attempt)
{
    if (attempt == m_shown)
        Q_EMIT changed();
}
