#include "table_screen.h"

#include "core/number_input.h"
#include "field_input.h"

namespace corvane::screens {

const FieldRule* TableScreenConfig::field(const QString& column) const {
    for (const FieldRule& f : fields)
        if (f.column == column)
            return &f;
    return nullptr;
}

const FieldRule* TableScreenConfig::input(const QString& objectName) const {
    for (const FieldRule& f : fields)
        if (f.input == objectName)
            return &f;
    return nullptr;
}

void TableScreenConfig::setGrid(std::initializer_list<const char*> columns) {
    for (const char* pair : columns) {
        const QString text = QString::fromUtf8(pair);
        gridColumns << text.section(QLatin1Char('='), 0, 0);
        gridTitles << text.section(QLatin1Char('='), 1);
    }
}

TableScreen::TableScreen(TableScreenConfig config, db::Dataset& dataset, ScreenView& view,
                         db::UpdateErrorHandler onError)
    : view_(view), config_(std::move(config)), ds_(&dataset), onError_(std::move(onError)) {
    if (!config_.table.columns.isEmpty()) {
        describeFields(config_.fields, config_.table);
        for (const db::Column& c : config_.table.columns)
            if (c.name == config_.codeColumn() && c.type == db::ColType::Text)
                config_.codeLength = c.length;
    }
}

TableScreen::~TableScreen() = default;

void TableScreen::addDataset(db::Dataset& dataset, bool openWithScreen) {
    lookups_.insert(dataset.name(), &dataset);
    if (openWithScreen && !opened_.contains(&dataset))
        opened_ << &dataset;
}

bool TableScreen::activate(const shell::AccessRights& rights, const QString& signature) {
    view_.statusText(1, signature);
    buttons_ = shell::DisableAcessosBotoes(shell::RightsForm::A, rights);
    buttons_.change = rights.mayChange();
    ds_->setWriteRights(shell::writeRights(rights));
    settling_ = true;
    inserting_ = false;
    editing_ = false;
    QString error;
    for (db::Dataset* ds : std::as_const(opened_))
        if (!ds->reopen(&error) || !ds->fetchAll(&error)) {
            view_.message(error);
            return false;
        }
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
    codeText_ = current_ >= 0 ? ds_->text(current_, config_.codeColumn()) : QString();
    describeRow();
    rowShown();
}

int TableScreen::lookupRow(const FieldRule& rule, const QVariant& key) const {
    db::Dataset* ds = lookups_.value(rule.lookup.dataset);
    if (!ds || key.isNull())
        return -1;
    QVariant wanted = key;
    if (rule.lookup.keyLength > 0 && key.metaType().id() == QMetaType::QString)
        wanted = key.toString().left(rule.lookup.keyLength);
    return findKey(*ds, rule.lookup.keyColumn, wanted);
}

void TableScreen::describeRow() {
    for (const FieldRule& rule : config_.fields) {
        if (!rule.lookup.isSet() || rule.lookup.labelColumn.isEmpty())
            continue;
        const int row = lookupRow(rule, value(rule.column));
        labels_.insert(rule.column,
                       row >= 0 ? lookups_.value(rule.lookup.dataset)->text(row, rule.lookup.labelColumn)
                                : QString());
    }
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
    const FieldRule* rule = config_.field(column);
    if (rule && rule->kind == FieldKind::Number && !v.isNull())
        return numberText(v.toDouble());
    return displayText(v);
}

QVariantList TableScreen::keyOf(int row) const {
    QVariantList key;
    for (const QString& c : config_.keyColumns)
        key << ds_->value(row, c);
    return key;
}

int TableScreen::locateKey(const QVariantList& key) const {
    if (key.isEmpty())
        return -1;
    for (int r = 0; r < ds_->rowCount(); ++r) {
        const QVariantList k = keyOf(r);
        bool same = true;
        for (int i = 0; same && i < k.size(); ++i)
            same = sameKey(k[i], key.value(i));
        if (same)
            return r;
    }
    return -1;
}

void TableScreen::gridExit() {
    editing_ = true;
    touched_ = false;
    if (inserting_)
        return;
    remembered_ = current_ >= 0 ? keyOf(current_) : QVariantList();
    if (current_ >= 0 && !ds_->rowChanged(current_)) {
        QString error;
        const db::Dataset::RowRead read = ds_->refreshRow(current_, &error);
        if (read == db::Dataset::RowRead::Gone) {
            // Another user deleted it: nothing to edit.
            view_.beep();
            view_.message(error);
            editing_ = false;
            current_ = qMin(current_, ds_->rowCount() - 1);
            showCode();
            view_.focusField(kGrid);
            return;
        }
        if (read == db::Dataset::RowRead::Failed)
            view_.message(error);
        showCode();
    }
    view_.focusField(firstInput());
}

void TableScreen::rereadAfterFailure(const QString& error) {
    if (inserting_ || current_ < 0 || error != db::kChangedByOther)
        return;
    QString readError;
    if (ds_->refreshRow(current_, &readError) == db::Dataset::RowRead::Current) {
        describeRow();
        view_.message(
            QStringLiteral("Os valores agora gravados foram lidos e os seus mantidos: volte à grelha "
                           "para os gravar, ou Cancelar para os abandonar."));
    }
}

bool TableScreen::gridEnter() {
    editing_ = false;
    if (!settling_) {
        QString error;
        const bool pending = ds_->hasPendingUpdates();
        if (pending && !ds_->applyUpdates(onError_, &error)) {
            // The changes stay in the buffer: the user corrects them or cancels.
            if (!error.isEmpty() && !ds_->failureReported())
                view_.message(error);
            rereadAfterFailure(error);
            editing_ = true;
            view_.focusField(firstInput());
            return false;
        }
        if (pending)
            view_.statusText(0, kRowWritten);
        reopen();
    }
    const int row = locateKey(remembered_);
    if (row >= 0)
        current_ = row;
    else if (current_ >= ds_->rowCount())
        current_ = ds_->rowCount() - 1;
    inserting_ = false;
    settling_ = false;
    touched_ = false;
    showCode();
    return true;
}

void TableScreen::insert() {
    if (!buttons_.insertAndCancel) {
        view_.beep();
        view_.message(db::notAllowedText(db::UpdateKind::Inserted));
        return;
    }
    inserting_ = true;
    touched_ = false;
    view_.statusText(0, QString());
    ds_->fetchAll();
    const int last = ds_->rowCount() - 1;
    const int next = last >= 0 ? ds_->integer(last, config_.codeColumn()) + 1 : 1;
    current_ = ds_->append();
    for (auto it = fixedKey_.cbegin(); it != fixedKey_.cend(); ++it)
        ds_->setValue(current_, it.key(), it.value());
    codeText_ = config_.proposeCode ? QString::number(next) : QString();
    remembered_.clear();
    describeRow();
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
    QVariantList key{code};
    for (int i = 1; i < config_.keyColumns.size(); ++i)
        key << fixedKey_.value(config_.keyColumns[i]);
    for (int r = 0; r < ds_->rowCount(); ++r) {
        if (r == current_ || ds_->rowKind(r) == db::UpdateKind::Inserted)
            continue;
        const QVariantList existing = keyOf(r);
        bool same = true;
        for (int i = 0; same && i < key.size(); ++i)
            same = sameKey(existing[i], key[i]);
        if (!same)
            continue;
        remembered_ = existing;
        view_.beep();
        view_.message(config_.existsMessage);
        ds_->cancelUpdates();
        current_ = locateKey(remembered_);
        view_.focusField(kGrid);
        return false;
    }
    setValue(config_.codeColumn(), code);
    touched_ = true;
    remembered_ = key;
    view_.focusField(firstInput());
    return true;
}

bool TableScreen::fieldExit(const QString& column, const QString& text) {
    const FieldRule* rule = config_.field(column);
    if (!rule || rule->readOnly || inputsReadOnly())
        return true;
    if (settling_ && !rule->checkWhileSettling)
        return true;
    if (rule->lookup.isSet() && !settling_)
        labels_.remove(column);
    QVariant converted;
    if (!checkField(*rule, text, &converted))
        return false;
    if (settling_ || current_ < 0)
        return true;
    setValue(column, converted);
    touched_ = true;
    describeRow();
    fieldStored(*rule);
    return true;
}

bool TableScreen::checkField(const FieldRule& rule, const QString& text, QVariant* out) {
    QString message;
    if (!convertField(rule, text, out, &message))
        return refuse(rule.input, message);
    if (rule.lookup.isSet() && !rule.lookup.notFoundMessage.isEmpty() && !out->isNull() &&
        !(out->metaType().id() == QMetaType::QString && out->toString().trimmed().isEmpty()) &&
        lookupRow(rule, *out) < 0)
        return refuse(rule.input, rule.lookup.notFoundMessage);
    return true;
}

QString TableScreen::chosenKey(const FieldRule& rule, int lookupRow) const {
    db::Dataset* ds = lookups_.value(rule.lookup.dataset);
    if (!ds || lookupRow < 0 || lookupRow >= ds->rowCount())
        return {};
    return ds->text(lookupRow, rule.lookup.keyColumn).trimmed();
}

bool TableScreen::refuse(const QString& input, const QString& message) {
    Q_UNUSED(input);
    view_.beep();
    view_.message(message);
    return false;
}

void TableScreen::cancel() {
    const bool wasInserting = inserting_;
    inserting_ = false;
    touched_ = false;
    settling_ = true;
    ds_->cancelUpdates();
    int row = locateKey(remembered_);
    // The row as stored now: one another user deleted meanwhile goes.
    if (!wasInserting && row >= 0 && ds_->refreshRow(row) == db::Dataset::RowRead::Gone)
        row = -1;
    current_ = row >= 0 ? row : qMin(qMax(current_, 0), ds_->rowCount() - 1);
    showCode();
    if (editing_)
        view_.focusField(kGrid);
    else
        gridEnter();
}

bool TableScreen::remove() {
    if (current_ >= 0 && !buttons_.remove) {
        view_.beep();
        view_.message(db::notAllowedText(db::UpdateKind::Deleted));
        return false;
    }
    if (current_ < 0 || !view_.confirm(kDeleteQuestion))
        return false;
    const int row = current_;
    QString error;
    // The row and what hangs on it go together, or nothing goes.
    db::UnitOfWork work(ds_->database());
    removeWith(work);
    ds_->remove(row);
    work.add(*ds_);
    const bool written = work.apply(onError_, &error);
    if (!written) {
        if (!error.isEmpty() && !ds_->failureReported())
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
    for (db::Dataset* ds : std::as_const(opened_))
        ds->close();
    closeMore();
    editing_ = false;
    inserting_ = false;
}

} // namespace corvane::screens
