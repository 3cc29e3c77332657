#include "page_size_dialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <limits>

namespace corvane::reference {

namespace {
QSpinBox* sizeInput(const QString& name, QWidget* parent) {
    auto* s = new QSpinBox(parent);
    s->setObjectName(name);
    s->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max()); // no bounds
    return s;
}
} // namespace

TPrintersize::TPrintersize(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Seleccione o Tamanho"));
    WidthSpinEdit = sizeInput(QStringLiteral("WidthSpinEdit"), this);
    HeigthSpinEdit = sizeInput(QStringLiteral("HeigthSpinEdit"), this);

    auto* sizes = new QGridLayout;
    sizes->addWidget(new QLabel(QStringLiteral("Largura"), this), 0, 0);
    sizes->addWidget(new QLabel(QStringLiteral("Altura"), this), 0, 2);
    sizes->addWidget(WidthSpinEdit, 1, 0);
    sizes->addWidget(new QLabel(QStringLiteral("X"), this), 1, 1);
    sizes->addWidget(HeigthSpinEdit, 1, 2);

    auto* group = new QGroupBox(QStringLiteral(" Tamanho "), this);
    auto* groupLayout = new QVBoxLayout(group);
    choices_ = new QButtonGroup(this);
    const QStringList captions = PageSizeChoice::captions();
    for (int c = 0; c < captions.size(); ++c) {
        auto* b = new QRadioButton(captions[c], group);
        choices_->addButton(b, c);
        groupLayout->addWidget(b);
    }
    choices_->button(PageSizeChoice::kOriginal)->setChecked(true);
    connect(choices_, &QButtonGroup::idClicked, this, &TPrintersize::chosen);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(sizes);
    layout->addWidget(group);
    layout->addWidget(buttons);
}

void TPrintersize::showEvent(QShowEvent* event) {
    logic_.activate(QSize(WidthSpinEdit->value(), HeigthSpinEdit->value()));
    QDialog::showEvent(event);
}

void TPrintersize::chosen(int choice) {
    const QSize size = logic_.choose(choice);
    WidthSpinEdit->setValue(size.width());
    HeigthSpinEdit->setValue(size.height());
}

} // namespace corvane::reference
