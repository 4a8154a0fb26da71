// A string grid on screen: a table view of a TextGrid that the window owns, so the core rules work
// on the very cells the user sees. Fixed rows and columns are painted like headers, stay in view
// while the other cells scroll, and can be neither selected nor edited. The grid reports the events
// the window binds: the editor's text on every keystroke, a selection it may veto, key presses, and
// the painting of each cell.
#pragma once

#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <QTableView>
#include <functional>
#include <tuple>
#include <vector>

#include "base/text_grid.h"

namespace zelk {

// The model: rows and columns of the TextGrid, its texts as display and edit data.
class TextGridModel : public QAbstractTableModel {
public:
    TextGridModel(TextGrid& grid, int fixedRows, int fixedCols, bool editable, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    bool IsFixed(int row, int col) const { return row < fixedRows_ || col < fixedCols_; }
    // Where the cursor rests when it is to rest on a cell: that column, another one of the row, or
    // -1 for none. A cell that the cursor may not rest on can be neither selected nor edited.
    std::function<int(int row, int col)> restingColumn;
    bool MayRest(int row, int col) const {
        return !restingColumn || restingColumn(row, col) == col;
    }
    int FixedRows() const { return fixedRows_; }
    int FixedCols() const { return fixedCols_; }
    TextGrid& Grid() { return grid_; }

    // Tells the view that the grid changed: a new shape resets the view, new texts repaint it.
    void Refresh();

private:
    TextGrid& grid_;
    int fixedRows_;
    int fixedCols_;
    bool editable_;
    int shownRows_;
    int shownCols_;
};

class StringGrid;

// A strip at the top, at the left or in the corner of a grid that shows its fixed rows or columns,
// so that the headers stay in view while the other cells scroll beneath them.
class FixedCellsBand : public QWidget {
public:
    enum class Part { TopRows, LeftColumns, Corner };
    FixedCellsBand(StringGrid& grid, Part part);
    Part Which() const { return part_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    StringGrid& grid_;
    Part part_;
};

class StringGrid : public QTableView {
public:
    // The state of a cell as its painting sees it.
    struct DrawState {
        bool selected = false;
        bool focused = false;
        bool fixed = false;
    };

    StringGrid(TextGrid& grid, int fixedRows, int fixedCols, bool editable, QWidget* parent);

    TextGrid& Grid() { return model_->Grid(); }
    TextGridModel* GridModel() { return model_; }

    // Call after any change of the grid's cells, rows or columns.
    void Refresh();

    // The row height and the column widths (a negative width keeps the grid's default).
    void SetRowHeight(int height);
    void SetColumnWidths(const std::vector<int>& widths, int defaultWidth);

    // Keeps a strip free at the right, as wide as another grid's vertical scroll bar, so that
    // both grids show their columns across the same width.
    void SetRightMargin(int width);

    // Moves the cursor; outside the grid nothing happens.
    void SetCursor(int row, int col);
    // Shows the grid from its first row; a cursor moves there, in its column or where it may rest.
    void ShowFromFirstRow();
    int CursorRow() const { return currentIndex().row(); }
    int CursorCol() const { return currentIndex().column(); }

    // Events. onSetEditText: the in-place editor changed the cell, whose text is already stored.
    // onSelectCell: whether the cell may become the current one. onKeyDown: true consumes the key.
    // onBackground: the background colour of a cell.
    std::function<void(int row, int col, const std::string& text)> onSetEditText;
    std::function<bool(int row, int col)> onSelectCell;
    std::function<bool(int key, Qt::KeyboardModifiers modifiers)> onKeyDown;
    std::function<QColor(int row, int col, DrawState state)> onBackground;

    // Paints the fixed cells of one band, with the scrolled cells' columns and rows.
    void PaintFixedCells(QPainter& painter, FixedCellsBand::Part part);

    // Called by the editor for the keys it would otherwise handle itself (Tab, Enter).
    bool EditorKeyDown(int key, Qt::KeyboardModifiers modifiers);
    void StoreEditText(const QModelIndex& index, const QString& text);

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;

private:
    bool MaySelect(const QModelIndex& index);
    // Moves the cursor off a cell it may not rest on, to where it may in the same row.
    void KeepCursorWhereItMayRest();
    // Scrolled to its end, the view would show the last column and row whole at the far edge and
    // cut the first ones: it starts with the next whole column and row instead.
    bool StartAtWholeCells();
    // The fixed rows and columns leave the scrolled view; the bands show them instead.
    void HideFixedLines();
    // The fixed columns: column, left edge within the band, width.
    std::vector<std::tuple<int, int, int>> FixedColumns() const;
    int FixedColumnsWidth() const;
    int FixedRowsHeight() const;
    void PaintCell(QPainter& painter, int row, int col, const QRect& cell);
    void UpdateBands();

    TextGridModel* model_;
    int rightMargin_ = 0;
    std::vector<int> fixedColWidths_;
    std::vector<FixedCellsBand*> bands_;
};

// Paints every cell: the colour the window chooses, the text from the cell's top-left corner
// without inset, clipped to the cell, and the focus rectangle on the focused cell. The editor is
// a line edit that stores its text in the grid on every keystroke.
class StringGridDelegate : public QStyledItemDelegate {
public:
    explicit StringGridDelegate(StringGrid& grid);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    StringGrid& grid_;
};

}  // namespace zelk
