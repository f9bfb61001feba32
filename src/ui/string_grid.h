#pragma once
// A grid of text cells edited in place, for keyboard use: the cell editor is open
// whenever the grid has the focus on an editable cell, Tab and Shift+Tab move from
// cell to cell and leave the grid after its last and before its first cell, and a
// button pressed by a key (Enter, Alt+O) can take the text of the open editor first.
//
//     grid->commitOpenEditor();   // in OK, before reading the cells

#include <QTableWidget>
#include <map>

namespace quelvar {

class StringGrid : public QTableWidget {
public:
    StringGrid(int rows, int columns, QWidget* parent = nullptr);

    // The cells of `column` take at most `length` characters as they are typed.
    void setColumnMaxLength(int column, int length);
    // Stores the text of the open cell editor, if any, into its cell.
    void commitOpenEditor();
    // The text of a cell; empty for a cell without an item.
    QString cellText(int row, int column) const;

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::map<int, int> m_maxLengths;  // column: characters
};

}  // namespace quelvar
