#include "detail_grid.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QTimer>

namespace corvane::screens {

// Editors held to the column's width; a refused edit reported to the grid.
class DetailGridDelegate : public QStyledItemDelegate {
public:
    explicit DetailGridDelegate(DetailGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            const int length = grid_->model_->table().columns.at(index.column()).maxLength;
            if (length > 0)
                line->setMaxLength(length);
        }
        grid_->editor_ = editor;
        return editor;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        auto* line = qobject_cast<QLineEdit*>(editor);
        if (line && grid_->reopened_.isValid() && grid_->reopened_ == index) {
            line->setText(grid_->refusedText_);
            grid_->reopened_ = QPersistentModelIndex();
            return;
        }
        QStyledItemDelegate::setEditorData(editor, index);
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
        auto* line = qobject_cast<QLineEdit*>(editor);
        if (!line) {
            QStyledItemDelegate::setModelData(editor, model, index);
            return;
        }
        if (line->text() == model->data(index, Qt::EditRole).toString())
            return; // nothing typed
        if (!model->setData(index, line->text(), Qt::EditRole))
            grid_->refuse(index, line->text());
    }

private:
    DetailGrid* grid_;
};

DetailGrid::DetailGrid(DetailLines& lines, QWidget* parent)
    : QTableView(parent), lines_(&lines), model_(new GridModel(lines.gridColumns(), this)) {
    setModel(model_);
    sizeGridColumns(this, *model_, false);
    verticalHeader()->hide();
    horizontalHeader()->setSectionsClickable(true);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int section) { model_->sort(section, Qt::AscendingOrder); });
    setEditTriggers(QAbstractItemView::AllEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setItemDelegate(new DetailGridDelegate(this));
}

bool DetailGrid::commitEdit() {
    if (editor_ && state() == QAbstractItemView::EditingState) {
        QWidget* editor = editor_;
        refused_ = QPersistentModelIndex(); // what the editor holds now is tried again
        commitData(editor);
        if (refused_.isValid())
            return false;
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
    return !refused_.isValid();
}

void DetailGrid::refuse(const QModelIndex& index, const QString& text) {
    const bool queued = refused_.isValid();
    refused_ = QPersistentModelIndex(index);
    refusedText_ = text;
    if (!queued)
        QTimer::singleShot(0, this, [this] { restoreRefused(); });
}

void DetailGrid::restoreRefused() {
    if (!refused_.isValid())
        return;
    const QModelIndex index = refused_;
    reopened_ = QPersistentModelIndex(index);
    setCurrentIndex(index); // opens the editor when the grid edits on entering a cell
    refused_ = QPersistentModelIndex();
    if (state() != QAbstractItemView::EditingState)
        edit(index);
    reopened_ = QPersistentModelIndex();
    setFocus();
}

void DetailGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    // An edit refused on the way out: the cell comes back, the line is not left.
    if (refused_.isValid())
        return;
    if (previous.isValid() && (previous.column() != current.column() || previous.row() != current.row()))
        lines_->leaveColumn(previous.row(), previous.column());
}

} // namespace corvane::screens
