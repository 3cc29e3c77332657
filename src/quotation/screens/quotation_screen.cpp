#include "quotation_screen.h"

#include "quotation/report/quotation_report.h"
#include "quotation_search.h"

#include "core/number_input.h"

#include <QSysInfo>

namespace corvane::quotation {

namespace {

const QString kDateFormat = QStringLiteral("dd/MM/yyyy");
const QString kNumberHint =
    QStringLiteral("<INS> Procura Numérica, <CTRL+INS> Procura p/ Cliente, <F1> Procura Selectiva ...");
const QString kCustomerHint = QStringLiteral("<INS> Procura Numérica, <CTRL+INS> Procura Alfabética");

// The inputs of a charge given as a fixed amount or a percent.
struct ChargePair {
    const char* fixed;
    const char* percent;
    FixedOrPercentCharge& (*charge)(Quotation&);
};
const ChargePair kPairs[] = {
    {"Edit_MetExpValFixo", "Edit_MetExpPerc",
     [](Quotation& q) -> FixedOrPercentCharge& { return q.transp.METEXP; }},
    {"Edit_SegValFixo", "Edit_SegPerc", [](Quotation& q) -> FixedOrPercentCharge& { return q.transp.SEG; }},
    {"Edit_DespValFixo", "Edit_DespPerc",
     [](Quotation& q) -> FixedOrPercentCharge& { return q.transp.DESP; }},
    {"Edit_CndPgtValFixo", "Edit_CndPgtPerc",
     [](Quotation& q) -> FixedOrPercentCharge& { return q.cndpgt.CNDPGT; }},
    {"Edit_PrzValFixo", "Edit_PrzPerc", [](Quotation& q) -> FixedOrPercentCharge& { return q.cndpgt.PRZ; }},
    {"Edit_Desc1ValFixo", "Edit_Desc1Perc",
     [](Quotation& q) -> FixedOrPercentCharge& { return q.cndpgt.DESC; }},
};

// The inputs of a charge given as a percent only.
struct PercentInput {
    const char* input;
    PercentCharge& (*charge)(Quotation&);
};
const PercentInput kPercents[] = {
    {"Edit_VndPerc", [](Quotation& q) -> PercentCharge& { return q.com.VND; }},
    {"Edit_AgtPerc", [](Quotation& q) -> PercentCharge& { return q.com.AGT; }},
    {"Edit_RoyPerc", [](Quotation& q) -> PercentCharge& { return q.com.ROY; }},
    {"Edit_PrecoPerc", [](Quotation& q) -> PercentCharge& { return q.desc.PRECO; }},
    {"Edit_QtdPerc", [](Quotation& q) -> PercentCharge& { return q.desc.QTD; }},
};

const QStringList kCustomerPrices{"Edit_PrecoCli1", "Edit_PrecoCli2", "Edit_PrecoCli3"};
const QStringList kQuantities{"Edit_Qtd1", "Edit_Qtd2", "Edit_Qtd3"};

QString numberText(double v) {
    return QString::number(v, 'g', 15);
}
// A charge's input: empty when it holds nothing.
QString chargeText(double v) {
    return v == 0 ? QString() : numberText(v);
}

} // namespace

QuotationScreen::QuotationScreen(QuotationSources sources, QuotationView& view)
    : src_(std::move(sources)), view_(view),
      ownClaims_(src_.claims ? nullptr
                             : std::make_unique<db::DocumentClaims>(
                                   *src_.corvane,
                                   db::ClaimSession::current(src_.userCode, QSysInfo::machineHostName()))),
      claims_(src_.claims ? src_.claims : ownClaims_.get()), store_(*src_.corvane), customers_(*src_.factura),
      history_(*src_.corvane, *src_.factura, src_.userCode, src_.workingYear) {}

QuotationScreen::~QuotationScreen() {
    releaseClaim();
}

bool QuotationScreen::activate(const QuotationRightsOf& rightsOf) {
    const shell::AccessRights rights =
        rightsOf ? rightsOf(QStringLiteral("CORVANE"), kRightsChapter, kRightsProgram)
                 : shell::AccessRights::none();
    deleteVisible_ = rights.ELIMINAR == QLatin1String("S");
    QString error;
    if (!store_.writePriceChart(src_.userCode, {}, &error))
        view_.message(error);
    texts_.insert(QStringLiteral("Edit_Serie"), QStringLiteral("1"));
    texts_.insert(QStringLiteral("Edit_DatOrc"), src_.workingDate.toString(kDateFormat));
    const std::optional<bool> custom = customers_.hasCustomization(&error);
    if (!custom || !*custom) {
        view_.beep();
        view_.message(QStringLiteral("Problemas c/ leitura Tabelas Customizadas"));
    }
    const std::optional<std::optional<int>> decimals = customers_.priceDecimals(src_.workingYear, &error);
    if (!decimals || !*decimals) {
        view_.message(QStringLiteral("Parâmetros Gerais, Inexistentes"));
        return false;
    }
    q_.priceDecimals = **decimals;
    view_.focusField(QStringLiteral("Edit_Serie"));
    view_.refresh();
    return true;
}

void QuotationScreen::setText(const QString& input, const QString& text) {
    // Looking at another run's quotation: only another series or number.
    if (readOnly_ && input != QLatin1String("Edit_Serie") && input != QLatin1String("Edit_OrcNro"))
        return;
    if (input == QLatin1String("Edit_TipoFt") || input == QLatin1String("Edit_Desenho"))
        texts_.insert(input, text.toUpper());
    else
        texts_.insert(input, text);
}

void QuotationScreen::fieldEnter(const QString& input) {
    if (input == QLatin1String("Edit_OrcNro"))
        view_.statusText(0, kNumberHint);
    else if (input == QLatin1String("Edit_CliNro"))
        view_.statusText(0, kCustomerHint);
    else
        view_.statusText(0, QString());
    if (input == QLatin1String("Edit_Serie")) {
        view_.clearHistory();
        cancelling_ = deleting_ = false;
        deleteEnabled_ = priceFields_ = closeEnabled_ = pricePage_ = false;
        // A quotation still open is left by "&Cancelar", closing or deleting.
        leaveEnabled_ = !open_ || readOnly_;
    } else if (input == QLatin1String("Edit_MargLiq")) {
        q_.mode = PriceMode::Margin;
    } else if (kCustomerPrices.contains(input)) {
        q_.mode = PriceMode::Customer;
    }
    view_.refresh();
}

bool QuotationScreen::refuse(const QString& message, const QString& focus) {
    view_.beep();
    view_.message(message);
    if (!focus.isEmpty())
        view_.focusField(focus);
    return false;
}

bool QuotationScreen::failed(const QString& error) {
    view_.message(error);
    return false;
}

bool QuotationScreen::number(const QString& input, double* value, bool refuseNegative) {
    const QString t = texts_.value(input).trimmed();
    *value = 0;
    QString message;
    if (!t.isEmpty() && !readNumber(t, value, &message))
        return refuse(message);
    if (refuseNegative && *value < 0)
        return refuse(kNegativeMessage);
    return true;
}

bool QuotationScreen::fieldExit(const QString& input) {
    if (cancelling_ || deleting_)
        return true;
    bool ok = true;
    if (input == QLatin1String("Edit_Serie"))
        ok = exitSeries();
    else if (input == QLatin1String("Edit_OrcNro"))
        ok = exitNumber();
    else if (!open_ || readOnly_)
        return true;
    else if (input == QLatin1String("Edit_DatOrc"))
        ok = exitDate();
    else if (input == QLatin1String("Edit_CliNro"))
        ok = exitCustomer();
    else if (input == QLatin1String("Edit_TipoFt"))
        ok = exitKind();
    else if (input == QLatin1String("Edit_ArtNro"))
        ok = exitArticle();
    else if (input == QLatin1String("Edit_MargemLiq"))
        ok = exitMargin();
    else if (input == QLatin1String("Edit_Qtd1"))
        ok = exitQuantity1();
    else if (input == QLatin1String("Edit_Qtd2"))
        ok = exitQuantity2();
    else if (input == QLatin1String("Edit_Qtd3"))
        ok = exitQuantity3();
    else if (input == QLatin1String("Edit_Observ1"))
        q_.mas.OBSERV1 = texts_.value(input).left(40);
    else if (input == QLatin1String("Edit_Observ2"))
        q_.mas.OBSERV2 = texts_.value(input).left(40);
    else if (input == QLatin1String("Edit_Desenho"))
        ok = exitDrawing();
    else if (!pricePage_)
        return true;
    else if (input == QLatin1String("Edit_VndNro"))
        ok = exitRepresentative(true);
    else if (input == QLatin1String("Edit_AgtNro"))
        ok = exitRepresentative(false);
    else if (input == QLatin1String("Edit_MetExp"))
        ok = exitMethod();
    else if (input == QLatin1String("Edit_CndPgt"))
        ok = exitCondition();
    else if (input == QLatin1String("Edit_RoyNom"))
        q_.com.ROYNOM = texts_.value(input).left(30);
    else if (input == QLatin1String("Edit_CndPgtDias"))
        ok = number(input, &q_.cndpgt.CNDPGTDIAS, false);
    else
        ok = exitPriceField(input);
    view_.refresh();
    return ok;
}

bool QuotationScreen::lookupChosen(const QString& input, const QString& code) {
    setText(input, code);
    return fieldExit(input);
}

bool QuotationScreen::chooseKind(const QString& kind) {
    if (!lookupChosen(QStringLiteral("Edit_TipoFt"), kind))
        return false;
    view_.focusField(QStringLiteral("Edit_ArtNro"));
    return true;
}

bool QuotationScreen::searchChosen(int number) {
    const QString input = QStringLiteral("Edit_OrcNro");
    if (number < 1) {
        view_.message(kNothingFound);
        view_.focusField(input);
        return false;
    }
    texts_.insert(input, QString::number(number));
    if (!exitNumber())
        return false;
    view_.focusField(QStringLiteral("Edit_DatOrc"));
    return true;
}

bool QuotationScreen::exitSeries() {
    const QString t = texts_.value(QStringLiteral("Edit_Serie")).trimmed();
    bool isNumber = false;
    const int s = t.toInt(&isNumber);
    if (!isNumber || t.size() != 1 || s < 1 || s > kSeriesCount)
        return refuse(kSeriesMessage);
    series_ = s;
    QString error;
    const std::optional<int> proposal = store_.proposeNumber(s, &error);
    if (!proposal)
        return refuse(error);
    proposal_ = *proposal;
    texts_.insert(QStringLiteral("Edit_OrcNro"), QString::number(proposal_));
    return true;
}

void QuotationScreen::take(const QuotationRecord& r) {
    q_.mas = r.mas;
    satellites_ = r.com && r.transp && r.cndpgt && r.desc;
    q_.com = r.com.value_or(OrcamCom{});
    q_.transp = r.transp.value_or(OrcamTransp{});
    q_.cndpgt = r.cndpgt.value_or(OrcamCndPgt{});
    q_.desc = r.desc.value_or(OrcamDesc{});
}

QuotationRecord QuotationScreen::record() const {
    QuotationRecord r;
    r.mas = q_.mas;
    if (satellites_) {
        r.com = q_.com;
        r.transp = q_.transp;
        r.cndpgt = q_.cndpgt;
        r.desc = q_.desc;
    }
    return r;
}

void QuotationScreen::clearTopFields() {
    for (const char* input : {"Edit_CliNro", "Edit_TipoFt", "Edit_ArtNro", "Edit_MargemLiq", "Edit_Qtd1",
                              "Edit_Qtd2", "Edit_Qtd3", "Edit_Observ1", "Edit_Observ2", "Edit_Desenho"})
        texts_.insert(QLatin1String(input), QString());
    customerName_.clear();
    designation_.clear();
    q_.mas.QUANT = {};
    q_.mas.MARGEMLIQ = 0;
}

void QuotationScreen::showTop() {
    const OrcamMas& m = q_.mas;
    texts_.insert(QStringLiteral("Edit_DatOrc"), m.DATAEMI.date().toString(kDateFormat));
    texts_.insert(QStringLiteral("Edit_CliNro"), m.CLINRO ? QString::number(m.CLINRO) : QString());
    texts_.insert(QStringLiteral("Edit_TipoFt"), m.TIPOFT);
    texts_.insert(QStringLiteral("Edit_ArtNro"), m.ARTIGO);
    texts_.insert(QStringLiteral("Edit_MargemLiq"), numberText(m.MARGEMLIQ));
    for (int i = 0; i < 3; ++i)
        texts_.insert(kQuantities[i], numberText(m.QUANT[i]));
    texts_.insert(QStringLiteral("Edit_Observ1"), m.OBSERV1);
    texts_.insert(QStringLiteral("Edit_Observ2"), m.OBSERV2);
    texts_.insert(QStringLiteral("Edit_Desenho"), m.DESENHO);
}

void QuotationScreen::showPrice() {
    for (const ChargePair& p : kPairs) {
        const FixedOrPercentCharge& c = p.charge(q_);
        texts_.insert(QLatin1String(p.fixed), chargeText(c.VALFIXO));
        texts_.insert(QLatin1String(p.percent), chargeText(c.PERC));
    }
    for (const PercentInput& p : kPercents)
        texts_.insert(QLatin1String(p.input), numberText(p.charge(q_).PERC));
    texts_.insert(QStringLiteral("Edit_VndNro"), QString::number(q_.com.VNDNRO));
    texts_.insert(QStringLiteral("Edit_AgtNro"), QString::number(q_.com.AGTNRO));
    texts_.insert(QStringLiteral("Edit_RoyNom"), q_.com.ROYNOM);
    texts_.insert(QStringLiteral("Edit_MetExp"), q_.transp.METEXPCODE);
    texts_.insert(QStringLiteral("Edit_CndPgt"), QString::number(q_.cndpgt.CNDPGTCODE));
    texts_.insert(QStringLiteral("Edit_CndPgtDias"), numberText(q_.cndpgt.CNDPGTDIAS));
    texts_.insert(QStringLiteral("Edit_MargLiq"), numberText(q_.mas.MARGEMLIQ));
    for (int i = 0; i < 3; ++i)
        texts_.insert(kCustomerPrices[i], numberText(q_.mas.PRECOCLI[i]));
}

QString QuotationScreen::levelHeading(int level) const {
    const double qty = q_.mas.QUANT[level - 1];
    return qty > 0 ? QStringLiteral("( ") + numberText(qty) + QStringLiteral(" )") : QString();
}

bool QuotationScreen::exitDate() {
    const QDate d = QDate::fromString(texts_.value(QStringLiteral("Edit_DatOrc")).trimmed(), kDateFormat);
    if (!d.isValid())
        return refuse(
            QStringLiteral("'%1' não é uma data válida").arg(texts_.value(QStringLiteral("Edit_DatOrc"))));
    q_.mas.DATAEMI = QDateTime(d, QTime(0, 0));
    return true;
}

bool QuotationScreen::exitCustomer() {
    const QString t = texts_.value(QStringLiteral("Edit_CliNro")).trimmed();
    bool isNumber = false;
    const int code = t.toInt(&isNumber);
    if (t.isEmpty() || !isNumber)
        return refuse(QStringLiteral("Cliente Inválido"));
    QString error;
    const auto customer = customers_.customer(code, &error);
    if (!customer)
        return failed(error);
    if (!*customer) {
        customerName_ = QStringLiteral("Cliente Inxistente ...");
        return refuse(QStringLiteral("Cliente Inexistente : %1").arg(code));
    }
    customerName_ = (*customer)->NOME;
    if (!mayWrite())
        return false;
    const std::optional<Satellites> defaults = customers_.satellites(code, &error);
    if (!defaults || !store_.setCustomer(number_, code, customerName_, *defaults, &error))
        return failed(error);
    changed_ = true;
    const std::optional<QuotationRecord> stored = store_.read(number_, &error);
    if (!stored)
        return failed(error);
    const OrcamMas mas = q_.mas;
    take(*stored);
    q_.mas = mas;
    q_.mas.CLINRO = code;
    q_.mas.CLINOM = customerName_;
    showCustomerHistory();
    return true;
}

bool QuotationScreen::exitKind() {
    const QString kind = texts_.value(QStringLiteral("Edit_TipoFt")).trimmed().toUpper();
    if (kind != QLatin1String("P") && kind != QLatin1String("T"))
        return refuse(QStringLiteral("Insira <P> para Produto ou <T> para Registo Técnico de Produto !!"));
    q_.mas.TIPOFT = kind;
    return true;
}

bool QuotationScreen::exitArticle() {
    const QString code = texts_.value(QStringLiteral("Edit_ArtNro")).trimmed();
    const bool record = q_.mas.TIPOFT == QLatin1String("T");
    QString error;
    std::optional<std::optional<QString>> article;
    if (!code.isEmpty())
        article = record ? recordArticle(*src_.corvane, code, &error) : customers_.article(code, &error);
    else
        article = std::optional<QString>{};
    if (!article)
        return failed(error);
    if (!*article)
        return refuse(QStringLiteral("Artigo Inexistente ...") + code);
    if (!record) {
        const std::optional<bool> sheet = hasSheet(*src_.corvane, code, &error);
        if (!sheet)
            return failed(error);
        if (!*sheet)
            return refuse(QStringLiteral("Artigo sem Ficha Técnica ...") + code);
    }
    designation_ = **article;
    q_.mas.ARTIGO = code;
    q_.mas.DESIGN = designation_;
    // The design costs are charged the first time a customer buys an article.
    const std::optional<bool> ordered = customers_.hasOrdered(q_.mas.CLINRO, code, &error);
    if (!ordered)
        return failed(error);
    q_.mas.DESENHO = *ordered ? QStringLiteral("N") : QStringLiteral("S");
    texts_.insert(QStringLiteral("Edit_Desenho"), q_.mas.DESENHO);
    if (!buildUnitCosts())
        return false;
    showArticleHistory();
    return true;
}

bool QuotationScreen::exitMargin() {
    const QString input = QStringLiteral("Edit_MargemLiq");
    double m = 0;
    if (!number(input, &m, q_.mode == PriceMode::Margin))
        return false;
    if (m == 0)
        return refuse(QStringLiteral("Indique que margem quer aplicar"));
    const Quotation before = q_;
    q_.mas.MARGEMLIQ = m;
    if (pricePage_ && !calculate()) {
        q_ = before;
        return false;
    }
    return true;
}

bool QuotationScreen::exitQuantity1() {
    q_.mas.QUANT[0] = 0;
    double q1 = 0;
    if (!number(QStringLiteral("Edit_Qtd1"), &q1, true))
        return false;
    if (q1 == 0)
        return refuse(kInvalidQuantity);
    double m = 0;
    if (texts_.value(QStringLiteral("Edit_MargemLiq")).trimmed().isEmpty() ||
        !number(QStringLiteral("Edit_MargemLiq"), &m, q_.mode == PriceMode::Margin))
        return refuse(QStringLiteral("Indique a Margem por favor"), QStringLiteral("Edit_MargemLiq"));
    q_.mas.MARGEMLIQ = m;
    q_.mas.QUANT[0] = q1;
    return true;
}

bool QuotationScreen::exitQuantity2() {
    q_.mas.QUANT[1] = 0;
    const QString input = QStringLiteral("Edit_Qtd2");
    if (texts_.value(input).trimmed().isEmpty()) {
        q_.mas.QUANT[2] = 0; // level 3 is used only with level 2
        return buildUnitCosts();
    }
    double q2 = 0;
    if (!number(input, &q2, true))
        return false;
    if (q2 != 0 && q2 <= q_.mas.QUANT[0])
        return refuse(kInvalidQuantity, QStringLiteral("Edit_Qtd1"));
    q_.mas.QUANT[1] = q2;
    if (q2 == 0)
        q_.mas.QUANT[2] = 0;
    return true;
}

bool QuotationScreen::exitQuantity3() {
    q_.mode = PriceMode::Margin;
    q_.mas.QUANT[2] = 0;
    double q3 = 0;
    if (!number(QStringLiteral("Edit_Qtd3"), &q3, true))
        return false;
    if (q3 != 0 && (q_.mas.QUANT[1] == 0 || q3 <= q_.mas.QUANT[1]))
        return refuse(kInvalidQuantity, QStringLiteral("Edit_Qtd1"));
    if (q_.mas.QUANT[0] <= 0)
        return refuse(kInvalidQuantity, QStringLiteral("Edit_Qtd1"));
    q_.mas.QUANT[2] = q3;
    pricePage_ = true;
    view_.selectPage(kPageQuotation);
    if (!buildUnitCosts() || !calculate()) {
        view_.focusField(QStringLiteral("Edit_OrcNro"));
        return false;
    }
    closeEnabled_ = true;
    view_.focusField(QStringLiteral("Edit_VndNro"));
    return true;
}

bool QuotationScreen::exitDrawing() {
    const QString d = texts_.value(QStringLiteral("Edit_Desenho")).trimmed().toUpper();
    if (d != QLatin1String("S") && d != QLatin1String("N"))
        return refuse(QStringLiteral("Digite [S] ou [N]"));
    q_.mas.DESENHO = d;
    return !pricePage_ || calculate();
}

bool QuotationScreen::exitRepresentative(bool seller) {
    const QString input = seller ? QStringLiteral("Edit_VndNro") : QStringLiteral("Edit_AgtNro");
    int& number = seller ? q_.com.VNDNRO : q_.com.AGTNRO;
    QString& name = seller ? q_.com.VNDNOM : q_.com.AGTNOM;
    double& percent = seller ? q_.com.VND.PERC : q_.com.AGT.PERC;
    number = texts_.value(input).trimmed().toInt();
    name.clear();
    percent = 0;
    if (number == 0) {
        view_.beep();
        calculate();
        view_.focusField(seller ? QStringLiteral("Edit_AgtNro") : QStringLiteral("Edit_RoyNom"));
        return false;
    }
    QString error;
    const auto found = seller ? customers_.seller(number, &error) : customers_.agent(number, &error);
    if (!found)
        return failed(error);
    if (!*found) {
        view_.beep();
        calculate();
        return false;
    }
    name = (*found)->NOME;
    percent = (*found)->PRCCOM.value_or(0);
    return calculate();
}

bool QuotationScreen::exitMethod() {
    const QString code = texts_.value(QStringLiteral("Edit_MetExp")).trimmed();
    FixedOrPercentCharge& shipping = q_.transp.METEXP;
    shipping.PERC = 0;
    shipping.VALFIXO = 0;
    q_.transp.METEXPCODE.clear();
    if (code.isEmpty()) {
        calculate();
        view_.focusField(QStringLiteral("Edit_SegPerc"));
        return false;
    }
    QString error;
    const auto method = customers_.shippingMethod(code, &error);
    if (!method)
        return failed(error);
    if (!*method) {
        view_.beep();
        calculate();
        return false;
    }
    q_.transp.METEXPCODE = (*method)->METEXPEDICAO;
    shipping.PERC = (*method)->PERCUSTO;
    return calculate();
}

bool QuotationScreen::exitCondition() {
    const int code = texts_.value(QStringLiteral("Edit_CndPgt")).trimmed().toInt();
    OrcamCndPgt& c = q_.cndpgt;
    c.CNDPGTCODE = code;
    c.CNDPGTDES.clear();
    c.CNDPGTDIAS = 0;
    c.CNDPGT.PERC = 0;
    if (code == 0) {
        calculate();
        view_.focusField(QStringLiteral("Edit_Desc1ValFixo"));
        return false;
    }
    QString error;
    const auto condition = customers_.paymentCondition(code, &error);
    if (!condition)
        return failed(error);
    if (!*condition) {
        view_.beep();
        calculate();
        return false;
    }
    c.CNDPGTDES = paymentConditionText(**condition);
    c.CNDPGTDIAS = (*condition)->NRDIAS;
    c.DESC.PERC = (*condition)->PRCDESC;
    // A percent chosen clears the fixed amount, as typing it does.
    if (c.DESC.PERC > 0)
        c.DESC.VALFIXO = 0;
    return calculate();
}

bool QuotationScreen::exitPriceField(const QString& input) {
    const bool marginMode = q_.mode == PriceMode::Margin;
    const Quotation before = q_;
    double v = 0;
    bool known = false;
    for (const ChargePair& p : kPairs) {
        FixedOrPercentCharge& c = p.charge(q_);
        if (input == QLatin1String(p.fixed)) {
            if (!number(input, &v, false))
                return false;
            c.VALFIXO = v;
            if (v > 0)
                c.PERC = 0;
            known = true;
        } else if (input == QLatin1String(p.percent)) {
            if (!number(input, &v, marginMode))
                return false;
            c.PERC = v;
            if (v > 0)
                c.VALFIXO = 0;
            known = true;
        }
    }
    for (const PercentInput& p : kPercents) {
        if (input == QLatin1String(p.input)) {
            if (!number(input, &v, marginMode))
                return false;
            p.charge(q_).PERC = v;
            known = true;
        }
    }
    if (input == QLatin1String("Edit_MargLiq")) {
        q_.mode = PriceMode::Margin;
        if (!number(input, &v, true))
            return false;
        q_.mas.MARGEMLIQ = v;
        texts_.insert(QStringLiteral("Edit_MargemLiq"), numberText(v));
        known = true;
    }
    const qsizetype level = kCustomerPrices.indexOf(input);
    if (level >= 0) {
        q_.mode = PriceMode::Customer;
        if (!number(input, &v, false))
            return false;
        q_.mas.PRECOCLI[level] = v;
        known = true;
    }
    if (!known)
        return true;
    if (!calculate()) {
        q_ = before;
        return false;
    }
    if (level == 2 && view_.confirm(kCloseQuestion))
        return closeQuotation();
    return true;
}

bool QuotationScreen::buildUnitCosts() {
    unitFor_ = q_.mas.QUANT;
    if (q_.mas.ARTIGO.isEmpty()) {
        unit_ = UnitCosts{};
        return true;
    }
    Notes notes;
    QString error;
    const std::optional<UnitCosts> unit =
        sheetUnitCosts(*src_.corvane, q_.mas.ARTIGO, q_.mas.TIPOFT, q_.mas.QUANT, notes, &error);
    for (const QString& m : notes.messages) {
        view_.beep();
        view_.message(m);
    }
    if (!unit)
        return failed(error);
    unit_ = *unit;
    return true;
}

bool QuotationScreen::calculate() {
    if (!mayWrite())
        return false;
    // The transformation cost depends on the quantities: built again for new ones.
    if (unitFor_ != q_.mas.QUANT && !buildUnitCosts())
        return false;
    Notes notes;
    LevelValues values;
    if (!calculateQuotation(q_, unit_, values, notes))
        return refuse(notes.messages.join(QLatin1Char('\n')));
    values_ = values;
    q_.mas.VNDNRO = q_.com.VNDNRO;
    q_.mas.CLINOM = customerName_;
    q_.mas.DESIGN = designation_;
    QString error;
    if (!store_.save(record(), &error))
        return failed(error);
    changed_ = true;
    if (!store_.writePriceChart(src_.userCode, priceChartSlices(values_, 1), &error))
        view_.message(error);
    else
        drawPriceChart(1);
    showPrice();
    return true;
}

bool QuotationScreen::closeButton() {
    if (!open_ || !pricePage_ || readOnly_)
        return false;
    q_.mode = PriceMode::Margin;
    priceFields_ = true;
    view_.selectPage(kPageQuotation);
    const bool ok = calculate();
    q_.mas.VNDNRO = q_.com.VNDNRO;
    view_.focusField(QStringLiteral("Edit_MargLiq"));
    view_.refresh();
    return ok;
}

bool QuotationScreen::printQuotation(int number) {
    QString error;
    const std::optional<QuotationPrint> q =
        readQuotationPrint(*src_.corvane, *src_.factura, number, src_.workingYear, &error);
    if (!q)
        return failed(error);
    // The report leaves the chart of its level 1 for the user.
    if (!store_.writePriceChart(src_.userCode, printedChart(*q), &error))
        view_.message(error);
    view_.previewQuotation(*q);
    return true;
}

void QuotationScreen::showCustomerHistory() {
    QString error;
    const std::optional<CustomerPanel> panel = history_.customer(q_.mas.CLINRO, &error);
    if (panel)
        view_.showCustomerHistory(*panel);
    else
        view_.message(error);
}

void QuotationScreen::showArticleHistory() {
    QString error;
    const std::optional<ArticlePanel> panel =
        history_.article(q_.mas.CLINRO, q_.mas.ARTIGO, q_.mas.TIPOFT == QLatin1String("T"), &error);
    if (panel)
        view_.showArticleHistory(*panel);
    else
        view_.message(error);
}

void QuotationScreen::drawPriceChart(int level) {
    QString error;
    const std::optional<QList<ChartSlice>> slices = store_.priceChart(src_.userCode, &error);
    if (slices)
        view_.showPriceChart(level, *slices);
    else
        view_.message(error);
}

bool QuotationScreen::chartButton(int level) {
    if (!open_ || !pricePage_ || level < 1 || level > 3 || q_.mas.QUANT[static_cast<size_t>(level - 1)] <= 0)
        return false;
    QString error;
    if (!store_.writePriceChart(src_.userCode, priceChartSlices(values_, level), &error))
        return failed(error);
    drawPriceChart(level);
    return true;
}

bool QuotationScreen::printButton() {
    return printEnabled() && printQuotation(number_);
}

} // namespace corvane::quotation
