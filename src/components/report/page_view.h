#pragma once

#include <QWidget>

namespace corvane::report {

class Report;

// One page of a report, painted when it is shown, at the widget's width.
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
};

} // namespace corvane::report
