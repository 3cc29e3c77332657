#include "quotation_defaults.h"

namespace corvane::quotation {

QString paymentConditionText(const PaymentCondition& condition) {
    const QString kind = condition.TIPDOC.trimmed().toUpper();
    if (kind == QLatin1String("C"))
        return QStringLiteral("Cheque");
    if (kind == QLatin1String("L"))
        return QStringLiteral("Letra");
    if (kind == QLatin1String("T"))
        return QStringLiteral("Transferência");
    if (kind == QLatin1String("D"))
        return QStringLiteral("Dinheiro");
    return condition.DESCRI;
}

Satellites customerSatellites(const CustomerDefaults& customer) {
    Satellites s;
    s.com.VNDNRO = customer.VENDEDOR;
    if (customer.seller) {
        s.com.VNDNOM = customer.seller->NOME;
        s.com.VND.PERC = customer.seller->PRCCOM.value_or(0);
    }
    s.com.AGTNRO = customer.AGENTE;
    if (customer.agent) {
        s.com.AGTNOM = customer.agent->NOME;
        s.com.AGT.PERC = customer.agent->PRCCOM.value_or(0);
    }
    if (customer.method) {
        s.transp.METEXPCODE = customer.method->METEXPEDICAO;
        s.transp.METEXP.PERC = customer.method->PERCUSTO;
    }
    s.cndpgt.CNDPGTCODE = customer.CNDPGT;
    if (customer.condition) {
        s.cndpgt.CNDPGTDES = paymentConditionText(*customer.condition);
        s.cndpgt.CNDPGTDIAS = customer.condition->NRDIAS;
        s.cndpgt.DESC.PERC = customer.condition->PRCDESC;
    }
    return s;
}

} // namespace corvane::quotation
