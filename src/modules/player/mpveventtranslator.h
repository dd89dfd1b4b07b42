#pragma once

#include "core/playback/mpvengine.h"

#include <QString>
#include <QStringList>

struct mpv_event;
struct mpv_handle;

// What libmpv tells, in the playback session's terms: its events, the
// properties it is asked to observe, the replies to the questions asked of it
// and its log. It reads mpv's structures and tells Events; it sends mpv only
// the questions whose answers it reads. The commands are MpvController's.
class MpvEventTranslator
{
public:
    // Once; until then mpv keeps its news in its queue.
    void setEvents(MpvEngine::Events &events)
    {
        Q_ASSERT(!m_events);
        m_events = &events;
    }

    // Asks mpv to report the properties translate() turns into events.
    static void observeProperties(mpv_handle *handle);
    // Asks, without waiting, whether what plays comes over the network with no
    // length; Events::liveStreamKnown() answers.
    void requestLiveStream(mpv_handle *handle);
    // The reply ids of the volume's and the mute's sets. Until mpv has
    // answered a set, the value it reports may be the one the set replaces:
    // setSent() counts the set, and its reply counts it off.
    enum SetReply : quint64 { VolumeSet = 1, MuteSet = 2 };
    void setSent(SetReply set);

    void translate(const mpv_event &event);

    // mpv's messages since clearMessages(), oldest first (the last hundred).
    QStringList messages() const { return m_messages; }
    void clearMessages() { m_messages.clear(); }
    double duration() const { return m_duration; }

private:
    void translateProperty(const mpv_event &event);
    void translateReply(const mpv_event &event);
    void keepMessage(const mpv_event &event);

    MpvEngine::Events *m_events = nullptr;
    QStringList m_messages;
    double m_duration = 0;
    // Which liveStreamKnown() request the replies belong to, and the first
    // half of its answer.
    quint64 m_liveRequest = 0;
    bool m_viaNetwork = false;
    // Sets of the volume and of the mute not answered yet.
    int m_volumeSets = 0;
    int m_muteSets = 0;
};
