// Renders the application's scalable icon as a square PNG of one size, for the icon theme's
// fixed-size folders: sorvane-render-icon SVG PNG PIXELS

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: sorvane-render-icon SVG PNG PIXELS\n");
        return 2;
    }
    // Painting into an image needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QGuiApplication application(argc, argv);
    bool isNumber = false;
    const int pixels = QString::fromLocal8Bit(argv[3]).toInt(&isNumber);
    if (!isNumber || pixels < 1 || pixels > 4096) {
        std::fprintf(stderr, "sorvane-render-icon: '%s' is not a size in pixels\n", argv[3]);
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "sorvane-render-icon: cannot read '%s'\n", argv[1]);
        return 1;
    }
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(0, 0, pixels, pixels));
    }
    if (!image.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "sorvane-render-icon: cannot write '%s'\n", argv[2]);
        return 1;
    }
    return 0;
}
