#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QUrl>

// Windows Media playlists (ASX, WAX, WVX): the XML form, as loose as these
// files are found in the wild (any letter case, undeclared entities, raw "&"
// in addresses, missing closing tags), and the INI form ("[Reference]",
// "Ref1=..."). The media engine reads neither.
class AsxParser
{
public:
    enum class Form { None, Xml, LenientScan, Reference };

    struct Result {
        // The addresses to play, in document order, made absolute against the
        // playlist's own address; only those PlaylistEntry lets through.
        QStringList entries;
        // Entries left out: they may not be played from where the playlist came.
        int refused = 0;
        Form form = Form::None;
        // Why nothing usable was found; empty when entries were found.
        QString error;
    };

    // `base`: where the playlist came from (after redirects), which decides
    // what its entries may name; without it, only absolute network addresses.
    static Result parse(const QByteArray &data, const QUrl &base = {});

    // An address whose name says it is such a playlist.
    static bool isPlaylistAddress(const QUrl &url);
    // The start of a document that is such a playlist, whatever its name.
    static bool looksLikePlaylist(const QByteArray &data);
    // A server's content type that announces such a playlist.
    static bool isPlaylistContentType(const QByteArray &contentType);

private:
    static Result parseXml(const QString &text, const QUrl &base);
    static Result scanLeniently(const QString &text, const QUrl &base);
    static Result parseReference(const QString &text, const QUrl &base);
};
