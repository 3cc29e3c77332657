#include "report.h"

#include "page_painter.h"

namespace corvane::report {

Report::Report(ReportDefinition definition, std::unique_ptr<RowSource> source, ReportInfo info)
    : def_(std::move(definition)), source_(std::move(source)), info_(std::move(info)) {}

double Report::bodyHeight() const {
    return def_.page.printableHeight() - kHeaderHeight - def_.headingsHeight() - kFooterHeight;
}

bool Report::layout(QString* error) {
    pages_.clear();
    laidOut_ = false;
    const QString wrong = def_.check();
    if (!wrong.isEmpty()) {
        if (error)
            *error = wrong;
        return false;
    }
    if (!source_->rewind(error))
        return false;
    const double body = bodyHeight();
    double used = 0;
    qint64 row = 0;
    Block block;
    while (source_->next(&block)) {
        const double h = def_.blockHeight(block);
        // A block that does not fit starts a new page; one taller than a whole
        // page gets a page of its own and is cut at its foot.
        if (pages_.empty() || (pages_.back().rows > 0 && (block.ownPage || used + h > body))) {
            pages_.push_back(PageSpan{row, 0});
            used = 0;
        }
        ++pages_.back().rows;
        used += h;
        ++row;
    }
    laidOut_ = true;
    return true;
}

bool Report::paintPage(QPainter& painter, int index, QString* error) {
    if (!laidOut_ && !layout(error))
        return false;
    if (index < 0 || index >= pageCount()) {
        if (error)
            *error = QStringLiteral("Página inexistente : %1").arg(index + 1);
        return false;
    }
    const PageSpan span = page(index);
    if (!source_->seek(span.firstRow)) {
        if (error)
            *error = QStringLiteral("Não foi possível ler a página %1").arg(index + 1);
        return false;
    }
    PagePainter pp(painter, def_, info_);
    pp.header();
    pp.footer(index + 1);
    double y = def_.page.margins.top() + kHeaderHeight;
    y = pp.headings(y);
    const double bottom = y + bodyHeight();
    Block block;
    for (int i = 0; i < span.rows && source_->next(&block); ++i)
        y = pp.block(block, y, bottom);
    return true;
}

} // namespace corvane::report
