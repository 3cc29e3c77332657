#pragma once

// The quotation rows (ORCAMMAS, ORCAMCOM, ORCAMTRANSP, ORCAMCNDPGT,
// ORCAMDESC, ORCAMTOT): the columns the calculation reads and fills, and
// those the quotation store keeps beside them. Per-level columns …1..…3 are
// arrays indexed by level - 1.
#include <QDateTime>
#include <QString>

#include <array>

namespace corvane::quotation {

using Levels = std::array<double, 3>;

// Approval is one rule everywhere: a quotation is approved when APROVADO
// holds "S" (either case, blanks aside); "N", an empty text and NULL are
// pending. The approval itself is made outside this program.
inline bool isApproved(const QString& aprovado) {
    return aprovado.trimmed().toUpper() == QLatin1String("S");
}
// The same rule as SQL conditions on ORCAMMAS, one text for both backends.
inline const QString kApprovedCondition = QStringLiteral("UPPER(TRIM(COALESCE(APROVADO, 'N'))) = 'S'");
inline const QString kPendingCondition = QStringLiteral("UPPER(TRIM(COALESCE(APROVADO, 'N'))) <> 'S'");

struct OrcamMas {
    Levels QUANT{};
    double MARGEMLIQ = 0;
    QString DESENHO = "S";
    Levels PRCORC{};
    Levels PRECOCLI{};
    Levels VALORCLI{};

    int ORCNRO = 0;
    int CLINRO = 0;
    QString ARTIGO;
    QDateTime DATAEMI;
    QString OBSERV1, OBSERV2;
    int VNDNRO = 0;
    QString CLINOM;
    QString DESIGN;
    QString PRINTE = "N";
    QString MANUAL_AUTO = "M";
    QString TIPOFT = "P"; // "P" product, "T" technical product record
    // Approval and ordering: set outside this program, only read here.
    QString APROVADO = "N";
    QDateTime DATAAPROV;
    double PRECOAPROV = 0, VALORAPROV = 0, QTDAPROV = 0, MARGEMAPROVPRC = 0, MARGEMAPROVVAL = 0;
    QString ENCANO, ENCSEMANA;
    int ENCCNRO = 0;

    bool approved() const { return isApproved(APROVADO); }
};

// A charge given as a percent of the sale value only (commissions, discounts):
// X PERC and XVALTOT1..3.
struct PercentCharge {
    double PERC = 0;
    Levels VALTOT{};
};

// A charge given as a fixed amount or a percent: XVALFIXO, XPERC, XVALTOT1..3.
struct FixedOrPercentCharge {
    double VALFIXO = 0;
    double PERC = 0;
    Levels VALTOT{};
};

struct OrcamCom {
    int VNDNRO = 0;
    PercentCharge VND; // seller
    PercentCharge AGT; // agent
    PercentCharge ROY; // royalty
    QString VNDNOM;
    int AGTNRO = 0;
    QString AGTNOM;
    int ROYNRO = 0;
    QString ROYNOM;
};

struct OrcamTransp {
    QString METEXPCODE;          // column METEXP: the shipping method
    FixedOrPercentCharge METEXP; // shipping
    FixedOrPercentCharge SEG;    // insurance
    FixedOrPercentCharge DESP;   // dispatch
};

struct OrcamCndPgt {
    int CNDPGTCODE = 0;          // column CNDPGT: the payment condition
    QString CNDPGTDES;           // its description
    double CNDPGTDIAS = 0;       // its days
    FixedOrPercentCharge CNDPGT; // payment expenses
    FixedOrPercentCharge PRZ;    // payment term
    FixedOrPercentCharge DESC;   // early-payment discount
};

struct OrcamDesc {
    PercentCharge PRECO; // price discount
    PercentCharge QTD;   // quantity discount
};

struct OrcamTot {
    Levels MATERIAIS{}, TRANSFORM{}, CUSTFIXOS{}, SUBCONT{}, DESPERDIC{}, QUALIDADE{}, ESTRUTURA{},
        EMBALAGEM{}, COMISSOES{}, TRANSPORT{}, CONDPAGAM{}, DESCONTOS{}, MARGEMLIQ{}, MARGEMPRC{};
};

} // namespace corvane::quotation
