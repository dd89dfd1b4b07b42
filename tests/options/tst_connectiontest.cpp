#include "core/browser/connectiontest.h"
#include "fakecontrols.h"

#include <QSignalSpy>
#include <QTest>

class TestConnectionTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void defaultAddressIsThePublishersTestPage()
    {
        QVERIFY(ConnectionTest::defaultAddress().endsWith(QStringLiteral("/ovx_online/test_connexion.php")));
        QVERIFY(ConnectionTest::defaultAddress().startsWith(QStringLiteral("http")));
    }

    void untestedLineHasItsFullStop()
    {
        FakeBrowser browser;
        ConnectionTest test(browser, QStringLiteral("http://127.0.0.1:1/t.php"));
        QCOMPARE(test.result(), ConnectionTest::Result::Untested);
        QCOMPARE(test.text(), QStringLiteral("Ondavox ne peut pas accéder à Internet."));
        QVERIFY(browser.addresses.isEmpty());
    }

    void browserEventsSetTheLine_data()
    {
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<ConnectionTest::Result>("result");
        QTest::addColumn<QString>("text");

        const QString ok = QStringLiteral("Ondavox est bien connecté à Internet");
        const QString failed = QStringLiteral("Ondavox ne peut pas accéder à Internet");
        QTest::newRow("loaded") << QStringList { "complete" } << ConnectionTest::Result::Connected << ok;
        QTest::newRow("failed") << QStringList { "error" } << ConnectionTest::Result::Failed << failed;
        QTest::newRow("failed then loaded on refresh")
            << QStringList { "error", "complete" } << ConnectionTest::Result::Connected << ok;
        QTest::newRow("loaded then failed on refresh")
            << QStringList { "complete", "error" } << ConnectionTest::Result::Failed << failed;
    }

    void browserEventsSetTheLine()
    {
        QFETCH(QStringList, events);
        QFETCH(ConnectionTest::Result, result);
        QFETCH(QString, text);

        FakeBrowser browser;
        ConnectionTest test(browser, QStringLiteral("http://127.0.0.1:1/t.php"));
        QSignalSpy changes(&test, &ConnectionTest::resultChanged);
        for (const QString &event : events) {
            test.start();
            if (event == QStringLiteral("complete"))
                Q_EMIT browser.navigateComplete(QStringLiteral("http://127.0.0.1:1/t.php"));
            else
                Q_EMIT browser.navigateError(QStringLiteral("http://127.0.0.1:1/t.php"), 404);
        }
        QCOMPARE(test.result(), result);
        QCOMPARE(test.text(), text);
        QCOMPARE(changes.size(), events.size());
        QCOMPARE(changes.last().first().value<ConnectionTest::Result>(), result);
    }

    void everyStartLoadsTheTestPageAgain()
    {
        FakeBrowser browser;
        const QString address = QStringLiteral("http://127.0.0.1:8/ovx_online/test_connexion.php");
        ConnectionTest test(browser, address);
        test.start();
        Q_EMIT browser.navigateComplete(address);
        test.start();
        QCOMPARE(browser.addresses, (QStringList { address, address }));
        // The line keeps the last result until the new load ends.
        QCOMPARE(test.result(), ConnectionTest::Result::Connected);
    }
};

QTEST_GUILESS_MAIN(TestConnectionTest)
#include "tst_connectiontest.moc"
