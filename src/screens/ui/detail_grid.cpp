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
            const int length = grid_->model_->lines().columns().at(index.column()).rule.maxLength;
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

DetailGridModel::DetailGridModel(DetailLines& lines, QObject* parent)
    : QAbstractTableModel(parent), lines_(&lines) {}

int DetailGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : lines_->lineCount();
}

int DetailGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(lines_->columns().size());
}

QVariant DetailGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const DetailColumn& c = lines_->columns().at(index.column());
    if (c.yesNo) {
        if (role == Qt::CheckStateRole)
            return lines_->checked(index.row(), index.column()) ? Qt::Checked : Qt::Unchecked;
        return {};
    }
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return lines_->text(index.row(), index.column());
    if (role == Qt::TextAlignmentRole && c.rule.kind != FieldKind::Text && c.rule.kind != FieldKind::Upper)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

bool DetailGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid())
        return false;
    const DetailColumn& c = lines_->columns().at(index.column());
    bool stored = false;
    if (c.yesNo && role == Qt::CheckStateRole)
        stored = lines_->setChecked(index.row(), index.column(), value.toInt() == Qt::Checked);
    else if (!c.yesNo && role == Qt::EditRole)
        stored = lines_->setText(index.row(), index.column(), value.toString());
    if (stored)
        emit dataChanged(this->index(index.row(), 0), this->index(index.row(), columnCount() - 1));
    return stored;
}

Qt::ItemFlags DetailGridModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (!index.isValid())
        return f;
    const DetailColumn& c = lines_->columns().at(index.column());
    if (lines_->editable(index.column()))
        f |= c.yesNo ? Qt::ItemIsUserCheckable : Qt::ItemIsEditable;
    return f;
}

QVariant DetailGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < lines_->columns().size())
        return lines_->columns().at(section).title;
    return QAbstractTableModel::headerData(section, orientation, role);
}

void DetailGridModel::sort(int column, Qt::SortOrder) {
    emit layoutAboutToBeChanged();
    lines_->sortBy(column);
    emit layoutChanged();
}

void DetailGridModel::reload() {
    beginResetModel();
    lines_->reload();
    endResetModel();
}

DetailGrid::DetailGrid(DetailLines& lines, QWidget* parent)
    : QTableView(parent), model_(new DetailGridModel(lines, this)) {
    setModel(model_);
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
        model_->lines().leaveColumn(previous.row(), previous.column());
}

} // namespace corvane::screens
