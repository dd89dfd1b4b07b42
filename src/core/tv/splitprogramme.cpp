#include "core/tv/splitprogramme.h"

#include <QStringList>

namespace SplitProgramme
{

namespace
{

    struct Row {
        QString name;
        int cut; // characters cut from the end of the address
        QStringList suffixes; // in playlist order
    };

    // With an address ending in "_a.wmv" the cut removes that ending, and the
    // suffixes rebuild every part, the first one included.
    const Row table[] = {
        { QStringLiteral("Canal+ : Nous ne sommes pas des anges"),
            6,
            { QStringLiteral("_a.wmv"), QStringLiteral("_b.wmv") } },
        { QStringLiteral("Canal+ : Groland"), 6, { QStringLiteral("_a.wmv"), QStringLiteral("_b.wmv") } },
        { QStringLiteral("Canal+ : Le grand journal"),
            6,
            { QStringLiteral("_a.wmv"),
                QStringLiteral("_b.wmv"),
                QStringLiteral("_c.wmv"),
                QStringLiteral("_d.wmv") } },
        { QStringLiteral("VTM - Autowereld"),
            1,
            { QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4") } },
    };

} // namespace

std::optional<QString> MakeM3u(const QString &name, const QString &address)
{
    for (const Row &row : table) {
        if (row.name != name)
            continue;
        const QString base = address.chopped(qMin<qsizetype>(row.cut, address.size()));
        QStringList lines;
        for (const QString &suffix : row.suffixes)
            lines.append(base + suffix);
        return lines.join(QStringLiteral("\r\n"));
    }
    return std::nullopt;
}

}
