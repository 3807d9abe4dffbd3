#include "measure/forms/Compare.h"

#include "base/SaveName.h"
#include "widgets/FormParts.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

TCompareForm *CompareForm = nullptr;

TCompareForm::TCompareForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("CompareForm"));
    setWindowFlag(Qt::WindowMinMaxButtonsHint);
    resize(720, 620);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);

    Grid1 = new QTableWidget(0, int(header().size()), this);
    Grid1->setObjectName(QStringLiteral("Grid1"));
    Grid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid1->verticalHeader()->hide();
    Grid1->verticalHeader()->setDefaultSectionSize(Grid1->fontMetrics().height() + 6);
    Grid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    // Names and units are short; the numbers take the room.
    Grid1->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    Grid1->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);

    Button1 = new QPushButton(this);
    Button2 = new QPushButton(this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2->setObjectName(QStringLiteral("Button2"));
    connect(Button1, &QPushButton::clicked, this, &TCompareForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TCompareForm::Button2Click);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Grid1, 1);
    layout->addLayout(buttons);
    retranslateUi();
}

void TCompareForm::retranslateUi()
{
    setWindowTitle(tr("Compare"));
    setAccessibleName(windowTitle());
    Grid1->setAccessibleName(tr("Differences"));
    Grid1->setHorizontalHeaderLabels(shownHeader());
    Button1->setText(tr("&Copy"));
    Button2->setText(tr("&Export CSV..."));
    Button1->setAccessibleName(tr("Copy"));
    Button2->setAccessibleName(tr("Export CSV..."));
    fill();
}

void TCompareForm::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QDialog::changeEvent(event);
}

QStringList TCompareForm::header()
{
    return ComparisonHeader(QStringLiteral("Live"), QStringLiteral("Reference"));
}

QStringList TCompareForm::shownHeader()
{
    return { tr("Quantity"), tr("Unit"), tr("Live"), tr("Reference"), tr("Difference"),
        tr("Difference (%)") };
}

void TCompareForm::ShowComparison(
    const MeasurementRecord &live, const std::optional<ReferenceMeasurement> &reference)
{
    m_live = live;
    m_reference = reference;
    m_stale = true;
    // A hidden window does no work for measurements nobody looks at.
    if (isVisible())
        fill();
}

void TCompareForm::showEvent(QShowEvent *event)
{
    if (m_stale)
        fill();
    QDialog::showEvent(event);
}

void TCompareForm::fill()
{
    m_stale = false;
    m_rows.clear();
    if (m_reference)
        m_rows = CompareMeasurements(m_live, m_reference->record);
    Label1->setText(m_reference
            ? ReferenceStatusText(m_reference)
            : tr("No reference: choose File > Set as reference (the measurement shown now) or File > Load "
                 "reference..."));
    Button1->setEnabled(m_reference.has_value());
    Button2->setEnabled(m_reference.has_value());
    Grid1->setRowCount(int(m_rows.size()));
    for (int r = 0; r < int(m_rows.size()); ++r) {
        const ComparisonRow &row = m_rows[size_t(r)];
        const QString texts[] = { row.quantity, row.unit, row.liveText, row.referenceText, row.differenceText,
            row.percentText };
        for (int c = 0; c < int(std::size(texts)); ++c) {
            QTableWidgetItem *item = Grid1->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                item->setTextAlignment(
                    c < 2 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
                Grid1->setItem(r, c, item);
            }
            item->setText(texts[c]);
        }
    }
}

void TCompareForm::Button1Click()
{
    if (m_rows.empty())
        return;
    QApplication::clipboard()->setText(ComparisonTabbed(m_rows, shownHeader()));
}

void TCompareForm::Button2Click()
{
    if (m_rows.empty())
        return;
    const QString fileName = AskSaveFileName(CsvFileFilter(), QStringLiteral("Compare.csv"));
    if (fileName.isEmpty())
        return;
    ShowingErrors([this, &fileName] {
        NamingFile(fileName, [this, &fileName] { SaveComparisonCsv(m_rows, header(), fileName); });
    });
}
