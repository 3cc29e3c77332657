#include "machine_step_forms.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTimer>

namespace corvane::techsheet {

namespace {

StepGridModel* machineRows(StepScreenBase& logic, QObject* parent) {
    return new MachineRowsModel(static_cast<MachineStepScreen&>(logic), parent);
}

// What is typed in a machine step's grid: the minutes, or an ultrasound cutter's mode.
MachineRowsModel::TypedLeft typedIn(MachineStepScreen& logic) {
    if (auto* cutter = dynamic_cast<UltrasoundStep*>(&logic))
        return [cutter](int row, const QString& typed) { return cutter->modeLeft(row, typed); };
    auto* step = dynamic_cast<MachineStep*>(&logic);
    return [step](int row, const QString& typed) { return step && step->timeLeft(row, typed); };
}

} // namespace

// ---- the grid ------------------------------------------------------------------

MachineRowsModel::MachineRowsModel(const std::vector<WorkMachineRow>& rows, bool modeColumn, OkLeft okLeft,
                                   TypedLeft typedLeft, QObject* parent)
    : StepGridModel(titles(modeColumn), sectionOf(Ok, modeColumn),
                    sectionOf(modeColumn ? TipoPrd : Tempo, modeColumn), parent),
      rows_(rows), mode_(modeColumn), okLeft_(std::move(okLeft)), typedLeft_(std::move(typedLeft)) {}

MachineRowsModel::MachineRowsModel(MachineStepScreen& logic, QObject* parent)
    : MachineRowsModel(
          logic.rows(), dynamic_cast<const UltrasoundStep*>(&logic) != nullptr,
          [&logic](int row, bool ticked) { logic.okLeft(row, ticked); }, typedIn(logic), parent) {}

MachineRowsModel::Column MachineRowsModel::columnAt(int section, bool modeColumn) {
    if (!modeColumn && section >= TipoPrd)
        ++section;
    return static_cast<Column>(section);
}

int MachineRowsModel::sectionOf(Column column, bool modeColumn) {
    return !modeColumn && column > TipoPrd ? column - 1 : column;
}

QStringList MachineRowsModel::titles(bool modeColumn) {
    QStringList titles{
        QStringLiteral("Código"),       QStringLiteral("Designação"), QStringLiteral("Und"),
        QStringLiteral("Preço Padrão"), QStringLiteral("Prod. I"),    QStringLiteral("Acerto I"),
        QStringLiteral("Prod. II"),     QStringLiteral("Acerto II"),  QStringLiteral("OK")};
    if (modeColumn)
        titles << QStringLiteral("T.P.?") << QStringLiteral("Tempo");
    else
        titles << QStringLiteral("Tempo (Min)");
    titles << QStringLiteral("Preço") << QStringLiteral("Custo");
    return titles;
}

QVariant MachineRowsModel::cell(int row, int section) const {
    const WorkMachineRow& r = rows_[static_cast<std::size_t>(row)];
    switch (columnAt(section)) {
    case Codigo:
        return r.CODIGO;
    case Designacao:
        return r.DESIGNACAO;
    case Unidade:
        return r.UNIDADE;
    case CustoPadrao:
        return number(r.CUSTOPADRAO);
    case Prod1:
        return number(r.PRODUCAO1);
    case Acerto1:
        return number(r.ACERTO1);
    case Prod2:
        return number(r.PRODUCAO2);
    case Acerto2:
        return number(r.ACERTO2);
    case TipoPrd:
        return r.TIPOPRD;
    case Tempo:
        return number(r.QTD);
    case Preco:
        return number(r.PRECO);
    case Custo:
        return number(r.CUSTO);
    default:
        return {};
    }
}

// ---- TCORVF035_MAQUINAS --------------------------------------------------------

TCORVF035_MAQUINAS::TCORVF035_MAQUINAS(TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura,
                                       const QString& user, const screens::ScreenSetting& setting,
                                       QWidget* parent)
    : OneMaterialForm(
          QStringLiteral("TCORVF035_MAQUINAS"),
          [&](ScreenView& view) { return std::make_unique<MachineStep>(ctx, data, factura, user, view); },
          machineRows, true, setting, parent) {
    minutes()->hide();
    gridTitle()->setText(QStringLiteral("Máquinas : "));
    gridTitle()->show();
    resize(1100, 520);
}

void TCORVF035_MAQUINAS::refresh() {
    OneMaterialForm::refresh();
    // A material found on "C" or "R" and "Deseja Gravar ?" answered yes.
    if (logic().written() && isVisible() && !closing())
        QTimer::singleShot(0, this, [this] {
            if (!closing())
                accept();
        });
}

// ---- TCORVF035_CORTEULTSOM -----------------------------------------------------

TCORVF035_CORTEULTSOM::TCORVF035_CORTEULTSOM(TechSheetContext& ctx, shell::TDTCORVANE& data,
                                             db::Database& factura, const QString& user,
                                             const screens::ScreenSetting& setting, QWidget* parent)
    : StepForm(
          QStringLiteral("TCORVF035_CORTEULTSOM"),
          [&](ScreenView& view) { return std::make_unique<UltrasoundStep>(ctx, data, factura, user, view); },
          machineRows, setting, parent) {
    minutes()->hide();
    materialsTitle()->hide();
    gridTitle()->setText(QStringLiteral("Máquinas : "));
    gridTitle()->show();
    resize(1100, 480);
}

// ---- openers ---------------------------------------------------------------------

bool openMachineStep(QWidget* parent, TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura,
                     const QString& user, const screens::ScreenSetting& setting) {
    TCORVF035_MAQUINAS form(ctx, data, factura, user, setting, parent);
    form.exec();
    return form.logic().written();
}

bool openUltrasoundStep(QWidget* parent, TechSheetContext& ctx, shell::TDTCORVANE& data,
                        db::Database& factura, const QString& user, const screens::ScreenSetting& setting) {
    TCORVF035_CORTEULTSOM form(ctx, data, factura, user, setting, parent);
    form.exec();
    return form.logic().written();
}

} // namespace corvane::techsheet
