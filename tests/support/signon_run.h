#pragma once

#include "recording_version_view.h"
#include "recording_view.h"
#include "shell/main_menu_logic.h"
#include "test_site.h"

#include <functional>
#include <memory>

// The first activation of the main window against a test site. The version
// update runs headless unless another one is given.
struct SignOnRun {
    using Credentials = std::function<bool(corvane::db::GeneralCredentials*, QString*)>;
    using Update = std::function<bool(corvane::WorkingContext&, corvane::shell::DataModules&)>;

    corvane::WorkingContext ctx;
    RecordingView view;
    RecordingVersionView versionView;
    corvane::db::Database geral{QStringLiteral("DBGERAL"), QStringLiteral("QTXGERAL")};
    int versionUpdates = 0;
    std::unique_ptr<corvane::shell::MainMenuLogic> logic;
    corvane::shell::MainMenuLogic::Outcome outcome = corvane::shell::MainMenuLogic::Outcome::Close;
    corvane::db::AliasRegistry registry;

    explicit SignOnRun(TestSite& site, Credentials cred = {}, Update update = {})
        : SignOnRun(site, site.site(), site.registry(), std::move(cred), std::move(update)) {}

    // From another workstation's site folder on the same databases: its
    // workstation files, alias file and credentials.
    SignOnRun(TestSite& site, const QString& workstationRoot)
        : SignOnRun(
              site, corvane::Site(workstationRoot),
              corvane::db::AliasRegistry::load(corvane::Site(workstationRoot).aliasFile(), workstationRoot),
              [workstationRoot](corvane::db::GeneralCredentials* c, QString* e) {
                  return siteCredentials(corvane::Site(workstationRoot), c, e);
              },
              {}) {}

    SignOnRun(TestSite& site, const corvane::Site& where, corvane::db::AliasRegistry aliases,
              Credentials cred, Update update)
        : registry(std::move(aliases)) {
        using namespace corvane;
        shell::SignOn::Dependencies deps;
        deps.dbGeral = &geral;
        deps.registry = &registry;
        deps.credentials =
            cred ? cred : [&site](db::GeneralCredentials* c, QString* e) { return site.credentials(c, e); };
        deps.updateVersion = [this, update](shell::DataModules& m) {
            ++versionUpdates;
            if (update)
                return update(ctx, m);
            return shell::VersionUpdate(*m.versao, ctx, versionView).run();
        };
        logic = std::make_unique<shell::MainMenuLogic>(ctx, view, where, deps);
        outcome = logic->activate();
    }
    ~SignOnRun() { logic.reset(); }
};
