#include "ui/string_grid.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStylePainter>

namespace zelk {

TextGridModel::TextGridModel(TextGrid& grid, int fixedRows, int fixedCols, bool editable,
                             QObject* parent)
    : QAbstractTableModel(parent),
      grid_(grid),
      fixedRows_(fixedRows),
      fixedCols_(fixedCols),
      editable_(editable),
      shownRows_(grid.RowCount()),
      shownCols_(grid.ColCount()) {}

int TextGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shownRows_;
}

int TextGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shownCols_;
}

QVariant TextGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= grid_.RowCount() || index.column() >= grid_.ColCount()) {
        return {};
    }
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        return QString::fromStdString(grid_.Cell(index.row(), index.column()));
    }
    return {};
}

Qt::ItemFlags TextGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid() || IsFixed(index.row(), index.column())) {
        return Qt::NoItemFlags;  // headers: the cursor passes them by
    }
    if (!MayRest(index.row(), index.column())) {
        return Qt::NoItemFlags;  // the cursor passes it by as well
    }
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return editable_ ? flags | Qt::ItemIsEditable : flags;
}

void TextGridModel::Refresh() {
    if (shownRows_ != grid_.RowCount() || shownCols_ != grid_.ColCount()) {
        beginResetModel();
        shownRows_ = grid_.RowCount();
        shownCols_ = grid_.ColCount();
        endResetModel();
        return;
    }
    if (shownRows_ > 0 && shownCols_ > 0) {
        // A range, not one cell, so that an open editor keeps its cursor.
        emit dataChanged(index(0, 0), index(shownRows_ - 1, shownCols_ - 1));
    }
}

StringGrid::StringGrid(TextGrid& grid, int fixedRows, int fixedCols, bool editable, QWidget* parent)
    : QTableView(parent), model_(new TextGridModel(grid, fixedRows, fixedCols, editable, this)) {
    setModel(model_);
    setItemDelegate(new StringGridDelegate(*this));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(4);
    verticalHeader()->setMinimumSectionSize(4);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setWordWrap(false);
    // Whole rows and columns, as a string grid scrolls: a cell at the edge is shown whole or not
    // at all, so no number is cut to look like another.
    setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setTabKeyNavigation(true);
    setEditTriggers(editable ? QAbstractItemView::DoubleClicked | QAbstractItemView::AnyKeyPressed |
                                   QAbstractItemView::EditKeyPressed
                             : QAbstractItemView::NoEditTriggers);

    using Part = FixedCellsBand::Part;
    fixedColWidths_.assign(static_cast<size_t>(fixedCols),
                           horizontalHeader()->defaultSectionSize());
    if (fixedRows > 0) {
        bands_.push_back(new FixedCellsBand(*this, Part::TopRows));
    }
    if (fixedCols > 0) {
        bands_.push_back(new FixedCellsBand(*this, Part::LeftColumns));
    }
    if (fixedRows > 0 && fixedCols > 0) {
        bands_.push_back(new FixedCellsBand(*this, Part::Corner));
    }
    HideFixedLines();
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { UpdateBands(); });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { UpdateBands(); });
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this] { UpdateBands(); });
}

void StringGrid::HideFixedLines() {
    for (int row = 0; row < model_->FixedRows() && row < model_->rowCount(); ++row) {
        setRowHidden(row, true);
    }
    for (int col = 0; col < model_->FixedCols() && col < model_->columnCount(); ++col) {
        setColumnHidden(col, true);
    }
}

int StringGrid::FixedColumnsWidth() const {
    int width = 0;
    for (const auto& [col, left, columnWidth] : FixedColumns()) {
        width += columnWidth;
    }
    return width;
}

std::vector<std::tuple<int, int, int>> StringGrid::FixedColumns() const {
    // (none while the model is being set, before the widths are known)
    std::vector<std::tuple<int, int, int>> cols;
    int left = 0;
    for (size_t col = 0;
         col < fixedColWidths_.size() && static_cast<int>(col) < model_->columnCount(); ++col) {
        cols.emplace_back(static_cast<int>(col), left, fixedColWidths_[col]);
        left += fixedColWidths_[col];
    }
    return cols;
}

int StringGrid::FixedRowsHeight() const {
    return std::min(model_->FixedRows(), model_->rowCount()) *
           verticalHeader()->defaultSectionSize();
}

void StringGrid::UpdateBands() {
    for (FixedCellsBand* band : bands_) {
        band->update();
    }
}

void StringGrid::Refresh() {
    QModelIndex current = currentIndex();
    int row = current.row();
    int col = current.column();
    const bool reshaped =
        model_->rowCount() != Grid().RowCount() || model_->columnCount() != Grid().ColCount();
    if (reshaped && isAncestorOf(QApplication::focusWidget())) {
        // The reset closes the editor; the focus stays with the grid rather than moving on.
        setFocus();
    }
    model_->Refresh();
    if (reshaped) {
        HideFixedLines();
    }
    if (!currentIndex().isValid() && row >= 0) {
        SetCursor(std::min(row, Grid().RowCount() - 1), std::min(col, Grid().ColCount() - 1));
    }
    KeepCursorWhereItMayRest();
    viewport()->update();
    UpdateBands();
}

void StringGrid::SetRowHeight(int height) {
    verticalHeader()->setDefaultSectionSize(height);
}

void StringGrid::SetColumnWidths(const std::vector<int>& widths, int defaultWidth) {
    horizontalHeader()->setDefaultSectionSize(defaultWidth);
    for (int col = 0; col < model_->columnCount(); ++col) {
        int width = col < static_cast<int>(widths.size()) ? widths[col] : -1;
        if (col < model_->FixedCols()) {
            fixedColWidths_[static_cast<size_t>(col)] = width >= 0 ? width : defaultWidth;
        } else if (width >= 0) {
            setColumnWidth(col, width);
        }
    }
    updateGeometries();
}

void StringGrid::SetRightMargin(int width) {
    rightMargin_ = width;
    updateGeometries();
}

void StringGrid::updateGeometries() {
    QTableView::updateGeometries();  // sets the margins of the (hidden) headers
    const QMargins margins(FixedColumnsWidth(), FixedRowsHeight(), rightMargin_, 0);
    if (viewportMargins() != margins) {
        setViewportMargins(margins);
    }
    const QRect view = viewport()->geometry();
    for (FixedCellsBand* band : bands_) {
        switch (band->Which()) {
            case FixedCellsBand::Part::TopRows:
                band->setGeometry(view.left(), view.top() - margins.top(), view.width(),
                                  margins.top());
                break;
            case FixedCellsBand::Part::LeftColumns:
                band->setGeometry(view.left() - margins.left(), view.top(), margins.left(),
                                  view.height());
                break;
            case FixedCellsBand::Part::Corner:
                band->setGeometry(view.left() - margins.left(), view.top() - margins.top(),
                                  margins.left(), margins.top());
                break;
        }
    }
}

void StringGrid::scrollContentsBy(int dx, int dy) {
    QTableView::scrollContentsBy(dx, dy);
    if (StartAtWholeCells()) {
        viewport()->update();
        updateEditorGeometries();
        UpdateBands();
    }
}

bool StringGrid::StartAtWholeCells() {
    bool moved = false;
    for (QHeaderView* header : {horizontalHeader(), verticalHeader()}) {
        const int first = header->visualIndexAt(0);
        if (first >= 0 && first + 1 < header->count() &&
            header->sectionViewportPosition(header->logicalIndex(first)) < 0) {
            header->setOffsetToSectionPosition(first + 1);
            moved = true;
        }
    }
    return moved;
}

void StringGrid::PaintFixedCells(QPainter& painter, FixedCellsBand::Part part) {
    using Part = FixedCellsBand::Part;
    const int rowHeight = verticalHeader()->defaultSectionSize();
    std::vector<std::pair<int, int>> rows;  // row, top edge in the band
    if (part == Part::LeftColumns) {
        for (int row = model_->FixedRows(); row < model_->rowCount(); ++row) {
            const int top = rowViewportPosition(row);
            if (top + rowHeight > 0 && top < viewport()->height()) {
                rows.emplace_back(row, top);
            }
        }
    } else {
        for (int row = 0; row < model_->FixedRows() && row < model_->rowCount(); ++row) {
            rows.emplace_back(row, row * rowHeight);
        }
    }
    std::vector<std::tuple<int, int, int>> cols;  // column, left edge in the band, width
    if (part == Part::TopRows) {
        for (int col = model_->FixedCols(); col < model_->columnCount(); ++col) {
            const int left = columnViewportPosition(col);
            if (left + columnWidth(col) > 0 && left < viewport()->width()) {
                cols.emplace_back(col, left, columnWidth(col));
            }
        }
    } else {
        cols = FixedColumns();
    }
    for (const auto& [row, top] : rows) {
        for (const auto& [col, left, width] : cols) {
            PaintCell(painter, row, col, QRect(left, top, width, rowHeight));
        }
    }
}

// A fixed cell as the view paints the others: the delegate inside, the grid line at its right and
// bottom edge.
void StringGrid::PaintCell(QPainter& painter, int row, int col, const QRect& cell) {
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
    option.rect = cell.adjusted(0, 0, -1, -1);
    itemDelegate()->paint(&painter, option, model_->index(row, col));
    const QColor line = QColor::fromRgba(
        static_cast<QRgb>(style()->styleHint(QStyle::SH_Table_GridLineColor, &option, this)));
    painter.save();
    painter.setPen(line);
    painter.drawLine(cell.topRight(), cell.bottomRight());
    painter.drawLine(cell.bottomLeft(), cell.bottomRight());
    painter.restore();
}

FixedCellsBand::FixedCellsBand(StringGrid& grid, Part part)
    : QWidget(&grid), grid_(grid), part_(part) {}

void FixedCellsBand::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    grid_.PaintFixedCells(painter, part_);
}

void FixedCellsBand::mousePressEvent(QMouseEvent* event) {
    event->accept();  // a fixed cell is never selected
}

void StringGrid::SetCursor(int row, int col) {
    QModelIndex index = model_->index(row, col);
    if (index.isValid()) {
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    }
}

void StringGrid::KeepCursorWhereItMayRest() {
    const QModelIndex current = currentIndex();
    if (!current.isValid() || model_->MayRest(current.row(), current.column())) {
        return;
    }
    const int col = model_->restingColumn(current.row(), current.column());
    if (col >= 0) {
        SetCursor(current.row(), col);
    } else {
        selectionModel()->clearCurrentIndex();  // nowhere in the row: no cell is current
    }
}

void StringGrid::ShowFromFirstRow() {
    scrollToTop();
    const int row = model_->FixedRows();
    const int col = CursorCol();
    if (!currentIndex().isValid() || row >= model_->rowCount()) {
        return;  // no cursor yet: none is placed
    }
    SetCursor(row, col);
    KeepCursorWhereItMayRest();
    if (currentIndex().isValid()) {
        scrollTo(currentIndex());
    }
}

bool StringGrid::MaySelect(const QModelIndex& index) {
    if (!index.isValid() || !onSelectCell) {
        return true;
    }
    bool may = onSelectCell(index.row(), index.column());
    Refresh();  // the handler may have re-ordered the rows
    return may;
}

bool StringGrid::EditorKeyDown(int key, Qt::KeyboardModifiers modifiers) {
    return onKeyDown && onKeyDown(key, modifiers);
}

void StringGrid::StoreEditText(const QModelIndex& index, const QString& text) {
    if (index.row() >= Grid().RowCount() || index.column() >= Grid().ColCount() ||
        !model_->MayRest(index.row(), index.column())) {
        return;  // the rows moved under an open editor: its cell is not to be edited
    }
    std::string stored = text.toStdString();
    Grid().SetCell(index.row(), index.column(), stored);
    if (onSetEditText) {
        onSetEditText(index.row(), index.column(), stored);
    }
}

bool StringGrid::event(QEvent* e) {
    // Tab reaches a widget as a focus change before it is a key press: ask the handler first.
    if (e->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(e);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
            EditorKeyDown(key->key(), key->modifiers())) {
            return true;
        }
    }
    return QTableView::event(e);
}

void StringGrid::keyPressEvent(QKeyEvent* e) {
    if (EditorKeyDown(e->key(), e->modifiers())) {
        return;
    }
    QTableView::keyPressEvent(e);
}

void StringGrid::mousePressEvent(QMouseEvent* e) {
    QModelIndex index = indexAt(e->position().toPoint());
    if (index.isValid() && !model_->IsFixed(index.row(), index.column()) && !MaySelect(index)) {
        return;  // vetoed: the cursor stays where it is
    }
    QTableView::mousePressEvent(e);
}

QModelIndex StringGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    QModelIndex target = QTableView::moveCursor(action, modifiers);
    if (target.isValid() && target != currentIndex() && !MaySelect(target)) {
        return currentIndex();
    }
    return target;
}

StringGridDelegate::StringGridDelegate(StringGrid& grid)
    : QStyledItemDelegate(&grid), grid_(grid) {}

void StringGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    StringGrid::DrawState state;
    state.selected = option.state & QStyle::State_Selected;
    state.focused = option.state & QStyle::State_HasFocus;
    state.fixed = grid_.GridModel()->IsFixed(index.row(), index.column());
    QColor background = grid_.onBackground ? grid_.onBackground(index.row(), index.column(), state)
                                           : option.palette.color(QPalette::Base);
    painter->save();
    painter->fillRect(option.rect, background);
    painter->setClipRect(option.rect);
    painter->setFont(option.font);
    painter->setPen(option.palette.color(QPalette::Active, QPalette::WindowText));
    painter->drawText(option.rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                      index.data(Qt::DisplayRole).toString());
    painter->restore();
    if (state.focused) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.backgroundColor = background;
        grid_.style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, &grid_);
    }
}

QWidget* StringGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                          const QModelIndex& index) const {
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    editor->setTextMargins(0, 0, 0, 0);
    QPersistentModelIndex cell(index);
    connect(editor, &QLineEdit::textEdited, &grid_,
            [this, cell](const QString& text) { grid_.StoreEditText(cell, text); });
    editor->installEventFilter(const_cast<StringGridDelegate*>(this));
    return editor;
}

void StringGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* line = static_cast<QLineEdit*>(editor);
    QString text = index.data(Qt::EditRole).toString();
    if (line->text() != text) {
        line->setText(text);
    }
}

void StringGridDelegate::setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const {
    // Every keystroke is stored already; committing again could overwrite a row that moved.
}

void StringGridDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                              const QModelIndex&) const {
    editor->setGeometry(option.rect);
}

bool StringGridDelegate::eventFilter(QObject* object, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        bool handled = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab ||
                       key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (handled && grid_.EditorKeyDown(key->key(), key->modifiers())) {
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

}  // namespace zelk
