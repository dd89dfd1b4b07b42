#include "core/state/statestore.h"
#include "fakecontrols.h"
#include "fakedownload.h"
#include "ui/skin/imagebuttonpair.h"
#include "ui/skin/kivcommand.h"
#include "ui/skin/kivprogressbar.h"
#include "ui/skin/twips.h"
#include "ui/update/miseajour.h"
#include "urlcatcher.h"

#include <QDesktopServices>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

// The update window over fake browsers.
class TestMiseAJour : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void creationShowsTheVersionAndThePage();
    void laterShowingsReloadNothing();
    void heightsFollowTheDownloadStep();
    void eachPressSendsTheHiddenBrowser();
    void okAndCloseHide_data();
    void okAndCloseHide();
    void lowerPartFollowsTheDownload();
    void label6OpensTheSecondSite();
    void aLongTextIsShortenedButKeptWhole();

private:
    void showWindow();
    int heightTwips() const { return Twips::fromPixels(m_window->height()); }
    QWidget *lowerPart() const { return m_window->findChild<QWidget *>(QStringLiteral("LowerPart")); }
    KivCommand *command(const char *name) const { return m_window->findChild<KivCommand *>(QLatin1String(name)); }

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<StateStore> m_store;
    std::unique_ptr<FakeBrowser> m_wb;
    std::unique_ptr<FakeBrowser> m_wbDownload;
    std::unique_ptr<MiseAJour> m_window;
};

namespace
{
const QString site = QStringLiteral("http://127.0.0.1:9");
const QString secondSite = QStringLiteral("http://second.invalid");
const QString firstAddress = QStringLiteral("http://127.0.0.1:9/telechargement/Ondavox-setup.exe");
}

void TestMiseAJour::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    m_store = std::make_unique<StateStore>();
    Preferences preferences;
    preferences.urlMaj = firstAddress;
    m_store->setPreferences(preferences);
    m_wb = std::make_unique<FakeBrowser>();
    m_wbDownload = std::make_unique<FakeBrowser>();
    auto *view = new QWidget;
    m_window = std::make_unique<MiseAJour>(*m_store, *m_wb, view, *m_wbDownload, m_folder->path(), site, secondSite);
    showWindow();
}

void TestMiseAJour::cleanup()
{
    m_window.reset();
}

void TestMiseAJour::showWindow()
{
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestMiseAJour::creationShowsTheVersionAndThePage()
{
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Mise à jour..."));
    QCOMPARE(m_window->titleLabel()->text(), QStringLiteral("MISE A JOUR"));
    QCOMPARE(m_window->findChild<QLabel *>(QStringLiteral("Label2"))->text(), QStringLiteral("0.64.1"));
    QCOMPARE(m_wb->addresses, QStringList { site + QStringLiteral("/ovx_online/Vdispo.htm") });
    auto *wb = m_window->findChild<QWidget *>(QStringLiteral("WB"));
    QVERIFY(wb && wb->isVisible());
    QCOMPARE(wb->size(), QSize(294, 86));
    QCOMPARE(command("KivCommand2")->text(), QStringLiteral("Télécharger la version indiquée"));
    QCOMPARE(m_window->url(), firstAddress);
    QVERIFY(m_wbDownload->addresses.isEmpty());
}

void TestMiseAJour::laterShowingsReloadNothing()
{
    m_window->hide();
    Preferences preferences = m_store->preferences();
    preferences.urlMaj = QStringLiteral("http://127.0.0.1:9/autre.exe");
    m_store->setPreferences(preferences);
    showWindow();
    QCOMPARE(m_wb->addresses.size(), 1);
    QCOMPARE(m_wb->refreshes, 0);
    command("KivCommand2")->click();
    QCOMPARE(m_wbDownload->addresses, QStringList { firstAddress });
}

void TestMiseAJour::heightsFollowTheDownloadStep()
{
    const auto ligneBasY = [this] {
        return m_window->findChild<QWidget *>(QStringLiteral("LigneBas"))->geometry().top();
    };
    QVERIFY(heightTwips() >= 2700 && heightTwips() < 2700 + Twips::PerPixel);
    QVERIFY(!lowerPart()->isVisible());
    QVERIFY(ligneBasY() < m_window->height());

    command("KivCommand2")->click();
    QVERIFY(heightTwips() >= 3700 && heightTwips() < 3700 + Twips::PerPixel);
    QVERIFY(lowerPart()->isVisible());
    QCOMPARE(ligneBasY(), 3698 / Twips::PerPixel);
    QCOMPARE(ligneBasY(), m_window->height() - 1);

    m_window->hide();
    showWindow();
    QVERIFY(heightTwips() >= 2700 && heightTwips() < 2700 + Twips::PerPixel);
    QVERIFY(!lowerPart()->isVisible());
    QVERIFY(ligneBasY() < m_window->height());
}

void TestMiseAJour::eachPressSendsTheHiddenBrowser()
{
    command("KivCommand2")->click();
    command("KivCommand2")->click();
    QCOMPARE(m_wbDownload->addresses, QStringList({ firstAddress, firstAddress }));
    QVERIFY(!m_wbDownload->isVisible());
}

void TestMiseAJour::okAndCloseHide_data()
{
    QTest::addColumn<bool>("byOk");
    QTest::newRow("OK") << true;
    QTest::newRow("close image") << false;
}

void TestMiseAJour::okAndCloseHide()
{
    QFETCH(bool, byOk);
    command("KivCommand2")->click();
    if (byOk) {
        QCOMPARE(command("KivCommand1")->text(), QStringLiteral("OK"));
        command("KivCommand1")->click();
    } else {
        m_window->closePair()->hideNormalImage();
        m_window->closePair()->click();
    }
    QVERIFY(!m_window->isVisible());
}

void TestMiseAJour::lowerPartFollowsTheDownload()
{
    command("KivCommand2")->click();
    auto *status = m_window->findChild<QLabel *>(QStringLiteral("Etat"));
    auto *bar = m_window->findChild<KivProgressBar *>(QStringLiteral("Progression"));
    QCOMPARE(status->text(), QStringLiteral("Demande du fichier à 127.0.0.1..."));
    QCOMPARE(status->textFormat(), Qt::PlainText);
    QVERIFY(!bar->isVisible());

    // A name that would be markup is shown as it is.
    FakeDownload download(QStringLiteral("<b>setup<i>.exe"));
    Q_EMIT m_wbDownload->downloadStarted(&download);
    download.receive(QByteArray(100 * 1024, 'x'), 400 * 1024);
    QCOMPARE(status->text(), QStringLiteral("Téléchargement de « <b>setup<i>.exe » : 100 Ko sur 400 Ko"));
    QVERIFY(bar->isVisible());
    QCOMPARE(double(bar->value() - bar->minimum()) / (bar->maximum() - bar->minimum()), 0.25);

    download.fail(BrowserDownload::Failure::Network);
    QVERIFY(status->text().startsWith(QStringLiteral("Échec du téléchargement")));
    QVERIFY(!bar->isVisible());
}

void TestMiseAJour::label6OpensTheSecondSite()
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &catcher, "open");
    command("KivCommand2")->click();
    auto *label6 = command("Label6");
    QCOMPARE(label6->text(), QStringLiteral("En cas de problème,  second.invalid"));
    label6->setFocus();
    QTest::keyClick(label6, Qt::Key_Return);
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    QCOMPARE(catcher.urls, QList<QUrl> { QUrl(secondSite) });
}

void TestMiseAJour::aLongTextIsShortenedButKeptWhole()
{
    const QString folder = m_folder->filePath(QString(120, QLatin1Char('d')));
    MiseAJour window(*m_store, *m_wb, nullptr, *m_wbDownload, folder, site, secondSite);
    window.show();
    window.KivCommand2_Click();
    FakeDownload download(QStringLiteral("Ondavox-setup.exe"));
    Q_EMIT m_wbDownload->downloadStarted(&download);
    download.receive("whole", 5);
    download.complete();
    QCOMPARE(window.downloader().stage(), UpdateDownloader::Stage::Saved);

    auto *status = window.findChild<QLabel *>(QStringLiteral("Etat"));
    const QString whole = window.downloader().text();
    QVERIFY(whole.contains(folder));
    QVERIFY(status->text() != whole);
    QVERIFY(status->text().endsWith(QStringLiteral("Ondavox-setup.exe")));
    QVERIFY(status->fontMetrics().horizontalAdvance(status->text()) <= status->width());
    QVERIFY(status->geometry().right() < window.width());
    QCOMPARE(status->toolTip(), whole);
    QCOMPARE(status->accessibleName(), whole);
}

QTEST_MAIN(TestMiseAJour)
#include "tst_miseajour.moc"
