#include "../reference/screen_fixture.h"
#include "cost_type_lines.h"
#include "screens/ui/detail_grid.h"
#include "screens/ui/grid_model.h"

#include <QAbstractItemModelTester>
#include <QColor>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTableView>
#include <QtTest>

using namespace corvane;
using namespace corvane::screens;

namespace {

// A cut piece: its code, minutes (typed: refused below 0, and only once the
// piece is ticked) and its mode (typed as a whole number, 1 or 2).
struct Piece {
    QString code;
    double minutes = 0;
    int mode = 1;
    QString ok = QStringLiteral("N");
    bool ticked() const { return ok == QLatin1String("S"); }
};

struct Pieces {
    std::vector<Piece> rows{{QStringLiteral("P1"), 18.75, 1, QStringLiteral("N")},
                            {QStringLiteral("P2"), 0.0044625, 2, QStringLiteral("S")},
                            {QStringLiteral("P3"), 90, 1, QStringLiteral("N")}};
    int setterCalls = 0;
    QList<int> sorted;

    GridColumns table() {
        const RowColumns<Piece> c(rows);
        GridColumn minutes =
            typedIn(c.number(QStringLiteral("MINUTES"), QStringLiteral("Tempo (Min)"), &Piece::minutes, 80),
                    [this](int row, const QString& typed) {
                        ++setterCalls;
                        bool number = false;
                        const double v = typed.toDouble(&number);
                        if (!number || v < 0)
                            return false;
                        rows[static_cast<std::size_t>(row)].minutes = v;
                        return true;
                    });
        minutes.editableRow = [this](int row) { return rows[static_cast<std::size_t>(row)].ticked(); };
        minutes.alignment = Qt::AlignRight | Qt::AlignVCenter;
        GridColumns t =
            c.table({c.field(QStringLiteral("CODE"), QStringLiteral("Código"), &Piece::code, 0),
                     c.check(
                         QStringLiteral("OK"), QStringLiteral("OK"), &Piece::ticked,
                         [this](int row, bool on) {
                             ++setterCalls;
                             rows[static_cast<std::size_t>(row)].ok =
                                 on ? QStringLiteral("S") : QStringLiteral("N");
                         },
                         35),
                     minutes,
                     typedIn(c.field(QStringLiteral("MODE"), QStringLiteral("T.P.?"), &Piece::mode, 40),
                             [this](int row, const QString& typed) {
                                 ++setterCalls;
                                 if (typed != QLatin1String("1") && typed != QLatin1String("2"))
                                     return false;
                                 rows[static_cast<std::size_t>(row)].mode = typed.toInt();
                                 return true;
                             })});
        t.columns[0].width = 12; // characters
        t.sortBy = [this](int column) { sorted << column; };
        return t;
    }
};

QVariantList rowShown(const QAbstractItemModel& m, int row) {
    QVariantList cells;
    for (int c = 0; c < m.columnCount(); ++c)
        cells << m.index(row, c).data(Qt::DisplayRole) << m.index(row, c).data(Qt::CheckStateRole);
    return cells;
}

} // namespace

class TestGridModel : public QObject {
    Q_OBJECT
private slots:
    // Cells, titles and flags as the column table declares them.
    void shown() {
        Pieces p;
        GridModel m(p.table());
        QAbstractItemModelTester tester(&m, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(m.rowCount(), 3);
        QCOMPARE(m.columnCount(), 4);
        QCOMPARE(m.column(QStringLiteral("MINUTES")), 2);
        QCOMPARE(m.column(QStringLiteral("NONE")), -1);
        QCOMPARE(m.headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Tempo (Min)"));
        QCOMPARE(m.index(0, 2).data().toString(), QStringLiteral("18,75"));
        QCOMPARE(m.index(1, 2).data().toString(), QStringLiteral("0,0044625"));
        QCOMPARE(m.index(2, 2).data().toString(), QStringLiteral("90"));
        QCOMPARE(m.index(2, 2).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignRight | Qt::AlignVCenter));
        QVERIFY(!m.index(0, 0).data(Qt::TextAlignmentRole).isValid());
        // A whole number stays one, so the grid edits it as a number.
        QCOMPARE(m.index(1, 3).data(Qt::EditRole).typeId(), int(QMetaType::Int));
        // The check column shows a box and no text.
        QCOMPARE(m.index(1, 1).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
        QCOMPARE(m.index(0, 1).data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
        QVERIFY(!m.index(0, 1).data(Qt::DisplayRole).isValid());
        QVERIFY(!m.index(0, 0).data(Qt::CheckStateRole).isValid());

        QVERIFY(!(m.flags(m.index(0, 0)) & (Qt::ItemIsEditable | Qt::ItemIsUserCheckable)));
        QVERIFY(m.flags(m.index(0, 1)) & Qt::ItemIsUserCheckable);
        QVERIFY(!(m.flags(m.index(0, 1)) & Qt::ItemIsEditable));
        QVERIFY(m.flags(m.index(0, 3)) & Qt::ItemIsEditable);
        // Per row: the minutes of a piece not ticked take nothing.
        QVERIFY(!(m.flags(m.index(0, 2)) & Qt::ItemIsEditable));
        QVERIFY(m.flags(m.index(1, 2)) & Qt::ItemIsEditable);
        QVERIFY(!m.setData(m.index(0, 2), QStringLiteral("5"), Qt::EditRole));
        QCOMPARE(p.setterCalls, 0);

        // The sorted column's title in orange, the others plain.
        QVERIFY(!m.headerData(0, Qt::Horizontal, Qt::ForegroundRole).isValid());
        QSignalSpy headers(&m, &QAbstractItemModel::headerDataChanged);
        m.setSortedColumn(0);
        QCOMPARE(headers.size(), 1);
        QCOMPARE(m.headerData(0, Qt::Horizontal, Qt::ForegroundRole).value<QColor>(),
                 QColor(0xE0, 0x70, 0x00));
        QVERIFY(!m.headerData(1, Qt::Horizontal, Qt::ForegroundRole).isValid());
    }

    // Input that changes a row reports it once; input changing nothing, a
    // refused value or input in the wrong role reports nothing.
    void edited() {
        Pieces p;
        GridModel m(p.table());
        QAbstractItemModelTester tester(&m, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy edited(&m, &GridModel::edited);
        QSignalSpy changed(&m, &QAbstractItemModel::dataChanged);

        QVERIFY(m.setData(m.index(0, 1), Qt::Checked, Qt::CheckStateRole));
        QCOMPARE(p.rows[0].ok, QStringLiteral("S"));
        QCOMPARE(edited.size(), 1);
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed[0][0].toModelIndex(), m.index(0, 0));
        QCOMPARE(changed[0][1].toModelIndex(), m.index(0, 3));
        // Ticked again: nothing changes.
        QVERIFY(m.setData(m.index(0, 1), Qt::Checked, Qt::CheckStateRole));
        QCOMPARE(edited.size(), 1);
        // The same minutes typed again: taken, nothing changes.
        QVERIFY(m.setData(m.index(0, 2), QStringLiteral("18.75"), Qt::EditRole));
        QCOMPARE(edited.size(), 1);
        QVERIFY(m.setData(m.index(0, 2), QStringLiteral("20"), Qt::EditRole));
        QCOMPARE(m.index(0, 2).data().toString(), QStringLiteral("20"));
        QCOMPARE(edited.size(), 2);
        // The spin box's value of a whole-number column.
        QVERIFY(m.setData(m.index(0, 3), 2, Qt::EditRole));
        QCOMPARE(p.rows[0].mode, 2);
        QCOMPARE(edited.size(), 3);
        QCOMPARE(changed.size(), 3);

        // Refused: false, the row as it was, nothing reported.
        const QVariantList before = rowShown(m, 0);
        QVERIFY(!m.setData(m.index(0, 2), QStringLiteral("-4"), Qt::EditRole));
        QVERIFY(!m.setData(m.index(0, 2), QStringLiteral("abc"), Qt::EditRole));
        QVERIFY(!m.setData(m.index(0, 3), QStringLiteral("3"), Qt::EditRole));
        QCOMPARE(rowShown(m, 0), before);
        QCOMPARE(edited.size(), 3);
        QCOMPARE(changed.size(), 3);

        // The wrong role for the column, or a column only shown: the setter is not asked.
        const int calls = p.setterCalls;
        QVERIFY(!m.setData(m.index(0, 1), QStringLiteral("S"), Qt::EditRole));
        QVERIFY(!m.setData(m.index(0, 2), Qt::Checked, Qt::CheckStateRole));
        QVERIFY(!m.setData(m.index(0, 0), QStringLiteral("X9"), Qt::EditRole));
        QCOMPARE(p.setterCalls, calls);
        QCOMPARE(p.rows[0].code, QStringLiteral("P1"));
        QCOMPARE(edited.size(), 3);
    }

    // A grid only looked at: no flag to tick or type, input refused unseen by the setters.
    void readOnly() {
        Pieces p;
        GridModel m(p.table());
        QAbstractItemModelTester tester(&m, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy edited(&m, &GridModel::edited);
        m.setReadOnly(true);
        QVERIFY(m.readOnly());
        for (int r = 0; r < m.rowCount(); ++r)
            for (int c = 0; c < m.columnCount(); ++c) {
                QVERIFY(!(m.flags(m.index(r, c)) & (Qt::ItemIsEditable | Qt::ItemIsUserCheckable)));
                QVERIFY(m.flags(m.index(r, c)) & Qt::ItemIsEnabled);
            }
        const QVariantList before = rowShown(m, 1);
        QVERIFY(!m.setData(m.index(1, 1), Qt::Unchecked, Qt::CheckStateRole));
        QVERIFY(!m.setData(m.index(1, 2), QStringLiteral("7"), Qt::EditRole));
        QVERIFY(!m.setData(m.index(1, 3), QStringLiteral("1"), Qt::EditRole));
        QCOMPARE(rowShown(m, 1), before);
        QCOMPARE(p.setterCalls, 0);
        QCOMPARE(edited.size(), 0);
        m.setReadOnly(false);
        QVERIFY(m.setData(m.index(1, 2), QStringLiteral("7"), Qt::EditRole));
        QCOMPARE(edited.size(), 1);
    }

    // Indexes outside the rows, of another model, or left over from rows
    // that are gone show and take nothing.
    void outOfRange() {
        Pieces p;
        GridModel m(p.table());
        QAbstractItemModelTester tester(&m, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QVERIFY(!m.index(3, 0).isValid());
        QVERIFY(!m.index(0, 4).isValid());
        QVERIFY(!m.setData(m.index(3, 1), Qt::Checked, Qt::CheckStateRole));
        QVERIFY(!m.setData(QModelIndex(), QStringLiteral("1"), Qt::EditRole));
        QVERIFY(!m.headerData(-1, Qt::Horizontal, Qt::DisplayRole).isValid());
        QVERIFY(!m.headerData(4, Qt::Horizontal, Qt::DisplayRole).isValid());

        Pieces other;
        GridModel second(other.table());
        QVERIFY(!m.setData(second.index(2, 1), Qt::Checked, Qt::CheckStateRole));
        QVERIFY(!m.data(second.index(2, 0), Qt::DisplayRole).isValid());

        // The third row goes before the grid hears of it.
        const QModelIndex third = m.index(2, 1);
        p.rows.pop_back();
        QVERIFY(!m.data(third, Qt::CheckStateRole).isValid());
        QVERIFY(!(m.flags(third) & Qt::ItemIsUserCheckable));
        QVERIFY(!m.setData(third, Qt::Checked, Qt::CheckStateRole));
        QCOMPARE(p.setterCalls, 0);
        m.reload();
        QCOMPARE(m.rowCount(), 2);

        // Every row gone: showing them all again touches nothing.
        QSignalSpy changed(&m, &QAbstractItemModel::dataChanged);
        p.rows.clear();
        m.reload();
        m.refresh();
        QCOMPARE(changed.size(), 0);
    }

    // Sorting through the table's sortBy; a table without it keeps its order.
    void sorting() {
        Pieces p;
        GridModel m(p.table());
        QAbstractItemModelTester tester(&m, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy layout(&m, &QAbstractItemModel::layoutChanged);
        m.sort(2);
        QCOMPARE(p.sorted, QList<int>{2});
        QCOMPARE(layout.size(), 1);
        m.sort(9);
        QCOMPARE(p.sorted, QList<int>{2});

        Pieces plain;
        GridColumns t = plain.table();
        t.sortBy = {};
        GridModel unsorted(t);
        QSignalSpy none(&unsorted, &QAbstractItemModel::layoutChanged);
        unsorted.sort(0);
        QCOMPARE(none.size(), 0);
    }

    // Widths in characters (one more for the margin) or pixels; at least the
    // title's when asked.
    void widths() {
        Pieces p;
        GridModel m(p.table());
        QTableView view;
        view.setModel(&m);
        sizeGridColumns(&view, m, false);
        const int character = view.fontMetrics().averageCharWidth();
        QCOMPARE(view.columnWidth(0), character * 13);
        QCOMPARE(view.columnWidth(1), 35);
        QCOMPARE(view.columnWidth(2), 80);
        QTableView titled;
        titled.setModel(&m);
        sizeGridColumns(&titled, m, true);
        QCOMPARE(titled.columnWidth(2), std::max(80, titled.horizontalHeader()->sectionSizeHint(2)));
        QCOMPARE(titled.columnWidth(3), std::max(40, titled.horizontalHeader()->sectionSizeHint(3)));
    }

    void detailLines_data() { addBackendRows(); }
    // A detail grid's model over DetailLines: yes/no boxes stored "S"/"N",
    // numbers on the right, refused cells unchanged, lines only looked at,
    // sorting and reloading through the lines.
    void detailLines() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        ScreenFixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        db::Dataset& types = f.corvane().TIPOCUSTO;
        QVERIFY(types.open());
        DetailLines lines(types, costTypeColumns(6), f.view);
        lines.setCellCheck(wasteAtMost100);
        DetailGrid grid(lines);
        GridModel& m = *grid.gridModel();
        QAbstractItemModelTester tester(&m, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy edited(&m, &GridModel::edited);
        QCOMPARE(m.rowCount(), lines.lineCount());
        QVERIFY(m.rowCount() > 3);
        QCOMPARE(grid.columnWidth(0), grid.fontMetrics().averageCharWidth() * 7);
        QCOMPARE(m.headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Desperd."));
        QCOMPARE(m.index(0, 2).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignRight | Qt::AlignVCenter));
        QVERIFY(!m.index(0, 1).data(Qt::TextAlignmentRole).isValid());
        QVERIFY(!(m.flags(m.index(0, 0)) & Qt::ItemIsEditable));
        QVERIFY(m.flags(m.index(0, 1)) & Qt::ItemIsEditable);
        QVERIFY(m.flags(m.index(0, 3)) & Qt::ItemIsUserCheckable);
        QCOMPARE(m.table().columns[1].maxLength, 40);

        // A refused value: the message, the line as it was.
        const QVariantList before = rowShown(m, 0);
        QVERIFY(!m.setData(m.index(0, 2), QStringLiteral("150"), Qt::EditRole));
        QCOMPARE(f.view.messages.last(), QStringLiteral("Desperdício acima de 100%"));
        QVERIFY(!m.setData(m.index(0, 2), QStringLiteral("muito"), Qt::EditRole));
        QCOMPARE(rowShown(m, 0), before);
        QCOMPARE(edited.size(), 0);

        QVERIFY(m.setData(m.index(0, 2), QStringLiteral("97,25"), Qt::EditRole));
        QCOMPARE(m.index(0, 2).data().toString(), QStringLiteral("97,25"));
        const bool on = m.index(0, 3).data(Qt::CheckStateRole).toInt() != Qt::Checked;
        QVERIFY(m.setData(m.index(0, 3), on ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole));
        QCOMPARE(types.text(lines.datasetRow(0), QStringLiteral("TU")).trimmed(),
                 on ? QStringLiteral("S") : QStringLiteral("N"));
        QCOMPARE(edited.size(), 2);

        // Sorted by the designation through the title, then read again in that order.
        QVERIFY(m.setData(m.index(0, 1), QStringLiteral("zzz"), Qt::EditRole));
        m.sort(1);
        QCOMPARE(m.index(m.rowCount() - 1, 1).data().toString(), QStringLiteral("zzz"));
        m.reload();
        QCOMPARE(m.index(m.rowCount() - 1, 1).data().toString(), QStringLiteral("zzz"));

        // Lines only looked at take nothing.
        lines.setReadOnly(true);
        QVERIFY(!(m.flags(m.index(0, 1)) & Qt::ItemIsEditable));
        QVERIFY(!m.setData(m.index(0, 1), QStringLiteral("aaa"), Qt::EditRole));
        QCOMPARE(m.index(m.rowCount() - 1, 1).data().toString(), QStringLiteral("zzz"));
        types.cancelUpdates();
    }
};

QTEST_MAIN(TestGridModel)
#include "test_grid_model.moc"
