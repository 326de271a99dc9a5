#include "platform/Grid.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyledItemDelegate>

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

// Contrast ratio of two colours by their relative luminance, 1 to 21.
double contrast(const QColor& a, const QColor& b) {
    auto luminance = [](const QColor& c) {
        auto linear = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) +
               0.0722 * linear(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The current cell's frame stands out from the cell under any palette: in
// the cell's text colour, or black or white where that one would not.
QColor frameColour(const QStyleOptionViewItem& option, const QModelIndex& index) {
    constexpr double kVisible = 3.0;
    auto colour = [&index](int role, const QColor& otherwise) {
        const QBrush brush = index.data(role).value<QBrush>();
        return brush.style() == Qt::NoBrush ? otherwise : brush.color();
    };
    const QColor cell = colour(Qt::BackgroundRole, option.palette.color(QPalette::Base));
    const QColor text = colour(Qt::ForegroundRole, option.palette.color(QPalette::Text));
    if (contrast(text, cell) >= kVisible) return text;
    const QColor black(Qt::black), white(Qt::white);
    return contrast(black, cell) >= contrast(white, cell) ? black : white;
}

// Draws a frame inside the current cell, with or without the focus: the
// grid has no selection, so this frame is what shows the cell on show.
class CurrentCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem opt = option;
        opt.state &= ~QStyle::State_HasFocus;
        QStyledItemDelegate::paint(painter, opt, index);
        const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
        if (!view || view->currentIndex() != index) return;
        painter->save();
        QPen pen(frameColour(option, index), kCurrentCellFrame);
        pen.setJoinStyle(Qt::MiterJoin);
        painter->setPen(pen);
        painter->setBrush(Qt::NoBrush);
        const int half = kCurrentCellFrame / 2;
        painter->drawRect(option.rect.adjusted(half, half, -half, -half));
        painter->restore();
    }
};

}  // namespace

Grid::Grid(QWidget* parent) : QTableWidget(parent) {
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setMinimumSectionSize(1);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setTabKeyNavigation(false);
    setItemDelegate(new CurrentCellDelegate(this));
    setRows(2);
    setCols(2);
    connect(this, &QTableWidget::currentCellChanged, this,
            [this](int row, int col, int, int) { onViewCurrentChanged(row, col); });
}

void Grid::setRows(int rows) {
    rows = std::max(rows, 1);
    syncing_ = true;
    {
        const QSignalBlocker blocker(this);
        setRowCount(rows);
        if (rowHeight_ > 0)
            for (int r = 0; r < rows; ++r) setRowHeight(r, rowHeight_);
        row_ = std::min(row_, rows - 1);
        fillItems();
        showCurrent();
    }
    syncing_ = false;
}

void Grid::setCols(int cols) {
    cols = std::max(cols, 1);
    syncing_ = true;
    {
        const QSignalBlocker blocker(this);
        setColumnCount(cols);
        col_ = std::min(col_, cols - 1);
        fillItems();
        showCurrent();
    }
    syncing_ = false;
}

void Grid::setRowHeightAll(int pixels) {
    rowHeight_ = pixels;
    verticalHeader()->setDefaultSectionSize(pixels);
    for (int r = 0; r < rowCount(); ++r) setRowHeight(r, pixels);
}

void Grid::setColWidth(int col, int pixels) { setColumnWidth(col, pixels); }

QTableWidgetItem* Grid::cell(int row, int col) {
    if (row < 0 || col < 0 || row >= rowCount() || col >= columnCount()) return nullptr;
    return item(row, col);
}

void Grid::fillItems() {
    for (int r = 0; r < rowCount(); ++r) {
        for (int c = 0; c < columnCount(); ++c) {
            if (item(r, c)) continue;
            auto* it = new QTableWidgetItem;
            it->setTextAlignment(Qt::AlignCenter);
            if (r == 0 || c == 0) {
                // Fixed cells: never current by the user, drawn as headers.
                it->setFlags(Qt::NoItemFlags);
                it->setBackground(palette().button());
                it->setForeground(palette().buttonText());
            } else {
                it->setFlags(Qt::ItemIsEnabled);
            }
            setItem(r, c, it);
        }
    }
}

void Grid::setCellText(int row, int col, const QString& text) {
    if (QTableWidgetItem* it = cell(row, col)) it->setText(text);
}

QString Grid::cellText(int row, int col) const {
    const QTableWidgetItem* it = item(row, col);
    return it ? it->text() : QString();
}

void Grid::setCellBackground(int row, int col, const QColor& colour) {
    if (QTableWidgetItem* it = cell(row, col)) {
        it->setBackground(colour);
        it->setForeground(QColor(qGray(colour.rgb()) >= 128 ? Qt::black : Qt::white));
    }
}

QColor Grid::cellBackground(int row, int col) const {
    const QTableWidgetItem* it = item(row, col);
    if (!it || it->background().style() == Qt::NoBrush) return palette().color(QPalette::Base);
    return it->background().color();
}

void Grid::showCurrent() {
    const bool wasSyncing = syncing_;
    syncing_ = true;
    if (row_ >= 1 && col_ >= 1 && row_ < rowCount() && col_ < columnCount())
        setCurrentCell(row_, col_);
    else
        setCurrentIndex(QModelIndex());
    syncing_ = wasSyncing;
}

void Grid::setRow(int row) {
    if (row < 0 || row >= rowCount()) return;
    row_ = row;
    showCurrent();
    emit enterCell();
}

void Grid::setCol(int col) {
    if (col < 0 || col >= columnCount()) return;
    col_ = col;
    showCurrent();
    emit enterCell();
}

void Grid::onViewCurrentChanged(int row, int col) {
    if (syncing_ || row < 0 || col < 0) return;
    if (row == row_ && col == col_) return;
    row_ = row;
    col_ = col;
    emit enterCell();
}

void Grid::mouseReleaseEvent(QMouseEvent* event) {
    QTableWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton) emit gridClicked();
}

}  // namespace platform
