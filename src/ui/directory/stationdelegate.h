#pragma once

#include <QStyledItemDelegate>

// One result row: the station's picture (its initial on a tile until the
// picture comes), its name, and below it the country, tags, codec and
// bitrate. Every row has the same height, so the view lays out ten thousand
// rows without measuring them. Text is drawn as it is: names are never read
// as markup.
class StationDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    static constexpr int rowHeight = 44;

    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};
