#pragma once
// The catalogue list: a report-style list of (item id, title) rows. Column 0
// holds the item id and is hidden; column 1 shows the title.

#include <QAbstractTableModel>
#include <QTableView>

#include <vector>

namespace moxilo::app {

struct CatalogueRow {
    QString itemId;
    QString title;
};

class CatalogueModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit CatalogueModel(QObject* parent);

    void clear();
    // Appends a batch in one insertion, so thousands of rows stay cheap.
    void appendRows(std::vector<CatalogueRow> rows);
    [[nodiscard]] const std::vector<CatalogueRow>& rows() const { return rows_; }

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;

private:
    std::vector<CatalogueRow> rows_;
};

class CatalogueList : public QTableView {
    Q_OBJECT
public:
    explicit CatalogueList(QWidget* parent);

    [[nodiscard]] CatalogueModel& catalogue() const { return *model_; }
    // The first selected row, or -1.
    [[nodiscard]] int selectedRow() const;

signals:
    // A left click in the item area (on a row or on empty space, not on the
    // headers), after the selection has been updated.
    void itemAreaClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    CatalogueModel* model_;
    bool leftPressInItemArea_ = false;
};

}  // namespace moxilo::app
