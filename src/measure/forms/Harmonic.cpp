#include "measure/forms/Harmonic.h"

#include "measure/HarmonicTable.h"
#include "measure/MeasurementRecord.h"
#include "measure/NumberText.h"
#include "widgets/FormParts.h"

#include <QEvent>
#include <QHeaderView>
#include <QTableWidget>
#include <QTimer>

THarmonicForm *HarmonicForm = nullptr;

namespace {
constexpr int ColumnCount = 5;
constexpr int RowHeight = 20;
} // namespace

THarmonicForm::THarmonicForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("HarmonicForm"));
    resize(648, 500);

    // The fixed header row is the table's own header: it stays in view while the 51 orders
    // scroll under it, which is what a fixed grid row is for, and needs no special casing
    // of row 0 when the data rows are written or selected.
    p1_h = new QTableWidget(HarmonicCount, ColumnCount, this);
    p1_h->setObjectName(QStringLiteral("p1_h"));
    p1_h->setGeometry(rect());
    p1_h->setEditTriggers(QAbstractItemView::NoEditTriggers);
    p1_h->verticalHeader()->hide();
    p1_h->verticalHeader()->setMinimumSectionSize(1);
    p1_h->verticalHeader()->setDefaultSectionSize(RowHeight);
    p1_h->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    p1_h->horizontalHeader()->setFixedHeight(RowHeight);
    p1_h->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    p1_h->horizontalHeader()->setHighlightSections(false);
    // The five columns fill the width; with no sideways scrolling the first column stays
    // in place like the fixed column of a grid.
    p1_h->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int r = 0; r < HarmonicCount; ++r)
        for (int c = 0; c < ColumnCount; ++c) {
            auto *item = new QTableWidgetItem;
            if (c == 0) {
                // The order column is a label column: not selectable, drawn like the header.
                item->setFlags(Qt::ItemIsEnabled);
                item->setBackground(p1_h->palette().button());
            } else {
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            }
            p1_h->setItem(r, c, item);
        }

    // Runs from creation, shown or not; each tick rewrites the cells from the record.
    Timer1 = MakeTimer(this, "Timer1", 1000, &THarmonicForm::FormShow);
    Timer1->start();

    FormCreate();
    retranslateUi();
}

void THarmonicForm::retranslateUi()
{
    setWindowTitle(tr("THD TABLE"));
    p1_h->setHorizontalHeaderLabels(HarmonicTableHeader());
}

void THarmonicForm::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QDialog::changeEvent(event);
}

void THarmonicForm::FormCreate()
{
    const int columnWidth = (p1_h->width() - 10) / ColumnCount;
    p1_h->horizontalHeader()->setDefaultSectionSize(columnWidth);
    for (int c = 0; c < ColumnCount; ++c)
        p1_h->setColumnWidth(c, columnWidth);
    p1_h->setHorizontalHeaderLabels(HarmonicTableHeader());
    for (int n = 0; n < HarmonicCount; ++n) {
        p1_h->item(n, 0)->setText(HarmonicCellPrefix + QString::number(n));
        p1_h->item(n, 1)->setText(HarmonicCellPrefix + ShortestText(Measurement.UHarm[n]));
    }
}

void THarmonicForm::FormShow()
{
    for (int n = 0; n < HarmonicCount; ++n) {
        const HarmonicRow row = HarmonicTableRow(Measurement, n);
        p1_h->item(n, 1)->setText(row.uRms);
        p1_h->item(n, 2)->setText(row.uContent);
        p1_h->item(n, 3)->setText(row.iRms);
        p1_h->item(n, 4)->setText(row.iContent);
    }
}

QString THarmonicForm::Cells(int col, int row) const
{
    if (col < 0 || col >= ColumnCount || row < 0 || row > HarmonicCount)
        return {};
    if (row == 0) {
        const QTableWidgetItem *header = p1_h->horizontalHeaderItem(col);
        return header ? header->text() : QString();
    }
    const QTableWidgetItem *cell = p1_h->item(row - 1, col);
    return cell ? cell->text() : QString();
}

void THarmonicForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
}

void THarmonicForm::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    p1_h->setGeometry(rect());
}
