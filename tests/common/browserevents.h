#pragma once

#include <QObject>
#include <QStringList>

// What a browser component (or anything raising its three events) said, in
// order: "progress 0", "complete <url>", "error <url> <code>". Progress
// between the first and the last step depends on how the bytes arrive, so
// only 0 and 100 are logged; `rising` says whether all of it went up.
class BrowserEvents : public QObject
{
public:
    template <typename Source> explicit BrowserEvents(Source *source)
    {
        connect(source, &Source::progressChange, this, [this](int progress, int progressMax) {
            if (progressMax != 100 || (progress != 0 && progress < m_last))
                rising = false;
            m_last = progress;
            if (progress == 0 || progress == 100)
                log.append(QStringLiteral("progress %1").arg(progress));
        });
        connect(source, &Source::navigateComplete, this, [this](const QString &url) {
            log.append(QStringLiteral("complete ") + url);
        });
        connect(source, &Source::navigateError, this, [this](const QString &url, int code) {
            log.append(QStringLiteral("error %1 %2").arg(url).arg(code));
        });
    }

    // Whether an outcome (complete or error) has been logged.
    bool ended() const
    {
        return !log.isEmpty()
            && (log.constLast().startsWith(QLatin1String("complete"))
                || log.constLast().startsWith(QLatin1String("error")));
    }

    QStringList log;
    bool rising = true;

private:
    int m_last = 0;
};
