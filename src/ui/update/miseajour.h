#pragma once

#include "core/update/updatedownloader.h"
#include "ui/skin/skinnedwindow.h"

class BrowserControl;
class KivCommand;
class KivProgressBar;
class QLabel;
class StateStore;

// The update window: the version being run beside the publisher's version
// page, and the download of the update. It is created at its first showing,
// which loads the page and reads the update address once; later showings
// reload nothing. Every showing brings it back to its upper part; the
// download step opens the lower part, which follows the download.
class MiseAJour : public SkinnedWindow
{
    Q_OBJECT

public:
    static constexpr int heightTwips = 2700;
    static constexpr int downloadHeightTwips = 3700;

    // `wb` shows the version page in `wbView`; `wbDownload` is the hidden
    // browser sent to the update address. Files go to `downloadFolder`.
    MiseAJour(StateStore &store,
        BrowserControl &wb,
        QWidget *wbView,
        BrowserControl &wbDownload,
        const QString &downloadFolder,
        const QString &siteUrl = QStringLiteral(ONDAVOX_SITE_URL),
        const QString &secondSiteUrl = QStringLiteral(ONDAVOX_SECOND_SITE_URL),
        QWidget *parent = nullptr);

    // The update address read at creation (`Url`).
    QString url() const { return m_url; }
    const UpdateDownloader &downloader() const { return m_downloader; }

    void KivCommand2_Click();
    void KivCommand1_Click();
    void Quitter2_Click();
    void Label6_Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildUpperPart(QWidget *wbView);
    void buildLowerPart();
    QLabel *addLabel(QWidget *parent, const QString &text, const QRect &geometry);
    void setHeightTwips(int twips, int ligneBasTwips);
    void showDownload();

    UpdateDownloader m_downloader;
    QString m_secondSiteUrl;
    QString m_url;

    QLabel *m_label2 = nullptr;
    KivCommand *m_kivCommand2 = nullptr;
    QWidget *m_lowerPart = nullptr;
    QLabel *m_status = nullptr;
    KivProgressBar *m_progress = nullptr;
    KivCommand *m_label6 = nullptr;
    KivCommand *m_kivCommand1 = nullptr;
    QWidget *m_ligneBas = nullptr;
};
