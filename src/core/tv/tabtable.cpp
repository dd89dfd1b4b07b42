#include "core/tv/tabtable.h"

#include <QFile>

// Resources of a static library are not registered by themselves: the
// registration has to be referenced from code that is linked in.
static void initTvResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(tv);
        return true;
    }();
    Q_UNUSED(registered);
}

namespace TabTable
{

Parsed parse(QStringView text, int minFields, int maxFields)
{
    Parsed result;
    int lineNumber = 0;
    for (QStringView line : text.split(QLatin1Char('\n'))) {
        ++lineNumber;
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        QStringList fields;
        for (QStringView field : line.split(QLatin1Char('\t')))
            fields.append(field.toString());
        if (fields.size() < minFields || fields.size() > maxFields) {
            result.errorLine = lineNumber;
            result.error = QStringLiteral("ligne %1 : %2 champs au lieu de %3 à %4")
                               .arg(lineNumber)
                               .arg(fields.size())
                               .arg(minFields)
                               .arg(maxFields);
            return result;
        }
        result.rows.append(fields);
    }
    return result;
}

QString builtIn(const QString &name)
{
    initTvResources();
    QFile file(QStringLiteral(":/tv/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

}
