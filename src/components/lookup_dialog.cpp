#include "lookup_dialog.h"

#include "grid_delegate.h"
#include "window_memory.h"

#include "db/dataset.h"
#include "db/dataset_model.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <QtDebug>
#include <limits>

namespace corvane::components {

LookupDialog::LookupDialog(db::Dataset& dataset, QList<LookupColumn> columns, QString alphabeticalField,
                           bool alphabetical, QWidget* parent, bool repositionGiven)
    : QDialog(parent), ds_(dataset), repositionGiven_(repositionGiven), columns_(std::move(columns)) {
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
    // After a seek, the rows above come as the grid is scrolled to its top.
    connect(grid_->verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (value == grid_->verticalScrollBar()->minimum())
            QTimer::singleShot(0, this, [this] { fetchBefore(); });
    });
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
    if (seekable(ds))
        return seekText(ds, wanted);
    const int row = ds.find([&](const QVariantList& values) {
        return values.at(field).toString().trimmed().startsWith(wanted, Qt::CaseInsensitive);
    });
    if (row < 0)
        return false;
    moveTo(row);
    return true;
}

bool LookupDialog::seekable(const db::Dataset& ds) const {
    if (!ds.readsByKey() || ds.hasPendingUpdates() || ds.rowCount() == 0 ||
        (&ds == &ds_ && !repositionGiven_))
        return false;
    // A text column, first in the order the rows are read in.
    const QString first = ds.orderFields().value(0);
    const bool ordered =
        first == searchField_.toUpper() || (sorted_ && first == QLatin1String("CORVANE_SORT"));
    if (!ordered)
        return false;
    const int type = ds.value(0, searchField_).metaType().id();
    return type == QMetaType::QString || wholeNumber(type);
}

bool LookupDialog::wholeNumber(int metaType) {
    return metaType == QMetaType::Int || metaType == QMetaType::LongLong || metaType == QMetaType::UInt ||
           metaType == QMetaType::ULongLong;
}

bool LookupDialog::seekNumber(db::Dataset& ds, const QString& digits) {
    // In numeric order the first number that starts with the digits d is d
    // itself, else the first from d·10, d·100, ... below (d+1)·10, (d+1)·100, ...
    bool ok = false;
    const qint64 d = digits.toLongLong(&ok);
    if (!ok || d < 0 || digits.startsWith(QLatin1Char('+')))
        return false;
    for (qint64 from = d, to = d + 1; from <= std::numeric_limits<qint64>::max() / 10; from *= 10, to *= 10) {
        if (ds.seek({from}) != 0)
            return false; // nothing at or after it: nothing with more digits either
        const qint64 first = ds.value(0, searchField_).toLongLong();
        if (first < to)
            return true;
        if (from == 0)
            return false; // only 0 itself starts with "0"
    }
    return false;
}

bool LookupDialog::seekText(db::Dataset& ds, const QString& wanted) {
    // Where the list stands, to come back to when no row starts with the text.
    const int line = std::max(0, grid_->currentIndex().row());
    QVariantList back;
    for (const QString& f : ds.orderFields())
        back << ds.value(line, f);
    if (wholeNumber(ds.value(line, searchField_).metaType().id())) {
        const bool found = seekNumber(ds, wanted);
        if (!found && ds.seek(back) != 0)
            ds.reopen();
        model_->reload();
        moveTo(0);
        return found;
    }
    // The text as typed, in upper and lower case, and capitalised: a list in
    // an order that minds case holds it in one of these forms, as a rule.
    QStringList tries{wanted};
    for (const QString& other :
         {wanted.toUpper(), wanted.toLower(), wanted.left(1).toUpper() + wanted.mid(1).toLower()})
        if (!tries.contains(other))
            tries << other;
    for (const QString& t : tries) {
        if (ds.seek({t}) == 0 &&
            ds.value(0, searchField_).toString().trimmed().startsWith(wanted, Qt::CaseInsensitive)) {
            model_->reload();
            moveTo(0);
            return true;
        }
    }
    // Not in those forms. The alphabetical list ignores case: no row starts
    // with the text. A list that minds case is read from the start up to a
    // match, as a list that cannot seek is. None: back to the line.
    const int field = ds.fieldIndex(searchField_);
    if (sorted_ && &ds == sorted_.get()) {
        if (ds.seek(back) != 0)
            ds.reopen();
        model_->reload();
        moveTo(0);
        return false;
    }
    if (!ds.reopen()) {
        model_->reload();
        return false;
    }
    const int row = ds.find([&](const QVariantList& values) {
        return values.at(field).toString().trimmed().startsWith(wanted, Qt::CaseInsensitive);
    });
    if (row < 0 && ds.seek(back) != 0)
        ds.reopen();
    model_->reload();
    moveTo(std::max(row, 0));
    return row >= 0;
}

void LookupDialog::fetchBefore() {
    if (!shown().canFetchBefore())
        return;
    QScrollBar* bar = grid_->verticalScrollBar();
    const int line = grid_->currentIndex().row();
    const int added = model_->fetchBefore();
    if (added <= 0)
        return;
    if (line >= 0)
        grid_->selectRow(line + added);
    bar->setValue(bar->value() + added);
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
    case Qt::Key_PageUp:
        if (grid_->currentIndex().row() <= 0)
            fetchBefore(); // above the first row read after a seek
        [[fallthrough]];
    case Qt::Key_Down:
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
                         const QString& alphabeticalField, bool alphabetical, bool repositionGiven) {
    LookupDialog dialog(dataset, columns, alphabeticalField, alphabetical, parent, repositionGiven);
    return dialog.exec() == QDialog::Accepted ? dialog.currentDatasetRow() : -1;
}

} // namespace corvane::components
