#pragma once

#include <QObject>
#include <QString>

class BrowserDownload;

// An embedded web browser as the rest of the program sees it: the main
// window's page view, the connection test box, the update window's views.
class BrowserControl : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    virtual void navigate(const QString &address) = 0;
    virtual void stop() = 0;
    virtual void refresh() = 0;

    virtual void setVisible(bool visible) = 0;
    virtual bool isVisible() const = 0;

    // A free text the program keeps on the browser ("Debut" during the
    // start-up home page).
    QString tag() const { return m_tag; }
    void setTag(const QString &tag) { m_tag = tag; }

Q_SIGNALS:
    void progressChange(int progress, int progressMax);
    void navigateComplete(const QString &url);
    void navigateError(const QString &url, int statusCode);
    // A navigation of this browser turned into a file download. A handler
    // that wants the file accepts it before returning; otherwise it is
    // cancelled. The browser owns the download.
    void downloadStarted(BrowserDownload *download);

private:
    QString m_tag;
};
