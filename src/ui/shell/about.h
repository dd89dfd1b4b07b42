#pragma once

#include "ui/skin/skinnedwindow.h"

#include <QUrl>

// The about window: the program's version and the publisher's pages
// (donations, web site, mail), opened by the desktop's own programs.
class About : public SkinnedWindow
{
    Q_OBJECT

public:
    explicit About(const QString &siteAddress = QStringLiteral(ONDAVOX_SITE_URL), QWidget *parent = nullptr);

    // The version text the update window compares with the published one.
    static QString versionText() { return QStringLiteral(ONDAVOX_VERSION); }

    QUrl donationsUrl() const;
    QUrl siteUrl() const;
    QUrl mailUrl() const;

private:
    QString m_siteUrl;
};
