#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QProcess>
#include <limits>
#include <memory>

// Listens to what a PulseAudio sink plays, through its monitor and parec, and
// says when sound comes: the first sample at or above 1 % of full scale.
class SoundWatch : public QObject
{
    Q_OBJECT

public:
    static constexpr int rate = 44100;
    static constexpr int threshold = 328; // 1 % of 32768

    // The index of the first sample at or above `threshold` in size, or -1.
    static qsizetype firstLoudSample(const qint16 *samples, qsizetype count, int threshold);

    explicit SoundWatch(const QElapsedTimer &clock, QObject *parent = nullptr);
    ~SoundWatch() override;

    bool start(const QString &pulseServer, const QString &source, QString *error);
    void stop();
    // The sink has been heard for at least `ms`, and nothing loud in that time.
    bool quietFor(double ms) const;

Q_SIGNALS:
    // A block of samples with sound in it; `atMs` is when its first loud
    // sample was played.
    void loud(double atMs);

private:
    void read();

    const QElapsedTimer &m_clock;
    std::unique_ptr<QProcess> m_recorder;
    QByteArray m_pending;
    qint64 m_received = 0;
    double m_lastLoud = -std::numeric_limits<double>::infinity();
};
