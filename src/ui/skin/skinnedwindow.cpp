#include "ui/skin/skinnedwindow.h"

#include "ui/skin/imagebuttonpair.h"
#include "ui/skin/sizingframe.h"
#include "ui/skin/skin.h"
#include "ui/skin/windowdragger.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

SkinnedWindow::SkinnedWindow(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , m_titleStrip(new QWidget(this))
    , m_titleLabel(new QLabel(m_titleStrip))
    , m_closePair(new ImageButtonPair(QStringLiteral("close"), m_titleStrip))
    , m_content(new QWidget(this))
    , m_dragger(new WindowDragger(this))
    , m_sizingFrame(new SizingFrame(this))
{
    setAttribute(Qt::WA_StyledBackground);
    // Moves over the bare surface, the content area's included, are the
    // window's own (`Form_MouseMove`); a widget without tracking would keep
    // them from reaching it.
    setMouseTracking(true);
    m_content->setMouseTracking(true);

    m_titleStrip->setObjectName(QStringLiteral("Deplace"));
    m_titleStrip->setAttribute(Qt::WA_StyledBackground);
    m_titleStrip->setProperty("titleStrip", true);
    m_titleLabel->setObjectName(QStringLiteral("TitleLabel"));
    m_titleLabel->setProperty("titleLabel", true);
    m_titleLabel->setTextFormat(Qt::PlainText);
    m_closePair->setToolTips(QStringLiteral("Quitter"), QStringLiteral("Quitter"));
    // Only the hover image is ever under the mouse at a click, as hovering
    // hides the normal one.
    m_closePair->setClickImages(ImageButtonPair::HoverImage);

    auto *icon = new QLabel(m_titleStrip);
    icon->setPixmap(Skin::applicationIcon().pixmap(QSize(16, 16), devicePixelRatioF()));

    auto *titleLayout = new QHBoxLayout(m_titleStrip);
    titleLayout->setContentsMargins(8, 4, 6, 4);
    titleLayout->setSpacing(4);
    titleLayout->addWidget(icon);
    titleLayout->addSpacing(2);
    titleLayout->addWidget(m_titleLabel, 1);
    titleLayout->addWidget(m_closePair);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    layout->addWidget(m_titleStrip);
    layout->addWidget(m_content, 1);

    m_dragger->addDragArea(m_titleStrip);
    m_dragger->addDragArea(m_titleLabel);
    m_dragger->addDragArea(icon);
    connect(m_dragger, &WindowDragger::dragAreaMouseMove, this, [this](QWidget *area) {
        if (area != m_titleStrip && area->parentWidget() != m_titleStrip)
            return;
        m_closePair->showNormalImage();
        Q_EMIT titleStripMouseMove();
    });
}

void SkinnedWindow::setTitle(const QString &title)
{
    m_titleLabel->setText(title);
    setWindowTitle(title);
}

void SkinnedWindow::addDragArea(QWidget *area)
{
    m_dragger->addDragArea(area);
}

void SkinnedWindow::placeAt(QWidget *widget, QPoint client) const
{
    widget->move(m_content->mapFrom(this, client));
}

QLabel *SkinnedWindow::addLabel(const QString &text, QPoint client, const QString &objectName)
{
    auto *label = new QLabel(m_content);
    label->setObjectName(objectName);
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    label->adjustSize();
    placeAt(label, client);
    return label;
}

bool SkinnedWindow::hasSizingFrame() const
{
    return m_sizingFrame->isOn();
}

void SkinnedWindow::setSizingFrame(bool on)
{
    m_sizingFrame->setOn(on);
}

void SkinnedWindow::mouseMoveEvent(QMouseEvent *event)
{
    m_closePair->showNormalImage();
    Q_EMIT formMouseMove(event->buttons(), event->modifiers(), event->position().toPoint());
    QWidget::mouseMoveEvent(event);
}
