#include "article_fields.h"

#include "article_screen.h"
#include "articles/store/article_tables.h"

namespace corvane::articles {

using screens::FieldKind;
using screens::FieldRule;
using screens::LookupSpec;

QStringList innerPages() {
    return {kPageSpecifics, kPageClassification, kPageInvoicing, kPageStocks};
}

QString levelDataset(int level) {
    return QStringLiteral("NIVEL%1").arg(level);
}
QString levelInput(int level) {
    return QStringLiteral("Edit_Custom%1").arg(level);
}
QString levelNameInput(int level) {
    return QStringLiteral("Edit_NomeCustom%1").arg(level);
}

namespace {

using screens::lookupOf;

QList<ArticleField> makeFields() {
    const db::Table table = artigosClsTable();
    QList<ArticleField> out;
    using Check = screens::FieldCheck<ArticleScreen>;
    auto add = [&](const QString& column, const QString& input, const QString& label,
                   const QString& page = {}, Check check = {}) {
        out << ArticleField{screens::fieldOf(table, column, input, label), page, check};
        return &out.last().rule;
    };
    // The rules that read the text as typed, before any conversion.
    auto raw = [](Check::Member run) { return Check{run, true}; };
    FieldRule* r = add(QStringLiteral("CODIGO"), kCodeInput, QStringLiteral("Código : "), {},
                       raw(&ArticleScreen::checkCode));
    r->kind = FieldKind::Upper;
    add(QStringLiteral("DESIGNACAO"), kDesignInput, QStringLiteral("Designação : "), {},
        raw(&ArticleScreen::checkDesignation));
    add(QStringLiteral("DESIGNACAO2"), kDesign2Input, QString(), {}, raw(&ArticleScreen::checkDesignation));
    r = add(QStringLiteral("TIPOARTIGO"), QStringLiteral("Edit_TipoArtigo"), QStringLiteral("Tipo Artigo : "),
            {}, raw(&ArticleScreen::checkArticleType));
    r->hint = QStringLiteral("Digite de [1...11] o Tipo de Artigo");
    add(QStringLiteral("VOSREF"), QStringLiteral("Edit_VosRef"), QStringLiteral("V/Refer. : "));
    r = add(QStringLiteral("POSPAUTAL"), QStringLiteral("Edit_PosPautal"), QStringLiteral("Pos. Pautal : "),
            {}, {&ArticleScreen::checkTariff});
    r->hint = QStringLiteral("Tecla ... <INS> Procurar ...");
    r->lookup =
        lookupOf(kTariffs, QStringLiteral("CODIGO"), {QStringLiteral("CODIGO"), QStringLiteral("DESIGN")},
                 {QStringLiteral("Código"), QStringLiteral("Designação")}, QStringLiteral("DESIGN"));
    r = add(QStringLiteral("DESCONTINUADO"), QStringLiteral("Edit_ArtDescont1"),
            QStringLiteral("Artigo Desc. :"), {}, raw(&ArticleScreen::checkDiscontinued));
    r->kind = FieldKind::Upper;
    r->suffix = QStringLiteral("(S/N)");

    r = add(QStringLiteral("TIPOMAT"), QStringLiteral("Edit_TipoMat"), QStringLiteral("Tipo Material  : "),
            kPageSpecifics, {&ArticleScreen::checkMaterialType});
    r->lookup = lookupOf(
        kMaterialTypes, QStringLiteral("CODIGO"), {QStringLiteral("CODIGO"), QStringLiteral("DESIGNACAO")},
        {QStringLiteral("Código"), QStringLiteral("Designação")}, QStringLiteral("DESIGNACAO"));
    r->lookup.labelColumn = QStringLiteral("DESIGNACAO");
    r->lookup.labelName = kMaterialName;
    add(QStringLiteral("FACTCONV"), QStringLiteral("Edit_FactConv"), QStringLiteral("Factor Conv. : "),
        kPageSpecifics);
    add(QStringLiteral("UNCONV"), QStringLiteral("Edit_UnConv"), QStringLiteral("Unid.Conv. : "),
        kPageSpecifics);
    add(QStringLiteral("COMPRIM"), QStringLiteral("Edit_Compri"), QStringLiteral("CxLxA : "), kPageSpecifics);
    add(QStringLiteral("LARGURA"), QStringLiteral("Edit_Largur"), QString(), kPageSpecifics);
    r = add(QStringLiteral("ALTURA"), QStringLiteral("Edit_Altura"), QString(), kPageSpecifics);
    r->suffix = QStringLiteral("(Cms)");
    r = add(QStringLiteral("PESO"), QStringLiteral("Edit_Peso"), QStringLiteral("Peso : "), kPageSpecifics);
    r->suffix = QStringLiteral("(Kgs)");
    r = add(QStringLiteral("VOLUME"), QStringLiteral("Edit_Volume"), QStringLiteral("Volume : "),
            kPageSpecifics);
    r->suffix = QStringLiteral("(m3)");
    r = add(QStringLiteral("COMPOSICAO"), QStringLiteral("Edit_Composicao"), QStringLiteral("Composição : "),
            kPageSpecifics, {&ArticleScreen::checkComposition});
    r->lookup = lookupOf(
        kCompositions, QStringLiteral("CODIGO"), {QStringLiteral("CODIGO"), QStringLiteral("DESIGNACAO")},
        {QStringLiteral("Código"), QStringLiteral("Composição")}, QStringLiteral("DESIGNACAO"));
    r->lookup.menuEntries = {QStringLiteral("Busca &Numérica")};
    r->lookup.alphabeticalMenuEntry = QStringLiteral("Busca &Alfabética");

    r = add(QStringLiteral("FAMILIA"), QStringLiteral("Edit_Familia"), QStringLiteral("Família : "),
            kPageClassification, {&ArticleScreen::checkFamily});
    r->kind = FieldKind::Upper;
    r->lookup = lookupOf(kFamilies, QStringLiteral("FAMILIA"), {QStringLiteral("FAMILIA")},
                         {QStringLiteral("Família")}, QStringLiteral("FAMILIA"));
    r = add(QStringLiteral("CCUSTO"), QStringLiteral("Edit_CCusto"), QStringLiteral("C.Custo Nº : "),
            kPageClassification, {&ArticleScreen::checkCostCentre});
    r->lookup =
        lookupOf(kCostCentres, QStringLiteral("CODIGO"), {QStringLiteral("CODIGO"), QStringLiteral("DESIGN")},
                 {QStringLiteral("Código"), QStringLiteral("Designação")}, QStringLiteral("DESIGN"));
    for (int n = 1; n <= 9; ++n) {
        r = add(QStringLiteral("CUSTOM%1").arg(n), levelInput(n), QString(), kPageClassification,
                {&ArticleScreen::checkLevel});
        r->lookup = lookupOf(levelDataset(n), QStringLiteral("CODIGO"),
                             {QStringLiteral("DESIGNACAO"), QStringLiteral("CODIGO"),
                              QStringLiteral("REDUZCODIGO"), QStringLiteral("REDUZDESIGN")},
                             {QStringLiteral("Designação"), QStringLiteral("Nº"),
                              QStringLiteral("Codif.Código"), QStringLiteral("Codif.Design.")},
                             QStringLiteral("DESIGNACAO"));
    }

    for (int n = 1; n <= 4; ++n)
        add(QStringLiteral("PRECO%1").arg(n), QStringLiteral("Edit_Preco%1").arg(n),
            QStringLiteral("Preço Venda, %1 : ").arg(n), kPageInvoicing);
    add(QStringLiteral("UNVENDA"), QStringLiteral("Edit_UnVenda"), QStringLiteral("Unid.Venda : "),
        kPageInvoicing, {&ArticleScreen::checkSalesUnit});
    r = add(QStringLiteral("CODIVA"), QStringLiteral("Edit_Codiva"), QStringLiteral("Cód. I.V.A. : "),
            kPageInvoicing, {&ArticleScreen::checkVat});
    r->lookup = lookupOf(kVat, QStringLiteral("CODIGO"), {QStringLiteral("CODIGO"), QStringLiteral("PRCIVA")},
                         {QStringLiteral("Código"), QStringLiteral("% I.V.A.")}, QStringLiteral("PRCIVA"));
    r = add(QStringLiteral("COMISSAO"), QStringLiteral("Edit_Comissao"), QStringLiteral("% Comissão : "),
            kPageInvoicing, {&ArticleScreen::checkCommission});
    r->lookup =
        lookupOf(kCommissions, QStringLiteral("CODIGO"), {QStringLiteral("CODIGO"), QStringLiteral("PRCCOM")},
                 {QStringLiteral("Código"), QStringLiteral("% Comissão")}, QStringLiteral("PRCCOM"));

    add(QStringLiteral("CUSTOPADRAO"), QStringLiteral("Edit_CustoPadrao"), QStringLiteral("Custo Padrão : "),
        kPageStocks);
    add(QStringLiteral("UNCOMPRA"), QStringLiteral("Edit_UnCompra"), QStringLiteral("Unid.Compra : "),
        kPageStocks);
    add(QStringLiteral("PTOENC"), QStringLiteral("Edit_PtoEnc"), QStringLiteral("Pto Enc. : "), kPageStocks);
    add(QStringLiteral("STKMIN"), QStringLiteral("Edit_StkMin"), QStringLiteral("Stock Mínimo : "),
        kPageStocks);
    add(QStringLiteral("STKMAX"), QStringLiteral("Edit_StkMax"), QStringLiteral("Stock Máximo : "),
        kPageStocks);
    add(QStringLiteral("NEFIO"), QStringLiteral("Edit_NeFio"), QStringLiteral("Nm do Fio : "), kPageStocks);
    for (ArticleField& f : out)
        if (f.rule.lookup.isSet() && f.rule.hint.isEmpty())
            f.rule.hint = QStringLiteral("Tecla <Ins> Procurar");
    return out;
}

} // namespace

const QList<ArticleField>& articleFields() {
    static const QList<ArticleField> fields = makeFields();
    return fields;
}

const ArticleField* articleField(const QString& input) {
    for (const ArticleField& f : articleFields())
        if (f.rule.input == input)
            return &f;
    return nullptr;
}

} // namespace corvane::articles
