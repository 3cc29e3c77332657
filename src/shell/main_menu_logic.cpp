#include "main_menu_logic.h"

namespace corvane::shell {

MainMenuLogic::MainMenuLogic(WorkingContext& ctx, ScreenView& view, Site site, SignOn::Dependencies deps)
    : ctx_(ctx), view_(view), site_(std::move(site)), deps_(std::move(deps)) {}

MainMenuLogic::~MainMenuLogic() { formClose(); }

MainMenuLogic::Outcome MainMenuLogic::activate() {
    ctx_.setConstants();
    const WorkstationValue name = readWorkstationFile(site_.workstationNameFile(), 30);
    if (name.emptyLine) {
        view_.message(QStringLiteral("Parâmetros de Pc_Name não definidos ..."));
        return Outcome::Close;
    }
    ctx_.WorkstationName = name.value;
    const WorkstationValue type = readWorkstationFile(site_.workstationTypeFile(), 1);
    if (type.emptyLine) {
        view_.message(QStringLiteral("Parâmetros de Tipo de Computador inválidos ..."));
        return Outcome::Close;
    }
    ctx_.WorkstationType = type.value;
    ++activations_;
    if (activations_ > 1)
        return Outcome::Ready;
    SignOn signOn(ctx_, view_, deps_);
    signedOn_ = signOn.MudEmpr(modules_);
    if (signedOn_ && !TesteActualizacoes(&upgradePlan_))
        signedOn_ = false;
    return signedOn_ ? Outcome::SignedOn : Outcome::Close;
}

bool MainMenuLogic::TesteActualizacoes(UpgradePlan* plan) {
    plan->infoFile = ctx_.WorkstationType == QLatin1String("S") ? QStringLiteral("UCorvane.txt")
                                                                 : QStringLiteral("UCorvane_MP.txt");
    db::Dataset users(modules_->database->DbCorvane, QStringLiteral("UTIL"),
                      QStringLiteral("Select NRO,UPGRADE_LICENSE from UTILIZADORES Order By NRO"));
    users.setReadWhole(true);
    QString error;
    const int row = users.open(&error) ? users.locate(QStringLiteral("NRO"), ctx_.UserCode, &error) : -1;
    if (row < 0) {
        view_.beep();
        view_.message(error.isEmpty() ? QStringLiteral("Utilizador Inexistente (Teste Actualização) : ") + ctx_.UserCode
                                      : error);
        return false;
    }
    plan->allowed = users.text(row, QStringLiteral("UPGRADE_LICENSE")) == QLatin1String("S");
    return true;
}

QList<MenuState> MainMenuLogic::menuStates() const {
    if (!modules_)
        return {};
    return readMenuRights(modules_->empresas->APLICACAODET, ctx_.ApplicationCode, ctx_.UserCode);
}

bool MainMenuLogic::changeWorkingDate(const QDate& day, const QDate& today) {
    ctx_.setWorkingDate(day);
    return day.year() != today.year();
}

void MainMenuLogic::formClose() {
    activations_ = 0;
    if (modules_) {
        QString error;
        if (!RemoveParamTmp(*modules_->empresas, ctx_, &error))
            view_.message(error);
        modules_.reset();
    }
    signedOn_ = false;
    if (deps_.dbGeral)
        deps_.dbGeral->disconnect();
}

} // namespace corvane::shell
