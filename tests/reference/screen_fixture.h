#pragma once

#include "shell/access_rights.h"
#include "shell/data_modules.h"
#include "support/recording_view.h"
#include "support/signon_run.h"

#include <memory>

// Every right a table screen looks at.
inline corvane::shell::AccessRights allRights() {
    corvane::shell::AccessRights r = corvane::shell::AccessRights::none();
    r.ACEDER = r.INSERIR = r.ALTERAR = r.ELIMINAR = r.IMPRIMIR = QStringLiteral("S");
    return r;
}

// A signed-on demo site whose screens report to a recording view.
struct ScreenFixture {
    TestSite site;
    std::unique_ptr<SignOnRun> run;
    RecordingView view;
    explicit ScreenFixture(const QString& backend) : site(backend) {
        if (site.ok())
            run = std::make_unique<SignOnRun>(site);
    }
    bool ready() const { return site.ok() && run && run->logic->signedOn(); }
    corvane::shell::DataModules& modules() { return *run->logic->modules(); }
    corvane::shell::TDTCORVANE& corvane() { return *modules().corvane; }
    corvane::db::Database& db() { return site.program(); }
    QVariant cell(const QString& sql) {
        const std::optional<QVariant> v = site.program().scalar(sql);
        return v ? *v : QVariant();
    }
};
