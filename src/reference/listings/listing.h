#pragma once

#include "components/report/report.h"
#include "screens/table_listing.h"

#include <QHash>

#include <memory>

class QWidget;

namespace corvane::db {
class Dataset;
}

namespace corvane::reference {

enum class ListingOrder { Numeric, Alphabetical };

// The order note of the page header: "Ord.Numérica" or "Ord.Alfabética".
QString orderNoteText(ListingOrder order);

// Columns of a listing line: text at the left, numbers at the right.
report::Column textColumn(const QString& heading, double x, double width);
report::Column numberColumn(const QString& heading, double x, double width);

// The values of the fields of one row, in the order named.
QVariantList fieldValues(const db::Dataset& ds, int row, const QStringList& fields);
// A listing of one detail line per row under one line of column headings.
void defineSingleLine(report::ReportDefinition& def, const QList<report::Column>& columns);

// Opens a dataset when closed and reads all its rows.
bool readAll(db::Dataset& dataset, QString* error);

// The rows of a dataset by key, for the lookups of a listing (exact match;
// numbers match by value).
class KeyIndex {
public:
    // Opens the dataset when closed, reads all its rows and indexes them.
    bool load(db::Dataset& dataset, const QString& keyField, QString* error);
    int row(const QVariant& key) const { return rows_.value(keyText(key), -1); }
    static QString keyText(const QVariant& key);

private:
    QHash<QString, int> rows_;
};

// A printed listing of a reference table: built over the screen's dataset,
// shown in the print preview with the order the screen chose. Each listing
// gives its page, its lines and what one row prints.
class Listing : public screens::TableListing {
public:
    Listing(db::Dataset& dataset, QString caption, QString title, bool orderNote);
    ~Listing() override = default;

    db::Dataset& dataset() const { return dataset_; }
    void previewInOrder(bool alphabetical, QWidget* parent) override {
        setOrder(alphabetical ? ListingOrder::Alphabetical : ListingOrder::Numeric);
        preview(parent);
    }
    const QString& caption() const { return caption_; }
    void setCompany(const QString& name) { company_ = name; }
    void setNotice(const QString& notice) { notice_ = notice; }
    void setOrder(ListingOrder order) { order_ = order; }
    ListingOrder order() const { return order_; }

    // The listing over the dataset's rows as they are now, printed now; the
    // datasets are opened if they are closed. Null with the reason on failure.
    std::unique_ptr<report::Report> report(QString* error = nullptr);
    // Shows the listing in the print preview (modal).
    int preview(QWidget* parent = nullptr);

protected:
    // Page, layouts and heading lines (caption, title and note are set).
    virtual void define(report::ReportDefinition& def) const = 0;
    // Reads what the lookups need; called before the rows are read.
    virtual bool prepare(QString*) { return true; }
    // The block of one dataset row.
    virtual void fill(const db::Dataset& ds, int row, report::Block* block) const = 0;

private:
    db::Dataset& dataset_;
    QString caption_;
    QString title_;
    bool orderNote_;
    QString company_;
    QString notice_;
    ListingOrder order_ = ListingOrder::Numeric;
};

} // namespace corvane::reference
