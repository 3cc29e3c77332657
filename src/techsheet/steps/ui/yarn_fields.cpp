#include "yarn_fields.h"

namespace corvane::techsheet {

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

QString kgText(double kg) {
    return QString::number(kg, 'f', 7);
}

} // namespace corvane::techsheet
