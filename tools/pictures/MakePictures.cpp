// Draws the program's pictures: the splash, the version window's logo, the maker's logo of
// the status bar and the tool bar glyphs, each at 100 % and (as NAME@2x.png) at 200 %.
// Everything is drawn from shapes in a design-size coordinate system that the painter scales,
// so both sizes come out sharp.
//
//     kmr-pictures OUTPUT_FOLDER      (data/Pictures of the source tree)

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>

namespace {

using Draw = std::function<void(QPainter &)>;

QString g_folder;
int g_written = 0;

// Renders `draw` at design size `size` and at twice that size.
bool isOpaque(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(line[x]) != 255)
                return false;
    }
    return true;
}

void save(const QString &name, QSize size, const Draw &draw)
{
    for (int scale : { 1, 2 }) {
        QImage image(size * scale, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.scale(scale, scale);
        draw(painter);
        painter.end();
        // A picture without transparency is stored without an alpha channel, which the
        // program reads faster (the splash is read on every start).
        if (isOpaque(image))
            image = image.convertToFormat(QImage::Format_RGB32);
        const QString file = QDir(g_folder).filePath(scale == 1 ? name + ".png" : name + "@2x.png");
        QDir().mkpath(QFileInfo(file).path());
        if (!image.save(file)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            std::exit(1);
        }
        ++g_written;
    }
}

QFont font(int pixelSize, int weight = QFont::Normal, qreal letterSpacing = 0)
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(pixelSize);
    f.setWeight(static_cast<QFont::Weight>(weight));
    if (letterSpacing != 0)
        f.setLetterSpacing(QFont::AbsoluteSpacing, letterSpacing);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

// A mains-like wave: fundamental with a little 3rd and 5th harmonic.
QPainterPath wave(QRectF area, double periods, double phase, double h3, double h5)
{
    QPainterPath path;
    const int steps = 240;
    for (int i = 0; i <= steps; ++i) {
        const double t = double(i) / steps;
        const double a = 2 * std::numbers::pi * (periods * t) + phase;
        const double v = (std::sin(a) + h3 * std::sin(3 * a) + h5 * std::sin(5 * a)) / (1 + h3 + h5);
        const QPointF p(area.left() + t * area.width(), area.center().y() - v * area.height() / 2);
        if (i == 0)
            path.moveTo(p);
        else
            path.lineTo(p);
    }
    return path;
}

const QColor Navy(13, 50, 92);
const QColor Blue(31, 111, 174);
const QColor Cyan(120, 205, 245);
const QColor Orange(244, 146, 52);
const QColor Outline(40, 48, 58);

// ---------- splash, version logo, maker's logo ----------

void drawSplash(QPainter &p)
{
    const QRectF r(0, 0, 521, 315);
    QLinearGradient bg(r.topLeft(), r.bottomRight());
    bg.setColorAt(0, QColor(9, 36, 70));
    bg.setColorAt(1, QColor(28, 104, 166));
    p.fillRect(r, bg);

    // A faint scope grid behind the waves.
    p.setPen(QPen(QColor(255, 255, 255, 22), 1));
    for (int x = 20; x < 521; x += 40)
        p.drawLine(QPointF(x + 0.5, 0), QPointF(x + 0.5, 315));
    for (int y = 17; y < 315; y += 40)
        p.drawLine(QPointF(0, y + 0.5), QPointF(521, y + 0.5));

    const QRectF waves(0, 150, 521, 110);
    p.setPen(QPen(QColor(120, 205, 245, 150), 2.2));
    p.drawPath(wave(waves, 2.5, 0.3, 0.06, 0.03));
    p.setPen(QPen(QColor(244, 146, 52, 150), 1.8));
    p.drawPath(wave(waves.adjusted(0, 22, 0, -22), 2.5, -0.2, 0.35, 0.2));

    // Harmonic bars along the bottom edge.
    for (int i = 0; i < 26; ++i) {
        const double h = i == 1 ? 34 : 30.0 / (1 + i * 0.9) + (i % 2 ? 4 : 1);
        p.fillRect(QRectF(300 + i * 8, 300 - h, 4, h), QColor(120, 205, 245, i == 1 ? 200 : 120));
    }

    p.setPen(Qt::white);
    p.setFont(font(58, QFont::Bold, 8));
    p.drawText(QRectF(0, 38, 521, 70), Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("NORVO"));
    p.setFont(font(16, QFont::DemiBold, 2));
    p.setPen(QColor(180, 225, 250));
    p.drawText(QRectF(0, 104, 521, 24), Qt::AlignHCenter | Qt::AlignVCenter,
        QStringLiteral("KMR5150  Single-Phase Digital Power Meter"));
    p.setFont(font(13));
    p.setPen(QColor(230, 240, 250));
    p.drawText(QRectF(0, 128, 521, 20), Qt::AlignHCenter | Qt::AlignVCenter,
        QStringLiteral("Precision Measurement Technology"));

    p.setPen(QColor(200, 225, 245));
    p.setFont(font(11));
    p.drawText(QRectF(20, 284, 260, 18), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Loading ......"));
    p.setPen(QPen(QColor(255, 255, 255, 60), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, 520, 314));
}

// The meter mark: a rounded screen with a wave and a spectrum, used by the version window
// and, small, in the maker's logo.
void drawMark(QPainter &p, QRectF r)
{
    const double k = r.width() / 64.0;
    QLinearGradient bg(r.topLeft(), r.bottomLeft());
    bg.setColorAt(0, QColor(36, 120, 186));
    bg.setColorAt(1, QColor(11, 46, 88));
    p.setPen(QPen(QColor(8, 30, 58), 1.0 * k));
    p.setBrush(bg);
    p.drawRoundedRect(r.adjusted(0.5 * k, 0.5 * k, -0.5 * k, -0.5 * k), 12 * k, 12 * k);

    const QRectF screen = QRectF(r.left() + 8 * k, r.top() + 10 * k, 48 * k, 26 * k);
    p.setPen(QPen(QColor(255, 255, 255, 50), 0.8 * k));
    p.drawLine(QPointF(screen.left(), screen.center().y()), QPointF(screen.right(), screen.center().y()));
    p.setPen(QPen(Cyan, 2.4 * k, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(wave(screen, 1.5, 0, 0.05, 0.02));
    p.setPen(QPen(Orange, 1.8 * k, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(wave(screen.adjusted(0, 5 * k, 0, -5 * k), 1.5, -0.5, 0.35, 0.2));

    const double base = r.top() + 54 * k;
    const double heights[] = { 3, 14, 2, 7, 1.5, 4.5, 1, 3, 0.8, 2 };
    for (int i = 0; i < 10; ++i)
        p.fillRect(QRectF(r.left() + (10 + i * 4.6) * k, base - heights[i] * k, 2.6 * k, heights[i] * k),
            i == 1 ? Cyan : QColor(190, 225, 245));
}

void drawVersionLogo(QPainter &p)
{
    drawMark(p, QRectF(0, 0, 64, 64));
}

void drawNorvoLogo(QPainter &p)
{
    drawMark(p, QRectF(1, 1, 16, 16));
    p.setPen(Navy);
    p.setFont(font(12, QFont::Black, 0.6));
    p.drawText(QRectF(20, 0, 52, 18), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("NORVO"));
}

// ---------- tool bar glyphs (24 x 24) ----------

QPen outline(double width = 1.0)
{
    return QPen(Outline, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QLinearGradient vertical(double top, double bottom, QColor a, QColor b)
{
    QLinearGradient g(0, top, 0, bottom);
    g.setColorAt(0, a);
    g.setColorAt(1, b);
    return g;
}

void glyphOpen(QPainter &p)
{
    p.setPen(outline());
    p.setBrush(vertical(4, 20, QColor(250, 214, 110), QColor(222, 164, 38)));
    QPainterPath back;
    back.moveTo(2.5, 19.5);
    back.lineTo(2.5, 5.5);
    back.lineTo(8.5, 5.5);
    back.lineTo(10.5, 7.5);
    back.lineTo(18.5, 7.5);
    back.lineTo(18.5, 10.5);
    p.drawPath(back);
    p.setBrush(vertical(10, 20, QColor(255, 230, 140), QColor(236, 180, 50)));
    QPainterPath front;
    front.moveTo(2.5, 19.5);
    front.lineTo(6.5, 10.5);
    front.lineTo(21.5, 10.5);
    front.lineTo(17.5, 19.5);
    front.closeSubpath();
    p.drawPath(front);
}

void glyphSave(QPainter &p)
{
    p.setPen(outline());
    p.setBrush(vertical(3, 21, QColor(84, 140, 214), QColor(36, 88, 160)));
    QPainterPath disk;
    disk.moveTo(3.5, 3.5);
    disk.lineTo(17.5, 3.5);
    disk.lineTo(20.5, 6.5);
    disk.lineTo(20.5, 20.5);
    disk.lineTo(3.5, 20.5);
    disk.closeSubpath();
    p.drawPath(disk);
    p.setBrush(QColor(235, 241, 248));
    p.drawRect(QRectF(6.5, 3.5, 10, 6));
    p.setBrush(QColor(36, 88, 160));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(13, 4.5, 2, 4));
    p.setPen(outline());
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6.5, 12.5, 11, 8));
    p.setPen(QPen(QColor(150, 165, 185), 1));
    p.drawLine(QPointF(8.5, 15.5), QPointF(15.5, 15.5));
    p.drawLine(QPointF(8.5, 17.5), QPointF(15.5, 17.5));
}

void glyphPrint(QPainter &p)
{
    p.setPen(outline());
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6.5, 2.5, 11, 7));
    p.setBrush(vertical(8, 17, QColor(200, 206, 214), QColor(130, 140, 152)));
    p.drawRoundedRect(QRectF(2.5, 8.5, 19, 9), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6.5, 14.5, 11, 7));
    p.setPen(QPen(QColor(120, 140, 170), 1));
    p.drawLine(QPointF(8.5, 17.5), QPointF(15.5, 17.5));
    p.drawLine(QPointF(8.5, 19.5), QPointF(13.5, 19.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 190, 90));
    p.drawEllipse(QPointF(18.5, 11.5), 1.2, 1.2);
}

void glyphVersion(QPainter &p)
{
    QRadialGradient g(QPointF(10, 8), 13);
    g.setColorAt(0, QColor(110, 170, 235));
    g.setColorAt(1, QColor(30, 90, 170));
    p.setPen(outline());
    p.setBrush(g);
    p.drawEllipse(QRectF(2.5, 2.5, 19, 19));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(12, 7.5), 1.7, 1.7);
    p.drawRoundedRect(QRectF(10.4, 10.5, 3.2, 8), 1, 1);
}

// A sheet with a trace: the record window's file, and (with a dot) recording.
void sheetWithTrace(QPainter &p)
{
    p.setPen(outline());
    p.setBrush(Qt::white);
    p.drawRect(QRectF(2.5, 3.5, 17, 17));
    p.setPen(QPen(QColor(200, 210, 222), 1));
    for (double y : { 8.5, 12.5, 16.5 })
        p.drawLine(QPointF(3.5, y), QPointF(18.5, y));
    p.setPen(QPen(QColor(0, 128, 0), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath trace;
    trace.moveTo(4, 14);
    trace.lineTo(7, 10);
    trace.lineTo(10, 12);
    trace.lineTo(13, 7);
    trace.lineTo(18, 9);
    p.drawPath(trace);
    p.setPen(QPen(QColor(220, 40, 30), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath second;
    second.moveTo(4, 18);
    second.lineTo(8, 16);
    second.lineTo(12, 17);
    second.lineTo(18, 14);
    p.drawPath(second);
}

void glyphRecord(QPainter &p)
{
    sheetWithTrace(p);
    p.setPen(outline());
    p.setBrush(QColor(226, 45, 35));
    p.drawEllipse(QPointF(18, 18), 4, 4);
}

void glyphHarmonic(QPainter &p)
{
    p.setPen(outline());
    p.setBrush(Qt::white);
    p.drawRect(QRectF(2.5, 3.5, 19, 17));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 128, 128));
    p.drawRect(QRectF(3, 4, 18, 4));
    p.setPen(QPen(QColor(170, 185, 195), 1));
    for (double y : { 11.5, 14.5, 17.5 })
        p.drawLine(QPointF(3, y), QPointF(21, y));
    p.drawLine(QPointF(8.5, 8), QPointF(8.5, 20));
    p.setPen(outline());
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(2.5, 3.5, 19, 17));
    // Two spectrum bars over the value column.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 128, 0));
    p.drawRect(QRectF(11, 10, 8, 1.5));
    p.drawRect(QRectF(11, 13, 5, 1.5));
    p.drawRect(QRectF(11, 16, 3, 1.5));
    p.setBrush(QColor(60, 70, 80));
    for (double y : { 10.0, 13.0, 16.0 })
        p.drawRect(QRectF(4.5, y, 2.5, 1.5));
}

void glyphStarting(QPainter &p)
{
    // A switch-on surge: a wave that starts high and settles.
    p.setPen(QPen(QColor(170, 180, 190), 1));
    p.drawLine(QPointF(2, 12.5), QPointF(22, 12.5));
    QPainterPath surge;
    for (int i = 0; i <= 100; ++i) {
        const double t = i / 100.0;
        const double envelope = 0.28 + 0.72 * std::exp(-4.0 * t);
        const double y = 12.5 - 9.5 * envelope * std::sin(2 * std::numbers::pi * 3.2 * t);
        const QPointF point(3 + 18 * t, y);
        if (i == 0)
            surge.moveTo(point);
        else
            surge.lineTo(point);
    }
    p.setPen(QPen(QColor(226, 45, 35), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(surge);
    // Lightning mark.
    QPainterPath bolt;
    bolt.moveTo(16, 1.5);
    bolt.lineTo(12.5, 8);
    bolt.lineTo(15.5, 8);
    bolt.lineTo(13, 13.5);
    bolt.lineTo(19.5, 6);
    bolt.lineTo(16.5, 6);
    bolt.lineTo(19, 1.5);
    bolt.closeSubpath();
    p.setPen(QPen(QColor(150, 100, 0), 0.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(255, 200, 40));
    p.drawPath(bolt);
}

void playTriangle(QPainter &p, QRectF r)
{
    QPainterPath tri;
    tri.moveTo(r.left(), r.top());
    tri.lineTo(r.right(), r.center().y());
    tri.lineTo(r.left(), r.bottom());
    tri.closeSubpath();
    p.setPen(QPen(QColor(20, 90, 30), 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(vertical(r.top(), r.bottom(), QColor(110, 210, 100), QColor(40, 150, 50)));
    p.drawPath(tri);
}

void glyphSingle(QPainter &p)
{
    playTriangle(p, QRectF(6.5, 3.5, 13, 17));
}

void glyphContinuous(QPainter &p)
{
    playTriangle(p, QRectF(3.5, 4.5, 9, 15));
    playTriangle(p, QRectF(11.5, 4.5, 9, 15));
}

void glyphStop(QPainter &p)
{
    p.setPen(QPen(QColor(120, 20, 20), 1));
    p.setBrush(vertical(4, 20, QColor(240, 90, 80), QColor(190, 30, 30)));
    p.drawRoundedRect(QRectF(4.5, 4.5, 15, 15), 2, 2);
}

// ---------- record window glyphs ----------

void glyphNew(QPainter &p)
{
    p.setPen(outline());
    p.setBrush(Qt::white);
    QPainterPath page;
    page.moveTo(4.5, 2.5);
    page.lineTo(14.5, 2.5);
    page.lineTo(19.5, 7.5);
    page.lineTo(19.5, 21.5);
    page.lineTo(4.5, 21.5);
    page.closeSubpath();
    p.drawPath(page);
    p.setBrush(QColor(220, 228, 238));
    QPainterPath fold;
    fold.moveTo(14.5, 2.5);
    fold.lineTo(14.5, 7.5);
    fold.lineTo(19.5, 7.5);
    p.drawPath(fold);
    // Sparkle of a new file.
    p.setPen(QPen(QColor(230, 160, 20), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 13), QPointF(16, 13));
    p.drawLine(QPointF(12, 9), QPointF(12, 17));
}

void glyphSetting(QPainter &p)
{
    QPainterPath gear;
    const QPointF c(12, 12);
    for (int i = 0; i < 16; ++i) {
        const double a0 = i * std::numbers::pi / 8;
        const double r = i % 2 ? 7 : 9.5;
        const QPointF pa(c.x() + r * std::cos(a0 - 0.17), c.y() + r * std::sin(a0 - 0.17));
        const QPointF pb(c.x() + r * std::cos(a0 + 0.17), c.y() + r * std::sin(a0 + 0.17));
        if (i == 0)
            gear.moveTo(pa);
        else
            gear.lineTo(pa);
        gear.lineTo(pb);
    }
    gear.closeSubpath();
    gear.addEllipse(c, 3, 3);
    gear.setFillRule(Qt::OddEvenFill);
    p.setPen(outline());
    p.setBrush(vertical(3, 21, QColor(190, 198, 210), QColor(110, 122, 138)));
    p.drawPath(gear);
}

void glyphRecordStart(QPainter &p)
{
    p.setPen(QPen(QColor(120, 20, 20), 1));
    QRadialGradient g(QPointF(10, 9), 10);
    g.setColorAt(0, QColor(255, 120, 100));
    g.setColorAt(1, QColor(200, 30, 25));
    p.setBrush(g);
    p.drawEllipse(QRectF(4.5, 4.5, 15, 15));
}

void arrow(QPainter &p, bool left)
{
    QPainterPath a;
    a.moveTo(3.5, 12);
    a.lineTo(11.5, 4.5);
    a.lineTo(11.5, 8.5);
    a.lineTo(20.5, 8.5);
    a.lineTo(20.5, 15.5);
    a.lineTo(11.5, 15.5);
    a.lineTo(11.5, 19.5);
    a.closeSubpath();
    if (!left)
        a = QTransform(-1, 0, 0, 1, 24, 0).map(a);
    p.setPen(QPen(QColor(20, 60, 120), 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(vertical(4, 20, QColor(100, 160, 230), QColor(40, 100, 180)));
    p.drawPath(a);
}

void magnifier(QPainter &p, bool plus)
{
    p.setPen(QPen(QColor(70, 80, 92), 3.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(15, 15), QPointF(20.5, 20.5));
    p.setPen(outline(1.2));
    QRadialGradient g(QPointF(8, 7), 9);
    g.setColorAt(0, Qt::white);
    g.setColorAt(1, QColor(200, 225, 245));
    p.setBrush(g);
    p.drawEllipse(QPointF(10, 10), 7, 7);
    p.setPen(QPen(QColor(20, 60, 120), 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(6.5, 10), QPointF(13.5, 10));
    if (plus)
        p.drawLine(QPointF(10, 6.5), QPointF(10, 13.5));
}

// The record window's channel buttons: scale the trace up or down, switch it on or off; and
// the range button under its axis.
void chevron(QPainter &p, bool up)
{
    QPainterPath c;
    c.moveTo(5, 15.5);
    c.lineTo(12, 8.5);
    c.lineTo(19, 15.5);
    if (!up)
        c = QTransform(1, 0, 0, -1, 0, 24).map(c);
    p.setPen(QPen(QColor(20, 60, 120), 3.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(c);
}

void glyphChannel(QPainter &p)
{
    // A power mark: on/off.
    p.setPen(QPen(QColor(40, 120, 60), 2.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(5, 5.5, 14, 14), 60 * 16, -300 * 16);
    p.drawLine(QPointF(12, 3.5), QPointF(12, 11.5));
}

void glyphRange(QPainter &p)
{
    // A vertical double arrow over a scale.
    p.setPen(QPen(QColor(90, 100, 112), 1));
    for (double y : { 4.5, 9.5, 14.5, 19.5 })
        p.drawLine(QPointF(3, y), QPointF(7, y));
    QPainterPath a;
    a.moveTo(15, 2.5);
    a.lineTo(20.5, 8.5);
    a.lineTo(17, 8.5);
    a.lineTo(17, 15.5);
    a.lineTo(20.5, 15.5);
    a.lineTo(15, 21.5);
    a.lineTo(9.5, 15.5);
    a.lineTo(13, 15.5);
    a.lineTo(13, 8.5);
    a.lineTo(9.5, 8.5);
    a.closeSubpath();
    p.setPen(QPen(QColor(20, 60, 120), 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(vertical(2, 22, QColor(100, 160, 230), QColor(40, 100, 180)));
    p.drawPath(a);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: kmr-pictures OUTPUT_FOLDER\n");
        return 2;
    }
    g_folder = QString::fromLocal8Bit(argv[1]);

    save(QStringLiteral("Splash"), QSize(521, 315), drawSplash);
    save(QStringLiteral("VersionLogo"), QSize(64, 64), drawVersionLogo);
    save(QStringLiteral("Norvo"), QSize(72, 18), drawNorvoLogo);

    const struct
    {
        const char *name;
        void (*draw)(QPainter &);
    } glyphs[] = {
        { "Open", glyphOpen },
        { "Save", glyphSave },
        { "Print", glyphPrint },
        { "Version", glyphVersion },
        { "Record", glyphRecord },
        { "Harmonic", glyphHarmonic },
        { "Starting", glyphStarting },
        { "Single", glyphSingle },
        { "Continuous", glyphContinuous },
        { "Stop", glyphStop },
        { "New", glyphNew },
        { "Setting", glyphSetting },
        { "RecordStart", glyphRecordStart },
        { "MoveLeft", [](QPainter &p) { arrow(p, true); } },
        { "MoveRight", [](QPainter &p) { arrow(p, false); } },
        { "ZoomOut", [](QPainter &p) { magnifier(p, false); } },
        { "ZoomIn", [](QPainter &p) { magnifier(p, true); } },
        { "ScaleUp", [](QPainter &p) { chevron(p, true); } },
        { "ScaleDown", [](QPainter &p) { chevron(p, false); } },
        { "Channel", glyphChannel },
        { "Range", glyphRange },
    };
    for (const auto &glyph : glyphs)
        save(QStringLiteral("Tool/") + QString::fromLatin1(glyph.name), QSize(24, 24), glyph.draw);

    std::printf("%d pictures written to %s\n", g_written, qPrintable(g_folder));
    return 0;
}
