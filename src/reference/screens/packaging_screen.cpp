#include "packaging_screen.h"

#include "articles/store/article_lists.h"
#include "core/number_input.h"
#include "reference/reference_tables.h"
#include "screens/field_input.h"
#include "shell/access_rights.h"

namespace corvane::reference {

using screens::readNumber;
using screens::readWholeNumber;

TableScreenConfig packagingScreen() {
    TableScreenConfig c =
        referenceScreen("TCORVF007", "Tipos de Embalagem", "Tipos de Embalagens", embalagemTable());
    c.smallIntegerCode = true;
    c.invalidCodeMessage = QStringLiteral("Codigo Inválido ... <Enter>");
    c.existsMessage = QStringLiteral("Registo já foi aberto ... <Enter>");
    FieldRule name;
    name.column = QStringLiteral("DESIGNACAO");
    name.input = QStringLiteral("Edit_Designacao");
    name.label = QStringLiteral("Designação : ");
    name.emptyMessage = QStringLiteral("Designação Inválida ...");
    FieldRule cost;
    cost.column = QStringLiteral("CUSTOFIXO");
    cost.input = QStringLiteral("Edit_CustoFixo");
    cost.label = QStringLiteral("Custo Hora : ");
    c.fields = {name, cost, costTypeField(QStringLiteral("TIPOCUSTO"))};
    c.setGrid({"CODIGO=Código", "DESIGNACAO=Designação", "CUSTOFIXO=Custo Fixo"});
    c.orderChoice = false;
    return c;
}

PackagingScreen::PackagingScreen(db::Dataset& embalagem, db::Dataset& tipoCusto, db::Dataset& embalagemMp,
                                 db::Database& factura, ScreenView& view, db::UpdateErrorHandler onError)
    : TableScreen(packagingScreen(), embalagem, view, std::move(onError)), mp_(&embalagemMp),
      articles_(factura, QStringLiteral("ARTIGOSNUM"),
                articles::articleListSql(articles::ArticleList::PurchaseUnits)) {
    addDataset(tipoCusto);
    addDataset(embalagemMp);
    addDataset(articles_);
}

int PackagingScreen::materialsRow() const {
    const QVariant code = value(QStringLiteral("CODIGO"));
    return code.isNull() || !mp_->isOpen() ? -1 : mp_->locate(QStringLiteral("CODIGO"), code);
}

void PackagingScreen::rowShown() {
    // The cost type shows only for a type with material lines.
    if (inserting() || materialsRow() < 0)
        setLabel(QStringLiteral("TIPOCUSTO"), QString());
}

PackagingMaterials::PackagingMaterials(db::Dataset& embalagemMp, db::Database& factura, int packaging,
                                       ScreenView& view)
    : mp_(&embalagemMp), byCode_(factura, QStringLiteral("ARTIGOSNUM"),
                                 articles::articleListSql(articles::ArticleList::PackagingMaterials)),
      byName_(factura, QStringLiteral("ARTIGOSALFA"),
              articles::articleListSql(articles::ArticleList::PackagingMaterials,
                                       articles::ArticleOrder::Designation)),
      packaging_(packaging), view_(view) {}

QString PackagingMaterials::input(const QString& kind, int line) {
    return line == 1 ? QStringLiteral("Edit_") + kind : QStringLiteral("Edit_%1%2").arg(kind).arg(line);
}

bool PackagingMaterials::activate() {
    QString error;
    for (db::Dataset* ds : {mp_, &byCode_, &byName_})
        if (!ds->reopen(&error) || !ds->fetchAll(&error)) {
            view_.message(error);
            return false;
        }
    row_ = mp_->locate(QStringLiteral("CODIGO"), packaging_);
    if (row_ < 0) {
        row_ = mp_->append();
        mp_->setValue(row_, QStringLiteral("CODIGO"), packaging_);
    }
    return true;
}

QString PackagingMaterials::text(const QString& column, int line) const {
    const QVariant v = row_ >= 0 ? mp_->value(row_, column + QString::number(line)) : QVariant();
    if (column == QLatin1String("QTD") || column == QLatin1String("PRECO"))
        return v.isNull() || v.toDouble() == 0 ? QString() : numberText(v.toDouble());
    return v.toString();
}

bool PackagingMaterials::readOnly() const {
    return row_ >= 0 && !shell::mayWriteRow(*mp_, row_);
}

void PackagingMaterials::set(const QString& column, int line, const QVariant& value) {
    if (readOnly())
        return;
    mp_->setValue(row_, column + QString::number(line), value);
}

void PackagingMaterials::enterArticle(int line) {
    entered_ = text(QStringLiteral("ARTNRO"), line);
}

void PackagingMaterials::articleExit(int line, const QString& typed) {
    if (readOnly())
        return;
    if (typed.trimmed().isEmpty()) {
        set(QStringLiteral("ARTNRO"), line, QString());
        set(QStringLiteral("DESIGNACAO"), line, QString());
        set(QStringLiteral("QTD"), line, 0.0);
        set(QStringLiteral("PRECO"), line, 0.0);
        return;
    }
    set(QStringLiteral("ARTNRO"), line, typed.trimmed());
    fill(line, typed.trimmed());
}

void PackagingMaterials::choose(int line, const QString& code) {
    set(QStringLiteral("ARTNRO"), line, code);
    fill(line, code);
}

void PackagingMaterials::fill(int line, const QString& code) {
    int r = -1;
    for (int i = 0; i < byCode_.rowCount() && r < 0; ++i)
        if (byCode_.text(i, byCode_.fields().value(0)).trimmed() == code)
            r = i;
    if (r < 0 || code == entered_.trimmed())
        return;
    // The price: last entry, else average cost, else standard cost.
    double price = 0;
    for (int column : {3, 4, 5}) {
        const double p = byCode_.number(r, byCode_.fields().value(column));
        if (p > 0) {
            price = p;
            break;
        }
    }
    set(QStringLiteral("DESIGNACAO"), line, byCode_.text(r, byCode_.fields().value(1)));
    set(QStringLiteral("UND"), line, byCode_.text(r, byCode_.fields().value(6)));
    set(QStringLiteral("PRECO"), line, price);
    entered_ = code;
}

bool PackagingMaterials::backToArticle(int line) {
    view_.beep();
    view_.focusField(input(QStringLiteral("ArtNro"), line));
    return false;
}

bool PackagingMaterials::designationExit(int line, const QString& typed) {
    if (readOnly())
        return true;
    if (noArticle(line) && typed.trimmed().isEmpty())
        return backToArticle(line);
    set(QStringLiteral("DESIGNACAO"), line, typed);
    return true;
}

bool PackagingMaterials::numberExit(int line, const QString& column, const QString& typed) {
    if (readOnly())
        return true;
    const QString t = typed.trimmed();
    if (noArticle(line) && (t.isEmpty() || t == QLatin1String("0")))
        return backToArticle(line);
    double number = 0;
    QString message;
    if (!t.isEmpty() && !readNumber(t, &number, &message)) {
        view_.beep();
        view_.message(message);
        return false;
    }
    set(column, line, number);
    return true;
}

bool PackagingMaterials::finish() {
    if (readOnly()) { // nothing could be typed: nothing to write
        cancel();
        return true;
    }
    QString error;
    if (mp_->hasPendingUpdates() && !mp_->applyUpdates({}, &error)) {
        view_.message(error);
        return false;
    }
    return true;
}

void PackagingMaterials::cancel() {
    mp_->cancelUpdates();
}

} // namespace corvane::reference
