#include "machines_form.h"

#include "reference/listings/listing.h"
#include "machine_inks_form.h"
#include "shell/data_modules.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace corvane::reference {

using screens::TableScreen;

TCORVF003::TCORVF003(shell::TDTCORVANE& data, Links links, Listing* listing,
                     const screens::ScreenSetting& setting, QWidget* parent)
    : TableScreenForm(
          machinesScreen(),
          [&data, links, onError = setting.onError](ScreenView& view) -> std::unique_ptr<TableScreen> {
              return std::make_unique<MachinesScreen>(data.MAQUINAS, data.GRUPOMAQUINAS, *links.contab,
                                                      links.workingYear, view, onError);
          },
          listing, setting, parent),
      data_(data), links_(std::move(links)) {
    BotGrupoMaquinas = new QPushButton(QStringLiteral("Grupo de Máquinas"), this);
    BotGrupoMaquinas->setObjectName(QStringLiteral("BotGrupoMaquinas"));
    BotGrupoMaquinas->setToolTip(QStringLiteral("Abertura Grupo de Máquinas"));
    BotMatPrima = new QPushButton(QStringLiteral("Matéria Prima"), this);
    BotMatPrima->setObjectName(QStringLiteral("BotMatPrima"));
    BotMatPrima->setToolTip(QStringLiteral("Matéria Prima associada"));
    for (QPushButton* w : {BotGrupoMaquinas, BotMatPrima}) {
        w->setFocusPolicy(Qt::NoFocus);
        w->setAutoDefault(false);
        extras()->addWidget(w);
    }
    BotGrupoMaquinas->setEnabled(links_.groupsAllowed);
    connect(BotGrupoMaquinas, &QPushButton::clicked, this, &TCORVF003::BotGrupoMaquinasClick);
    connect(BotMatPrima, &QPushButton::clicked, this, &TCORVF003::BotMatPrimaClick);
}

void TCORVF003::refresh() {
    TableScreenForm::refresh();
    BotMatPrima->setEnabled(machines().inksAllowed());
}

void TCORVF003::BotGrupoMaquinasClick() {
    data_.GRUPOMAQUINAS.close();
    if (links_.openGroups)
        links_.openGroups();
    data_.GRUPOMAQUINAS.reopen();
    data_.GRUPOMAQUINAS.fetchAll();
    refresh();
}

void TCORVF003::BotMatPrimaClick() {
    const QString machine = machines().machineCode();
    if (machine.isEmpty() || !links_.factura)
        return;
    TCORVF003A inks(data_.MAQUINASMP, *links_.factura, machine, machines().machineName(), setting(), this);
    inks.exec();
}

} // namespace corvane::reference
