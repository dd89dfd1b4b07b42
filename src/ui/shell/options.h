#pragma once

#include "core/browser/connectiontest.h"
#include "ui/skin/skinnedwindow.h"

#include <QTimer>
#include <functional>
#include <memory>

class About;
class BrowserControl;
class KeepOnTopTimer;
class KivCheckBox;
class KivCommand;
class KivFrame;
class KivTextBox;
class QComboBox;
class QLabel;
class QToolButton;
class StateStore;
struct Preferences;

// The options window: a thin view of the preferences held by the state store.
// Every change the user makes goes to the store at once, so that "Annuler"
// keeps it and the orderly exit writes it; "Valider" writes the record now.
// The window also shows the connection test in its small browser box.
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
    void startConnectionTest() { m_connectionTest.start(); }
    const ConnectionTest &connectionTest() const { return m_connectionTest; }

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
    void buildControls();
    void connectControls();
    void showPreferences(const Preferences &preferences);
    void changePreferences(const std::function<void(Preferences &)> &change);
    void showHelp(const QString &text);
    void showConnectionResult();

    void URLdem_Change(const QString &text);
    void KivCheckBox1_Click(int value);
    void KivCommand3_Click();
    void Timer1_Timer();
    void Form_MouseMove();

    bool eventFilter(QObject *watched, QEvent *event) override;

    StateStore &m_store;
    KeepOnTopTimer &m_timerPPlan;
    ConnectionTest m_connectionTest;
    QWidget *m_testInternetView;
    QTimer m_timer1;
    std::unique_ptr<About> m_about;

    KivFrame *m_kivFrame2 = nullptr;
    KivCheckBox *m_check1 = nullptr;
    KivCheckBox *m_check2 = nullptr;
    QLabel *m_urlDemLabel = nullptr;
    KivTextBox *m_urlDem = nullptr;
    QLabel *m_label3 = nullptr;
    QComboBox *m_fenetre = nullptr;
    KivCheckBox *m_check3 = nullptr;
    KivCheckBox *m_checkCadre = nullptr;
    KivCheckBox *m_pseudoCheck = nullptr;
    KivCheckBox *m_kivCheckBox1 = nullptr;

    KivFrame *m_kivFrame1 = nullptr;
    QLabel *m_connected = nullptr;
    QToolButton *m_refreshBtn = nullptr;
    QLabel *m_label11 = nullptr;
    KivTextBox *m_urlMaj = nullptr;

    KivFrame *m_kivFrame3 = nullptr;
    QLabel *m_info = nullptr;

    KivCommand *m_command2 = nullptr;
    KivCommand *m_command1 = nullptr;
    KivCommand *m_kivCommand2 = nullptr;
    KivCommand *m_kivCommand3 = nullptr;
    KivCommand *m_command3 = nullptr;
};
