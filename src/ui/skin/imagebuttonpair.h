#pragma once

#include <QAbstractButton>
#include <QIcon>

// A skinned image button: a normal image over a hover image at the same place.
// Hovering hides the normal image, which reveals the hover image, and raises
// `hovered` with the pair's status-line hint; the window shows the normal
// image again (showNormalImage) when the mouse reaches its bare surface.
// Which of the two images answers a click or a mouse-down is set per pair.
//
// Keyboard focus reaches the pair; Space or Enter raises Click for the image
// shown if it answers clicks, else for the other one. Its accessible name is
// the tooltip of the normal image.
class ImageButtonPair : public QAbstractButton
{
    Q_OBJECT

public:
    enum Image {
        NoImage = 0,
        NormalImage = 0x1,
        HoverImage = 0x2,
        BothImages = NormalImage | HoverImage,
    };
    Q_DECLARE_FLAGS(Images, Image)
    Q_FLAG(Images)

    // skinName names a pair of the skin's resources: ":/skin/<name>.png" and
    // ":/skin/<name>-hover.png" (close, enlarge, minimise, tray, ontop, radio,
    // tv, favourites, stop, refresh, options, arrow-up, arrow-down, delete).
    explicit ImageButtonPair(const QString &skinName, QWidget *parent = nullptr);
    ImageButtonPair(const QIcon &normalImage, const QIcon &hoverImage, QWidget *parent = nullptr);

    void setToolTips(const QString &normalToolTip, const QString &hoverToolTip);
    QString normalToolTip() const { return m_normalToolTip; }
    QString hoverToolTip() const { return m_hoverToolTip; }

    // Status-line text given by `hovered` ("- " followed by the hint);
    // empty for the window buttons, which give none.
    void setHint(const QString &hint) { m_hint = hint; }
    QString hint() const { return m_hint; }

    // Default: both images answer clicks, neither answers mouse-downs.
    void setClickImages(Images images) { m_clickImages = images; }
    Images clickImages() const { return m_clickImages; }
    void setMouseDownImages(Images images) { m_mouseDownImages = images; }
    Images mouseDownImages() const { return m_mouseDownImages; }

    bool isNormalImageShown() const { return m_normalShown; }
    Image shownImage() const { return m_normalShown ? NormalImage : HoverImage; }
    void showNormalImage();
    void hideNormalImage();

    void setImageSize(const QSize &size);
    QSize sizeHint() const override;

Q_SIGNALS:
    // The mouse moved over the pair; hint as set by setHint (may be empty).
    void hovered(const QString &hint);
    void Click(ImageButtonPair::Image image);
    void MouseDown(ImageButtonPair::Image image);

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void onClicked();
    void hover();
    void updateToolTip();

    QIcon m_normalImage;
    QIcon m_hoverImage;
    QString m_normalToolTip;
    QString m_hoverToolTip;
    QString m_hint;
    QSize m_imageSize;
    Images m_clickImages = BothImages;
    Images m_mouseDownImages = NoImage;
    Image m_pressedImage = NoImage;
    bool m_normalShown = true;
    bool m_focusRingShown = false;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(ImageButtonPair::Images)
