#pragma once

#include "processes.h"

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <memory>

// A real icecast2 server on 127.0.0.1 with one live MP3 mount fed by ffmpeg
// (a generated sine tone, looped in real time). Everything it starts is
// stopped, child processes included, when it is destroyed.
class IcecastServer
{
public:
    IcecastServer();
    ~IcecastServer();

    // Empty when icecast2 and ffmpeg are installed; otherwise the reason to skip.
    static QString missingTools();

    // Starts the server and its source and waits until the mount answers;
    // again, after stop(), on the same port.
    bool start(QString *error = nullptr);
    void stop();

    quint16 port() const { return m_port; }
    QString streamUrl() const;
    // The song title listeners get next, through the admin metadata request.
    bool setTitle(const QString &title, QString *error = nullptr);
    // Listeners connected to the mount now; -1 when the server does not say.
    int listenerCount() const;
    // The source goes away: icecast drops the mount and its listeners.
    void stopSource();

private:
    bool mountAnswers() const;

    QTemporaryDir m_folder;
    std::unique_ptr<TestProcesses::ReservedPort> m_reservation;
    quint16 m_port = 0;
    std::unique_ptr<QProcess> m_server;
    std::unique_ptr<QProcess> m_source;
};
