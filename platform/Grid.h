// Grid of text cells on QTableWidget. Row 0 and column 0 are the one fixed
// header row and column, addressed like any other cell.
//  - setRow(r) and setCol(c) move the current cell separately; each raises
//    enterCell() synchronously exactly once, also when the cell is already
//    current and also for a header cell. A user's move (mouse or keys) raises
//    it once per change; the user cannot make a header cell current.
//  - gridClicked() after a user's click in the grid (after enterCell() when
//    the click moved the current cell).
//  - setRows/setCols resize without any event; a current row or column left
//    outside the grid becomes the last one, silently.
// Use setRows/setCols/row/col, not QTableWidget's own current-cell and
// row-count calls. Cell texts are centred; the current cell carries a frame
// kCurrentCellFrame pixels wide inside its borders, in the cell's text
// colour (black or white where that colour would not stand out).
#pragma once

#include <QColor>
#include <QTableWidget>

namespace platform {

inline constexpr int kCurrentCellFrame = 2;

class Grid : public QTableWidget {
    Q_OBJECT
public:
    explicit Grid(QWidget* parent = nullptr);

    void setRows(int rows);
    void setCols(int cols);
    int rows() const { return rowCount(); }
    int cols() const { return columnCount(); }

    void setRowHeightAll(int pixels);       // every row, also rows added later
    void setColWidth(int col, int pixels);  // QTableWidget::setColumnWidth

    void setCellText(int row, int col, const QString& text);
    QString cellText(int row, int col) const;
    // A forced background brings its own text colour, black on a light
    // background and white on a dark one, whatever the theme's.
    void setCellBackground(int row, int col, const QColor& colour);
    QColor cellBackground(int row, int col) const;

    int row() const { return row_; }
    int col() const { return col_; }
    void setRow(int row);
    void setCol(int col);

signals:
    void enterCell();
    void gridClicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QTableWidgetItem* cell(int row, int col);
    void fillItems();
    void showCurrent();
    void onViewCurrentChanged(int row, int col);

    int row_ = 0;
    int col_ = 0;
    int rowHeight_ = -1;
    bool syncing_ = false;
};

}  // namespace platform
