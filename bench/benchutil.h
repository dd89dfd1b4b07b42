#pragma once

#include <QList>
#include <QString>
#include <algorithm>
#include <cstdio>

namespace Bench
{

inline double median(QList<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const qsizetype middle = values.size() / 2;
    return values.size() % 2 ? values.at(middle) : (values.at(middle - 1) + values.at(middle)) / 2;
}

inline QString figures(const QList<double> &values)
{
    QStringList parts;
    for (double value : values)
        parts.append(QString::number(value, 'f', 0));
    return parts.join(QLatin1Char(' '));
}

inline void print(const QString &line)
{
    std::fprintf(stdout, "%s\n", qPrintable(line));
    std::fflush(stdout);
}

} // namespace Bench
