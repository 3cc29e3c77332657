#include "impact_report.h"

#include "core/number_input.h"

namespace corvane::quotation {

namespace {

using report::Align;
using report::Column;
using report::LineLayout;
using report::ValueKind;

enum Layout : int {
    kChange, // a change tried: what, code, today, proposed
    kLine,   // a level of a quotation
    kProblem // a quotation that could not be judged
};

Column text(const QString& heading, double x, double width) {
    return Column{heading, x, width, ValueKind::Text, Align::Left};
}

Column number(const QString& heading, double x, double width, int decimals) {
    Column c{heading, x, width, ValueKind::Number, Align::Right};
    c.decimals = decimals;
    return c;
}

QString kindText(ChangeKind kind) {
    switch (kind) {
    case ChangeKind::Article:
        return QStringLiteral("Preço do artigo");
    case ChangeKind::Machine:
        return QStringLiteral("Custo da máquina");
    case ChangeKind::Waste:
        break;
    }
    return QStringLiteral("Desperdício (%) do tipo de custo");
}

} // namespace

report::ReportDefinition impactReportDefinition(double threshold) {
    report::ReportDefinition d;
    d.caption = QStringLiteral("Impacto de Preços");
    d.title = QStringLiteral("Impacto de Preços nos Orçamentos Pendentes");
    d.orderNote = QStringLiteral("Margem mínima %1 %").arg(fixedNumberText(threshold, 1));
    d.page.orientation = QPageLayout::Landscape;
    LineLayout change;
    change.columns << text(QStringLiteral("Alteração"), 0, 60) << text(QStringLiteral("Código"), 62, 40)
                   << number(QStringLiteral("Hoje"), 104, 30, 5)
                   << number(QStringLiteral("Proposto"), 136, 30, 5);
    LineLayout line;
    line.columns << number(QStringLiteral("Orç."), 0, 16, 0) << number(QStringLiteral("Cliente"), 18, 16, 0)
                 << text(QStringLiteral("Nome"), 36, 60) << text(QStringLiteral("Artigo"), 98, 32)
                 << number(QStringLiteral("Nível"), 132, 10, 0) << number(QStringLiteral("Qtd."), 144, 18, 0)
                 << number(QStringLiteral("Preço"), 164, 20, 2)
                 << number(QStringLiteral("Margem hoje %"), 186, 24, 1)
                 << number(QStringLiteral("Margem depois %"), 212, 26, 1)
                 << number(QStringLiteral("Preço p/ margem"), 240, 24, 2)
                 << text(QStringLiteral("!"), 266, 8);
    LineLayout problem;
    problem.columns << number(QString(), 0, 16, 0) << text(QString(), 18, 80) << text(QString(), 98, 160);
    d.layouts = {change, line, problem};
    d.headingLines = {kLine};
    return d;
}

std::unique_ptr<report::Report> impactReport(std::vector<PriceChange> changes, std::vector<ImpactLine> lines,
                                             double threshold, report::ReportInfo info) {
    auto blocks = std::make_shared<std::vector<report::Block>>();
    report::Block head;
    for (const PriceChange& c : changes)
        head.lines << report::Line{kChange, {kindText(c.kind), c.code, c.today, c.proposed}};
    head.spaceAfter = true;
    blocks->push_back(head);
    for (const ImpactLine& l : lines) {
        report::Block b;
        if (!l.problem.isEmpty())
            b.lines << report::Line{kProblem, {l.number, l.article, l.problem}};
        else
            b.lines << report::Line{kLine,
                                    {l.number, l.customer, l.customerName, l.article, l.level, l.quantity,
                                     l.price, l.marginToday, l.marginAfter, l.priceKeepingMargin,
                                     l.flagged ? QStringLiteral("!") : QString()}};
        blocks->push_back(b);
    }
    auto source = std::make_unique<report::IndexedRowSource>(
        [blocks] { return static_cast<qint64>(blocks->size()); },
        [blocks](qint64 row, report::Block* block) { *block = (*blocks)[static_cast<size_t>(row)]; });
    return std::make_unique<report::Report>(impactReportDefinition(threshold), std::move(source),
                                            std::move(info));
}

} // namespace corvane::quotation
