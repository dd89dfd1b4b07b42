#pragma once

#include <QList>
#include <QString>
#include <QStringView>
#include <optional>

// The foreign channels the TV window lists apart from its catalogue
// (src/tv/data/foreignchannels.tsv), in the order of the list.
class ForeignChannels
{
public:
    struct Channel {
        QString listItem; // what the list shows
        QString nowPlaying; // the display name while it plays; not always the same words
        QString address;
    };

    QList<Channel> channels;

    // Nothing, with the reason in `error`, for a malformed row. "@SITE@" at
    // the start of an address, which marks a placeholder on the publisher's
    // site, becomes `siteUrl`.
    static std::optional<ForeignChannels> parse(QStringView text, const QString &siteUrl, QString *error);
    // The table compiled into the program, placeholders on ONDAVOX_SITE_URL.
    static std::optional<ForeignChannels> builtIn(QString *error);
};
