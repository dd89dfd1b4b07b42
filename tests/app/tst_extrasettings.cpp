#include "core/state/extrasettings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The settings of our additions survive a restart, and a damaged file costs
// no more than the defaults.
class TestExtraSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void choiceSurvivesARestart_data()
    {
        QTest::addColumn<bool>("on");
        QTest::newRow("on") << true;
        QTest::newRow("off") << false;
    }

    void choiceSurvivesARestart()
    {
        QFETCH(bool, on);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("new/") + ExtraSettings::fileName);
        ExtraSettings written(path);
        written.setTitleNotifications(!on);
        QVERIFY(written.save());
        written.setTitleNotifications(on);
        QVERIFY(written.save());
        ExtraSettings read(path);
        QVERIFY(read.load());
        QCOMPARE(read.titleNotifications(), on);
    }

    void damagedFileGivesTheDefaults_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("noise") << QByteArray("\x01\xff=\n=\n\n");
        QTest::newRow("other names") << QByteArray("notifications-titres-x=1\nautre=1\n");
        QTest::newRow("cut short") << QByteArray("notifications-tit");
    }

    void damagedFileGivesTheDefaults()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir folder;
        const QString path = folder.filePath(ExtraSettings::fileName);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        ExtraSettings read(path);
        QVERIFY(read.load());
        QCOMPARE(read.titleNotifications(), false);
    }

    void unreadableFileIsSaid()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(ExtraSettings::fileName);
        QVERIFY(QDir().mkpath(path));
        ExtraSettings settings(path);
        QVERIFY(!settings.load());
        settings.setTitleNotifications(true);
        QVERIFY(!settings.save());
    }
};

QTEST_GUILESS_MAIN(TestExtraSettings)
#include "tst_extrasettings.moc"
