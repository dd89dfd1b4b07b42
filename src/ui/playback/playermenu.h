#pragma once

#include <QMenu>
#include <functional>

class StreamRecorder;

// What the player bar's menu button opens, and the notification area's icon
// too: the player's features that have no control of their own. Each feature
// adds its entries, in a section of its own.
class PlayerMenu : public QMenu
{
    Q_OBJECT

public:
    explicit PlayerMenu(QWidget *parent = nullptr);

    // "Enregistrer", or the stop of the recording under way; unusable, with
    // the reason as its tip, when nothing can be recorded.
    void addRecording(StreamRecorder &recorder);
    // "Titres écoutés…".
    void addTitleHistory();
    // The sleep timer's submenu and the title notifications' switch, which
    // the caller keeps.
    void addListening(QMenu *sleepTimer, QAction *notifications);
    // "Annuaire des radios…" and "Exporter les favoris en M3U…".
    void addDirectory(const std::function<void()> &openDirectory, const std::function<void()> &exportFavourites);

    QAction *recordAction() const { return m_record; }

Q_SIGNALS:
    void titleHistoryRequested();

private:
    void startSection();

    QAction *m_record = nullptr;
};
