#include "core/stationlists/stationtext.h"

#include "core/playback/playlistentry.h"

namespace StationText
{

QString cleanName(QStringView name)
{
    QString cleaned;
    cleaned.reserve(qMin<qsizetype>(name.size(), maximumNameLength * 2));
    bool space = false;
    for (char32_t c : name.toUcs4()) {
        const QChar::Category category = QChar::category(c);
        // Format marks (direction overrides among them) change how the text
        // around them shows, not what it says.
        if (category == QChar::Other_Format)
            continue;
        if (QChar::isSpace(c) || category == QChar::Other_Control || category == QChar::Separator_Line
            || category == QChar::Separator_Paragraph || category == QChar::Other_Surrogate) {
            space = !cleaned.isEmpty();
            continue;
        }
        // Cut before a character that would not fit with its space: a name
        // never ends in a space or half a pair, and cleaning it again keeps it.
        const QString character = QString::fromUcs4(&c, 1);
        if (cleaned.size() + (space ? 1 : 0) + character.size() > maximumNameLength)
            break;
        if (space)
            cleaned += QLatin1Char(' ');
        space = false;
        cleaned += character;
    }
    return cleaned;
}

QString streamAddress(QStringView address)
{
    for (QChar c : address.trimmed()) {
        if (c.isSpace() || c.category() == QChar::Other_Control)
            return {};
    }
    // A list read from a file counts as one from the network: the file came
    // from elsewhere, and its stations are kept to addresses on the network.
    return PlaylistEntry::playable(address, QUrl()).value_or(QString());
}

}
