// Corvane: the costing and quotation program.
#include "articles/ui/screens.h"
#include "core/site.h"
#include "core/site_log.h"
#include "db/credentials.h"
#include "quotation/ui/screens.h"
#include "reference/ui/screens.h"
#include "shell/ui/splash.h"
#include "shell/ui/tfacfmenu.h"
#include "shell/ui/tgerfversao.h"

#include "components/message_box.h"
#include "components/qt_language.h"
#include <QApplication>
#include <QFileInfo>
#include <QLocale>

using namespace corvane;

namespace {
int refuse(SiteLog& log, const QString& text) {
    log.write(QStringLiteral("Corvane"), text);
    components::plainMessage(nullptr, QMessageBox::Critical, QStringLiteral("Corvane e Gorros"), text);
    return 1;
}
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Veltrano, Ind. de Corvane e Gorros"));
    QApplication::setOrganizationName(QStringLiteral("Corvane")); // where each user's window sizes are kept
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Portugal));
    components::installQtTranslations(app);
    const Site site = Site::fromEnvironment();
    SiteLog log(site.logFile());
    if (!site.exists())
        return refuse(log, site.missingMessage());

    // The credential library is part of the installation: without it, or
    // without the credentials it hands out, the program does not start.
    db::GeneralCredentials credentials;
    QString error;
    if (!db::loadGeneralCredentials(&credentials, &error))
        return refuse(log, error);
    const db::AliasRegistry registry = db::AliasRegistry::load(site.aliasFile(), site.root(), &error);
    if (!error.isEmpty())
        return refuse(log, error);

    auto* splash = new shell::TCORVANEAFPMENU;
    splash->show();
    app.processEvents();

    db::Database dbGeral(QStringLiteral("DBGERAL"), QStringLiteral("QTXGERAL"));
    shell::SignOn::Dependencies deps;
    deps.dbGeral = &dbGeral;
    deps.registry = &registry;
    deps.credentials = [credentials](db::GeneralCredentials* out, QString*) {
        *out = credentials;
        return true;
    };
    shell::TFACFMENU* window = nullptr;
    deps.updateVersion = [&window](shell::DataModules& modules) {
        return shell::runVersionUpdate(window, window->context(), modules);
    };
    shell::ScreenTable screens;
    reference::registerScreens(screens);
    articles::registerScreens(screens);
    quotation::registerScreens(screens);
    shell::TFACFMENU menu(site, deps, screens, &log);
    window = &menu;
    menu.show();
    splash->close();
    delete splash;
    menu.activateWindow(); // the keyboard goes to the main window, not to where the splash was
    menu.raise();
    const int rc = app.exec();
    return rc != 0 ? rc : menu.exitCode();
}
