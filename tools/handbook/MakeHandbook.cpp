// Renders the user handbook from its Markdown source into a PDF file: A4 pages with a running
// footer (title and page number). Pictures named in the text are found beside the source and
// scaled down to the width of the text when they are wider.
//
//     kmr-handbook SOURCE.md OUTPUT.pdf

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QTextTable>
#include <QUrl>

#include <cstdio>

namespace {

constexpr int Resolution = 300; // dots per inch of the PDF's layout
constexpr qreal CssDpi = 96.0; // picture widths in the document are in these pixels

QFont bodyFont()
{
    QFont font(QStringLiteral("Liberation Sans"));
    // Chinese text takes the installed Chinese face rather than whatever the system falls back on.
    font.setFamilies({ QStringLiteral("Liberation Sans"), QStringLiteral("WenQuanYi Micro Hei"),
        QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Droid Sans Fallback") });
    font.setPointSizeF(10.5);
    return font;
}

// Pictures wider than the text are shown at the text's width; every picture is given its
// size explicitly so that the layout does not depend on the screen. False when a picture the
// text names is missing.
bool fitPictures(QTextDocument &doc, const QDir &base, qreal textWidthCss)
{
    bool complete = true;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat())
                continue;
            QTextImageFormat format = fragment.charFormat().toImageFormat();
            const QImage image(base.filePath(format.name()));
            if (image.isNull()) {
                std::fprintf(stderr, "kmr-handbook: picture %s not found\n", qPrintable(format.name()));
                complete = false;
                continue;
            }
            // Screenshots are taken at 100 %; print them at 70 % of their screen size at most.
            qreal width = image.width() * 0.7;
            if (width > textWidthCss)
                width = textWidthCss;
            format.setWidth(width);
            format.setHeight(width * image.height() / image.width());
            QTextCursor cursor(&doc);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(format);
        }
    }
    return complete;
}

// Tables get thin rules and a little room in their cells.
void styleTables(QTextDocument &doc)
{
    for (QTextFrame *frame : doc.rootFrame()->childFrames()) {
        if (auto *table = qobject_cast<QTextTable *>(frame)) {
            QTextTableFormat format = table->format();
            format.setBorder(Resolution / 150.0); // about 0.2 mm
            format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
            format.setBorderBrush(QColor(150, 160, 170));
            format.setCellPadding(Resolution / 100.0);
            format.setCellSpacing(0);
            format.setBorderCollapse(true);
            table->setFormat(format);
            for (int column = 0; column < table->columns(); ++column) {
                QTextTableCell cell = table->cellAt(0, column);
                QTextCharFormat head = cell.format();
                head.setBackground(QColor(226, 232, 240));
                cell.setFormat(head);
            }
        }
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: kmr-handbook SOURCE.md OUTPUT.pdf [FOOTER]\n");
        return 2;
    }
    // The footer names the handbook in the language it is written in.
    const QString footerTitle
        = argc == 4 ? QString::fromUtf8(argv[3]) : QStringLiteral("Norvo KMR5150 — User Handbook");
    const QString sourcePath = QString::fromLocal8Bit(argv[1]);
    const QString outputPath = QString::fromLocal8Bit(argv[2]);

    QFile source(sourcePath);
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "kmr-handbook: %s: %s\n", argv[1], qPrintable(source.errorString()));
        return 1;
    }
    const QString markdown = QString::fromUtf8(source.readAll());
    const QDir base = QFileInfo(sourcePath).absoluteDir();

    const QPageLayout pageLayout(
        QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 18, 20, 14), QPageLayout::Millimeter);
    const QRect area = pageLayout.paintRectPixels(Resolution);
    const int footerHeight = Resolution * 10 / 25; // 10 mm

    QTextDocument doc;
    doc.setDefaultFont(bodyFont());
    doc.setBaseUrl(QUrl::fromLocalFile(base.absolutePath() + QLatin1Char('/')));
    doc.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    if (!fitPictures(doc, base, area.width() * CssDpi / Resolution))
        return 1; // before the output file exists, so that the next build tries again
    styleTables(doc);

    QDir().mkpath(QFileInfo(outputPath).absolutePath());
    QPdfWriter writer(outputPath);
    writer.setResolution(Resolution);
    writer.setPageLayout(pageLayout);
    writer.setTitle(footerTitle);
    writer.setCreator(QStringLiteral("Norvo KMR5150"));
    doc.documentLayout()->setPaintDevice(&writer);
    doc.setPageSize(QSizeF(area.width(), area.height() - footerHeight));

    QPainter painter(&writer);
    const QSizeF page = doc.pageSize();
    const int pages = doc.pageCount();
    QFont footerFont = bodyFont();
    footerFont.setPointSizeF(8.5);
    for (int i = 0; i < pages; ++i) {
        if (i > 0)
            writer.newPage();
        painter.save();
        painter.translate(0, -i * page.height());
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(0, i * page.height(), page.width(), page.height());
        painter.setClipRect(context.clip); // the layout draws whole blocks that touch the clip
        doc.documentLayout()->draw(&painter, context);
        painter.restore();

        const QRectF footer(0, area.height() - footerHeight * 0.7, area.width(), footerHeight * 0.7);
        painter.setPen(QPen(QColor(150, 160, 170), 2));
        painter.drawLine(footer.topLeft(), footer.topRight());
        painter.setFont(footerFont);
        painter.setPen(QColor(80, 90, 100));
        painter.drawText(
            footer, Qt::AlignLeft | Qt::AlignVCenter, footerTitle);
        painter.drawText(
            footer, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("%1 / %2").arg(i + 1).arg(pages));
    }
    painter.end();
    std::printf("%s: %d pages\n", qPrintable(outputPath), pages);
    return 0;
}
