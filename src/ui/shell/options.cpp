#include "ui/shell/options.h"

#include "core/browser/browsercontrol.h"
#include "core/desktop/keepontoptimer.h"
#include "core/state/preferences.h"
#include "core/state/startup.h"
#include "core/state/statestore.h"
#include "ui/shell/about.h"
#include "ui/shell/connectiontestline.h"
#include "ui/shell/preferencesform.h"
#include "ui/skin/imagebuttonpair.h"
#include "ui/skin/kivcheckbox.h"
#include "ui/skin/kivcommand.h"
#include "ui/skin/kivframe.h"
#include "ui/skin/kivtextbox.h"
#include "ui/skin/programmessage.h"
#include "ui/skin/skin.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace
{

namespace Help
{
    const QString check1
        = QStringLiteral("Cochez si vous voulez que le logiciel se lance à chaque démarrage de votre ordinateur.");
    const QString check2 = QStringLiteral("Cochez pour qu'une émission/radio se lance à chaque démarrage de "
                                          "l'application. Pourcela, spécifiez l'URL dans "
                                          "la zone de texte indiquée");
    const QString check3 = QStringLiteral(
        "Cochez si vous voulez que la date de la veille s'affiche dans les menus, pour regarder les émissions d'hier");
    const QString checkCadre = QStringLiteral("Cochez si vous souhaitez que la vidéo que vous regarder se "
                                              "redimensionne toute seule en fonction de la taille de "
                                              "la fenêtre.");
    const QString pseudoCheck = QStringLiteral(
        "Si vous avez MSN Messenger, vous pouvez afficher votre lecture dans votre pseudo (il faut que la fonction "
        "'activer ce que j'écoute' soit activée sur MSN)");
    const QString label3 = QStringLiteral("Spécifiez l'état de l'application à son lançement : Normalement, en plein "
                                          "écran ou caché dans la barre systray "
                                          "(près de l'horloge).");
    const QString kivCheckBox1 = QStringLiteral("La fenêtre principale sera toujours visible.");
    const QString connected
        = QStringLiteral("Vérifiez que vous êtes bien connecté et que votre pare-feu ne bloque pas l'accès à Internet");
}

KivCheckBox *checkBox(const QString &name, const QString &caption, QWidget *parent)
{
    auto *box = new KivCheckBox(caption, parent);
    box->setObjectName(name);
    return box;
}

KivCommand *command(const QString &name, const QString &caption, QWidget *parent)
{
    auto *button = new KivCommand(caption, parent);
    button->setObjectName(name);
    return button;
}

QLabel *label(const QString &name, const QString &text, QWidget *parent)
{
    auto *result = new QLabel(text, parent);
    result->setObjectName(name);
    result->setTextFormat(Qt::PlainText);
    return result;
}

} // namespace

Options::Options(StateStore &store,
    KeepOnTopTimer &timerPPlan,
    BrowserControl &testInternet,
    QWidget *testInternetView,
    const QString &testAddress,
    QWidget *parent)
    : SkinnedWindow(parent)
    , m_store(store)
    , m_timerPPlan(timerPPlan)
{
    setObjectName(QStringLiteral("Options"));
    setTitle(QStringLiteral("OPTIONS"));
    titleLabel()->setObjectName(QStringLiteral("Label8"));
    buildControls(testInternet, testAddress, testInternetView);
    new PreferencesForm(m_store,
        { m_check1, m_check2, m_urlDem, m_fenetre, m_check3, m_checkCadre, m_pseudoCheck, m_kivCheckBox1, m_urlMaj },
        this);
    connectControls();
}

Options::~Options() = default;

void Options::buildControls(BrowserControl &testInternet, const QString &testAddress, QWidget *testInternetView)
{
    QWidget *area = content();
    // Moves over the bare window (`Form_MouseMove`) are seen on the content area.
    area->setMouseTracking(true);
    area->installEventFilter(this);

    auto *kivFrame2 = new KivFrame(QStringLiteral("Préférences : "), area);
    kivFrame2->setObjectName(QStringLiteral("KivFrame2"));
    m_check1 = checkBox(
        QStringLiteral("Check1"), QStringLiteral("Lancer l'application au démarrage de l'ordinateur"), kivFrame2);
    m_check2 = checkBox(QStringLiteral("Check2"),
        QStringLiteral("Lancer une radio ou une émission au démarrage de l'application "),
        kivFrame2);
    QLabel *urlDemLabel
        = label(QStringLiteral("Label1"), QStringLiteral("URL de la radio ou de l'émission : "), kivFrame2);
    m_urlDem = new KivTextBox(kivFrame2);
    m_urlDem->setObjectName(QStringLiteral("URLdem"));
    urlDemLabel->setBuddy(m_urlDem);
    m_label3 = label(QStringLiteral("Label3"), QStringLiteral("Au démarrage, afficher la fenêtre :"), kivFrame2);
    m_label3->setMouseTracking(true);
    m_label3->installEventFilter(this);
    m_fenetre = new QComboBox(kivFrame2);
    m_fenetre->setObjectName(QStringLiteral("Fenetre"));
    m_fenetre->addItems(
        { QStringLiteral("Normale"), QStringLiteral("En Plein écran"), QStringLiteral("Dans la barre Systray") });
    m_label3->setBuddy(m_fenetre);
    m_check3 = checkBox(QStringLiteral("Check3"),
        QStringLiteral("Afficher la date de la veille dans les menus des émissions"),
        kivFrame2);
    m_checkCadre
        = checkBox(QStringLiteral("CheckCadre"), QStringLiteral("Ajuster la taille de la vidéo au cadre"), kivFrame2);
    m_pseudoCheck = checkBox(QStringLiteral("PseudoCheck"),
        QStringLiteral("Afficher la lecture en cours dans le pseudo Windows Live Messenger"),
        kivFrame2);
    m_kivCheckBox1 = checkBox(QStringLiteral("KivCheckBox1"),
        QStringLiteral("Garder la fenêtre au premier plan (toujours visible)"),
        kivFrame2);

    auto *preferences = new QGridLayout(kivFrame2);
    preferences->setColumnStretch(1, 1);
    preferences->addWidget(m_check1, 0, 0, 1, 2);
    preferences->addWidget(m_check2, 1, 0, 1, 2);
    preferences->addWidget(urlDemLabel, 2, 0);
    preferences->addWidget(m_urlDem, 2, 1);
    preferences->addWidget(m_label3, 3, 0);
    preferences->addWidget(m_fenetre, 3, 1, Qt::AlignLeft);
    preferences->addWidget(m_check3, 4, 0, 1, 2);
    preferences->addWidget(m_checkCadre, 5, 0, 1, 2);
    preferences->addWidget(m_pseudoCheck, 6, 0, 1, 2);
    preferences->addWidget(m_kivCheckBox1, 7, 0, 1, 2);

    auto *kivFrame1 = new KivFrame(QStringLiteral("Connexions :"), area);
    kivFrame1->setObjectName(QStringLiteral("KivFrame1"));
    m_connectionLine = new ConnectionTestLine(testInternet, testAddress, kivFrame1);
    QLabel *label11 = label(QStringLiteral("Label11"), QStringLiteral("URL de ma mise à jour : "), kivFrame1);
    m_urlMaj = new KivTextBox(kivFrame1);
    m_urlMaj->setObjectName(QStringLiteral("URLMAJ"));
    label11->setBuddy(m_urlMaj);

    auto *connections = new QGridLayout(kivFrame1);
    connections->setColumnStretch(1, 1);
    if (testInternetView)
        m_connectionLine->addTestView(testInternetView);
    connections->addLayout(m_connectionLine->layout(), 0, 0, 1, 2);
    connections->addWidget(label11, 1, 0);
    connections->addWidget(m_urlMaj, 1, 1);

    auto *kivFrame3 = new KivFrame(QStringLiteral("Informations :"), area);
    kivFrame3->setObjectName(QStringLiteral("KivFrame3"));
    m_info = label(QStringLiteral("Info"), QString(), kivFrame3);
    m_info->setWordWrap(true);
    m_info->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Room for the longest help text, so that the window does not jump.
    m_info->setMinimumHeight(m_info->fontMetrics().lineSpacing() * 3);
    auto *information = new QVBoxLayout(kivFrame3);
    information->addWidget(m_info);

    m_command3 = command(QStringLiteral("Command3"), QStringLiteral("Annexe"), area);
    m_kivCommand3 = command(QStringLiteral("KivCommand3"), QStringLiteral("A propos de..."), area);
    m_kivCommand2 = command(QStringLiteral("KivCommand2"), QStringLiteral("Mettre à jour..."), area);
    m_command1 = command(QStringLiteral("Command1"), QStringLiteral("Annuler"), area);
    m_command2 = command(QStringLiteral("Command2"), QStringLiteral("Valider"), area);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_command3);
    buttons->addWidget(m_kivCommand3);
    buttons->addWidget(m_kivCommand2);
    buttons->addStretch(1);
    buttons->addWidget(m_command1);
    buttons->addWidget(m_command2);

    auto *layout = new QVBoxLayout(area);
    layout->setContentsMargins(12, 4, 12, 12);
    layout->setSpacing(8);
    layout->addWidget(kivFrame2);
    layout->addWidget(kivFrame1);
    layout->addWidget(kivFrame3);
    layout->addLayout(buttons);

    setFixedWidth(560);
}

void Options::connectControls()
{
    const auto help = [this](KivCheckBox *box, const QString &text) {
        connect(box, &KivCheckBox::MouseMove, this, [this, text] {
            showHelp(text);
        });
    };
    help(m_check1, Help::check1);
    help(m_check2, Help::check2);
    help(m_check3, Help::check3);
    help(m_pseudoCheck, Help::pseudoCheck);
    help(m_kivCheckBox1, Help::kivCheckBox1);
    connect(m_checkCadre, &KivCheckBox::MouseDown, this, [this] {
        showHelp(Help::checkCadre);
    });
    // After the form has put the change in the record.
    connect(m_kivCheckBox1, &KivCheckBox::Click, this, &Options::KivCheckBox1_Click);

    connect(m_connectionLine, &ConnectionTestLine::failureHovered, this, [this] {
        showHelp(Help::connected);
    });

    connect(m_command2, &KivCommand::Click, this, &Options::Command2_Click);
    connect(m_command1, &KivCommand::Click, this, &Options::Command1_Click);
    connect(m_kivCommand2, &KivCommand::Click, this, &Options::updateRequested);
    connect(m_kivCommand3, &KivCommand::Click, this, &Options::KivCommand3_Click);
    connect(m_command3, &KivCommand::Click, this, &Options::annexeRequested);
    connect(closePair(), &ImageButtonPair::Click, this, &Options::Quitter2_Click);
}

void Options::startConnectionTest()
{
    m_connectionLine->start();
}

void Options::showHelp(const QString &text)
{
    m_info->setText(text);
}

void Options::Command2_Click()
{
    if (!Startup::writePreferences(m_store)) {
        programMessage(this,
            QStringLiteral("Les préférences n'ont pas pu être enregistrées dans « %1 ».")
                .arg(m_store.userPath(Startup::preferencesName)));
        return;
    }
    hide();
}

void Options::Command1_Click()
{
    hide();
}

void Options::Quitter2_Click()
{
    hide();
}

void Options::KivCheckBox1_Click(int value)
{
    if (value == 0)
        programMessage(this,
            QStringLiteral("Pour que les changements soient pris en compte, un redémarrage de l'application sera "
                           "nécessaire"));
    // The timer makes the main window topmost when it fires, whichever way the
    // box went: leaving the topmost state takes a restart.
    m_timerPPlan.toggle();
}

void Options::KivCommand3_Click()
{
    if (!m_about) {
        m_about = std::make_unique<About>();
        m_about->adjustSize();
        m_about->move(frameGeometry().center() - m_about->rect().center());
    }
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

void Options::Form_MouseMove()
{
    m_info->clear();
}

bool Options::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove) {
        // Moves over a control that reach the content area belong to that control.
        if (watched == content() && !content()->childAt(static_cast<QMouseEvent *>(event)->position().toPoint()))
            Form_MouseMove();
        else if (watched == m_label3)
            showHelp(Help::label3);
    }
    return SkinnedWindow::eventFilter(watched, event);
}
