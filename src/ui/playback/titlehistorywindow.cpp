#include "ui/playback/titlehistorywindow.h"

#include "core/history/titlehistory.h"
#include "ui/skin/imagebuttonpair.h"
#include "ui/skin/kivcommand.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace
{

enum Column { TimeColumn, StationColumn, TitleColumn };

QString shownTime(const QDateTime &time)
{
    const QDateTime local = time.toLocalTime();
    return local.date() == QDate::currentDate() ? local.toString(QStringLiteral("HH:mm"))
                                                : local.toString(QStringLiteral("dd/MM HH:mm"));
}

} // namespace

TitleHistoryWindow::TitleHistoryWindow(TitleHistory &history, QWidget *parent)
    : SkinnedWindow(parent)
    , m_history(history)
    , m_list(new QTreeWidget(content()))
    , m_copy(new KivCommand(QStringLiteral("Copier le titre"), content()))
    , m_search(new KivCommand(QStringLiteral("Rechercher la vidéo"), content()))
{
    setObjectName(QStringLiteral("TitresEcoutes"));
    setTitle(QStringLiteral("TITRES ÉCOUTÉS"));
    setWindowTitle(QStringLiteral("Titres écoutés"));

    m_list->setObjectName(QStringLiteral("titles"));
    m_list->setAccessibleName(QStringLiteral("Titres écoutés"));
    m_list->setHeaderLabels({ QStringLiteral("Heure"), QStringLiteral("Station"), QStringLiteral("Titre") });
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->header()->setStretchLastSection(true);
    m_list->setColumnWidth(TimeColumn, 80);
    m_list->setColumnWidth(StationColumn, 150);
    m_copy->setObjectName(QStringLiteral("copyTitle"));
    m_search->setObjectName(QStringLiteral("searchTitle"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_copy);
    buttons->addWidget(m_search);
    auto *layout = new QVBoxLayout(content());
    layout->setContentsMargins(12, 8, 12, 12);
    layout->setSpacing(8);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    resize(560, 380);

    connect(closePair(), &ImageButtonPair::Click, this, &QWidget::hide);
    connect(m_copy, &KivCommand::Click, this, &TitleHistoryWindow::copyChosen);
    connect(m_search, &KivCommand::Click, this, &TitleHistoryWindow::searchChosen);
    connect(m_list, &QTreeWidget::currentItemChanged, this, &TitleHistoryWindow::updateButtons);
    connect(&history, &TitleHistory::changed, this, &TitleHistoryWindow::refill);
    refill();
}

void TitleHistoryWindow::refill()
{
    m_list->clear();
    const QList<TitleHistory::Entry> entries = m_history.entries();
    for (auto entry = entries.crbegin(); entry != entries.crend(); ++entry) {
        // Plain items: a title is shown as it was sent, never as markup.
        auto *item = new QTreeWidgetItem(m_list, { shownTime(entry->time), entry->station, entry->title });
        item->setToolTip(TitleColumn, entry->title);
    }
    if (m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));
    updateButtons();
}

void TitleHistoryWindow::updateButtons()
{
    const bool chosen = !chosenTitle().isEmpty();
    m_copy->setEnabled(chosen);
    m_search->setEnabled(chosen);
}

QString TitleHistoryWindow::chosenTitle() const
{
    const QTreeWidgetItem *item = m_list->currentItem();
    return item ? item->text(TitleColumn) : QString();
}

void TitleHistoryWindow::copyChosen()
{
    if (!chosenTitle().isEmpty())
        QGuiApplication::clipboard()->setText(chosenTitle());
}

void TitleHistoryWindow::searchChosen()
{
    if (!chosenTitle().isEmpty())
        Q_EMIT searchRequested(chosenTitle());
}
