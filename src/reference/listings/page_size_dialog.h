#pragma once

#include "page_size_choice.h"

#include <QDialog>

class QButtonGroup;
class QSpinBox;

namespace corvane::reference {

// "Seleccione o Tamanho": the printed size of a picture, typed or chosen as
// a multiple of the size the dialog starts with. The caller sets both inputs,
// shows the dialog modally and, after OK, reads them. Kept between uses.
class TPrintersize : public QDialog {
    Q_OBJECT
public:
    explicit TPrintersize(QWidget* parent = nullptr);

    QSpinBox* WidthSpinEdit = nullptr;
    QSpinBox* HeigthSpinEdit = nullptr;
    QButtonGroup* sizeChoice() const { return choices_; }
    const PageSizeChoice& choice() const { return logic_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void chosen(int choice);

    PageSizeChoice logic_;
    QButtonGroup* choices_ = nullptr;
};

} // namespace corvane::reference
