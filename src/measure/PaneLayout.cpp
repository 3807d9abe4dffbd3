#include "measure/PaneLayout.h"

PaneLayout LayoutPaneGeometry(int panelWidth, int panelHeight)
{
    PaneLayout layout {};
    const int gw = (panelWidth - 12) / 2;
    const int gh = (panelHeight - 12) / 2;

    layout.groupBox[0] = QRect(4, 4, gw, gh);
    layout.groupBox[1] = QRect(8 + gw, 4, gw, gh);
    layout.groupBox[2] = QRect(4, 8 + gh, gw, gh);
    layout.groupBox[3] = QRect(8 + gw, 8 + gh, gw, gh);
    layout.picturePanel = QRect(4, 16, gw - 8, gh - 20);

    if (panelWidth < 830) {
        // Narrow windows keep the columns where they fit the smallest value panels.
        constexpr int labelLefts[3] = { 5, 125, 258 };
        constexpr int panelLefts[3] = { 38, 172, 303 };
        for (int c = 0; c < 3; ++c) {
            layout.labelLeft[c] = labelLefts[c];
            layout.panelLeft[c] = panelLefts[c];
        }
    } else {
        const int cw = (gw - 10) / 3;
        for (int c = 0; c < 3; ++c) {
            layout.labelLeft[c] = c * cw + 10;
            layout.panelLeft[c] = c == 0 ? 42 : c * cw + 58;
        }
    }
    layout.panelWidth = panelWidth < 930 ? 83 : 93;

    const int rh = (gh - 20) / 5;
    for (int r = 0; r < 5; ++r) {
        layout.labelTop[r] = rh / 3 + 20 + r * rh;
        layout.panelTop[r] = rh / 3 + 9 + r * rh;
    }
    return layout;
}
