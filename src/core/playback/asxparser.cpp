#include "core/playback/asxparser.h"

#include "core/playback/playlistentry.h"
#include "core/state/textfile.h"

#include <QStringDecoder>
#include <QXmlStreamReader>
#include <optional>

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

void addEntry(AsxParser::Result &result, QStringView href, const QUrl &base)
{
    if (href.trimmed().isEmpty())
        return;
    if (const std::optional<QString> address = PlaylistEntry::playable(href, base))
        result.entries.append(*address);
    else
        ++result.refused;
}

bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

bool isDigitOf(QChar c, bool hex)
{
    const char16_t u = c.unicode();
    return (u >= u'0' && u <= u'9') || (hex && ((u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F')));
}

// The character an entity's name (what lies between "&" and ";") stands for:
// numeric references and the five that XML predefines, the ones these files
// use. Nothing for any other name.
std::optional<QString> entityText(QStringView name)
{
    if (name.startsWith(QLatin1Char('#'))) {
        const bool hex = name.size() > 1 && (name.at(1) == QLatin1Char('x') || name.at(1) == QLatin1Char('X'));
        const QStringView digits = name.sliced(hex ? 2 : 1);
        bool ok = !digits.isEmpty();
        for (const QChar c : digits)
            ok = ok && isDigitOf(c, hex);
        const uint code = ok ? digits.toUInt(&ok, hex ? 16 : 10) : 0;
        // Surrogates are halves of characters, not characters.
        if (!ok || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return std::nullopt;
        const char32_t character = code;
        return QString::fromUcs4(&character, 1);
    }
    static const std::pair<const char *, const char *> named[]
        = { { "lt", "<" }, { "gt", ">" }, { "quot", "\"" }, { "apos", "'" }, { "amp", "&" } };
    for (const auto &[entity, text] : named) {
        if (name == QLatin1String(entity))
            return QString::fromLatin1(text);
    }
    return std::nullopt;
}

// One pass over the text: a reference is replaced where it stands and what
// it stands for is never looked at again ("&amp;lt;" gives "&lt;"). Anything
// that is not a known reference stays as it is.
QString decodeEntities(QStringView text)
{
    // Longer than any reference above ("#x10FFFF", "#1114111" with a few
    // leading zeros), so that a stray "&" costs a bounded look ahead.
    constexpr qsizetype longestName = 12;
    QString decoded;
    decoded.reserve(text.size());
    qsizetype from = 0;
    while (from < text.size()) {
        const qsizetype ampersand = text.indexOf(QLatin1Char('&'), from);
        if (ampersand < 0) {
            decoded += text.sliced(from);
            break;
        }
        decoded += text.sliced(from, ampersand - from);
        const qsizetype limit = qMin(text.size(), ampersand + 2 + longestName);
        qsizetype end = ampersand + 1;
        while (end < limit && text.at(end) != QLatin1Char(';') && text.at(end) != QLatin1Char('&'))
            ++end;
        const std::optional<QString> replacement = end < limit && text.at(end) == QLatin1Char(';')
            ? entityText(text.sliced(ampersand + 1, end - ampersand - 1))
            : std::nullopt;
        if (replacement) {
            decoded += *replacement;
            from = end + 1;
        } else {
            decoded += QLatin1Char('&');
            from = ampersand + 1;
        }
    }
    return decoded;
}

// Where a tag named `name` (either case) starts at `at`, the position just
// after the name; -1 when the text there is something else.
qsizetype tagNameEnd(QStringView text, qsizetype at, QLatin1String name)
{
    const qsizetype end = at + name.size();
    if (end > text.size() || text.sliced(at, name.size()).compare(name, Qt::CaseInsensitive) != 0)
        return -1;
    return end < text.size() && isWordCharacter(text.at(end)) ? -1 : end;
}

// The href value inside one tag's text (what follows its name, up to the next
// "<"), undecoded; nothing when the tag has none.
std::optional<QStringView> hrefValue(QStringView tag)
{
    const auto skipSpaces = [&tag](qsizetype at) {
        while (at < tag.size() && tag.at(at).isSpace())
            ++at;
        return at;
    };
    // An attribute after the end of the tag belongs to the text around it.
    const qsizetype tagEnd = tag.indexOf(QLatin1Char('>'));
    qsizetype from = 0;
    while (true) {
        const qsizetype found = tag.indexOf(QLatin1String("href"), from, Qt::CaseInsensitive);
        if (found < 0 || (tagEnd >= 0 && found > tagEnd))
            return std::nullopt;
        from = found + 4;
        if (found > 0 && isWordCharacter(tag.at(found - 1)))
            continue;
        qsizetype at = skipSpaces(from);
        if (at >= tag.size() || tag.at(at) != QLatin1Char('='))
            continue;
        at = skipSpaces(at + 1);
        if (at >= tag.size())
            return std::nullopt;
        const QChar quote = tag.at(at);
        if (quote == QLatin1Char('"') || quote == QLatin1Char('\'')) {
            const qsizetype close = tag.indexOf(quote, at + 1);
            if (close < 0)
                return std::nullopt;
            return tag.sliced(at + 1, close - at - 1);
        }
        qsizetype end = at;
        while (end < tag.size() && !tag.at(end).isSpace() && tag.at(end) != QLatin1Char('>')
            && tag.at(end) != QLatin1Char('"') && tag.at(end) != QLatin1Char('\''))
            ++end;
        if (end == at)
            return std::nullopt;
        return tag.sliced(at, end - at);
    }
}

} // namespace

AsxParser::Result AsxParser::parse(const QByteArray &data, const QUrl &base)
{
    const QString text = decodeText(data);
    const QString start = text.trimmed().left(64).toLower();
    Result result;
    if (start.startsWith(QLatin1String("[reference]"))) {
        result = parseReference(text, base);
    } else {
        result = parseXml(text, base);
        if (result.form == Form::None)
            result = scanLeniently(text, base);
    }
    if (result.entries.isEmpty() && result.error.isEmpty())
        result.error = result.refused > 0 ? QStringLiteral("no network entry") : QStringLiteral("no entry");
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
                addEntry(result, attribute.value(), base);
        }
    }
    if (xml.hasError() || !inAsx) {
        // Not well-formed: the caller falls back to scanning the text.
        result.entries.clear();
        result.refused = 0;
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
    // Each tag is read up to the next "<" at most, and the scan goes on from
    // there: every character is looked at a bounded number of times, however
    // the tags are broken.
    const QStringView view(text);
    qsizetype from = 0;
    while (true) {
        const qsizetype open = view.indexOf(QLatin1Char('<'), from);
        if (open < 0)
            break;
        qsizetype nameStart = open + 1;
        while (nameStart < view.size() && view.at(nameStart).isSpace())
            ++nameStart;
        qsizetype nameEnd = tagNameEnd(view, nameStart, QLatin1String("entryref"));
        if (nameEnd < 0)
            nameEnd = tagNameEnd(view, nameStart, QLatin1String("ref"));
        if (nameEnd < 0) {
            from = open + 1;
            continue;
        }
        qsizetype next = view.indexOf(QLatin1Char('<'), nameEnd);
        if (next < 0)
            next = view.size();
        if (const std::optional<QStringView> href = hrefValue(view.sliced(nameEnd, next - nameEnd)))
            addEntry(result, decodeEntities(*href), base);
        from = next;
    }
    result.form = Form::LenientScan;
    return result;
}

AsxParser::Result AsxParser::parseReference(const QString &text, const QUrl &base)
{
    Result result;
    result.form = Form::Reference;
    // "Ref<digits> = address", a line at a time, whatever the spaces around.
    for (const QString &line : TextFile::splitLines(text)) {
        const QStringView entry = QStringView(line).trimmed();
        if (!entry.startsWith(QLatin1String("ref"), Qt::CaseInsensitive))
            continue;
        qsizetype at = 3;
        while (at < entry.size() && entry.at(at).isDigit())
            ++at;
        if (at == 3)
            continue;
        while (at < entry.size() && entry.at(at).isSpace())
            ++at;
        if (at >= entry.size() || entry.at(at) != QLatin1Char('='))
            continue;
        addEntry(result, entry.sliced(at + 1), base);
    }
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
