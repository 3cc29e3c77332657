#include "signon.h"

#include "db/dataset.h"

namespace corvane::shell {

using db::Dataset;

bool SignOn::fail(const QString& message) {
    view_.beep();
    view_.message(message);
    return false;
}

bool SignOn::MudEmpr(std::unique_ptr<DataModules>& modules) {
    QString error;
    db::Database& geral = *deps_.dbGeral;

    // 1. The general database, with the credential library's user and password.
    db::GeneralCredentials cred;
    if (!deps_.credentials(&cred, &error))
        return fail(error);
    geral.setParams({QStringLiteral("USER NAME=") + cred.userName, QStringLiteral("PASSWORD=") + cred.password});
    geral.setRegistry(deps_.registry);
    if (!geral.connect(&error))
        return fail(error);

    // 2. The workstation's row.
    Dataset paramUtil(geral, QStringLiteral("PARAMUTIL"),
                      QStringLiteral("Select * from PARAMUTIL Where APLICACAO = :XAplStr and COMP_NAME = :XCompStr"));
    paramUtil.setParam(QStringLiteral("XAplStr"), ctx_.ApplicationCode);
    paramUtil.setParam(QStringLiteral("XCompStr"), ctx_.WorkstationName);
    if (!paramUtil.open(&error))
        return fail(error);
    const bool hasRow = paramUtil.rowCount() > 0;
    const int empNro = hasRow ? paramUtil.integer(0, QStringLiteral("EMPNRO")) : 0;

    // 3. The company.
    Dataset empresas(geral, QStringLiteral("EMPRESAS"), QStringLiteral("Select * from EMPRESAS Order By EMPNRO"));
    if (!empresas.open(&error))
        return fail(error);
    const int emp = empresas.locate(QStringLiteral("EMPNRO"), empNro, &error);
    if (!error.isEmpty())
        return fail(error);
    if (emp < 0)
        return fail(QStringLiteral("Empresa Inexistente : ") + QString::number(empNro));

    // 4. The working context.
    ctx_.UserCode = hasRow ? paramUtil.text(0, QStringLiteral("UTIL")).left(15) : QString();
    ctx_.WorkingDate = hasRow ? paramUtil.dateTime(0, QStringLiteral("DATA")) : QDateTime();
    ctx_.WorkingYear = hasRow ? paramUtil.text(0, QStringLiteral("ANO")).left(4) : QString();
    const QString paramPassword = hasRow ? paramUtil.text(0, QStringLiteral("PASSWOR")) : QString();
    ctx_.CompanyName = empresas.text(emp, QStringLiteral("NOME"));
    ctx_.CompanyNumber = empresas.integer(emp, QStringLiteral("EMPNRO"));
    ctx_.CompanyLogoPath = empresas.text(emp, QStringLiteral("PATHFOTOSLOGO"));
    ctx_.ProgramDatabaseAlias = empresas.text(emp, QStringLiteral("BDESPECIF01"));
    ctx_.InvoicingDatabaseAlias = empresas.text(emp, QStringLiteral("BDFACTURA"));
    ctx_.AccountingDatabaseAlias = empresas.text(emp, QStringLiteral("BDCONTAB"));

    // 5. The three aliases.
    if (ctx_.ProgramDatabaseAlias.isEmpty())
        return fail(QStringLiteral("Base de Dados Específica Inexistente ..."));
    if (ctx_.InvoicingDatabaseAlias.isEmpty())
        return fail(QStringLiteral("Base de Dados Facturação Inexistente ..."));
    if (ctx_.AccountingDatabaseAlias.isEmpty())
        return fail(QStringLiteral("Base de Dados Contabilidade Inexistente ..."));

    // 6. The user's credentials for the company databases.
    {
        Dataset utilPassword(geral, QStringLiteral("UTILPASSWORD"),
                             QStringLiteral("Select * from UTILPASSWORD Where UTIL = :WUtil and EMPRESA = :WEmpNro"));
        utilPassword.setParam(QStringLiteral("WUtil"), ctx_.UserCode);
        utilPassword.setParam(QStringLiteral("WEmpNro"), ctx_.CompanyNumber);
        if (!utilPassword.open(&error))
            return fail(error);
        const int row = utilPassword.locate({QStringLiteral("UTIL"), QStringLiteral("EMPRESA")},
                                            {ctx_.UserCode, ctx_.CompanyNumber}, &error);
        if (!error.isEmpty())
            return fail(error);
        if (row < 0 || utilPassword.text(row, QStringLiteral("BDUSERNAME")).isEmpty())
            return fail(QStringLiteral("Problemas com o acesso à empresa !! Contacte o seu Gestor de Sistema"));
        ctx_.CompanyDbUserParam = QStringLiteral("USER NAME=") + utilPassword.text(row, QStringLiteral("BDUSERNAME"));
        ctx_.CompanyDbPasswordParam = QStringLiteral("PASSWORD=") + utilPassword.text(row, QStringLiteral("BDPASSWORD"));
    }

    // 7. The data modules (which connect the company databases).
    modules.reset();
    modules = DataModules::create(ctx_, *deps_.registry, &error);
    if (!modules)
        return fail(error);

    // 8. The user and the password.
    Dataset& util = modules->empresas->UTIL;
    if (!util.open(&error))
        return fail(error);
    const int user = util.locate(QStringLiteral("NRO"), ctx_.UserCode, &error);
    if (!error.isEmpty()) {
        util.close();
        return fail(error);
    }
    if (user < 0) {
        util.close();
        return fail(QStringLiteral("Utilizador Inexistente : ") + ctx_.UserCode);
    }
    if (util.text(user, QStringLiteral("PASSWOR")) != paramPassword) {
        util.close();
        return fail(QStringLiteral("Palavra-passe Inválida"));
    }
    ctx_.SuperUserFlag = util.text(user, QStringLiteral("SUPUTIL")).left(1);
    util.close();

    // 9. The invoicing parameters of the working year.
    {
        Dataset& parger = modules->tabelas->FACPARGER;
        const QString year = ctx_.WorkingYear;
        parger.setRowFilter([year](const Dataset& ds, const QVariantList& values) {
            return values.value(ds.fieldIndex(QStringLiteral("ANO"))).toString() == year;
        });
        if (!parger.open(&error))
            return fail(error);
        ctx_.PhotoExtension = QStringLiteral(".Bmp");
        ctx_.ArticleInfoPath.clear();
        const int row = parger.locate(QStringLiteral("ANO"), ctx_.WorkingYear, &error);
        if (!error.isEmpty()) {
            parger.close();
            parger.setRowFilter({});
            return fail(error);
        }
        if (row >= 0) {
            const QString ext = parger.text(row, QStringLiteral("EXTFOTO"));
            if (!ext.isEmpty())
                ctx_.PhotoExtension = ext.left(4);
            const QString info = parger.text(row, QStringLiteral("PATHINFARTIGOS"));
            if (!info.isEmpty())
                ctx_.ArticleInfoPath = info;
        } else {
            view_.beep();
            view_.message(QStringLiteral("Parâmetros Gerais Gestão Comercial Inexistentes ..."));
        }
        parger.close();
        parger.setRowFilter({});
    }

    // 10. The database version.
    TDTVERSAO& versao = *modules->versao;
    if (!versao.TESTACTUAL_VERSAO(ctx_.CompanyNumber, &error) ||
        !versao.ACTUAL_VERSAO(ctx_.CompanyNumber, &ctx_.DatabaseVersion, &error))
        return fail(error);
    ctx_.ProgramVersion = QString::fromLatin1(WorkingContext::kProgramVersion);
    if (ctx_.ProgramVersion != ctx_.DatabaseVersion) {
        if (!deps_.updateVersion || !deps_.updateVersion(*modules))
            return false;
    }

    // 11. The program's chapters and programs.
    if (!versao.CR_APLICACAOCAP(&error) || !versao.CR_APLICACAOMST(&error))
        return fail(error);

    // 12. The working context's row (the menu entries are the view's part).
    if (!CreateParamTmp(*modules->empresas, ctx_, &error))
        return fail(error);
    return true;
}

int findParamTmp(TDTEMPRESAS& m, const WorkingContext& ctx) {
    return m.PARAMTMP.locate({QStringLiteral("UTIL"), QStringLiteral("APLICACAO")},
                             {ctx.UserCode, ctx.ApplicationCode});
}

bool CreateParamTmp(TDTEMPRESAS& m, const WorkingContext& ctx, QString* error) {
    Dataset& p = m.PARAMTMP;
    if (!p.isOpen() && !p.open(error))
        return false;
    if (findParamTmp(m, ctx) >= 0)
        return true;
    const int row = p.append();
    p.setValue(row, QStringLiteral("UTIL"), ctx.UserCode);
    p.setValue(row, QStringLiteral("APLICACAO"), ctx.ApplicationCode);
    p.setValue(row, QStringLiteral("EMPNRO"), ctx.CompanyNumber);
    p.setValue(row, QStringLiteral("EMPNOM"), ctx.CompanyName);
    p.setValue(row, QStringLiteral("DATA"), ctx.WorkingDate);
    if (!p.applyUpdates({}, error)) {
        p.cancelUpdates();
        return false;
    }
    return true;
}

bool RemoveParamTmp(TDTEMPRESAS& m, const WorkingContext& ctx, QString* error) {
    Dataset& p = m.PARAMTMP;
    if (!p.isOpen() && !p.open(error))
        return false;
    const int row = findParamTmp(m, ctx);
    bool ok = true;
    if (row >= 0) {
        p.remove(row);
        ok = p.applyUpdates({}, error);
    }
    p.close();
    return ok;
}

} // namespace corvane::shell
