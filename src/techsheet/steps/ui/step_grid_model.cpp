#include "step_grid_model.h"

#include "screens/ui/screen_dialog.h"
#include "techsheet/tech_sheet_context.h"

#include <QColor>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QWidget>

#include <algorithm>

namespace corvane::techsheet {

StepGridModel::StepGridModel(QStringList titles, int okColumn, int typedColumn, QObject* parent)
    : QAbstractTableModel(parent), titles_(std::move(titles)), okColumn_(okColumn),
      typedColumn_(typedColumn) {}

int StepGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows();
}

int StepGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(titles_.size());
}

QVariant StepGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (index.column() == okColumn_)
        return role == Qt::CheckStateRole ? QVariant(ticked(index.row()) ? Qt::Checked : Qt::Unchecked)
                                          : QVariant();
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    return cell(index.row(), index.column());
}

bool StepGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || readOnly_)
        return false;
    bool accepted = false;
    if (index.column() == okColumn_ && role == Qt::CheckStateRole) {
        okLeft(index.row(), value.toInt() == Qt::Checked);
        accepted = true;
    } else if (index.column() == typedColumn_ && role == Qt::EditRole) {
        accepted = typedLeft(index.row(), value.toString());
    }
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), columnCount() - 1));
    emit edited();
    return accepted;
}

Qt::ItemFlags StepGridModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (readOnly_)
        return f;
    if (index.column() == okColumn_)
        f |= Qt::ItemIsUserCheckable;
    if (index.column() == typedColumn_)
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant StepGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::ForegroundRole && section == sortedColumn_)
        return QColor(0xE0, 0x70, 0x00);
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return titles_[section];
}

void StepGridModel::setSortedColumn(int column) {
    sortedColumn_ = column;
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

void StepGridModel::reload() {
    beginResetModel();
    endResetModel();
}

} // namespace corvane::techsheet

namespace corvane::techsheet {

QGridLayout* articleHeader(QWidget* owner, const TechSheetContext& ctx, const QString& caption) {
    auto* head = new QGridLayout;
    head->addWidget(new QLabel(caption, owner), 0, 0);
    auto* article = new QLabel(
        QStringLiteral("%1  %2 %3").arg(ctx.ArticleCode, ctx.ArticleDesignation, ctx.ArticleDesignation2),
        owner);
    article->setObjectName(QStringLiteral("Label_Artigo"));
    head->addWidget(article, 0, 1, 1, 3);
    head->addWidget(
        new QLabel(QStringLiteral("Comprim : ") + StepGridModel::number(ctx.ArticleLength), owner), 1, 0);
    head->addWidget(new QLabel(QStringLiteral("Largura : ") + StepGridModel::number(ctx.ArticleWidth), owner),
                    1, 1);
    return head;
}

QTableView* makeStepGrid(QWidget* owner, StepGridModel* model, const QList<int>& widths,
                         std::function<void(const QString& column)> sortBy, std::function<void()> sorted) {
    auto* grid = new QTableView(owner);
    grid->setObjectName(QStringLiteral("DBGrid1"));
    grid->setModel(model);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->horizontalHeader()->setSectionsClickable(true);
    grid->verticalHeader()->hide();
    grid->installEventFilter(owner);
    if (auto* screen = qobject_cast<screens::ScreenDialog*>(owner))
        QObject::connect(model, &StepGridModel::edited, screen, [screen] { screen->noteTyped(); });
    // Each column at least as wide as its title.
    for (int c = 0; c < model->columnCount(); ++c)
        grid->setColumnWidth(c, std::max(widths.value(c, widths.isEmpty() ? 70 : widths.last()),
                                         grid->horizontalHeader()->sectionSizeHint(c)));
    QObject::connect(grid->horizontalHeader(), &QHeaderView::sectionClicked, grid,
                     [model, sortBy = std::move(sortBy), sorted = std::move(sorted)](int section) {
                         if (section > 1)
                             return; // only "Código" and "Designação" order the rows
                         sortBy(section == 0 ? QStringLiteral("CODIGO") : QStringLiteral("DESIGNACAO"));
                         model->setSortedColumn(section);
                         model->reload();
                         if (sorted)
                             sorted();
                     });
    return grid;
}

void showLookOnly(screens::ScreenDialog* form, const TechSheetContext& ctx,
                  std::initializer_list<StepGridModel*> models) {
    if (ctx.LookOnlyReason.isEmpty())
        return;
    form->makeInputsReadOnly();
    for (StepGridModel* m : models)
        m->setReadOnly(true);
}

void leaveGridEditor(QWidget* dialog, QWidget* grid) {
    if (QWidget* f = dialog->focusWidget(); f && grid->isAncestorOf(f))
        grid->setFocus();
}

} // namespace corvane::techsheet
