#include "step_inputs.h"

#include "shell/version_steps.h"
#include "shell/version_tables.h"

namespace corvane::techsheet {

namespace {

db::Table tableOf(StepTable table) {
    switch (table) {
    case StepTable::SheetLines:
        return shell::fictecDetTable();
    case StepTable::SheetHeader:
        return shell::fictecMasTable();
    case StepTable::YarnLayout:
        return shell::fictecFiosTable();
    case StepTable::Subcontract:
        return shell::fictecSubcontTable();
    case StepTable::WorkArticles:
        return shell::workftArtigosTable();
    }
    return {};
}

const db::Table& described(StepTable table) {
    static const QList<db::Table> tables = [] {
        QList<db::Table> all;
        for (StepTable t : {StepTable::SheetLines, StepTable::SheetHeader, StepTable::YarnLayout,
                            StepTable::Subcontract, StepTable::WorkArticles})
            all << shell::atCurrentVersion(tableOf(t));
        return all;
    }();
    return tables[static_cast<int>(table)];
}

QString ofRow(const char* pattern, int n) {
    const QString text = QString::fromUtf8(pattern);
    return text.contains(QLatin1String("%1")) ? text.arg(n) : text;
}

} // namespace

screens::FieldRule stepRule(StepTable table, const char* column, const char* name, int n, const char* label) {
    return screens::fieldOf(described(table), ofRow(column, n), ofRow(name, n), ofRow(label, n));
}

StepInput shownInput(StepTable table, const char* column, const char* name, int n, const char* label) {
    StepInput in{stepRule(table, column, name, n, label), {}};
    in.rule.readOnly = true;
    return in;
}

StepInput withLookup(StepInput input, const screens::LookupSpec& lookup, const QString& labelName) {
    input.rule.lookup = lookup;
    input.rule.lookup.labelName = labelName;
    return input;
}

screens::LookupSpec articleLookup() {
    screens::LookupSpec spec;
    spec.dataset = QStringLiteral("ARTIGOSNUM");
    spec.alphabeticalDataset = QStringLiteral("ARTIGOSALFA");
    spec.columns = QStringList{QStringLiteral("CODIGO"), QStringLiteral("DESIGNACAO")};
    spec.titles = QStringList{QStringLiteral("Código"), QStringLiteral("Designação")};
    spec.alphabeticalColumn = QStringLiteral("DESIGNACAO");
    spec.menuEntries = QStringList{QStringLiteral("Procurar &Codigo")};
    spec.alphabeticalMenuEntry = QStringLiteral("Procurar &Designação");
    return spec;
}

screens::LookupSpec materialTypeLookup() {
    screens::LookupSpec spec;
    spec.dataset = QStringLiteral("TIPOMATERIAL");
    spec.columns = QStringList{QStringLiteral("CODIGO"), QStringLiteral("DESIGNACAO")};
    spec.titles = QStringList{QStringLiteral("Código"), QStringLiteral("Designação")};
    spec.labelColumn = QStringLiteral("DESIGNACAO");
    spec.menuEntries = QStringList{QStringLiteral("Procurar")};
    return spec;
}

screens::LookupSpec yarnLookup() {
    screens::LookupSpec spec;
    spec.dataset = QStringLiteral("ARTIGOSNUM");
    spec.alphabeticalDataset = QStringLiteral("ARTIGOSALFA");
    spec.columns =
        QStringList{QStringLiteral("CODIGO"), QStringLiteral("DESIGNACAO"), QStringLiteral("NEFIO")};
    spec.titles = QStringList{QStringLiteral("Código"), QStringLiteral("Designacao"), QStringLiteral("DTex")};
    spec.alphabeticalColumn = QStringLiteral("DESIGNACAO");
    spec.menuEntries = QStringList{QStringLiteral("Localizar Fio (Por Código)")};
    spec.alphabeticalMenuEntry = QStringLiteral("Localizar Fio (Ordem Alfabética)");
    return spec;
}

} // namespace corvane::techsheet
