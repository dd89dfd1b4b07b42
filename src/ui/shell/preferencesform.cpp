#include "ui/shell/preferencesform.h"

#include "core/state/preferences.h"
#include "core/state/statestore.h"
#include "ui/skin/kivcheckbox.h"
#include "ui/skin/kivtextbox.h"
#include "ui/skin/programmessage.h"

#include <QComboBox>

PreferencesForm::PreferencesForm(StateStore &store, const Controls &controls, QWidget *window)
    : QObject(window)
    , m_store(store)
    , m_controls(controls)
    , m_window(window)
{
    connect(&m_store, &StateStore::preferencesChanged, this, &PreferencesForm::showPreferences);

    const auto option = [this](KivCheckBox *box, int Preferences::*field) {
        connect(box, &KivCheckBox::Click, this, [this, field](int value) {
            changePreferences([field, value](Preferences &p) {
                p.*field = value;
            });
        });
    };
    option(controls.check1, &Preferences::check1);
    option(controls.check2, &Preferences::check2);
    option(controls.check3, &Preferences::check3);
    option(controls.checkCadre, &Preferences::checkCadre);
    option(controls.pseudoCheck, &Preferences::pseudoCheck);
    option(controls.kivCheckBox1, &Preferences::kivCheckBox1);

    connect(controls.urlDem, &QLineEdit::textEdited, this, &PreferencesForm::URLdem_Change);
    connect(controls.urlMaj, &QLineEdit::textEdited, this, [this](const QString &text) {
        changePreferences([&text](Preferences &p) {
            p.urlMaj = text;
        });
    });
    connect(controls.fenetre, &QComboBox::activated, this, [this](int index) {
        changePreferences([index](Preferences &p) {
            p.fenetre = index;
        });
    });
    showPreferences(m_store.preferences());

    m_timer1.setInterval(100);
    connect(&m_timer1, &QTimer::timeout, this, &PreferencesForm::Timer1_Timer);
    m_timer1.start();
}

void PreferencesForm::showPreferences(const Preferences &preferences)
{
    m_controls.check1->setValue(preferences.check1);
    m_controls.check2->setValue(preferences.check2);
    // Rewriting the same text would move the cursor of a field being typed in.
    if (m_controls.urlDem->text() != preferences.urlDem) {
        m_controls.urlDem->setText(preferences.urlDem);
        // A long address shows its beginning, the scheme and host.
        m_controls.urlDem->setCursorPosition(0);
    }
    m_controls.fenetre->setCurrentIndex(preferences.fenetre);
    m_controls.check3->setValue(preferences.check3);
    m_controls.checkCadre->setValue(preferences.checkCadre);
    m_controls.pseudoCheck->setValue(preferences.pseudoCheck);
    m_controls.kivCheckBox1->setValue(preferences.kivCheckBox1);
    if (m_controls.urlMaj->text() != preferences.urlMaj) {
        m_controls.urlMaj->setText(preferences.urlMaj);
        m_controls.urlMaj->setCursorPosition(0);
    }
}

void PreferencesForm::changePreferences(const std::function<void(Preferences &)> &change)
{
    Preferences preferences = m_store.preferences();
    change(preferences);
    m_store.setPreferences(preferences);
}

// A "*" would end the field inside the preferences record and shift every
// field after it, and a character outside the record's code page would come
// back as "?": the address keeps its previous text instead.
void PreferencesForm::URLdem_Change(const QString &text)
{
    if (const QString refusal = urlDemRefusal(text); !refusal.isEmpty()) {
        KivTextBox *field = m_controls.urlDem;
        const int cursor = field->cursorPosition();
        const QString previous = m_store.preferences().urlDem;
        field->setText(previous);
        field->setCursorPosition(std::min<int>(std::max(cursor - 1, 0), previous.size()));
        programMessage(m_window, refusal);
        return;
    }
    changePreferences([&text](Preferences &p) {
        p.urlDem = text;
    });
}

void PreferencesForm::Timer1_Timer()
{
    m_controls.urlDem->setUsable(m_store.preferences().check2 == 1);
}
