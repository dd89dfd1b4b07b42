#pragma once

#include <QWidget>

class QLabel;
class QMenu;
class QSlider;
class QToolButton;

// The player's control bar under the picture: play/pause, stop, record,
// position (for media that can seek), mute, volume, full screen, the menu
// button, and the status text, which is the only report of a stream that
// failed. While recording, a red mark and the time recorded stand beside it.
class PlayerBar : public QWidget
{
    Q_OBJECT

public:
    explicit PlayerBar(QWidget *parent = nullptr);

    void setPlaying(bool playing);
    void setStatus(const QString &status, const QString &title);
    void setVolume(int volume);
    void setMuted(bool muted);
    void setSeekRange(bool seekable, double duration);
    void setPosition(double seconds);
    void setFullScreen(bool fullScreen);
    // The record control: usable or not, and why not (its tool tip).
    void setRecordAvailable(bool available, const QString &reason);
    void setRecording(bool recording);
    void setRecordedTime(qint64 ms);
    // What the menu button ("⋯") opens.
    void setMenu(QMenu *menu);
    // The sleep timer's countdown, added to the status's tip and shown over
    // the rest of the bar; empty while none runs.
    void setSleepText(const QString &text);

    QString statusText() const;
    QString statusToolTip() const;
    bool isPositionShown() const;

Q_SIGNALS:
    void playPauseClicked();
    void stopClicked();
    void volumeMoved(int volume);
    void muteClicked();
    void seekRequested(double seconds);
    void fullScreenClicked();
    void recordClicked();

private:
    void showStatusTip();

    QToolButton *m_playPause;
    QToolButton *m_stop;
    QSlider *m_position;
    QToolButton *m_mute;
    QSlider *m_volume;
    QToolButton *m_fullScreen;
    QLabel *m_status;
    QToolButton *m_record;
    QLabel *m_recordedTime;
    QToolButton *m_menu;
    bool m_recording = false;
    bool m_recordAvailable = false;
    QString m_recordReason;
    QString m_statusText;
    QString m_sleepText;
    bool m_playing = false;
    bool m_muted = false;
};
