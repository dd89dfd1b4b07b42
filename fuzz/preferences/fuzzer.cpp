// "ovxpref.log", and the start-up address typed into the options. First byte
// even: the file's bytes, read as the program reads them (its lines joined);
// what was read, written and read again, gives the same values. Odd: the
// rest is the text of the address field (UTF-16, halves of characters
// included); an address the field accepts comes back unchanged from the file.
#include "core/state/preferences.h"
#include "core/state/textfile.h"
#include "fuzzing.h"

namespace
{

// The values the program finds in `bytes` as the content of its file.
Preferences readFile(const QByteArray &bytes, int *fields)
{
    Preferences preferences;
    *fields = readPreferencesRecord(TextFile::splitLines(TextFile::decode(bytes)).join(QString()), preferences);
    return preferences;
}

QByteArray fileOf(const Preferences &preferences)
{
    return TextFile::encode(EcritFichier(preferences) + QStringLiteral("\r\n"));
}

bool storable(const Preferences &preferences)
{
    return TextFile::refusedInRecord(preferences.urlDem).isEmpty()
        && TextFile::refusedInRecord(preferences.urlAide).isEmpty();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray rest = Fuzzing::bytes(data + 1, size - 1);
    int fields = 0;
    if (data[0] % 2 == 0) {
        const Preferences read = readFile(rest, &fields);
        FUZZ_CHECK(fields >= 0 && fields <= 9, QString::number(fields));
        Preferences again;
        FUZZ_CHECK(readPreferencesRecord(EcritFichier(read), again) == 9 && again == read, EcritFichier(read));
        if (storable(read)) {
            const Preferences reread = readFile(fileOf(read), &fields);
            FUZZ_CHECK(fields == 9 && reread == read, EcritFichier(read));
        }
        return 0;
    }
    Preferences typed;
    typed.urlDem = Fuzzing::utf16(rest);
    if (!urlDemRefusal(typed.urlDem).isEmpty())
        return 0;
    const Preferences reread = readFile(fileOf(typed), &fields);
    FUZZ_CHECK(fields == 9 && reread.urlDem == typed.urlDem, typed.urlDem);
    return 0;
}
