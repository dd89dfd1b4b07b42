#include "soundwatch.h"

#include "processes.h"

#include <QProcessEnvironment>
#include <cstdlib>

qsizetype SoundWatch::firstLoudSample(const qint16 *samples, qsizetype count, int threshold)
{
    for (qsizetype i = 0; i < count; ++i) {
        if (std::abs(int(samples[i])) >= threshold)
            return i;
    }
    return -1;
}

SoundWatch::SoundWatch(const QElapsedTimer &clock, QObject *parent)
    : QObject(parent)
    , m_clock(clock)
{
}

SoundWatch::~SoundWatch()
{
    stop();
}

void SoundWatch::stop()
{
    TestProcesses::stopGroup(m_recorder);
}

bool SoundWatch::quietFor(double ms) const
{
    return m_received >= qint64(ms * rate / 1000) && m_clock.nsecsElapsed() / 1e6 - m_lastLoud > ms;
}

bool SoundWatch::start(const QString &pulseServer, const QString &source, QString *error)
{
    m_recorder = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("PULSE_SERVER"), pulseServer);
    m_recorder->setProcessEnvironment(environment);
    m_recorder->setChildProcessModifier([] {
        ::setpgid(0, 0);
    });
    m_recorder->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    connect(m_recorder.get(), &QProcess::readyReadStandardOutput, this, &SoundWatch::read);
    // Small blocks: a sample's time is known to within one block.
    m_recorder->start(QStringLiteral("parec"),
        { QStringLiteral("--raw"),
            QStringLiteral("--format=s16le"),
            QStringLiteral("--rate=%1").arg(rate),
            QStringLiteral("--channels=1"),
            QStringLiteral("--latency-msec=10"),
            QStringLiteral("--device=") + source });
    if (!m_recorder->waitForStarted(5000)) {
        *error = QStringLiteral("parec did not start: ") + m_recorder->errorString();
        return false;
    }
    return true;
}

void SoundWatch::read()
{
    const double now = m_clock.nsecsElapsed() / 1e6;
    m_pending += m_recorder->readAllStandardOutput();
    const qsizetype count = m_pending.size() / 2;
    const auto *samples = reinterpret_cast<const qint16 *>(m_pending.constData());
    const qsizetype first = firstLoudSample(samples, count, threshold);
    m_received += count;
    if (first >= 0) {
        // The block arrived just after its last sample was played.
        const double at = now - double(count - first) * 1000 / rate;
        m_lastLoud = now;
        Q_EMIT loud(at);
    }
    m_pending.remove(0, count * 2);
}
