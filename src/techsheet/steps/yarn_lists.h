#pragma once

// The yarns the yarn steps choose from: articles of type "6" with a metric
// count, by code and by designation for the two lookups.
#include "db/dataset.h"
#include "techsheet/work_rows.h"

#include <vector>

namespace corvane::techsheet {

// The name of a yarn position's column or field: `pattern` with %1 as n
// ("TR%1_REFFIO", "Edit_TR%1Artigo").
inline QString numbered(const char* pattern, int n) {
    return QString::fromLatin1(pattern).arg(n);
}

class YarnLists {
public:
    explicit YarnLists(db::Database& factura);

    // (Re)reads both lists.
    bool read(QString* error);
    db::Dataset& byCode() { return byCode_; }
    db::Dataset& byName() { return byName_; }
    const std::vector<Yarn>& yarns() const { return yarns_; }
    const Yarn* yarn(const QString& code) const { return findYarn(yarns_, code); }
    // The row of `code` in the code list (case and blanks ignored), or -1.
    int find(const QString& code);
    // The price of the yarn at `row` that PARGER.TIPOPRECO chooses.
    double price(const QString& basis, int row);

private:
    db::Dataset byCode_;
    db::Dataset byName_;
    std::vector<Yarn> yarns_;
};

} // namespace corvane::techsheet
