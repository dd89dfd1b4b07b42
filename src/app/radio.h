#pragma once

#include <QWidget>

class StateStore;

// The main window: skinned, borderless, home of the player and the browser.
class Radio : public QWidget
{
    Q_OBJECT

public:
    explicit Radio(StateStore &store, QWidget *parent = nullptr);

Q_SIGNALS:
    // The window manager asked to close the window: the orderly exit.
    void closeRequested();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    StateStore &m_store;
};
