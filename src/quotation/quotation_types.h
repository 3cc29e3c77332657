#pragma once

// The quotation rows the calculation reads and fills (ORCAMMAS, ORCAMCOM,
// ORCAMTRANSP, ORCAMCNDPGT, ORCAMDESC, ORCAMTOT). Per-level columns …1..…3
// are arrays indexed by level - 1.
#include <QString>

#include <array>

namespace corvane::quotation {

using Levels = std::array<double, 3>;

struct OrcamMas {
    Levels QUANT{};
    double MARGEMLIQ = 0;
    QString DESENHO = "S";
    Levels PRCORC{};
    Levels PRECOCLI{};
    Levels VALORCLI{};
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
};

struct OrcamTransp {
    FixedOrPercentCharge METEXP; // shipping
    FixedOrPercentCharge SEG;    // insurance
    FixedOrPercentCharge DESP;   // dispatch
};

struct OrcamCndPgt {
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
