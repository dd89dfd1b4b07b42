// The status texts, from what the engine reports: its events in any order and
// its messages, whatever they say. The status line reads "Lec" at the start
// of a status as "sound is playing", and an empty status as "nothing was ever
// asked": neither may be said otherwise. A failure always reads as one.
#include "core/playback/playbackstatus.h"
#include "fuzzing.h"

#include <QStringList>

namespace
{

using EndReason = PlaybackStatus::EndReason;

// The engine's messages carried by the input: lines up to a byte 0xFF.
QStringList takeMessages(const uint8_t *&at, const uint8_t *end)
{
    const uint8_t *stop = at;
    while (stop < end && *stop != 0xFF)
        ++stop;
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(at), stop - at);
    at = stop < end ? stop + 1 : stop;
    return text.split(QLatin1Char('\n'));
}

void checkFailure(const QString &text)
{
    FUZZ_CHECK(text.startsWith(QLatin1String("Erreur : ")), text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    PlaybackStatus status;
    const uint8_t *at = data;
    const uint8_t *end = data + size;
    while (at < end) {
        const uint8_t event = *at++;
        switch (event % 13) {
        case 0:
            status.loadRequested();
            break;
        case 1:
            status.opened();
            break;
        case 2:
            status.playbackRestarted();
            break;
        case 3:
            status.setPaused(event & 0x80);
            break;
        case 4:
            status.setBuffering(event & 0x80);
            break;
        case 5:
            status.setAudioMissing();
            break;
        case 6:
            status.setVideoShown(event & 0x80);
            break;
        case 7:
            status.stopped();
            break;
        case 8: {
            const EndReason reason = EndReason((event >> 4) % 6);
            const QStringList messages = takeMessages(at, end);
            status.ended(reason, event & 0x08, messages);
            if (reason == EndReason::Failed || reason == EndReason::UnknownFormat)
                checkFailure(status.text());
            break;
        }
        case 9: {
            const QString text = PlaybackStatus::failureText(takeMessages(at, end), event & 0x80);
            checkFailure(text);
            status.failed(text);
            break;
        }
        default:
            checkFailure(PlaybackStatus::failureText(takeMessages(at, end), event & 0x80));
            break;
        }
        const QString text = status.text();
        if (text.startsWith(QLatin1String("Lec")))
            FUZZ_CHECK(status.state() == PlayerControl::PlaybackState::Playing, text);
        FUZZ_CHECK(text.isEmpty() == !status.hasStarted(), text);
    }
    return 0;
}
