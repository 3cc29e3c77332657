#include "talterfpass.h"

#include "components/form_conventions.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace corvane::shell {

namespace {
// Hidden characters show as "#".
class HashMaskStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* ret) const override {
        if (hint == SH_LineEdit_PasswordCharacter)
            return '#';
        if (hint == SH_LineEdit_PasswordMaskDelay)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, ret);
    }
};

QLineEdit* passwordInput(QWidget* parent, const QString& name, QStyle* style) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setEchoMode(QLineEdit::Password);
    e->setStyle(style);
    QObject::connect(e, &QLineEdit::textEdited, e, [e](const QString& text) {
        const QString upper = text.toUpper();
        if (upper != text) {
            const int cursor = e->cursorPosition();
            e->setText(upper);
            e->setCursorPosition(cursor);
        }
    });
    return e;
}
} // namespace

TALTERFPASS::TALTERFPASS(SiteLog* log, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), view_(this, QStringLiteral("TALTERFPASS"), log),
      logic_(view_) {
    setObjectName(QStringLiteral("ALTERFPASS"));
    setWindowTitle(QStringLiteral("Alteração de Palavra Passe"));
    components::paintBackground(this, components::kScreenColour);
    auto* style = new HashMaskStyle;
    style->setParent(this);
    auto* grid = new QGridLayout(this);
    auto* title = new QLabel(windowTitle(), this);
    title->setObjectName(QStringLiteral("PanelTitulo"));
    title->setAlignment(Qt::AlignCenter);
    title->setFrameShape(QFrame::Panel);
    title->setFrameShadow(QFrame::Raised);
    QFont f = title->font();
    f.setBold(true);
    title->setFont(f);
    grid->addWidget(title, 0, 0, 1, 3);
    auto* label1 = new QLabel(QStringLiteral("Nova Palavra-Passe : "), this);
    auto* label2 = new QLabel(QStringLiteral("Confirme : "), this);
    Edit_Pass1 = passwordInput(this, QStringLiteral("Edit_Pass1"), style);
    Edit_Pass2 = passwordInput(this, QStringLiteral("Edit_Pass2"), style);
    grid->addWidget(label1, 1, 0);
    grid->addWidget(Edit_Pass1, 1, 1, 1, 2);
    grid->addWidget(label2, 2, 0);
    grid->addWidget(Edit_Pass2, 2, 1, 1, 2);
    auto* confirm = new QPushButton(QStringLiteral("&Confirmar"), this);
    confirm->setObjectName(QStringLiteral("BitTerminar"));
    confirm->setToolTip(QStringLiteral("Confirmar Alteração"));
    auto* cancel = new QPushButton(QStringLiteral("&Anular"), this);
    cancel->setObjectName(QStringLiteral("BotCancelar"));
    cancel->setToolTip(QStringLiteral("Cancelar Alteração"));
    // The buttons take no focus: pressing them runs their own checks only.
    confirm->setFocusPolicy(Qt::NoFocus);
    cancel->setFocusPolicy(Qt::NoFocus);
    confirm->setAutoDefault(false);
    cancel->setAutoDefault(false);
    grid->addWidget(confirm, 3, 1);
    grid->addWidget(cancel, 3, 2);

    auto* conventions = new components::FormConventions(this, &view_);
    conventions->bindLabel(Edit_Pass1, label1);
    conventions->bindLabel(Edit_Pass2, label2);
    conventions->setCheck(Edit_Pass1, [this] { return logic_.Edit_Pass1Exit(Edit_Pass1->text()); });
    conventions->setCheck(Edit_Pass2, [this] { return logic_.Edit_Pass2Exit(Edit_Pass2->text()); });
    connect(confirm, &QPushButton::clicked, this, [this] {
        if (logic_.BitTerminarClick(Edit_Pass1->text(), Edit_Pass2->text()))
            accept();
    });
    connect(cancel, &QPushButton::clicked, this, [this] {
        logic_.BotCancelarClick();
        reject();
    });
    resize(380, 150);
    if (const QScreen* s = QGuiApplication::primaryScreen())
        move(s->geometry().center() - rect().center());
}

void TALTERFPASS::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Once the inputs are visible, so that the focus can go to them.
    QTimer::singleShot(0, this, [this] { logic_.FormActivate(); });
}

} // namespace corvane::shell
