#pragma once

#include "core/playback/playbackstatus.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtPlugin>
#include <functional>
#include <memory>

class QWidget;
struct mpv_handle;

// What the player module draws video with: an OpenGL widget (a
// QOpenGLWidget) that mpv renders into, in the widget tree of whoever asked
// for it.
class MpvSurface
{
public:
    virtual ~MpvSurface() = default;

    virtual QWidget *widget() = 0;
    // mpv draws into it: its OpenGL context exists and holds mpv's render context.
    virtual bool hasRenderContext() const = 0;
};

// libmpv as the player module offers it. The module holds everything that
// needs libmpv or OpenGL; the playback session drives it through this plain
// interface, so that no class with signals lives on both sides.
class MpvEngine
{
public:
    struct Options {
        // mpv's names ("null" in tests); empty: ONDAVOX_MPV_AO / ONDAVOX_MPV_VO,
        // then mpv's own choice for audio and the render API for video.
        QString audioOutput;
        QString videoOutput;
        int volume = 50;
        // See setFitToFrame().
        bool fitToFrame = true;
    };

    // What mpv reports, told on the thread that called start().
    class Events
    {
    public:
        virtual ~Events() = default;

        virtual void fileStarted() = 0;
        virtual void fileLoaded() = 0;
        // Playback (re)started: the first audio is on its way out.
        virtual void playbackRestarted() = 0;
        virtual void fileEnded(PlaybackStatus::EndReason reason) = 0;
        // The answer to requestLiveStream().
        virtual void liveStreamKnown(bool live) = 0;
        virtual void pausedChanged(bool paused) = 0;
        virtual void bufferingChanged(bool buffering) = 0;
        virtual void durationChanged(double seconds) = 0;
        virtual void positionChanged(double seconds) = 0;
        virtual void seekableChanged(bool seekable) = 0;
        virtual void volumeChanged(int volume) = 0;
        virtual void mutedChanged(bool muted) = 0;
        // The ICY title bytes as the server sent them; empty when there is none.
        virtual void streamTitleChanged(const QByteArray &raw) = 0;
        // A picture is being drawn (the video output is set up), or no more.
        virtual void videoShownChanged(bool shown) = 0;
        // One of mpv's messages, as messages() keeps it ("prefix: text").
        virtual void logMessage(const QString &line) = 0;
        // Drawing through the render API, mpv has opened a file and waits,
        // before it chooses tracks and starts the decoders, for continueHook(hook).
        virtual void preloaded(quint64 hook) = 0;
    };

    virtual ~MpvEngine() = default;

    // Until this is called the engine tells nothing, and mpv keeps its news:
    // an engine made on another thread, and already given an address, tells
    // them on the thread that takes it over. Once.
    virtual void start(Events &events) = 0;

    // For tests, which ask mpv itself.
    virtual mpv_handle *handle() const = 0;
    virtual QString videoOutput() const = 0;

    // The first address replaces whatever plays; the others follow it.
    virtual void loadFiles(const QStringList &addresses) = 0;
    virtual void stop() = 0;
    virtual void setPaused(bool paused) = 0;
    virtual void seekTo(double seconds) = 0;
    virtual void setVolume(int volume) = 0;
    virtual void setMuted(bool muted) = 0;
    // The picture always keeps its proportions. Fitted, it is scaled to fill
    // the frame (bars where the shapes differ); otherwise it keeps its own
    // size and is only shrunk when it is larger than the frame.
    virtual void setFitToFrame(bool fit) = 0;

    // mpv's messages since clearMessages(), oldest first (the last hundred).
    virtual QStringList messages() const = 0;
    virtual void clearMessages() = 0;
    // Asks, without waiting, whether what plays now comes over the network
    // with no length (a live stream, which never ends on its own).
    virtual void requestLiveStream() = 0;
    virtual double duration() const = 0;
    // What is open now has a video track (cover art aside). Asks mpv and
    // waits for its answer.
    virtual bool hasVideoTrack() const = 0;
    virtual void continueHook(quint64 hook) = 0;
    // Writes the stream, as it arrives and without decoding it, to the file
    // at `path` (created or replaced); the empty path closes the file, whole.
    // A file that mpv cannot open or write is said in its messages, under the
    // prefix "recorder".
    virtual void setStreamRecord(const QString &path) = 0;
    // The codec of the sound that plays (mpv's names: "mp3", "aac",
    // "vorbis"...); empty when nothing plays. Asks mpv and waits for its answer.
    virtual QString audioCodec() const = 0;

    // A surface for the picture, made when a video needs one. `initialized`
    // runs each time it has set up its OpenGL context (again after a move to
    // another window, as full screen does), with mpv's render context in it
    // when mpv could make one. The widget belongs to whoever places it; it
    // must go before the engine.
    virtual MpvSurface *createSurface(std::function<void()> initialized) = 0;
};

// The player module's root object.
class MpvEngineFactory
{
public:
    virtual ~MpvEngineFactory() = default;

    // From any thread; the engine tells nothing until start(), but can be
    // given an address at once. Nothing, with the reason in `error`, when
    // libmpv cannot start.
    virtual std::unique_ptr<MpvEngine> create(const MpvEngine::Options &options, QString *error) = 0;
};

#define MpvEngineFactory_iid "fr.ondavox.MpvEngineFactory/3"
Q_DECLARE_INTERFACE(MpvEngineFactory, MpvEngineFactory_iid)
