#include "ui/shell/about.h"

#include "ui/skin/imagebuttonpair.h"
#include "ui/skin/kivcommand.h"
#include "ui/skin/skin.h"

#include <QDesktopServices>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

About::About(const QString &siteAddress, QWidget *parent)
    : SkinnedWindow(parent)
    , m_siteUrl(siteAddress)
{
    setObjectName(QStringLiteral("About"));
    setTitle(QStringLiteral("A PROPOS D'ONDAVOX"));

    QWidget *area = content();
    auto *logo = new QLabel(area);
    logo->setPixmap(Skin::applicationIcon().pixmap(64, 64));
    logo->setAccessibleName(QStringLiteral("Ondavox"));
    auto *name = new QLabel(QStringLiteral("Ondavox"), area);
    name->setObjectName(QStringLiteral("Name"));
    name->setStyleSheet(QStringLiteral("font-size: 18pt; font-weight: bold;"));
    auto *versionCaption = new QLabel(QStringLiteral("Version :"), area);
    auto *version = new QLabel(versionText(), area);
    version->setTextFormat(Qt::PlainText);
    version->setObjectName(QStringLiteral("Version"));
    version->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *description = new QLabel(QStringLiteral("La radio et la télévision par Internet."), area);
    description->setWordWrap(true);

    auto *donations = new KivCommand(QStringLiteral("Faire un don"), area);
    donations->setObjectName(QStringLiteral("Dons"));
    auto *web = new KivCommand(QStringLiteral("Site Internet"), area);
    web->setObjectName(QStringLiteral("Site"));
    auto *mail = new KivCommand(QStringLiteral("Nous écrire"), area);
    mail->setObjectName(QStringLiteral("Mail"));
    connect(donations, &KivCommand::Click, this, [this] {
        QDesktopServices::openUrl(donationsUrl());
    });
    connect(web, &KivCommand::Click, this, [this] {
        QDesktopServices::openUrl(siteUrl());
    });
    connect(mail, &KivCommand::Click, this, [this] {
        QDesktopServices::openUrl(mailUrl());
    });
    connect(closePair(), &ImageButtonPair::Click, this, &QWidget::hide);

    auto *identity = new QGridLayout;
    identity->addWidget(logo, 0, 0, 3, 1, Qt::AlignTop);
    identity->addWidget(name, 0, 1, 1, 2);
    identity->addWidget(versionCaption, 1, 1);
    identity->addWidget(version, 1, 2);
    identity->addWidget(description, 2, 1, 1, 2);
    identity->setColumnStretch(2, 1);
    identity->setHorizontalSpacing(12);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(donations);
    buttons->addWidget(web);
    buttons->addWidget(mail);

    auto *layout = new QVBoxLayout(area);
    layout->setContentsMargins(16, 12, 16, 16);
    layout->setSpacing(14);
    layout->addLayout(identity);
    layout->addLayout(buttons);
    setFixedWidth(400);
}

QUrl About::donationsUrl() const
{
    return QUrl(m_siteUrl + QStringLiteral("/dons.php"));
}

QUrl About::siteUrl() const
{
    return QUrl(m_siteUrl + QStringLiteral("/index-ovx.php"));
}

// The publisher's mail lives at the site's own domain.
QUrl About::mailUrl() const
{
    QString domain = QUrl(m_siteUrl).host();
    if (domain.startsWith(QStringLiteral("www.")))
        domain.remove(0, 4);
    return QUrl(QStringLiteral("mailto:contact@") + domain);
}
