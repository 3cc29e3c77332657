#include "demo_site.h"

#include "demo_photos.h"

#include "costing_outside_tables.h"

#include "core/site.h"
#include "core/working_context.h"
#include "shell/version_update.h"

#include <QDate>
#include <QDir>
#include <QFile>

namespace corvane::setup {

QList<ProgramKey> allProgramKeys() {
    const QString corv = QStringLiteral("CORVANE");
    const QString base = QStringLiteral("MODULO BASE");
    const QString tab = QStringLiteral("Tabelas Especificas");
    const QString fic = QStringLiteral("Fichas Tecnicas");
    const QString orc = QStringLiteral("Orcamentos");
    const QString tabelas = QStringLiteral("Tabelas");
    QList<ProgramKey> keys;
    for (const char* p :
         {"Parametros Gerais", "Tipos de Custos", "Operacoes", "Grupo de Maquinas", "Maquinas",
          "Tipo de Material", "Tipo de Trabalho", "Tipos de Embalagens", "Tipos de Paragem - Producao"})
        keys << ProgramKey{corv, tab, QString::fromUtf8(p)};
    for (const char* p : {"Abertura Ficha Tecnica", "Consulta Ficha Tecnica", "Registo Tecnico Produtos"})
        keys << ProgramKey{corv, fic, QString::fromUtf8(p)};
    for (const char* p : {"Elaboracao de Orcamentos", "Emissao Orcamento Cliente",
                          "Consulta Orcamentos por Cliente", "Aprovacao de Orcamentos"})
        keys << ProgramKey{corv, orc, QString::fromUtf8(p)};
    for (const char* p :
         {"Familias de Artigos", "Posicoes Pautais", "Composicoes de Artigos", "I.V.A.", "Comissoes"})
        keys << ProgramKey{base, tabelas, QString::fromUtf8(p)};
    for (int n = 1; n <= 9; ++n)
        keys << ProgramKey{base, tabelas, QStringLiteral("Custom. Artigos %1").arg(n)};
    keys << ProgramKey{base, QStringLiteral("Ficheiros Base"), QStringLiteral("Artigos")};
    return keys;
}

namespace {

using RightOf = std::function<QString(const ProgramKey&, const QString& right)>;

bool insertChaptersAndPrograms(db::Database& corvane, QString* error) {
    QStringList chaptersDone;
    for (const ProgramKey& k : allProgramKeys()) {
        const QString chapterKey = k.application + QLatin1Char('|') + k.chapter;
        if (!chaptersDone.contains(chapterKey)) {
            chaptersDone << chapterKey;
            if (!corvane.exec(
                    QStringLiteral("INSERT INTO APLICACAOCAP (APLICACAO, CAPITULO) VALUES (:A, :C)"),
                    {{QStringLiteral("A"), k.application}, {QStringLiteral("C"), k.chapter}}, error))
                return false;
        }
        if (!corvane.exec(QStringLiteral(
                              "INSERT INTO APLICACAOMST (APLICACAO, CAPITULO, PROGRAMA) VALUES (:A, :C, :P)"),
                          {{QStringLiteral("A"), k.application},
                           {QStringLiteral("C"), k.chapter},
                           {QStringLiteral("P"), k.program}},
                          error))
            return false;
    }
    return true;
}

bool insertRights(db::Database& corvane, const QString& user, int company, const RightOf& rightOf,
                  QString* error) {
    for (const ProgramKey& k : allProgramKeys()) {
        QVariantMap row{{QStringLiteral("A"), k.application},
                        {QStringLiteral("C"), k.chapter},
                        {QStringLiteral("P"), k.program},
                        {QStringLiteral("E"), company},
                        {QStringLiteral("U"), user}};
        for (const char* r : {"ACEDER", "INSERIR", "ALTERAR", "ELIMINAR", "IMPORTAR", "IMPRIMIR", "ARQUIVAR",
                              "MAIL", "SCANNER"})
            row.insert(QString::fromLatin1(r), rightOf(k, QString::fromLatin1(r)));
        if (!corvane.exec(
                QStringLiteral(
                    "INSERT INTO APLICACAODET (APLICACAO, CAPITULO, PROGRAMA, EMPNRO, UTIL, ACEDER, "
                    "INSERIR, ALTERAR, ELIMINAR, IMPORTAR, IMPRIMIR, ARQUIVAR, MAIL, SCANNER) "
                    "VALUES (:A, :C, :P, :E, :U, :ACEDER, :INSERIR, :ALTERAR, :ELIMINAR, "
                    ":IMPORTAR, :IMPRIMIR, :ARQUIVAR, :MAIL, :SCANNER)"),
                row, error))
            return false;
    }
    return true;
}

// The version update without a screen: its failure becomes the error.
struct QuietUpdateView : shell::VersionUpdateView {
    QString failureText;
    void statusText(const QString&) override {}
    void showVersion(const QString&) override {}
    void showFinished(const QString&) override {}
    void failure(const QString& message) override { failureText = message; }
};

bool bringToProgramVersion(db::Database& corvane, int company, const QDate& today, QString* error) {
    shell::TDTVERSAO versao(corvane);
    WorkingContext ctx;
    ctx.CompanyNumber = company;
    ctx.WorkingDate = QDateTime(today, QTime(0, 0));
    ctx.ProgramVersion = QString::fromLatin1(WorkingContext::kProgramVersion);
    if (!versao.TESTACTUAL_VERSAO(company, error) ||
        !versao.ACTUAL_VERSAO(company, &ctx.DatabaseVersion, error))
        return false;
    QuietUpdateView view;
    if (shell::VersionUpdate(versao, ctx, view).run())
        return true;
    if (error)
        *error = view.failureText;
    return false;
}

} // namespace

bool createDemoSite(SiteBuilder& builder, const QString& workstation, const QDate& today, QString* error,
                    DemoCompany level) {
    if (!builder.createSite(error))
        return false;
    CompanySpec company;
    company.number = 1;
    company.name = QStringLiteral("Malhas e Tecidos do Vale, Lda.");
    company.programAlias = QStringLiteral("CORVANE01");
    company.invoicingAlias = QStringLiteral("CORVANEFACTURA01");
    company.accountingAlias = QStringLiteral("CORVANECONTAB01");
    if (!builder.createCompany(company, error))
        return false;

    db::Database& geral = builder.general();
    const QString year = QString::number(today.year());
    struct Person {
        QString code, password, name, superUser;
    };
    const QList<Person> people = {
        {kDemoUser, kDemoPassword, QStringLiteral("Utilizador de Demonstração"), QStringLiteral("S")},
        {QStringLiteral("ANA"), QStringLiteral("ANA2026"), QStringLiteral("Ana Ribeiro (Orçamentação)"),
         QStringLiteral("N")},
    };
    for (const Person& p : people)
        if (!geral.exec(QStringLiteral("INSERT INTO UTILPASSWORD (UTIL, EMPRESA, BDUSERNAME, BDPASSWORD) "
                                       "VALUES (:U, :E, :N, :P)"),
                        {{QStringLiteral("U"), p.code},
                         {QStringLiteral("E"), company.number},
                         {QStringLiteral("N"), company.dbUser},
                         {QStringLiteral("P"), company.dbPassword}},
                        error))
            return false;
    if (!geral.exec(
            QStringLiteral("INSERT INTO PARAMUTIL (COMP_NAME, UTIL, EMPNRO, APLICACAO, ANO, DATA, PASSWOR) "
                           "VALUES (:C, :U, :E, 'CORVANE', :A, :D, :P)"),
            {{QStringLiteral("C"), workstation.left(30)},
             {QStringLiteral("U"), kDemoUser},
             {QStringLiteral("E"), company.number},
             {QStringLiteral("A"), year},
             {QStringLiteral("D"), QDateTime(today, QTime(0, 0))},
             {QStringLiteral("P"), kDemoPassword}},
            error))
        return false;
    auto corvane = builder.connectCompany(company, company.programAlias, error);
    auto factura = builder.connectCompany(company, company.invoicingAlias, error);
    if (!corvane || !factura)
        return false;
    for (const Person& p : people)
        if (!corvane->exec(
                QStringLiteral("INSERT INTO UTILIZADORES (NRO, PASSWOR, NOM, DATABERT, SUPUTIL, SPECIAL, "
                               "TIPO_EMAIL) VALUES (:N, :P, :M, :D, :S, 'N', 0)"),
                {{QStringLiteral("N"), p.code},
                 {QStringLiteral("P"), p.password},
                 {QStringLiteral("M"), p.name},
                 {QStringLiteral("D"), QDateTime(today.addYears(-1), QTime(0, 0))},
                 {QStringLiteral("S"), p.superUser}},
                error))
            return false;

    // The demo user may do everything but approve quotations; Ana quotes and
    // consults, and only reads and prints the costing tables.
    const RightOf demoRights = [](const ProgramKey& k, const QString&) {
        return k.program == QLatin1String("Aprovacao de Orcamentos") ? QStringLiteral("N")
                                                                     : QStringLiteral("S");
    };
    const RightOf anaRights = [](const ProgramKey& k, const QString& right) {
        if (k.chapter == QLatin1String("Orcamentos"))
            return k.program == QLatin1String("Aprovacao de Orcamentos") ? QStringLiteral("N")
                                                                         : QStringLiteral("S");
        if (k.chapter == QLatin1String("Tabelas Especificas"))
            return right == QLatin1String("ACEDER") || right == QLatin1String("IMPRIMIR")
                       ? QStringLiteral("S")
                       : QStringLiteral("N");
        return QStringLiteral("N");
    };
    if (!insertChaptersAndPrograms(*corvane, error) ||
        !insertRights(*corvane, kDemoUser, company.number, demoRights, error) ||
        !insertRights(*corvane, QStringLiteral("ANA"), company.number, anaRights, error))
        return false;
    if (level == DemoCompany::Ready && (!bringToProgramVersion(*corvane, company.number, today, error) ||
                                        !insertDemoReference(*corvane, error)))
        return false;
    // The demo user may run upgrades; Ana may not.
    if (level == DemoCompany::Ready &&
        !corvane->exec(QStringLiteral("UPDATE UTILIZADORES SET UPGRADE_LICENSE = 'S' WHERE NRO = :N"),
                       {{QStringLiteral("N"), kDemoUser}}, error))
        return false;
    if (!writeUpgradeFolder(builder.root(), QString::fromLatin1(WorkingContext::kProgramVersion), error))
        return false;

    const QString photos = QDir(builder.root()).filePath(QStringLiteral("Fotos"));
    const QString info = QDir(builder.root()).filePath(QStringLiteral("Informacoes"));
    QDir().mkpath(photos);
    QDir().mkpath(info);
    if (!writeDemoPhotos(photos, QStringLiteral(".jpg"), error))
        return false;
    for (int y : {today.year() - 1, today.year()})
        if (!factura->exec(
                QStringLiteral("INSERT INTO PARGER (ANO, STOCKS, ENCOMENDAS, CONTABILIDADE, PATHFOTO, "
                               "PATHINFARTIGOS, EXTFOTO, PRC_DECIMAIS, CODANLSEQ) VALUES (:A, 'S', 'S', "
                               "'S', :F, :I, '.jpg', 2, 'S')"),
                {{QStringLiteral("A"), QString::number(y)},
                 {QStringLiteral("F"), photos},
                 {QStringLiteral("I"), info}},
                error))
            return false;

    auto contab = builder.connectCompany(company, company.accountingAlias, error);
    if (!contab || !insertDemoInvoicingRows(*factura, error) ||
        !insertDemoAccountingRows(*contab, today.year(), error) ||
        !insertDemoArticles(*factura, *contab, today, error) || !insertDemoCustomers(*factura, error) ||
        (level == DemoCompany::Ready && (!insertDemoSheets(*corvane, *factura, error) ||
                                         !insertDemoQuotations(*corvane, *factura, today, error) ||
                                         !insertDemoHistory(*factura, today, error))))
        return false;

    Site site(builder.root());
    return writeSiteText(site.workstationNameFile(), workstation.left(30) + QLatin1Char('\n'), error) &&
           writeSiteText(site.workstationTypeFile(), QStringLiteral("S\n"), error);
}

} // namespace corvane::setup
