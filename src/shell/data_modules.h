#pragma once

#include "core/working_context.h"
#include "db/database.h"
#include "db/dataset.h"
#include "db/document_claim.h"

#include <memory>

namespace corvane::shell {

// The three company connections, opened in the order invoicing, accounting,
// program database, and closed in the same order.
class TDTDATABASE {
public:
    TDTDATABASE();
    ~TDTDATABASE();
    bool connect(const WorkingContext& ctx, const db::AliasRegistry& registry, QString* error);
    db::Database DbFacturacao{QStringLiteral("DBPRDXFACTUR"), QStringLiteral("CORVANEFACTURA")};
    db::Database DbContab{QStringLiteral("DBPRDXCONTAB"), QStringLiteral("CORVANECONTAB")};
    db::Database DbCorvane{QStringLiteral("DBPRDXCORVANE"), QStringLiteral("CORVANE")};
};

// Shared datasets of the program database: the costing reference tables,
// each with all its columns in table order and buffered updates keyed on the
// key as read. Apply failures of TIPOCUSTO, PARGER, OPERACOES, GRUPOMAQUINAS
// and MAQUINAS go to the update-error dialog.
class TDTCORVANE {
public:
    explicit TDTCORVANE(db::Database& corvane);
    db::Database& db;
    db::Dataset TIPOCUSTO;
    db::Dataset PARGER;
    db::Dataset OPERACOES;
    db::Dataset GRUPOMAQUINAS;
    db::Dataset MAQUINAS;
    db::Dataset MAQUINASMP;
    db::Dataset TIPOMATERIAL;
    db::Dataset TIPOTRABALHO;
    db::Dataset EMBALAGEM;
    db::Dataset EMBALAGEMMP;
};

// The version statements and the guaranteed chapters and programs.
class TDTVERSAO {
public:
    explicit TDTVERSAO(db::Database& corvane) : db(corvane) {}
    // Creates ACTUAL_VERSAO when missing and the company's "01.000" row.
    bool TESTACTUAL_VERSAO(int empNro, QString* error);
    // VERSAO of the company's row, empty when there is none.
    bool ACTUAL_VERSAO(int empNro, QString* version, QString* error);
    bool UPACTUAL_VERSAO(const QString& version, const QDate& menuDate, int empNro, QString* error);
    // Update step n (1 to 8, with UP_VERSAO_007 in step 7), all or nothing.
    bool TABELAS_VERSAO(int step, QString* error);
    bool CR_APLICACAOCAP(QString* error);
    bool CR_APLICACAOMST(QString* error);
    db::Database& db;
};

// Users, rights (read once at sign-on) and the working-context row; each is
// read whole in one statement, in the order of its key.
class TDTEMPRESAS {
public:
    TDTEMPRESAS(db::Database& corvane, db::Database& facturacao);
    bool open(QString* error); // APLICACAOCAP, APLICACAOMST, APLICACAODET, APLICACAODET1, PARAMTMP
    db::Dataset UTIL;
    db::Dataset APLICACAOCAP;
    db::Dataset APLICACAOMST;
    db::Dataset APLICACAODET;
    db::Dataset APLICACAODET1;
    db::Dataset PARAMTMP;
};

// Invoicing reference tables.
class TDTTABELAS {
public:
    TDTTABELAS(db::Database& facturacao, db::Database& contab);
    db::Dataset FACPARGER;
};

// Master files of the invoicing database.
class TDTFILES {
public:
    explicit TDTFILES(db::Database& facturacao) : db(facturacao) {}
    db::Database& db;
};

// Stock tables of the invoicing database.
class TDTSTKPRD {
public:
    explicit TDTSTKPRD(db::Database& facturacao);
    db::Dataset STKARMZ;
};

// Customer receivables.
class TDTGTS {
public:
    explicit TDTGTS(db::Database& facturacao) : db(facturacao) {}
    db::Database& db;
};

// All data modules, created at sign-on in their order and freed at the end of
// the run in the order TDTVERSAO, TDTCORVANE, TDTEMPRESAS, TDTTABELAS,
// TDTFILES, TDTSTKPRD, TDTGTS, TDTDATABASE.
class DataModules {
public:
    static std::unique_ptr<DataModules> create(const WorkingContext& ctx, const db::AliasRegistry& registry,
                                               QString* error);
    ~DataModules();

    std::unique_ptr<TDTDATABASE> database;
    std::unique_ptr<TDTCORVANE> corvane;
    std::unique_ptr<TDTVERSAO> versao;
    std::unique_ptr<TDTEMPRESAS> empresas;
    std::unique_ptr<TDTTABELAS> tabelas;
    std::unique_ptr<TDTFILES> files;
    std::unique_ptr<TDTSTKPRD> stkprd;
    std::unique_ptr<TDTGTS> gts;
    // The documents this run holds in the program database (quotations,
    // technical sheets), given up when the run ends.
    std::unique_ptr<db::DocumentClaims> claims;

private:
    DataModules() = default;
};

} // namespace corvane::shell
