#pragma once

#include "core/catalogue/catalogueentry.h"

#include <QList>
#include <QStringView>
#include <optional>

// The record scan shared by the radio and the TV browser. A catalogue text is
// the file's lines, each followed by CR LF; line 1 is a header, line 2 holds
// record 1, and so on.
//
// What a malformed text gives (the browsers need only well-formed catalogues,
// but no text may make a scan read past its end):
// - a malformed record (see CatalogueEntry::parse) is skipped: it is not
//   listed, yet it keeps its position, so the records after it keep theirs;
// - the format's limit stops the scan: a line that ends (CR LF included)
//   beyond the 32 767th character is not read, nor any line after it. That
//   also keeps every record number within the 4 digits of a reference: a
//   record line has at least 9 characters and its CR LF, so at most 2 978 fit;
// - a text without an end line ends at its last complete line (a last line
//   without its CR LF is not read).
namespace CatalogueScanner
{

// A list ends at the first record line shorter than this; a lookup only at a
// line shorter than lookupEndLength, so it can pass over a list's end line.
inline constexpr int listEndLength = 29;
inline constexpr int lookupEndLength = 9;
inline constexpr int maxRecords = 9999;
inline constexpr qsizetype maxTextLength = 32767;
static_assert(maxTextLength / (lookupEndLength + 2) < maxRecords);

enum class Stop {
    EndLine, // a line shorter than the end length
    NoEndLine, // the text ended first
    TextLimit, // a line went past the 32 767th character
};

struct ListedRecord {
    int position = 0; // 1 for the line after the header
    CatalogueEntry entry;
    bool operator==(const ListedRecord &) const = default;
};

struct Scan {
    QList<ListedRecord> records; // well-formed records before the stop, in file order
    QList<int> skipped; // positions of the malformed records passed over
    Stop stop = Stop::NoEndLine;
    int stopPosition = 0; // position of the line where the scan stopped (0: the header)
};

// Every record up to the end line.
Scan scan(QStringView text, CatalogueLayout layout);

// The record at `position`; nothing when the lookup ends first (a line shorter
// than lookupEndLength, the end of the text, a limit) or when that record is
// malformed.
std::optional<CatalogueEntry> lookup(QStringView text, CatalogueLayout layout, int position);

}
