// Draws the station pictures of the sample catalogues: one 78 x 35 PNG tile
// per line of logos.txt (file, label, second label, colour), so that the
// project ships no picture it did not make itself.
//
//   logogen LOGOS_TXT OUTPUT_FOLDER

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>
#include <cstdio>

namespace
{

constexpr int tileWidth = 78;
constexpr int tileHeight = 35;
constexpr qreal margin = 4;

// The largest pixel size, from `largest` down, at which `text` fits `width`.
QFont fittedFont(const QString &text, int largest, qreal width, bool bold)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(bold);
    font.setStretch(QFont::SemiCondensed);
    for (int size = largest; size > 6; --size) {
        font.setPixelSize(size);
        if (QFontMetricsF(font).horizontalAdvance(text) <= width)
            break;
    }
    return font;
}

void drawText(QPainter &painter, const QRectF &box, const QString &text, const QFont &font, const QColor &colour)
{
    painter.setFont(font);
    painter.setPen(QColor(0, 0, 0, 90));
    painter.drawText(box.translated(0.8, 0.8), Qt::AlignCenter, text);
    painter.setPen(colour);
    painter.drawText(box, Qt::AlignCenter, text);
}

// White lettering needs a dark enough ground: light colours (yellows, light
// greens) are darkened until it reads.
QColor readableGround(QColor colour)
{
    const auto luminance = [](const QColor &c) {
        return 0.2126 * c.redF() + 0.7152 * c.greenF() + 0.0722 * c.blueF();
    };
    while (luminance(colour) > 0.42)
        colour = colour.darker(108);
    return colour;
}

QImage tile(const QString &label, const QString &secondLabel, const QColor &requested)
{
    const QColor colour = readableGround(requested);
    QImage image(tileWidth, tileHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);

    const QRectF outline = QRectF(image.rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath shape;
    shape.addRoundedRect(outline, 5, 5);
    QLinearGradient body(0, 0, 0, tileHeight);
    body.setColorAt(0, colour.lighter(135));
    body.setColorAt(0.5, colour);
    body.setColorAt(1, colour.darker(140));
    painter.fillPath(shape, body);

    // A soft gloss over the upper half.
    QPainterPath gloss;
    gloss.addRoundedRect(outline.adjusted(1.5, 1.5, -1.5, -tileHeight / 2.0), 4, 4);
    QLinearGradient shine(0, 0, 0, tileHeight / 2.0);
    shine.setColorAt(0, QColor(255, 255, 255, 80));
    shine.setColorAt(1, QColor(255, 255, 255, 10));
    painter.fillPath(gloss, shine);

    painter.setPen(QPen(colour.darker(190), 1));
    painter.drawPath(shape);

    const qreal width = tileWidth - 2 * margin;
    if (secondLabel.isEmpty()) {
        drawText(painter, QRectF(margin, 0, width, tileHeight), label, fittedFont(label, 16, width, true), Qt::white);
    } else {
        drawText(painter, QRectF(margin, 2, width, 19), label, fittedFont(label, 14, width, true), Qt::white);
        drawText(painter,
            QRectF(margin, 18, width, 14),
            secondLabel,
            fittedFont(secondLabel, 10, width, false),
            QColor(255, 255, 255, 225));
    }
    return image;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: logogen LOGOS_TXT OUTPUT_FOLDER\n");
        return 2;
    }
    QFile list(QString::fromLocal8Bit(argv[1]));
    if (!list.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "logogen: cannot read %s\n", argv[1]);
        return 1;
    }
    const QDir output(QString::fromLocal8Bit(argv[2]));
    if (!output.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "logogen: cannot create %s\n", argv[2]);
        return 1;
    }
    QTextStream in(&list);
    int lineNumber = 0;
    while (!in.atEnd()) {
        const QString line = in.readLine();
        ++lineNumber;
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList fields = line.split(QLatin1Char('\t'));
        const QColor colour = fields.size() == 4 ? QColor::fromString(fields.at(3)) : QColor();
        if (!colour.isValid() || fields.at(0).isEmpty()) {
            std::fprintf(
                stderr, "logogen: line %d of %s is not FILE<tab>LABEL<tab>LABEL<tab>#RRGGBB\n", lineNumber, argv[1]);
            return 1;
        }
        const QString path = output.filePath(fields.at(0));
        if (!tile(fields.at(1), fields.at(2), colour).save(path, "PNG")) {
            std::fprintf(stderr, "logogen: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
