#pragma once

// The history panels of the quotation window: the article panel NBEnc and
// the customer panel TBCons under the top fields, the photographs page
// "Fotos", and the price pie of the price page with its buttons BotChart1..3.
#include "quotation/price_chart.h"
#include "quotation/screens/quotation_history.h"

#include <QHash>
#include <QObject>

class QAbstractButton;
class QLabel;
class QTabWidget;
class QTableView;
class QWidget;

namespace corvane::components {
class BarChartPanel;
class PieChartPanel;
class PhotoView;
class PhotoThumbnail;
} // namespace corvane::components

namespace corvane::quotation {

class HistoryPanels : public QObject {
    Q_OBJECT
public:
    explicit HistoryPanels(QWidget* window);

    // The widgets, placed by the window.
    QTabWidget* articlePanel() const { return NBEnc; }
    QTabWidget* customerPanel() const { return TBCons; }
    QWidget* photoPage() const { return photoPage_; }
    QWidget* pieArea() const { return pieArea_; }

    void showCustomer(const CustomerPanel& panel);
    void showArticle(const ArticlePanel& panel, const QString& photoFolder, const QString& photoExtension);
    void showPie(int level, const QList<ChartSlice>& slices);
    // The chart buttons captioned with the level quantities (0: not quoted).
    void setLevels(const std::array<double, 3>& quantities);
    void clear();

    // For tests: a grid, a chart or a label by name.
    QTableView* grid(const QString& name) const { return grids_.value(name); }
    components::BarChartPanel* bars(const QString& name) const { return bars_.value(name); }
    components::PieChartPanel* pie() const { return pie_; }
    QLabel* label(const QString& name) const { return labels_.value(name); }
    components::PhotoView* photos() const { return photos_; }
    int pieLevel() const { return pieLevel_; }

signals:
    // BotChart1..3.
    void chartAsked(int level);
    // A thumbnail was opened: the window shows the "Fotos" page.
    void photoOpened();

private:
    QTableView* addGrid(QWidget* parent, const QString& name, const QStringList& titles);
    components::BarChartPanel* addBars(QWidget* parent, const QString& name);
    QWidget* buildArticle();
    QWidget* buildCustomer();
    void showQuotationPhoto(QTableView* grid, components::PhotoThumbnail* photo);

    QWidget* window_;
    QTabWidget* NBEnc = nullptr;
    QTabWidget* TBCons = nullptr;
    QTabWidget* quotationsBook_ = nullptr;
    QWidget* photoPage_ = nullptr;
    QWidget* pieArea_ = nullptr;
    components::PieChartPanel* pie_ = nullptr;
    components::PhotoView* photos_ = nullptr;
    QList<QAbstractButton*> chartButtons_;
    QHash<QString, QTableView*> grids_;
    QHash<QString, components::BarChartPanel*> bars_;
    QHash<QString, QLabel*> labels_;
    QHash<QString, components::PhotoThumbnail*> quotationPhotos_;
    QString photoFolder_;
    QString photoExtension_;
    int pieLevel_ = 0;
};

} // namespace corvane::quotation
