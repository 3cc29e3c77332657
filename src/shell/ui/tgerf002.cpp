#include "tfacfmenu.h"

#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace corvane::shell {

namespace {
// The dialog carries its captions in Portuguese and Spanish and shows the
// Portuguese ones.
struct Captions {
    const char* company;
    const char* date;
    const char* user;
    const char* leave;
};
constexpr Captions kPortuguese{"Empresa : ", "Data : ", "Utilizador : ", "&Sair"};
[[maybe_unused]] constexpr Captions kSpanish{"Compañia : ", "Fecha : ", "Usuario:", "&Salir"};
} // namespace

void showCompanyAndDateDialog(QWidget* parent, const QString& company, const QDateTime& date,
                              const QString& user) {
    const Captions& c = kPortuguese;
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("GERF002"));
    dialog.setWindowTitle(QStringLiteral("Empresa e Data"));
    auto* grid = new QGridLayout(&dialog);
    auto add = [&](int row, const char* caption, const QString& value, const char* name) {
        grid->addWidget(new QLabel(QString::fromUtf8(caption), &dialog), row, 0);
        auto* v = new QLabel(value, &dialog);
        v->setObjectName(QString::fromLatin1(name));
        grid->addWidget(v, row, 1);
    };
    add(0, c.company, company, "Label_Empresa");
    add(1, c.date, date.isValid() ? date.date().toString(QStringLiteral("dd/MM/yyyy")) : QString(),
        "Label_Data");
    add(2, c.user, user.toUpper(), "Label_Utilizador");
    auto* leave = new QPushButton(QString::fromUtf8(c.leave), &dialog);
    leave->setObjectName(QStringLiteral("BotSair"));
    leave->setToolTip(QStringLiteral("Terminar "));
    QObject::connect(leave, &QPushButton::clicked, &dialog, &QDialog::accept);
    grid->addWidget(leave, 3, 1, Qt::AlignRight);
    dialog.exec();
}

} // namespace corvane::shell
