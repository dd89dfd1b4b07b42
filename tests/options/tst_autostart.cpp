#include "core/desktop/autostart.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace
{

// Reads an Exec value back the way a desktop environment does: the string
// escapes first, then the quoting of the arguments, then the field codes.
QStringList execArguments(const QString &value)
{
    QString unescaped;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == u'\\' && i + 1 < value.size()) {
            const QChar next = value[++i];
            unescaped += next == u'n' ? QChar(u'\n')
                : next == u't'        ? QChar(u'\t')
                : next == u'r'        ? QChar(u'\r')
                : next == u's'        ? QChar(u' ')
                                      : next;
        } else {
            unescaped += value[i];
        }
    }
    QStringList arguments;
    QString current;
    bool inQuotes = false;
    bool started = false;
    for (qsizetype i = 0; i < unescaped.size(); ++i) {
        const QChar c = unescaped[i];
        if (inQuotes) {
            if (c == u'\\' && i + 1 < unescaped.size() && QStringLiteral("\"`$\\").contains(unescaped[i + 1]))
                current += unescaped[++i];
            else if (c == u'"')
                inQuotes = false;
            else
                current += c;
        } else if (c == u'"') {
            inQuotes = true;
            started = true;
        } else if (c == u' ') {
            if (started)
                arguments.append(current);
            current.clear();
            started = false;
        } else {
            current += c;
            started = true;
        }
    }
    if (started)
        arguments.append(current);
    for (QString &argument : arguments)
        argument.replace(QStringLiteral("%%"), QStringLiteral("%"));
    return arguments;
}

QString execValue(const QString &entry)
{
    for (const QString &line : entry.split(QLatin1Char('\n'))) {
        if (line.startsWith(QStringLiteral("Exec=")))
            return line.mid(5);
    }
    return QString();
}

QString readEntry(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

}

class TestAutostart : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_config = std::make_unique<QTemporaryDir>();
        QVERIFY(m_config->isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config->path()));
    }

    void entryLivesInAutostartFolder()
    {
        QCOMPARE(Autostart::entryPath(), m_config->path() + QStringLiteral("/autostart/ondavox.desktop"));
    }

    void execQuoting_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("expectedExec");

        QTest::newRow("plain") << QStringLiteral("/usr/bin/ondavox") << QStringLiteral("/usr/bin/ondavox");
        QTest::newRow("space") << QStringLiteral("/home/jo/Mes programmes/ondavox")
                               << QStringLiteral("\"/home/jo/Mes programmes/ondavox\"");
        QTest::newRow("dollar") << QStringLiteral("/opt/a$b/ondavox") << QStringLiteral("\"/opt/a\\\\$b/ondavox\"");
        QTest::newRow("double quote") << QStringLiteral("/opt/a\"b/ondavox")
                                      << QStringLiteral("\"/opt/a\\\\\"b/ondavox\"");
        QTest::newRow("backslash") << QStringLiteral("/opt/a\\b/ondavox")
                                   << QStringLiteral("\"/opt/a\\\\\\\\b/ondavox\"");
        QTest::newRow("backtick") << QStringLiteral("/opt/a`b/ondavox") << QStringLiteral("\"/opt/a\\\\`b/ondavox\"");
        QTest::newRow("percent, no reserved character")
            << QStringLiteral("/opt/100%/ondavox") << QStringLiteral("/opt/100%%/ondavox");
        QTest::newRow("percent inside quotes")
            << QStringLiteral("/opt/100 %u/ondavox") << QStringLiteral("\"/opt/100 %%u/ondavox\"");
        QTest::newRow("single quote") << QStringLiteral("/opt/l'appli/ondavox")
                                      << QStringLiteral("\"/opt/l'appli/ondavox\"");
        QTest::newRow("accented") << QStringLiteral("/home/hélène/ondavox") << QStringLiteral("/home/hélène/ondavox");
    }

    // The line as written, and what a desktop environment makes of it: the one
    // argument it started from.
    void execQuoting()
    {
        QFETCH(QString, program);
        QFETCH(QString, expectedExec);
        const QString exec = execValue(Autostart::desktopEntry(program));
        QCOMPARE(exec, expectedExec);
        QCOMPARE(execArguments(exec), QStringList { program });
    }

    void newlineInPathStaysOnOneLine()
    {
        const QString program = QStringLiteral("/opt/a\nb/ondavox");
        const QString entry = Autostart::desktopEntry(program);
        QCOMPARE(entry.count(QStringLiteral("Exec=")), 1);
        QCOMPARE(execArguments(execValue(entry)), QStringList { program });
    }

    void addWritesEntryRemoveDeletesIt()
    {
        const QString program = m_config->path() + QStringLiteral("/Mes programmes/ondavox");
        QVERIFY(Autostart::Ajoutedem(program));
        const QString entry = readEntry(Autostart::entryPath());
        QVERIFY(entry.startsWith(QStringLiteral("[Desktop Entry]\n")));
        QVERIFY(entry.contains(QStringLiteral("\nType=Application\n")));
        QVERIFY(entry.contains(QStringLiteral("\nName=Ondavox\n")));
        QCOMPARE(execArguments(execValue(entry)), QStringList { program });

        // Written again over itself, the entry stays one whole entry.
        QVERIFY(Autostart::Ajoutedem(program));
        QCOMPARE(readEntry(Autostart::entryPath()), entry);

        QVERIFY(Autostart::Enlevedem());
        QVERIFY(!QFileInfo::exists(Autostart::entryPath()));
        // Nothing left to remove is not an error.
        QVERIFY(Autostart::Enlevedem());
    }

    void applyFollowsCheck1()
    {
        QVERIFY(Autostart::apply(1));
        const QString entry = readEntry(Autostart::entryPath());
        const QStringList arguments = execArguments(execValue(entry));
        QCOMPARE(arguments.size(), 1);
        QCOMPARE(QFileInfo(arguments.first()).canonicalFilePath(),
            QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath());
        QVERIFY(Autostart::apply(0));
        QVERIFY(!QFileInfo::exists(Autostart::entryPath()));
    }

    void blockedFolderIsReported()
    {
        // A plain file where the folder should be: nothing can be written.
        QFile blocker(m_config->path() + QStringLiteral("/autostart"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QVERIFY(!Autostart::Ajoutedem(QStringLiteral("/usr/bin/ondavox")));
        QVERIFY(Autostart::Enlevedem());
    }

private:
    std::unique_ptr<QTemporaryDir> m_config;
};

QTEST_GUILESS_MAIN(TestAutostart)
#include "tst_autostart.moc"
