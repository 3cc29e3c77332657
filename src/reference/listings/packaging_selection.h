#pragma once

#include "listing.h"

#include <QDialog>

#include <functional>

class QRadioButton;
class QToolButton;

namespace corvane::reference {

class TCORVFPR007;

// What the packaging selection does before the preview: reopens EMBALAGEM in
// the order chosen and sets the listing's order note.
class PackagingSelection {
public:
    PackagingSelection(db::Dataset& embalagem, TCORVFPR007& listing)
        : embalagem_(embalagem), listing_(listing) {}
    static QString selectSql(ListingOrder order);
    bool apply(ListingOrder order, QString* error);

private:
    db::Dataset& embalagem_;
    TCORVFPR007& listing_;
};

// "Tipos de Embalagem": the order of the packaging listing and its preview.
class TCORVFSPR007 : public QDialog {
    Q_OBJECT
public:
    TCORVFSPR007(db::Dataset& embalagem, TCORVFPR007& listing, QWidget* parent = nullptr);

    QRadioButton* RadioNumerica = nullptr;
    QRadioButton* RadioAlfabetica = nullptr;
    QToolButton* BitImprimir = nullptr;
    QToolButton* BitTerminar = nullptr;

    ListingOrder order() const;
    // What the preview button shows the listing with (the print preview, unless replaced).
    void setPreviewer(std::function<void(Listing&)> previewer) { previewer_ = std::move(previewer); }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BitImprimirClick();

    PackagingSelection logic_;
    TCORVFPR007& listing_;
    std::function<void(Listing&)> previewer_;
};

} // namespace corvane::reference
