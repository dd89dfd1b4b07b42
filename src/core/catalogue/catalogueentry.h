#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// The two record layouts: the radio catalogue ("ovxdatabase.ondb") and the TV
// catalogue ("ovxdatabase2.ondb").
enum class CatalogueLayout { Radio, TV };

// One record of a catalogue. Radio fields, in file order: record number,
// category, numeric field, name, address, picture, information, language. TV
// fields: record number, category, name, address, picture, language,
// information, dated flag.
struct CatalogueEntry {
    int recordNumber = 0; // field 1, as written in the record
    QString category;
    int numericField = 0; // radio only
    QString name;
    QString address;
    QString picture; // relative to the installation folder, "\" or "/" separated
    QString information;
    QString language;
    QString datedFlag; // TV only: "oui", "m3u", "web" or anything else

    QString languageDisplayText() const { return languageDisplayText(language); }
    QString informationDisplayText() const { return informationDisplayText(information); }

    static QString languageDisplayText(const QString &language);
    static QString informationDisplayText(const QString &information);

    // Reads one record line (without its line break). Nothing when the line is
    // malformed: fewer than eight fields each closed by "*", a record number that
    // is not 1 to 4 digits, a radio numeric field that is not a whole number of
    // 16 bits, or characters that are not text (control characters, or bytes
    // that the Windows-1252 codec could not map).
    static std::optional<CatalogueEntry> parse(QStringView line, CatalogueLayout layout);

    bool operator==(const CatalogueEntry &) const = default;
};
