#pragma once

#include "db/schema.h"

namespace corvane::reference {

// The costing reference tables as a new program database gets them (version
// "01.000"). The version steps add PARGER's cost types of hangers, fringes,
// sewing, labels, cardboard labels and fabric, EMBALAGEM.TIPOCUSTO and
// EMBALAGEMMP.UND1..UND3, and create OPERACOES.
db::Table tipoCustoTable();
db::Table pargerTable();
db::Table grupoMaquinasTable();
db::Table maquinasTable();
db::Table maquinasMpTable();
db::Table tipoMaterialTable();
db::Table tipoTrabalhoTable();
db::Table embalagemTable();
db::Table embalagemMpTable();

QList<db::Table> referenceBaseTables();

} // namespace corvane::reference
