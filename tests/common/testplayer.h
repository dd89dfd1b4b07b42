#pragma once

#include "platform/modules/engineloader.h"
#include "platform/modules/playermodule.h"
#include "ui/playback/mediaplayer.h"

#include <QCoreApplication>
#include <QtGlobal>

// The real player with the outputs named (mpv's names), null by default so
// that nothing needs a sound card or a display, its engine there at once;
// nothing, with the reason, when it cannot start.
inline std::unique_ptr<MediaPlayer> makeTestPlayer(const QString &videoOutput = QStringLiteral("null"),
    const QString &audioOutput = QStringLiteral("null"),
    QString *error = nullptr)
{
    MpvEngine::Options options;
    options.audioOutput = audioOutput;
    options.videoOutput = videoOutput;
    // The tests' folder lies beside the program's, and shares its modules.
    EngineLoader loader(PlayerModule::path(QCoreApplication::applicationDirPath()), QString(), options);
    loader.localeSettled();
    QString reason;
    std::unique_ptr<MpvEngine> engine = loader.takeEngine(&reason);
    if (!engine) {
        qWarning("player not created: %s", qPrintable(reason));
        if (error)
            *error = reason;
        return {};
    }
    auto player = std::make_unique<MediaPlayer>();
    player->session().attachEngine(std::move(engine));
    return player;
}

// What the player's engine says, for a test's failure message.
inline QString messagesOf(MediaPlayer &player)
{
    return player.status() + QLatin1Char('\n') + player.session().engine()->messages().join(QLatin1Char('\n'));
}
