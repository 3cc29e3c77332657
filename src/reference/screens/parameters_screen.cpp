#include "parameters_screen.h"

#include "reference/reference_tables.h"
#include "screens/field_input.h"
#include "screens/field_rule.h"
#include "shell/version_steps.h"

namespace corvane::reference {

using screens::readNumber;
using screens::readWholeNumber;

namespace {

const QString kCode = QStringLiteral("CODIGO");
const QString kPriceBasis = QStringLiteral("TIPOPRECO");

// Cost-type columns with the class they require (0: any) and the message
// for another class.
struct CostTypeRule {
    const char* column;
    int clas;
    const char* otherClass;
};
const CostTypeRule kCostTypes[] = {
    {"FIOS_TC", 1, "Escolha um Tipo de Custo Fio ..."},
    {"TINTAS_TC", 1, "Escolha um Tipo de Custo para Tintas ..."},
    {"MAQUINAS_TC", 6, "Escolha um Tipo de Custo para Máquinas ... Classificação =[6]"},
    {"ETIQ_TC", 0, ""},
    {"ETIQCART_TC", 0, ""},
    {"FRANJA_TC", 0, ""},
    {"CABIDE_TC", 0, ""},
    {"TECIDO_TC", 0, ""},
};
const CostTypeRule* costTypeRule(const QString& column) {
    for (const CostTypeRule& r : kCostTypes)
        if (column == QLatin1String(r.column))
            return &r;
    return nullptr;
}

const QStringList kMovements{QStringLiteral("TRS_CONSUMO"), QStringLiteral("TRS_DEVOL"),
                             QStringLiteral("TRS_PRODUTO")};
const QStringList kWarehouses{QStringLiteral("ARMNRO"), QStringLiteral("ARMZ_PRODUTO")};
const QStringList kNumbers{QStringLiteral("ORCAMNRO1"), QStringLiteral("ORCAMNRO2"),
                           QStringLiteral("ORCAMNRO3"), QStringLiteral("ORCAMNRO4"),
                           QStringLiteral("ORCAMNRO5")};

bool noCode(const QString& text) {
    return text.trimmed().isEmpty() || text.trimmed() == QLatin1String("0");
}

} // namespace

ParametersScreen::ParametersScreen(db::Dataset& parger, db::Dataset& tipoCusto, db::Dataset& operacoes,
                                   db::Database& factura, ScreenView& view, db::UpdateErrorHandler onError)
    : parger_(&parger), tipoCusto_(&tipoCusto), operacoes_(&operacoes),
      departments_(factura, QStringLiteral("DEP_COMPRAS"),
                   QStringLiteral("Select * From DEP_COMPRAS               Order by Departamento")),
      movements_(
          factura, QStringLiteral("STKTRS"),
          QStringLiteral("Select TrsCod, TrsNom, TrsTip, Devolucao, Consumo, CCusto , TipoMov From STKTRS "
                         "Order by TrsCod")),
      warehouses_(factura, QStringLiteral("STKARMAZEM"),
                  QStringLiteral("Select Codigo,Nome From STKARMAZEM Order by Codigo")),
      view_(view), onError_(std::move(onError)), table_(shell::atCurrentVersion(pargerTable())) {}

bool ParametersScreen::activate(const shell::AccessRights& rights, const QString& signature) {
    view_.statusText(1, signature);
    inputsEnabled_ = shell::DisableAcessosBotoes(shell::RightsForm::C, rights).inputPanel;
    // A user who may not type here may not change the row either; the row
    // itself is made for anyone when it is missing.
    parger_->setWriteRights({true, inputsEnabled_, false});
    QString error;
    for (db::Dataset* ds : {parger_, tipoCusto_, operacoes_, &departments_, &movements_, &warehouses_})
        if (!ds->reopen(&error) || !ds->fetchAll(&error)) {
            view_.message(error);
            return false;
        }
    row_ = parger_->locate(kCode, 1);
    if (row_ < 0) {
        row_ = parger_->append();
        parger_->setValue(row_, kCode, 1);
    }
    for (const CostTypeRule& r : kCostTypes)
        describe(QString::fromLatin1(r.column));
    for (const QString& c : kMovements + kWarehouses + QStringList{QStringLiteral("ESTRUTURA")})
        describe(c);
    return true;
}

QString ParametersScreen::text(const QString& column) const {
    return screens::displayText(row_ >= 0 ? parger_->value(row_, column) : QVariant());
}

void ParametersScreen::setValue(const QString& column, const QVariant& value) {
    if (row_ >= 0)
        parger_->setValue(row_, column, value);
}

void ParametersScreen::describe(const QString& column) {
    const int code = text(column).toInt();
    QString name;
    if (costTypeRule(column)) {
        const int r = screens::findKey(*tipoCusto_, kCode, code);
        name = r >= 0 ? tipoCusto_->text(r, QStringLiteral("DESIGNACAO")) : QString();
    } else if (column == QLatin1String("ESTRUTURA")) {
        const int r = screens::findKey(*operacoes_, kCode, code);
        name = r >= 0 ? operacoes_->text(r, QStringLiteral("DESIGNACAO")) : QString();
    } else if (kMovements.contains(column)) {
        const int r = screens::findKey(movements_, movements_.fields().value(0), code);
        name = r >= 0 ? movements_.text(r, movements_.fields().value(1)) : QString();
    } else if (kWarehouses.contains(column)) {
        const int r = screens::findKey(warehouses_, warehouses_.fields().value(0), code);
        name = r >= 0 ? warehouses_.text(r, warehouses_.fields().value(1)) : QString();
    }
    labels_.insert(column, name);
}

bool ParametersScreen::checkCostType(const QString& column, int code) {
    const CostTypeRule* rule = costTypeRule(column);
    const bool operation = column == QLatin1String("ESTRUTURA");
    db::Dataset& ds = operation ? *operacoes_ : *tipoCusto_;
    const int r = screens::findKey(ds, kCode, code);
    if (r < 0 || (rule && rule->clas != 0 && ds.integer(r, QStringLiteral("CLAS")) != rule->clas)) {
        view_.beep();
        view_.message(r < 0 ? QStringLiteral("Tipo de Custo Inválido ...")
                            : QString::fromUtf8(rule->otherClass));
        return false;
    }
    return true;
}

bool ParametersScreen::checkStock(const QString& column, int code) {
    if (kWarehouses.contains(column)) {
        if (screens::findKey(warehouses_, warehouses_.fields().value(0), code) >= 0)
            return true;
        view_.message(QStringLiteral("Armazém Inexistente ..."));
        return false;
    }
    const int r = screens::findKey(movements_, movements_.fields().value(0), code);
    if (r < 0) {
        view_.message(QStringLiteral("Codigo de Movimento Inexistente ..."));
        return false;
    }
    if (column == QLatin1String("TRS_CONSUMO") &&
        movements_.text(r, movements_.fields().value(6)).trimmed() != QLatin1String("SCI")) {
        view_.message(QStringLiteral("Codigo de Movimento Inválido ..."));
        return false;
    }
    return true;
}

bool ParametersScreen::fieldExit(const QString& column, const QString& typed) {
    if (!inputsEnabled_)
        return true;
    const bool coded = costTypeRule(column) || column == QLatin1String("ESTRUTURA");
    const bool stock = kMovements.contains(column) || kWarehouses.contains(column);
    if (coded || stock || kNumbers.contains(column)) {
        if ((coded && noCode(typed)) || typed.trimmed().isEmpty()) {
            setValue(column, QVariant());
            labels_.insert(column, QString());
            return true;
        }
        int code = 0;
        QString message;
        if (!readWholeNumber(typed, &code, &message)) {
            view_.beep();
            view_.message(message);
            return false;
        }
        if (coded && !checkCostType(column, code))
            return false;
        if (stock && planningShown_ && !checkStock(column, code))
            return false;
        setValue(column, code);
        describe(column);
        return true;
    }
    if (column == QLatin1String("DESP_GERAL") || column == QLatin1String("CONV_KGS_TINTAS")) {
        double number = 0;
        QString message;
        if (!typed.trimmed().isEmpty() && !readNumber(typed, &number, &message)) {
            view_.beep();
            view_.message(message);
            return false;
        }
        setValue(column, typed.trimmed().isEmpty() ? QVariant() : QVariant(number));
        // The price basis is checked when the focus leaves these two inputs.
        static const QStringList bases{QStringLiteral("F.T"), QStringLiteral("CUP"), QStringLiteral("PMC"),
                                       QStringLiteral("PUE")};
        if (!bases.contains(text(kPriceBasis))) {
            view_.beep();
            view_.message(QStringLiteral("Digite [F.T]/[CUP]/[PMC]/[PUE] ..."));
            view_.focusField(QStringLiteral("Edit_TipoPreco"));
            return false;
        }
        return true;
    }
    if (column == kPriceBasis) {
        setValue(column, typed.trimmed().toUpper());
        return true;
    }
    // Text as typed, never longer than its column.
    const screens::FieldRule rule = screens::fieldOf(table_, column, {});
    setValue(column, rule.maxLength > 0 ? typed.left(rule.maxLength) : typed);
    return true;
}

int ParametersScreen::inputLength(const QString& column) const {
    return screens::fieldOf(table_, column, {}).maxLength;
}

bool ParametersScreen::write() {
    QString error;
    const bool written = !parger_->hasPendingUpdates() || parger_->applyUpdates(onError_, &error);
    if (!written && !error.isEmpty() && !parger_->failureReported())
        view_.message(error);
    return written;
}

bool ParametersScreen::closeRequested() {
    if (write())
        return true;
    if (!view_.confirm(kAbandonQuestion))
        return false;
    parger_->cancelUpdates();
    return true;
}

bool ParametersScreen::close() {
    const bool written = write();
    for (db::Dataset* ds : {parger_, tipoCusto_, operacoes_, &departments_, &movements_, &warehouses_})
        ds->close();
    return written;
}

} // namespace corvane::reference
