#include "directorystandin.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

// The directory stand-in on its own, for a person trying the directory
// window without the public directory:
//   ondavox-directory-standin --port 47920 --stream http://127.0.0.1:8000/live.mp3
//   ONDAVOX_DIRECTORY_URL=http://127.0.0.1:47920 build/bin/ondavox
int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("A stand-in for the public radio directory on 127.0.0.1."));
    parser.addHelpOption();
    const QCommandLineOption port(
        QStringLiteral("port"), QStringLiteral("Port on 127.0.0.1."), QStringLiteral("port"), QStringLiteral("47920"));
    const QCommandLineOption stream(QStringLiteral("stream"),
        QStringLiteral("The address every station plays (a local stream)."),
        QStringLiteral("address"));
    const QCommandLineOption delay(QStringLiteral("delay"),
        QStringLiteral("Milliseconds each search waits before its answer."),
        QStringLiteral("ms"),
        QStringLiteral("0"));
    const QCommandLineOption madeUp(QStringLiteral("made-up"),
        QStringLiteral("Made-up stations of France added to the fixture."),
        QStringLiteral("count"),
        QStringLiteral("0"));
    const QCommandLineOption fixtures(QStringLiteral("fixtures"),
        QStringLiteral("The fixture folder (stations.json, favicons/)."),
        QStringLiteral("folder"),
        QStringLiteral(ONDAVOX_DIRECTORY_FIXTURES));
    parser.addOptions({ port, stream, delay, madeUp, fixtures });
    parser.process(app);

    DirectoryStandIn standIn;
    standIn.setStreamAddress(parser.value(stream));
    standIn.setAnswerDelay(parser.value(delay).toInt());
    QString error;
    if (!standIn.start(parser.value(fixtures), quint16(parser.value(port).toUInt()), &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    standIn.addMadeUpStations(parser.value(madeUp).toInt(), QStringLiteral("Station"));
    std::printf(
        "Directory stand-in at %s (ONDAVOX_DIRECTORY_URL=%s)\n", qPrintable(standIn.url()), qPrintable(standIn.url()));
    std::fflush(stdout);
    return app.exec();
}
