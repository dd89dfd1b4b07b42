#pragma once

#include <QString>

// One station of a list file: the name it is shown by and its stream address.
struct StationListEntry {
    QString name;
    QString address;

    bool operator==(const StationListEntry &) const = default;
};
