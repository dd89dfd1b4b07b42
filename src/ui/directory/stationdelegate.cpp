#include "ui/directory/stationdelegate.h"

#include "ui/directory/directorymodel.h"
#include "ui/directory/faviconimages.h"
#include "ui/skin/skin.h"

#include <QPainter>
#include <QPixmap>

namespace
{

const QColor hoverBackground(0x1b, 0x20, 0x29);
const QColor selectedBackground(0x17, 0x32, 0x4d);
const QColor tileBackground(0x22, 0x27, 0x31);
const QColor mutedText(0x7c, 0x86, 0x99);

constexpr int margin = 6;
constexpr int iconSide = FaviconImages::iconSize;

} // namespace

QSize StationDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const
{
    // No width of its own: a row is as wide as the view, whose scroll bar
    // would otherwise leave it wider than the view once it shows.
    return { 0, rowHeight };
}

void StationDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    painter->save();
    const QRect row = option.rect;
    if (option.state & QStyle::State_Selected)
        painter->fillRect(row, selectedBackground);
    else if (option.state & QStyle::State_MouseOver)
        painter->fillRect(row, hoverBackground);

    const QRect iconRect(row.left() + margin, row.top() + (row.height() - iconSide) / 2, iconSide, iconSide);
    const QString name = index.data(Qt::DisplayRole).toString();
    const QPixmap icon = index.data(Qt::DecorationRole).value<QPixmap>();
    painter->setRenderHint(QPainter::Antialiasing);
    if (!icon.isNull()) {
        const QSize size = icon.deviceIndependentSize().toSize();
        painter->drawPixmap(QRect(iconRect.center() - QPoint(size.width() / 2, size.height() / 2), size), icon);
    } else {
        painter->setPen(Qt::NoPen);
        painter->setBrush(tileBackground);
        painter->drawRoundedRect(iconRect, 6, 6);
        painter->setPen(Skin::accentColor());
        QFont initialFont = option.font;
        initialFont.setBold(true);
        initialFont.setPointSizeF(option.font.pointSizeF() * 1.4);
        painter->setFont(initialFont);
        painter->drawText(iconRect, Qt::AlignCenter, name.left(1).toUpper());
    }

    const int textLeft = iconRect.right() + 1 + margin * 2;
    const QRect textRect(textLeft, row.top() + 4, row.right() - textLeft - margin, row.height() - 8);
    QFont nameFont = option.font;
    nameFont.setBold(true);
    painter->setFont(nameFont);
    painter->setPen(option.palette.color(QPalette::Text));
    const QFontMetrics nameMetrics(nameFont);
    painter->drawText(textRect.left(),
        textRect.top() + nameMetrics.ascent(),
        nameMetrics.elidedText(name, Qt::ElideRight, textRect.width()));

    painter->setFont(option.font);
    painter->setPen(mutedText);
    const QFontMetrics detailsMetrics(option.font);
    painter->drawText(textRect.left(),
        textRect.bottom() - detailsMetrics.descent(),
        detailsMetrics.elidedText(
            index.data(DirectoryModel::DetailsRole).toString(), Qt::ElideRight, textRect.width()));
    painter->restore();
}
