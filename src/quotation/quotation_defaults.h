#pragma once

// The satellite rows a quotation gets from its customer: seller and agent
// with their commission percents, shipping method, payment condition.
#include "quotation_types.h"

#include <optional>

namespace corvane::quotation {

// A seller or an agent (VENDEDORES, AGENTES) and the percent of its
// commission code (COMISSOES.PRCCOM; nullopt when the code does not exist).
struct Representative {
    int CODIGO = 0;
    QString NOME;
    std::optional<double> PRCCOM;
};

struct PaymentCondition {
    int CODIGO = 0;
    double NRDIAS = 0;
    QString DESCRI;
    double PRCDESC = 0;
    QString TIPDOC;
};

struct ShippingMethod {
    QString METEXPEDICAO;
    double PERCUSTO = 0;
};

// What a customer's defaults lead to; a default that names a row that does
// not exist is empty.
struct CustomerDefaults {
    int CODIGO = 0;
    QString NOME;
    int VENDEDOR = 0, AGENTE = 0, CNDPGT = 0;
    QString METEXPEDICAO;
    std::optional<Representative> seller, agent;
    std::optional<PaymentCondition> condition;
    std::optional<ShippingMethod> method;
};

struct Satellites {
    OrcamCom com;
    OrcamTransp transp;
    OrcamCndPgt cndpgt;
    OrcamDesc desc;
};

// The payment condition's description as the quotation shows it: "Cheque",
// "Letra", "Transferência" or "Dinheiro" for the document types "C", "L",
// "T", "D", otherwise its own description.
QString paymentConditionText(const PaymentCondition& condition);

// The four satellite rows of a new quotation of the customer: seller and agent
// (names empty and percents 0 when they do not exist, percent 0 when their
// commission code does not exist), the shipping method and its percent (code
// emptied when the method does not exist), the payment condition with its
// description, days and early-payment discount; every other charge 0.
Satellites customerSatellites(const CustomerDefaults& customer);

} // namespace corvane::quotation
