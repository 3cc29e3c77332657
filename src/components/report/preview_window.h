#pragma once

#include <QDialog>

#include <memory>

class QLabel;
class QScrollArea;

namespace corvane::report {

class PageView;
class Report;

// The print preview of a listing: opens maximised and zoomed to the page
// width, pages through the report, prints it through the print dialog and
// saves it as a spreadsheet, rich-text, plain-text or PDF file.
class PreviewWindow : public QDialog {
    Q_OBJECT
public:
    explicit PreviewWindow(std::unique_ptr<Report> report, QWidget* parent = nullptr);
    ~PreviewWindow() override;

    // Lays out the pages (without painting them); false with the reason.
    bool prepare(QString* error = nullptr);
    // Prepares and shows the preview modally; a failure is shown as a message.
    static int run(std::unique_ptr<Report> report, QWidget* parent = nullptr);

    Report& report() { return *report_; }
    int pageCount() const;
    int currentPage() const; // 0-based; 0 when there are no pages
    PageView* pageView() const { return view_; }
    double zoom() const { return zoom_; }

    // Saves in the format of the file's ending.
    bool saveTo(const QString& path, QString* error = nullptr);

public slots:
    void setPage(int index);
    void firstPage() { setPage(0); }
    void previousPage() { setPage(currentPage() - 1); }
    void nextPage() { setPage(currentPage() + 1); }
    void lastPage() { setPage(pageCount() - 1); }
    void fitWidth();
    void zoomIn();
    void zoomOut();
    void print();
    void save();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void applyZoom();
    void updatePageLabel();

    std::unique_ptr<Report> report_;
    QScrollArea* scroll_ = nullptr;
    PageView* view_ = nullptr;
    QLabel* pageLabel_ = nullptr;
    double zoom_ = 1.0; // times the page width
};

} // namespace corvane::report
