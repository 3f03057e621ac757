// Renders an SVG file to a square PNG: svgtopng <input.svg> <size> <output.png>
// Built alongside the game so that the icon sizes come from the one SVG with the Qt SVG already in use.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: svgtopng <input.svg> <size> <output.png>\n");
        return 2;
    }
    // Rendering needs no screen; the offscreen platform keeps the build free of a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    bool isNumber = false;
    const int size = QByteArray(argv[2]).toInt(&isNumber);
    if (!renderer.isValid() || !isNumber || size <= 0) {
        std::fprintf(stderr, "svgtopng: cannot render %s at size %s\n", argv[1], argv[2]);
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    QSaveFile output(QString::fromLocal8Bit(argv[3]));
    if (!output.open(QIODevice::WriteOnly) || !image.save(&output, "PNG") || !output.commit()) {
        std::fprintf(stderr, "svgtopng: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
