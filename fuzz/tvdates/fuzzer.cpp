// The TV window's dates and addresses: a day and a month as the date lists
// give them, any year, and a catalogue's address with its date placeholders.
// Bytes: day, month, two of year, what to build, a list position, then the
// address (UTF-8). The lists give only the positions they hold; every
// address built has no placeholder left where a date went in.
#include "core/tv/editiondate.h"
#include "core/tv/newseditions.h"
#include "core/tv/splitprogramme.h"
#include "fuzzing.h"

#include <QDate>

namespace
{

const QChar placeholder(0x00a4);

const NewsEditions &editions()
{
    static const NewsEditions built = [] {
        QString error;
        const std::optional<NewsEditions> tables = NewsEditions::builtIn(&error);
        FUZZ_CHECK(tables.has_value(), error);
        return *tables;
    }();
    return built;
}

const QString programmes[] = {
    NewsEditions::middayName,
    NewsEditions::eveningName,
    QStringLiteral("Canal+ : Nous ne sommes pas des anges"),
    QStringLiteral("Canal+ : Groland"),
    QStringLiteral("Canal+ : Le grand journal"),
    QStringLiteral("VTM - Autowereld"),
    QStringLiteral("Arte"),
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 6)
        return 0;
    const int year = (data[2] << 8 | data[3]) % 10000;
    const EditionDate date = EditionDate::ReadEditionDate(data[0] % 31, data[1] % 12, year);
    const QString &programme = programmes[data[4] % std::size(programmes)];
    const int position = int(data[5]) - 1;
    const QString address = QString::fromUtf8(reinterpret_cast<const char *>(data + 6), qsizetype(size - 6));

    const QString dated = TraiteDate(address, date);
    if (!address.contains(placeholder))
        FUZZ_CHECK(dated == address, dated);
    FUZZ_CHECK(dated.count(placeholder) <= address.count(placeholder), dated);
    for (const char16_t *code : { u"JMA", u"JMB", u"AMJ", u"BMJ" }) {
        const std::optional<QString> text = date.dateText(code);
        FUZZ_CHECK(text && (text->size() == 6 || text->size() == 8), QString::fromUtf16(code));
    }

    if (const std::optional<QString> playlist = SplitProgramme::MakeM3u(programme, dated))
        FUZZ_CHECK(!playlist->isEmpty(), programme);
    if (const std::optional<QString> national = editions().nationalAddress(programme, date))
        FUZZ_CHECK(!national->contains(placeholder), *national);
    const NewsEditions::Regional regional = editions().regionalAddress(programme, position, date);
    if (regional.address)
        FUZZ_CHECK(!regional.address->contains(placeholder), *regional.address);

    // The lists start where CalcDate says: positions that they hold.
    const QDate today(2000 + data[2] % 100, 1 + data[1] % 12, 1 + data[0] % 31);
    if (today.isValid()) {
        const DateListPositions start = CalcDate(today, data[4] & 1);
        FUZZ_CHECK(start.Mois >= 0 && start.Mois < 12 && start.Jour >= 0 && start.Jour < 31, today.toString());
    }
    return 0;
}
