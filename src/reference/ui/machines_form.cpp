#include "machines_form.h"

#include "components/lookup_dialog.h"
#include "machine_inks_form.h"
#include "shell/data_modules.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvane::reference {

TCORVF003::TCORVF003(shell::TDTCORVANE& data, Links links, Listing* listing, ScreenSetting setting,
                     QWidget* parent)
    : TableScreenForm(
          machinesScreen(),
          [&data, links, onError = setting.onError](ScreenView& view) -> std::unique_ptr<TableScreen> {
              return std::make_unique<MachinesScreen>(data.MAQUINAS, data.GRUPOMAQUINAS, *links.contab,
                                                      links.workingYear, view, onError);
          },
          listing, setting, parent),
      data_(data), links_(std::move(links)), setting_(std::move(setting)) {
    Label_GrupoMaquinas = new QLabel(this);
    Label_GrupoMaquinas->setObjectName(QStringLiteral("Label_GrupoMaquinas"));
    Label_CCusto = new QLabel(this);
    Label_CCusto->setObjectName(QStringLiteral("Label_CCusto"));
    BotGrupoMaquinas = new QPushButton(QStringLiteral("Grupo de Máquinas"), this);
    BotGrupoMaquinas->setObjectName(QStringLiteral("BotGrupoMaquinas"));
    BotGrupoMaquinas->setToolTip(QStringLiteral("Abertura Grupo de Máquinas"));
    BotMatPrima = new QPushButton(QStringLiteral("Matéria Prima"), this);
    BotMatPrima->setObjectName(QStringLiteral("BotMatPrima"));
    BotMatPrima->setToolTip(QStringLiteral("Matéria Prima associada"));
    for (QWidget* w : {static_cast<QWidget*>(Label_GrupoMaquinas), static_cast<QWidget*>(Label_CCusto),
                       static_cast<QWidget*>(BotGrupoMaquinas), static_cast<QWidget*>(BotMatPrima)}) {
        w->setFocusPolicy(Qt::NoFocus);
        extras()->addWidget(w);
    }
    BotGrupoMaquinas->setEnabled(links_.groupsAllowed);
    connect(BotGrupoMaquinas, &QPushButton::clicked, this, &TCORVF003::BotGrupoMaquinasClick);
    connect(BotMatPrima, &QPushButton::clicked, this, &TCORVF003::BotMatPrimaClick);
    for (const QString& name : {QStringLiteral("Edit_GrupoMaquinas"), QStringLiteral("Edit_CCusto")}) {
        QLineEdit* edit = input(name);
        edit->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(edit, &QLineEdit::customContextMenuRequested, this, [this, edit, name](const QPoint& at) {
            QMenu menu(edit);
            QAction* find = menu.addAction(QStringLiteral("Procurar"));
            if (menu.exec(edit->mapToGlobal(at)) == find)
                lookup(name, false);
        });
    }
}

void TCORVF003::refresh() {
    TableScreenForm::refresh();
    Label_GrupoMaquinas->setText(machines().groupLabel());
    Label_CCusto->setText(machines().costCentreLabel());
    BotMatPrima->setEnabled(machines().inksAllowed());
}

bool TCORVF003::lookup(const QString& name, bool alphabetical) {
    int row = -1;
    db::Dataset* ds = nullptr;
    if (name == QLatin1String("Edit_GrupoMaquinas")) {
        ds = &machines().groups();
        row =
            components::LookupDialog::choose(this, *ds,
                                             {{QStringLiteral("CODIGO"), QStringLiteral("Código")},
                                              {QStringLiteral("DESIGNACAO"), QStringLiteral("Designação")},
                                              {QStringLiteral("TIPOMAQ"), QStringLiteral("Tipo de Máquina")}},
                                             QStringLiteral("DESIGNACAO"), alphabetical);
    } else if (name == QLatin1String("Edit_CCusto")) {
        ds = &machines().costCentres();
        row = components::LookupDialog::choose(this, *ds,
                                               {{QStringLiteral("CODIGO"), QStringLiteral("C.Custo Nº")},
                                                {QStringLiteral("DESIGN"), QStringLiteral("Designação")}},
                                               QStringLiteral("DESIGN"), alphabetical);
    } else {
        return false;
    }
    if (row >= 0) {
        input(name)->setText(ds->text(row, QStringLiteral("CODIGO")).trimmed());
        runCheck(name);
    }
    return true;
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
    TCORVF003A inks(data_.MAQUINASMP, *links_.factura, machine, machines().machineName(), setting_, this);
    inks.exec();
}

} // namespace corvane::reference
