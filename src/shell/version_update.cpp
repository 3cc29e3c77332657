#include "version_update.h"

#include "version_steps.h"

#include <QRegularExpression>

namespace corvane::shell {

namespace {
QString versionOfStep(int step) {
    return QStringLiteral("01.%1").arg(step, 3, 10, QLatin1Char('0'));
}

const int kProgramStep = kLastVersionStep + 1;
} // namespace

std::optional<int> versionStepReached(const QString& version) {
    static const QRegularExpression form(QStringLiteral("^01\\.(\\d{3})$"));
    const QRegularExpressionMatch m = form.match(version);
    if (!m.hasMatch())
        return std::nullopt;
    const int step = m.captured(1).toInt();
    if (step > kProgramStep)
        return std::nullopt;
    return step;
}

bool VersionUpdate::fail(const QString& message) {
    view_.failure(message);
    return false;
}

bool VersionUpdate::record(const QString& version) {
    view_.statusText(QString());
    QString error;
    if (!versao_.UPACTUAL_VERSAO(version, ctx_.WorkingDate.date(), ctx_.CompanyNumber, &error))
        return fail(error);
    ctx_.DatabaseVersion = version;
    view_.showFinished(version);
    return true;
}

bool VersionUpdate::run() {
    const QString program = ctx_.ProgramVersion;
    QString version = ctx_.DatabaseVersion;
    view_.statusText(kVersionWorking);
    view_.showVersion(version);
    if (version == program)
        return true;

    const std::optional<int> reached = versionStepReached(version);
    if (!reached) {
        static const QRegularExpression digits(QStringLiteral("^\\d{2}\\.\\d{3}$"));
        if (digits.match(version).hasMatch() && version > program)
            return fail(
                QStringLiteral("A Base de Dados está na versão %1, mais recente que a do programa (%2). "
                               "Instale a versão actual do programa ...")
                    .arg(version, program));
        return fail(
            QStringLiteral("Versão da Base de Dados inválida : \"%1\". Não é possível actualizá-la para "
                           "a versão %2 ...")
                .arg(version, program));
    }

    QString error;
    if (!versao_.CR_APLICACAOCAP(&error) || !versao_.CR_APLICACAOMST(&error))
        return fail(error);
    for (int step = *reached + 1; step <= kLastVersionStep; ++step) {
        version = versionOfStep(step);
        view_.showVersion(version);
        if (!versao_.TABELAS_VERSAO(step, &error))
            return fail(error);
        if (version == program)
            return record(version);
    }
    version = versionOfStep(kProgramStep);
    view_.showVersion(version);
    if (version == program)
        return record(version);
    return fail(
        QStringLiteral("O programa (versão %1) não tem os passos de actualização até à sua versão ...")
            .arg(program));
}

} // namespace corvane::shell
