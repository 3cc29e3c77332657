#include "quotation_search.h"

#include "quotation/quotation_types.h"

namespace corvane::quotation {

QuotationSearch::QuotationSearch(db::Database& corvane)
    : list_(corvane, QStringLiteral("ORCAMMAS"),
            QStringLiteral("Select * From ORCAMMAS Where %1 Order By ORCNRO").arg(kPendingCondition),
            QString(), {QStringLiteral("ORCNRO")}) {}

const QStringList& QuotationSearch::columns() {
    static const QStringList c{"ORCNRO", "DATAEMI",   "CLINRO", "CLINOM",   "ARTIGO",
                               "DESIGN", "MARGEMLIQ", "VNDNRO", "APROVADO", "MANUAL_AUTO"};
    return c;
}

const QStringList& QuotationSearch::titles() {
    static const QStringList t{
        "Orc. Nº",   "Dat.Emi.", "Cli.Nº", "Nome do Cliente", "Artigo Nº", "Designação Artigo",
        "(%) Marg.", "Vendedor", "Sit",    "Man/Aut"};
    return t;
}

int QuotationSearch::shownColumns() {
    return 9;
}

QList<components::FilterField> QuotationSearch::filterFields() {
    using components::FieldKind;
    const QList<std::pair<const char*, FieldKind>> fields{
        {"CLINRO", FieldKind::Integer},  {"ARTIGO", FieldKind::Text}, {"DATAEMI", FieldKind::Date},
        {"VNDNRO", FieldKind::Integer},  {"CLINOM", FieldKind::Text}, {"DESIGN", FieldKind::Text},
        {"MANUAL_AUTO", FieldKind::Text}};
    QList<components::FilterField> out;
    for (const auto& [name, kind] : fields) {
        const QString field = QString::fromLatin1(name);
        const int column = static_cast<int>(columns().indexOf(field));
        out << components::FilterField{field, titles().value(column), column, kind};
    }
    return out;
}

bool QuotationSearch::open(QString* error) {
    result_ = 0;
    return list_.open(error);
}

int QuotationSearch::choose(int datasetRow) {
    const int n = datasetRow >= 0 && datasetRow < list_.rowCount()
                      ? list_.value(datasetRow, QStringLiteral("ORCNRO")).toInt()
                      : 0;
    result_ = n > 0 ? n : 0;
    return result_;
}

} // namespace corvane::quotation
