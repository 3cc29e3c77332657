#include "listing.h"
#include "components/message_box.h"
#include "core/number_input.h"

#include "components/report/preview_window.h"
#include "db/dataset.h"

#include <QCollator>

#include <algorithm>
#include <numeric>

namespace corvane::reference {

using namespace report;

QString orderNoteText(ListingOrder order) {
    return order == ListingOrder::Numeric ? QStringLiteral("Ord.Numérica") : QStringLiteral("Ord.Alfabética");
}

Column textColumn(const QString& heading, double x, double width) {
    return Column{heading, x, width, ValueKind::Text, Align::Left};
}

Column numberColumn(const QString& heading, double x, double width) {
    return Column{heading, x, width, ValueKind::Number, Align::Right};
}

QVariantList fieldValues(const db::Dataset& ds, int row, const QStringList& fields) {
    QVariantList values;
    for (const QString& f : fields)
        values << ds.value(row, f);
    return values;
}

void defineSingleLine(ReportDefinition& def, const QList<Column>& columns) {
    LineLayout line;
    line.columns = columns;
    def.layouts << line;
    def.headingLines << 0;
}

QString KeyIndex::keyText(const QVariant& key) {
    if (key.isNull())
        return {};
    bool isNumber = false;
    const double d = key.toDouble(&isNumber);
    if (isNumber && key.metaType().id() != QMetaType::QString)
        return numberText(d);
    return key.toString();
}

bool KeyIndex::load(db::Dataset& dataset, const QString& keyField, QString* error) {
    rows_.clear();
    if (!readAll(dataset, error))
        return false;
    for (int r = dataset.rowCount() - 1; r >= 0; --r) // the first row wins, as a locate finds it
        rows_.insert(keyText(dataset.value(r, keyField)), r);
    return true;
}

namespace {
// A dataset's rows in the listing's order, read through an index of rows.
class DatasetRows : public RowSource {
public:
    using Fill = std::function<void(const db::Dataset&, int, Block*)>;
    DatasetRows(db::Dataset& ds, ListingOrder order, Fill fill) : ds_(ds), fill_(std::move(fill)) {
        order_.resize(static_cast<size_t>(ds.rowCount()));
        std::iota(order_.begin(), order_.end(), 0);
        const QString field =
            order == ListingOrder::Numeric ? QStringLiteral("CODIGO") : QStringLiteral("DESIGNACAO");
        QCollator collator{QLocale(QLocale::Portuguese, QLocale::Portugal)};
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        collator.setNumericMode(false);
        std::stable_sort(order_.begin(), order_.end(), [&](int a, int b) {
            const QVariant va = ds.value(a, field);
            const QVariant vb = ds.value(b, field);
            bool na = false, nb = false;
            const double da = va.toDouble(&na);
            const double db = vb.toDouble(&nb);
            if (na && nb && va.metaType().id() != QMetaType::QString)
                return da < db;
            return collator.compare(va.toString(), vb.toString()) < 0;
        });
    }
    bool rewind(QString*) override {
        next_ = 0;
        return true;
    }
    bool next(Block* block) override {
        if (next_ >= order_.size())
            return false;
        *block = Block{};
        fill_(ds_, order_[next_++], block);
        return true;
    }
    bool seek(qint64 index) override {
        if (index < 0 || static_cast<size_t>(index) > order_.size())
            return false;
        next_ = static_cast<size_t>(index);
        return true;
    }

private:
    db::Dataset& ds_;
    Fill fill_;
    std::vector<int> order_;
    size_t next_ = 0;
};
} // namespace

Listing::Listing(db::Dataset& dataset, QString caption, QString title, bool orderNote)
    : dataset_(dataset), caption_(std::move(caption)), title_(std::move(title)), orderNote_(orderNote) {}

bool readAll(db::Dataset& dataset, QString* error) {
    if (!dataset.isOpen() && !dataset.open(error))
        return false;
    return dataset.fetchAll(error);
}

std::unique_ptr<Report> Listing::report(QString* error) {
    if (!readAll(dataset_, error) || !prepare(error))
        return nullptr;
    ReportDefinition def;
    def.caption = caption_;
    def.title = title_;
    if (orderNote_)
        def.orderNote = orderNoteText(order_);
    define(def);
    auto rows = std::make_unique<DatasetRows>(
        dataset_, order_, [this](const db::Dataset& ds, int row, Block* block) { fill(ds, row, block); });
    return std::make_unique<Report>(std::move(def), std::move(rows),
                                    ReportInfo{company_, notice_, QDateTime::currentDateTime()});
}

int Listing::preview(QWidget* parent) {
    QString error;
    auto r = report(&error);
    if (!r) {
        components::plainWarning(parent, caption_, error);
        return 0;
    }
    return PreviewWindow::run(std::move(r), parent);
}

} // namespace corvane::reference
