#include "ui/update/miseajour.h"

#include "core/browser/browsercontrol.h"
#include "core/state/statestore.h"
#include "ui/shell/about.h"
#include "ui/skin/imagebuttonpair.h"
#include "ui/skin/kivcommand.h"
#include "ui/skin/kivprogressbar.h"
#include "ui/skin/twips.h"

#include <QDesktopServices>
#include <QLabel>
#include <QLayout>
#include <QUrl>

namespace
{

constexpr int clientWidth = 640;
constexpr int progressWidth = 140;
constexpr int titleStripHeight = 30;
constexpr int margin = 12;
constexpr QSize wbSize(Twips::toPixels(4410), Twips::toPixels(1290));
constexpr int designLigneBasTwips = 2688;
constexpr int downloadLigneBasTwips = 3698;

// A line sits on a whole pixel inside the height it borders: rounded down,
// where sizes round up.
constexpr int lineY(int twips)
{
    return twips / Twips::PerPixel;
}

} // namespace

MiseAJour::MiseAJour(StateStore &store,
    BrowserControl &wb,
    QWidget *wbView,
    BrowserControl &wbDownload,
    const QString &downloadFolder,
    const QString &siteUrl,
    const QString &secondSiteUrl,
    QWidget *parent)
    : SkinnedWindow(parent)
    , m_downloader(wbDownload, downloadFolder)
    , m_secondSiteUrl(secondSiteUrl)
{
    setObjectName(QStringLiteral("MiseAJour"));
    setTitle(QStringLiteral("Mise à jour..."));
    titleLabel()->setText(QStringLiteral("MISE A JOUR"));
    titleStrip()->setFixedHeight(titleStripHeight);
    setFixedSize(clientWidth, Twips::toPixels(heightTwips));
    // Children are placed in window coordinates, known once the layout ran.
    layout()->activate();

    buildUpperPart(wbView);
    buildLowerPart();
    connect(closePair(), &ImageButtonPair::Click, this, &MiseAJour::Quitter2_Click);
    connect(&m_downloader, &UpdateDownloader::changed, this, &MiseAJour::showDownload);

    // Creation, once: version, page, height, update address.
    m_label2->setText(About::versionText());
    wb.navigate(siteUrl + QStringLiteral("/ovx_online/Vdispo.htm"));
    setHeightTwips(heightTwips, designLigneBasTwips);
    m_url = store.preferences().urlMaj;
}

QLabel *MiseAJour::addLabel(QWidget *parent, const QString &text, const QRect &geometry)
{
    auto *label = new QLabel(text, parent);
    label->setGeometry(QRect(parent->mapFrom(this, geometry.topLeft()), geometry.size()));
    return label;
}

void MiseAJour::buildUpperPart(QWidget *wbView)
{
    QWidget *area = content();
    auto *label1 = addLabel(area, QStringLiteral("Votre version : "), QRect(margin, 38, 96, 18));
    label1->adjustSize();
    m_label2 = addLabel(area, QString(), QRect(margin + label1->width(), 38, 120, label1->height()));
    m_label2->setObjectName(QStringLiteral("Label2"));
    m_label2->setTextFormat(Qt::PlainText);
    m_label2->setTextInteractionFlags(Qt::TextSelectableByMouse);
    addLabel(area, QStringLiteral("Version disponible sur Internet :"), QRect(margin, 58, wbSize.width(), 18));

    if (wbView) {
        wbView->setParent(area);
        wbView->setObjectName(QStringLiteral("WB"));
        wbView->setGeometry(QRect(area->mapFrom(this, QPoint(margin, 78)), wbSize));
        wbView->show();
    }

    const int columnX = margin + wbSize.width() + 14;
    const int columnWidth = clientWidth - columnX - margin;
    QLabel *advice = addLabel(area,
        QStringLiteral("Si la version proposée est supérieure à celle que vous possédez, il est conseillé de "
                       "télécharger la Mise a Jour"),
        QRect(columnX, 76, columnWidth, 40));
    advice->setWordWrap(true);
    advice->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_kivCommand2 = new KivCommand(QStringLiteral("Télécharger la version indiquée"), area);
    m_kivCommand2->setObjectName(QStringLiteral("KivCommand2"));
    m_kivCommand2->setGeometry(
        QRect(area->mapFrom(this, QPoint(columnX, 78 + wbSize.height() - 26)), QSize(columnWidth, 26)));
    connect(m_kivCommand2, &KivCommand::Click, this, &MiseAJour::KivCommand2_Click);
}

void MiseAJour::buildLowerPart()
{
    const int top = Twips::toPixels(heightTwips);
    m_lowerPart = new QWidget(content());
    m_lowerPart->setObjectName(QStringLiteral("LowerPart"));
    m_lowerPart->setMouseTracking(true);
    m_lowerPart->setGeometry(QRect(
        content()->mapFrom(this, QPoint(0, top)), QSize(clientWidth, Twips::toPixels(downloadHeightTwips) - top)));

    const int inner = clientWidth - 2 * margin;
    // The server names the file: plain text.
    m_status = addLabel(m_lowerPart, QString(), QRect(margin, top, inner, 18));
    m_status->setObjectName(QStringLiteral("Etat"));
    m_status->setTextFormat(Qt::PlainText);
    m_progress = new KivProgressBar(m_lowerPart);
    m_progress->setObjectName(QStringLiteral("Progression"));
    m_progress->setAccessibleName(QStringLiteral("Progression du téléchargement"));
    m_progress->setGeometry(QRect(
        m_lowerPart->mapFrom(this, QPoint(clientWidth - margin - progressWidth, top + 7)), QSize(progressWidth, 4)));

    QLabel *instructions = addLabel(m_lowerPart,
        QStringLiteral("Une fois le téléchargement terminé, éxécutez le fichier et installez-le en suivant les "
                       "instructions.\nVeuillez attendre la fin du téléchargement avant de quitter le logiciel."),
        QRect(margin, top + 19, inner, 26));
    instructions->setWordWrap(true);
    instructions->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont small = instructions->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    instructions->setFont(small);

    // A link to look at, a button to the keyboard (Space and Enter).
    m_label6 = new KivCommand(QStringLiteral("En cas de problème,  %1").arg(QUrl(m_secondSiteUrl).host()), m_lowerPart);
    m_label6->setObjectName(QStringLiteral("Label6"));
    m_label6->setProperty("link", true);
    m_label6->setCursor(Qt::PointingHandCursor);
    m_label6->adjustSize();
    m_label6->move(m_lowerPart->mapFrom(this, QPoint(margin, top + 47)));
    connect(m_label6, &KivCommand::Click, this, &MiseAJour::Label6_Click);

    m_kivCommand1 = new KivCommand(QStringLiteral("OK"), m_lowerPart);
    m_kivCommand1->setObjectName(QStringLiteral("KivCommand1"));
    m_kivCommand1->setGeometry(
        QRect(m_lowerPart->mapFrom(this, QPoint(clientWidth - margin - 80, top + 44)), QSize(80, 21)));
    connect(m_kivCommand1, &KivCommand::Click, this, &MiseAJour::KivCommand1_Click);

    m_ligneBas = new QWidget(this);
    m_ligneBas->setObjectName(QStringLiteral("LigneBas"));
    m_ligneBas->setAttribute(Qt::WA_StyledBackground);
    m_ligneBas->setStyleSheet(QStringLiteral("#LigneBas { background-color: #2c3441; }"));
    showDownload();
}

void MiseAJour::setHeightTwips(int twips, int ligneBasTwips)
{
    setFixedHeight(Twips::toPixels(twips));
    m_lowerPart->setVisible(twips > heightTwips);
    m_ligneBas->setGeometry(0, lineY(ligneBasTwips), clientWidth, 1);
    m_ligneBas->raise();
}

void MiseAJour::showEvent(QShowEvent *event)
{
    SkinnedWindow::showEvent(event);
    setHeightTwips(heightTwips, designLigneBasTwips);
}

void MiseAJour::KivCommand2_Click()
{
    m_downloader.start(m_url);
    setHeightTwips(downloadHeightTwips, downloadLigneBasTwips);
}

void MiseAJour::KivCommand1_Click()
{
    hide();
}

void MiseAJour::Quitter2_Click()
{
    hide();
}

void MiseAJour::Label6_Click()
{
    QDesktopServices::openUrl(QUrl(m_secondSiteUrl));
}

void MiseAJour::showDownload()
{
    const UpdateDownloader::Stage stage = m_downloader.stage();
    const bool receiving = stage == UpdateDownloader::Stage::Receiving;
    m_progress->setVisible(receiving);
    // The bar counts in kilobytes, which an int holds for any installer.
    m_progress->setUpperBound(int(std::max<qint64>(m_downloader.totalBytes(), 0) / 1024));
    m_progress->setProgress(int(m_downloader.receivedBytes() / 1024));

    // One line: a long folder is shortened in the middle, and the whole text
    // stays in the tooltip and for screen readers.
    const int width = clientWidth - 2 * margin - (receiving ? progressWidth + 10 : 0);
    const QString text = m_downloader.text();
    const QString shown = m_status->fontMetrics().elidedText(text, Qt::ElideMiddle, width);
    m_status->setFixedWidth(width);
    m_status->setText(shown);
    m_status->setToolTip(shown == text ? QString() : text);
    m_status->setAccessibleName(shown == text ? QString() : text);
}
