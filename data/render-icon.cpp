// Renders an SVG icon to the PNG sizes of the hicolor icon theme:
//   corvella-render-icon SOURCE.svg FOLDER NAME SIZE...
// writes FOLDER/<SIZE>x<SIZE>/apps/NAME.png for every SIZE. Exit status 1 on any failure.
// Painting an SVG without text into an image needs no application object and no display.
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s SOURCE.svg FOLDER NAME SIZE...\n", argv[0]);
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "%s: cannot read %s\n", argv[0], argv[1]);
        return 1;
    }
    const QString folder = QString::fromLocal8Bit(argv[2]);
    const QString name = QString::fromLocal8Bit(argv[3]);
    for (int index = 4; index < argc; ++index) {
        bool ok = false;
        const int size = QByteArray(argv[index]).toInt(&ok);
        if (!ok || size <= 0) {
            std::fprintf(stderr, "%s: not a size: %s\n", argv[0], argv[index]);
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        painter.end();
        const QString sizeFolder = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(size);
        const QString file = sizeFolder + u'/' + name + u".png";
        if (!QDir().mkpath(sizeFolder) || !image.save(file, "PNG")) {
            std::fprintf(stderr, "%s: cannot write %s\n", argv[0], qPrintable(file));
            return 1;
        }
    }
    return 0;
}
