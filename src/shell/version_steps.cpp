#include "version_steps.h"

#include "version_tables.h"

#include "db/schema_update.h"

namespace corvane::shell {

using namespace corvane::db;

namespace {

using Addition = std::pair<QString, Column>;

QList<Addition> additionsTo(const char* table, const QList<Column>& columns) {
    QList<Addition> out;
    for (const Column& c : columns)
        out << Addition{QString::fromLatin1(table), c};
    return out;
}

VersionStep step1() {
    return {1,
            {operacoesTable(), workftArtigosTable(), workftMaquinasTable(), fictecDetTable(),
             fictecMasTable(), fictecFiosTable()},
            additionsTo("PARGER", {smallint("CABIDE_TC"), smallint("FRANJA_TC"), smallint("COSTURA_TC"),
                                   smallint("ETIQ_TC")}),
            {},
            {}};
}

VersionStep step4() {
    QList<Addition> add =
        additionsTo("FICTECMAS", {text("SUBCONTRATO", 1), text("BORDADO", 1), text("CORTE_MOLDE", 1),
                                  text("ETIQ_CARTOLINA", 1), text("TECIDO", 16), real("LARG_TECIDO"),
                                  integer("PECAS_TECIDO"), text("EMBALAGEM", 1), text("ENQ_TECIDO", 1),
                                  real("MTL_TECIDO"), text("SUBCONT_BORDADO", 1)});
    add << additionsTo("FICTECDET", {text("OPERACAO", 1)});
    add << additionsTo("FICTECFIOS", numbered("TE%1_GRAD", 1, 8, text({}, 6)));
    add << additionsTo("EMBALAGEMMP", numbered("UND%1", 1, 3, text({}, 3)));
    add << additionsTo("EMBALAGEM", {smallint("TIPOCUSTO")});
    add << additionsTo("PARGER", {smallint("ETIQCART_TC"), smallint("TECIDO_TC")});
    return {4, {fictecSubcontTable()}, add, {}, {}};
}

// The reads of one sheet name its article (and step), never the cost type
// first; the customer's quotations are listed by customer and date.
VersionStep step9() {
    auto index = [](const char* table, const char* name, const QStringList& columns) {
        return std::pair<QString, Index>{QString::fromLatin1(table),
                                         Index{QString::fromLatin1(name), columns, false}};
    };
    return {9,
            {},
            {},
            {},
            {index("FICTECDET", "FICTECDET_ARTIGO", {"ARTIGO", "RELACFICTEC", "DETAIL"}),
             index("ORCAMMAS", "ORCAMMAS_CLINRO", {"CLINRO", "DATAEMI", "ORCNRO"})}};
}

} // namespace

VersionStep versionStep(int number) {
    switch (number) {
    case 1:
        return step1();
    case 2:
        return {2, {}, additionsTo("FICTECMAS", {real("SUPIMPR", true, QStringLiteral("0"))}), {}, {}};
    case 3:
        return {3, {}, additionsTo("FICTECDET", {real("PERC_IMPR")}), {}, {}};
    case 4:
        return step4();
    case 5:
        return {5, quotationTables() + chartTables(), {}, {}, {}};
    case 6:
        return {6, {}, additionsTo("FICTECMAS", {real("CONTRACOES")}), {}, {}};
    case 7:
        return {7,
                {},
                additionsTo("UTILIZADORES", {text("UPGRADE_LICENSE", 1)}),
                {QStringLiteral("UPDATE UTILIZADORES SET UPGRADE_LICENSE='N'")},
                {}};
    case 8:
        return {8, {}, additionsTo("FICTECDET", {real("FACTCONV", true, QStringLiteral("0"))}), {}, {}};
    case 9:
        return step9();
    case 10:
        return {10, {quotationCostTable()}, {}, {}, {}};
    default:
        return {number, {}, {}, {}, {}};
    }
}

namespace {

bool applyStatements(Database& db, const VersionStep& step, QString* error) {
    for (const Table& t : step.creations)
        if (!createTableIfMissing(db, t, error))
            return false;
    bool added = false;
    for (const auto& [table, column] : step.additions) {
        const std::optional<bool> done = addColumnIfMissing(db, table, column, error);
        if (!done)
            return false;
        added = added || *done;
    }
    if (added)
        for (const QString& sql : step.followUps)
            if (!db.exec(sql, {}, error))
                return false;
    for (const auto& [table, index] : step.indexes)
        if (!addIndexIfMissing(db, table, index, error))
            return false;
    return true;
}

} // namespace

Table atCurrentVersion(Table base) {
    for (int n = 1; n <= kLastVersionStep; ++n) {
        const VersionStep step = versionStep(n);
        for (const auto& [table, column] : step.additions)
            if (table.compare(base.name, Qt::CaseInsensitive) == 0)
                base.columns << column;
        for (const auto& [table, index] : step.indexes)
            if (table.compare(base.name, Qt::CaseInsensitive) == 0)
                base.indexes << index;
    }
    return base;
}

bool applyVersionStep(Database& db, const VersionStep& step, QString* error) {
    return db.transaction([&] { return applyStatements(db, step, error); }, error);
}

} // namespace corvane::shell
