// The list "Localizar" over a table of a million articles: opening it costs a
// page of rows (in alphabetical order, a page of the table sorted by the
// database), whatever the size of the table. Typing a code or a text found
// only near the end seeks it (the list is the lookup's own); finding the line
// chosen in alphabetical order again in the dataset given reads up to it.
#include "article_table.h"
#include "components/lookup_dialog.h"
#include "db/dataset.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <functional>

using namespace corvane;

namespace {

const QString kTable = QStringLiteral("ARTIGOS");
const int kRows = 1000000;
const QList<components::LookupColumn> kColumns{{QStringLiteral("CODIGO"), QStringLiteral("Código")},
                                               {QStringLiteral("DESIGNACAO"), QStringLiteral("Designação")},
                                               {QStringLiteral("PRECO"), QStringLiteral("Preço")}};

using Dialog = components::LookupDialog;
using Step = std::function<bool(db::Dataset&, Dialog&)>;

struct Timing {
    double best = 1e12;
    bool right = true;
};

// The best of `runs` times of opening the list over the table, shown, laid
// out and painted, and then of `step` (when given); every run on a dataset
// opened afresh, as a screen holds it when the list is asked for. A step
// answers whether it came out right.
Timing measure(db::Database& db, bool alphabetical, int runs, const Step& step = {},
               const Step& before = {}) {
    Timing out;
    for (int run = 0; run < runs; ++run) {
        db::Dataset ds(db, kTable, QStringLiteral("Select * From %1 Order By CODIGO").arg(kTable), kTable,
                       {QStringLiteral("CODIGO")});
        ds.open();
        QElapsedTimer t;
        t.start();
        Dialog dialog(ds, kColumns, QStringLiteral("DESIGNACAO"), alphabetical, nullptr,
                      true); // its own list
        dialog.show();
        QApplication::processEvents();
        if (step) {
            if (before)
                out.right = before(ds, dialog) && out.right;
            t.start();
            out.right = step(ds, dialog) && out.right;
            QApplication::processEvents();
        } else {
            out.right = dialog.currentDatasetRow() == 0 && out.right;
        }
        out.best = qMin(out.best, t.nsecsElapsed() / 1e6);
    }
    return out;
}

int report(const char* what, const Timing& t) {
    std::printf("%-56s %10.1f ms%s\n", what, t.best, t.right ? "" : "  WRONG RESULT");
    return t.right ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TemporaryDatabase bench;
    QString error;
    if (!bench.connect(&error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    db::Database& db = bench.db();
    fillArticles(db, kTable, kRows);

    // The last row holds code 1000000; "Artigo 999999", the row before it,
    // comes last in alphabetical order.
    auto typeLastCode = [](db::Dataset& ds, Dialog& d) {
        return d.search(QStringLiteral("1000000")) && d.currentDatasetRow() >= 0 &&
               ds.value(d.currentDatasetRow(), QStringLiteral("CODIGO")).toInt() == kRows;
    };
    auto typeLastName = [](db::Dataset&, Dialog& d) { return d.search(QStringLiteral("artigo 999999")); };
    auto givenRow = [](db::Dataset& ds, Dialog& d) {
        const int row = d.currentDatasetRow();
        return row == kRows - 2 &&
               ds.text(row, QStringLiteral("DESIGNACAO")) == QStringLiteral("Artigo 999999");
    };
    int wrong = 0;
    wrong += report("open, numeric order, 1,000,000 rows", measure(db, false, 5));
    wrong += report("open, alphabetical order, 1,000,000 rows", measure(db, true, 5));
    wrong += report("type the last code, numeric order", measure(db, false, 3, typeLastCode));
    wrong += report("type the last designation, alphabetical order", measure(db, true, 3, typeLastName));
    wrong += report("its row in the dataset given (alphabetical order)",
                    measure(db, true, 3, givenRow, typeLastName));
    return wrong;
}
