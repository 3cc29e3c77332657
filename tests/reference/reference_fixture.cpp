#include "reference_fixture.h"

namespace {
const QStringList kTables = {
    "CREATE TABLE TIPOCUSTO (CODIGO integer NOT NULL PRIMARY KEY, DESIGNACAO varchar(40), CLAS smallint, "
    "TU varchar(1), DESPERD float, CLAS_ORC smallint)",
    "CREATE TABLE OPERACOES (CODIGO int NOT NULL, DESIGNACAO varchar(40), TC int NOT NULL, UNIDADE "
    "varchar(3), "
    "TU varchar(1), PRECO float, TIPOCUSTO varchar(7) NOT NULL)",
    "CREATE TABLE GRUPOMAQUINAS (CODIGO smallint NOT NULL PRIMARY KEY, DESIGNACAO varchar(30), TIPOMAQ "
    "smallint)",
    "CREATE TABLE MAQUINAS (CODIGO varchar(10) NOT NULL PRIMARY KEY, DESIGNACAO varchar(40), SIGLA "
    "varchar(12), "
    "CCUSTO varchar(10), GRUPO smallint, COMPRIM integer, LARGURA integer, PRDHOR1 float, PRDHOR2 float, "
    "UNDPRD varchar(3), TEMPO_ACERTO1 float, TEMPO_ACERTO2 float, DESPERDICIO float, PRECO float, "
    "INTERFACE_COD smallint, PAINEL smallint, RAPORT integer, LARG_PENTE float, NROPASSAGENS integer)",
    "CREATE TABLE TIPOMATERIAL (CODIGO smallint NOT NULL PRIMARY KEY, DESIGNACAO varchar(25))",
    "CREATE TABLE TIPOTRABALHO (CODIGO smallint NOT NULL PRIMARY KEY, DESIGNACAO varchar(25), PASSAG_CM "
    "smallint)",
    "CREATE TABLE EMBALAGEM (CODIGO smallint NOT NULL PRIMARY KEY, DESIGNACAO varchar(40), CUSTOFIXO float, "
    "TIPOCUSTO smallint)",
    "CREATE TABLE EMBALAGEMMP (CODIGO smallint NOT NULL PRIMARY KEY, ARTNRO1 varchar(16), DESIGNACAO1 "
    "varchar(40), "
    "QTD1 float, PRECO1 float, ARTNRO2 varchar(16), DESIGNACAO2 varchar(40), QTD2 float, PRECO2 float, "
    "ARTNRO3 varchar(16), DESIGNACAO3 varchar(40), QTD3 float, PRECO3 float, UND1 varchar(3), UND2 "
    "varchar(3), "
    "UND3 varchar(3))",
};

const QStringList kRows = {
    "INSERT INTO TIPOCUSTO VALUES (1, 'Matérias-primas', 1, 'N', 2.5, 1)",
    "INSERT INTO TIPOCUSTO VALUES (20, 'Design', 5, 'V', 0, 2)",
    "INSERT INTO TIPOCUSTO VALUES (40, 'Embalagem', 7, 'N', 1, 6)",
    "INSERT INTO TIPOCUSTO VALUES (7, 'Acabamentos', 4, 'P', 0.75, 2)",
    "INSERT INTO OPERACOES VALUES (12, 'Corte', 5, 'UN', 'N', 0.15, 'X050012')",
    "INSERT INTO OPERACOES VALUES (1000, 'Bordado', 14, 'MT', 'N', 1.2, 'X141000')",
    "INSERT INTO OPERACOES VALUES (3, 'Vaporizar', 7, 'UN', 'P', 2, 'X070003')",
    "INSERT INTO GRUPOMAQUINAS VALUES (1, 'Corte', 1)",
    "INSERT INTO GRUPOMAQUINAS VALUES (2, 'Teares', 4)",
    "INSERT INTO GRUPOMAQUINAS VALUES (3, 'Sem tipo', 0)",
    "INSERT INTO MAQUINAS VALUES ('T01', 'Tear Jacquard', 'TJ1', 'CC10', 2, 1200, 900, 120.5, 100, 'RPM', "
    "15, 10, "
    "2, 0.35, 1, 1, 300, 1.8, 4)",
    "INSERT INTO MAQUINAS VALUES ('C02', 'Máquina de corte', 'MC2', 'CC20', 9, 800, 600, 30, 25, 'UPM', 5, "
    "5, 1, "
    "0.2, 2, 1, 0, 0, 0)",
    "INSERT INTO TIPOMATERIAL VALUES (41, 'Fio acrílico')",
    "INSERT INTO TIPOMATERIAL VALUES (120, 'Caixas')",
    "INSERT INTO TIPOTRABALHO VALUES (1, 'Jacquard', 12)",
    "INSERT INTO TIPOTRABALHO VALUES (2, 'Liso', 8)",
    "INSERT INTO EMBALAGEM VALUES (1, 'Caixa individual', 0.5, 40)",
    "INSERT INTO EMBALAGEM VALUES (2, 'Saco', 0.1, 40)",
    "INSERT INTO EMBALAGEMMP VALUES (1, 'CX001', 'Caixa cartão', 1, 0.3, 'SD01', 'Papel seda', 2, 0.02, "
    "NULL, NULL, "
    "NULL, NULL, 'UN', 'FL', NULL)",
};
} // namespace

ReferenceFixture::ReferenceFixture() : registry_(dir_.path()) {
    corvane::db::AliasTarget target;
    target.file = dir_.filePath(QStringLiteral("corvane.db"));
    registry_.set(QStringLiteral("TESTE"), target);
    db_ = std::make_unique<corvane::db::Database>(QStringLiteral("DBPRDXCORVANE"), QStringLiteral("TESTE"));
    db_->setRegistry(&registry_);
    ok_ = db_->connect(&error_, true) && exec(kTables) && exec(kRows);
}

bool ReferenceFixture::exec(const QStringList& statements) {
    for (const QString& sql : statements)
        if (!db_->exec(sql, {}, &error_))
            return false;
    return true;
}

std::unique_ptr<corvane::db::Dataset> ReferenceFixture::dataset(const QString& table) {
    return std::make_unique<corvane::db::Dataset>(
        *db_, table, QStringLiteral("Select * From %1 Order By CODIGO").arg(table));
}
