#include "machine_inks_form.h"

#include "components/form_conventions.h"
#include "components/lookup_dialog.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

namespace corvane::reference {

TCORVF003A::TCORVF003A(db::Dataset& maquinasMp, db::Database& factura, const QString& machine,
                       const QString& machineName, const ScreenSetting& setting, QWidget* parent)
    : QDialog(parent), view_(this, QStringLiteral("TCORVF003A"), setting.log),
      inks_(maquinasMp, factura, machine, view_, setting.onError) {
    setObjectName(QStringLiteral("TCORVF003A"));
    setWindowTitle(QStringLiteral("Associação de Matérias Primas"));
    components::paintBackground(this, components::kScreenColour);
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Máquina : "), this), 0, 0);
    auto* name = new QLabel(machineName, this);
    name->setObjectName(QStringLiteral("Label_Maquina"));
    grid->addWidget(name, 0, 1, 1, 3);
    int column = 0;
    for (const char* heading : {"Código", "Tintas", "Designação", "%/Total"})
        grid->addWidget(new QLabel(QString::fromUtf8(heading), this), 1, column++);
    for (int n = 1; n <= MachineInks::kLines; ++n) {
        QLineEdit*& code = codes_[n - 1];
        code = new QLineEdit(this);
        code->setObjectName(QStringLiteral("Edit_Codigo%1").arg(n));
        code->setMaxLength(16);
        code->installEventFilter(this);
        code->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(code, &QLineEdit::customContextMenuRequested, this, [this, code, n](const QPoint& at) {
            QMenu menu(code);
            QAction* find = menu.addAction(QStringLiteral("Procura Numérica"));
            if (menu.exec(code->mapToGlobal(at)) == find)
                lookup(n);
        });
        names_[n - 1] = new QLineEdit(this);
        names_[n - 1]->setObjectName(QStringLiteral("Edit_Design%1").arg(n));
        names_[n - 1]->setReadOnly(true);
        names_[n - 1]->setFocusPolicy(Qt::NoFocus);
        shares_[n - 1] = new QLineEdit(this);
        shares_[n - 1]->setObjectName(QStringLiteral("Edit_Cons_Perc%1").arg(n));
        grid->addWidget(code, n + 1, 0, 1, 2);
        grid->addWidget(names_[n - 1], n + 1, 2);
        grid->addWidget(shares_[n - 1], n + 1, 3);
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
    connect(finish, &QPushButton::clicked, this, [this] {
        if (inks_.finish()) {
            done_ = true;
            accept();
        }
    });
    connect(cancel, &QPushButton::clicked, this, [this] {
        inks_.cancel();
        done_ = true;
        reject();
    });

    auto* conventions = new components::FormConventions(this, &view_);
    conventions_ = conventions;
    for (int n = 1; n <= MachineInks::kLines; ++n) {
        QLineEdit* code = codes_[n - 1];
        QLineEdit* share = shares_[n - 1];
        conventions->setCheck(code, [this, code, n] {
            const bool stays = inks_.codeExit(n, code->text());
            refresh();
            return stays;
        });
        conventions->setCheck(share, [this, share, n] { return inks_.percentExit(n, share->text()); });
    }
}

TCORVF003A::~TCORVF003A() {
    delete conventions_;
}

void TCORVF003A::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (activated_)
        return;
    activated_ = true;
    if (!inks_.activate()) {
        done_ = true;
        QTimer::singleShot(0, this, &QDialog::reject);
        return;
    }
    refresh();
}

void TCORVF003A::refresh() {
    for (int n = 1; n <= MachineInks::kLines; ++n) {
        codes_[n - 1]->setText(inks_.code(n));
        names_[n - 1]->setText(inks_.designation(n));
        const double share = inks_.percent(n);
        shares_[n - 1]->setText(QString::number(share, 'g', 15));
    }
}

void TCORVF003A::lookup(int line) {
    const int row =
        components::LookupDialog::choose(this, inks_.articles(),
                                         {{QStringLiteral("CODIGO"), QStringLiteral("Código")},
                                          {QStringLiteral("DESIGNACAO"), QStringLiteral("Designação")}},
                                         QStringLiteral("DESIGNACAO"), false);
    if (row < 0)
        return;
    inks_.choose(line, row);
    refresh();
}

bool TCORVF003A::eventFilter(QObject* watched, QEvent* event) {
    for (int n = 1; n <= MachineInks::kLines; ++n) {
        if (watched != codes_[n - 1])
            continue;
        if (event->type() == QEvent::FocusIn)
            line_ = n;
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Insert) {
            lookup(n);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TCORVF003A::done(int result) {
    if (done_)
        conventions_->setChecksEnabled(false);
    QDialog::done(result);
}

void TCORVF003A::reject() {
    // Esc leaves as the close box does.
    if (!done_ && !inks_.closeRequested())
        return;
    done_ = true;
    QDialog::reject();
}

void TCORVF003A::closeEvent(QCloseEvent* event) {
    if (done_ || inks_.closeRequested()) {
        done_ = true;
        event->accept();
        return;
    }
    event->ignore();
}

} // namespace corvane::reference
