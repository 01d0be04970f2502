#include "catalogue_list.h"

#include <QHeaderView>
#include <QMouseEvent>

#include <iterator>
#include <utility>

namespace moxilo::app {
namespace {

constexpr int kItemIdColumn = 0;
constexpr int kTitleColumn = 1;

}  // namespace

CatalogueModel::CatalogueModel(QObject* parent) : QAbstractTableModel(parent) {}

void CatalogueModel::clear() {
    if (rows_.empty()) {
        return;
    }
    beginResetModel();
    rows_.clear();
    endResetModel();
}

void CatalogueModel::appendRows(std::vector<CatalogueRow> rows) {
    if (rows.empty()) {
        return;
    }
    const int first = static_cast<int>(rows_.size());
    beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
    rows_.insert(rows_.end(), std::make_move_iterator(rows.begin()),
                 std::make_move_iterator(rows.end()));
    endInsertRows();
}

int CatalogueModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int CatalogueModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant CatalogueModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const CatalogueRow& row = rows_[static_cast<std::size_t>(index.row())];
    switch (role) {
        case Qt::DisplayRole:
        case Qt::AccessibleTextRole:
            return index.column() == kItemIdColumn ? row.itemId : row.title;
        case Qt::TextAlignmentRole:
            return index.column() == kTitleColumn ? QVariant(Qt::AlignCenter)
                                                  : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        default:
            return {};
    }
}

QVariant CatalogueModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return section == kItemIdColumn ? QStringLiteral("网址") : QStringLiteral("标题");
    }
    if (role == Qt::TextAlignmentRole) {
        return section == kTitleColumn ? QVariant(Qt::AlignCenter) : QVariant(Qt::AlignLeft);
    }
    return {};
}

CatalogueList::CatalogueList(QWidget* parent)
    : QTableView(parent), model_(new CatalogueModel(this)) {
    setModel(model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    setShowGrid(true);
    setWordWrap(false);
    setFrameShadow(QFrame::Sunken);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setMinimumSectionSize(0);
    setColumnWidth(kItemIdColumn, 0);
    setColumnHidden(kItemIdColumn, true);
    setColumnWidth(kTitleColumn, 200);

    // The selection shows only while the list holds the keyboard focus.
    QPalette palette = this->palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight, palette.color(QPalette::Base));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText, palette.color(QPalette::Text));
    setPalette(palette);
}

int CatalogueList::selectedRow() const {
    const QModelIndexList rows = selectionModel()->selectedRows(kTitleColumn);
    return rows.isEmpty() ? -1 : rows.front().row();
}

void CatalogueList::mousePressEvent(QMouseEvent* event) {
    leftPressInItemArea_ = event->button() == Qt::LeftButton;
    if (leftPressInItemArea_ && !indexAt(event->position().toPoint()).isValid()) {
        clearSelection();  // a click on empty space selects nothing
    }
    QTableView::mousePressEvent(event);
}

void CatalogueList::mouseReleaseEvent(QMouseEvent* event) {
    QTableView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && std::exchange(leftPressInItemArea_, false)) {
        emit itemAreaClicked();
    }
}

}  // namespace moxilo::app
