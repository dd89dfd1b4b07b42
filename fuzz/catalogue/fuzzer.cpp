// The radio and TV catalogues, as the start-up loader hands them over (each
// line ended by CR LF). The first byte picks the layout. Whatever the text, a
// record the scan lists is the one a lookup of its position finds.
#include "core/catalogue/cataloguescanner.h"
#include "core/state/textfile.h"
#include "fuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const CatalogueLayout layout = data[0] % 2 ? CatalogueLayout::TV : CatalogueLayout::Radio;
    QString text;
    for (const QString &line : TextFile::splitLines(TextFile::decode(Fuzzing::bytes(data + 1, size - 1))))
        text += line + QStringLiteral("\r\n");

    const CatalogueScanner::Scan scan = CatalogueScanner::scan(text, layout);
    int previous = 0;
    qsizetype skipped = 0;
    for (const CatalogueScanner::ListedRecord &record : scan.records) {
        FUZZ_CHECK(record.position > previous && record.position < scan.stopPosition, QString::number(record.position));
        previous = record.position;
        FUZZ_CHECK(!scan.skipped.contains(record.position), QString::number(record.position));
        FUZZ_CHECK(record.entry.recordNumber >= 0 && record.entry.recordNumber <= CatalogueScanner::maxRecords,
            QString::number(record.entry.recordNumber));
        FUZZ_CHECK(
            CatalogueScanner::lookup(text, layout, record.position) == record.entry, QString::number(record.position));
        record.entry.languageDisplayText();
        record.entry.informationDisplayText();
    }
    for (const int position : scan.skipped) {
        FUZZ_CHECK(position > 0 && position < scan.stopPosition, QString::number(position));
        FUZZ_CHECK(!CatalogueScanner::lookup(text, layout, position), QString::number(position));
        ++skipped;
    }
    FUZZ_CHECK(scan.records.size() + skipped == qMax(0, scan.stopPosition - 1), QString::number(scan.stopPosition));
    return 0;
}
