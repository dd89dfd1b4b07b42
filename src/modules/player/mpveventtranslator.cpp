#include "modules/player/mpveventtranslator.h"

#include "modules/player/mpvproperties.h"

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

bool flagOf(const mpv_event_property &property)
{
    return property.format == MPV_FORMAT_FLAG && *static_cast<int *>(property.data) != 0;
}

double doubleOf(const mpv_event_property &property)
{
    return property.format == MPV_FORMAT_DOUBLE ? *static_cast<double *>(property.data) : 0.0;
}

} // namespace

void MpvEventTranslator::observeProperties(mpv_handle *handle)
{
    for (const ObservedProperty &property : observedProperties)
        mpv_observe_property(handle, property.id, property.name, property.format);
}

void MpvEventTranslator::setSent(SetReply set)
{
    ++(set == VolumeSet ? m_volumeSets : m_muteSets);
}

void MpvEventTranslator::translate(const mpv_event &event)
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
        translateProperty(event);
        break;
    case MPV_EVENT_GET_PROPERTY_REPLY:
        translateReply(event);
        break;
    case MPV_EVENT_SET_PROPERTY_REPLY:
        if (event.reply_userdata == VolumeSet)
            --m_volumeSets;
        else if (event.reply_userdata == MuteSet)
            --m_muteSets;
        break;
    case MPV_EVENT_HOOK:
        m_events->preloaded(static_cast<const mpv_event_hook *>(event.data)->id);
        break;
    case MPV_EVENT_LOG_MESSAGE:
        keepMessage(event);
        break;
    default:
        break;
    }
}

void MpvEventTranslator::translateProperty(const mpv_event &event)
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

void MpvEventTranslator::requestLiveStream(mpv_handle *handle)
{
    // Asked, not observed: both properties vanish when the file closes, and
    // the news of that may come before or after the file's end, when the
    // answer matters. The core answers in order, while the file is open.
    const quint64 request = ++m_liveRequest << replyIdBits;
    mpv_get_property_async(handle, request | ViaNetworkReply, MpvProperty::demuxerViaNetwork, MPV_FORMAT_FLAG);
    mpv_get_property_async(handle, request | FileSizeReply, MpvProperty::fileSize, MPV_FORMAT_INT64);
}

void MpvEventTranslator::translateReply(const mpv_event &event)
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

void MpvEventTranslator::keepMessage(const mpv_event &event)
{
    const auto *message = static_cast<const mpv_event_log_message *>(event.data);
    const QString text = QString::fromUtf8(message->text).trimmed();
    constexpr qsizetype keptMessages = 100;
    if (m_messages.size() >= keptMessages)
        m_messages.removeFirst();
    const QString line = QString::fromUtf8(message->prefix) + QLatin1String(": ") + text;
    m_messages.append(line);
    m_events->logMessage(line);
}
