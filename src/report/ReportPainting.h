#pragma once

// Text and pen helpers shared by the report pages, and the boxes of the texts a page draws.

#include <QColor>
#include <QPainter>
#include <QRect>
#include <QString>
#include <QStringList>

#include <vector>

struct PrintInfo;

inline const QColor ReportGrey(128, 128, 128);

// One text as a page draws it: its line box (left, top, advance width, line height) in the
// device pixels of the page, and the text itself.
struct PageText
{
    QRect rect;
    QString text;
};
using PageTexts = std::vector<PageText>;

// Keeps the painter's typeface and sets its size in points of the painted device.
void SetFontPoints(QPainter &painter, int points);
void SetPen(QPainter &painter, const QColor &color, int width, Qt::PenStyle style = Qt::SolidLine);

// A text that has to fit a width: the size it is drawn at and the text, cut short with "…"
// only when even the smallest size allowed is too wide.
struct FittedText
{
    double points = 0.0;
    QString text;
};
FittedText FitText(QFont font, const QPaintDevice *device, const QString &text, int width, double minPoints);

// A row of texts that should start at their design positions `x`. Each text keeps its
// position where it fits; a text that would run into the next one pushes it to the right; when
// the row would then run past `right`, the texts after the last one that keeps its place share
// the room up to `right`, spaced as their positions were. When the texts are wider than the
// room between `left` and `right` altogether, all of them shrink (down to `minPoints`), and at
// that size the widest ones are cut short.
struct RowText
{
    int x = 0;
    QString text;
};
struct FittedRow
{
    double points = 0.0;
    std::vector<int> x;
    QStringList texts;
};
FittedRow FitRow(QFont font, const QPaintDevice *device, const std::vector<RowText> &row, int left, int right,
    int gap, double minPoints);

// A text of a table or of columns, with the right end of its cell.
struct CellText
{
    int x = 0, y = 0, right = 0;
    QString text;
};

// Lines of at most `width` device pixels, broken between words.
QStringList WrapText(const QFont &font, const QPaintDevice *device, const QString &text, int width);

// Draws texts through a painter with its current font and pen, and keeps the box of each in
// `texts` (when given), so that a page's text layout can be checked as plain geometry.
class TextWriter
{
public:
    TextWriter(QPainter &painter, PageTexts *texts);

    QPainter &painter() { return m_painter; }

    // `text` with the top-left corner of its line box at (x, y), the way every report places
    // its texts; or with the line box ending at x.
    QRect write(int x, int y, const QString &text);
    QRect writeEnding(int x, int y, const QString &text);
    // Within x to right: smaller (down to minPoints), then cut short when it does not fit.
    QRect writeFitted(int x, int y, int right, const QString &text, double minPoints);
    // Texts of a table all at one size: the largest, up to the painter's, at which each fits its
    // cell (down to minPoints; a text that does not fit even then is cut short).
    void writeCells(const std::vector<CellText> &cells, double minPoints);
    // A row as FitRow places it, on one line at y.
    void writeRow(const std::vector<RowText> &row, int y, int left, int right, int gap, double minPoints);
    // Lines broken between words to fit x to right, one under the other from y on; returns the
    // bottom of the last line.
    int writeWrapped(int x, int y, int right, const QString &text);
    // The line height of the painter's current font.
    int lineHeight() const;

private:
    QPainter &m_painter;
    PageTexts *m_texts;
};

// The print information's two footer rows (project, licenser, operator; date, instrument,
// temperature) in three columns starting at columnX, the last ending at `right`: one size for
// all six, each kept a blank pair clear of the next column.
void WritePrintInfoFooter(TextWriter &writer, const int columnX[3], const int rowY[2], int right,
    const PrintInfo &info, double minPoints);

// How both previews start on a page `wp` wide: texts on an opaque white background, no fill,
// and `title` in grey at 20 points, centred as the reports centre it.
void DrawPreviewTitle(TextWriter &writer, int wp, const QString &title);
