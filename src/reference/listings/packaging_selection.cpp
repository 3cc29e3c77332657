#include "packaging_selection.h"
#include "components/message_box.h"

#include "db/dataset.h"
#include "listings.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace corvane::reference {

QString PackagingSelection::selectSql(ListingOrder order) {
    return order == ListingOrder::Numeric ? QStringLiteral("Select * From EMBALAGEM Order By CODIGO")
                                          : QStringLiteral("Select * From EMBALAGEM Order By DESIGNACAO");
}

bool PackagingSelection::apply(ListingOrder order, QString* error) {
    embalagem_.close();
    embalagem_.setSelectSql(selectSql(order));
    if (!embalagem_.open(error))
        return false;
    listing_.setOrder(order);
    return true;
}

TCORVFSPR007::TCORVFSPR007(db::Dataset& embalagem, TCORVFPR007& listing, QWidget* parent)
    : QDialog(parent), logic_(embalagem, listing), listing_(listing) {
    setWindowTitle(QStringLiteral("Tipos de Embalagem"));
    auto* group = new QGroupBox(QStringLiteral(" Ordenação "), this);
    RadioNumerica = new QRadioButton(QStringLiteral("Numérica"), group);
    RadioAlfabetica = new QRadioButton(QStringLiteral("Alfabética"), group);
    RadioNumerica->setChecked(true);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(RadioNumerica);
    groupLayout->addWidget(RadioAlfabetica);

    BitImprimir = new QToolButton(this);
    BitImprimir->setObjectName(QStringLiteral("BitImprimir"));
    BitImprimir->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    BitImprimir->setToolTip(QStringLiteral("Imprimir"));
    BitTerminar = new QToolButton(this);
    BitTerminar->setObjectName(QStringLiteral("BitTerminar"));
    BitTerminar->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    BitTerminar->setToolTip(QStringLiteral("Terminar"));
    connect(BitImprimir, &QToolButton::clicked, this, &TCORVFSPR007::BitImprimirClick);
    connect(BitTerminar, &QToolButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitImprimir);
    buttons->addWidget(BitTerminar);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);

    previewer_ = [this](Listing& l) { l.preview(this); };
}

ListingOrder TCORVFSPR007::order() const {
    return RadioNumerica->isChecked() ? ListingOrder::Numeric : ListingOrder::Alphabetical;
}

void TCORVFSPR007::BitImprimirClick() {
    QString error;
    if (!logic_.apply(order(), &error)) {
        components::plainWarning(this, windowTitle(), error);
        return;
    }
    previewer_(listing_);
}

void TCORVFSPR007::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        focusNextChild(); // Enter moves on like Tab
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace corvane::reference
