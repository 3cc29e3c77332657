#include "machine_inks.h"

#include "articles/store/article_lists.h"
#include "core/rounding.h"
#include "screens/field_input.h"
#include "shell/access_rights.h"

namespace corvane::reference {

using screens::readNumber;
using screens::readWholeNumber;

namespace {
QString codeColumn(int line) {
    return QStringLiteral("CODIGO%1").arg(line);
}
QString percentColumn(int line) {
    return QStringLiteral("CONS_PERC%1").arg(line);
}
QString codeInput(int line) {
    return QStringLiteral("Edit_Codigo%1").arg(line);
}
QString percentInput(int line) {
    return QStringLiteral("Edit_Cons_Perc%1").arg(line);
}
bool noCode(const QString& text) {
    return text.trimmed().isEmpty() || text.trimmed() == QLatin1String("0");
}
} // namespace

MachineInks::MachineInks(db::Dataset& maquinasMp, db::Database& factura, QString machine, ScreenView& view,
                         db::UpdateErrorHandler onError)
    : mp_(&maquinasMp), articles_(factura, QStringLiteral("ARTIGOSMP"),
                                  articles::articleListSql(articles::ArticleList::MachineInks)),
      machine_(std::move(machine)), view_(view), onError_(std::move(onError)) {}

bool MachineInks::activate() {
    QString error;
    if (!articles_.reopen(&error) || !articles_.fetchAll(&error) || !mp_->reopen(&error) ||
        !mp_->fetchAll(&error)) {
        view_.message(error);
        return false;
    }
    row_ = mp_->locate(QStringLiteral("MAQNRO"), machine_);
    if (row_ < 0) {
        row_ = mp_->append();
        mp_->setValue(row_, QStringLiteral("MAQNRO"), machine_);
        for (int line = 1; line <= kLines; ++line) {
            mp_->setValue(row_, codeColumn(line), QString());
            mp_->setValue(row_, percentColumn(line), 0.0);
        }
    }
    showDesignations();
    view_.focusField(codeInput(1));
    return true;
}

QString MachineInks::articleName(const QString& code) const {
    for (int r = 0; r < articles_.rowCount(); ++r)
        if (articles_.text(r, QStringLiteral("CODIGO")).trimmed() == code.trimmed())
            return articles_.text(r, QStringLiteral("DESIGNACAO"));
    return {};
}

void MachineInks::showDesignations() {
    for (QString& d : designations_)
        d.clear();
    for (int line = 1; line <= kLines; ++line) {
        const QString name = articleName(code(line));
        if (name.isEmpty())
            break;
        designations_[line - 1] = name;
    }
}

bool MachineInks::readOnly() const {
    return row_ >= 0 && !shell::mayWriteRow(*mp_, row_);
}

QString MachineInks::code(int line) const {
    return row_ >= 0 ? mp_->text(row_, codeColumn(line)) : QString();
}

double MachineInks::percent(int line) const {
    return row_ >= 0 ? mp_->number(row_, percentColumn(line)) : 0.0;
}

void MachineInks::codeExit(int line, const QString& text) {
    if (readOnly())
        return;
    mp_->setValue(row_, codeColumn(line), text.trimmed());
    if (!noCode(text)) {
        designations_[line - 1] = articleName(text);
        return;
    }
    designations_[line - 1].clear();
    mp_->setValue(row_, percentColumn(line), 0.0);
    view_.focusField(codeInput(line % kLines + 1));
}

void MachineInks::choose(int line, int articleRow) {
    if (articleRow < 0 || articleRow >= articles_.rowCount())
        return;
    codeExit(line, articles_.text(articleRow, QStringLiteral("CODIGO")));
}

bool MachineInks::percentExit(int line, const QString& text) {
    if (readOnly())
        return true;
    double share = 0;
    QString message;
    if (!text.trimmed().isEmpty() && !readNumber(text, &share, &message)) {
        view_.beep();
        view_.message(message);
        return false;
    }
    mp_->setValue(row_, percentColumn(line), share);
    return true;
}

bool MachineInks::validate() {
    for (int line = 1; line <= kLines; ++line)
        if (noCode(code(line)) && percent(line) != 0) {
            view_.beep();
            view_.focusField(codeInput(line));
            return false;
        }
    for (int line = 1; line <= kLines; ++line)
        if (!noCode(code(line)) && percent(line) == 0) {
            view_.beep();
            view_.focusField(percentInput(line));
            return false;
        }
    double sum = 0;
    for (int line = 1; line <= kLines; ++line)
        sum += percent(line);
    if (roundTo(sum, 6) != 100.0) {
        view_.beep();
        view_.message(QStringLiteral("A soma do consumo de todos os produtos tem de ser = 100%"));
        view_.focusField(codeInput(1));
        return false;
    }
    return true;
}

bool MachineInks::finish() {
    if (readOnly()) { // nothing could be typed: nothing to write
        cancel();
        return true;
    }
    if (!validate())
        return false;
    QString error;
    if (!mp_->applyUpdates(onError_, &error)) {
        if (!error.isEmpty())
            view_.message(error);
        return false;
    }
    mp_->close();
    articles_.close();
    return true;
}

bool MachineInks::closeRequested() {
    if (readOnly()) {
        cancel();
        return true;
    }
    if (!validate())
        return false;
    cancel();
    return true;
}

void MachineInks::cancel() {
    mp_->cancelUpdates();
    mp_->close();
    articles_.close();
}

} // namespace corvane::reference
