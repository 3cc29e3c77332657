// The window of the quotation screen, typed into as a user would: the worked
// example priced on the price page, then closed from the last customer price.
#include "components/charts/chart_panels.h"
#include "components/filter/filter_dialog.h"
#include "components/lookup_dialog.h"
#include "components/report/preview_window.h"
#include "core/number_input.h"
#include "db/document_claim.h"
#include "quotation/report/quotation_report.h"
#include "quotation/ui/history_panels.h"
#include "quotation/ui/quotation_form.h"
#include "quotation/ui/quotation_search_form.h"
#include "quotation/ui/screens.h"
#include "quotation_fixture.h"
#include "shell/version_tables.h"
#include "support/declared_inputs.h"
#include "support/modal_closer.h"
#include "support/screen_driver.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QTabWidget>
#include <QTableView>

using namespace corvane;
using namespace corvane::quotation;

namespace {

// Puts the focus in an input (leaving the one before, with its check) and types.
void typeInto(QDialog* d, const QString& input, const QString& text) {
    typeOnly(d, input, text);
    QTest::qWait(20);
}

// Answers the next lookup list: types the text into its search field and
// chooses the line it lands on; records the rows the list showed.
void chooseInList(const QString& text, int* shown) {
    QTimer::singleShot(50, [text, shown] {
        auto* dialog = qobject_cast<components::LookupDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            chooseInList(text, shown);
            return;
        }
        *shown = dialog->findChild<QTableView*>(QStringLiteral("Grid"))->model()->rowCount();
        auto* search = dialog->findChild<QLineEdit*>(QStringLiteral("Edit_Procura"));
        QTest::keyClicks(search, text);
        QTest::keyClick(search, Qt::Key_Enter);
    });
}

// Answers the print question with Yes, then closes the print preview,
// recording its page count.
void answerPrint(QStringList* asked, int* pages) {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        box && box->text() == kPrintQuestion) {
        *asked << box->text();
        box->button(QMessageBox::Yes)->click();
    } else if (auto* preview = qobject_cast<report::PreviewWindow*>(QApplication::activeModalWidget())) {
        *pages = preview->pageCount();
        preview->reject();
        return;
    }
    QTimer::singleShot(50, [asked, pages] { answerPrint(asked, pages); });
}

// The quotation screen of user DEMO, allowed to delete, shown.
std::unique_ptr<TCORVF040> shownForm(TestSite& site) {
    auto rightsOf = [](const QString&, const QString&, const QString&) {
        shell::AccessRights r = shell::AccessRights::none();
        r.ACEDER = r.ELIMINAR = QStringLiteral("S");
        return r;
    };
    auto form = std::make_unique<TCORVF040>(sourcesOf(site, QStringLiteral("DEMO")), rightsOf,
                                            screens::ScreenSetting{});
    form->show();
    return form;
}

QString label(TCORVF040& form, const QString& name) {
    QLabel* l = form.valueLabel(name);
    return l ? l->text() : QStringLiteral("?");
}

} // namespace

class TestQuotationForm : public QObject {
    Q_OBJECT
private slots:
    // The window against the declaration of its inputs.
    void matchesItsDeclaration() {
        TestSite site(QStringLiteral("sqlite"));
        QVERIFY2(site.ok(), qPrintable(site.error()));
        ModalCloser closer;
        auto form = shownForm(site);
        QList<screens::FieldRule> rules;
        for (const QuotationInput& in : QuotationScreen::inputs())
            rules << in.rule;
        TCORVF040* window = form.get();
        const QStringList faults =
            declaredInputFaults(*window, rules, shell::quotationTables(),
                                [window](const QString& n) { return window->lookupDataset(n); });
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral(", "))));
    }

    void workedExample_data() { addBackendRows(); }
    void workedExample() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        prepare(site);
        QuotationSources sources = sourcesOf(site, QStringLiteral("DEMO"));
        screens::ScreenSetting setting;
        setting.signature = QStringLiteral("assinatura");
        auto rightsOf = [](const QString&, const QString&, const QString&) {
            shell::AccessRights r = shell::AccessRights::none();
            r.ACEDER = r.ELIMINAR = QStringLiteral("S");
            return r;
        };
        TCORVF040 form(sources, rightsOf, setting);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(form.objectName(), QStringLiteral("TCORVF040"));
        QCOMPARE(form.windowTitle(), QStringLiteral("Orçamentação"));
        QVERIFY(form.button("BotEliminar")->isVisibleTo(&form));
        QVERIFY(!form.button("BotFechar")->isEnabled());
        QVERIFY(!form.pages()->isTabEnabled(1));
        QCOMPARE(form.input("Edit_Serie")->text(), QStringLiteral("1"));

        typeInto(&form, "Edit_Serie", "1");
        typeInto(&form, "Edit_OrcNro", "");
        QCOMPARE(form.input("Edit_OrcNro")->text(), QStringLiteral("1001"));
        typeInto(&form, "Edit_CliNro", "1");
        typeInto(&form, "Edit_TipoFt", "P");
        QCOMPARE(form.findChild<QLabel*>("Label_CliNom")->text(),
                 QStringLiteral("Lanifícios Serra da Estrela, S.A."));
        typeInto(&form, "Edit_ArtNro", kExample);
        typeInto(&form, "Edit_MargemLiq", "20");
        QCOMPARE(form.findChild<QLabel*>("Label_Design")->text(), QStringLiteral("Cachecol de Exemplo"));
        typeInto(&form, "Edit_Qtd1", "100");
        typeInto(&form, "Edit_Qtd2", "");
        typeInto(&form, "Edit_Qtd3", "");
        QTest::keyClick(form.input("Edit_Qtd3"), Qt::Key_Tab);
        QTRY_COMPARE(form.pages()->currentIndex(), 1);
        QTRY_COMPARE(form.focusWidget(), form.input("Edit_VndNro"));
        QVERIFY(form.button("BotFechar")->isEnabled());
        QVERIFY(!form.input("Edit_MargLiq")->isEnabled());
        typeInto(&form, "Edit_AgtPerc", "0");
        typeInto(&form, "Edit_MetExpPerc", "0");
        QTest::keyClick(form.input("Edit_MetExpPerc"), Qt::Key_Tab);
        QTest::qWait(20);
        QCOMPARE(form.findChild<QLabel*>("Label_Qtd1")->text(), QStringLiteral("( 100 )"));
        QCOMPARE(label(form, "Label_Base1"), QStringLiteral("341,00"));
        QCOMPARE(label(form, "Label_Com1"), QStringLiteral("22,73"));
        QCOMPARE(label(form, "Label_Mg1"), QStringLiteral("90,93"));
        QCOMPARE(label(form, "Label_MgPerc1"), QStringLiteral("20,0"));
        QCOMPARE(label(form, "Label_ValorCli1"), QStringLiteral("454,67"));
        QCOMPARE(label(form, "Label_PrcOrc1"), QStringLiteral("4,55"));
        QCOMPARE(label(form, "Label_Base2"), QStringLiteral("0,00"));
        // The pie of level 1 and the chart buttons of the quoted levels.
        QVERIFY(form.history().pie()->isDrawn());
        QCOMPARE(form.history().pie()->shown().values, (QList<double>{341.0, 22.73, 90.93}));
        QVERIFY(form.findChild<QAbstractButton*>("BotChart1")->isEnabled());
        QVERIFY(!form.findChild<QAbstractButton*>("BotChart2")->isEnabled());

        // "&Fechar", the customer price 5.00, closing confirmed on the last price.
        form.button("BotFechar")->click();
        QTRY_VERIFY(form.input("Edit_MargLiq")->isEnabled());
        typeInto(&form, "Edit_PrecoCli1", "5");
        typeInto(&form, "Edit_PrecoCli2", "");
        typeInto(&form, "Edit_PrecoCli3", "");
        QCOMPARE(label(form, "Label_Mg1"), QStringLiteral("134,00"));
        QCOMPARE(label(form, "Label_MgPerc1"), QStringLiteral("26,8"));
        QStringList asked;
        answerNext(QMessageBox::Yes, &asked);
        // Printing offered: the report of the quotation in print preview.
        int previewPages = -1;
        QTimer::singleShot(100, [&asked, &previewPages] { answerPrint(&asked, &previewPages); });
        QTest::keyClick(form.input("Edit_PrecoCli3"), Qt::Key_Tab);
        QTRY_COMPARE(asked, (QStringList{kCloseQuestion, kPrintQuestion}));
        QTRY_COMPARE(previewPages, 1);
        QTRY_COMPARE(form.pages()->currentIndex(), 0);
        QCOMPARE(value(site, "SELECT MARGEMLIQ1 FROM ORCAMTOT WHERE ORCNRO = 1001").toDouble(), 134.0);
        QCOMPARE(counter(site, 1), 1001);
        QVERIFY(!form.button("BotFechar")->isEnabled());
        // "&Terminar" comes back with the series.
        QVERIFY(!form.button("BitTerminar")->isEnabled());
        typeInto(&form, "Edit_Serie", "1");
        QVERIFY(form.button("BitTerminar")->isEnabled());
        form.button("BitTerminar")->click();
        QTRY_VERIFY(!form.isVisible());
    }

    void escapeAndLooking_data() { addBackendRows(); }
    // Esc on a new quotation asks before abandoning it: No keeps it, Yes
    // leaves no row and closes. A quotation another program holds is shown
    // with its inputs read-only, but for the series and the number.
    void escapeAndLooking() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        prepare(site);
        auto rightsOf = [](const QString&, const QString&, const QString&) {
            shell::AccessRights r = shell::AccessRights::none();
            r.ACEDER = QStringLiteral("S");
            return r;
        };
        auto form = std::make_unique<TCORVF040>(sourcesOf(site, QStringLiteral("DEMO")), rightsOf,
                                                screens::ScreenSetting{});
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        typeInto(form.get(), "Edit_Serie", "1");
        typeInto(form.get(), "Edit_OrcNro", "");
        typeInto(form.get(), "Edit_CliNro", "1");
        QCOMPARE(rowsOf(site, 1001), 1);
        QStringList asked;
        answerNext(QMessageBox::No, &asked);
        QTest::keyClick(form->focusWidget(), Qt::Key_Escape);
        QTRY_COMPARE(asked, QStringList{kAbandonQuestion});
        QVERIFY(form->isVisible());
        QCOMPARE(form->input("Edit_CliNro")->text(), QStringLiteral("1"));
        QCOMPARE(rowsOf(site, 1001), 1);
        answerNext(QMessageBox::Yes, &asked);
        QTest::keyClick(form->focusWidget(), Qt::Key_Escape);
        QTRY_VERIFY(!form->isVisible());
        QCOMPARE(rowsOf(site, 1001), 0);
        QCOMPARE(value(site, "SELECT COUNT(*) FROM DOCUMENTOS_EM_USO").toInt(), 0);

        // Another program holds quotation 1001.
        site.exec(site.program(), "INSERT INTO ORCAMMAS (ORCNRO, CLINRO, APROVADO) VALUES (1001, 2, 'N')");
        const std::unique_ptr<db::Database> other = site.connectProgram();
        db::DocumentClaims holder(*other, db::ClaimSession::current("RUI", "POSTO-RUI"));
        QCOMPARE(int(holder.claim(QuotationStore::documentName(1001))),
                 int(db::DocumentClaims::Outcome::Held));
        form = std::make_unique<TCORVF040>(sourcesOf(site, QStringLiteral("DEMO")), rightsOf,
                                           screens::ScreenSetting{});
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        ModalCloser closer;
        typeInto(form.get(), "Edit_Serie", "1");
        typeInto(form.get(), "Edit_OrcNro", "1001");
        typeInto(form.get(), "Edit_DatOrc", "");
        QTRY_VERIFY(!closer.texts.isEmpty());
        QVERIFY(closer.texts.first().startsWith(QStringLiteral("Orçamento em uso por RUI desde ")));
        QCOMPARE(form->input("Edit_CliNro")->text(), QStringLiteral("2"));
        QVERIFY(form->input("Edit_CliNro")->isReadOnly());
        QVERIFY(form->input("Edit_Qtd1")->isReadOnly());
        QVERIFY(!form->input("Edit_OrcNro")->isReadOnly());
        QVERIFY(!form->input("Edit_Serie")->isReadOnly());
    }

    void halfCent_data() { addBackendRows(); }
    // 100 pieces of yarn at 0.16235 cost 16.235: the price page shows 16.24,
    // as ORCAMTOT stores it and the report prints it, and its sums.
    void halfCent() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        prepare(site);
        article(site, "ORC.MEIO", QStringLiteral("Cachecol Meio Cêntimo"), QStringLiteral("CT"));
        line(site, "ORC.MEIO", 1, 901, "F", 0.16235, 0, 0, 0, 0);
        auto form = shownForm(site);
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        for (const auto& [input, text] :
             {std::pair{"Edit_Serie", "1"}, std::pair{"Edit_OrcNro", ""}, std::pair{"Edit_CliNro", "1"},
              std::pair{"Edit_TipoFt", "P"}, std::pair{"Edit_ArtNro", "ORC.MEIO"},
              std::pair{"Edit_MargemLiq", "20"}, std::pair{"Edit_Qtd1", "100"}, std::pair{"Edit_Qtd2", ""},
              std::pair{"Edit_Qtd3", ""}})
            typeInto(form.get(), input, text);
        QTest::keyClick(form->input("Edit_Qtd3"), Qt::Key_Tab);
        QTRY_COMPARE(form->pages()->currentIndex(), 1);
        QCOMPARE(label(*form, "Label_Mat1"), QStringLiteral("16,24"));
        QCOMPARE(label(*form, "Label_Was1"), QStringLiteral("0,81"));
        QCOMPARE(label(*form, "Label_Base1"), QStringLiteral("17,05"));
        QCOMPARE(
            label(*form, "Label_ValorCli1"),
            fixedNumberText(value(site, "SELECT VALORCLI1 FROM ORCAMMAS WHERE ORCNRO = 1001").toDouble(), 2));
    }

    void deleteDiscards_data() { addBackendRows(); }
    // "&Eliminar" runs no check of the focused input: a quantity of 0 typed
    // there neither blocks the deletion nor shows its message.
    void deleteDiscards() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        prepare(site);
        auto form = shownForm(site);
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        for (const auto& [input, text] :
             {std::pair{"Edit_Serie", "1"}, std::pair{"Edit_OrcNro", ""}, std::pair{"Edit_CliNro", "1"},
              std::pair{"Edit_TipoFt", "P"}, std::pair{"Edit_ArtNro", "ORC.EXEMPLO"},
              std::pair{"Edit_MargemLiq", "20"}})
            typeInto(form.get(), input, text);
        typeOnly(form.get(), "Edit_Qtd1", "0");
        QCOMPARE(rowsOf(site, 1001), 5);
        ModalCloser answers;
        answers.yesTo = kDeleteQuestion;
        form->button("BotEliminar")->click();
        QTRY_COMPARE(rowsOf(site, 1001), 0);
        QCOMPARE(answers.texts, QStringList{kDeleteQuestion});
        QTRY_COMPARE(form->focusWidget(), form->input("Edit_Serie"));
    }

    // The lists "Localizar": Ctrl+Insert finds a customer by the start of
    // the name and fills in what leaving the field would; F2 and F1 set the
    // article kind and move on; Insert lists the articles that have a sheet
    // and the pending quotations.
    void lookups_data() { addBackendRows(); }
    void lookups() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        prepare(site);
        site.exec(site.invoicing(), QStringLiteral("INSERT INTO ARTIGOSCLS (CODIGO, DESIGNACAO, TIPOARTIGO) "
                                                   "VALUES ('ORC.SEM.FICHA', 'Artigo sem ficha', '1')"));
        QuotationSources sources = sourcesOf(site, QStringLiteral("DEMO"));
        auto rightsOf = [](const QString&, const QString&, const QString&) {
            shell::AccessRights r = shell::AccessRights::none();
            r.ACEDER = QStringLiteral("S");
            return r;
        };
        TCORVF040 form(sources, rightsOf, screens::ScreenSetting{});
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        typeInto(&form, "Edit_Serie", "1");
        typeInto(&form, "Edit_OrcNro", "");
        QTest::keyClick(form.input("Edit_OrcNro"), Qt::Key_Tab);
        QTRY_COMPARE(form.focusWidget(), form.input("Edit_DatOrc"));
        QTest::keyClick(form.input("Edit_DatOrc"), Qt::Key_Tab);
        QTRY_COMPARE(form.focusWidget(), form.input("Edit_CliNro"));
        // The status bar tells the keys of the field's lists.
        QCOMPARE(form.findChild<QLabel*>("StatusPanel0")->text(),
                 QStringLiteral("<INS> Procura Numérica, <CTRL+INS> Procura Alfabética"));

        int shown = 0;
        chooseInList(QStringLiteral("sil"), &shown);
        QTest::keyClick(form.input("Edit_CliNro"), Qt::Key_Insert, Qt::ControlModifier);
        QTRY_COMPARE(form.input("Edit_CliNro")->text(), QStringLiteral("4"));
        QCOMPARE(form.findChild<QLabel*>("Label_CliNom")->text(), QStringLiteral("SILVA & FILHOS"));
        QCOMPARE(shown, 7);
        // Choosing did what leaving the field does: the charge rows exist.
        QCOMPARE(value(site, "SELECT COUNT(*) FROM ORCAMCOM WHERE ORCNRO = 1001").toInt(), 1);
        QCOMPARE(value(site, "SELECT VNDNOM FROM ORCAMCOM WHERE ORCNRO = 1001").toString().trimmed(),
                 QStringLiteral("Sofia Cardoso"));

        form.input("Edit_TipoFt")->setFocus();
        QTRY_COMPARE(form.focusWidget(), form.input("Edit_TipoFt"));
        QTest::keyClick(form.input("Edit_TipoFt"), Qt::Key_F2);
        QCOMPARE(form.input("Edit_TipoFt")->text(), QStringLiteral("T"));
        QTRY_COMPARE(form.focusWidget(), form.input("Edit_ArtNro"));
        form.input("Edit_TipoFt")->setFocus();
        QTRY_COMPARE(form.focusWidget(), form.input("Edit_TipoFt"));
        QTest::keyClick(form.input("Edit_TipoFt"), Qt::Key_F1);
        QCOMPARE(form.input("Edit_TipoFt")->text(), QStringLiteral("P"));
        QCOMPARE(form.logic().quotation().mas.TIPOFT, QStringLiteral("P"));
        QTRY_COMPARE(form.focusWidget(), form.input("Edit_ArtNro"));

        chooseInList(QStringLiteral("ORC"), &shown);
        QTest::keyClick(form.input("Edit_ArtNro"), Qt::Key_Insert);
        QTRY_COMPARE(form.input("Edit_ArtNro")->text(), kExample);
        QCOMPARE(form.findChild<QLabel*>("Label_Design")->text(), QStringLiteral("Cachecol de Exemplo"));
        // Only the articles that have a technical sheet are listed.
        QCOMPARE(shown, int(value(site, "SELECT COUNT(*) FROM FICTECMAS").toInt()));
        // The customer's and the article's history are shown.
        QVERIFY(form.history().customerPanel()->isVisible());
        QVERIFY(form.history().articlePanel()->isVisible());
        QCOMPARE(form.history().articlePanel()->currentIndex(), 1);
        QCOMPARE(form.history().label("Label_Total")->text(), QStringLiteral("0,00")); // no receivables
        QVERIFY(!form.history().bars("ChartCorrente")->isVisible());

        form.button("BotCancelar")->click();
        QTRY_COMPARE(form.focusWidget(), form.input("Edit_Serie"));
        QCOMPARE(rowsOf(site, 1001), 0);
        QVERIFY(!form.history().customerPanel()->isVisible());
        QVERIFY(!form.history().articlePanel()->isVisible());
    }

    // F1 on the number opens the search: only pending quotations, the filter
    // "Seleccione" on the customer's name, a double click opens the
    // quotation; leaving without choosing says so and keeps the number.
    void search_data() { addBackendRows(); }
    void search() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        prepare(site);
        for (const auto& [number, customer, name, approved] :
             {std::tuple{1001, 4, "SILVA & FILHOS", "N"},
              std::tuple{1002, 1, "Lanifícios Serra da Estrela", "N"},
              std::tuple{1003, 4, "SILVA & FILHOS", "S"}, std::tuple{1004, 3, "Casa SILVA", "N"}})
            site.exec(
                site.program(),
                QStringLiteral("INSERT INTO ORCAMMAS (ORCNRO, CLINRO, CLINOM, ARTIGO, TIPOFT, APROVADO, "
                               "MANUAL_AUTO, MARGEMLIQ, QUANT1) VALUES (:N, :C, :M, :A, 'P', :S, 'M', 20, "
                               "100)"),
                {{"N", number},
                 {"C", customer},
                 {"M", QString::fromUtf8(name)},
                 {"A", kExample},
                 {"S", QString::fromLatin1(approved)}});

        // The search alone: three pending quotations, then "SIL" on the name.
        {
            TCORVF040A search(site.program(), screens::ScreenSetting{});
            search.show();
            QVERIFY(QTest::qWaitForWindowActive(&search));
            QCOMPARE(search.shownCount(), 3);
            QCOMPARE(search.findChild<QLabel*>("Label_Total")->text(),
                     QStringLiteral("Nº Total de Orçamentos : 3"));
            QTimer::singleShot(50, [] {
                auto* dialog = qobject_cast<components::FilterDialog*>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                auto* field = dialog->findChild<QComboBox*>("Combo_Campo");
                field->setCurrentIndex(field->findData(QStringLiteral("CLINOM")) >= 0
                                           ? field->findData(QStringLiteral("CLINOM"))
                                           : field->findText(QStringLiteral("Nome do Cliente")));
                QTest::keyClicks(dialog->findChild<QLineEdit*>("Edit_Valor"), QStringLiteral("SIL"));
                dialog->findChild<QAbstractButton*>("BotOk")->click();
            });
            search.findChild<QAbstractButton*>("BotSelect")->click();
            QTRY_COMPARE(search.shownCount(), 1);
            QCOMPARE(search.findChild<QLabel*>("Label_Total")->text(),
                     QStringLiteral("Nº Total de Orçamentos : 1"));
            QCOMPARE(search.grid()->model()->index(0, 0).data(Qt::EditRole).toInt(), 1001);
        }

        TCORVF040 form(
            sourcesOf(site, QStringLiteral("DEMO")),
            [](const QString&, const QString&, const QString&) {
                shell::AccessRights r = shell::AccessRights::none();
                r.ACEDER = QStringLiteral("S");
                return r;
            },
            screens::ScreenSetting{});
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        typeInto(&form, "Edit_Serie", "1");
        form.input("Edit_OrcNro")->setFocus();
        QTRY_COMPARE(form.focusWidget(), form.input("Edit_OrcNro"));
        // Left with "&Terminar": nothing chosen.
        QStringList said;
        QTimer::singleShot(50, [&said] {
            auto* search = qobject_cast<TCORVF040A*>(QApplication::activeModalWidget());
            QVERIFY(search);
            answerNext(QMessageBox::Ok, &said);
            search->findChild<QAbstractButton*>("BitTerminar")->click();
        });
        QTest::keyClick(form.input("Edit_OrcNro"), Qt::Key_F1);
        QTRY_COMPARE(said, QStringList{kNothingFound});
        QTRY_COMPARE(form.focusWidget(), form.input("Edit_OrcNro"));
        QVERIFY(!form.logic().hasQuotation());
        // Enter on the second line opens quotation 1002, as a double click does.
        QTimer::singleShot(50, [] {
            auto* search = qobject_cast<TCORVF040A*>(QApplication::activeModalWidget());
            QVERIFY(search);
            search->grid()->setFocus();
            search->grid()->setCurrentIndex(search->grid()->model()->index(1, 0));
            QTest::keyClick(search->grid(), Qt::Key_Return);
        });
        QTest::keyClick(form.input("Edit_OrcNro"), Qt::Key_F1);
        QTRY_VERIFY(form.logic().hasQuotation());
        QCOMPARE(form.logic().number(), 1002);
        QCOMPARE(form.input("Edit_OrcNro")->text(), QStringLiteral("1002"));
        QCOMPARE(form.input("Edit_CliNro")->text(), QStringLiteral("1"));
        QTRY_COMPARE(form.focusWidget(), form.input("Edit_DatOrc"));
    }

    // The main menu's "&A - Orçamentação" opens this screen.
    void menuEntry() {
        shell::ScreenTable table;
        registerScreens(table);
        QVERIFY(table.contains(QStringLiteral("ORC002")));
    }
};

QTEST_MAIN(TestQuotationForm)
#include "test_quotation_form.moc"
