// Renders the program's vector icon into square PNG files for the icon theme.
//
//     kmr5150-render-icon SOURCE.svg OUTPUT_DIR SIZE...
//
// writes OUTPUT_DIR/SIZExSIZE/kmr5150.png for every SIZE.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: %s SOURCE.svg OUTPUT_DIR SIZE...\n", argv[0]);
        return 2;
    }
    QSvgRenderer renderer(args.at(1));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "%s: cannot read the picture\n", qPrintable(args.at(1)));
        return 1;
    }
    for (qsizetype i = 3; i < args.size(); ++i) {
        bool ok = false;
        const int size = args.at(i).toInt(&ok);
        if (!ok || size <= 0 || size > 1024) {
            std::fprintf(stderr, "%s: not an icon size\n", qPrintable(args.at(i)));
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(0, 0, size, size));
        painter.end();
        const QString dir = QDir(args.at(2)).filePath(QStringLiteral("%1x%1").arg(size));
        const QString file = QDir(dir).filePath(QStringLiteral("kmr5150.png"));
        if (!QDir().mkpath(dir) || !image.save(file, "PNG")) {
            std::fprintf(stderr, "%s: cannot write\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
