#include "core/favourites/favouritesrecord.h"

namespace
{

const QChar separator = QLatin1Char('*');

QString typeField(Favori::Type type)
{
    switch (type) {
    case Favori::Type::Radio:
        return QStringLiteral("Radio");
    case Favori::Type::Tv:
        return QStringLiteral("Tv");
    case Favori::Type::None:
        break;
    }
    return QStringLiteral(" ");
}

} // namespace

namespace FavouritesRecord
{

Reading ChargeFavoris(QStringView text)
{
    Reading reading;
    qsizetype cursor = 0;
    const auto nextField = [&](QString &field) {
        const qsizetype end = text.indexOf(separator, cursor);
        if (end < 0)
            return false;
        field = text.sliced(cursor, end - cursor).toString();
        cursor = end + 1;
        ++reading.fields;
        return true;
    };
    for (Favori &slot : reading.slots) {
        QString type;
        if (!nextField(type) || !nextField(slot.url) || !nextField(slot.nom))
            break;
        if (type.startsWith(QLatin1String("Radio")))
            slot.type = Favori::Type::Radio;
        else if (type.startsWith(QLatin1String("Tv")))
            slot.type = Favori::Type::Tv;
    }
    return reading;
}

QString saveText(const Slots &slots)
{
    QString text;
    for (const Favori &slot : slots)
        text += typeField(slot.type) + separator + slot.url + separator + slot.nom + separator;
    return text;
}

}
