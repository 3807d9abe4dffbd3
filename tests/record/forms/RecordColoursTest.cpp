// A display colour chosen in the skin window repaints the record chart at once, connected as
// the program connects it.

#include "record/forms/RecordFixture.h"

#include "appearance/forms/skins.h"
#include "measure/DrawingColours.h"
#include "widgets/RadioGroup.h"

#include <QRadioButton>
#include <QTest>

using RecordChartColours = RecordFormFixture;

TEST_F(RecordChartColours, AColourChoiceRepaintsTheRecordChartAtOnce)
{
    create();
    WaveBackgroundColor = QColor(238, 238, 238);
    WaveScaleColor = QColor(170, 170, 170);
    form->DrawChart();
    Tskin window;
    QObject::connect(&window, &Tskin::DisplayColorsChanged, form.get(), &TRecordForm::DrawChart);

    const struct
    {
        const char *name;
        TRadioGroup *group;
        int index;
        QColor background;
    } cases[] = {
        { "black background", window.RadioGroup2, 0, QColor(0, 0, 0) },
        { "white background", window.RadioGroup2, 1, QColor(255, 255, 255) },
    };
    const int W = form->Pic4->width();
    const int H = form->Pic4->height();
    for (const auto &c : cases) {
        QTest::mouseClick(c.group->item(c.index), Qt::LeftButton);
        ASSERT_EQ(WaveBackgroundColor, c.background) << c.name;
        const QImage chart = form->traceSurface().copy(0, 0, W, H);
        int background = 0;
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                background += chart.pixelColor(x, y) == c.background;
        EXPECT_GT(background, W * H / 2) << c.name;
    }
}
