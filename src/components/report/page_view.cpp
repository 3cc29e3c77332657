#include "page_view.h"

#include "report.h"

#include <QPainter>

namespace corvane::report {

PageView::PageView(Report& report, QWidget* parent) : QWidget(parent), report_(report) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PageView::setPage(int index) {
    page_ = index;
    update();
}

void PageView::setPageWidth(int pixels) {
    const auto& page = report_.definition().page;
    setFixedSize(pixels, qRound(pixels * page.pageHeight() / page.pageWidth()));
}

void PageView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (page_ < 0 || page_ >= report_.pageCount())
        return;
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    const double scale = width() / (report_.definition().page.pageWidth() * 10.0);
    p.scale(scale, scale);
    QString error;
    if (!report_.paintPage(p, page_, &error)) {
        p.resetTransform();
        p.drawText(rect(), Qt::AlignCenter, error);
    }
    ++paintCount_;
}

} // namespace corvane::report
