#pragma once

#include <QImage>
#include <QWidget>

namespace corvane::report {

class Report;

// One page of a report, painted when it is first shown at the widget's width
// and kept as a picture until the page or the width changes.
class PageView : public QWidget {
    Q_OBJECT
public:
    explicit PageView(Report& report, QWidget* parent = nullptr);

    int page() const { return page_; }
    void setPage(int index);
    // Sizes the widget to the width given, the height following the page.
    void setPageWidth(int pixels);
    int pageWidth() const { return width(); }
    // How many times a page has been painted (the preview paints only what it shows).
    int paintCount() const { return paintCount_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Report& report_;
    int page_ = 0;
    int paintCount_ = 0;
    QImage image_; // the page as last painted
    int imagePage_ = -1;
};

} // namespace corvane::report
