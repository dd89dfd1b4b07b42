#include "core/update/downloadtexts.h"

#include <QDir>
#include <QLocale>
#include <QUrl>

namespace
{

constexpr qint64 kilo = 1024;
constexpr qint64 mega = 1024 * 1024;

QString quoted(const QString &text)
{
    return QStringLiteral("« %1 »").arg(text);
}

} // namespace

QString DownloadTexts::sizeText(qint64 bytes)
{
    if (bytes < kilo)
        return bytes < 2 ? QStringLiteral("%1 octet").arg(bytes) : QStringLiteral("%1 octets").arg(bytes);
    if (bytes < mega)
        return QStringLiteral("%1 Ko").arg(bytes / kilo);
    return QStringLiteral("%1 Mo").arg(QLocale(QLocale::French).toString(double(bytes) / mega, 'f', 1));
}

QString DownloadTexts::requestingText(const QString &address)
{
    const QString host = QUrl::fromUserInput(address).host();
    return QStringLiteral("Demande du fichier à %1...").arg(host.isEmpty() ? address : host);
}

QString DownloadTexts::receivingText(const QString &name, qint64 receivedBytes, qint64 totalBytes)
{
    if (totalBytes < 0)
        return QStringLiteral("Téléchargement de %1 : %2 reçus").arg(quoted(name), sizeText(receivedBytes));
    return QStringLiteral("Téléchargement de %1 : %2 sur %3")
        .arg(quoted(name), sizeText(receivedBytes), sizeText(totalBytes));
}

QString DownloadTexts::savedText(const QString &path)
{
    return QStringLiteral("Fichier enregistré : %1").arg(QDir::toNativeSeparators(path));
}

DownloadTexts::Reason DownloadTexts::reasonOf(BrowserDownload::Failure failure)
{
    switch (failure) {
    case BrowserDownload::Failure::Server:
        return Reason::Server;
    case BrowserDownload::Failure::File:
        return Reason::File;
    case BrowserDownload::Failure::Cancelled:
        return Reason::Cancelled;
    case BrowserDownload::Failure::NoBrowser:
        return Reason::NoBrowser;
    case BrowserDownload::Failure::None:
    case BrowserDownload::Failure::Network:
        break;
    }
    return Reason::Network;
}

QString DownloadTexts::failedText(const QString &name, Reason reason, const QString &detail)
{
    QString why;
    switch (reason) {
    case Reason::Network:
        why = QStringLiteral("la connexion a été interrompue");
        break;
    case Reason::Server:
        why = QStringLiteral("le serveur a refusé d'envoyer le fichier");
        break;
    case Reason::File:
        why = QStringLiteral("le fichier n'a pas pu être écrit sur le disque");
        break;
    case Reason::Cancelled:
        why = QStringLiteral("le téléchargement a été annulé");
        break;
    case Reason::NoBrowser:
        why = QStringLiteral("le navigateur web ne peut pas démarrer");
        break;
    case Reason::Folder:
        why = QStringLiteral("le dossier %1 n'accepte pas de nouveau fichier")
                  .arg(quoted(QDir::toNativeSeparators(detail)));
        break;
    case Reason::Incomplete:
        why = QStringLiteral("le fichier reçu est incomplet");
        break;
    case Reason::Rename:
        why = QStringLiteral("le fichier complet est resté sous le nom %1").arg(quoted(detail));
        break;
    }
    return QStringLiteral("Échec du téléchargement de %1 : %2.").arg(quoted(name), why);
}

QString DownloadTexts::noFileText(int status)
{
    if (status == 0)
        return QStringLiteral("Aucun fichier reçu : le serveur a répondu par une page web au lieu du fichier.");
    if (status > 0)
        return QStringLiteral("Aucun fichier reçu : le serveur a répondu par l'erreur %1.").arg(status);
    return QStringLiteral("Aucun fichier reçu : le serveur ne répond pas (erreur réseau %1).").arg(status);
}

QString DownloadTexts::noAddressText()
{
    return QStringLiteral("Aucun fichier demandé : l'adresse de mise à jour des options est vide.");
}
