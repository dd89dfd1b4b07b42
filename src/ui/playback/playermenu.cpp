#include "ui/playback/playermenu.h"

#include "core/recording/streamrecorder.h"

PlayerMenu::PlayerMenu(QWidget *parent)
    : QMenu(parent)
{
    setObjectName(QStringLiteral("playerBarMenu"));
    // The record entry's tip says why it cannot be used.
    setToolTipsVisible(true);
}

void PlayerMenu::startSection()
{
    if (!isEmpty())
        addSeparator();
}

void PlayerMenu::addRecording(StreamRecorder &recorder)
{
    startSection();
    m_record = addAction(QString(), &recorder, &StreamRecorder::toggle);
    const auto refresh = [this, &recorder] {
        const bool recording = recorder.isRecording();
        m_record->setText(recording ? QStringLiteral("Arrêter l'enregistrement") : QStringLiteral("Enregistrer"));
        m_record->setEnabled(recording || recorder.canStart());
        m_record->setToolTip(recording || recorder.canStart() ? m_record->text() : recorder.unavailableReason());
    };
    connect(&recorder, &StreamRecorder::recordingChanged, this, refresh);
    connect(&recorder, &StreamRecorder::availabilityChanged, this, refresh);
    refresh();
}

void PlayerMenu::addTitleHistory()
{
    startSection();
    addAction(QStringLiteral("Titres écoutés…"), this, &PlayerMenu::titleHistoryRequested);
}

void PlayerMenu::addListening(QMenu *sleepTimer, QAction *notifications)
{
    startSection();
    addMenu(sleepTimer);
    addAction(notifications);
}

void PlayerMenu::addDirectory(const std::function<void()> &openDirectory, const std::function<void()> &exportFavourites)
{
    startSection();
    addAction(QStringLiteral("Annuaire des radios…"), this, openDirectory);
    addAction(QStringLiteral("Exporter les favoris en M3U…"), this, exportFavourites);
}
