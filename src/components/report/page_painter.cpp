#include "page_painter.h"

#include "report.h"

#include <QImage>
#include <QPainter>

namespace corvane::report {

namespace {
// Font sizes in tenths of a millimetre (8 pt is 2.8 mm).
constexpr int kDetailSize = 28;
constexpr int kTitleSize = 42;
constexpr int kFooterSize = 25;

QFont makeFont(int size, bool bold) {
    QFont f(QStringLiteral("Arial"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(size);
    f.setBold(bold);
    return f;
}

double d(double mm) {
    return mm * 10.0;
}
} // namespace

QString cutToWidth(const QString& text, const QFontMetricsF& metrics, double width) {
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    int lo = 0;
    int hi = static_cast<int>(text.size());
    while (lo < hi) { // the longest prefix that fits
        const int mid = (lo + hi + 1) / 2;
        if (metrics.horizontalAdvance(text.left(mid)) <= width)
            lo = mid;
        else
            hi = mid - 1;
    }
    return text.left(lo);
}

PagePainter::PagePainter(QPainter& painter, const ReportDefinition& def, const ReportInfo& info)
    : p_(painter), def_(def), info_(info), detail_(makeFont(kDetailSize, false)),
      bold_(makeFont(kDetailSize, true)), title_(makeFont(kTitleSize, true)),
      footer_(makeFont(kFooterSize, false)) {}

void PagePainter::text(const QString& s, double x, double y, double width, double height, Align align,
                       const QFont& font) {
    if (s.isEmpty())
        return;
    const QFontMetricsF fm(font);
    const QRectF r(d(x), d(y), d(width), d(height));
    p_.setFont(font);
    p_.save();
    p_.setClipRect(r);
    const Qt::Alignment a = Qt::AlignVCenter | (align == Align::Right ? Qt::AlignRight : Qt::AlignLeft);
    p_.drawText(r, a | Qt::TextSingleLine, cutToWidth(s, fm, r.width()));
    p_.restore();
}

void PagePainter::picture(const QString& path, double x, double y, double width, double height) {
    if (path.isEmpty())
        return;
    const QImage image(path);
    if (image.isNull())
        return;
    // Fitted into the cell, its proportions kept, at the cell's top left.
    const QSizeF size = QSizeF(image.size()).scaled(QSizeF(d(width), d(height)), Qt::KeepAspectRatio);
    p_.drawImage(QRectF(QPointF(d(x), d(y)), size), image);
}

void PagePainter::rule(double y) {
    const double left = def_.page.margins.left();
    p_.drawLine(QPointF(d(left), d(y)), QPointF(d(left + def_.page.printableWidth()), d(y)));
}

void PagePainter::header() {
    const double left = def_.page.margins.left();
    const double top = def_.page.margins.top();
    const double w = def_.page.printableWidth();
    text(def_.title, left, top, w * 0.7, 7, Align::Left, title_);
    text(def_.orderNote, left + w * 0.7, top, w * 0.3, 7, Align::Right, bold_);
}

double PagePainter::headings(double y) {
    for (int l : def_.headingLines) {
        line(Line{l, {}}, y, true);
        y += def_.layouts[l].height;
    }
    if (!def_.headingLines.isEmpty())
        rule(y);
    return y;
}

void PagePainter::footer(int pageNumber) {
    const double left = def_.page.margins.left();
    const double w = def_.page.printableWidth();
    const double top = def_.page.pageHeight() - def_.page.margins.bottom() - Report::kFooterHeight;
    rule(top + 0.5);
    const QString date = info_.printedAt.toString(QStringLiteral("dd/MM/yyyy hh:mm:ss"));
    text(QStringLiteral("Empresa : ") + info_.company, left, top + 1, w * 0.75, 4, Align::Left, footer_);
    text(QStringLiteral("Página : ") + QString::number(pageNumber), left + w * 0.75, top + 1, w * 0.25, 4,
         Align::Right, footer_);
    text(info_.notice, left, top + 5, w * 0.6, 4, Align::Left, footer_);
    text(QStringLiteral("Data : ") + date, left + w * 0.6, top + 5, w * 0.4, 4, Align::Right, footer_);
}

void PagePainter::line(const Line& ln, double y, bool headings) {
    const LineLayout& layout = def_.layouts[ln.layout];
    const QFont& font = headings || layout.bold ? bold_ : detail_;
    const double left = def_.page.margins.left();
    for (int c = 0; c < layout.columns.size(); ++c) {
        const Column& col = layout.columns[c];
        if (!headings && col.kind == ValueKind::Image) {
            picture(ln.values.value(c).toString(), left + col.x, y, col.width, layout.height);
            continue;
        }
        const QString s = headings ? col.heading : cellText(ln.values.value(c), col);
        text(s, left + col.x, y, col.width, layout.height, col.align, font);
    }
}

double PagePainter::block(const Block& blk, double y, double bottom) {
    for (const Line& ln : blk.lines) {
        const double h = def_.layouts.value(ln.layout).height;
        if (y + h > bottom + 0.01)
            return y;
        line(ln, y, false);
        y += h;
    }
    return blk.spaceAfter ? y + def_.blockSpace : y;
}

} // namespace corvane::report
