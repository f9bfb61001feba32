#include "ui/string_grid.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QTimer>

namespace quelvar {

namespace {

bool comesBefore(const QModelIndex& a, const QModelIndex& b)
{
    return a.row() < b.row() || (a.row() == b.row() && a.column() < b.column());
}

// Cell editors that take no more characters than their column holds.
class LimitedEditors : public QStyledItemDelegate {
public:
    LimitedEditors(const std::map<int, int>& maxLengths, QObject* parent)
        : QStyledItemDelegate(parent), m_maxLengths(maxLengths)
    {
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        const auto length = m_maxLengths.find(index.column());
        if (auto* box = qobject_cast<QLineEdit*>(editor); box && length != m_maxLengths.end())
            box->setMaxLength(length->second);
        return editor;
    }

private:
    const std::map<int, int>& m_maxLengths;
};

}  // namespace

StringGrid::StringGrid(int rows, int columns, QWidget* parent) : QTableWidget(rows, columns, parent)
{
    setItemDelegate(new LimitedEditors(m_maxLengths, this));
    setEditTriggers(AllEditTriggers);
    setTabKeyNavigation(true);
    setSelectionMode(SingleSelection);
    setWordWrap(false);
}

void StringGrid::setColumnMaxLength(int column, int length)
{
    m_maxLengths[column] = length;
}

void StringGrid::commitOpenEditor()
{
    QWidget* editor = focusWidget();
    if (state() == EditingState && editor && viewport()->isAncestorOf(editor)) commitData(editor);
}

QString StringGrid::cellText(int row, int column) const
{
    const QTableWidgetItem* cell = item(row, column);
    return cell ? cell->text() : QString();
}

// Tab does not wrap around: at the last cell it leaves the grid.
QModelIndex StringGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex current = currentIndex();
    const QModelIndex next = QTableWidget::moveCursor(action, modifiers);
    if (!current.isValid() || !next.isValid()) return next;
    if (action == MoveNext && comesBefore(next, current)) return {};
    if (action == MovePrevious && comesBefore(current, next)) return {};
    return next;
}

void StringGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    const QModelIndex was = currentIndex();
    QTableWidget::closeEditor(editor, hint);
    const bool tabbed = hint == QAbstractItemDelegate::EditNextItem ||
                        hint == QAbstractItemDelegate::EditPreviousItem;
    if (tabbed && currentIndex() == was)
        focusNextPrevChild(hint == QAbstractItemDelegate::EditNextItem);
}

// Coming into the grid opens the editor of its current cell. A closing editor hands
// the focus back with OtherFocusReason: then it stays closed, so a second Escape
// reaches the dialog.
void StringGrid::focusInEvent(QFocusEvent* event)
{
    QTableWidget::focusInEvent(event);
    if (event->reason() == Qt::OtherFocusReason) return;
    QTimer::singleShot(0, this, [this] {
        const QModelIndex cell = currentIndex();
        if (hasFocus() && state() != EditingState && (cell.flags() & Qt::ItemIsEditable))
            edit(cell);
    });
}

// Enter in a cell editor belongs to the dialog: it presses the default button,
// which takes the editor's text first.
void StringGrid::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && state() == EditingState) {
        event->ignore();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

}  // namespace quelvar
