#pragma once

#include <QObject>
#include <QString>

// A file that a browser's page turned into, as the rest of the program sees
// it: the browser announces it (BrowserControl::downloadStarted), whoever
// takes it says where to write it, then follows its progress to its end.
class BrowserDownload : public QObject
{
    Q_OBJECT

public:
    enum class State { Receiving, Completed, Failed };
    // NoBrowser: the browser engine cannot start, so nothing can save the file.
    enum class Failure { None, Network, Server, File, Cancelled, NoBrowser };

    // The name the server gives the file (its Content-Disposition, or the
    // last part of the address).
    QString suggestedFileName() const { return m_suggestedFileName; }
    qint64 receivedBytes() const { return m_receivedBytes; }
    // -1 while the size is not known.
    qint64 totalBytes() const { return m_totalBytes; }
    State state() const { return m_state; }
    Failure failure() const { return m_failure; }

    // Only from the handler of downloadStarted: unaccepted, the download is
    // cancelled when the handler returns.
    virtual void accept(const QString &folder, const QString &fileName) = 0;
    virtual void cancel() = 0;

Q_SIGNALS:
    void progressChanged(qint64 receivedBytes, qint64 totalBytes);
    // Completed or Failed, once.
    void finished();

protected:
    BrowserDownload(const QString &suggestedFileName, QObject *parent);

    void setProgress(qint64 receivedBytes, qint64 totalBytes);
    void finish(State state, Failure failure);

private:
    QString m_suggestedFileName;
    qint64 m_receivedBytes = 0;
    qint64 m_totalBytes = -1;
    State m_state = State::Receiving;
    Failure m_failure = Failure::None;
};
