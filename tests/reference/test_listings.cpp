#include "reference_fixture.h"
#include "support/pdf_pages.h"
#include "support/text_file.h"
#include "support/xlsx_cells.h"

#include "components/report/dataset_table.h"
#include "components/report/exports.h"
#include "components/report/line_sink.h"
#include "core/working_context.h"
#include "reference/listings/listings.h"

#include <QFile>
#include <QPrinter>
#include <QtTest>

using namespace corvane;
using namespace corvane::reference;

namespace {
QString expectedFile(const QString& name) {
    return readTextFile(qEnvironmentVariable("CORVANE_SOURCE_DIR") +
                        QStringLiteral("/tests/reference/expected/") + name);
}
} // namespace

class TestListings : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void textExportMatchesTheHandWrittenListing_data();
    void textExportMatchesTheHandWrittenListing();
    void captionsTitlesAndPages();
    void machineTypeTexts();
    void xlsxHoldsTheSameCells();
    void emptyTableGivesNoPages();
    void pageCountAgreesInPreviewPdfAndPrint();
    void datasetSpreadsheetExport();

private:
    // The listing's text export, ready for comparing.
    QString textOf(Listing& listing);
    ReferenceFixture fx_;
    std::unique_ptr<db::Dataset> tipoCusto_, operacoes_, grupos_, maquinas_, materiais_, trabalhos_,
        embalagem_, embalagemMp_;
};

void TestListings::initTestCase() {
    QVERIFY2(fx_.ok(), qPrintable(fx_.error()));
    tipoCusto_ = fx_.dataset(QStringLiteral("TIPOCUSTO"));
    operacoes_ = fx_.dataset(QStringLiteral("OPERACOES"));
    grupos_ = fx_.dataset(QStringLiteral("GRUPOMAQUINAS"));
    maquinas_ = fx_.dataset(QStringLiteral("MAQUINAS"));
    materiais_ = fx_.dataset(QStringLiteral("TIPOMATERIAL"));
    trabalhos_ = fx_.dataset(QStringLiteral("TIPOTRABALHO"));
    embalagem_ = fx_.dataset(QStringLiteral("EMBALAGEM"));
    embalagemMp_ = fx_.dataset(QStringLiteral("EMBALAGEMMP"));
}

QString TestListings::textOf(Listing& listing) {
    listing.setCompany(QStringLiteral("Malhas Teste, Lda"));
    listing.setNotice(QString::fromUtf8(WorkingContext::kReportNotice));
    QString error;
    auto report = listing.report(&error);
    if (!report)
        return error;
    const QString path = fx_.dir() + QStringLiteral("/listagem.txt");
    if (!report::exportReport(*report, report::ExportFormat::Text, path, &error))
        return error;
    return readTextFile(path);
}

void TestListings::textExportMatchesTheHandWrittenListing_data() {
    QTest::addColumn<int>("listing");
    QTest::addColumn<bool>("alphabetical");
    QTest::addColumn<QString>("expected");
    QTest::newRow("cost types") << 1 << false << "tipos-de-custo.txt";
    QTest::newRow("cost types, alphabetical") << 1 << true << "tipos-de-custo-alfabetica.txt";
    QTest::newRow("operations") << 2 << false << "operacoes.txt";
    QTest::newRow("operations, alphabetical") << 2 << true << "operacoes-alfabetica.txt";
    QTest::newRow("machines") << 3 << false << "maquinas.txt";
    QTest::newRow("machine groups") << 4 << false << "grupos-de-maquinas.txt";
    QTest::newRow("material types") << 5 << false << "tipos-de-material.txt";
    QTest::newRow("work types") << 6 << false << "tipos-de-trabalho.txt";
    QTest::newRow("packaging") << 7 << false << "embalagens.txt";
}

void TestListings::textExportMatchesTheHandWrittenListing() {
    QFETCH(int, listing);
    QFETCH(bool, alphabetical);
    QFETCH(QString, expected);
    std::unique_ptr<Listing> l;
    switch (listing) {
    case 1:
        l = std::make_unique<TCORVFPR001>(*tipoCusto_);
        break;
    case 2:
        l = std::make_unique<TCORVFPR002>(*operacoes_, *tipoCusto_);
        break;
    case 3:
        l = std::make_unique<TCORVFPR003>(*maquinas_, *grupos_);
        break;
    case 4:
        l = std::make_unique<TCORVFPR004>(*grupos_);
        break;
    case 5:
        l = std::make_unique<TCORVFPR005>(*materiais_);
        break;
    case 6:
        l = std::make_unique<TCORVFPR006>(*trabalhos_);
        break;
    default:
        l = std::make_unique<TCORVFPR007>(*embalagem_, *embalagemMp_);
    }
    l->setOrder(alphabetical ? ListingOrder::Alphabetical : ListingOrder::Numeric);
    const QString want = expectedFile(expected);
    QVERIFY2(!want.isEmpty(), qPrintable(expected));
    const QString got = textOf(*l);
    if (got != want) {
        QFile out(fx_.dir() + QLatin1Char('/') + expected);
        out.open(QIODevice::WriteOnly);
        out.write(got.toUtf8());
        qWarning("written %s", qPrintable(out.fileName()));
    }
    QCOMPARE(got, want);
}

void TestListings::captionsTitlesAndPages() {
    TCORVFPR004 groups(*grupos_);
    auto r = groups.report();
    QVERIFY(r);
    QCOMPARE(r->definition().caption, QStringLiteral("Grupo de Máquinas"));
    QCOMPARE(r->definition().title, QStringLiteral("Tabela de Grupo de Máquinas"));
    QCOMPARE(r->definition().orderNote, QString()); // no order note
    QCOMPARE(r->definition().page.orientation, QPageLayout::Portrait);
    QCOMPARE(r->definition().page.margins, QMarginsF(7, 10, 7, 10));

    TCORVFPR007 packaging(*embalagem_, *embalagemMp_);
    packaging.setNotice(QStringLiteral("aviso"));
    packaging.setOrder(ListingOrder::Alphabetical);
    r = packaging.report();
    QVERIFY(r);
    QCOMPARE(r->definition().orderNote, QStringLiteral("Ord.Alfabética"));
    QCOMPARE(r->definition().page.orientation, QPageLayout::Landscape);
    QCOMPARE(r->definition().page.margins, QMarginsF(11, 10, 11, 10));
    QCOMPARE(r->info().notice, QStringLiteral("aviso"));
    QVERIFY(r->layout());
    QCOMPARE(r->pageCount(), 1);
}

void TestListings::machineTypeTexts() {
    QCOMPARE(machineTypeText(1), QStringLiteral("MQ. Corte"));
    QCOMPARE(machineTypeText(4), QStringLiteral("Tear - Alta Def. e 100%Acrilico"));
    QCOMPARE(machineTypeText(9), QStringLiteral("Corte c/Serra Eléctrica"));
    QCOMPARE(machineTypeText(0), QString());
    QCOMPARE(machineTypeText(10), QString());
}

void TestListings::xlsxHoldsTheSameCells() {
    TCORVFPR002 operations(*operacoes_, *tipoCusto_);
    operations.setCompany(QStringLiteral("Malhas Teste, Lda"));
    auto r = operations.report();
    QVERIFY(r);
    const QString path = fx_.dir() + QStringLiteral("/operacoes.xlsx");
    QString error;
    QVERIFY2(report::exportReport(*r, report::ExportFormat::Xlsx, path, &error), qPrintable(error));
    const auto cells = readXlsxCells(path);
    QCOMPARE(xlsxRow(cells, 1), QStringList{"Tabela de Operações"});
    QCOMPARE(xlsxRow(cells, 2), QStringList{"Ord.Numérica"});
    QCOMPARE(xlsxRow(cells, 5), report::headingTexts(r->definition().layouts[0]));
    QCOMPARE(xlsxRow(cells, 6),
             (QStringList{"3", "Vaporizar", "7", "Acabamentos", "UN", "P", "2", "X070003"}));
    QCOMPARE(xlsxRow(cells, 7),
             (QStringList{"12", "Corte", "5", "Tipo de Custo Inexistente", "UN", "N", "0.15", "X050012"}));
    QVERIFY(cells.value(QStringLiteral("G7")).number);
    QVERIFY(!cells.value(QStringLiteral("H7")).number);
    QCOMPARE(xlsxRow(cells, 8).first(), QStringLiteral("1000"));
    QVERIFY(!cells.contains(QStringLiteral("A9")));

    // Packaging: the material lines stand under the type, one column in.
    TCORVFPR007 packaging(*embalagem_, *embalagemMp_);
    r = packaging.report();
    QVERIFY(report::exportReport(*r, report::ExportFormat::Xlsx, path, &error));
    const auto pk = readXlsxCells(path);
    QCOMPARE(xlsxRow(pk, 5), (QStringList{"Código", "Designação do artigo", "Custo Hora", "Tipo de Custo"}));
    QCOMPARE(xlsxRow(pk, 6), (QStringList{"", "Matéria Prima/Subsidiária"}));
    QCOMPARE(xlsxRow(pk, 7), (QStringList{"", "Artigo Nº", "Designação", "Unid.", "Quant.", "Preco €"}));
    QCOMPARE(xlsxRow(pk, 8), (QStringList{"1", "Caixa individual", "0.5", "Embalagem"}));
    QCOMPARE(xlsxRow(pk, 9), (QStringList{"", "CX001", "Caixa cartão", "UN", "1", "0.3"}));
    QCOMPARE(xlsxRow(pk, 10), (QStringList{"", "SD01", "Papel seda", "FL", "2", "0.02"}));
    QCOMPARE(xlsxRow(pk, 11), QStringList{});
    QCOMPARE(xlsxRow(pk, 13), (QStringList{"2", "Saco", "0.1", "Embalagem"}));
}

void TestListings::emptyTableGivesNoPages() {
    QVERIFY(fx_.exec({QStringLiteral("CREATE TABLE VAZIA (CODIGO smallint, DESIGNACAO varchar(25))")}));
    db::Dataset empty(fx_.db(), QStringLiteral("VAZIA"),
                      QStringLiteral("Select * From VAZIA Order By CODIGO"));
    TCORVFPR005 listing(empty);
    auto r = listing.report();
    QVERIFY(r);
    QVERIFY(r->layout());
    QCOMPARE(r->pageCount(), 0);
}

void TestListings::pageCountAgreesInPreviewPdfAndPrint() {
    QStringList rows;
    for (int i = 1; i <= 200; ++i)
        rows << QStringLiteral("INSERT INTO OPERACOES VALUES (%1, 'Operação %1', 7, 'UN', 'N', %2, 'X07%3')")
                    .arg(2000 + i)
                    .arg(i * 0.25)
                    .arg(2000 + i, 4, 10, QLatin1Char('0'));
    QVERIFY(fx_.exec(rows));
    db::Dataset ops(fx_.db(), QStringLiteral("OPERACOES"),
                    QStringLiteral("Select * From OPERACOES Where CODIGO > 2000 Order By CODIGO"));
    TCORVFPR002 listing(ops, *tipoCusto_);
    auto r = listing.report();
    QVERIFY(r && r->layout());
    const int pages = r->pageCount();
    QVERIFY(pages >= 3);
    const QString pdf = fx_.dir() + QStringLiteral("/operacoes.pdf");
    QVERIFY(report::exportReport(*r, report::ExportFormat::Pdf, pdf));
    QCOMPARE(pdfPageCount(pdf), pages);
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fx_.dir() + QStringLiteral("/impressas.pdf"));
    QVERIFY(report::printReport(*r, printer));
    QCOMPARE(pdfPageCount(printer.outputFileName()), pages);
    QVERIFY(fx_.exec({QStringLiteral("DELETE FROM OPERACOES WHERE CODIGO > 2000")}));
}

void TestListings::datasetSpreadsheetExport() {
    QVERIFY(
        fx_.exec({QStringLiteral("CREATE TABLE HISTORICO (NUMERO int, CLIENTE varchar(30), DATA datetime, "
                                 "VALOR float)"),
                  QStringLiteral("INSERT INTO HISTORICO VALUES (7, 'Lã & Companhia', '2024-03-05', 12.5)"),
                  QStringLiteral("INSERT INTO HISTORICO VALUES (8, NULL, '2024-03-06 10:30:00', NULL)")}));
    db::Dataset ds(fx_.db(), QStringLiteral("HISTORICO"),
                   QStringLiteral("Select * From HISTORICO Order By NUMERO"));
    const QString path = fx_.dir() + QStringLiteral("/historico.xlsx");
    QString error;
    QVERIFY2(report::exportDataset(ds, path, QStringLiteral("Histórico"), QStringLiteral("Malhas Teste, Lda"),
                                   {QStringLiteral("Ano 2024")}, &error),
             qPrintable(error));
    const auto cells = readXlsxCells(path);
    QCOMPARE(xlsxRow(cells, 1), QStringList{"Histórico"});
    QCOMPARE(xlsxRow(cells, 2), QStringList{"Ano 2024"});
    QCOMPARE(xlsxRow(cells, 5), (QStringList{"NUMERO", "CLIENTE", "DATA", "VALOR"}));
    QCOMPARE(xlsxRow(cells, 6), (QStringList{"7", "Lã & Companhia", "45356", "12.5"}));
    QVERIFY(cells.value(QStringLiteral("A6")).number);
    QVERIFY(cells.value(QStringLiteral("C6")).number); // a date, not text
    QVERIFY(!cells.value(QStringLiteral("B6")).number);
    QCOMPARE(cells.value(QStringLiteral("C7")).value.toDouble(), 45357.4375);
    QVERIFY(!cells.contains(QStringLiteral("D7")));

    QVERIFY(!report::exportDataset(ds, fx_.dir() + QStringLiteral("/nao/existe.xlsx"), {}, {}, {}, &error));
    QVERIFY(error.startsWith(QStringLiteral("Não foi possível gravar o ficheiro")));
}

QTEST_MAIN(TestListings)
#include "test_listings.moc"
