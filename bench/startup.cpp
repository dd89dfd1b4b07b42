#include "benchutil.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <optional>

// Process start to first window shown: Ondavox beside a minimal Qt Widgets
// window, in turns. Both print "shown" when their first window is exposed.

namespace
{

constexpr int runs = 10;

std::optional<double> timeToShown(const QString &program, const QProcessEnvironment &environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    process.start(program, {});
    std::optional<double> shown;
    while (process.waitForReadyRead(15000)) {
        if (process.readAll().contains("shown")) {
            shown = clock.nsecsElapsed() / 1e6;
            break;
        }
    }
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(2000);
    }
    return shown;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        Bench::print(QStringLiteral("usage: bench_startup <ondavox> <minimal window>"));
        return 2;
    }
    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ONDAVOX_BENCH_EXIT_ON_SHOW"), QStringLiteral("1"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("ONDAVOX_MPV_AO"), QStringLiteral("null"));

    QList<double> ondavox, minimal;
    for (int run = 0; run < runs; ++run) {
        if (auto ms = timeToShown(QString::fromLocal8Bit(argv[1]), environment))
            ondavox.append(*ms);
        if (auto ms = timeToShown(QString::fromLocal8Bit(argv[2]), environment))
            minimal.append(*ms);
    }
    const double ours = Bench::median(ondavox);
    const double base = Bench::median(minimal);
    Bench::print(QStringLiteral("== Process start to main window shown (%1 runs each, median ms)").arg(runs));
    Bench::print(QStringLiteral("Ondavox              %1   [%2]").arg(ours, 7, 'f', 1).arg(Bench::figures(ondavox)));
    Bench::print(QStringLiteral("minimal Qt window    %1   [%2]").arg(base, 7, 'f', 1).arg(Bench::figures(minimal)));
    if (base > 0)
        Bench::print(QStringLiteral("ratio Ondavox / minimal = %1 (goal <= 1.2)").arg(ours / base, 0, 'f', 2));
    return 0;
}
