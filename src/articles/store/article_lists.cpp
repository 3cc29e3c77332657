#include "article_lists.h"

namespace corvane::articles {

namespace {

const QString kOrdinaryColumns = QStringLiteral(
    "Codigo, Designacao, Grelha, TipoArtigo, VosRef, PosPautal, FactConv, UnConv, Medidas, Peso, Volume, "
    "Comprim, Largura, Altura, Familia, CCusto, Composicao, Codiva, Comissao, Preco1, Preco2, Preco3, "
    "Preco4, "
    "UnVenda, UnCompra, CustoPadrao, StkMin, PtoEnc, StkMax, Custom1, Custom2, Custom3, Custom4, Custom5, "
    "Custom6, Custom7, Custom8, Custom9, Descontinuado, PmCusto, Pulentra, DtAbertura, CodigoGrelha, CorDes, "
    "TamDes, QtdCalculo, FichaBase, Designacao1, NeFio, FicTec, Usa_Exist, CodGrupo, Conjunto, CorBase, "
    "CorBarra, Medida, Gramagem, Designacao2, TipoMat, Util_Abertura");

// The columns a material is shown and priced with in a step.
const QString kPricedColumns =
    QStringLiteral("Select CODIGO,DESIGNACAO, PMCUSTO, PULENTRA, CUSTOPADRAO, UNCOMPRA From ARTIGOSCLS ");

QString column(ArticleOrder order) {
    return order == ArticleOrder::Code ? QStringLiteral("CODIGO") : QStringLiteral("DESIGNACAO");
}

} // namespace

QString articleListSql(ArticleList list, ArticleOrder order) {
    const QString by = column(order);
    switch (list) {
    case ArticleList::Ordinary:
        return QStringLiteral("Select %1 From ARTIGOSCLS Where GRELHA = 'N' Order By %2")
            .arg(kOrdinaryColumns, by);
    case ArticleList::Lookup:
        return order == ArticleOrder::Designation
                   ? QStringLiteral("Select CODIGO,DESIGNACAO,FICTEC,CORDES,TAMDES,FICHABASE From "
                                    "ARTIGOSCLS Order By DESIGNACAO")
                   : QStringLiteral("Select Codigo, Designacao, TipoArtigo,CorDes, TamDes,FichaBase,FicTec "
                                    "From ARTIGOSCLS Order By CODIGO");
    case ArticleList::Everything:
        return QStringLiteral("SELECT * FROM ARTIGOSCLS ORDER BY CODIGO");
    case ArticleList::Products:
        return QStringLiteral("SELECT CODIGO, DESIGNACAO, FICTEC FROM ARTIGOSCLS");
    case ArticleList::Yarns:
        return QStringLiteral("Select CODIGO,DESIGNACAO,TIPOARTIGO,PMCUSTO,UNCOMPRA,NEFIO,UNVENDA,PULENTRA,"
                              "CUSTOPADRAO From ARTIGOSCLS Where TIPOARTIGO = '6' and NEFIO > 0 Order By ") +
               by;
    case ArticleList::MaterialsOfType:
        return kPricedColumns + QStringLiteral("Where TIPOMAT = :WFtTMat Order By ") + by;
    case ArticleList::StepInks:
        return kPricedColumns + QStringLiteral("Where TIPOMAT >= 21 and TIPOMAT <= 40 Order By ") + by;
    case ArticleList::StepPackaging:
        return kPricedColumns + QStringLiteral("Where TIPOMAT >= 120 and TIPOMAT <= 139 Order By ") + by;
    case ArticleList::Fabrics:
        return QStringLiteral("Select CODIGO,DESIGNACAO, PMCUSTO, PULENTRA, CUSTOPADRAO, UNCOMPRA , LARGURA "
                              "From ARTIGOSCLS Where TIPOMAT >= :WTMat1 and TIPOMAT <= :WTMat2 Order By ") +
               by;
    case ArticleList::Services:
        return QStringLiteral("Select CODIGO,DESIGNACAO From ARTIGOSCLS Where tipoartigo = '3' Order by ") +
               by;
    case ArticleList::MachineInks:
        return QStringLiteral("Select CODIGO,DESIGNACAO,  TIPOMAT, CUSTOPADRAO, PMCUSTO, PULENTRA From "
                              "ARTIGOSCLS Where TIPOMAT >=21 AND TIPOMAT <=40");
    case ArticleList::PackagingMaterials:
        return QStringLiteral("SELECT CODIGO,DESIGNACAO,TIPOARTIGO,PULENTRA,PMCUSTO, CUSTOPADRAO,UNCOMPRA, "
                              "TIPOMAT FROM ARTIGOSCLS WHERE TIPOMAT >= 120 AND TIPOMAT <= 139 ORDER BY ") +
               by;
    case ArticleList::PurchaseUnits:
        return QStringLiteral(
            "SELECT CODIGO,UNCOMPRA FROM ARTIGOSCLS WHERE TIPOARTIGO > '5' ORDER BY CODIGO");
    }
    return {};
}

QStringList articleListColumns() {
    QStringList out;
    for (const QString& c : kOrdinaryColumns.split(QLatin1Char(',')))
        out << c.trimmed().toUpper();
    return out;
}

} // namespace corvane::articles
