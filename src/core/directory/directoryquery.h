#pragma once

#include <QString>

// One page of the directory's station search: by name, country code, language
// and tag (each left out when empty), working stations only, the most played
// first.
struct DirectoryQuery {
    static constexpr int pageSize = 100;

    QString name;
    QString countryCode; // ISO 3166-1 alpha-2, "FR"
    QString language; // as the directory names languages, "french"
    QString tag;
    int offset = 0;
    int limit = pageSize;

    // The request's path and query, "/json/stations/search?name=…".
    QString path() const;
    // The same search without its page.
    bool sameSearch(const DirectoryQuery &other) const;

    bool operator==(const DirectoryQuery &) const = default;
};
