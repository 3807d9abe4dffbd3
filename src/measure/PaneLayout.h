#pragma once

// Geometry of the four group boxes and the value panels inside the main window's client
// panel. Pure arithmetic, so the window only copies the numbers onto its controls.

#include <QRect>

struct PaneLayout
{
    QRect groupBox[4]; // GroupBox1..4
    QRect picturePanel; // Panel2/3/4 inside their group box: (4, 16, gw-8, gh-20)
    int labelLeft[3], panelLeft[3], panelWidth, labelTop[5], panelTop[5];
};

PaneLayout LayoutPaneGeometry(int panelWidth, int panelHeight); // W, H of Panel1
