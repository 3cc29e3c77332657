// corvane-admin: creates sites, companies and the demo site for installers.
#include "calc_command.h"
#include "recost_command.h"
#include "setup/demo_site.h"
#include "setup/generate_site.h"
#include "setup/site_setup.h"
#include "setup/workstation_setup.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTextStream>

#include <optional>

using namespace corvane::setup;

namespace {

QTextStream& out() {
    static QTextStream s(stdout);
    return s;
}
QTextStream& err() {
    static QTextStream s(stderr);
    return s;
}

int usage() {
    err()
        << "Utilização:\n"
           "  corvane-admin create-site DIR [--postgres CONNINFO] [--prefix NOME]\n"
           "  corvane-admin create-company DIR --number N --name NOME [--postgres CONNINFO] [--prefix NOME]\n"
           "  corvane-admin create-demo DIR [--postgres CONNINFO] [--prefix NOME]\n"
           "  corvane-admin update-company DIR [--number N] [--postgres CONNINFO]\n"
           "  corvane-admin add-workstation DIR NOVA_PASTA --name POSTO --user UTILIZADOR [--number N]\n"
           "  corvane-admin generate DIR --scale N [--number N] [--postgres CONNINFO]\n"
           "  corvane-admin recost DIR [--number N] [--postgres CONNINFO] [--what-if FICHEIRO] [--threshold "
           "PCT]\n"
           "  corvane-admin calc quote|weave|knit|subcontract|fabric|machine|operations|print FICHEIRO|-\n"
           "CONNINFO: \"host=... port=... dbname=... user=... password=...\" de um administrador do "
           "servidor.\n";
    return 2;
}

struct Options {
    QString dir;
    std::optional<PgServer> server;
    QString prefix;
    int number = 0;
    QString name;
    QString folder; // add-workstation: the new workstation's site folder
    QString user;
    double scale = 0; // generate: 1 is a mid-size maker
    RecostOptions recost;
};

bool parseOptions(const QStringList& args, Options* o, QString* error) {
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        auto next = [&](QString* value) {
            if (i + 1 >= args.size()) {
                *error = QStringLiteral("Falta o valor de %1").arg(a);
                return false;
            }
            *value = args[++i];
            return true;
        };
        QString value;
        if (a == QLatin1String("--postgres")) {
            if (!next(&value))
                return false;
            PgServer s;
            if (!parseConnInfo(value, &s, error))
                return false;
            o->server = s;
        } else if (a == QLatin1String("--prefix")) {
            if (!next(&o->prefix))
                return false;
        } else if (a == QLatin1String("--number")) {
            if (!next(&value))
                return false;
            bool ok = false;
            o->number = value.toInt(&ok);
            if (!ok || o->number <= 0) {
                *error = QStringLiteral("Número de empresa inválido : %1").arg(value);
                return false;
            }
        } else if (a == QLatin1String("--scale")) {
            if (!next(&value))
                return false;
            bool ok = false;
            o->scale = value.toDouble(&ok);
            if (!ok || !(o->scale > 0) || o->scale > 10) {
                *error = QStringLiteral("Escala inválida : %1 (de 0 a 10; 1 é uma empresa média)").arg(value);
                return false;
            }
        } else if (a == QLatin1String("--what-if")) {
            if (!next(&o->recost.whatIfFile))
                return false;
        } else if (a == QLatin1String("--threshold")) {
            if (!next(&value))
                return false;
            bool ok = false;
            o->recost.threshold = value.toDouble(&ok);
            if (!ok || !(o->recost.threshold >= 0) || o->recost.threshold >= 100) {
                *error = QStringLiteral("Margem mínima inválida : %1 (de 0 a 100 %)").arg(value);
                return false;
            }
        } else if (a == QLatin1String("--name")) {
            if (!next(&o->name))
                return false;
        } else if (a == QLatin1String("--user")) {
            if (!next(&o->user))
                return false;
        } else if (a.startsWith(QLatin1String("--"))) {
            *error = QStringLiteral("Opção desconhecida : %1").arg(a);
            return false;
        } else if (o->dir.isEmpty()) {
            o->dir = a;
        } else if (o->folder.isEmpty()) {
            o->folder = a;
        } else {
            *error = QStringLiteral("Argumento a mais : %1").arg(a);
            return false;
        }
    }
    if (o->dir.isEmpty()) {
        *error = QStringLiteral("Falta a pasta do local");
        return false;
    }
    if (o->prefix.isEmpty())
        o->prefix = QDir(o->dir).dirName();
    return true;
}

int failed(const QString& message) {
    err() << "Erro: " << message << "\n";
    return 1;
}

// The program beside this one, as a command that works as typed; "corvane"
// when it is not there (installed on the PATH).
QString corvaneProgram() {
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("corvane"));
    return QFileInfo(beside).isExecutable() ? beside : QStringLiteral("corvane");
}

// A word for the shell: quoted when it holds anything but letters, digits and /._-.
QString shellWord(const QString& word) {
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9/._-]+$"));
    if (plain.match(word).hasMatch())
        return word;
    QString quoted = word;
    quoted.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

// A progress bar on one line, redrawn as the phase goes on.
void showProgress(const QString& phase, qint64 done, qint64 total) {
    static QString lastPhase;
    static qint64 lastPercent = -1;
    const qint64 percent = total > 0 ? done * 100 / total : 100;
    if (phase == lastPhase && percent == lastPercent)
        return;
    lastPhase = phase;
    lastPercent = percent;
    const int width = 30;
    const int filled = total > 0 ? int(done * width / total) : width;
    out() << '\r' << phase.leftJustified(22) << " [" << QString(filled, QLatin1Char('#'))
          << QString(width - filled, QLatin1Char(' ')) << "] " << percent << " %"
          << (done == total ? "\n" : "") << Qt::flush;
}

// The program and invoicing databases of the company `--number` (1 without).
struct CompanyDatabases {
    std::unique_ptr<corvane::db::Database> program;
    std::unique_ptr<corvane::db::Database> invoicing;
};

bool openCompany(SiteBuilder& builder, const Options& o, CompanySpec* company, CompanyDatabases* d,
                 QString* error) {
    if (!builder.openSite(error))
        return false;
    builder.commit(); // nothing of the site is made or removed here
    if (!builder.findCompany(o.number > 0 ? o.number : 1, company, error))
        return false;
    d->program = builder.connectCompany(*company, company->programAlias, error);
    d->invoicing = d->program ? builder.connectCompany(*company, company->invoicingAlias, error) : nullptr;
    return d->invoicing != nullptr;
}

// Grows a company of the site with generated rows.
int generate(SiteBuilder& builder, const Options& o) {
    QString error;
    CompanySpec company;
    CompanyDatabases d;
    if (!openCompany(builder, o, &company, &d, &error))
        return failed(error);
    if (!generateCompanyData(*d.program, *d.invoicing, o.scale, QDate::currentDate(), showProgress, &error))
        return failed(error);
    const GeneratedSizes s = GeneratedSizes::at(o.scale);
    out() << "Empresa " << company.number << ": " << s.customers << " clientes, " << s.articles
          << " artigos com ficha técnica, " << s.quotations << " orçamentos, " << s.orderLines
          << " linhas de encomenda e " << s.invoiceLines << " linhas de factura gerados.\n";
    return 0;
}

// Re-costs the company's sheets, or tries a change of prices on its quotations.
int recost(SiteBuilder& builder, const Options& o) {
    QString error;
    CompanySpec company;
    CompanyDatabases d;
    if (!openCompany(builder, o, &company, &d, &error))
        return failed(error);
    return runRecost(*d.program, *d.invoicing, o.recost, out(), err(), showProgress);
}

} // namespace

int main(int argc, char** argv) {
    // A command-line tool: it draws documents without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return usage();
    const QString command = args.takeFirst();
    // `corvane-admin calc ...`: the headless calculator.
    if (command == QLatin1String("calc"))
        return runCalcCommand(args, out(), err());

    Options o;
    QString error;
    const bool addingWorkstation = command == QLatin1String("add-workstation");
    if (command != QLatin1String("create-site") && command != QLatin1String("create-company") &&
        command != QLatin1String("create-demo") && command != QLatin1String("update-company") &&
        command != QLatin1String("generate") && command != QLatin1String("recost") && !addingWorkstation)
        return usage();
    if (!parseOptions(args, &o, &error)) {
        err() << error << "\n";
        return usage();
    }
    if (!o.folder.isEmpty() && !addingWorkstation) {
        err() << "Argumento a mais : " << o.folder << "\n";
        return usage();
    }
    const auto report = [](const QString& line) { out() << line << "\n" << Qt::flush; };
    SiteBuilder builder(o.dir, o.server, o.prefix, report);

    if (command == QLatin1String("generate"))
        return o.scale > 0 ? generate(builder, o) : usage();
    if (command == QLatin1String("recost"))
        return recost(builder, o);
    if (command == QLatin1String("create-demo")) {
        const QString workstation = QSysInfo::machineHostName();
        if (!createDemoSite(builder, workstation, QDate::currentDate(), &error) ||
            !writeChangesDocument(builder.root(), &error))
            return failed(error);
        builder.commit();
        out() << "Local de demonstração criado em " << builder.root() << " para o posto "
              << workstation.left(30) << ".\nPara entrar: CORVANE_SITE=" << shellWord(builder.root()) << ' '
              << shellWord(corvaneProgram()) << "\n"
              << "Um segundo utilizador (ANA) ao mesmo tempo, num posto seu:\n  "
              << shellWord(QCoreApplication::applicationFilePath()) << " add-workstation "
              << shellWord(builder.root()) << ' ' << shellWord(builder.root() + QStringLiteral("-ana"))
              << " --name POSTO-ANA --user ANA\n";
        return 0;
    }
    if (addingWorkstation) {
        if (o.folder.isEmpty() || o.name.isEmpty() || o.user.isEmpty())
            return usage();
        if (!builder.openSite(&error))
            return failed(error);
        builder.commit(); // nothing of this site is made or removed here
        const WorkstationSpec spec{o.folder, o.name, o.user.toUpper(), o.number > 0 ? o.number : 1};
        if (!addWorkstation(builder, spec, QDate::currentDate(), &error))
            return failed(error);
        out() << "Posto " << spec.name << " criado em " << QFileInfo(o.folder).absoluteFilePath()
              << " para o utilizador " << spec.user
              << ".\nPara entrar: CORVANE_SITE=" << shellWord(QFileInfo(o.folder).absoluteFilePath()) << ' '
              << shellWord(corvaneProgram()) << "\n";
        return 0;
    }
    if (command == QLatin1String("create-site")) {
        if (!builder.createSite(&error))
            return failed(error);
        builder.commit();
        out() << "Local criado em " << builder.root() << ".\n";
        return 0;
    }
    if (command == QLatin1String("update-company")) {
        if (!builder.openSite(&error))
            return failed(error);
        builder.commit(); // nothing of the site is made or removed here
        QList<int> numbers{o.number};
        if (o.number <= 0) {
            const auto all = builder.companyNumbers(&error);
            if (!all)
                return failed(error);
            numbers = *all;
        }
        for (int number : numbers) {
            CompanySpec company;
            QList<corvane::db::SchemaChange> changes;
            if (!builder.findCompany(number, &company, &error) ||
                !builder.updateCompany(company, &changes, &error))
                return failed(error);
            out() << "Empresa " << number << " actualizada: " << changes.size() << " alterações.\n";
        }
        return 0;
    }
    // create-company
    if (o.number <= 0 || o.name.isEmpty())
        return usage();
    if (!builder.openSite(&error))
        return failed(error);
    CompanySpec company;
    company.number = o.number;
    company.name = o.name;
    const QString n = QString::number(o.number).rightJustified(2, QLatin1Char('0'));
    company.programAlias = QStringLiteral("CORVANE") + n;
    company.invoicingAlias = QStringLiteral("CORVANEFACTURA") + n;
    company.accountingAlias = QStringLiteral("CORVANECONTAB") + n;
    if (!builder.createCompany(company, &error))
        return failed(error);
    builder.commit();
    out() << "Empresa " << o.number << " criada. Utilizador das bases de dados da empresa: " << company.dbUser
          << " (palavra-passe nas linhas UTILPASSWORD que criar para os utilizadores: " << company.dbPassword
          << ")\n";
    return 0;
}
