#include "ui/shell/connectiontestline.h"

#include "ui/skin/skin.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

ConnectionTestLine::ConnectionTestLine(BrowserControl &testInternet, const QString &testAddress, QWidget *frame)
    : QObject(frame)
    , m_test(testInternet, testAddress)
    , m_connected(new QLabel(frame))
    , m_refreshBtn(new QToolButton(frame))
    , m_layout(new QHBoxLayout)
{
    m_connected->setObjectName(QStringLiteral("Connected"));
    m_connected->setTextFormat(Qt::PlainText);
    m_connected->setMouseTracking(true);
    m_connected->installEventFilter(this);
    m_refreshBtn->setObjectName(QStringLiteral("RefreshBtn"));
    m_refreshBtn->setIcon(QIcon(Skin::imagePath(QStringLiteral("refresh-icon"))));
    m_refreshBtn->setAutoRaise(true);
    m_refreshBtn->setToolTip(QStringLiteral("Tester à nouveau la connexion"));
    m_refreshBtn->setAccessibleName(m_refreshBtn->toolTip());
    m_refreshBtn->setCursor(Qt::PointingHandCursor);

    m_layout->addWidget(m_connected, 1);
    m_layout->addWidget(m_refreshBtn);

    connect(&m_test, &ConnectionTest::resultChanged, this, &ConnectionTestLine::showResult);
    connect(m_refreshBtn, &QToolButton::clicked, this, &ConnectionTestLine::start);
    showResult();
}

void ConnectionTestLine::addTestView(QWidget *view)
{
    // The page is only proof that the site answered: a glimpse is enough.
    view->setParent(m_connected->parentWidget());
    view->setObjectName(QStringLiteral("TestInternet"));
    view->setFixedSize(124, 37);
    m_layout->addWidget(view);
}

void ConnectionTestLine::showResult()
{
    m_connected->setText(m_test.text());
    switch (m_test.result()) {
    case ConnectionTest::Result::Connected:
        m_connected->setStyleSheet(QStringLiteral("color: rgb(0, 128, 0);"));
        break;
    case ConnectionTest::Result::Failed:
        m_connected->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));
        break;
    case ConnectionTest::Result::Untested:
        m_connected->setStyleSheet(QString());
        break;
    }
}

bool ConnectionTestLine::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_connected && event->type() == QEvent::MouseMove
        && m_test.result() == ConnectionTest::Result::Failed)
        Q_EMIT failureHovered();
    return QObject::eventFilter(watched, event);
}
