#include "measure/PaneLayout.h"

#include <gtest/gtest.h>

#include <array>

namespace {
struct LayoutCase
{
    int w, h;
    std::array<QRect, 4> groupBoxes;
    QRect picture;
    std::array<int, 3> labelLeft, panelLeft;
    int panelWidth;
    std::array<int, 5> labelTop, panelTop;
};
} // namespace

TEST(LayoutPaneGeometry, PlacesBoxesColumnsAndRowsForTheClientSize)
{
    const LayoutCase cases[] = {
        // Narrow: fixed columns, small panels. gw 394, gh 244, rh 44.
        { 800, 500,
            { QRect(4, 4, 394, 244), QRect(402, 4, 394, 244), QRect(4, 252, 394, 244),
                QRect(402, 252, 394, 244) },
            QRect(4, 16, 386, 224), { 5, 125, 258 }, { 38, 172, 303 }, 83, { 34, 78, 122, 166, 210 },
            { 23, 67, 111, 155, 199 } },
        // Between 830 and 930: computed columns, small panels. gw 434, gh 274, cw 141, rh 50.
        { 880, 560,
            { QRect(4, 4, 434, 274), QRect(442, 4, 434, 274), QRect(4, 282, 434, 274),
                QRect(442, 282, 434, 274) },
            QRect(4, 16, 426, 254), { 10, 151, 292 }, { 42, 199, 340 }, 83, { 36, 86, 136, 186, 236 },
            { 25, 75, 125, 175, 225 } },
        // Wide: computed columns, large panels. gw 494, gh 344, cw 161, rh 64.
        { 1000, 700,
            { QRect(4, 4, 494, 344), QRect(502, 4, 494, 344), QRect(4, 352, 494, 344),
                QRect(502, 352, 494, 344) },
            QRect(4, 16, 486, 324), { 10, 171, 332 }, { 42, 219, 380 }, 93, { 41, 105, 169, 233, 297 },
            { 30, 94, 158, 222, 286 } },
        // Odd sizes: every division drops its fraction. gw 439, gh 300, cw 143, rh 56.
        { 891, 613,
            { QRect(4, 4, 439, 300), QRect(447, 4, 439, 300), QRect(4, 308, 439, 300),
                QRect(447, 308, 439, 300) },
            QRect(4, 16, 431, 280), { 10, 153, 296 }, { 42, 201, 344 }, 83, { 38, 94, 150, 206, 262 },
            { 27, 83, 139, 195, 251 } },
    };
    for (const LayoutCase &c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << " x " << c.h);
        const PaneLayout layout = LayoutPaneGeometry(c.w, c.h);
        for (int b = 0; b < 4; ++b)
            EXPECT_EQ(layout.groupBox[b], c.groupBoxes[b]) << "group box " << b + 1;
        EXPECT_EQ(layout.picturePanel, c.picture);
        for (int col = 0; col < 3; ++col) {
            EXPECT_EQ(layout.labelLeft[col], c.labelLeft[col]) << "column " << col;
            EXPECT_EQ(layout.panelLeft[col], c.panelLeft[col]) << "column " << col;
        }
        EXPECT_EQ(layout.panelWidth, c.panelWidth);
        for (int r = 0; r < 5; ++r) {
            EXPECT_EQ(layout.labelTop[r], c.labelTop[r]) << "row " << r;
            EXPECT_EQ(layout.panelTop[r], c.panelTop[r]) << "row " << r;
        }
    }
}

TEST(LayoutPaneGeometry, ColumnAndPanelWidthThresholds)
{
    struct Case
    {
        int w;
        int secondLabelLeft, secondPanelLeft, panelWidth;
    } cases[] = {
        { 829, 125, 172, 83 }, // last width with the fixed columns
        { 830, 143, 191, 83 }, // gw 409, cw 133
        { 929, 159, 207, 83 }, // gw 458, cw 149
        { 930, 159, 207, 93 }, // gw 459, cw 149: the wider panels from here on
    };
    for (const Case &c : cases) {
        const PaneLayout layout = LayoutPaneGeometry(c.w, 500);
        EXPECT_EQ(layout.labelLeft[1], c.secondLabelLeft) << c.w;
        EXPECT_EQ(layout.panelLeft[1], c.secondPanelLeft) << c.w;
        EXPECT_EQ(layout.panelWidth, c.panelWidth) << c.w;
    }
}
