#include "core/state/preferences.h"

#include "core/state/textfile.h"

#include <array>
#include <optional>

namespace
{

enum class Kind { Check, ListPosition, Text };

struct Field {
    Kind kind;
    int Preferences::*number;
    QString Preferences::*text;
};

// The record's fields, in the order they are stored.
const std::array<Field, 9> recordFields { {
    { Kind::Check, &Preferences::check1, nullptr },
    { Kind::Check, &Preferences::check2, nullptr },
    { Kind::Text, nullptr, &Preferences::urlDem },
    { Kind::ListPosition, &Preferences::fenetre, nullptr },
    { Kind::Text, nullptr, &Preferences::urlAide },
    { Kind::Check, &Preferences::check3, nullptr },
    { Kind::Check, &Preferences::checkCadre, nullptr },
    { Kind::Check, &Preferences::pseudoCheck, nullptr },
    { Kind::Check, &Preferences::kivCheckBox1, nullptr },
} };

// A check box takes only 0 or 1 and the list only one of its three entries or
// no selection; anything else ends the reading like a missing "*".
std::optional<int> numberFor(Kind kind, QStringView text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok)
        return std::nullopt;
    const int lowest = kind == Kind::Check ? 0 : -1;
    const int highest = kind == Kind::Check ? 1 : 2;
    if (value < lowest || value > highest)
        return std::nullopt;
    return value;
}

} // namespace

int readPreferencesRecord(QStringView record, Preferences &preferences)
{
    qsizetype start = 0;
    int assigned = 0;
    for (const Field &field : recordFields) {
        const qsizetype star = record.indexOf(QLatin1Char('*'), start);
        if (star < 0)
            break;
        const QStringView text = record.sliced(start, star - start);
        start = star + 1;
        if (field.kind == Kind::Text) {
            preferences.*field.text = text.toString();
        } else {
            const std::optional<int> value = numberFor(field.kind, text);
            if (!value)
                break;
            preferences.*field.number = *value;
        }
        ++assigned;
    }
    return assigned;
}

QString EcritFichier(const Preferences &preferences)
{
    QString record;
    for (const Field &field : recordFields) {
        record += field.kind == Kind::Text ? preferences.*field.text : QString::number(preferences.*field.number);
        record += QLatin1Char('*');
    }
    return record;
}

QString urlDemRefusal(QStringView address)
{
    const QString character = TextFile::refusedInRecord(address);
    if (character.isEmpty())
        return QString();
    if (character == u"\r" || character == u"\n")
        return QStringLiteral("L'adresse ne peut pas contenir de saut de ligne.");
    return QStringLiteral("Le caractère « %1 » ne peut pas figurer dans l'adresse.").arg(character);
}
