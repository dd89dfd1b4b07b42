#pragma once

#include <QString>

// Where the name of what is playing goes: the desktop's media controls on
// Linux. Tests use a fake that records what it was given.
class NowPlayingPublisher
{
public:
    virtual ~NowPlayingPublisher() = default;

    // `t1` followed by `t3` is what the user sees; three empty texts clear it.
    virtual void PublishNowPlaying(const QString &t1, const QString &t2, const QString &t3) = 0;
};
