#include "preview_window.h"
#include "components/message_box.h"

#include "exports.h"
#include "page_view.h"
#include "report.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace corvane::report {

PreviewWindow::PreviewWindow(std::unique_ptr<Report> report, QWidget* parent)
    : QDialog(parent), report_(std::move(report)) {
    setWindowTitle(report_->definition().caption);
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    setWindowState(Qt::WindowMaximized);

    auto* bar = new QToolBar(this);
    bar->addAction(QStringLiteral("|<"), this, &PreviewWindow::firstPage)
        ->setToolTip(QStringLiteral("Primeira página"));
    bar->addAction(QStringLiteral("<"), this, &PreviewWindow::previousPage)
        ->setToolTip(QStringLiteral("Página anterior"));
    pageLabel_ = new QLabel(bar);
    pageLabel_->setObjectName(QStringLiteral("LabelPagina"));
    bar->addWidget(pageLabel_);
    bar->addAction(QStringLiteral(">"), this, &PreviewWindow::nextPage)
        ->setToolTip(QStringLiteral("Página seguinte"));
    bar->addAction(QStringLiteral(">|"), this, &PreviewWindow::lastPage)
        ->setToolTip(QStringLiteral("Última página"));
    bar->addSeparator();
    bar->addAction(QStringLiteral("Largura da página"), this, &PreviewWindow::fitWidth);
    bar->addAction(QStringLiteral("+"), this, &PreviewWindow::zoomIn)->setToolTip(QStringLiteral("Ampliar"));
    bar->addAction(QStringLiteral("-"), this, &PreviewWindow::zoomOut)->setToolTip(QStringLiteral("Reduzir"));
    bar->addSeparator();
    bar->addAction(QStringLiteral("Imprimir"), this, &PreviewWindow::print);
    bar->addAction(QStringLiteral("Gravar"), this, &PreviewWindow::save);
    bar->addSeparator();
    bar->addAction(QStringLiteral("Fechar"), this, &QDialog::accept);

    view_ = new PageView(*report_);
    scroll_ = new QScrollArea(this);
    scroll_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    scroll_->setBackgroundRole(QPalette::Dark);
    scroll_->setWidget(view_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(scroll_);
    updatePageLabel();
}

PreviewWindow::~PreviewWindow() = default;

bool PreviewWindow::prepare(QString* error) {
    const bool ok = report_->layout(error);
    setPage(0);
    return ok;
}

int PreviewWindow::run(std::unique_ptr<Report> report, QWidget* parent) {
    PreviewWindow w(std::move(report), parent);
    QString error;
    if (!w.prepare(&error)) {
        components::plainWarning(parent, w.windowTitle(), error);
        return QDialog::Rejected;
    }
    return w.exec();
}

int PreviewWindow::pageCount() const {
    return report_->pageCount();
}

int PreviewWindow::currentPage() const {
    return view_->page();
}

void PreviewWindow::setPage(int index) {
    view_->setPage(std::clamp(index, 0, std::max(pageCount() - 1, 0)));
    scroll_->verticalScrollBar()->setValue(0);
    updatePageLabel();
}

void PreviewWindow::updatePageLabel() {
    const int n = pageCount();
    pageLabel_->setText(QStringLiteral(" Página %1 de %2 ").arg(n == 0 ? 0 : currentPage() + 1).arg(n));
    view_->setVisible(n > 0);
}

void PreviewWindow::applyZoom() {
    const int available = scroll_->viewport()->width() - scroll_->verticalScrollBar()->sizeHint().width();
    view_->setPageWidth(std::max(100, qRound(available * zoom_)));
}

void PreviewWindow::fitWidth() {
    zoom_ = 1.0;
    applyZoom();
}

void PreviewWindow::zoomIn() {
    zoom_ = std::min(zoom_ * 1.25, 4.0);
    applyZoom();
}

void PreviewWindow::zoomOut() {
    zoom_ = std::max(zoom_ / 1.25, 0.25);
    applyZoom();
}

void PreviewWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    applyZoom();
}

void PreviewWindow::print() {
    if (pageCount() == 0)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(report_->definition().page.pageLayout());
    printer.setFromTo(1, pageCount());
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, pageCount());
    dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QString error;
    if (!printReport(*report_, printer, &error))
        components::plainWarning(this, windowTitle(), error);
}

bool PreviewWindow::saveTo(const QString& path, QString* error) {
    const auto format = formatForPath(path);
    if (!format) {
        if (error)
            *error = QStringLiteral("Tipo de ficheiro desconhecido : %1").arg(path);
        return false;
    }
    return exportReport(*report_, *format, path, error);
}

void PreviewWindow::save() {
    const QStringList filters = exportFilters();
    QString filter = filters.first();
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Gravar listagem"), windowTitle(),
                                                filters.join(QStringLiteral(";;")), &filter);
    if (path.isEmpty())
        return;
    if (!formatForPath(path)) // the chosen filter names the ending
        path += QLatin1Char('.') +
                extensionOf(static_cast<ExportFormat>(std::max<qsizetype>(filters.indexOf(filter), 0)));
    QString error;
    if (!saveTo(path, &error))
        components::plainWarning(this, windowTitle(), error);
}

} // namespace corvane::report
