// The inputs of the quotation screen as declared: their columns and checks.
#include "quotation_screen.h"

#include "quotation/store/quotation_lookups.h"
#include "shell/version_steps.h"
#include "shell/version_tables.h"

namespace corvane::quotation {

namespace {

using screens::FieldKind;
using screens::LookupSpec;

// Characters shown by the inputs of numbers (their columns take more).
constexpr int kCodeWidth = 9;    // the quotation, customer, seller, agent and payment-condition numbers
constexpr int kAmountWidth = 10; // quantities, fixed amounts, customer prices
constexpr int kPercentWidth = 8; // percents and the net margin
constexpr int kDaysWidth = 6;    // the payment condition's days
// The issue date is typed as dd/MM/yyyy.
constexpr int kDateLength = 10;

const QString kNumberHint =
    QStringLiteral("<INS> Procura Numérica, <CTRL+INS> Procura p/ Cliente, <F1> Procura Selectiva ...");
const QString kCustomerHint = QStringLiteral("<INS> Procura Numérica, <CTRL+INS> Procura Alfabética");

// A list "Localizar": key, columns and titles, the order of Ctrl+Insert and
// the context menu's entries.
LookupSpec lookup(const QString& dataset, const QString& key, const QStringList& columns,
                  const QStringList& titles, const QString& alphabetical, const QString& entry,
                  const QString& alphabeticalEntry = {}) {
    LookupSpec l = screens::lookupOf(dataset, key, columns, titles, alphabetical);
    l.menuEntries = {entry};
    l.alphabeticalMenuEntry = alphabeticalEntry;
    return l;
}

// Customers, sellers and agents: numbered names.
LookupSpec named(const QString& dataset, const QString& entry, const QString& alphabeticalEntry = {}) {
    return lookup(dataset, QStringLiteral("CODIGO"), {QStringLiteral("CODIGO"), QStringLiteral("NOME")},
                  {QStringLiteral("Nº"), QStringLiteral("Nome")}, QStringLiteral("NOME"), entry,
                  alphabeticalEntry);
}

// Declares the inputs in tab order, each of a column of the quotation tables.
class Declarations {
public:
    Declarations() {
        for (const db::Table& t : shell::quotationTables())
            tables_ << shell::atCurrentVersion(t);
    }

    // An input of `column` of `table` on `page`: kind and length from the
    // column, shown as wide as it takes unless `width` says otherwise.
    QuotationInput& add(const QString& table, const QString& column, const QString& input,
                        const QString& label, const QString& page, InputStage stage, InputCheck check,
                        int width = 0) {
        QuotationInput in;
        in.rule = screens::fieldOf(tableNamed(table), column, input, label);
        in.rule.width = width > 0 ? width : in.rule.maxLength;
        in.page = page;
        in.stage = stage;
        in.check = check;
        inputs_ << in;
        return inputs_.last();
    }
    // An input that is no column: `length` characters of text.
    QuotationInput& addText(const QString& input, const QString& label, int length, const QString& page,
                            InputStage stage, InputCheck check) {
        QuotationInput in;
        in.rule.input = input;
        in.rule.label = label;
        in.rule.maxLength = length;
        in.rule.width = length;
        in.page = page;
        in.stage = stage;
        in.check = check;
        inputs_ << in;
        return inputs_.last();
    }
    QList<QuotationInput> take() { return std::move(inputs_); }

private:
    const db::Table& tableNamed(const QString& name) const {
        for (const db::Table& t : tables_)
            if (t.name == name)
                return t;
        qFatal("No quotation table %s", qPrintable(name));
    }

    QList<db::Table> tables_;
    QList<QuotationInput> inputs_;
};

} // namespace

const QList<QuotationInput>& QuotationScreen::inputs() {
    static const QList<QuotationInput> all = [] {
        const QString mas = QStringLiteral("ORCAMMAS"), com = QStringLiteral("ORCAMCOM"),
                      transp = QStringLiteral("ORCAMTRANSP"), cndpgt = QStringLiteral("ORCAMCNDPGT"),
                      desc = QStringLiteral("ORCAMDESC");
        const QString& info = kPageInformation;
        constexpr InputStage numbering = InputStage::Numbering, top = InputStage::Top,
                             price = InputStage::Price;
        Declarations d;
        QuotationInput* in = nullptr;

        // The series and the number.
        in = &d.addText(QStringLiteral("Edit_Serie"), QStringLiteral("Série 1...5 : "), 1, info, numbering,
                        &QuotationScreen::exitSeries);
        for (int s = 1; s <= kSeriesCount; ++s)
            in->rule.allowed << QString::number(s);
        in->rule.allowedMessage = kSeriesMessage;
        in = &d.add(mas, QStringLiteral("ORCNRO"), QStringLiteral("Edit_OrcNro"),
                    QStringLiteral("Orçam.Nº : "), info, numbering, &QuotationScreen::exitNumber, kCodeWidth);
        in->rule.hint = kNumberHint;
        in->rule.lookup = lookup(QuotationLookups::kQuotations, QStringLiteral("ORCNRO"),
                                 {QStringLiteral("ORCNRO"), QStringLiteral("CLINOM"),
                                  QStringLiteral("DATAEMI"), QStringLiteral("APROVADO")},
                                 {QStringLiteral("Orçam.Nº"), QStringLiteral("Cliente"),
                                  QStringLiteral("Data"), QStringLiteral("Aprov.")},
                                 QStringLiteral("CLINOM"), QStringLiteral("Busca Numérica"),
                                 QStringLiteral("Busca p/ Cliente (Nome)"));

        // The top fields.
        in = &d.add(mas, QStringLiteral("DATAEMI"), QStringLiteral("Edit_DatOrc"), QStringLiteral("Data : "),
                    info, top, &QuotationScreen::exitDate, kDateLength);
        in = &d.add(mas, QStringLiteral("CLINRO"), QStringLiteral("Edit_CliNro"),
                    QStringLiteral("Cliente Nº : "), info, top, &QuotationScreen::exitCustomer, kCodeWidth);
        in->beside = QStringLiteral("Label_CliNom");
        in->rule.hint = kCustomerHint;
        in->rule.lookup = named(QuotationLookups::kCustomers, QStringLiteral("&Procurar Numérico"),
                                QStringLiteral("&Busca Alfabética"));
        in = &d.add(mas, QStringLiteral("TIPOFT"), QStringLiteral("Edit_TipoFt"), QStringLiteral("P/T : "),
                    info, top, &QuotationScreen::keepText);
        in->rule.kind = FieldKind::Upper;
        in->rule.allowed = QStringList{QStringLiteral("P"), QStringLiteral("T")};
        in->rule.allowedMessage =
            QStringLiteral("Insira <P> para Produto ou <T> para Registo Técnico de Produto !!");
        in->text = [](Quotation& q) -> QString& { return q.mas.TIPOFT; };
        in = &d.add(mas, QStringLiteral("ARTIGO"), QStringLiteral("Edit_ArtNro"),
                    QStringLiteral("Artigo Nº : "), info, top, &QuotationScreen::exitArticle);
        in->beside = QStringLiteral("Label_Design");
        in->text = [](Quotation& q) -> QString& { return q.mas.ARTIGO; };
        in->rule.lookup =
            lookup(QuotationLookups::kArticles, QStringLiteral("CODIGO"),
                   {QStringLiteral("CODIGO"), QStringLiteral("DESIGNACAO")},
                   {QStringLiteral("Código"), QStringLiteral("Designação")}, QStringLiteral("DESIGNACAO"),
                   QStringLiteral("&Procurar Numérico"), QStringLiteral("&Busca Alfabética"));
        in = &d.add(mas, QStringLiteral("MARGEMLIQ"), QStringLiteral("Edit_MargemLiq"),
                    QStringLiteral("Marg.Líq. : "), info, top, &QuotationScreen::exitMargin, kPercentWidth);
        in->number = [](Quotation& q) -> double& { return q.mas.MARGEMLIQ; };
        const InputCheck quantityChecks[] = {&QuotationScreen::exitQuantity1, &QuotationScreen::exitQuantity2,
                                             &QuotationScreen::exitQuantity3};
        const char* const quantityLabels[] = {"Qtd. I : ", "Qtd. II : ", "Qtd. III : "};
        using LevelOf = double& (*)(Quotation&);
        const LevelOf quantities[] = {[](Quotation& q) -> double& { return q.mas.QUANT[0]; },
                                      [](Quotation& q) -> double& { return q.mas.QUANT[1]; },
                                      [](Quotation& q) -> double& { return q.mas.QUANT[2]; }};
        for (int i = 0; i < 3; ++i) {
            in = &d.add(mas, QStringLiteral("QUANT%1").arg(i + 1), QStringLiteral("Edit_Qtd%1").arg(i + 1),
                        QString::fromLatin1(quantityLabels[i]), info, top, quantityChecks[i], kAmountWidth);
            in->number = quantities[i];
        }
        in = &d.add(mas, QStringLiteral("OBSERV1"), QStringLiteral("Edit_Observ1"),
                    QStringLiteral("Observ. : "), info, top, &QuotationScreen::keepText);
        in->text = [](Quotation& q) -> QString& { return q.mas.OBSERV1; };
        in = &d.add(mas, QStringLiteral("OBSERV2"), QStringLiteral("Edit_Observ2"),
                    QStringLiteral("Observ. : "), info, top, &QuotationScreen::keepText);
        in->text = [](Quotation& q) -> QString& { return q.mas.OBSERV2; };
        in = &d.add(mas, QStringLiteral("DESENHO"), QStringLiteral("Edit_Desenho"),
                    QStringLiteral("C.Fixos : "), info, top, &QuotationScreen::exitDrawing);
        in->rule.kind = FieldKind::Upper;
        in->rule.allowed = QStringList{QStringLiteral("S"), QStringLiteral("N")};
        in->rule.allowedMessage = QStringLiteral("Digite [S] ou [N]");
        in->text = [](Quotation& q) -> QString& { return q.mas.DESENHO; };

        // The price page: the net margin and the customer prices.
        in = &d.add(mas, QStringLiteral("MARGEMLIQ"), QStringLiteral("Edit_MargLiq"),
                    QStringLiteral("Margem (%) : "), kPageQuotation, price, &QuotationScreen::exitNetMargin,
                    kPercentWidth);
        in->mode = PriceMode::Margin;
        in->number = [](Quotation& q) -> double& { return q.mas.MARGEMLIQ; };
        in->mirror = QStringLiteral("Edit_MargemLiq");
        const LevelOf prices[] = {[](Quotation& q) -> double& { return q.mas.PRECOCLI[0]; },
                                  [](Quotation& q) -> double& { return q.mas.PRECOCLI[1]; },
                                  [](Quotation& q) -> double& { return q.mas.PRECOCLI[2]; }};
        for (int i = 0; i < 3; ++i) {
            in = &d.add(
                mas, QStringLiteral("PRECOCLI%1").arg(i + 1), QStringLiteral("Edit_PrecoCli%1").arg(i + 1),
                QStringLiteral("Preço Cliente : "), kPageQuotation, price,
                i < 2 ? &QuotationScreen::exitAmount : &QuotationScreen::exitLastCustomerPrice, kAmountWidth);
            in->mode = PriceMode::Customer;
            in->number = prices[i];
        }

        // The charges notebook. A percent of the sale value only:
        auto percent = [&](const QString& table, const QString& column, const QString& input,
                           const QString& label, const QString& tab, LevelOf value) {
            QuotationInput& p =
                d.add(table, column, input, label, tab, price, &QuotationScreen::exitPercent, kPercentWidth);
            p.number = value;
            return &p;
        };
        // A charge given as a fixed amount or a percent (prefix VALFIXO, prefix PERC).
        auto pair = [&](const QString& table, const QString& prefix, const QString& input,
                        const QString& label, const QString& tab, LevelOf fixed, LevelOf share) {
            QuotationInput& f =
                d.add(table, prefix + QStringLiteral("VALFIXO"), input + QStringLiteral("ValFixo"),
                      label + QStringLiteral("Valor Fixo : "), tab, price, &QuotationScreen::exitAmount,
                      kAmountWidth);
            f.number = fixed;
            f.cleared = share;
            QuotationInput* p =
                percent(table, prefix + QStringLiteral("PERC"), input + QStringLiteral("Perc"),
                        label + QStringLiteral("% : "), tab, share);
            p->cleared = fixed;
        };

        in = &d.add(com, QStringLiteral("VNDNRO"), QStringLiteral("Edit_VndNro"),
                    QStringLiteral("Vendedor : "), kTabCommissions, price, &QuotationScreen::exitSeller,
                    kCodeWidth);
        in->beside = QStringLiteral("Label_VndNom");
        in->rule.lookup = named(QuotationLookups::kSellers, QStringLiteral("Procura Vendedor"));
        percent(com, QStringLiteral("VNDPERC"), QStringLiteral("Edit_VndPerc"),
                QStringLiteral("% Vendedor : "), kTabCommissions,
                [](Quotation& q) -> double& { return q.com.VND.PERC; });
        in = &d.add(com, QStringLiteral("AGTNRO"), QStringLiteral("Edit_AgtNro"), QStringLiteral("Agente : "),
                    kTabCommissions, price, &QuotationScreen::exitAgent, kCodeWidth);
        in->beside = QStringLiteral("Label_AgtNom");
        in->rule.lookup = named(QuotationLookups::kAgents, QStringLiteral("Procura Agente"));
        percent(com, QStringLiteral("AGTPERC"), QStringLiteral("Edit_AgtPerc"), QStringLiteral("% Agente : "),
                kTabCommissions, [](Quotation& q) -> double& { return q.com.AGT.PERC; });
        in = &d.add(com, QStringLiteral("ROYNOM"), QStringLiteral("Edit_RoyNom"),
                    QStringLiteral("Royalty : "), kTabCommissions, price, &QuotationScreen::keepText);
        in->text = [](Quotation& q) -> QString& { return q.com.ROYNOM; };
        percent(com, QStringLiteral("ROYPERC"), QStringLiteral("Edit_RoyPerc"),
                QStringLiteral("% Royalty : "), kTabCommissions,
                [](Quotation& q) -> double& { return q.com.ROY.PERC; });

        in = &d.add(transp, QStringLiteral("METEXP"), QStringLiteral("Edit_MetExp"),
                    QStringLiteral("Met.Expedição : "), kTabTransport, price, &QuotationScreen::exitMethod);
        in->text = [](Quotation& q) -> QString& { return q.transp.METEXPCODE; };
        in->rule.lookup = lookup(QuotationLookups::kMethods, QStringLiteral("METEXPEDICAO"),
                                 {QStringLiteral("METEXPEDICAO"), QStringLiteral("PERCUSTO")},
                                 {QStringLiteral("Met.Expedição"), QStringLiteral("% Custo")},
                                 QStringLiteral("METEXPEDICAO"), QStringLiteral("Procura Met.Expedição"));
        pair(
            transp, QStringLiteral("METEXP"), QStringLiteral("Edit_MetExp"), QString(), kTabTransport,
            [](Quotation& q) -> double& { return q.transp.METEXP.VALFIXO; },
            [](Quotation& q) -> double& { return q.transp.METEXP.PERC; });
        pair(
            transp, QStringLiteral("SEG"), QStringLiteral("Edit_Seg"), QStringLiteral("Seguro "),
            kTabTransport, [](Quotation& q) -> double& { return q.transp.SEG.VALFIXO; },
            [](Quotation& q) -> double& { return q.transp.SEG.PERC; });
        pair(
            transp, QStringLiteral("DESP"), QStringLiteral("Edit_Desp"), QStringLiteral("Despacho "),
            kTabTransport, [](Quotation& q) -> double& { return q.transp.DESP.VALFIXO; },
            [](Quotation& q) -> double& { return q.transp.DESP.PERC; });

        in = &d.add(cndpgt, QStringLiteral("CNDPGT"), QStringLiteral("Edit_CndPgt"),
                    QStringLiteral("Cond.Pagamento : "), kTabPayment, price, &QuotationScreen::exitCondition,
                    kCodeWidth);
        in->beside = QStringLiteral("Label_CndPgtDes");
        in->rule.lookup = lookup(QuotationLookups::kConditions, QStringLiteral("CODIGO"),
                                 {QStringLiteral("CODIGO"), QStringLiteral("DESCRI"),
                                  QStringLiteral("NRDIAS"), QStringLiteral("PRCDESC")},
                                 {QStringLiteral("Código"), QStringLiteral("Descrição"),
                                  QStringLiteral("Dias"), QStringLiteral("% Desc.")},
                                 QStringLiteral("DESCRI"), QStringLiteral("Procura Cond.Pagamento"));
        in = &d.add(cndpgt, QStringLiteral("CNDPGTDIAS"), QStringLiteral("Edit_CndPgtDias"),
                    QStringLiteral("Dias : "), kTabPayment, price, &QuotationScreen::keepNumber, kDaysWidth);
        in->number = [](Quotation& q) -> double& { return q.cndpgt.CNDPGTDIAS; };
        pair(
            cndpgt, QStringLiteral("CNDPGT"), QStringLiteral("Edit_CndPgt"), QStringLiteral("Desp.Pag. "),
            kTabPayment, [](Quotation& q) -> double& { return q.cndpgt.CNDPGT.VALFIXO; },
            [](Quotation& q) -> double& { return q.cndpgt.CNDPGT.PERC; });
        pair(
            cndpgt, QStringLiteral("PRZ"), QStringLiteral("Edit_Prz"), QStringLiteral("Prazo "), kTabPayment,
            [](Quotation& q) -> double& { return q.cndpgt.PRZ.VALFIXO; },
            [](Quotation& q) -> double& { return q.cndpgt.PRZ.PERC; });
        pair(
            cndpgt, QStringLiteral("DESC"), QStringLiteral("Edit_Desc1"), QStringLiteral("Desconto "),
            kTabPayment, [](Quotation& q) -> double& { return q.cndpgt.DESC.VALFIXO; },
            [](Quotation& q) -> double& { return q.cndpgt.DESC.PERC; });

        percent(desc, QStringLiteral("PRECOPERC"), QStringLiteral("Edit_PrecoPerc"),
                QStringLiteral("Desc. Preço % : "), kTabDiscounts,
                [](Quotation& q) -> double& { return q.desc.PRECO.PERC; });
        percent(desc, QStringLiteral("QTDPERC"), QStringLiteral("Edit_QtdPerc"),
                QStringLiteral("Desc. Quantidade % : "), kTabDiscounts,
                [](Quotation& q) -> double& { return q.desc.QTD.PERC; });
        return d.take();
    }();
    return all;
}

const QuotationInput* QuotationScreen::inputNamed(const QString& input) {
    for (const QuotationInput& in : inputs())
        if (in.rule.input == input)
            return &in;
    return nullptr;
}

} // namespace corvane::quotation
