#pragma once

// The candidate rows a step screen offers (WORKFTMAQUINAS, WORKFTARTIGOS) and
// the article columns the steps read (ARTIGOSCLS).
#include <QString>

#include <vector>

namespace corvane::techsheet {

// One WORKFTMAQUINAS row: a machine offered by a step. FITAS is real because
// a loom that is not chosen may weave a fractional number of strips.
struct WorkMachineRow {
    QString CODIGO;
    QString DESIGNACAO;
    QString UNIDADE;
    double LARGURA = 0;
    double CUSTOPADRAO = 0;
    double PRODUCAO1 = 0;
    double ACERTO1 = 0;
    double PRODUCAO2 = 0;
    double ACERTO2 = 0;
    int TIPOPRD = 1;
    double LARG_RAPORT = 0;
    int NROPASSAGENS = 1;
    int RAPORT = 0;
    double FITAS = 0;
    QString OK = "N";
    double QTD = 0;
    double PRECO = 0;
    double CUSTO = 0;
    double QTD_SEMACERTO = 0;

    bool ticked() const { return OK == "S"; }
    double production() const { return TIPOPRD == 1 ? PRODUCAO1 : PRODUCAO2; }
    double setUp() const { return TIPOPRD == 1 ? ACERTO1 : ACERTO2; }
};

// One WORKFTARTIGOS row: an operation or packaging type offered by a step.
struct WorkArticleRow {
    QString CODIGO;
    QString DESIGNACAO;
    QString UNCOMPRA;
    double CUSTOPADRAO = 0;
    QString OK = "N";
    double QTD = 0;
    double PRECO = 0;
    double CUSTO = 0;

    bool ticked() const { return OK == "S"; }
};

// The ARTIGOSCLS columns the yarn steps read.
struct Yarn {
    QString CODIGO;
    QString DESIGNACAO;
    QString UNCOMPRA;
    double NEFIO = 0;
    double CUSTOPADRAO = 0;
};

const Yarn* findYarn(const std::vector<Yarn>& yarns, const QString& code);
int tickedCount(const std::vector<WorkMachineRow>& rows);
// The refusal of a yarn step without exactly one machine ticked.
inline const QString kMachineCountRefused = QStringLiteral("Nº de Teares seleccionado inválido !!!");

} // namespace corvane::techsheet
