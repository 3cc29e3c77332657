#include "machine_inks_form.h"

#include "components/form_conventions.h"
#include "core/number_input.h"
#include "reference/reference_tables.h"
#include "screens/ui/field_widgets.h"
#include "shell/access_rights.h"
#include "shell/version_steps.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace corvane::reference {

TCORVF003A::TCORVF003A(db::Dataset& maquinasMp, db::Database& factura, const QString& machine,
                       const QString& machineName, const screens::ScreenSetting& setting, QWidget* parent)
    : ScreenDialog(QStringLiteral("TCORVF003A"), QStringLiteral("Associação de Matérias Primas"), setting,
                   parent),
      inks_(maquinasMp, factura, machine, view(), setting.onError) {
    inks_.setWriteRights(shell::writeRights(setting.rights));
    const db::Table table = shell::atCurrentVersion(maquinasMpTable());
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Máquina : "), this), 0, 0);
    auto* name = new QLabel(machineName, this);
    name->setObjectName(QStringLiteral("Label_Maquina"));
    grid->addWidget(name, 0, 1, 1, 3);
    int column = 0;
    for (const char* heading : {"Código", "Tintas", "Designação", "%/Total"})
        grid->addWidget(new QLabel(QString::fromUtf8(heading), this), 1, column++);
    screens::LookupSpec inks;
    inks.dataset = inks_.articles().name();
    inks.columns = QStringList{QStringLiteral("CODIGO"), QStringLiteral("DESIGNACAO")};
    inks.titles = QStringList{QStringLiteral("Código"), QStringLiteral("Designação")};
    inks.labelColumn = QStringLiteral("DESIGNACAO");
    inks.menuEntries = QStringList{QStringLiteral("Procura Numérica")};
    auto* lookups = new screens::LookupWiring(this);
    for (int n = 1; n <= MachineInks::kLines; ++n) {
        QLineEdit*& code = codes_[n - 1];
        code = screens::makeInput(screens::fieldOf(table, QStringLiteral("CODIGO%1").arg(n),
                                                   QStringLiteral("Edit_Codigo%1").arg(n)),
                                  this);
        names_[n - 1] = new QLineEdit(this);
        names_[n - 1]->setObjectName(QStringLiteral("Edit_Design%1").arg(n));
        names_[n - 1]->setReadOnly(true);
        names_[n - 1]->setFocusPolicy(Qt::NoFocus);
        names_[n - 1]->setMinimumWidth(names_[n - 1]->fontMetrics().averageCharWidth() * 42);
        shares_[n - 1] = screens::makeInput(screens::fieldOf(table, QStringLiteral("CONS_PERC%1").arg(n),
                                                             QStringLiteral("Edit_Cons_Perc%1").arg(n)),
                                            this);
        grid->addWidget(code, n + 1, 0, 1, 2);
        grid->addWidget(names_[n - 1], n + 1, 2);
        grid->addWidget(shares_[n - 1], n + 1, 3);
        lookups->attach(
            code, inks, [this](const QString&) { return &inks_.articles(); },
            [this, code, n] {
                inks_.codeExit(n, code->text());
                refresh();
            });
    }
    auto* finish = new QPushButton(QStringLiteral("Terminar"), this);
    finish->setObjectName(QStringLiteral("BitTerminar"));
    auto* cancel = new QPushButton(QStringLiteral("Cancelar"), this);
    cancel->setObjectName(QStringLiteral("BitCancelar"));
    for (QPushButton* b : {finish, cancel}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
    }
    grid->addWidget(finish, MachineInks::kLines + 2, 2);
    grid->addWidget(cancel, MachineInks::kLines + 2, 3);
    grid->setColumnStretch(2, 1); // the designations take the width
    connectClosing(finish, [this] { return inks_.finish(); });
    connectDiscarding(cancel, [this] { inks_.cancel(); });

    components::FormConventions* conventions = installConventions();
    for (int n = 1; n <= MachineInks::kLines; ++n) {
        QLineEdit* code = codes_[n - 1];
        QLineEdit* share = shares_[n - 1];
        conventions->setCheck(code, [this, code, n] {
            inks_.codeExit(n, code->text());
            refresh();
            return true;
        });
        conventions->setCheck(share, [this, share, n] { return inks_.percentExit(n, share->text()); });
    }
}

bool TCORVF003A::activateScreen() {
    if (!inks_.activate())
        return false;
    if (inks_.readOnly())
        makeInputsReadOnly();
    refresh();
    return true;
}

void TCORVF003A::refresh() {
    for (int n = 1; n <= MachineInks::kLines; ++n) {
        codes_[n - 1]->setText(inks_.code(n));
        names_[n - 1]->setText(inks_.designation(n));
        names_[n - 1]->setCursorPosition(0); // a long designation shows its start
        if (shares_[n - 1] != focusWidget())
            shares_[n - 1]->setText(numberText(inks_.percent(n)));
    }
}

} // namespace corvane::reference
