// Times the operations listing over a generated table of 10,000 operations:
// reading the rows, laying out the pages when the preview opens (without
// painting them), painting one page, and each export. Run it from a release
// build (scripts/bench). With --screenshot FILE it also saves the first
// preview page of a short listing as a picture, for the documentation.
#include "components/report/exports.h"
#include "components/report/page_view.h"
#include "components/report/preview_window.h"
#include "core/working_context.h"
#include "db/dataset.h"
#include "reference/listings/listings.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <cstdio>

using namespace corvane;

namespace {

bool makeTables(db::Database& db, int operations) {
    QString error;
    bool ok =
        db.exec(QStringLiteral("CREATE TABLE TIPOCUSTO (CODIGO integer, DESIGNACAO varchar(40), CLAS "
                               "smallint, TU varchar(1), DESPERD float, CLAS_ORC smallint)")) &&
        db.exec(QStringLiteral("CREATE TABLE OPERACOES (CODIGO int NOT NULL, DESIGNACAO varchar(40), TC int "
                               "NOT NULL, UNIDADE varchar(3), TU varchar(1), PRECO float, TIPOCUSTO "
                               "varchar(7) NOT NULL)"));
    const char* costTypes[] = {"Matérias-primas", "Acabamentos", "Confecção", "Tecelagem", "Embalagem"};
    for (int t = 0; ok && t < 5; ++t)
        ok = db.exec(QStringLiteral("INSERT INTO TIPOCUSTO VALUES (:C, :D, 3, 'N', 1.5, 2)"),
                     {{"C", t + 1}, {"D", QString::fromUtf8(costTypes[t])}});
    ok = ok && db.beginTransaction(&error);
    for (int i = 1; ok && i <= operations; ++i) {
        const int tc = i % 7 + 1; // 6 and 7 name no cost type
        ok = db.exec(QStringLiteral("INSERT INTO OPERACOES VALUES (:C, :D, :T, 'UN', 'N', :P, :R)"),
                     {{"C", i},
                      {"D", QStringLiteral("Operação de acabamento número %1").arg(i)},
                      {"T", tc},
                      {"P", (i % 400) * 0.0125},
                      {"R", QStringLiteral("X%1%2")
                                .arg(tc, 2, 10, QLatin1Char('0'))
                                .arg(i % 10000, 4, 10, QLatin1Char('0'))}});
    }
    return ok && db.commit(&error);
}

double ms(const QElapsedTimer& t) {
    return t.nsecsElapsed() / 1e6;
}

int screenshot(reference::TCORVFPR002& listing, const QString& file) {
    auto report = listing.report();
    report::PreviewWindow w(std::move(report));
    w.prepare();
    w.resize(1100, 820);
    w.show();
    QApplication::processEvents();
    w.fitWidth();
    w.firstPage();
    QApplication::processEvents();
    const QImage image = w.grab().toImage();
    if (image.isNull() || !image.save(file)) {
        std::fprintf(stderr, "grab %dx%d\n", image.width(), image.height());
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return 1;
    }
    std::printf("preview of %d page(s) saved to %s\n", w.pageCount(), qPrintable(file));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int shot = static_cast<int>(args.indexOf(QStringLiteral("--screenshot")));
    const int rows = shot > 0 ? 40 : 10000;

    QTemporaryDir dir;
    db::AliasRegistry registry(dir.path());
    registry.set(QStringLiteral("BENCH"),
                 db::AliasTarget{db::Backend::SQLite, dir.filePath("bench.db"), {}, 0, {}, {}});
    db::Database db(QStringLiteral("DBPRDXCORVANE"), QStringLiteral("BENCH"));
    db.setRegistry(&registry);
    QString error;
    if (!db.connect(&error, true) || !makeTables(db, rows)) {
        std::fprintf(stderr, "cannot make the table: %s\n", qPrintable(error));
        return 1;
    }
    db::Dataset operacoes(db, "OPERACOES", "Select * From OPERACOES Order By CODIGO");
    db::Dataset tipoCusto(db, "TIPOCUSTO", "Select * From TIPOCUSTO ORDER BY CODIGO");
    reference::TCORVFPR002 listing(operacoes, tipoCusto);
    listing.setCompany(QStringLiteral("Malhas do Norte, Lda"));
    listing.setNotice(QString::fromUtf8(WorkingContext::kReportNotice));
    if (shot > 0 && shot + 1 < args.size())
        return screenshot(listing, args[shot + 1]);

    QElapsedTimer t;
    t.start();
    auto report = listing.report(&error);
    if (!report) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    std::printf("%-40s %10.1f ms\n", "read 10,000 operations (dataset, sort)", ms(t));

    t.restart();
    report::PreviewWindow preview(std::move(report));
    preview.prepare();
    preview.resize(1200, 900);
    preview.show();
    QApplication::processEvents();
    std::printf("%-40s %10.1f ms (%d pages, %d painted)\n", "open the preview (layout, first page)", ms(t),
                preview.pageCount(), preview.pageView()->paintCount());

    t.restart();
    {
        QImage page(1240, 1754, QImage::Format_RGB32); // a page at 150 dpi
        page.fill(Qt::white);
        QPainter p(&page);
        p.scale(report::Report::scaleFor(150), report::Report::scaleFor(150));
        preview.report().paintPage(p, preview.pageCount() / 2);
    }
    std::printf("%-40s %10.1f ms\n", "paint one page (150 dpi)", ms(t));

    for (auto f : {report::ExportFormat::Xlsx, report::ExportFormat::Rtf, report::ExportFormat::Text,
                   report::ExportFormat::Pdf}) {
        const QString path = dir.filePath(QStringLiteral("operacoes.") + report::extensionOf(f));
        t.restart();
        if (!report::exportReport(preview.report(), f, path, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        std::printf("%-40s %10.1f ms (%lld KiB)\n",
                    qPrintable(QStringLiteral("export ") + path.section('.', -1)), ms(t),
                    QFileInfo(path).size() / 1024);
    }
    return 0;
}
