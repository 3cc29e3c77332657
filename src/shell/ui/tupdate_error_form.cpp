#include "tupdate_error_form.h"

#include <QColor>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>

namespace corvane::shell {

namespace {
QString asText(const QVariant& v) {
    if (v.isNull())
        return {};
    if (v.metaType().id() == QMetaType::QDateTime)
        return v.toDateTime().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
    return v.toString();
}
} // namespace

TUpdateErrorForm::TUpdateErrorForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("UpdateErrorForm"));
    setWindowTitle(QStringLiteral("Erro de actualização no Servidor"));
    auto* grid = new QGridLayout(this);
    auto* typeLabel = new QLabel(QStringLiteral("Tipo Actualização :"), this);
    UpdateType = new QLabel(this);
    UpdateType->setObjectName(QStringLiteral("UpdateType"));
    auto* errorLabel = new QLabel(QStringLiteral("Mensagem Erro :"), this);
    ErrorText = new QPlainTextEdit(this);
    ErrorText->setObjectName(QStringLiteral("ErrorText"));
    ErrorText->setReadOnly(true);
    ErrorText->setMaximumHeight(70);
    UpdateData = new QTableWidget(0, 2, this);
    UpdateData->setObjectName(QStringLiteral("UpdateData"));
    UpdateData->setHorizontalHeaderLabels({QStringLiteral("New Value"), QStringLiteral("Old Value")});
    UpdateData->setEditTriggers(QAbstractItemView::NoEditTriggers);
    UpdateData->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    grid->addWidget(typeLabel, 0, 0);
    grid->addWidget(UpdateType, 0, 1);
    grid->addWidget(errorLabel, 1, 0, Qt::AlignTop);
    grid->addWidget(ErrorText, 1, 1);
    grid->addWidget(UpdateData, 2, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    auto* retry = new QPushButton(QStringLiteral("&Repetir"), this);
    retry->setObjectName(QStringLiteral("RetryButton"));
    auto* skip = new QPushButton(QStringLiteral("&Ignorar"), this);
    skip->setObjectName(QStringLiteral("SkipButton"));
    auto* abort = new QPushButton(QStringLiteral("&Abortar"), this);
    abort->setObjectName(QStringLiteral("AbortButton"));
    buttons->addStretch();
    buttons->addWidget(retry);
    buttons->addWidget(skip);
    buttons->addWidget(abort);
    grid->addLayout(buttons, 3, 0, 1, 2);
    connect(retry, &QPushButton::clicked, this, [this] {
        answer_ = db::UpdateAction::Retry;
        accept();
    });
    connect(skip, &QPushButton::clicked, this, [this] {
        answer_ = db::UpdateAction::Skip;
        accept();
    });
    connect(abort, &QPushButton::clicked, this, &QDialog::reject);
    resize(520, 420);
}

void TUpdateErrorForm::fill(const db::UpdateFailure& f) {
    answer_ = db::UpdateAction::Abort;
    ErrorText->setPlainText(f.error);
    UpdateType->setText(db::updateKindText(f.kind));
    // A conflict shows, beside the user's values, what the other user left.
    const bool stored = f.conflict && !f.storedValues.isEmpty();
    UpdateData->setColumnCount(stored ? 3 : 2);
    QStringList titles{QStringLiteral("New Value"), QStringLiteral("Old Value")};
    if (stored)
        titles << QStringLiteral("Stored Value");
    UpdateData->setHorizontalHeaderLabels(titles);
    UpdateData->setRowCount(static_cast<int>(f.fields.size()));
    UpdateData->setVerticalHeaderLabels(f.fields);
    for (int i = 0; i < f.fields.size(); ++i) {
        UpdateData->setItem(i, 0, new QTableWidgetItem(asText(f.newValues.value(i))));
        UpdateData->setItem(i, 1, new QTableWidgetItem(asText(f.oldValues.value(i))));
        if (!stored)
            continue;
        auto* item = new QTableWidgetItem(asText(f.storedValues.value(i)));
        // The values another user changed stand out.
        if (!db::Dataset::sameValue(f.storedValues.value(i), f.oldValues.value(i)))
            item->setBackground(QColor(255, 255, 128));
        UpdateData->setItem(i, 2, item);
    }
}

db::UpdateAction TUpdateErrorForm::ask(const db::UpdateFailure& failure) {
    fill(failure);
    exec(); // any close but the two buttons leaves Abort
    return answer_;
}

db::UpdateErrorHandler TUpdateErrorForm::handler() {
    return [this](const db::UpdateFailure& f) { return ask(f); };
}

} // namespace corvane::shell
