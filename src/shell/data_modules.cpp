#include "data_modules.h"

#include "shell_tables.h"
#include "version_steps.h"

#include <QDate>
#include <QSqlQuery>

namespace corvane::shell {

using db::Dataset;

TDTDATABASE::TDTDATABASE() = default;

TDTDATABASE::~TDTDATABASE() {
    DbFacturacao.disconnect();
    DbContab.disconnect();
    DbCorvane.disconnect();
}

bool TDTDATABASE::connect(const WorkingContext& ctx, const db::AliasRegistry& registry, QString* error) {
    const QStringList params{ctx.CompanyDbUserParam, ctx.CompanyDbPasswordParam};
    struct Step {
        db::Database* db;
        QString alias;
    } steps[] = {{&DbFacturacao, ctx.InvoicingDatabaseAlias},
                 {&DbContab, ctx.AccountingDatabaseAlias},
                 {&DbCorvane, ctx.ProgramDatabaseAlias}};
    for (Step& s : steps) {
        s.db->setRegistry(&registry);
        s.db->setAlias(s.alias);
        s.db->setParams(params);
        if (!s.db->connect(error))
            return false;
    }
    return true;
}

// --- TDTCORVANE ------------------------------------------------------------

namespace {
Dataset reference(db::Database& db, const char* table, const char* select, const char* key) {
    const QString name = QString::fromLatin1(table);
    return Dataset(db, name, QString::fromLatin1(select), name, {QString::fromLatin1(key)});
}
} // namespace

TDTCORVANE::TDTCORVANE(db::Database& corvane)
    : db(corvane), TIPOCUSTO(reference(db, "TIPOCUSTO", "Select * From TIPOCUSTO ORDER BY CODIGO", "CODIGO")),
      PARGER(reference(db, "PARGER", "Select * From PARGER Order By CODIGO", "CODIGO")),
      OPERACOES(reference(db, "OPERACOES", "Select * From OPERACOES Order By CODIGO", "CODIGO")),
      GRUPOMAQUINAS(reference(db, "GRUPOMAQUINAS", "Select * From GRUPOMAQUINAS  Order By CODIGO", "CODIGO")),
      MAQUINAS(reference(db, "MAQUINAS", "Select * From MAQUINAS  Order By CODIGO", "CODIGO")),
      MAQUINASMP(reference(db, "MAQUINASMP", "Select * From MAQUINASMP Order By MAQNRO", "MAQNRO")),
      TIPOMATERIAL(reference(db, "TIPOMATERIAL", "Select * From TIPOMATERIAL  Order By CODIGO", "CODIGO")),
      TIPOTRABALHO(reference(db, "TIPOTRABALHO", "Select * From TIPOTRABALHO Order By CODIGO", "CODIGO")),
      EMBALAGEM(reference(db, "EMBALAGEM", "Select * From EMBALAGEM Order By CODIGO", "CODIGO")),
      EMBALAGEMMP(reference(db, "EMBALAGEMMP", "Select * From EMBALAGEMMP Order By CODIGO", "CODIGO")) {
    for (Dataset* ds : {&TIPOCUSTO, &PARGER, &OPERACOES, &GRUPOMAQUINAS, &MAQUINAS})
        ds->setReportsErrors(true);
}

// --- TDTVERSAO -------------------------------------------------------------

bool TDTVERSAO::TESTACTUAL_VERSAO(int empNro, QString* error) {
    QString lookupError;
    if (!db.dialect().tableExists(db.sql(), QStringLiteral("ACTUAL_VERSAO"), &lookupError)) {
        if (!lookupError.isEmpty()) {
            if (error)
                *error = lookupError;
            return false;
        }
        db::Table t{QStringLiteral("ACTUAL_VERSAO"),
                    {db::integer("EMPRESA"), db::text("PROGRAMA", 10), db::text("VERSAO", 6),
                     db::datetime("DATULTACT")},
                    {},
                    {},
                    {}};
        if (!db.exec(db.dialect().createTable(t), {}, error))
            return false;
    }
    const auto count = db.scalar(
        QStringLiteral("SELECT COUNT(*) FROM ACTUAL_VERSAO WHERE EMPRESA = :WEMPNRO AND PROGRAMA = 'CORV'"),
        {{QStringLiteral("WEMPNRO"), empNro}}, error);
    if (!count)
        return false;
    if (count->toInt() > 0)
        return true;
    return db.exec(QStringLiteral("INSERT INTO ACTUAL_VERSAO (EMPRESA, PROGRAMA, VERSAO) "
                                  "VALUES (:WEMPNRO, 'CORV', '01.000')"),
                   {{QStringLiteral("WEMPNRO"), empNro}}, error);
}

bool TDTVERSAO::ACTUAL_VERSAO(int empNro, QString* version, QString* error) {
    QSqlQuery q(db.sql());
    if (!db.exec(q,
                 QStringLiteral("SELECT EMPRESA, PROGRAMA, VERSAO, DATULTACT FROM ACTUAL_VERSAO "
                                "WHERE EMPRESA = :WEMPNRO AND PROGRAMA = 'CORV'"),
                 {{QStringLiteral("WEMPNRO"), empNro}}, error))
        return false;
    *version = q.next() ? q.value(2).toString() : QString();
    return true;
}

bool TDTVERSAO::UPACTUAL_VERSAO(const QString& version, const QDate& menuDate, int empNro, QString* error) {
    return db.exec(QStringLiteral("UPDATE ACTUAL_VERSAO SET VERSAO = :WBDVERSAO, DATULTACT = :WMENUDATA "
                                  "WHERE EMPRESA = :WEMPNRO AND PROGRAMA = 'CORV'"),
                   {{QStringLiteral("WBDVERSAO"), version},
                    {QStringLiteral("WMENUDATA"), QDateTime(menuDate, QTime(0, 0))},
                    {QStringLiteral("WEMPNRO"), empNro}},
                   error);
}

bool TDTVERSAO::TABELAS_VERSAO(int step, QString* error) {
    if (step < 1 || step > kLastVersionStep) {
        if (error)
            *error = QStringLiteral("Passo de actualização inexistente : %1").arg(step);
        return false;
    }
    return applyVersionStep(db, versionStep(step), error);
}

namespace {
// Inserts each key that is missing; existing rows are never changed.
bool guardedInserts(db::Database& db, const QString& table, const QStringList& columns,
                    const QList<QStringList>& keys, QString* error) {
    QStringList cond, params;
    for (const QString& c : columns) {
        cond << QStringLiteral("%1 = :%1").arg(c);
        params << QLatin1Char(':') + c;
    }
    const QString exists = QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2").arg(table, cond.join(QStringLiteral(" AND ")));
    const QString insert = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                               .arg(table, columns.join(QLatin1Char(',')), params.join(QLatin1Char(',')));
    for (const QStringList& key : keys) {
        QVariantMap p;
        for (int i = 0; i < columns.size(); ++i)
            p.insert(columns[i], key.value(i));
        const auto n = db.scalar(exists, p, error);
        if (!n)
            return false;
        if (n->toInt() == 0 && !db.exec(insert, p, error))
            return false;
    }
    return true;
}
} // namespace

bool TDTVERSAO::CR_APLICACAOCAP(QString* error) {
    const QString app = QStringLiteral("CORVANE");
    return guardedInserts(db, QStringLiteral("APLICACAOCAP"), {QStringLiteral("APLICACAO"), QStringLiteral("CAPITULO")},
                          {{app, QStringLiteral("Tabelas Especificas")},
                           {app, QStringLiteral("Fichas Tecnicas")},
                           {app, QStringLiteral("Utilitarios")}},
                          error);
}

bool TDTVERSAO::CR_APLICACAOMST(QString* error) {
    const QString app = QStringLiteral("CORVANE");
    const QString fichas = QStringLiteral("Fichas Tecnicas");
    const QString orc = QStringLiteral("Orcamentos");
    return guardedInserts(db, QStringLiteral("APLICACAOMST"),
                          {QStringLiteral("APLICACAO"), QStringLiteral("CAPITULO"), QStringLiteral("PROGRAMA")},
                          {{app, QStringLiteral("Tabelas Especificas"), QStringLiteral("Tipos de Paragem - Producao")},
                           {app, fichas, QStringLiteral("Abertura Ficha Tecnica")},
                           {app, fichas, QStringLiteral("Consulta Ficha Tecnica")},
                           {app, fichas, QStringLiteral("Registo Tecnico Produtos")},
                           {app, orc, QStringLiteral("Elaboracao de Orcamentos")},
                           {app, orc, QStringLiteral("Emissao Orcamento Cliente")},
                           {app, orc, QStringLiteral("Consulta Orcamentos por Cliente")},
                           {app, orc, QStringLiteral("Aprovacao de Orcamentos")}},
                          error);
}

// --- TDTEMPRESAS -----------------------------------------------------------

TDTEMPRESAS::TDTEMPRESAS(db::Database& corvane, db::Database& facturacao)
    : UTIL(corvane, QStringLiteral("UTIL"), QStringLiteral("Select NRO,PASSWOR, SUPUTIL From UTILIZADORES"),
           QStringLiteral("UTILIZADORES"), {QStringLiteral("NRO")}),
      APLICACAOCAP(corvane, QStringLiteral("APLICACAOCAP"), QStringLiteral("Select * From APLICACAOCAP"),
                   QStringLiteral("APLICACAOCAP"), aplicacaoCapTable().primaryKey),
      APLICACAOMST(corvane, QStringLiteral("APLICACAOMST"), QStringLiteral("Select * From APLICACAOMST"),
                   QStringLiteral("APLICACAOMST"), aplicacaoMstTable().primaryKey),
      APLICACAODET(corvane, QStringLiteral("APLICACAODET"), QStringLiteral("Select * From APLICACAODET"),
                   QStringLiteral("APLICACAODET"), aplicacaoDetTable().primaryKey),
      APLICACAODET1(facturacao, QStringLiteral("APLICACAODET1"), QStringLiteral("Select * From APLICACAODET"),
                    QStringLiteral("APLICACAODET"), aplicacaoDetTable().primaryKey),
      PARAMTMP(corvane, QStringLiteral("PARAMTMP"), QStringLiteral("Select * From PARAMTMP"),
               QStringLiteral("PARAMTMP"), {QStringLiteral("UTIL"), QStringLiteral("APLICACAO")}) {
    // Searched in memory: read whole in one statement, in key order, so no
    // row is missed however many there are and whatever others change.
    for (Dataset* ds : {&UTIL, &APLICACAOCAP, &APLICACAOMST, &APLICACAODET, &APLICACAODET1, &PARAMTMP})
        ds->setReadWhole(true);
}

bool TDTEMPRESAS::open(QString* error) {
    for (Dataset* ds : {&APLICACAOCAP, &APLICACAOMST, &APLICACAODET, &APLICACAODET1, &PARAMTMP})
        if (!ds->open(error) || !ds->fetchAll(error))
            return false;
    return true;
}

// --- TDTTABELAS, TDTSTKPRD -------------------------------------------------

TDTTABELAS::TDTTABELAS(db::Database& facturacao, db::Database& /*contab*/)
    : FACPARGER(facturacao, QStringLiteral("FACPARGER"), QStringLiteral("Select * from PARGER Order By ANO"),
                QStringLiteral("PARGER"), {QStringLiteral("ANO")}) {
    FACPARGER.setReportsErrors(true);
    FACPARGER.setReadWhole(true); // the working year's row is searched at sign-on
}

TDTSTKPRD::TDTSTKPRD(db::Database& facturacao)
    : STKARMZ(facturacao, QStringLiteral("STKARMZ"), QStringLiteral("Select * from stkarmazem order by codigo"),
              QStringLiteral("STKARMAZEM"), {QStringLiteral("CODIGO")}) {}

// --- DataModules ------------------------------------------------------------

std::unique_ptr<DataModules> DataModules::create(const WorkingContext& ctx, const db::AliasRegistry& registry,
                                                 QString* error) {
    std::unique_ptr<DataModules> m(new DataModules);
    m->database = std::make_unique<TDTDATABASE>();
    if (!m->database->connect(ctx, registry, error))
        return nullptr;
    TDTDATABASE& d = *m->database;
    m->corvane = std::make_unique<TDTCORVANE>(d.DbCorvane);
    m->versao = std::make_unique<TDTVERSAO>(d.DbCorvane);
    m->empresas = std::make_unique<TDTEMPRESAS>(d.DbCorvane, d.DbFacturacao);
    if (!m->empresas->open(error))
        return nullptr;
    m->tabelas = std::make_unique<TDTTABELAS>(d.DbFacturacao, d.DbContab);
    m->files = std::make_unique<TDTFILES>(d.DbFacturacao);
    m->stkprd = std::make_unique<TDTSTKPRD>(d.DbFacturacao);
    m->gts = std::make_unique<TDTGTS>(d.DbFacturacao);
    m->claims = std::make_unique<db::DocumentClaims>(
        d.DbCorvane, db::ClaimSession::current(ctx.UserCode, ctx.WorkstationName));
    return m;
}

DataModules::~DataModules() {
    claims.reset();
    versao.reset();
    corvane.reset();
    empresas.reset();
    tabelas.reset();
    files.reset();
    stkprd.reset();
    gts.reset();
    database.reset();
}

} // namespace corvane::shell
