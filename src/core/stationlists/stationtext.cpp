#include "core/stationlists/stationtext.h"

#include <QUrl>

namespace
{

bool isStreamScheme(const QString &scheme)
{
    static const QStringList schemes { QStringLiteral("http"),
        QStringLiteral("https"),
        QStringLiteral("mms"),
        QStringLiteral("mmsh"),
        QStringLiteral("rtsp"),
        QStringLiteral("rtmp") };
    return schemes.contains(scheme);
}

} // namespace

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
        if (space)
            cleaned += QLatin1Char(' ');
        space = false;
        if (cleaned.size() >= maximumNameLength)
            break;
        cleaned += QString::fromUcs4(&c, 1);
    }
    return cleaned;
}

QString streamAddress(QStringView address)
{
    const QString trimmed = address.trimmed().toString();
    for (QChar c : trimmed) {
        if (c.isSpace() || c.category() == QChar::Other_Control)
            return {};
    }
    const QUrl url(trimmed, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty() || !isStreamScheme(url.scheme().toLower()))
        return {};
    return trimmed;
}

}
