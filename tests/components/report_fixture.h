#pragma once

#include "components/report/report.h"

#include <QDate>

#include <memory>

// A small listing for the report-layer tests: code, designation, price and
// date on one line per row; rows are numbered 1..n and made on demand.
struct FixtureRows {
    int rows = 0;
    int seeks = 0;
    int linesPerRow = 1;
};

inline corvane::report::ReportDefinition fixtureDefinition() {
    using namespace corvane::report;
    ReportDefinition def;
    def.caption = QStringLiteral("Teste");
    def.title = QStringLiteral("Tabela de Teste");
    def.orderNote = QStringLiteral("Ord.Numérica");
    LineLayout l;
    l.columns = {Column{QStringLiteral("Código"), 0, 20, ValueKind::Number, Align::Right},
                 Column{QStringLiteral("Designação"), 22, 60, ValueKind::Text, Align::Left},
                 Column{QStringLiteral("Preço"), 84, 20, ValueKind::Number, Align::Right},
                 Column{QStringLiteral("Data"), 106, 25, ValueKind::Date, Align::Left}};
    def.layouts << l;
    def.headingLines << 0;
    return def;
}

inline QVariantList fixtureValues(qint64 row) {
    if (row == 1)
        return {12, QStringLiteral("Uma designação muito comprida que não cabe na coluna"), 1234.125,
                QStringLiteral("2024-12-31")};
    if (row == 2)
        return {13, QStringLiteral("Sem preço nem data"), QVariant(), QVariant()};
    return {static_cast<int>(row + 1), QStringLiteral("Fio de algodão"), 2.5, QDate(2024, 3, 5)};
}

// An indexed source that counts how often a page was sought.
class CountingSource : public corvane::report::IndexedRowSource {
public:
    explicit CountingSource(FixtureRows& rows)
        : IndexedRowSource([&rows] { return static_cast<qint64>(rows.rows); },
                           [&rows](qint64 row, corvane::report::Block* block) {
                               for (int i = 0; i < rows.linesPerRow; ++i)
                                   block->lines << corvane::report::Line{0, fixtureValues(row)};
                           }),
          rows_(rows) {}
    bool seek(qint64 index) override {
        ++rows_.seeks;
        return IndexedRowSource::seek(index);
    }

private:
    FixtureRows& rows_;
};

inline corvane::report::ReportInfo fixtureInfo() {
    return {QStringLiteral("Malhas Teste, Lda"), QStringLiteral("Processado por computador - Corvane"),
            QDateTime(QDate(2026, 1, 15), QTime(10, 30))};
}

inline std::unique_ptr<corvane::report::Report> fixtureReport(FixtureRows& rows) {
    return std::make_unique<corvane::report::Report>(fixtureDefinition(),
                                                     std::make_unique<CountingSource>(rows), fixtureInfo());
}
