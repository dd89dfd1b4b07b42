#pragma once

#include "core/browser/browserdownload.h"

#include <QString>

// What the update window says about a download, in French.
namespace DownloadTexts
{

// "512 octets", "300 Ko", "2,4 Mo".
QString sizeText(qint64 bytes);

QString requestingText(const QString &address);
QString receivingText(const QString &name, qint64 receivedBytes, qint64 totalBytes);
QString savedText(const QString &path);

// Why a download that had begun did not give a file. Besides the browser's
// own failures: the folder that takes no file, a file shorter than the size
// the server announced, a whole file that could not take its name.
enum class Reason { Network, Server, File, Cancelled, NoBrowser, Folder, Incomplete, Rename };
QString failedText(const QString &name, Reason reason, const QString &detail = QString());
Reason reasonOf(BrowserDownload::Failure failure);

// The address gave no file: it showed a page (status 0), an HTTP error
// status, or a network error (negative, the browser's own code).
QString noFileText(int status);
QString noAddressText();

}
