#include "ui/shell/radio.h"

#include "core/state/statestore.h"
#include "ui/directory/droppedfiles.h"
#include "ui/skin/imagebuttonpair.h"
#include "ui/skin/kivprogressbar.h"
#include "ui/skin/sizingframe.h"
#include "ui/skin/skin.h"
#include "ui/skin/twips.h"
#include "ui/skin/windowdragger.h"

#include <QCloseEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>

namespace
{

constexpr int titleHeight = 30;
constexpr int toolbarTop = 33;
constexpr int toolSize = 40;
constexpr int windowButtonSize = 22;

int mouseButtonNumber(Qt::MouseButton button)
{
    return button == Qt::RightButton ? 2 : button == Qt::MiddleButton ? 4 : 1;
}

} // namespace

Radio::Radio(StateStore &store, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , m_store(store)
{
    setObjectName(QStringLiteral("Radio"));
    setWindowTitle(QStringLiteral("Ondavox"));
    setWindowIcon(Skin::applicationIcon());
    setAttribute(Qt::WA_StyledBackground);
    setMouseTracking(true);
    // A station list dropped from a file manager opens in the directory window.
    setAcceptDrops(true);

    m_deplace = new QWidget(this);
    m_deplace->setObjectName(QStringLiteral("Deplace"));
    m_deplace->setProperty("titleStrip", true);
    m_deplace->setAttribute(Qt::WA_StyledBackground);
    m_deplace->setMouseTracking(true);

    m_lecture = new QLabel(m_store.lecture(), this);
    m_lecture->setObjectName(QStringLiteral("Lecture"));
    m_lecture->setProperty("titleLabel", true);
    // Station and programme names come from the catalogues and favourites.
    m_lecture->setTextFormat(Qt::PlainText);
    m_lecture->setMouseTracking(true);
    connect(&m_store, &StateStore::lectureChanged, m_lecture, &QLabel::setText);

    m_divers = new QLabel(this);
    m_divers->setObjectName(QStringLiteral("Divers"));
    m_divers->setTextFormat(Qt::PlainText);
    connect(&m_store, &StateStore::diversChanged, m_divers, &QLabel::setText);

    m_progress = new KivProgressBar(this);
    m_progress->setObjectName(QStringLiteral("PB"));
    m_progress->hide();

    m_verticalBorder = new QWidget(this);
    m_horizontalBorder = new QWidget(this);
    for (QWidget *line : { m_verticalBorder, m_horizontalBorder }) {
        line->setObjectName(QStringLiteral("BorderLine"));
        line->setAttribute(Qt::WA_StyledBackground);
    }

    m_dragger = new WindowDragger(this);
    m_dragger->addDragArea(m_deplace);
    m_dragger->addDragArea(m_lecture);
    connect(m_dragger, &WindowDragger::dragAreaMouseMove, this, [this](QWidget *area) {
        if (area != m_deplace)
            return;
        for (const char *name : { "Quitter", "Agrandir", "Reduire", "Systray" })
            findChild<ImageButtonPair *>(QLatin1String(name), Qt::FindDirectChildrenOnly)->showNormalImage();
    });
    m_sizingFrame = new SizingFrame(this);

    // Window buttons, right to left.
    ImageButtonPair *quitter = addWindowButton("Quitter", "close", "Quitter", "Quitter");
    quitter->setMouseDownImages(ImageButtonPair::NormalImage);
    connect(quitter, &ImageButtonPair::Click, this, &Radio::quitRequested);
    connect(quitter, &ImageButtonPair::MouseDown, this, &Radio::quitRequested);

    ImageButtonPair *agrandir = addWindowButton("Agrandir", "enlarge", "Agrandir", "Agrandir");
    agrandir->setClickImages(ImageButtonPair::HoverImage);
    connect(agrandir, &ImageButtonPair::Click, this, &Radio::Agrandir2_Click);

    ImageButtonPair *reduire = addWindowButton("Reduire", "minimise", "Réduire", "Réduire");
    reduire->setMouseDownImages(ImageButtonPair::NormalImage);
    connect(reduire, &ImageButtonPair::Click, this, &QWidget::showMinimized);
    connect(reduire, &ImageButtonPair::MouseDown, this, [this, reduire] {
        showMinimized();
        reduire->hideNormalImage();
    });

    ImageButtonPair *systray
        = addWindowButton("Systray", "tray", "Cacher dans la bare systray", "Cacher dans la barre systray");
    systray->setMouseDownImages(ImageButtonPair::NormalImage);
    connect(systray, &ImageButtonPair::Click, this, &Radio::systrayRequested);
    connect(systray, &ImageButtonPair::MouseDown, this, [this, systray] {
        Q_EMIT systrayRequested();
        systray->hideNormalImage();
    });

    ImageButtonPair *pplan
        = addWindowButton("PPlan", "ontop", "Garder la fenêtre au 1er plan", "Garder la fenêtre au premier plan.");
    pplan->setMouseDownImages(ImageButtonPair::BothImages);
    connect(pplan, &ImageButtonPair::Click, this, &Radio::keepOnTopToggled);
    connect(pplan, &ImageButtonPair::MouseDown, this, &Radio::keepOnTopToggled);

    // Toolbar, left to right.
    connect(addToolButton("Radios", "radio", "Sélectionner une radio à écouter", QString()),
        &ImageButtonPair::Click,
        this,
        &Radio::radiosRequested);
    connect(addToolButton("Tv", "tv", "Sélectionner une émission TV à regarder", QString()),
        &ImageButtonPair::Click,
        this,
        &Radio::tvRequested);
    connect(addToolButton("BtnFavoris", "favourites", "Favoris...", "- Voir et éditer les Favoris"),
        &ImageButtonPair::Click,
        this,
        &Radio::favorisRequested);
    connect(addToolButton("Arret", "stop", "Arrêter la lecture en cours", QString()),
        &ImageButtonPair::Click,
        this,
        &Radio::stopRequested);
    connect(addToolButton("RefreshBtn", "refresh", "Actualiser", QString()),
        &ImageButtonPair::Click,
        this,
        &Radio::refreshRequested);
    ImageButtonPair *options = addToolButton("BoutonOptions", "options", "Options", QString());
    options->setClickImages(ImageButtonPair::NormalImage);
    options->setMouseDownImages(ImageButtonPair::HoverImage);
    connect(options, &ImageButtonPair::Click, this, &Radio::optionsRequested);
    connect(options, &ImageButtonPair::MouseDown, this, &Radio::optionsRequested);

    const QIcon grip(Skin::imagePath(QStringLiteral("resize-grip")));
    m_resizeBtn = new ImageButtonPair(grip, grip, this);
    m_resizeBtn->setObjectName(QStringLiteral("ResizeBtn"));
    m_resizeBtn->setToolTips(QStringLiteral("Redimensionner"), QStringLiteral("Redimensionner"));
    m_resizeBtn->setImageSize(QSize(14, 14));
    connect(m_resizeBtn, &ImageButtonPair::Click, this, [this] {
        setSizingFrame(true);
    });

    setMinimumSize(Twips::toPixels(minimumWidthTwips), Twips::toPixels(minimumHeightTwips));
    resize(720, 520);
}

ImageButtonPair *Radio::addWindowButton(
    const QString &name, const QString &skin, const QString &tip, const QString &hoverTip)
{
    auto *pair = new ImageButtonPair(skin, this);
    pair->setObjectName(name);
    pair->setToolTips(tip, hoverTip);
    pair->setImageSize(QSize(windowButtonSize, windowButtonSize));
    m_windowButtons.append(pair);
    return pair;
}

ImageButtonPair *Radio::addToolButton(const QString &name, const QString &skin, const QString &tip, const QString &hint)
{
    auto *pair = new ImageButtonPair(skin, this);
    pair->setObjectName(name);
    pair->setToolTips(tip, tip);
    pair->setHint(hint.isEmpty() ? QStringLiteral("- ") + tip : hint);
    pair->setImageSize(QSize(toolSize, toolSize));
    connect(pair, &ImageButtonPair::hovered, &m_store, &StateStore::setDivers);
    m_toolButtons.append(pair);
    return pair;
}

void Radio::setPlayerWidget(QWidget *widget)
{
    m_player = widget;
    widget->setParent(this);
    layOut();
}

void Radio::setBrowserWidget(QWidget *widget)
{
    m_browser = widget;
    widget->setParent(this);
    layOut();
}

void Radio::setSizingFrame(bool on)
{
    m_sizingFrame->setOn(on);
}

bool Radio::hasSizingFrame() const
{
    return m_sizingFrame->isOn();
}

void Radio::Agrandir2_Click()
{
    if (m_store.modeEcran() != QStringLiteral("Grand")) {
        m_store.setModeEcran(QStringLiteral("Grand"));
        showMaximized();
    } else {
        showNormal();
        m_store.setModeEcran(QStringLiteral("Normal"));
    }
}

void Radio::closeEvent(QCloseEvent *event)
{
    // The exit sequence decides when the program ends.
    event->ignore();
    Q_EMIT closeRequested();
}

void Radio::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void Radio::dropEvent(QDropEvent *event)
{
    const QStringList paths = droppedFiles(event->mimeData());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    Q_EMIT stationListsDropped(paths);
}

void Radio::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const QSize minimum(Twips::toPixels(minimumWidthTwips), Twips::toPixels(minimumHeightTwips));
    if (width() < minimum.width() || height() < minimum.height()) {
        // The resize this causes lays the window out.
        resize(size().expandedTo(minimum));
        return;
    }
    layOut();
}

void Radio::layOut()
{
    const int w = width();
    const int h = height();
    m_deplace->setGeometry(0, 0, w, titleHeight);
    int x = w - 6;
    for (ImageButtonPair *pair : std::as_const(m_windowButtons)) {
        x -= windowButtonSize + 2;
        pair->setGeometry(x, (titleHeight - windowButtonSize) / 2, windowButtonSize, windowButtonSize);
        pair->raise();
    }
    m_lecture->setGeometry(10, 0, qMax(0, x - 14), titleHeight);
    m_lecture->raise();

    int toolX = 8;
    for (ImageButtonPair *pair : std::as_const(m_toolButtons)) {
        pair->setGeometry(toolX, toolbarTop + 2, toolSize, toolSize);
        toolX += toolSize + 4;
    }
    const int statusLeft = toolX + 8;
    m_divers->setGeometry(statusLeft, toolbarTop + 4, qMax(0, w - statusLeft - 10), 22);
    m_progress->setGeometry(statusLeft, toolbarTop + 30, qMax(0, w - statusLeft - 10), 8);

    m_verticalBorder->setGeometry(w - 1, 0, 1, h);
    m_horizontalBorder->setGeometry(0, headerHeight - 1, w, 1);
    for (QWidget *area : { m_player.data(), m_browser.data() }) {
        if (area)
            area->setGeometry(0, headerHeight, w, h - headerHeight);
    }
    m_resizeBtn->setGeometry(w - 16, h - 16, 16, 16);
    m_resizeBtn->raise();
}

void Radio::mouseMoveEvent(QMouseEvent *event)
{
    QWidget::mouseMoveEvent(event);
    // Moves that a button or a label let through are not over the bare window.
    if (childAt(event->position().toPoint()))
        return;
    unsetCursor();
    for (ImageButtonPair *pair : std::as_const(m_windowButtons)) {
        if (pair->objectName() != QStringLiteral("PPlan"))
            pair->showNormalImage();
    }
    for (ImageButtonPair *pair : std::as_const(m_toolButtons))
        pair->showNormalImage();
    if (m_store.divers().startsWith(QLatin1Char('-')))
        m_store.setDivers(QString());
    Q_EMIT formMouseMove();
}

void Radio::mousePressEvent(QMouseEvent *event)
{
    QWidget::mousePressEvent(event);
    Q_EMIT formMouseDown(mouseButtonNumber(event->button()));
}

void Radio::mouseReleaseEvent(QMouseEvent *event)
{
    QWidget::mouseReleaseEvent(event);
    Q_EMIT formMouseUp();
}
