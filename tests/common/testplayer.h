#pragma once

#include "ui/playback/mediaplayer.h"

#include <QtGlobal>

// The real player with the outputs named (mpv's names), null by default so
// that nothing needs a sound card or a display; nothing, with a warning
// saying why, when it cannot start.
inline std::unique_ptr<MediaPlayer> makeTestPlayer(
    const QString &videoOutput = QStringLiteral("null"), const QString &audioOutput = QStringLiteral("null"))
{
    QString error;
    MediaPlayer::Options options;
    options.audioOutput = audioOutput;
    options.videoOutput = videoOutput;
    std::unique_ptr<MediaPlayer> player = MediaPlayer::create(options, &error);
    if (!player)
        qWarning("player not created: %s", qPrintable(error));
    return player;
}
