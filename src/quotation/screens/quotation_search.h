#pragma once

// The quotation search TCORVF040A ("Pesquisa de Orçamentos") without its
// widgets: the pending quotations, the fields the filter "Seleccione" offers,
// and the number chosen.
#include "components/filter/row_filter.h"
#include "db/dataset.h"

namespace corvane::quotation {

inline const QString kNothingFound = QStringLiteral("Não foi Identificado nenhum Orçamento");
inline const QString kSearchCountCaption = QStringLiteral("Nº Total de Orçamentos : ");

class QuotationSearch {
public:
    explicit QuotationSearch(db::Database& corvane);

    // The grid's columns and titles; the last columns serve the filter only.
    static const QStringList& columns();
    static const QStringList& titles();
    static int shownColumns();
    // The fields of the filter, in the table's order; ARTIGO by default.
    static QList<components::FilterField> filterFields();
    static QString defaultFilterField() { return QStringLiteral("ARTIGO"); }

    // Activation: no result, the pending quotations read.
    bool open(QString* error = nullptr);
    void close() { list_.close(); }
    db::Dataset& list() { return list_; }

    // A double click on a row: its number becomes the result (0 when it is not
    // positive).
    int choose(int datasetRow);
    int result() const { return result_; }

private:
    db::Dataset list_;
    int result_ = 0;
};

} // namespace corvane::quotation
