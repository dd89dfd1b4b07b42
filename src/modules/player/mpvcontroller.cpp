#include "modules/player/mpvcontroller.h"

#include "modules/player/mpvproperties.h"
#include "modules/player/videosurface.h"

#include <QMetaObject>
#include <QThread>
#include <QVector>
#include <clocale>
#include <cstring>
#include <mpv/client.h>

namespace
{

constexpr quint64 preloadedHookId = 1;

// Options set before the core starts. Of the player's own share of a live
// stream's start, the scripts (the youtube-dl hook above all) are what costs:
// FFmpeg finds an MP3 stream and its parameters in its first frames, a few
// milliseconds once the data is there, so its probing is left as it is (a TV
// stream may need it). The rest of the wait is the server's.
const char *const startOptions[][2] = {
    { "terminal", "no" },
    { "config", "no" },
    { "idle", "yes" },
    { "input-default-bindings", "no" },
    { "input-vo-keyboard", "no" },
    { "input-cursor", "no" },
    { "osc", "no" },
    { "ytdl", "no" },
    { "load-scripts", "no" },
    { "load-stats-overlay", "no" },
    { "load-osd-console", "no" },
    { "load-auto-profiles", "no" },
    // An MP3's cover art is not the picture of a radio.
    { "audio-display", "no" },
    { "hwdec", "no" },
    { "keep-open", "no" },
    // A playlist that libmpv reads itself (M3U, PLS, HLS) and found on the
    // network names network addresses only, never a local file or one of
    // libmpv's own protocols. That is libmpv's default, written here so that
    // it stays so. It does not reach the entries of the playlists we read
    // ourselves (ASX): each comes in a "loadfile" of its own, as if the user
    // had chosen it, so their reader keeps the same rule (PlaylistEntry).
    { "load-unsafe-playlists", "no" },
    // Longer than the session's own waits for sound (twenty seconds before a
    // stream's first, ten once it played), which say what happened: FFmpeg's
    // timeout only says that opening failed.
    { "network-timeout", "30" },
    { "audio-client-name", "Ondavox" },
    { "user-agent", "Ondavox/" ONDAVOX_VERSION },
};

const char *unscaledValue(bool fitToFrame)
{
    return fitToFrame ? "no" : "downscale-big";
}

QString chosenOutput(const QString &given, const char *variable, const QString &fallback)
{
    if (!given.isEmpty())
        return given;
    const QString fromEnvironment = qEnvironmentVariable(variable);
    return fromEnvironment.isEmpty() ? fallback : fromEnvironment;
}

} // namespace

void MpvController::HandleDeleter::operator()(mpv_handle *handle) const
{
    mpv_terminate_destroy(handle);
}

MpvController::MpvController(mpv_handle *handle)
    : m_handle(handle)
{
}

std::unique_ptr<MpvController> MpvController::create(const Options &options, QString *error)
{
    const auto fail = [error](const QString &reason) {
        if (error)
            *error = reason;
        return std::unique_ptr<MpvController>();
    };

    mpv_handle *handle = mpv_create();
    if (!handle) {
        const char *numeric = std::setlocale(LC_NUMERIC, nullptr);
        if (numeric && std::strcmp(numeric, "C") != 0 && std::strcmp(numeric, "C.UTF-8") != 0)
            return fail(QStringLiteral("libmpv refuses the numeric locale \"%1\": LC_NUMERIC must be \"C\"")
                            .arg(QString::fromLocal8Bit(numeric)));
        return fail(QStringLiteral("libmpv could not be created"));
    }
    std::unique_ptr<MpvController> controller(new MpvController(handle));

    for (const auto &option : startOptions)
        mpv_set_option_string(handle, option[0], option[1]);

    const QString audioOutput = chosenOutput(options.audioOutput, "ONDAVOX_MPV_AO", QString());
    controller->m_videoOutput = chosenOutput(options.videoOutput, "ONDAVOX_MPV_VO", QStringLiteral("libmpv"));
    if (!audioOutput.isEmpty()
        && mpv_set_option_string(handle, MpvProperty::audioOutput, audioOutput.toUtf8().constData()) < 0)
        return fail(QStringLiteral("unknown audio output \"%1\"").arg(audioOutput));
    if (mpv_set_option_string(handle, MpvProperty::videoOutput, controller->m_videoOutput.toUtf8().constData()) < 0)
        return fail(QStringLiteral("unknown video output \"%1\"").arg(controller->m_videoOutput));
    mpv_set_option_string(handle, MpvProperty::volume, QByteArray::number(options.volume).constData());
    mpv_set_option_string(handle, MpvProperty::mute, "no");
    // A picture is never distorted to the frame's shape.
    mpv_set_option_string(handle, MpvProperty::keepAspect, "yes");
    mpv_set_option_string(handle, MpvProperty::videoUnscaled, unscaledValue(options.fitToFrame));

    const int started = mpv_initialize(handle);
    if (started < 0)
        return fail(QStringLiteral("libmpv could not start: %1").arg(QString::fromUtf8(mpv_error_string(started))));

    // Before video starts, the surface must be there to draw it.
    if (controller->m_videoOutput == QLatin1String("libmpv"))
        mpv_hook_add(handle, preloadedHookId, "on_preloaded", 0);

    // FFmpeg's word on why a connection failed comes at the verbose level.
    mpv_request_log_messages(handle, "v");
    MpvEventTranslator::observeProperties(handle);
    // Made on one thread, it is taken over by the one that starts it.
    controller->moveToThread(nullptr);
    return controller;
}

void MpvController::start(Events &events)
{
    moveToThread(QThread::currentThread());
    m_translator.setEvents(events);
    mpv_set_wakeup_callback(m_handle.get(), &MpvController::wakeup, this);
    // What mpv said before is waiting in its queue.
    wakeup(this);
}

MpvController::~MpvController()
{
    // Calls still queued for this object die with it; mpv must not queue more.
    mpv_set_wakeup_callback(m_handle.get(), nullptr, nullptr);
}

void MpvController::wakeup(void *context)
{
    // Runs on one of mpv's threads: only queue the work for the GUI thread.
    auto *self = static_cast<MpvController *>(context);
    if (!self->m_drainQueued.exchange(true))
        QMetaObject::invokeMethod(self, &MpvController::drainEvents, Qt::QueuedConnection);
}

void MpvController::drainEvents()
{
    m_drainQueued = false;
    while (m_handle) {
        const mpv_event *event = mpv_wait_event(m_handle.get(), 0);
        if (event->event_id == MPV_EVENT_NONE)
            break;
        m_translator.translate(*event);
    }
}

void MpvController::requestLiveStream()
{
    m_translator.requestLiveStream(m_handle.get());
}

void MpvController::command(const QStringList &arguments)
{
    QVector<QByteArray> bytes;
    bytes.reserve(arguments.size());
    for (const QString &argument : arguments)
        bytes.append(argument.toUtf8());
    QVector<const char *> pointers;
    for (const QByteArray &argument : bytes)
        pointers.append(argument.constData());
    pointers.append(nullptr);
    mpv_command_async(m_handle.get(), 0, pointers.data());
}

void MpvController::loadFiles(const QStringList &addresses)
{
    for (qsizetype i = 0; i < addresses.size(); ++i)
        command({ QStringLiteral("loadfile"),
            addresses.at(i),
            i == 0 ? QStringLiteral("replace") : QStringLiteral("append") });
    setPaused(false);
}

bool MpvController::hasVideoTrack() const
{
    mpv_node tracks;
    if (mpv_get_property(m_handle.get(), MpvProperty::trackList, MPV_FORMAT_NODE, &tracks) < 0)
        return false;
    bool video = false;
    if (tracks.format == MPV_FORMAT_NODE_ARRAY) {
        for (int i = 0; i < tracks.u.list->num && !video; ++i) {
            const mpv_node &track = tracks.u.list->values[i];
            if (track.format != MPV_FORMAT_NODE_MAP)
                continue;
            bool isVideo = false;
            bool coverArt = false;
            for (int j = 0; j < track.u.list->num; ++j) {
                const char *key = track.u.list->keys[j];
                const mpv_node &value = track.u.list->values[j];
                if (std::strcmp(key, "type") == 0 && value.format == MPV_FORMAT_STRING)
                    isVideo = std::strcmp(value.u.string, "video") == 0;
                else if (std::strcmp(key, "albumart") == 0 && value.format == MPV_FORMAT_FLAG)
                    coverArt = value.u.flag != 0;
            }
            video = isVideo && !coverArt;
        }
    }
    mpv_free_node_contents(&tracks);
    return video;
}

void MpvController::continueHook(quint64 hook)
{
    mpv_hook_continue(m_handle.get(), hook);
}

void MpvController::setStreamRecord(const QString &path)
{
    // Synchronous: once this returns, the file is closed, or mpv writes the
    // next packet into the new one, and an exit that follows loses nothing.
    mpv_set_property_string(m_handle.get(), MpvProperty::streamRecord, path.toUtf8().constData());
}

QString MpvController::audioCodec() const
{
    char *codec = mpv_get_property_string(m_handle.get(), MpvProperty::audioCodecName);
    const QString name = QString::fromUtf8(codec);
    mpv_free(codec);
    return name;
}

MpvSurface *MpvController::createSurface(std::function<void()> initialized)
{
    return new VideoSurface(*this, std::move(initialized));
}

void MpvController::stop()
{
    command({ QStringLiteral("stop") });
}

void MpvController::setPaused(bool paused)
{
    int flag = paused ? 1 : 0;
    mpv_set_property_async(m_handle.get(), 0, MpvProperty::pause, MPV_FORMAT_FLAG, &flag);
}

void MpvController::seekTo(double seconds)
{
    command({ QStringLiteral("seek"), QString::number(seconds, 'f', 3), QStringLiteral("absolute") });
}

void MpvController::setVolume(int volume)
{
    double value = qBound(0, volume, 100);
    if (mpv_set_property_async(
            m_handle.get(), MpvEventTranslator::VolumeSet, MpvProperty::volume, MPV_FORMAT_DOUBLE, &value)
        >= 0)
        m_translator.setSent(MpvEventTranslator::VolumeSet);
}

void MpvController::setMuted(bool muted)
{
    int flag = muted ? 1 : 0;
    if (mpv_set_property_async(m_handle.get(), MpvEventTranslator::MuteSet, MpvProperty::mute, MPV_FORMAT_FLAG, &flag)
        >= 0)
        m_translator.setSent(MpvEventTranslator::MuteSet);
}

void MpvController::setFitToFrame(bool fit)
{
    const char *value = unscaledValue(fit);
    mpv_set_property_async(m_handle.get(), 0, MpvProperty::videoUnscaled, MPV_FORMAT_STRING, &value);
}

void MpvController::reloadVideo()
{
    const char *automatic = "auto";
    mpv_set_property_async(m_handle.get(), 0, MpvProperty::videoTrack, MPV_FORMAT_STRING, &automatic);
}
