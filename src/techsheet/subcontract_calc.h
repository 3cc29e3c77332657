#pragma once

// Subcontracted linking or embroidery ("R", "M": a service and the materials
// sent with it, cost type 50) and the fabric of a printed sheet ("L").
#include "sheet_lines.h"

namespace corvane::techsheet {

inline constexpr int kSubcontractCostType = 50;

// A FICTECSUBCONT row as the lines need it: the service and up to three materials.
struct SubcontractEntry {
    QString SERVICO;
    QString serviceDesignation;
    double PRECO = 0;
    std::vector<MaterialEntry> materials; // rows 1 to 3
};

// The closing questions of the subcontract screen, in their order.
QStringList subcontractClosingQuestions(const SubcontractEntry& entry);

// The service line (quantity 1, unit "UND", OPERACAO "S") and one material
// line per material row with a code (OPERACAO "N"); PRECO and VALOR rounded
// to 2. Without cost type 50 nothing is written.
void subcontractLines(const QString& article, const QString& stepCode, const SubcontractEntry& entry,
                      const CostTypes& costTypes, int& detail, std::vector<FictecDetLine>& lines);

// The fabric layout of the technical-sheet context (ClothWidth, ClothPieces,
// ClothFitting, ClothMetres) and the consumption and cost it gives.
struct FabricLayout {
    double ClothWidth = 0; // metres
    int ClothPieces = 0;
    QString ClothFitting; // "C" by length, "L" by width
    double ClothMetres = 0;
    double consumption = 0;
    double price = 0;
    double cost = 0;
};

// The width of a chosen fabric: its LARGURA (mm) / 1000.
double fabricWidth(double fabricLARGURA);

// On leaving the pieces: metres = pieces × length ("C") or width ("L"), / 1000;
// consumption = width × metres / pieces; cost = consumption × price.
// The fitting must be "C" or "L" (either case), width and pieces not 0.
bool computeFabricLayout(FabricLayout& layout, double articleLength, double articleWidth, Notes& notes);

// The fabric line ("L"): QUANT to 4, PRECO and VALOR to 5, QUANT_FINAL
// unrounded, VALOR_FINAL to 5. A missing cost type writes no line.
bool fabricLine(const QString& article, int detail, const MaterialEntry& fabric, const CostTypes& costTypes,
                int clothCostType, FictecDetLine& line, Notes& notes);

} // namespace corvane::techsheet
