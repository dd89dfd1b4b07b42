#pragma once

#include "app/application.h"
#include "icecastserver.h"
#include "testhttpserver.h"
#include "ui/shell/options.h"
#include "ui/shell/radio.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <memory>

// The whole program in the test's process, started as a person starts it:
// a fresh home whose preferences open a live stream at start, the publisher's
// site served on its port of the build, which counts what it is asked.
// Suites that use it take the "site" lock.
struct StartedProgram {
    static inline const QString homePage = QStringLiteral("/index-ovx.php");
    static inline const QString testPage = QStringLiteral("/ovx_online/test_connexion.php");
    // What the options window's line `Connected` says once the test page has loaded.
    static inline const QString connected = QStringLiteral("Ondavox est bien connecté à Internet");

    static QString connectedLine(const Options &options)
    {
        return options.findChild<QLabel *>(QStringLiteral("Connected"))->text();
    }

    // Why the program cannot be started so here (a missing tool, a site
    // beyond loopback); empty when it can.
    static QString unavailable()
    {
        const QString missing = IcecastServer::missingTools();
        if (!missing.isEmpty())
            return missing;
        if (QUrl(QStringLiteral(ONDAVOX_SITE_URL)).host() != QLatin1String("127.0.0.1"))
            return QStringLiteral("the publisher's site is not on loopback in this build");
        return QString();
    }

    // Serves the site with `testPageBody` as its connection test page, starts
    // the stream and writes the preferences; what went wrong, or empty.
    QString prepare(const QByteArray &testPageBody)
    {
        if (!site.listen(quint16(QUrl(QStringLiteral(ONDAVOX_SITE_URL)).port(80))))
            return QStringLiteral("the site's port is taken");
        site.addData(homePage, "<html><body>Accueil</body></html>", "text/html");
        site.addData(testPage, testPageBody, "text/html");
        QString error;
        if (!icecast.start(&error))
            return error;
        const QString userFolder = home.filePath(QStringLiteral("data/ondavox"));
        QFile preferences(userFolder + QStringLiteral("/ovxpref.log"));
        if (!QDir().mkpath(userFolder) || !preferences.open(QIODevice::WriteOnly)
            || preferences.write("0*1*" + icecast.streamUrl().toUtf8() + "*0*AideOVX.txt*1*1*0*0*\r\n") < 0)
            return QStringLiteral("cannot write %1").arg(preferences.fileName());
        preferences.close();
        qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toUtf8());
        qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toUtf8());
        return QString();
    }

    // Starts it; whether its main window came on screen.
    bool start()
    {
        app = std::make_unique<Application>();
        app->start();
        return QTest::qWaitForWindowExposed(&app->windows().radio());
    }

    QTemporaryDir home;
    IcecastServer icecast;
    TestHttpServer site;
    std::unique_ptr<Application> app;
};
