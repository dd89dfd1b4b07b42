#pragma once

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <cstdlib>

// The share of a widget's area on screen, as the display server holds it,
// that is close to `colour`: what a person sees there, whoever drew it
// (raster, OpenGL, the browser engine). Only meaningful on a real display
// server (Xvfb), not the offscreen platform.
inline double shareOnScreen(const QWidget *widget, const QColor &colour)
{
    const QPoint origin = widget->mapToGlobal(QPoint(0, 0));
    const QImage shot = widget->screen()
                            ->grabWindow(0, origin.x(), origin.y(), widget->width(), widget->height())
                            .toImage()
                            .convertToFormat(QImage::Format_RGB32);
    if (shot.isNull())
        return 0;
    qint64 close = 0;
    for (int y = 0; y < shot.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(shot.constScanLine(y));
        for (int x = 0; x < shot.width(); ++x) {
            const QRgb pixel = line[x];
            if (std::abs(qRed(pixel) - colour.red()) + std::abs(qGreen(pixel) - colour.green())
                    + std::abs(qBlue(pixel) - colour.blue())
                < 48)
                ++close;
        }
    }
    return double(close) / (qint64(shot.width()) * shot.height());
}
