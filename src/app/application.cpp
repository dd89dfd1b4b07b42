#include "app/application.h"

#include "app/radio.h"
#include "app/startup.h"
#include "app/unixsignals.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QStandardPaths>

Application::Application(QObject *parent)
    : QObject(parent)
{
    m_store.setUserFolder(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

Application::~Application() = default;

Radio &Application::radio()
{
    if (!m_radio) {
        m_radio = std::make_unique<Radio>(m_store);
        connect(m_radio.get(), &Radio::closeRequested, this, &Application::formUnload);
    }
    return *m_radio;
}

void Application::start()
{
    Startup::FindInstallFolder(Startup::installFolderCandidates(QCoreApplication::applicationDirPath()), m_store);
    Startup::loadFiles(m_store);

    connect(qApp, &QGuiApplication::commitDataRequest, this, &Application::formUnload);
    auto *signals = new UnixSignals(this);
    connect(signals, &UnixSignals::terminationRequested, this, &Application::formUnload);

    radio().show();
}

void Application::formUnload()
{
    if (m_unloading)
        return;
    m_unloading = true;
    Startup::writePreferences(m_store);
    QCoreApplication::quit();
}
