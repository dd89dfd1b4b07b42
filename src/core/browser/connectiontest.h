#pragma once

#include <QObject>
#include <QString>

class BrowserControl;

// The options window's connection test: its small browser box loads a page of
// the publisher's site, and whether that worked becomes the line `Connected`.
// The page itself is never examined: any page that loads counts as success.
class ConnectionTest : public QObject
{
    Q_OBJECT

public:
    enum class Result { Untested, Connected, Failed };
    Q_ENUM(Result)

    static QString defaultAddress();

    ConnectionTest(BrowserControl &browser, const QString &address = defaultAddress(), QObject *parent = nullptr);

    // Start-up, and `RefreshBtn_Click`: the box loads the test page again. The
    // line keeps its last result until the page has loaded or failed.
    void start();

    Result result() const { return m_result; }
    // The text of `Connected`.
    QString text() const;
    QString address() const { return m_address; }

Q_SIGNALS:
    void resultChanged(ConnectionTest::Result result);

private:
    void TestInternet_NavigateComplete2();
    void TestInternet_NavigateError();
    void setResult(Result result);

    BrowserControl &m_browser;
    QString m_address;
    Result m_result = Result::Untested;
};
