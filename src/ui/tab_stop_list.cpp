#include "ui/tab_stop_list.h"

#include <QApplication>
#include <QPainter>
#include <QStyledItemDelegate>

namespace quelvar {

namespace {

constexpr int kDefaultTabStop = 32;  // dialog units

// The pixel position of the first tab stop beyond pixel x; -1 when there is none.
// Stops are compared as the pixels they are drawn at, so a field that ends exactly
// on a stop (an empty one) goes on to the next.
int nextStop(const std::vector<int>& stops, int x, double unit)
{
    const auto pixel = [unit](int units) { return static_cast<int>(units * unit); };
    if (stops.size() > 1) {
        for (int stop : stops)
            if (pixel(stop) > x) return pixel(stop);
        return -1;
    }
    const int every = stops.empty() ? kDefaultTabStop : stops.front();
    if (every <= 0) return -1;
    int n = static_cast<int>(x / (every * unit));
    while (pixel(n * every) <= x)
        ++n;
    return pixel(n * every);
}

class TabStopDelegate : public QStyledItemDelegate {
public:
    explicit TabStopDelegate(TabStopListBox* list) : QStyledItemDelegate(list), m_list(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QString row = opt.text;
        opt.text.clear();
        const QWidget* widget = opt.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

        const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget);
        const auto fields = row.split('\t');
        const auto positions = m_list->fieldPositions(row);
        painter->save();
        painter->setFont(opt.font);
        painter->setPen(opt.palette.color(
            opt.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
        for (qsizetype i = 0; i < fields.size(); ++i) {
            QRect r = textRect.adjusted(positions[static_cast<std::size_t>(i)], 0, 0, 0);
            painter->drawText(r, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, fields[i]);
        }
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        const QString row = index.data().toString();
        const auto positions = m_list->fieldPositions(row);
        const int width =
            positions.back() + option.fontMetrics.horizontalAdvance(row.section('\t', -1));
        size.setWidth(std::max(size.width(), width + 8));
        return size;
    }

private:
    TabStopListBox* m_list;
};

}  // namespace

TabStopListBox::TabStopListBox(QWidget* parent) : QListWidget(parent)
{
    setItemDelegate(new TabStopDelegate(this));
}

void TabStopListBox::setTabStops(std::vector<int> dialogUnits)
{
    m_tabStops = std::move(dialogUnits);
    viewport()->update();
}

std::vector<int> TabStopListBox::fieldPositions(const QString& row) const
{
    const QFontMetrics metrics(font());
    const double unit = metrics.averageCharWidth() / 4.0;
    const auto fields = row.split('\t');
    std::vector<int> positions{0};
    int x = 0;
    for (qsizetype i = 0; i + 1 < fields.size(); ++i) {
        const int end = x + metrics.horizontalAdvance(fields[i]);
        const int stop = nextStop(m_tabStops, end, unit);
        x = stop >= 0 ? stop : end + metrics.horizontalAdvance(' ');
        positions.push_back(x);
    }
    return positions;
}

}  // namespace quelvar
