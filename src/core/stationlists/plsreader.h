#pragma once

#include "core/stationlists/stationlistread.h"

#include <QStringView>

// The stations of a PLS list ("[playlist]", then "File1=…", "Title1=…", …),
// in the order of their numbers whatever the order of the lines; keys are
// read in any case. A number without "FileN" gives no station; a station
// without "TitleN" is named by its address. Reading stops at the line that
// would bring more than `maximumEntries` numbers.
namespace PlsReader
{

StationListRead read(QStringView text, int maximumEntries);

}
