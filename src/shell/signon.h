#pragma once

#include "core/screen_view.h"
#include "core/working_context.h"
#include "data_modules.h"
#include "db/credentials.h"

#include <functional>
#include <memory>

namespace corvane::shell {

// The automatic sign-on (MudEmpr): everything comes from the workstation's
// PARAMUTIL row. Each failure beeps, shows its message and ends the sign-on.
class SignOn {
public:
    struct Dependencies {
        db::Database* dbGeral = nullptr;
        const db::AliasRegistry* registry = nullptr;
        std::function<bool(db::GeneralCredentials*, QString*)> credentials;
        // Brings the program database to the program's version (the update
        // screen); false when it could not, after its own message.
        std::function<bool(DataModules&)> updateVersion;
    };

    SignOn(WorkingContext& ctx, ScreenView& view, Dependencies deps)
        : ctx_(ctx), view_(view), deps_(std::move(deps)) {}

    // True when signed on; the data modules are then in `modules`.
    bool MudEmpr(std::unique_ptr<DataModules>& modules);

private:
    bool fail(const QString& message);

    WorkingContext& ctx_;
    ScreenView& view_;
    Dependencies deps_;
};

// The PARAMTMP row of the signed-on user and application, -1 when there is none.
int findParamTmp(TDTEMPRESAS& m, const WorkingContext& ctx);
// CreateParamTmp: the (user, application) row of PARAMTMP, unless one exists.
bool CreateParamTmp(TDTEMPRESAS& m, const WorkingContext& ctx, QString* error);
// The end of the run: the row is removed.
bool RemoveParamTmp(TDTEMPRESAS& m, const WorkingContext& ctx, QString* error);

} // namespace corvane::shell
