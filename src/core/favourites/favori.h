#pragma once

#include <QString>

// One slot of the favourites store. A slot is in use exactly when it has a
// name, whatever its address and type hold: a slot given an address and a
// type but no name stays free, and is written to the file as it is.
struct Favori {
    enum class Type { None, Radio, Tv };

    Type type = Type::None;
    QString url;
    QString nom;

    bool isInUse() const { return !nom.isEmpty(); }
    bool operator==(const Favori &) const = default;
};
