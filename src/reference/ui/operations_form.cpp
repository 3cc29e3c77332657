#include "operations_form.h"

#include "components/lookup_dialog.h"
#include "shell/data_modules.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QVBoxLayout>

namespace corvane::reference {

TCORVF002::TCORVF002(shell::TDTCORVANE& data, Listing* listing, ScreenSetting setting, QWidget* parent)
    : TableScreenForm(
          operationsScreen(),
          [&data, onError = setting.onError](ScreenView& view) -> std::unique_ptr<TableScreen> {
              return std::make_unique<OperationsScreen>(data.OPERACOES, data.TIPOCUSTO, view, onError);
          },
          listing, setting, parent) {
    LabelTipoCusto = new QLabel(this);
    LabelTipoCusto->setObjectName(QStringLiteral("LabelTipoCusto"));
    extras()->addWidget(LabelTipoCusto);
    QLineEdit* tc = input(QStringLiteral("Edit_TC"));
    tc->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tc, &QLineEdit::customContextMenuRequested, this, [this, tc](const QPoint& at) {
        QMenu menu(tc);
        QAction* find = menu.addAction(QStringLiteral("Procurar"));
        if (menu.exec(tc->mapToGlobal(at)) == find)
            lookup(QStringLiteral("Edit_TC"), false);
    });
}

void TCORVF002::refresh() {
    TableScreenForm::refresh();
    if (focusWidget() != input(QStringLiteral("Edit_TC")))
        operations().showRowLabel();
    LabelTipoCusto->setText(operations().costTypeLabel());
}

bool TCORVF002::lookup(const QString& input, bool alphabetical) {
    if (input != QLatin1String("Edit_TC"))
        return false;
    const int row =
        components::LookupDialog::choose(this, operations().costTypes(),
                                         {{QStringLiteral("CODIGO"), QStringLiteral("Código")},
                                          {QStringLiteral("DESIGNACAO"), QStringLiteral("Designação")},
                                          {QStringLiteral("CLAS"), QStringLiteral("Classe")}},
                                         QStringLiteral("DESIGNACAO"), alphabetical);
    const QString code = operations().chosenCostType(row);
    if (code.isEmpty())
        return true;
    TableScreenForm::input(QStringLiteral("Edit_TC"))->setText(code);
    runCheck(QStringLiteral("Edit_TC"));
    return true;
}

} // namespace corvane::reference
