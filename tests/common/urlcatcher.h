#pragma once

#include <QList>
#include <QObject>
#include <QUrl>

// Receives what a window asks QDesktopServices to open, in place of the
// desktop's browser (QDesktopServices::setUrlHandler(scheme, &catcher, "open")).
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> urls;

public Q_SLOTS:
    void open(const QUrl &url) { urls.append(url); }
};
