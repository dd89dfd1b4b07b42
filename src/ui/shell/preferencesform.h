#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

class KivCheckBox;
class KivTextBox;
class QComboBox;
class QWidget;
class StateStore;
struct Preferences;

// The options window's preference controls bound to the preferences record
// that the store holds: every change the user makes goes to the store at
// once, so that "Annuler" keeps it and the orderly exit writes it, and the
// controls show the record whoever changes it. The window lays the controls
// out and gives their help; this keeps them and the record in step.
class PreferencesForm : public QObject
{
    Q_OBJECT

public:
    struct Controls {
        KivCheckBox *check1 = nullptr;
        KivCheckBox *check2 = nullptr;
        KivTextBox *urlDem = nullptr;
        QComboBox *fenetre = nullptr;
        KivCheckBox *check3 = nullptr;
        KivCheckBox *checkCadre = nullptr;
        KivCheckBox *pseudoCheck = nullptr;
        KivCheckBox *kivCheckBox1 = nullptr;
        KivTextBox *urlMaj = nullptr;
    };

    // `window` holds the controls and answers for the form's messages.
    PreferencesForm(StateStore &store, const Controls &controls, QWidget *window);

private:
    void showPreferences(const Preferences &preferences);
    void changePreferences(const std::function<void(Preferences &)> &change);
    void URLdem_Change(const QString &text);
    void Timer1_Timer();

    StateStore &m_store;
    Controls m_controls;
    QWidget *m_window;
    QTimer m_timer1;
};
