#pragma once

#include <QString>

// A station of the public directory, or of a list file (which gives only a
// name and an address). Text fields are plain text, already cleaned.
struct DirectoryStation {
    QString uuid; // the directory's "stationuuid"; empty for a list file's station
    QString name;
    QString address; // what the player is given: the resolved address when the directory has one
    QString favicon; // an http(s) address, or empty
    QString country;
    QString countryCode;
    QString language;
    QString tags;
    QString codec;
    int bitrate = 0; // kbit/s; 0 when unknown
    qint64 clickCount = 0;

    bool operator==(const DirectoryStation &) const = default;
};
