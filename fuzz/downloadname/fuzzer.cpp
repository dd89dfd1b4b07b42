// Download names as a server gives them (Content-Disposition, through the
// browser engine). First byte even: the rest is UTF-8; odd: UTF-16, halves
// of characters included. The name saved is never empty, hidden, "." or
// "..", holds no "/", no control, invisible or half character, and fits,
// numbered and temporary, in a file name of 255 bytes.
#include "core/update/downloadnaming.h"
#include "fuzzing.h"

#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray rest = Fuzzing::bytes(data + 1, size - 1);
    const QString server = data[0] % 2 ? Fuzzing::utf16(rest) : QString::fromUtf8(rest);
    const QString name = DownloadNaming::safeName(server);

    FUZZ_CHECK(!name.isEmpty() && name != QLatin1String(".") && name != QLatin1String(".."), name);
    FUZZ_CHECK(!name.startsWith(QLatin1Char('.')) && !name.front().isSpace(), name);
    FUZZ_CHECK(!name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')), name);
    FUZZ_CHECK(name.isValidUtf16(), name);
    for (const QChar c : name)
        FUZZ_CHECK(c.category() != QChar::Other_Control && c.category() != QChar::Other_Format, name);
    const QByteArray longest = QFile::encodeName(DownloadNaming::numberedName(name, 999) + QStringLiteral(".part"));
    FUZZ_CHECK(longest.size() <= 255, name);
    // The name is its own safe form.
    FUZZ_CHECK(DownloadNaming::safeName(name) == name, name);
    return 0;
}
