#include "table_screen.h"

#include "field_input.h"

namespace corvane::reference {

namespace {
const QString kCode = QStringLiteral("CODIGO");
}

TableScreen::TableScreen(TableScreenConfig config, db::Dataset& dataset, ScreenView& view,
                         db::UpdateErrorHandler onError)
    : view_(view), config_(std::move(config)), ds_(&dataset), onError_(std::move(onError)) {}

TableScreen::~TableScreen() = default;

bool TableScreen::activate(const shell::AccessRights& rights, const QString& signature) {
    view_.statusText(1, signature);
    buttons_ = shell::DisableAcessosBotoes(shell::RightsForm::A, rights);
    settling_ = true;
    inserting_ = false;
    editing_ = false;
    QString error;
    if (!openMore(&error) || !reopen()) {
        if (!error.isEmpty())
            view_.message(error);
        return false;
    }
    current_ = ds_->rowCount() > 0 ? 0 : -1;
    showCode();
    view_.focusField(kGrid);
    return true;
}

bool TableScreen::reopen() {
    QString error;
    if (!ds_->reopen(&error) || !ds_->fetchAll(&error)) {
        view_.message(error);
        return false;
    }
    return true;
}

void TableScreen::setCurrentRow(int row) {
    if (editing_ || row < -1 || row >= ds_->rowCount())
        return;
    current_ = row;
    showCode();
}

void TableScreen::showCode() {
    codeText_ = current_ >= 0 ? ds_->text(current_, kCode) : QString();
    rowShown();
}

QString TableScreen::firstInput() const {
    return config_.fields.isEmpty() ? kCodeInput : config_.fields.first().input;
}

QVariant TableScreen::value(const QString& column) const {
    return current_ >= 0 && current_ < ds_->rowCount() ? ds_->value(current_, column) : QVariant();
}

void TableScreen::setValue(const QString& column, const QVariant& value) {
    if (current_ >= 0 && current_ < ds_->rowCount())
        ds_->setValue(current_, column, value);
}

QString TableScreen::fieldText(const QString& column) const {
    const QVariant v = value(column);
    if (v.isNull())
        return {};
    const FieldRule* rule = config_.field(column);
    if (rule && rule->kind == FieldKind::Number)
        return QString::number(v.toDouble(), 'g', 15);
    return v.toString();
}

void TableScreen::gridExit() {
    editing_ = true;
    if (inserting_)
        return;
    remembered_ = value(kCode);
    view_.focusField(firstInput());
}

bool TableScreen::gridEnter() {
    editing_ = false;
    if (!settling_) {
        QString error;
        if (ds_->hasPendingUpdates() && !ds_->applyUpdates(onError_, &error)) {
            // The changes stay in the buffer: the user corrects them or cancels.
            if (!error.isEmpty() && !(ds_->reportsErrors() && onError_))
                view_.message(error);
            editing_ = true;
            view_.focusField(firstInput());
            return false;
        }
        reopen();
    }
    const int row = remembered_.isNull() ? -1 : ds_->locate(kCode, remembered_);
    if (row >= 0)
        current_ = row;
    else if (current_ >= ds_->rowCount())
        current_ = ds_->rowCount() - 1;
    inserting_ = false;
    settling_ = false;
    showCode();
    return true;
}

void TableScreen::insert() {
    inserting_ = true;
    ds_->fetchAll();
    const int last = ds_->rowCount() - 1;
    const int next = last >= 0 ? ds_->integer(last, kCode) + 1 : 1;
    current_ = ds_->append();
    codeText_ = config_.proposeCode ? QString::number(next) : QString();
    remembered_ = QVariant();
    rowShown();
    view_.focusField(kCodeInput);
}

bool TableScreen::codeExit(const QString& text) {
    if (!inserting_)
        return true;
    codeText_ = text;
    if (text.trimmed().isEmpty()) {
        view_.beep();
        return false;
    }
    QVariant code;
    if (config_.codeLength > 0) {
        code = text.left(config_.codeLength);
    } else {
        int n = 0;
        QString message;
        if (!readWholeNumber(text, &n, &message))
            return refuse(kCodeInput, message);
        if (n <= 0 || n > config_.codeMax)
            return refuse(kCodeInput, config_.invalidCodeMessage);
        if (config_.smallIntegerCode && !withinSmallInteger(n, &message))
            return refuse(kCodeInput, message);
        code = n;
    }
    const QString key = code.toString();
    for (int r = 0; r < ds_->rowCount(); ++r) {
        if (r == current_ || ds_->rowKind(r) == db::UpdateKind::Inserted || ds_->value(r, kCode).isNull() ||
            ds_->text(r, kCode).trimmed() != key.trimmed())
            continue;
        remembered_ = ds_->value(r, kCode);
        view_.beep();
        view_.message(config_.existsMessage);
        ds_->cancelUpdates();
        current_ = ds_->locate(kCode, remembered_);
        view_.focusField(kGrid);
        return false;
    }
    setValue(kCode, code);
    remembered_ = code;
    view_.focusField(firstInput());
    return true;
}

bool TableScreen::fieldExit(const QString& column, const QString& text) {
    const FieldRule* rule = config_.field(column);
    if (!rule || rule->readOnly)
        return true;
    if (settling_ && !rule->checkWhileSettling)
        return true;
    QVariant converted;
    if (!checkField(*rule, text, &converted))
        return false;
    if (settling_ || current_ < 0)
        return true;
    setValue(column, converted);
    fieldStored(*rule);
    return true;
}

bool TableScreen::checkField(const FieldRule& rule, const QString& text, QVariant* out) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        if (!rule.emptyMessage.isEmpty())
            return refuse(rule.input, rule.emptyMessage);
        if (!rule.allowed.isEmpty())
            return refuse(rule.input, rule.allowedMessage);
        *out =
            rule.kind == FieldKind::Text || rule.kind == FieldKind::Upper ? QVariant(QString()) : QVariant();
        return true;
    }
    QString message;
    switch (rule.kind) {
    case FieldKind::Text:
        *out = rule.maxLength > 0 ? text.left(rule.maxLength) : text;
        break;
    case FieldKind::Upper:
        *out = (rule.maxLength > 0 ? text.left(rule.maxLength) : text).toUpper();
        break;
    case FieldKind::Whole:
    case FieldKind::SmallWhole: {
        int n = 0;
        if (!readWholeNumber(text, &n, &message))
            return refuse(rule.input, message);
        if (rule.kind == FieldKind::SmallWhole && !withinSmallInteger(n, &message))
            return refuse(rule.input, message);
        if (rule.max >= rule.min && (n < rule.min || n > rule.max))
            return refuse(rule.input, rule.rangeMessage);
        *out = n;
        break;
    }
    case FieldKind::Number: {
        double d = 0;
        if (!readNumber(text, &d, &message))
            return refuse(rule.input, message);
        *out = d;
        break;
    }
    }
    if (!rule.allowed.isEmpty() && !rule.allowed.contains(out->toString()))
        return refuse(rule.input, rule.allowedMessage);
    return true;
}

bool TableScreen::refuse(const QString& input, const QString& message) {
    Q_UNUSED(input);
    view_.beep();
    view_.message(message);
    return false;
}

void TableScreen::cancel() {
    inserting_ = false;
    settling_ = true;
    ds_->cancelUpdates();
    const int row = remembered_.isNull() ? -1 : ds_->locate(kCode, remembered_);
    current_ = row >= 0 ? row : qMin(qMax(current_, 0), ds_->rowCount() - 1);
    showCode();
    if (editing_)
        view_.focusField(kGrid);
    else
        gridEnter();
}

bool TableScreen::remove() {
    if (current_ < 0 || !view_.confirm(kDeleteQuestion))
        return false;
    const int row = current_;
    QString error;
    if (!beforeRemove(&error)) {
        view_.message(error);
        return false;
    }
    ds_->remove(row);
    const bool written = ds_->applyUpdates(onError_, &error);
    if (!written) {
        if (!error.isEmpty() && !(ds_->reportsErrors() && onError_))
            view_.message(error);
        ds_->cancelUpdates();
    }
    reopen();
    current_ = qMin(row, ds_->rowCount() - 1);
    showCode();
    return written;
}

void TableScreen::close() {
    ds_->cancelUpdates();
    ds_->close();
    closeMore();
    editing_ = false;
    inserting_ = false;
}

} // namespace corvane::reference
