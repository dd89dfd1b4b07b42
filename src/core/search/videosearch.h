#pragma once

#include <QString>

// The video search's logic: the key filter of the search field and the
// search address of each site.
namespace VideoSearch
{

enum class Engine { GoogleVideos, Youtube, Dailymotion };

// Scheme and host of each site, no trailing slash.
struct Hosts {
    QString googleVideos;
    QString youtube;
    QString dailymotion;

    // The sites as they are reached today.
    static Hosts current();
    QString of(Engine engine) const;
};

enum class Key {
    Search, // Enter
    Pass,
    Refuse, // beep, and the character is dropped
};

// What a character typed into the search field does: Enter searches;
// Backspace, unaccented letters, digits, hyphen and space pass.
Key filterKey(QChar character);

// The address of the search for the field's text: its words split at every
// space (two spaces give an empty word), the first word and at most 40 more,
// each percent-encoded, joined by "+". Text pasted into the field never went
// through the key filter, hence the encoding.
QString address(Engine engine, const QString &fieldText, const Hosts &hosts);

}
