#include "report/PageGeometry.h"

#include <QPaintDevice>
#include <QPainter>

PageFrame PageFrameFor(int pw, int ph, int dpi)
{
    PageFrame f;
    f.pw = pw;
    f.ph = ph;
    f.left = pw / 18;
    f.top = ph / 26;
    f.right = pw - f.left;
    f.bottom = ph - ph / 26;
    f.width = f.right - f.left;
    f.height = f.bottom - f.top;
    f.centre = pw / 2;
    f.landscape = pw > ph;
    f.pixelScale = dpi > 0 ? double(dpi) / DesignDpi : 1.0;
    return f;
}

int PainterDpi(const QPainter &painter)
{
    const QPaintDevice *device = painter.device();
    const int dpi = device ? device->logicalDpiY() : 0;
    return dpi > 0 ? dpi : DesignDpi;
}
