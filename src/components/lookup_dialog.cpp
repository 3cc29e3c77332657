#include "lookup_dialog.h"

#include "grid_delegate.h"
#include "window_memory.h"

#include "db/dataset.h"
#include "db/dataset_model.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableView>
#include <QVBoxLayout>
#include <QtDebug>

namespace corvane::components {

LookupDialog::LookupDialog(db::Dataset& dataset, QList<LookupColumn> columns, QString alphabeticalField,
                           bool alphabetical, QWidget* parent)
    : QDialog(parent), ds_(dataset), columns_(std::move(columns)) {
    setObjectName(QStringLiteral("Localizar"));
    setWindowTitle(QStringLiteral("Localizar"));
    searchField_ = alphabetical ? alphabeticalField : columns_.value(0).field;
    if (alphabetical && ds_.isOpen()) {
        const db::Dialect& dialect = ds_.database().dialect();
        sorted_ =
            std::make_unique<db::Dataset>(ds_.reordered(dialect.caseInsensitiveOrder(alphabeticalField)));
        QString error;
        if (!sorted_->open(&error)) {
            // The dataset's own order still serves, searched by the alphabetical column.
            qWarning("Localizar: %s", qPrintable(error));
            sorted_.reset();
        }
    }
    QStringList fields, titles;
    for (const LookupColumn& c : columns_) {
        fields << c.field;
        titles << c.title;
    }
    model_ = new db::DatasetModel(shown(), fields, titles, this);

    search_ = new QLineEdit(this);
    search_->setObjectName(QStringLiteral("Edit_Procura"));
    grid_ = new QTableView(this);
    grid_->setItemDelegate(new GridDelegate(grid_));
    grid_->setObjectName(QStringLiteral("Grid"));
    grid_->setModel(model_);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->verticalHeader()->hide();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(search_);
    layout->addWidget(grid_);
    resize(520, 420);
    grid_->resizeColumnsToContents(); // from the rows read so far
    stretchDesignation(grid_);
    if (model_->rowCount() > 0)
        moveTo(0);
    connect(search_, &QLineEdit::textEdited, this, [this](const QString& text) { search(text); });
    connect(grid_, &QTableView::doubleClicked, this, [this] { accept(); });
    search_->installEventFilter(this);
    grid_->installEventFilter(this);
    search_->setFocus();
}

LookupDialog::~LookupDialog() {
    // The grid and its model go before the sorted dataset they read.
    delete grid_;
    delete model_;
}

db::Dataset& LookupDialog::shown() const {
    return sorted_ ? *sorted_ : ds_;
}

void LookupDialog::moveTo(int line) {
    while (model_->rowCount() <= line && model_->canFetchMore({}))
        model_->fetchMore({});
    grid_->selectRow(line);
    grid_->scrollTo(model_->index(line, 0), QAbstractItemView::PositionAtCenter);
}

int LookupDialog::currentDatasetRow() const {
    const int line = grid_->currentIndex().row();
    if (line < 0 || line >= shown().rowCount())
        return -1;
    if (!sorted_)
        return line;
    // The fields of the dataset given (the sorted one may carry its order too).
    QVariantList wanted;
    for (const QString& field : ds_.fields())
        wanted << sorted_->value(line, field);
    return ds_.find([&wanted](const QVariantList& values) {
        if (values.size() != wanted.size())
            return false;
        for (qsizetype i = 0; i < values.size(); ++i)
            if (!db::Dataset::sameValue(values.at(i), wanted.at(i)))
                return false;
        return true;
    });
}

bool LookupDialog::search(const QString& text) {
    const QString wanted = text.trimmed();
    if (wanted.isEmpty())
        return false;
    db::Dataset& ds = shown();
    const int field = ds.fieldIndex(searchField_);
    if (field < 0) {
        if (ds.isOpen())
            qWarning("Localizar: dataset %s has no field %s", qPrintable(ds.name()),
                     qPrintable(searchField_));
        return false;
    }
    const int row = ds.find([&](const QVariantList& values) {
        return values.at(field).toString().trimmed().startsWith(wanted, Qt::CaseInsensitive);
    });
    if (row < 0)
        return false;
    moveTo(row);
    return true;
}

bool LookupDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (grid_->currentIndex().isValid())
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
