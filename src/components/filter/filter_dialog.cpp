#include "filter_dialog.h"

#include "components/message_box.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvane::components {

namespace {

QString joinWord(FilterJoin join) {
    return join == FilterJoin::And ? QStringLiteral("E") : QStringLiteral("Ou");
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

FilterDialog::FilterDialog(QList<FilterField> fields, const RowFilter& current, const QString& defaultField,
                           QWidget* parent)
    : QDialog(parent), fields_(std::move(fields)), lines_(current.lines()), opened_(lines_),
      filter_(current) {
    setObjectName(QStringLiteral("Seleccione"));
    setWindowTitle(QStringLiteral("Seleccione"));

    join_ = new QLabel(this);
    join_->setObjectName(QStringLiteral("Label_Juncao"));
    join_->setMinimumWidth(24);
    field_ = new QComboBox(this);
    field_->setObjectName(QStringLiteral("Combo_Campo"));
    for (const FilterField& f : fields_)
        field_->addItem(f.title, f.name);
    field_->setCurrentIndex(std::max(0, field_->findData(defaultField, Qt::UserRole, Qt::MatchFixedString)));
    value_ = new QLineEdit(this);
    value_->setObjectName(QStringLiteral("Edit_Valor"));
    auto* help = new QLabel(QStringLiteral("Texto: o campo começa pelo valor; % vale por qualquer texto.\n"
                                           "Números: iguais. Datas: dd/mm/aaaa.\n"
                                           "e (and), ou (or) e nulo (null) combinam e testam valores; "
                                           "plicas: 'D''Almeida'"),
                            this);
    help->setObjectName(QStringLiteral("Label_Ajuda"));
    help->setWordWrap(true);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("Lista_Condicoes"));

    QPushButton* andButton = button(this, "BotE", QStringLiteral("E"));
    QPushButton* orButton = button(this, "BotOu", QStringLiteral("Ou"));
    QPushButton* remove = button(this, "BotRemover", QStringLiteral("Remover"));
    QPushButton* clearAll = button(this, "BotLimpar", QStringLiteral("Limpar"));
    QPushButton* ok = button(this, "BotOk", QStringLiteral("OK"));
    QPushButton* cancel = button(this, "BotCancelar", QStringLiteral("Cancelar"));
    andButton->setToolTip(QStringLiteral("Acrescenta a condição; a seguinte junta-se com E"));
    orButton->setToolTip(QStringLiteral("Acrescenta a condição; a seguinte junta-se com Ou"));
    ok->setDefault(true);

    auto* entry = new QGridLayout;
    entry->addWidget(new QLabel(QStringLiteral("Campo"), this), 0, 1);
    entry->addWidget(new QLabel(QStringLiteral("Valor"), this), 0, 2);
    entry->addWidget(join_, 1, 0);
    entry->addWidget(field_, 1, 1);
    entry->addWidget(value_, 1, 2);
    entry->addWidget(andButton, 1, 3);
    entry->addWidget(orButton, 1, 4);
    entry->setColumnStretch(2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(remove);
    buttons->addWidget(clearAll);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(entry);
    layout->addWidget(help);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);
    resize(560, 320);

    connect(andButton, &QPushButton::clicked, this, [this] { addTyped(FilterJoin::And); });
    connect(orButton, &QPushButton::clicked, this, [this] { addTyped(FilterJoin::Or); });
    connect(remove, &QPushButton::clicked, this, [this] {
        const int row = list_->currentRow();
        if (row < 0 || row >= lines_.size())
            return;
        lines_.removeAt(row);
        if (!lines_.isEmpty())
            lines_.first().join = FilterJoin::And; // the first line joins nothing
        showLines();
    });
    connect(clearAll, &QPushButton::clicked, this, [this] {
        lines_.clear();
        pending_ = FilterJoin::And;
        showLines();
        value_->setFocus();
    });
    connect(ok, &QPushButton::clicked, this, &FilterDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &FilterDialog::reject);
    showLines();
    value_->setFocus();
}

void FilterDialog::showLines() {
    list_->clear();
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        const FilterLine& line = lines_.at(i);
        QString title = line.field;
        for (const FilterField& f : fields_)
            if (f.name.compare(line.field, Qt::CaseInsensitive) == 0)
                title = f.title;
        const QString text = QStringLiteral("%1: %2").arg(title, line.value.trimmed());
        list_->addItem(i == 0 ? text : joinWord(line.join) + QLatin1Char(' ') + text);
    }
    join_->setText(lines_.isEmpty() ? QString() : joinWord(pending_));
}

void FilterDialog::refuse(const QString& message) {
    plainWarning(this, windowTitle(), message);
    value_->setFocus();
    value_->selectAll();
}

bool FilterDialog::addTyped(FilterJoin next) {
    if (!value_->text().trimmed().isEmpty()) {
        const FilterLine line{field_->currentData().toString(), value_->text().trimmed(), pending_};
        QString error;
        if (!RowFilter::check(fields_, line, &error)) {
            refuse(error);
            return false;
        }
        lines_ << line;
        value_->clear();
    }
    pending_ = next;
    showLines();
    value_->setFocus();
    return true;
}

void FilterDialog::accept() {
    // Reopened on a filter and a new condition typed: replace the old lines,
    // or join the new one to them.
    if (!value_->text().trimmed().isEmpty() && !lines_.isEmpty() && lines_ == opened_ &&
        plainMessage(this, QMessageBox::Question, windowTitle(), kReplaceQuestion,
                     QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes) {
        lines_.clear();
        pending_ = FilterJoin::And;
    }
    if (!addTyped(pending_))
        return;
    QString error;
    std::optional<RowFilter> compiled = RowFilter::compile(fields_, lines_, &error);
    if (!compiled) {
        refuse(error);
        return;
    }
    filter_ = std::move(*compiled);
    QDialog::accept();
}

std::optional<RowFilter> FilterDialog::ask(QWidget* parent, const QList<FilterField>& fields,
                                           const RowFilter& current, const QString& defaultField) {
    FilterDialog dialog(fields, current, defaultField, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.filter();
}

} // namespace corvane::components
