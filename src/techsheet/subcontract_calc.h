#pragma once

// Subcontracted linking or embroidery ("R", "M": a service and the materials
// sent with it, cost type 50) and the fabric of a printed sheet ("L").
#include "sheet_lines.h"

#include <QVariantMap>

#include <array>

namespace corvane::techsheet {

inline constexpr int kSubcontractCostType = 50;

// A FICTECSUBCONT row as the lines need it: the service and up to three materials.
struct SubcontractEntry {
    QString SERVICO;
    QString serviceDesignation;
    double PRECO = 0;
    std::vector<MaterialEntry> materials; // rows 1 to 3
    std::array<int, 3> MPTMAT{};          // their material types
};

inline constexpr int kSubcontractMaterials = 3;
inline const QString kNoService = QStringLiteral("Serviço de Subcontratação Inexistente ...");

// The service as it is left: empty or not a service (`designation` null) refused.
bool takeService(SubcontractEntry& entry, const QString& code, const QString* designation, Notes& notes);
// The service price as it is left: 0 refused.
bool takeServicePrice(SubcontractEntry& entry, double price, Notes& notes);

// The FICTECSUBCONT columns of an entry (ARTIGO, RELACFICTEC, SERVICO, PRECO
// and MPTMATn, MPNROn, MPQTDn, MPUNDn, MPPRECOn, MPCUSTOn of rows 1 to 3),
// and the entry of a stored row (designations left empty).
QVariantMap subcontractColumns(const QString& article, const QString& stepCode,
                               const SubcontractEntry& entry);
SubcontractEntry subcontractOf(const QVariantMap& row);

// The closing questions of the subcontract screen, in their order.
QStringList subcontractClosingQuestions(const SubcontractEntry& entry);

// The service line (quantity 1, unit "UND", OPERACAO "S") and one material
// line per material row with a code (OPERACAO "N"); PRECO and VALOR rounded
// to 2. Without cost type 50 nothing is built and the step is refused.
bool subcontractLines(const QString& article, const QString& stepCode, const SubcontractEntry& entry,
                      const CostTypes& costTypes, int& detail, std::vector<FictecDetLine>& lines,
                      Notes& notes);

// The fabric layout of the technical-sheet context (ClothWidth, ClothPieces,
// ClothFitting, ClothMetres) and the consumption and cost it gives.
struct FabricLayout {
    double ClothWidth = 0; // m
    int ClothPieces = 0;
    QString ClothFitting;   // "C" by length, "L" by width
    double ClothMetres = 0; // m
    double consumption = 0; // ClothWidth × ClothMetres / ClothPieces, per piece
    double price = 0;       // per purchase unit of the fabric
    double cost = 0;        // consumption × price, per piece
};

// The width in m of a chosen fabric: its LARGURA (cm) / 100.
double fabricWidth(double fabricLARGURA);

// A fabric chosen: price := the article price, cost := 0, ClothWidth := its
// LARGURA (cm) / 100.
void takeFabric(FabricLayout& layout, double articlePrice, double fabricLARGURA);

// The fabric fields as they are left; a 0 (or a negative width or number of
// pieces) is refused with the field's message.
bool takeFabricWidth(FabricLayout& layout, double width, Notes& notes);
// "C" or "L", lower case taken upper.
bool takeFabricFitting(FabricLayout& layout, const QString& fitting, Notes& notes);
// ClothPieces := pieces, then metres, consumption and cost as below.
bool takeFabricPieces(FabricLayout& layout, int pieces, double articleLength, double articleWidth,
                      Notes& notes);
bool takeFabricConsumption(FabricLayout& layout, double consumption, Notes& notes);
// cost := price × consumption.
bool takeFabricPrice(FabricLayout& layout, double price, Notes& notes);
bool takeFabricCost(FabricLayout& layout, double cost, Notes& notes);

// On leaving the pieces: metres = pieces × length ("C") or width ("L") in cm
// / 100; consumption = width (m) × metres / pieces; cost = consumption × price.
// The fitting must be "C" or "L" (either case), width and pieces not 0.
bool computeFabricLayout(FabricLayout& layout, double articleLength, double articleWidth, Notes& notes);

// The fabric line ("L"): QUANT to 4, PRECO and VALOR to 5, QUANT_FINAL
// unrounded, VALOR_FINAL to 5. A missing cost type writes no line.
bool fabricLine(const QString& article, int detail, const MaterialEntry& fabric, const CostTypes& costTypes,
                int clothCostType, FictecDetLine& line, Notes& notes);

} // namespace corvane::techsheet
