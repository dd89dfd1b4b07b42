#include "player/asxparser.h"

#include "app/textfile.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QXmlStreamReader>

namespace
{

QString decodeText(const QByteArray &data)
{
    QByteArray bytes = data;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    // Playlists written by Windows tools are often Windows-1252 with no
    // declaration.
    return utf8.hasError() ? TextFile::decode(bytes) : text;
}

QString resolved(const QString &href, const QUrl &base)
{
    const QString address = href.trimmed();
    if (address.isEmpty())
        return {};
    const QUrl url(address);
    if (!url.isRelative() || !base.isValid())
        return address;
    return base.resolved(url).toString();
}

void addEntry(AsxParser::Result &result, const QString &href, const QUrl &base)
{
    const QString address = resolved(href, base);
    if (!address.isEmpty())
        result.entries.append(address);
}

// The few named entities these files use, for the lenient scan (the XML
// reader knows the same ones).
QString decodeEntities(QString text)
{
    static const QRegularExpression numeric(QStringLiteral("&#(x?)([0-9a-fA-F]+);"));
    QRegularExpressionMatch match;
    qsizetype from = 0;
    while ((match = numeric.match(text, from)).hasMatch()) {
        bool ok = false;
        const char32_t code = match.captured(2).toUInt(&ok, match.captured(1).isEmpty() ? 10 : 16);
        const QString replacement
            = ok && code > 0 && code <= 0x10FFFF ? QString::fromUcs4(&code, 1) : match.captured(0);
        text.replace(match.capturedStart(), match.capturedLength(), replacement);
        from = match.capturedStart() + replacement.size();
    }
    text.replace(QLatin1String("&lt;"), QLatin1String("<"));
    text.replace(QLatin1String("&gt;"), QLatin1String(">"));
    text.replace(QLatin1String("&quot;"), QLatin1String("\""));
    text.replace(QLatin1String("&apos;"), QLatin1String("'"));
    text.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return text;
}

} // namespace

AsxParser::Result AsxParser::parse(const QByteArray &data, const QUrl &base)
{
    const QString text = decodeText(data);
    const QString start = text.trimmed().left(64).toLower();
    if (start.startsWith(QLatin1String("[reference]")))
        return parseReference(text, base);

    Result result = parseXml(text, base);
    if (result.form == Form::None)
        result = scanLeniently(text, base);
    if (result.entries.isEmpty() && result.error.isEmpty())
        result.error = QStringLiteral("no entry");
    return result;
}

AsxParser::Result AsxParser::parseXml(const QString &text, const QUrl &base)
{
    Result result;
    QXmlStreamReader xml(text);
    bool inAsx = false;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QString name = xml.name().toString().toLower();
        if (name == QLatin1String("asx")) {
            inAsx = true;
            continue;
        }
        if (!inAsx || (name != QLatin1String("ref") && name != QLatin1String("entryref")))
            continue;
        for (const QXmlStreamAttribute &attribute : xml.attributes()) {
            if (attribute.name().toString().compare(QLatin1String("href"), Qt::CaseInsensitive) == 0)
                addEntry(result, attribute.value().toString(), base);
        }
    }
    if (xml.hasError() || !inAsx) {
        // Not well-formed: the caller falls back to scanning the text.
        result.entries.clear();
        result.error = xml.hasError() ? xml.errorString() : QStringLiteral("no asx element");
        return result;
    }
    result.form = Form::Xml;
    return result;
}

AsxParser::Result AsxParser::scanLeniently(const QString &text, const QUrl &base)
{
    Result result;
    if (!text.contains(QLatin1String("<asx"), Qt::CaseInsensitive)) {
        result.error = QStringLiteral("not an ASX playlist");
        return result;
    }
    static const QRegularExpression ref(
        QStringLiteral("<\\s*(?:ref|entryref)\\b[^>]*?\\bhref\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)'|([^\\s>\"']+))"),
        QRegularExpression::CaseInsensitiveOption);
    for (auto it = ref.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        QString href = match.captured(1);
        if (href.isNull())
            href = match.captured(2);
        if (href.isNull())
            href = match.captured(3);
        addEntry(result, decodeEntities(href), base);
    }
    result.form = Form::LenientScan;
    return result;
}

AsxParser::Result AsxParser::parseReference(const QString &text, const QUrl &base)
{
    Result result;
    result.form = Form::Reference;
    static const QRegularExpression line(QStringLiteral("^\\s*ref\\d+\\s*=\\s*(.+?)\\s*$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::MultilineOption);
    for (auto it = line.globalMatch(text); it.hasNext();)
        addEntry(result, it.next().captured(1), base);
    return result;
}

bool AsxParser::isPlaylistAddress(const QUrl &url)
{
    const QString path = url.path().toLower();
    for (const char *suffix : { ".asx", ".wax", ".wvx", ".wmx" }) {
        if (path.endsWith(QLatin1String(suffix)))
            return true;
    }
    return false;
}

bool AsxParser::looksLikePlaylist(const QByteArray &data)
{
    QByteArray start = data.left(512).trimmed().toLower();
    if (start.startsWith("\xef\xbb\xbf"))
        start = start.mid(3).trimmed();
    if (start.startsWith("[reference]"))
        return true;
    // An XML declaration or comments may come before the root element.
    if (!start.startsWith('<'))
        return false;
    return start.contains("<asx");
}

bool AsxParser::isPlaylistContentType(const QByteArray &contentType)
{
    const QByteArray type = contentType.split(';').constFirst().trimmed().toLower();
    return type == "video/x-ms-asx" || type == "audio/x-ms-asx" || type == "video/x-ms-wax" || type == "audio/x-ms-wax"
        || type == "video/x-ms-wvx" || type == "video/x-ms-wmx" || type == "application/x-ms-asx";
}
