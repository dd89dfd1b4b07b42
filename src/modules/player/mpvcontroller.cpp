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

enum PropertyId : quint64 {
    PauseId = 1,
    PausedForCacheId,
    DurationId,
    TimePosId,
    SeekableId,
    VolumeId,
    MuteId,
    IcyTitleId,
    VideoConfiguredId,
};

// The replies to requestLiveStream(), tagged with the request's number.
enum ReplyId : quint64 {
    ViaNetworkReply = 1,
    FileSizeReply = 2,
};
constexpr int replyIdBits = 2;

// The replies to the sets whose property is observed.
enum SetReplyId : quint64 {
    VolumeSetReply = 1,
    MuteSetReply = 2,
};

constexpr quint64 preloadedHookId = 1;

PlaybackStatus::EndReason endReason(int reason, int error)
{
    switch (reason) {
    case MPV_END_FILE_REASON_EOF:
        return PlaybackStatus::EndReason::EndOfStream;
    case MPV_END_FILE_REASON_STOP:
    case MPV_END_FILE_REASON_QUIT:
        return PlaybackStatus::EndReason::Stopped;
    case MPV_END_FILE_REASON_REDIRECT:
        return PlaybackStatus::EndReason::Redirected;
    default:
        if (error == MPV_ERROR_AO_INIT_FAILED)
            return PlaybackStatus::EndReason::NoAudioOutput;
        return error == MPV_ERROR_UNKNOWN_FORMAT ? PlaybackStatus::EndReason::UnknownFormat
                                                 : PlaybackStatus::EndReason::Failed;
    }
}

struct ObservedProperty {
    PropertyId id;
    const char *name;
    mpv_format format;
};

constexpr ObservedProperty observedProperties[] = {
    { PauseId, MpvProperty::pause, MPV_FORMAT_FLAG },
    { PausedForCacheId, MpvProperty::pausedForCache, MPV_FORMAT_FLAG },
    { DurationId, MpvProperty::duration, MPV_FORMAT_DOUBLE },
    { TimePosId, MpvProperty::timePos, MPV_FORMAT_DOUBLE },
    { SeekableId, MpvProperty::seekable, MPV_FORMAT_FLAG },
    { VolumeId, MpvProperty::volume, MPV_FORMAT_DOUBLE },
    { MuteId, MpvProperty::mute, MPV_FORMAT_FLAG },
    // As a string, mpv hands over the bytes the server sent, valid UTF-8 or not.
    { IcyTitleId, MpvProperty::icyTitle, MPV_FORMAT_STRING },
    { VideoConfiguredId, MpvProperty::videoConfigured, MPV_FORMAT_FLAG },
};

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

bool flagOf(const mpv_event_property &property)
{
    return property.format == MPV_FORMAT_FLAG && *static_cast<int *>(property.data) != 0;
}

double doubleOf(const mpv_event_property &property)
{
    return property.format == MPV_FORMAT_DOUBLE ? *static_cast<double *>(property.data) : 0.0;
}

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
    for (const ObservedProperty &property : observedProperties)
        mpv_observe_property(handle, property.id, property.name, property.format);
    // Made on one thread, it is taken over by the one that starts it.
    controller->moveToThread(nullptr);
    return controller;
}

void MpvController::start(Events &events)
{
    Q_ASSERT(!m_events);
    moveToThread(QThread::currentThread());
    m_events = &events;
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
        handleEvent(*event);
    }
}

void MpvController::handleEvent(const mpv_event &event)
{
    switch (event.event_id) {
    case MPV_EVENT_START_FILE:
        m_events->fileStarted();
        break;
    case MPV_EVENT_FILE_LOADED:
        m_events->fileLoaded();
        break;
    case MPV_EVENT_PLAYBACK_RESTART:
        m_events->playbackRestarted();
        break;
    case MPV_EVENT_END_FILE: {
        const auto *end = static_cast<const mpv_event_end_file *>(event.data);
        m_events->fileEnded(endReason(end->reason, end->error));
        break;
    }
    case MPV_EVENT_PROPERTY_CHANGE:
        handleProperty(event);
        break;
    case MPV_EVENT_GET_PROPERTY_REPLY:
        handleReply(event);
        break;
    case MPV_EVENT_SET_PROPERTY_REPLY:
        if (event.reply_userdata == VolumeSetReply)
            --m_volumeSets;
        else if (event.reply_userdata == MuteSetReply)
            --m_muteSets;
        break;
    case MPV_EVENT_HOOK:
        m_events->preloaded(static_cast<const mpv_event_hook *>(event.data)->id);
        break;
    case MPV_EVENT_LOG_MESSAGE: {
        const auto *message = static_cast<const mpv_event_log_message *>(event.data);
        const QString text = QString::fromUtf8(message->text).trimmed();
        constexpr qsizetype keptMessages = 100;
        if (m_messages.size() >= keptMessages)
            m_messages.removeFirst();
        const QString line = QString::fromUtf8(message->prefix) + QLatin1String(": ") + text;
        m_messages.append(line);
        m_events->logMessage(line);
        break;
    }
    default:
        break;
    }
}

void MpvController::handleProperty(const mpv_event &event)
{
    const auto &property = *static_cast<const mpv_event_property *>(event.data);
    switch (static_cast<PropertyId>(event.reply_userdata)) {
    case PauseId:
        m_events->pausedChanged(flagOf(property));
        break;
    case PausedForCacheId:
        m_events->bufferingChanged(flagOf(property));
        break;
    case DurationId:
        m_duration = doubleOf(property);
        m_events->durationChanged(m_duration);
        break;
    case TimePosId:
        m_events->positionChanged(doubleOf(property));
        break;
    case SeekableId:
        m_events->seekableChanged(flagOf(property));
        break;
    // While a set is on its way, mpv may still report the value it replaces.
    case VolumeId:
        if (m_volumeSets == 0)
            m_events->volumeChanged(qRound(doubleOf(property)));
        break;
    case MuteId:
        if (m_muteSets == 0)
            m_events->mutedChanged(flagOf(property));
        break;
    case IcyTitleId: {
        QByteArray raw;
        if (property.format == MPV_FORMAT_STRING)
            raw = QByteArray(*static_cast<char **>(property.data));
        m_events->streamTitleChanged(raw);
        break;
    }
    case VideoConfiguredId:
        m_events->videoShownChanged(flagOf(property));
        break;
    }
}

void MpvController::requestLiveStream()
{
    // Asked, not observed: both properties vanish when the file closes, and
    // the news of that may come before or after the file's end, when the
    // answer matters. The core answers in order, while the file is open.
    const quint64 request = ++m_liveRequest << replyIdBits;
    mpv_get_property_async(m_handle.get(), request | ViaNetworkReply, MpvProperty::demuxerViaNetwork, MPV_FORMAT_FLAG);
    mpv_get_property_async(m_handle.get(), request | FileSizeReply, MpvProperty::fileSize, MPV_FORMAT_INT64);
}

void MpvController::handleReply(const mpv_event &event)
{
    // An answer to an older request is about a file that has gone.
    if (event.reply_userdata >> replyIdBits != m_liveRequest)
        return;
    const auto &property = *static_cast<const mpv_event_property *>(event.data);
    switch (event.reply_userdata & ((1 << replyIdBits) - 1)) {
    case ViaNetworkReply:
        m_viaNetwork = event.error >= 0 && flagOf(property);
        break;
    case FileSizeReply:
        // A live stream is sent without a length; a file on a server has one.
        m_events->liveStreamKnown(m_viaNetwork && (event.error < 0 || property.format != MPV_FORMAT_INT64));
        break;
    }
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
    if (mpv_set_property_async(m_handle.get(), VolumeSetReply, MpvProperty::volume, MPV_FORMAT_DOUBLE, &value) >= 0)
        ++m_volumeSets;
}

void MpvController::setMuted(bool muted)
{
    int flag = muted ? 1 : 0;
    if (mpv_set_property_async(m_handle.get(), MuteSetReply, MpvProperty::mute, MPV_FORMAT_FLAG, &flag) >= 0)
        ++m_muteSets;
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
