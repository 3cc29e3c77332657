#pragma once

#include <QString>
#include <QStringList>

namespace corvane::articles {

// The order of an article list.
enum class ArticleOrder { Code, Designation };

// The lists of the article master (ARTIGOSCLS) that the screens read: a
// screen's list, a lookup "Localizar" or a step's choices. Each names the
// columns it shows and the articles it holds; this is the one place those
// statements are written.
enum class ArticleList {
    Ordinary,           // the article screen: ordinary articles (GRELHA 'N')
    Lookup,             // every article with the lookup's columns
    Everything,         // every column of every article, by code (the export)
    Products,           // code, designation and FICTEC of every article, unordered
    Yarns,              // yarns: TIPOARTIGO '6' with a count (NEFIO > 0)
    MaterialsOfType,    // the materials of the material type bound as :WFtTMat
    StepInks,           // printing inks (TIPOMAT 21 to 40) with their prices
    StepPackaging,      // packaging materials (TIPOMAT 120 to 139) with their prices
    Fabrics,            // fabrics: TIPOMAT from :WTMat1 to :WTMat2, with their width (cm)
    Services,           // subcontracted services: TIPOARTIGO '3'
    MachineInks,        // printing inks with their type and prices, unordered
    PackagingMaterials, // packaging materials with their type and prices
    PurchaseUnits,      // code and purchase unit of the articles above type 5, by code
};

// The statement of a list in the given order (lists with an order of their
// own ignore it).
QString articleListSql(ArticleList list, ArticleOrder order = ArticleOrder::Code);

// The columns of the article screen's list, in its order.
QStringList articleListColumns();

} // namespace corvane::articles
