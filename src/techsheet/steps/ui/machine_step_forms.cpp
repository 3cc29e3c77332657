#include "machine_step_forms.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTimer>

namespace corvane::techsheet {

namespace {

StepRowsModel* machineRows(StepScreenBase& logic, QObject* parent) {
    return new MachineRowsModel(static_cast<MachineStepScreen&>(logic), parent);
}

} // namespace

// ---- the grid ------------------------------------------------------------------

MachineRowsModel::MachineRowsModel(MachineStepScreen& logic, QObject* parent)
    : StepRowsModel(parent), logic_(logic) {}

bool MachineRowsModel::ultrasound() const {
    return dynamic_cast<const UltrasoundStep*>(&logic_) != nullptr;
}

MachineRowsModel::Column MachineRowsModel::columnAt(int section) const {
    if (!ultrasound() && section >= TipoPrd)
        ++section;
    return static_cast<Column>(section);
}

int MachineRowsModel::sectionOf(Column column) const {
    return !ultrasound() && column > TipoPrd ? column - 1 : column;
}

int MachineRowsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(logic_.rows().size());
}

int MachineRowsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : (ultrasound() ? Custo + 1 : Custo);
}

QVariant MachineRowsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const WorkMachineRow& r = logic_.rows()[index.row()];
    const Column column = columnAt(index.column());
    if (column == Ok)
        return role == Qt::CheckStateRole ? QVariant(r.ticked() ? Qt::Checked : Qt::Unchecked) : QVariant();
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    switch (column) {
    case Codigo:
        return r.CODIGO;
    case Designacao:
        return r.DESIGNACAO;
    case Unidade:
        return r.UNIDADE;
    case CustoPadrao:
        return stepNumber(r.CUSTOPADRAO);
    case Prod1:
        return stepNumber(r.PRODUCAO1);
    case Acerto1:
        return stepNumber(r.ACERTO1);
    case Prod2:
        return stepNumber(r.PRODUCAO2);
    case Acerto2:
        return stepNumber(r.ACERTO2);
    case TipoPrd:
        return r.TIPOPRD;
    case Tempo:
        return stepNumber(r.QTD);
    case Preco:
        return stepNumber(r.PRECO);
    case Custo:
        return stepNumber(r.CUSTO);
    default:
        return {};
    }
}

bool MachineRowsModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid())
        return false;
    const Column column = columnAt(index.column());
    bool accepted = false;
    if (column == Ok && role == Qt::CheckStateRole) {
        logic_.okLeft(index.row(), value.toInt() == Qt::Checked);
        accepted = true;
    } else if (role == Qt::EditRole) {
        if (auto* typed = dynamic_cast<MachineStep*>(&logic_); typed && column == Tempo)
            accepted = typed->timeLeft(index.row(), value.toString());
        if (auto* cutter = dynamic_cast<UltrasoundStep*>(&logic_); cutter && column == TipoPrd)
            accepted = cutter->modeLeft(index.row(), value.toString());
    }
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), columnCount() - 1));
    return accepted;
}

Qt::ItemFlags MachineRowsModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    const Column column = columnAt(index.column());
    if (column == Ok)
        f |= Qt::ItemIsUserCheckable;
    if ((column == Tempo && !ultrasound()) || column == TipoPrd)
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant MachineRowsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    static const char* const titles[] = {"Código",      "Designação", "Und",       "Preço Padrão", "Prod. I",
                                         "Acerto I",    "Prod. II",   "Acerto II", "OK",           "T.P.?",
                                         "Tempo (Min)", "Preço",      "Custo"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    const Column column = columnAt(section);
    if (column == Tempo && ultrasound())
        return QStringLiteral("Tempo");
    return QString::fromUtf8(titles[column]);
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
