#pragma once

// What the technical-sheet screen and its step screens share while the sheet
// is open: the article, the sheet's kind and header values, the step being
// opened, and the parameters the steps cost with.
#include <QString>

namespace corvane::db {
class DocumentClaims;
}

namespace corvane::techsheet {

// The four kinds of sheet (FICTECMAS.TIPOFICTEC).
inline const QString kWovenScarf = QStringLiteral("CA");
inline const QString kKnittedScarf = QStringLiteral("CT");
inline const QString kPrintedScarf = QStringLiteral("CI");
inline const QString kKnittedHat = QStringLiteral("GT");
inline const QString kNoKind = QStringLiteral(" ");

struct TechSheetContext {
    // Filled by the article screen.
    QString ArticleCode;
    // The documents this program run holds; null when sheets are not claimed.
    // A sheet open for change is held by one run at a time.
    db::DocumentClaims* Claims = nullptr;
    // Empty while this run may change the sheet; otherwise why it may only be
    // looked at ("Ficha Técnica em uso por ANA desde 10:42").
    QString LookOnlyReason;
    QString ArticleDesignation;
    QString ArticleDesignation2;
    double ArticleLength = 0; // cm
    double ArticleWidth = 0;  // cm
    double ArticleWeight = 0; // kg

    QString SheetKind = kNoKind;
    QString StepCode;
    int MachineGroupType = 0;
    int WorkType = 0;
    int PassagesPerCm = 0;
    double ContractionPercent = 0;
    double YarnWastePercent = 0;
    double FringeMeasure = 0; // cm (4 × the width by default; the fringe line in "Cm")
    double PieceWeight = 0;
    double PrintSurfacePercent = 0;
    int OperationMinutes = 0;
    QString ClothArticle;
    double ClothWidth = 0;
    int ClothPieces = 0;
    QString ClothFitting;
    double ClothMetres = 0;
    QString LinesOrder = QStringLiteral("CODIGOMP");
    bool StepCancelled = false;
    QString LoomRaports;
    QString LoomStrips;
    bool Cancelling = false;
    bool CheckFailed = false;

    // The general parameters (PARGER CODIGO 1).
    double GeneralWastePercent = 0;
    int YarnCostType = 0;
    int InkCostType = 0;
    int LabelCostType = 0;
    int CardLabelCostType = 0;
    int HangerCostType = 0;
    int FringeCostType = 0;
    int MachineCostType = 0;
    int ClothCostType = 0;
};

} // namespace corvane::techsheet
