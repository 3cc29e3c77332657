#include "tgerfversao.h"
#include "components/message_box.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>

namespace corvane::shell {

namespace {
QLabel* label(QWidget* parent, const char* name, const QString& text = {}) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}
} // namespace

TGERFVERSAO::TGERFVERSAO(TDTVERSAO& versao, WorkingContext& ctx, QWidget* parent)
    : QDialog(parent), update_(versao, ctx, *this) {
    setObjectName(QStringLiteral("TGERFVERSAO"));
    setWindowTitle(kVersionCaption);
    setModal(true);
    Label_Anterior = label(this, "Label_Anterior", kVersionPrevious);
    Label_VersaoAnterior = label(this, "Label_VersaoAnterior");
    Label_Finalizada = label(this, "Label_Finalizada", kVersionFinished);
    Label_Sucesso = label(this, "Label_Sucesso", kVersionSuccess);
    Label_Nova = label(this, "Label_Nova", kVersionNew);
    Label_VersaoNova = label(this, "Label_VersaoNova");
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label_Anterior, 0, 0);
    grid->addWidget(Label_VersaoAnterior, 0, 1);
    grid->addWidget(Label_Finalizada, 1, 0, 1, 2, Qt::AlignHCenter);
    grid->addWidget(Label_Sucesso, 2, 0, 1, 2, Qt::AlignHCenter);
    grid->addWidget(Label_Nova, 3, 0);
    grid->addWidget(Label_VersaoNova, 3, 1);
    grid->addWidget(StatusBar1, 4, 0, 1, 2);
    grid->setColumnMinimumWidth(1, 80);
    for (QLabel* l : {Label_Finalizada, Label_Sucesso, Label_Nova, Label_VersaoNova})
        l->hide();
    resize(360, 160);
}

void TGERFVERSAO::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (activated_)
        return;
    activated_ = true;
    // The loop runs once the screen is on view.
    QTimer::singleShot(0, this, &TGERFVERSAO::FormActivate);
}

void TGERFVERSAO::FormActivate() {
    if (update_.run())
        accept();
    else
        reject();
}

void TGERFVERSAO::statusText(const QString& text) {
    StatusBar1->showMessage(text);
    StatusBar1->repaint();
}

void TGERFVERSAO::showVersion(const QString& version) {
    Label_VersaoAnterior->setText(version);
    Label_VersaoAnterior->repaint();
}

void TGERFVERSAO::showFinished(const QString& version) {
    Label_Anterior->hide();
    Label_VersaoAnterior->hide();
    Label_VersaoNova->setText(version);
    for (QLabel* l : {Label_Finalizada, Label_Sucesso, Label_Nova, Label_VersaoNova})
        l->show();
    repaint();
}

void TGERFVERSAO::failure(const QString& message) {
    QApplication::beep();
    components::plainWarning(this, kVersionCaption, message);
}

bool runVersionUpdate(QWidget* parent, WorkingContext& ctx, DataModules& modules) {
    TGERFVERSAO screen(*modules.versao, ctx, parent);
    return screen.exec() == QDialog::Accepted;
}

} // namespace corvane::shell
