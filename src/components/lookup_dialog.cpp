#include "lookup_dialog.h"

#include "db/dataset.h"

#include <QCollator>
#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace corvane::components {

LookupDialog::LookupDialog(db::Dataset& dataset, QList<LookupColumn> columns, QString alphabeticalField,
                           bool alphabetical, QWidget* parent)
    : QDialog(parent), ds_(dataset), columns_(std::move(columns)), alphabetical_(alphabetical) {
    setObjectName(QStringLiteral("Localizar"));
    setWindowTitle(QStringLiteral("Localizar"));
    searchField_ = alphabetical ? alphabeticalField : columns_.value(0).field;
    search_ = new QLineEdit(this);
    search_->setObjectName(QStringLiteral("Edit_Procura"));
    grid_ = new QTableWidget(this);
    grid_->setObjectName(QStringLiteral("Grid"));
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->verticalHeader()->hide();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(search_);
    layout->addWidget(grid_);
    resize(520, 420);
    fill();
    connect(search_, &QLineEdit::textEdited, this, [this](const QString& text) { search(text); });
    connect(grid_, &QTableWidget::cellDoubleClicked, this, [this] { accept(); });
    search_->installEventFilter(this);
    grid_->installEventFilter(this);
    search_->setFocus();
}

void LookupDialog::fill() {
    ds_.fetchAll();
    rows_.clear();
    for (int r = 0; r < ds_.rowCount(); ++r)
        rows_ << r;
    if (alphabetical_) {
        QCollator collator;
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        std::stable_sort(rows_.begin(), rows_.end(), [&](int a, int b) {
            return collator.compare(ds_.text(a, searchField_), ds_.text(b, searchField_)) < 0;
        });
    }
    grid_->setColumnCount(static_cast<int>(columns_.size()));
    QStringList titles;
    for (const LookupColumn& c : columns_)
        titles << c.title;
    grid_->setHorizontalHeaderLabels(titles);
    grid_->setRowCount(static_cast<int>(rows_.size()));
    for (int line = 0; line < rows_.size(); ++line)
        for (int c = 0; c < columns_.size(); ++c)
            grid_->setItem(line, c, new QTableWidgetItem(ds_.text(rows_[line], columns_[c].field)));
    grid_->resizeColumnsToContents();
    grid_->horizontalHeader()->setStretchLastSection(true);
    if (!rows_.isEmpty())
        grid_->selectRow(0);
}

int LookupDialog::currentDatasetRow() const {
    const int line = grid_->currentRow();
    return line >= 0 && line < rows_.size() ? rows_[line] : -1;
}

bool LookupDialog::search(const QString& text) {
    const QString wanted = text.trimmed();
    if (wanted.isEmpty())
        return false;
    for (int line = 0; line < rows_.size(); ++line) {
        if (ds_.text(rows_[line], searchField_).trimmed().startsWith(wanted, Qt::CaseInsensitive)) {
            grid_->selectRow(line);
            grid_->scrollToItem(grid_->item(line, 0));
            return true;
        }
    }
    return false;
}

bool LookupDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (currentDatasetRow() >= 0)
            accept();
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (watched == search_) {
            QKeyEvent copy(key->type(), key->key(), key->modifiers());
            QCoreApplication::sendEvent(grid_, &copy);
            return true;
        }
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

int LookupDialog::choose(QWidget* parent, db::Dataset& dataset, const QList<LookupColumn>& columns,
                         const QString& alphabeticalField, bool alphabetical) {
    LookupDialog dialog(dataset, columns, alphabeticalField, alphabetical, parent);
    return dialog.exec() == QDialog::Accepted ? dialog.currentDatasetRow() : -1;
}

} // namespace corvane::components
