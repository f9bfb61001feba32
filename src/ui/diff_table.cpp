#include "ui/diff_table.h"

#include <QFontDatabase>
#include <QHeaderView>

namespace quelvar {

namespace {

QTableWidgetItem* cell(const std::string& text)
{
    auto* item = new QTableWidgetItem(QString::fromStdString(text));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

QTableWidgetItem* settingCell(const text::DiffRow& row)
{
    QTableWidgetItem* item = cell(row.setting + (row.calibration ? kCalibrationMark : ""));
    if (!row.calibration) return item;
    QFont bold = item->font();
    bold.setBold(true);
    item->setFont(bold);
    item->setToolTip("A calibration factor: changing it needs a new calibration of the scale.");
    return item;
}

bool isLine(const text::DiffRow& row) { return row.kind != text::DiffRow::Value; }

// "- line" or "+ line": a listing line taken out or put in.
std::string lineText(const text::DiffRow& row)
{
    return row.kind == text::DiffRow::LineOut ? "- " + row.before : "+ " + row.after;
}

}  // namespace

DiffTable::DiffTable(const std::vector<text::DiffRow>& rows, const QString& firstHeading,
                     const QString& secondHeading, QWidget* parent)
    : QTableWidget(0, 3, parent)
{
    setObjectName("DiffTable");
    setHorizontalHeaderLabels({"Setting", firstHeading, secondHeading});
    verticalHeader()->hide();
    setWordWrap(false);
    setTabKeyNavigation(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (std::size_t i = 0; i < rows.size();) {
        const int r = rowCount();
        insertRow(r);
        setItem(r, 0, settingCell(rows[i]));
        if (!isLine(rows[i])) {
            setItem(r, 1, cell(rows[i].before));
            setItem(r, 2, cell(rows[i].after));
            ++i;
            continue;
        }
        // A listing: its lines taken out and put in, under both sides.
        std::string lines = lineText(rows[i]);
        for (++i; i < rows.size() && isLine(rows[i]) && rows[i].setting == rows[i - 1].setting; ++i)
            lines += "\n" + lineText(rows[i]);
        QTableWidgetItem* listing = cell(lines);
        listing->setFont(fixed);
        setItem(r, 1, listing);
        setSpan(r, 1, 1, 2);
    }
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setStretchLastSection(true);
    resizeColumnsToContents();
    resizeRowsToContents();
}

}  // namespace quelvar
