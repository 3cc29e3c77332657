#include "components/filter/filter_dialog.h"
#include "support/modal_closer.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using namespace corvane::components;

namespace {

const QList<FilterField> kFields{
    {QStringLiteral("ARTIGO"), QStringLiteral("Artigo Nº"), 0, FieldKind::Text},
    {QStringLiteral("CLINOM"), QStringLiteral("Nome do Cliente"), 1, FieldKind::Text},
    {QStringLiteral("CLINRO"), QStringLiteral("Cli.Nº"), 2, FieldKind::Integer},
    {QStringLiteral("DATAEMI"), QStringLiteral("Dat.Emi."), 3, FieldKind::Date},
};

// A row: article, customer name, customer number, issue date.
bool takes(const RowFilter& filter, const QVariantList& row) {
    return filter.matches([&row](int column) { return row.value(column); });
}

template <typename W> W* child(QWidget* dialog, const char* name) {
    W* w = dialog->findChild<W*>(QLatin1String(name));
    if (!w)
        qFatal("no %s", name);
    return w;
}

// Chooses the field and types the value, as the user would.
void enter(QWidget* dialog, const QString& fieldTitle, const QString& value) {
    auto* combo = child<QComboBox>(dialog, "Combo_Campo");
    combo->setCurrentIndex(combo->findText(fieldTitle));
    auto* edit = child<QLineEdit>(dialog, "Edit_Valor");
    edit->clear();
    QTest::keyClicks(edit, value);
}

void press(QWidget* dialog, const char* button) {
    QTest::mouseClick(child<QPushButton>(dialog, button), Qt::LeftButton);
}

QStringList listed(QWidget* dialog) {
    QStringList texts;
    auto* list = child<QListWidget>(dialog, "Lista_Condicoes");
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

// Runs `drive` on the dialog once it is shown modally.
void whenShown(std::function<void(QWidget*)> drive) {
    QTimer::singleShot(0, [drive] {
        if (auto* dialog = qobject_cast<FilterDialog*>(QApplication::activeModalWidget()))
            drive(dialog);
    });
}

} // namespace

class TestFilterDialog : public QObject {
    Q_OBJECT
private slots:
    void offersTheFieldsInOrder() {
        FilterDialog dialog(kFields);
        QCOMPARE(dialog.objectName(), QStringLiteral("Seleccione"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Seleccione"));
        auto* combo = child<QComboBox>(&dialog, "Combo_Campo");
        QCOMPARE(combo->count(), 4);
        QStringList titles;
        for (int i = 0; i < combo->count(); ++i)
            titles << combo->itemText(i);
        QCOMPARE(titles, (QStringList{QStringLiteral("Artigo Nº"), QStringLiteral("Nome do Cliente"),
                                      QStringLiteral("Cli.Nº"), QStringLiteral("Dat.Emi.")}));
        QCOMPARE(combo->currentIndex(), 0);
        QVERIFY(listed(&dialog).isEmpty());

        FilterDialog byName(kFields, {}, QStringLiteral("CLINOM"));
        QCOMPARE(child<QComboBox>(&byName, "Combo_Campo")->currentText(), QStringLiteral("Nome do Cliente"));
        FilterDialog unknown(kFields, {}, QStringLiteral("VNDNRO"));
        QCOMPARE(child<QComboBox>(&unknown, "Combo_Campo")->currentIndex(), 0);
    }

    // Field, value, OK: the filter on that field.
    void okAnswersTheFilter() {
        bool driven = false;
        whenShown([&driven](QWidget* dialog) {
            enter(dialog, QStringLiteral("Nome do Cliente"), QStringLiteral("SIL"));
            driven = true;
            press(dialog, "BotOk");
        });
        const std::optional<RowFilter> filter = FilterDialog::ask(nullptr, kFields);
        QVERIFY(driven);
        QVERIFY(filter);
        QCOMPARE(filter->lines(), (QList<FilterLine>{{QStringLiteral("CLINOM"), QStringLiteral("SIL")}}));
        QVERIFY(takes(*filter, {QStringLiteral("A1"), QStringLiteral("SILVA & FILHOS"), 3}));
        QVERIFY(!takes(*filter, {QStringLiteral("SIL"), QStringLiteral("Casa SILVA"), 3}));

        // Cancelar answers nothing, whatever was typed.
        whenShown([](QWidget* dialog) {
            enter(dialog, QStringLiteral("Cli.Nº"), QStringLiteral("3"));
            press(dialog, "BotCancelar");
        });
        QVERIFY(!FilterDialog::ask(nullptr, kFields, *filter));
    }

    // A value that cannot be read is shown in a message; the dialog stays
    // open with the focus on the value, and nothing is added.
    void unreadableValueKeepsTheDialogOpen() {
        FilterDialog dialog(kFields);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        ModalCloser closer;
        auto* value = child<QLineEdit>(&dialog, "Edit_Valor");

        enter(&dialog, QStringLiteral("Cli.Nº"), QStringLiteral("abc"));
        press(&dialog, "BotOk");
        QCOMPARE(closer.texts, QStringList{QStringLiteral("Valor inválido para Cli.Nº: abc")});
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(dialog.focusWidget(), value);
        QCOMPARE(value->text(), QStringLiteral("abc"));
        QVERIFY(listed(&dialog).isEmpty());

        // Through "E" as well.
        enter(&dialog, QStringLiteral("Dat.Emi."), QStringLiteral("31/02/2024"));
        press(&dialog, "BotE");
        QCOMPARE(closer.texts.size(), 2);
        QCOMPARE(closer.texts.last(), QStringLiteral("Valor inválido para Dat.Emi.: 31/02/2024"));
        QVERIFY(listed(&dialog).isEmpty());
        QCOMPARE(dialog.focusWidget(), value);

        enter(&dialog, QStringLiteral("Cli.Nº"), QStringLiteral("12"));
        press(&dialog, "BotOk");
        QCOMPARE(closer.texts.size(), 2);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.filter().lines(),
                 (QList<FilterLine>{{QStringLiteral("CLINRO"), QStringLiteral("12")}}));
    }

    // "E" and "Ou" add lines; E binds before Ou.
    void joinButtonsAddLines() {
        FilterDialog dialog(kFields);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* join = child<QLabel>(&dialog, "Label_Juncao");
        QCOMPARE(join->text(), QString());

        enter(&dialog, QStringLiteral("Nome do Cliente"), QStringLiteral("SIL"));
        press(&dialog, "BotOu");
        QCOMPARE(listed(&dialog), QStringList{QStringLiteral("Nome do Cliente: SIL")});
        QCOMPARE(join->text(), QStringLiteral("Ou"));
        QCOMPARE(child<QLineEdit>(&dialog, "Edit_Valor")->text(), QString());

        enter(&dialog, QStringLiteral("Cli.Nº"), QStringLiteral("5"));
        press(&dialog, "BotE");
        QCOMPARE(join->text(), QStringLiteral("E"));
        enter(&dialog, QStringLiteral("Dat.Emi."), QStringLiteral("01/03/2024"));
        press(&dialog, "BotOk");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(listed(&dialog),
                 (QStringList{QStringLiteral("Nome do Cliente: SIL"), QStringLiteral("Ou Cli.Nº: 5"),
                              QStringLiteral("E Dat.Emi.: 01/03/2024")}));
        const RowFilter& filter = dialog.filter();
        QCOMPARE(filter.lines().size(), 3);
        QCOMPARE(filter.lines().at(1).join, FilterJoin::Or);
        QCOMPARE(filter.lines().at(2).join, FilterJoin::And);
        // SIL or (5 and 01/03/2024).
        QVERIFY(takes(filter, {QStringLiteral("A"), QStringLiteral("SILVA"), 7, QVariant()}));
        QVERIFY(takes(filter, {QStringLiteral("A"), QStringLiteral("COSTA"), 5, QDate(2024, 3, 1)}));
        QVERIFY(!takes(filter, {QStringLiteral("A"), QStringLiteral("COSTA"), 5, QDate(2024, 3, 2)}));
        QVERIFY(!takes(filter, {QStringLiteral("A"), QStringLiteral("COSTA"), 6, QDate(2024, 3, 1)}));
    }

    // Reopened on a filter, the dialog shows its lines; they can be kept,
    // removed one by one or cleared.
    void reopeningShowsTheLines() {
        const RowFilter current = *RowFilter::compile(
            kFields, {{QStringLiteral("ARTIGO"), QStringLiteral("CH%")},
                      {QStringLiteral("CLINRO"), QStringLiteral("5 or 6"), FilterJoin::Or}});
        {
            FilterDialog dialog(kFields, current);
            QCOMPARE(listed(&dialog),
                     (QStringList{QStringLiteral("Artigo Nº: CH%"), QStringLiteral("Ou Cli.Nº: 5 or 6")}));
            QCOMPARE(child<QLabel>(&dialog, "Label_Juncao")->text(), QStringLiteral("E"));
            dialog.show();
            press(&dialog, "BotOk");
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(dialog.filter().lines(), current.lines());
        }
        {
            FilterDialog dialog(kFields, current);
            dialog.show();
            child<QListWidget>(&dialog, "Lista_Condicoes")->setCurrentRow(0);
            press(&dialog, "BotRemover");
            QCOMPARE(listed(&dialog), QStringList{QStringLiteral("Cli.Nº: 5 or 6")});
            // A new line joins by E, as the label says.
            enter(&dialog, QStringLiteral("Artigo Nº"), QStringLiteral("'CH 1'"));
            press(&dialog, "BotOk");
            QCOMPARE(dialog.filter().lines().size(), 2);
            QVERIFY(takes(dialog.filter(), {QStringLiteral("CH 10"), QString(), 6}));
            QVERIFY(!takes(dialog.filter(), {QStringLiteral("CH 10"), QString(), 7}));
            QVERIFY(!takes(dialog.filter(), {QStringLiteral("CH10"), QString(), 6}));
        }
        // A new condition typed over untouched lines: Yes replaces them, No
        // joins it to them by E.
        for (const bool replace : {true, false}) {
            FilterDialog dialog(kFields, current);
            dialog.show();
            enter(&dialog, QStringLiteral("Cli.Nº"), QStringLiteral("7"));
            QStringList asked;
            answerNext(replace ? QMessageBox::Yes : QMessageBox::No, &asked);
            press(&dialog, "BotOk");
            QCOMPARE(asked, QStringList{kReplaceQuestion});
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(dialog.filter().lines().size(), replace ? 1 : 3);
            QCOMPARE(takes(dialog.filter(), {QStringLiteral("XX"), QString(), 7}), replace);
            // The old lines took this row; replaced, they no longer do.
            QCOMPARE(takes(dialog.filter(), {QStringLiteral("CH 1"), QString(), 5}), !replace);
        }
        whenShown([](QWidget* dialog) {
            press(dialog, "BotLimpar");
            press(dialog, "BotOk");
        });
        const std::optional<RowFilter> cleared = FilterDialog::ask(nullptr, kFields, current);
        QVERIFY(cleared);
        QVERIFY(cleared->isEmpty());
    }
};

QTEST_MAIN(TestFilterDialog)
#include "test_filter_dialog.moc"
