#pragma once

#include "core/browser/connectiontest.h"
#include "ui/skin/skinnedwindow.h"

#include <memory>

class About;
class BrowserControl;
class ConnectionTestLine;
class KeepOnTopTimer;
class KivCheckBox;
class KivCommand;
class KivTextBox;
class QComboBox;
class QLabel;
class StateStore;

// The options window: the preferences' controls (PreferencesForm keeps them
// and the store's record in step) with their help, and the connection test's
// line; "Valider" writes the record now.
class Options : public SkinnedWindow
{
    Q_OBJECT

public:
    // `testInternet` is the browser of the connection test and `testInternetView`
    // the widget that shows it (none in tests). `timerPPlan` is the main window's
    // keep-on-top timer, which the keep-on-top box re-arms.
    Options(StateStore &store,
        KeepOnTopTimer &timerPPlan,
        BrowserControl &testInternet,
        QWidget *testInternetView,
        const QString &testAddress = ConnectionTest::defaultAddress(),
        QWidget *parent = nullptr);
    ~Options() override;

    // Start-up, then `RefreshBtn`: the box loads the test page again.
    void startConnectionTest();

    // "Valider": the record written in place of the preferences file, then the
    // window hides. A file that cannot be written is said, and the window stays.
    void Command2_Click();
    // "Annuler" and the close pair: the window hides; the values stay.
    void Command1_Click();
    void Quitter2_Click();

Q_SIGNALS:
    // "Annexe": show the view of the shared state store.
    void annexeRequested();
    // "Mettre à jour...": show the update window.
    void updateRequested();

private:
    void buildControls(BrowserControl &testInternet, const QString &testAddress, QWidget *testInternetView);
    void connectControls();
    void showHelp(const QString &text);

    void KivCheckBox1_Click(int value);
    void KivCommand3_Click();
    void Form_MouseMove();

    bool eventFilter(QObject *watched, QEvent *event) override;

    StateStore &m_store;
    KeepOnTopTimer &m_timerPPlan;
    std::unique_ptr<About> m_about;

    KivCheckBox *m_check1 = nullptr;
    KivCheckBox *m_check2 = nullptr;
    KivTextBox *m_urlDem = nullptr;
    QLabel *m_label3 = nullptr;
    QComboBox *m_fenetre = nullptr;
    KivCheckBox *m_check3 = nullptr;
    KivCheckBox *m_checkCadre = nullptr;
    KivCheckBox *m_pseudoCheck = nullptr;
    KivCheckBox *m_kivCheckBox1 = nullptr;

    ConnectionTestLine *m_connectionLine = nullptr;
    KivTextBox *m_urlMaj = nullptr;
    QLabel *m_info = nullptr;

    KivCommand *m_command2 = nullptr;
    KivCommand *m_command1 = nullptr;
    KivCommand *m_kivCommand2 = nullptr;
    KivCommand *m_kivCommand3 = nullptr;
    KivCommand *m_command3 = nullptr;
};
