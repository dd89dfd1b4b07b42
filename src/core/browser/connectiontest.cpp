#include "core/browser/connectiontest.h"

#include "core/browser/browsercontrol.h"

QString ConnectionTest::defaultAddress()
{
    return QStringLiteral(ONDAVOX_SITE_URL "/ovx_online/test_connexion.php");
}

ConnectionTest::ConnectionTest(BrowserControl &browser, const QString &address, QObject *parent)
    : QObject(parent)
    , m_browser(browser)
    , m_address(address)
{
    connect(&m_browser, &BrowserControl::navigateComplete, this, &ConnectionTest::TestInternet_NavigateComplete2);
    connect(&m_browser, &BrowserControl::navigateError, this, &ConnectionTest::TestInternet_NavigateError);
}

void ConnectionTest::start()
{
    m_browser.navigate(m_address);
}

QString ConnectionTest::text() const
{
    switch (m_result) {
    case Result::Connected:
        return QStringLiteral("Ondavox est bien connecté à Internet");
    case Result::Failed:
        return QStringLiteral("Ondavox ne peut pas accéder à Internet");
    case Result::Untested:
        break;
    }
    return QStringLiteral("Ondavox ne peut pas accéder à Internet.");
}

void ConnectionTest::TestInternet_NavigateComplete2()
{
    setResult(Result::Connected);
}

void ConnectionTest::TestInternet_NavigateError()
{
    setResult(Result::Failed);
}

void ConnectionTest::setResult(Result result)
{
    if (m_result == result)
        return;
    m_result = result;
    Q_EMIT resultChanged(m_result);
}
