// The sheet a quotation costs, read from the program database.
#include "quotation_store.h"

#include "row_values.h"

#include <QSqlQuery>

namespace corvane::quotation {

std::optional<QuotedSheet> quotedSheet(db::Database& corvane, const QString& article, const QString& tipoft,
                                       QString* error) {
    // Two fixed pairs of tables: the live sheet, or the technical product record.
    const bool record = tipoft.trimmed().toUpper() == QLatin1String("T");
    const QString master = record ? QStringLiteral("O_FICTECMAS") : QStringLiteral("FICTECMAS");
    const QString lines = record ? QStringLiteral("O_FICTECDET") : QStringLiteral("FICTECDET");
    const QVariantMap p{{QStringLiteral("WArtigo"), article}};
    const std::optional<QVariantMap> header = corvane.firstRow(
        QStringLiteral("SELECT TIPOFICTEC FROM %1 WHERE CODIGO = :WArtigo").arg(master), p, error);
    if (!header)
        return std::nullopt;
    QuotedSheet sheet;
    sheet.kind = textOf(*header, "TIPOFICTEC");
    QSqlQuery q(corvane.sql());
    if (!corvane.exec(
            q,
            QStringLiteral("SELECT TIPO, ARTIGO, DETAIL, RELACFICTEC, CODIGOMP, DESIGN, UNIDADE, QUANT, "
                           "PRECO, VALOR, QUANT_FINAL, VALOR_FINAL, TMPACE, TMP_SEMACERTO%2 FROM %1 WHERE "
                           "ARTIGO = :WArtigo ORDER BY RELACFICTEC, DETAIL")
                .arg(lines, record ? QString() : QStringLiteral(", OPERACAO, PERC_IMPR")),
            p, error))
        return std::nullopt;
    while (q.next()) {
        FictecDetLine l;
        l.TIPO = q.value(0).toInt();
        l.ARTIGO = q.value(1).toString().trimmed();
        l.DETAIL = q.value(2).toInt();
        l.RELACFICTEC = q.value(3).toString().trimmed();
        l.CODIGOMP = q.value(4).toString().trimmed();
        l.DESIGN = q.value(5).toString().trimmed();
        l.UNIDADE = q.value(6).toString().trimmed();
        l.QUANT = q.value(7).toDouble();
        l.PRECO = q.value(8).toDouble();
        l.VALOR = q.value(9).toDouble();
        l.QUANT_FINAL = q.value(10).toDouble();
        l.VALOR_FINAL = q.value(11).toDouble();
        if (!q.value(12).isNull())
            l.TMPACE = q.value(12).toDouble();
        if (!q.value(13).isNull())
            l.TMP_SEMACERTO = q.value(13).toDouble();
        if (!record) { // the record keeps no operation flag nor print share
            l.OPERACAO = q.value(14).toString().trimmed();
            l.PERC_IMPR = q.value(15).toDouble();
        }
        sheet.rows.push_back(l);
    }
    return sheet;
}

std::optional<CostTypes> readCostTypes(db::Database& corvane, QString* error) {
    QSqlQuery q(corvane.sql());
    if (!corvane.exec(q, QStringLiteral("SELECT CODIGO, DESPERD, CLAS_ORC FROM TIPOCUSTO ORDER BY CODIGO"),
                      {}, error))
        return std::nullopt;
    CostTypes out;
    while (q.next())
        out.push_back({q.value(0).toInt(), q.value(1).toDouble(), q.value(2).toInt()});
    return out;
}

std::optional<UnitCosts> sheetUnitCosts(db::Database& corvane, const QString& article, const QString& tipoft,
                                        const Levels& quantities, Notes& notes, QString* error) {
    const std::optional<QuotedSheet> sheet = quotedSheet(corvane, article, tipoft, error);
    const std::optional<CostTypes> types = sheet ? readCostTypes(corvane, error) : std::nullopt;
    if (!sheet || !types)
        return std::nullopt;
    return buildUnitCosts(sheet->rows, *types, quantities, notes, sheet->kind);
}

std::optional<std::optional<QString>> recordArticle(db::Database& corvane, const QString& code,
                                                    QString* error) {
    const std::optional<QVariantMap> row =
        corvane.firstRow(QStringLiteral("SELECT DESIGNACAO FROM O_ARTIGOSCLS WHERE CODIGO = :WArtigo"),
                         {{QStringLiteral("WArtigo"), code}}, error);
    if (!row)
        return std::nullopt;
    if (row->isEmpty())
        return std::optional<QString>{};
    return std::optional<QString>{textOf(*row, "DESIGNACAO")};
}

std::optional<bool> hasSheet(db::Database& corvane, const QString& article, QString* error) {
    const std::optional<QVariantMap> row =
        corvane.firstRow(QStringLiteral("SELECT CODIGO FROM FICTECMAS WHERE CODIGO = :WArtigo"),
                         {{QStringLiteral("WArtigo"), article}}, error);
    if (!row)
        return std::nullopt;
    return !row->isEmpty();
}

} // namespace corvane::quotation
