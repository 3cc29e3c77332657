#pragma once

#include "screens/field_check.h"

namespace corvane::articles {

class ArticleScreen;

// The pages of the article screen: the outer page control NB and the inner
// NB1 of the page " Geral ".
inline const QString kPageGeneral = QStringLiteral(" Geral ");
inline const QString kPageSpecifics = QStringLiteral("Especificidades");
inline const QString kPageClassification = QStringLiteral("Classificação");
inline const QString kPageInvoicing = QStringLiteral("Facturação");
inline const QString kPageStocks = QStringLiteral("Stocks");
QStringList innerPages();

inline const QString kList = QStringLiteral("DBGrid1");
inline const QString kCodeInput = QStringLiteral("Edit_Codigo");
inline const QString kDesignInput = QStringLiteral("Edit_Design");
inline const QString kDesign2Input = QStringLiteral("Edit_Design2");
inline const QString kComposedLabel = QStringLiteral("Label_Design");
// The characters of a designation (DESIGNACAO, DESIGNACAO1).
constexpr int kDesignWidth = 40;
// Whether a yes/no column holds "S" (any case, blanks ignored).
inline bool isYes(const QVariant& v) {
    return v.toString().trimmed().compare(QLatin1String("S"), Qt::CaseInsensitive) == 0;
}

// The datasets the lookups of the article inputs list, by name.
inline const QString kFamilies = QStringLiteral("FAMILIAS");
inline const QString kVat = QStringLiteral("IVA");
inline const QString kCommissions = QStringLiteral("COMISSOES");
inline const QString kTariffs = QStringLiteral("PPAUTAL");
inline const QString kCompositions = QStringLiteral("ARTGCOMP");
inline const QString kMaterialTypes = QStringLiteral("TIPOMATERIAL");
inline const QString kCostCentres = QStringLiteral("CCUSTO");
// The values of customization level n: "NIVEL1" to "NIVEL9".
QString levelDataset(int level);
QString levelInput(int level);     // Edit_Custom1 ..
QString levelNameInput(int level); // Edit_NomeCustom1 ..

// Every input of the article screen with its column, label, page, width
// (from the article table) and lookup, in tab order.
struct ArticleField {
    screens::FieldRule rule;
    QString page;                                  // the NB1 page it lies on; empty: the header or " Geral "
    screens::FieldCheck<ArticleScreen> check = {}; // the screen's own rule, if any
};
const QList<ArticleField>& articleFields();
const ArticleField* articleField(const QString& input);

// The read-only boxes beside the inputs, filled by the screen.
inline const QString kMaterialName = QStringLiteral("Label_TMat");
inline const QString kCompositionName = QStringLiteral("Edit_CompDesign");
inline const QString kCostCentreName = QStringLiteral("Label_CCustoNome");
inline const QString kVatRate = QStringLiteral("Edit_PrcIva");
inline const QString kCommissionRate = QStringLiteral("Edit_PrcCom");
inline const QString kAverageCost = QStringLiteral("Edit_PmCusto");
inline const QString kLastEntryPrice = QStringLiteral("Edit_Pulentra");
inline const QString kLength1 = QStringLiteral("LabelTam1");
inline const QString kLength2 = QStringLiteral("LabelTam2");

} // namespace corvane::articles
