#include "page_view.h"

#include "report.h"

#include <QPainter>

namespace corvane::report {

PageView::PageView(Report& report, QWidget* parent) : QWidget(parent), report_(report) {}

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
    if (page_ < 0 || page_ >= report_.pageCount()) {
        p.fillRect(rect(), Qt::white);
        return;
    }
    if (image_.size() != size() || imagePage_ != page_) { // paint the page once for this size
        image_ = QImage(size(), QImage::Format_RGB32);
        image_.fill(Qt::white);
        QPainter ip(&image_);
        ip.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        const double scale = width() / (report_.definition().page.pageWidth() * 10.0);
        ip.scale(scale, scale);
        QString error;
        if (!report_.paintPage(ip, page_, &error)) {
            ip.resetTransform();
            ip.drawText(image_.rect(), Qt::AlignCenter, error);
        }
        imagePage_ = page_;
        ++paintCount_;
    }
    p.drawImage(0, 0, image_);
}

} // namespace corvane::report
