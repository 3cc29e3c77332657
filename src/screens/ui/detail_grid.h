#pragma once

#include "screens/detail_lines.h"
#include "screens/ui/grid_model.h"

#include <QPersistentModelIndex>
#include <QPointer>
#include <QTableView>

namespace corvane::screens {

// The editable grid over DetailLines (its GridModel over the lines' column
// table): a cell's edit is checked when the cell is left, and leaving a
// column of a line runs the lines' handler. A cell's editor takes no more
// characters than its column holds; columns are as wide as declared; a click
// on a title sorts the lines by that column. A refused edit keeps the cell:
// it becomes current again with its editor open on the refused text, and the
// line is not left.
class DetailGrid : public QTableView {
    Q_OBJECT
public:
    DetailGrid(DetailLines& lines, QWidget* parent = nullptr);
    GridModel* gridModel() const { return model_; }

    // Stores what the open editor holds (for closing and saving actions);
    // false when it was refused.
    bool commitEdit();
    // Whether a cell's editor is open.
    bool editing() const { return state() == QAbstractItemView::EditingState; }
    // Whether a refused edit is waiting to be shown again.
    bool editRefused() const { return refused_.isValid(); }

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    friend class DetailGridDelegate;
    void refuse(const QModelIndex& index, const QString& text);
    void restoreRefused();

    DetailLines* lines_;
    GridModel* model_;
    QPointer<QWidget> editor_;
    QPersistentModelIndex refused_;
    QString refusedText_;
    QPersistentModelIndex reopened_; // the editor shows refusedText_ for this cell
};

} // namespace corvane::screens
