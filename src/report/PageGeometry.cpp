#include "report/PageGeometry.h"

PageFrame PageFrameFor(int pw, int ph)
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
    return f;
}
