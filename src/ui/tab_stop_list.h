#pragma once
// A list box whose rows are the system's row texts with TAB-separated fields, drawn
// at tab stops given in dialog units (a quarter of the font's average character width).
// The rows keep their exact texts: item(i)->text() is what the system would show.
//
//     auto* regListBox = new TabStopListBox(this);
//     regListBox->setTabStops({40});                  // one stop: every 40 units
//     regListBox->addItem(QString("GrossWt\tGross weight"));
//
// With no stops set, tabs fall every 32 dialog units; with one stop, at multiples of
// it; with several, at those positions (fields past the last stop follow one blank
// apart).

#include <QListWidget>
#include <vector>

namespace quelvar {

class TabStopListBox : public QListWidget {
    Q_OBJECT
public:
    explicit TabStopListBox(QWidget* parent = nullptr);

    void setTabStops(std::vector<int> dialogUnits);

    // The pixel x of each field of `row` relative to the text's left edge.
    std::vector<int> fieldPositions(const QString& row) const;

private:
    std::vector<int> m_tabStops;
};

}  // namespace quelvar
