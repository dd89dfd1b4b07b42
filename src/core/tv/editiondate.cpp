#include "core/tv/editiondate.h"

namespace
{

const QChar placeholder(0x00a4); // "¤"
constexpr int codeLength = 3;

QString twoDigits(int number)
{
    QString text = QString::number(number);
    if (text.size() < 2)
        text.prepend(QLatin1Char('0'));
    return text;
}

} // namespace

EditionDate EditionDate::ReadEditionDate(int jourPosition, int moisPosition, int year)
{
    return { twoDigits(jourPosition + 1),
        twoDigits(moisPosition + 1),
        QStringLiteral("%1").arg(year, 4, 10, QLatin1Char('0')) };
}

std::optional<QString> EditionDate::dateText(QStringView code) const
{
    const QString shortYear = editionYear.right(2);
    if (code == u"JMA")
        return editionDay + editionMonth + shortYear;
    if (code == u"JMB")
        return editionDay + editionMonth + editionYear;
    if (code == u"AMJ")
        return shortYear + editionMonth + editionDay;
    if (code == u"BMJ")
        return editionYear + editionMonth + editionDay;
    return std::nullopt;
}

QString TraiteDate(const QString &address, const EditionDate &date)
{
    const qsizetype first = address.indexOf(placeholder);
    if (first < 0)
        return address;
    const qsizetype afterFirst = first + 1 + codeLength;
    const std::optional<QString> text = date.dateText(QStringView(address).mid(first + 1, codeLength));
    QString result = address.left(first) + text.value_or(QString());
    const qsizetype second = address.indexOf(placeholder, first + 1);
    if (second < 0)
        return result + address.mid(afterFirst);
    if (!text)
        return result;
    // A known code holds no "¤", so the second placeholder comes after it.
    return result + address.mid(afterFirst, second - afterFirst) + *text + address.mid(second + 1 + codeLength);
}

DateListPositions CalcDate(QDate today, int check3)
{
    int month = today.month();
    int day = today.day();
    if (check3 != 0) {
        --day;
        if (day == 0) {
            day = 31;
            --month;
            if (month == 0)
                month = 12;
        }
    }
    return { month - 1, day - 1 };
}
