#include "core/search/videosearch.h"

#include <QUrl>
#include <algorithm>

namespace
{

// The first word, then at most this many more.
constexpr int maximumMoreWords = 40;

const QString allowedCharacters = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ1234567890- ");

QString encoded(QStringView word)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(word.toString()));
}

} // namespace

VideoSearch::Hosts VideoSearch::Hosts::current()
{
    return { QStringLiteral("https://www.google.com"),
        QStringLiteral("https://www.youtube.com"),
        QStringLiteral("https://www.dailymotion.com") };
}

QString VideoSearch::Hosts::of(Engine engine) const
{
    switch (engine) {
    case Engine::GoogleVideos:
        return googleVideos;
    case Engine::Youtube:
        return youtube;
    case Engine::Dailymotion:
        break;
    }
    return dailymotion;
}

VideoSearch::Key VideoSearch::filterKey(QChar character)
{
    if (character == QChar(13))
        return Key::Search;
    if (character == QChar(8) || allowedCharacters.contains(character))
        return Key::Pass;
    return Key::Refuse;
}

QString VideoSearch::address(Engine engine, const QString &fieldText, const Hosts &hosts)
{
    QString result = hosts.of(engine);
    switch (engine) {
    case Engine::GoogleVideos:
        result += QStringLiteral("/videosearch?q=");
        break;
    case Engine::Youtube:
        result += QStringLiteral("/results?search_query=");
        break;
    case Engine::Dailymotion:
        result += QStringLiteral("/visited/search/");
        break;
    }

    // The search appends one space, so that every word, the last too, ends
    // at a space; a word would start on that last space only after a
    // trailing space of the user's, which therefore adds nothing.
    const QString text = fieldText + QLatin1Char(' ');
    const qsizetype length = text.size();
    const qsizetype wordsStart = result.size();
    qsizetype space = text.indexOf(QLatin1Char(' '));
    result += encoded(QStringView(text).left(space));
    for (int more = 0; more < maximumMoreWords; ++more) {
        const qsizetype start = space + 1;
        if (start >= length - 1)
            break;
        space = text.indexOf(QLatin1Char(' '), start);
        result += QLatin1Char('+') + encoded(QStringView(text).mid(start, space - start));
    }

    if (engine == Engine::Dailymotion) {
        // The words are one segment of the path. Dots alone ("..", ".") make
        // a segment that the browser resolves, leaving the search's path;
        // encoded ("%2E%2E") they still do. One more "+", an empty word the
        // site ignores, as after a second trailing space, keeps it a search.
        const QStringView words = QStringView(result).sliced(wordsStart);
        if (!words.isEmpty() && std::all_of(words.begin(), words.end(), [](QChar c) {
                return c == QLatin1Char('.');
            }))
            result += QLatin1Char('+');
        result += QStringLiteral("/1");
    }
    return result;
}
