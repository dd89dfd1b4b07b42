#include "core/playback/playbackstatus.h"
#include "core/playback/streamtitle.h"

#include <QTest>
#include <cerrno>
#include <cstring>

using Reason = PlaybackStatus::EndReason;
using State = PlayerControl::PlaybackState;

class TestPlaybackStatus : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void followsTheEngine_data();
    void followsTheEngine();
    void explainsFailures_data();
    void explainsFailures();
    void decodesStreamTitles_data();
    void decodesStreamTitles();
};

// A playback story in one letter per engine event:
//   L load requested, O opened, R playback restarted, P paused, U unpaused,
//   B buffering, b buffered, S stopped, E end of data, F failure,
//   X unknown format, D redirected to the playlist's entries,
//   A no sound device, N end for want of a sound device, V video shown, v no more.
void TestPlaybackStatus::followsTheEngine_data()
{
    QTest::addColumn<QString>("story");
    QTest::addColumn<bool>("live");
    QTest::addColumn<QString>("status");
    QTest::addColumn<State>("state");

    QTest::newRow("never loaded") << "" << false << "" << State::Stopped;
    QTest::newRow("stop before anything") << "S" << false << "" << State::Stopped;
    QTest::newRow("connecting") << "L" << false << "Connexion..." << State::Playing;
    QTest::newRow("opened, waiting for data") << "LO" << true << "Mise en mémoire tampon..." << State::Playing;
    QTest::newRow("playing") << "LOR" << true << "Lecture en cours" << State::Playing;
    QTest::newRow("starved") << "LORB" << true << "Mise en mémoire tampon..." << State::Playing;
    QTest::newRow("fed again") << "LORBb" << true << "Lecture en cours" << State::Playing;
    QTest::newRow("paused") << "LORP" << false << "En pause" << State::Paused;
    QTest::newRow("resumed") << "LORPU" << false << "Lecture en cours" << State::Playing;
    QTest::newRow("stopped") << "LORS" << true << "Prêt" << State::Stopped;
    QTest::newRow("file played to its end") << "LORE" << false << "Prêt" << State::Stopped;
    QTest::newRow("live stream ran dry") << "LORE" << true << "Erreur : le flux s'est interrompu" << State::Stopped;
    QTest::newRow("failed to open") << "LF" << false << "Erreur : lecture impossible" << State::Stopped;
    QTest::newRow("nothing playable") << "LX" << false << "Erreur : format non reconnu" << State::Stopped;
    QTest::newRow("playlist handed on") << "LOD" << false << "Connexion..." << State::Playing;
    QTest::newRow("new address after a failure") << "LFL" << false << "Connexion..." << State::Playing;
    QTest::newRow("replay after a stop") << "LORSLOR" << true << "Lecture en cours" << State::Playing;
    QTest::newRow("no sound device, sound alone")
        << "LOARN" << true << "Erreur : aucune sortie audio n'est disponible" << State::Stopped;
    QTest::newRow("no sound device, the video plays on")
        << "LOARV" << false << "Lecture sans son (aucune sortie audio)" << State::Playing;
    QTest::newRow("video without sound played to its end") << "LOARVvN" << false << "Prêt" << State::Stopped;
    QTest::newRow("live video without sound ran dry")
        << "LOARVvN" << true << "Erreur : le flux s'est interrompu" << State::Stopped;
    QTest::newRow("the next address has its sound again") << "LOARNLOR" << true << "Lecture en cours" << State::Playing;
}

void TestPlaybackStatus::followsTheEngine()
{
    QFETCH(QString, story);
    QFETCH(bool, live);
    QFETCH(QString, status);
    QFETCH(State, state);

    PlaybackStatus model;
    for (const QChar event : story) {
        switch (event.toLatin1()) {
        case 'L':
            model.loadRequested();
            break;
        case 'O':
            model.opened();
            break;
        case 'R':
            model.playbackRestarted();
            break;
        case 'P':
            model.setPaused(true);
            break;
        case 'U':
            model.setPaused(false);
            break;
        case 'B':
            model.setBuffering(true);
            break;
        case 'b':
            model.setBuffering(false);
            break;
        case 'S':
            model.stopped();
            break;
        case 'E':
            model.ended(Reason::EndOfStream, live, {});
            break;
        case 'F':
            model.ended(Reason::Failed, live, {});
            break;
        case 'X':
            model.ended(Reason::UnknownFormat, live, {});
            break;
        case 'D':
            model.ended(Reason::Redirected, live, {});
            break;
        case 'A':
            model.setAudioMissing();
            break;
        case 'N':
            model.ended(Reason::NoAudioOutput, live, {});
            break;
        case 'V':
            model.setVideoShown(true);
            break;
        case 'v':
            model.setVideoShown(false);
            break;
        default:
            QFAIL("unknown event letter");
        }
    }
    QCOMPARE(model.text(), status);
    QCOMPARE(model.state(), state);
    // The status line reads "Lecture" only while something really plays.
    QCOMPARE(model.text().startsWith(QLatin1String("Lec")),
        status == PlaybackStatus::playing || status == PlaybackStatus::playingWithoutSound);
}

void TestPlaybackStatus::explainsFailures_data()
{
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("text");

    QTest::newRow("closed port") << QStringList {
        "ffmpeg: tcp: Connection to tcp://127.0.0.1:9 failed: Connection refused",
        "stream: Failed to open http://127.0.0.1:9/x."
    } << "Erreur : connexion refusée";
    QTest::newRow("404 from FFmpeg") << QStringList { "ffmpeg: http: HTTP error 404 Not Found" }
                                     << "Erreur : flux introuvable (404)";
    QTest::newRow("404 in FFmpeg's error words")
        << QStringList { "stream: Server returned 404 Not Found" } << "Erreur : flux introuvable (404)";
    QTest::newRow("forbidden") << QStringList { "ffmpeg: http: HTTP error 403 Forbidden" }
                               << "Erreur : accès refusé (403)";
    QTest::newRow("server error") << QStringList { "ffmpeg: http: HTTP error 503 Service Unavailable" }
                                  << "Erreur : le serveur a répondu 503";
    QTest::newRow("unknown host") << QStringList { "ffmpeg: tcp: Failed to resolve hostname nowhere.invalid" }
                                  << "Erreur : serveur introuvable";
    QTest::newRow("silent server") << QStringList { "ffmpeg: tcp: Connection timed out" }
                                   << "Erreur : le serveur ne répond pas";
    QTest::newRow("reset") << QStringList { "ffmpeg: tcp: Connection reset by peer" }
                           << "Erreur : le flux s'est interrompu";
    QTest::newRow("missing file") << QStringList { "file: Cannot open file '/x.mp3': No such file or directory" }
                                  << "Erreur : fichier introuvable";
    QTest::newRow("missing file, in the system's language") << QStringList {
        QStringLiteral("file: Cannot open file '/x.mp3': ") + QString::fromLocal8Bit(std::strerror(ENOENT))
    } << "Erreur : fichier introuvable";
    QTest::newRow("no PulseAudio server") << QStringList {
        "ao/pulse: Init failed: Connection refused",
        "ao: Failed to initialize audio driver 'pulse'",
        "cplayer: Could not open/initialize audio device -> no sound.",
    } << "Erreur : aucune sortie audio n'est disponible";
    QTest::newRow("no ALSA device") << QStringList {
        "ao/alsa: Playback open error: No such file or directory",
        "cplayer: Could not open/initialize audio device -> no sound.",
    } << "Erreur : aucune sortie audio n'est disponible";
    QTest::newRow("nothing known") << QStringList {} << "Erreur : lecture impossible";
}

void TestPlaybackStatus::explainsFailures()
{
    QFETCH(QStringList, messages);
    QFETCH(QString, text);
    PlaybackStatus model;
    model.loadRequested();
    model.ended(Reason::Failed, false, messages);
    QCOMPARE(model.text(), text);
    QVERIFY(!model.text().startsWith(QLatin1String("Lec")));
}

void TestPlaybackStatus::decodesStreamTitles_data()
{
    QTest::addColumn<QByteArray>("raw");
    QTest::addColumn<QString>("title");

    QTest::newRow("ascii") << QByteArray("Artist - Song") << "Artist - Song";
    QTest::newRow("utf-8") << QByteArray("Caf\xC3\xA9 cr\xC3\xA8me") << QString::fromUtf8("Café crème");
    QTest::newRow("iso-8859-1 from icecast")
        << QByteArray("Caf\xE9 cr\xE8me \xE0 No\xEBl") << QString::fromUtf8("Café crème à Noël");
    QTest::newRow("windows-1252 punctuation")
        << QByteArray("L\x92\xE9t\xE9 \x96 live") << QString::fromUtf8("L’été – live");
    QTest::newRow("padding") << QByteArray("  Title  ") << "Title";
    QTest::newRow("none") << QByteArray() << "";
}

void TestPlaybackStatus::decodesStreamTitles()
{
    QFETCH(QByteArray, raw);
    QFETCH(QString, title);
    QCOMPARE(StreamTitle::decode(raw), title);
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    TestPlaybackStatus test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_playbackstatus.moc"
