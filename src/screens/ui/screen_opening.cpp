#include "screen_opening.h"

namespace corvane::screens {

shell::AccessRights ScreenOpening::rights(const QString& chapter, const QString& program) const {
    return rightsOf(context.ApplicationCode, chapter, program);
}

bool ScreenOpening::allowed(const QString& chapter, const QString& program) const {
    return shell::accessAllowed(modules.empresas->APLICACAODET, context.ApplicationCode, chapter, program,
                                context.UserCode);
}

ScreenSetting ScreenOpening::settingOf(const QString& chapter, const QString& program) const {
    ScreenSetting s = setting;
    s.rights = rights(chapter, program);
    return s;
}

namespace {
QStringList& programs() {
    static QStringList list;
    return list;
}
} // namespace

QStringList openedPrograms() {
    return programs();
}

ScreenSetting screenSetting(shell::TFACFMENU& menu, const QString& chapter, const QString& program) {
    const WorkingContext& ctx = menu.context();
    ScreenSetting s;
    s.rights = shell::ReadAcessosUtil(menu.logic().modules()->empresas->APLICACAODET, ctx.ApplicationCode,
                                      chapter, program, ctx.UserCode);
    s.signature = ctx.StatusSignature;
    s.onError = menu.updateErrorHandler();
    s.log = menu.log();
    return s;
}

shell::ScreenOpener screenOpener(const QString& chapter, const QString& program,
                                 std::function<void(ScreenOpening&)> open) {
    const QString key = chapter + QLatin1Char('/') + program;
    if (!programs().contains(key))
        programs() << key;
    return [chapter, program, open = std::move(open)](shell::TFACFMENU& menu) {
        shell::DataModules* modules = menu.logic().modules();
        if (!modules)
            return;
        const WorkingContext& ctx = menu.context();
        ScreenOpening opening{menu, *modules, ctx,
                              shell::rightsReader(modules->empresas->APLICACAODET, ctx.UserCode),
                              screenSetting(menu, chapter, program)};
        open(opening);
    };
}

} // namespace corvane::screens
