#include "ui/directory/annuaire.h"

#include "core/concurrency/runelsewhere.h"
#include "core/directory/directorychoices.h"
#include "core/directory/directorysearch.h"
#include "core/directory/faviconcache.h"
#include "core/directory/liststations.h"
#include "core/favourites/favouritescontroller.h"
#include "core/playback/playercontrol.h"
#include "core/playback/playrequest.h"
#include "ui/directory/directorymodel.h"
#include "ui/directory/droppedfiles.h"
#include "ui/directory/faviconimages.h"
#include "ui/directory/favouritesexport.h"
#include "ui/directory/stationdelegate.h"
#include "ui/skin/imagebuttonpair.h"
#include "ui/skin/kivcommand.h"
#include "ui/skin/kivtextbox.h"

#include <QComboBox>
#include <QDragEnterEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>
#include <malloc.h>

namespace
{

const QString radioMode = QStringLiteral("RADIO");
const QString errorPrefix = QStringLiteral("Erreur : ");

QLabel *plainLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    return label;
}

void fill(QComboBox *box, const QString &all, const QList<DirectoryChoices::Choice> &choices)
{
    box->addItem(all, QString());
    for (const DirectoryChoices::Choice &choice : choices)
        box->addItem(choice.label, choice.value);
}

} // namespace

Annuaire::Annuaire(StateStore &store,
    PlayerControl &player,
    BrowserControl &browser,
    FavouritesController &favourites,
    const Services &services,
    QWidget *parent)
    : SkinnedWindow(parent)
    , m_store(store)
    , m_player(player)
    , m_browser(browser)
    , m_favourites(favourites)
    , m_client(new DirectoryClient(services.directory, this))
    , m_search(new DirectorySearch(*m_client, this))
    , m_faviconCache(new FaviconCache(services.faviconFolder, this))
    , m_icons(new FaviconImages(*m_faviconCache, this))
    , m_model(new DirectoryModel(*m_search, *m_icons, this))
{
    setObjectName(QStringLiteral("Annuaire"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAcceptDrops(true);
    setTitle(QStringLiteral("Annuaire des radios"));
    titleLabel()->setText(QStringLiteral("ANNUAIRE DES RADIOS"));
    setMinimumSize(540, 420);
    resize(700, 580);
    setSizingFrame(true);

    auto *layout = new QVBoxLayout(content());
    layout->setContentsMargins(12, 10, 12, 10);
    layout->setSpacing(8);
    buildSearchRow();
    buildResults();
    buildButtons();

    connect(m_search, &DirectorySearch::statusChanged, m_status, &QLabel::setText);
    connect(&m_player, &PlayerControl::statusChanged, this, &Annuaire::showPlayerStatus);
    connect(closePair(), &ImageButtonPair::Click, this, &QWidget::close);
}

Annuaire::~Annuaire()
{
    // Nothing fetched for this window is wanted any more.
    m_client->cancel();
    // The answers and pictures were read on worker threads, whose memory
    // glibc keeps for them once freed: the program gives it back now that
    // the window is gone. Queued, so that the window's members go first.
    QTimer::singleShot(0, [] {
        malloc_trim(0);
    });
}

void Annuaire::buildSearchRow()
{
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    m_name = new KivTextBox(content());
    m_name->setObjectName(QStringLiteral("Recherche"));
    m_name->setPlaceholderText(QStringLiteral("Nom de la station ou mot (FIP, jazz, info…)"));
    m_name->setAccessibleName(QStringLiteral("Rechercher une station"));
    m_name->setClearButtonEnabled(true);
    m_country = new QComboBox(content());
    m_country->setObjectName(QStringLiteral("Pays"));
    fill(m_country, QStringLiteral("Tous les pays"), DirectoryChoices::countries());
    m_country->setAccessibleName(QStringLiteral("Pays"));
    m_language = new QComboBox(content());
    m_language->setObjectName(QStringLiteral("Langue"));
    fill(m_language, QStringLiteral("Toutes les langues"), DirectoryChoices::languages());
    m_language->setAccessibleName(QStringLiteral("Langue"));
    m_tag = new KivTextBox(content());
    m_tag->setObjectName(QStringLiteral("Genre"));
    m_tag->setPlaceholderText(QStringLiteral("rock, info, classique…"));
    m_tag->setAccessibleName(QStringLiteral("Genre"));

    auto *nameLabel = plainLabel(QStringLiteral("Rechercher : "), content());
    nameLabel->setBuddy(m_name);
    grid->addWidget(nameLabel, 0, 0);
    grid->addWidget(m_name, 0, 1, 1, 5);
    auto *countryLabel = plainLabel(QStringLiteral("Pays : "), content());
    countryLabel->setBuddy(m_country);
    grid->addWidget(countryLabel, 1, 0);
    grid->addWidget(m_country, 1, 1);
    auto *languageLabel = plainLabel(QStringLiteral("Langue : "), content());
    languageLabel->setBuddy(m_language);
    grid->addWidget(languageLabel, 1, 2);
    grid->addWidget(m_language, 1, 3);
    auto *tagLabel = plainLabel(QStringLiteral("Genre : "), content());
    tagLabel->setBuddy(m_tag);
    grid->addWidget(tagLabel, 1, 4);
    grid->addWidget(m_tag, 1, 5);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(3, 2);
    grid->setColumnStretch(5, 2);
    static_cast<QVBoxLayout *>(content()->layout())->addLayout(grid);

    connect(m_name, &QLineEdit::textChanged, this, &Annuaire::searchChanged);
    connect(m_tag, &QLineEdit::textChanged, this, &Annuaire::searchChanged);
    connect(m_country, &QComboBox::currentIndexChanged, this, &Annuaire::searchChanged);
    connect(m_language, &QComboBox::currentIndexChanged, this, &Annuaire::searchChanged);
}

void Annuaire::buildResults()
{
    m_results = new QListView(content());
    m_results->setObjectName(QStringLiteral("Resultats"));
    m_results->setAccessibleName(QStringLiteral("Stations trouvées"));
    m_results->setModel(m_model);
    m_results->setItemDelegate(new StationDelegate(m_results));
    // Every row the same height: ten thousand rows are laid out without being measured.
    m_results->setUniformItemSizes(true);
    m_results->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_results->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_results->setSelectionMode(QAbstractItemView::SingleSelection);
    m_results->setMouseTracking(true);
    m_results->setContextMenuPolicy(Qt::CustomContextMenu);
    m_results->setStyleSheet(QStringLiteral("QListView { background-color: #0c0e12; border: 1px solid #2c3441; "
                                            "border-radius: 6px; outline: none; }"));
    static_cast<QVBoxLayout *>(content()->layout())->addWidget(m_results, 1);

    connect(m_results, &QListView::clicked, this, [this](const QModelIndex &index) {
        play(index.row());
    });
    for (const QKeySequence &key : { QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter) }) {
        auto *shortcut = new QShortcut(key, m_results, nullptr, nullptr, Qt::WidgetShortcut);
        connect(shortcut, &QShortcut::activated, this, [this] {
            play(currentRow());
        });
    }
    connect(m_results, &QWidget::customContextMenuRequested, this, [this](QPoint position) {
        const QModelIndex index = m_results->indexAt(position);
        if (!index.isValid())
            return;
        m_results->setCurrentIndex(index);
        QMenu menu(this);
        menu.addAction(QStringLiteral("Écouter"), this, [this, row = index.row()] {
            play(row);
        });
        menu.addAction(QStringLiteral("Ajouter aux favoris"), this, [this, row = index.row()] {
            addToFavourites(row);
        });
        menu.exec(m_results->viewport()->mapToGlobal(position));
    });

    m_status = plainLabel(QString(), content());
    m_status->setObjectName(QStringLiteral("Etat"));
    m_status->setProperty("muted", true);
    m_status->setWordWrap(true);
    static_cast<QVBoxLayout *>(content()->layout())->addWidget(m_status);
    m_notice = plainLabel(QString(), content());
    m_notice->setObjectName(QStringLiteral("Avis"));
    m_notice->setWordWrap(true);
    m_notice->hide();
    static_cast<QVBoxLayout *>(content()->layout())->addWidget(m_notice);
}

void Annuaire::buildButtons()
{
    auto *row = new QHBoxLayout;
    row->setSpacing(8);
    m_ecouter = new KivCommand(QStringLiteral("Écouter"), content());
    m_ecouter->setObjectName(QStringLiteral("Ecouter"));
    m_ajouter = new KivCommand(QStringLiteral("Ajouter aux favoris"), content());
    m_ajouter->setObjectName(QStringLiteral("AjouterFavoris"));
    auto *open = new KivCommand(QStringLiteral("Ouvrir une liste…"), content());
    open->setObjectName(QStringLiteral("OuvrirListe"));
    auto *exportList = new KivCommand(QStringLiteral("Exporter les favoris…"), content());
    exportList->setObjectName(QStringLiteral("ExporterFavoris"));
    row->addWidget(m_ecouter);
    row->addWidget(m_ajouter);
    row->addStretch(1);
    row->addWidget(open);
    row->addWidget(exportList);
    static_cast<QVBoxLayout *>(content()->layout())->addLayout(row);

    const auto updateButtons = [this] {
        const bool chosen = currentRow() >= 0;
        m_ecouter->setEnabled(chosen);
        m_ajouter->setEnabled(chosen);
    };
    updateButtons();
    connect(m_results->selectionModel(), &QItemSelectionModel::currentChanged, this, updateButtons);
    connect(m_model, &QAbstractItemModel::modelReset, this, updateButtons);
    connect(m_ecouter, &KivCommand::Click, this, [this] {
        play(currentRow());
    });
    connect(m_ajouter, &KivCommand::Click, this, [this] {
        addToFavourites(currentRow());
    });
    connect(open, &KivCommand::Click, this, &Annuaire::chooseStationList);
    connect(exportList, &KivCommand::Click, this, [this] {
        exportFavourites(this, m_favourites.favourites());
    });
}

int Annuaire::currentRow() const
{
    const QModelIndex current = m_results->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void Annuaire::searchChanged()
{
    m_search->setCriteria(
        { m_name->text(), m_country->currentData().toString(), m_language->currentData().toString(), m_tag->text() });
}

void Annuaire::showEvent(QShowEvent *event)
{
    SkinnedWindow::showEvent(event);
    // The opening list, unless a list file came first.
    if (!m_started) {
        m_started = true;
        m_search->searchNow();
    }
}

void Annuaire::play(int row)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    const DirectoryStation &station = m_model->station(row);
    m_results->setCurrentIndex(m_model->index(row));
    PlayRequest request;
    request.kind = PlayRequest::Kind::Stream;
    request.address = station.address;
    request.name = station.name;
    request.mode = radioMode;
    request.picture = m_faviconCache->path(station.favicon);
    m_playedName = station.name;
    m_playedAddress = station.address;
    requestPlay(request, m_store, m_player, m_browser);
    m_client->countClick(station.uuid);
    setNotice(QStringLiteral("Connexion à « %1 »…").arg(station.name));
}

void Annuaire::showPlayerStatus(const QString &status)
{
    if (m_playedAddress.isEmpty() || m_player.url() != m_playedAddress)
        return;
    if (status.startsWith(errorPrefix)) {
        setNotice(QStringLiteral("La station « %1 » ne peut pas être écoutée : %2.")
                      .arg(m_playedName, status.mid(errorPrefix.size())));
    } else if (status.startsWith(QLatin1String("Lec"))) {
        setNotice(QStringLiteral("Écoute de « %1 ».").arg(m_playedName));
    }
}

void Annuaire::addToFavourites(int row)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    const DirectoryStation &station = m_model->station(row);
    // The dialog's path: a name, an address and the type "Radio" (its first).
    if (m_favourites.KivCommand1_Click(station.name, station.address, 0))
        setNotice(QStringLiteral("« %1 » a été ajoutée aux favoris.").arg(station.name));
}

void Annuaire::setNotice(const QString &text)
{
    m_notice->setText(text);
    m_notice->setVisible(!text.isEmpty());
}

void Annuaire::chooseStationList()
{
    const QStringList paths = QFileDialog::getOpenFileNames(this,
        QStringLiteral("Ouvrir une liste de stations"),
        QString(),
        QStringLiteral("Listes de stations (*.m3u *.m3u8 *.pls);;Tous les fichiers (*)"));
    if (!paths.isEmpty())
        openStationLists(paths);
}

void Annuaire::openStationLists(const QStringList &paths)
{
    if (paths.isEmpty())
        return;
    // The list takes the place of the opening list.
    m_started = true;
    m_search->stop();
    m_status->setText(QStringLiteral("Lecture de la liste…"));
    runElsewhere(
        this,
        [paths] {
            return ListStations::read(paths);
        },
        [this](const ListStations::Read &read) {
            if (read.stations.isEmpty())
                m_status->setText(read.notes.join(QLatin1Char(' ')));
            else
                m_search->showList(read.title, read.stations, read.notes.join(QLatin1Char(' ')));
            Q_EMIT stationListsOpened();
        });
}

void Annuaire::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void Annuaire::dropEvent(QDropEvent *event)
{
    const QStringList paths = droppedFiles(event->mimeData());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    openStationLists(paths);
}
