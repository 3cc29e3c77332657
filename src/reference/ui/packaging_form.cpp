#include "packaging_form.h"

#include "components/form_conventions.h"
#include "reference/listings/listings.h"
#include "reference/listings/packaging_selection.h"
#include "reference/reference_tables.h"
#include "screens/ui/field_widgets.h"
#include "shell/access_rights.h"
#include "shell/data_modules.h"
#include "shell/version_steps.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace corvane::reference {

using screens::TableScreen;

namespace {
const char* const kKinds[] = {"ArtNro", "Designacao", "Qtd", "Preco"};
const char* const kColumns[] = {"ARTNRO", "DESIGNACAO", "QTD", "PRECO", "UND"};
} // namespace

TCORVF007::TCORVF007(shell::TDTCORVANE& data, db::Database& factura, TCORVFPR007* listing,
                     const screens::ScreenSetting& setting, QWidget* parent)
    : TableScreenForm(
          packagingScreen(),
          [&data, &factura, onError = setting.onError](ScreenView& view) -> std::unique_ptr<TableScreen> {
              return std::make_unique<PackagingScreen>(data.EMBALAGEM, data.TIPOCUSTO, data.EMBALAGEMMP,
                                                       factura, view, onError);
          },
          listing, setting, parent),
      data_(data), factura_(factura), listing_(listing) {
    materials_ = new QTableWidget(3, 5, this);
    materials_->setObjectName(QStringLiteral("GridMateriais"));
    materials_->setHorizontalHeaderLabels({QStringLiteral("Código da M.Prima "), QStringLiteral("Designação"),
                                           QStringLiteral("Quant."), QStringLiteral("Preço €"),
                                           QStringLiteral("Und.")});
    materials_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    materials_->setFocusPolicy(Qt::NoFocus);
    materials_->verticalHeader()->hide();
    auto* inks = new QPushButton(QStringLiteral("Matéria Prima"), this);
    inks->setObjectName(QStringLiteral("BotMatPrima"));
    inks->setToolTip(QStringLiteral("Matéria Prima associada"));
    inks->setFocusPolicy(Qt::NoFocus);
    extras()->addWidget(materials_);
    extras()->addWidget(inks);
    connect(inks, &QPushButton::clicked, this, &TCORVF007::BotMatPrimaClick);
}

void TCORVF007::refresh() {
    TableScreenForm::refresh();
    const int row = packaging().materialsRow();
    db::Dataset& mp = packaging().materials();
    for (int line = 1; line <= 3; ++line)
        for (int c = 0; c < 5; ++c)
            materials_->setItem(line - 1, c,
                                new QTableWidgetItem(row < 0 ? QString()
                                                             : mp.text(row, QString::fromLatin1(kColumns[c]) +
                                                                                QString::number(line))));
    materials_->resizeColumnsToContents();
}

void TCORVF007::print() {
    // The listing reads rows of its own: choosing its order leaves the screen's alone.
    if (!listing_)
        return;
    TCORVFSPR007 selection(listing_->dataset(), *listing_, this);
    selection.exec();
}

void TCORVF007::BotMatPrimaClick() {
    if (logic().currentRow() < 0)
        return;
    data_.EMBALAGEMMP.close();
    {
        TCORVF007A lines(data_.EMBALAGEMMP, factura_, packaging().packagingCode(),
                         logic().fieldText(QStringLiteral("DESIGNACAO")), setting(), this);
        lines.exec();
    }
    data_.EMBALAGEMMP.reopen();
    data_.EMBALAGEMMP.fetchAll();
    refresh();
}

TCORVF007A::TCORVF007A(db::Dataset& embalagemMp, db::Database& factura, int packaging, const QString& name,
                       const screens::ScreenSetting& setting, QWidget* parent)
    : ScreenDialog(QStringLiteral("TCORVF007A"),
                   QStringLiteral("Associação de Matérias Subsidiárias à Embalagem"), setting, parent),
      logic_(embalagemMp, factura, packaging, view()) {
    logic_.setWriteRights(shell::writeRights(setting.rights));
    const db::Table table = shell::atCurrentVersion(embalagemMpTable());
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Tipo de Embalagem : "), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("%1 - %2").arg(packaging).arg(name), this), 0, 1, 1, 3);
    int column = 0;
    for (const char* heading : {"Código da MP/MS ", "Designação", "Quantid.", "Preço €"})
        grid->addWidget(new QLabel(QString::fromUtf8(heading), this), 1, column++);
    screens::LookupSpec articles;
    articles.dataset = logic_.byCode().name();
    articles.alphabeticalDataset = logic_.byName().name();
    articles.columns = QStringList{QStringLiteral("CODIGO"), QStringLiteral("DESIGNACAO")};
    articles.titles = QStringList{QStringLiteral("Código"), QStringLiteral("Designação")};
    articles.labelColumn = QStringLiteral("DESIGNACAO");
    articles.menuEntries = QStringList{QStringLiteral("Procura Numérica")};
    articles.alphabeticalMenuEntry = QStringLiteral("Procura Alfabética ");
    auto* lookups = new screens::LookupWiring(this);
    for (int line = 1; line <= PackagingMaterials::kLines; ++line)
        for (int k = 0; k < 4; ++k) {
            const QString column = QString::fromLatin1(kColumns[k]) + QString::number(line);
            QLineEdit* edit = screens::makeInput(
                screens::fieldOf(table, column,
                                 PackagingMaterials::input(QString::fromLatin1(kKinds[k]), line)),
                this);
            edit->installEventFilter(this);
            if (k == 1)
                edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * 42);
            grid->addWidget(edit, line + 1, k);
            inputs_.insert(edit->objectName(), edit);
            if (k == 0)
                lookups->attach(
                    edit, articles,
                    [this](const QString& dataset) {
                        return dataset == logic_.byName().name() ? &logic_.byName() : &logic_.byCode();
                    },
                    [this, edit, line] {
                        logic_.choose(line, edit->text().trimmed());
                        refresh();
                    });
        }
    auto* finish = new QPushButton(QStringLiteral("Terminar"), this);
    finish->setObjectName(QStringLiteral("BitTerminar"));
    auto* cancel = new QPushButton(QStringLiteral("Cancelar"), this);
    cancel->setObjectName(QStringLiteral("BitCancelar"));
    for (QPushButton* b : {finish, cancel}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
    }
    grid->addWidget(finish, 5, 2);
    grid->addWidget(cancel, 5, 3);
    grid->setColumnStretch(1, 1); // the designations take the width
    connectClosing(finish, [this] { return logic_.finish(); });
    connectDiscarding(cancel, [this] { logic_.cancel(); });
    components::FormConventions* conventions = installConventions();
    for (int line = 1; line <= PackagingMaterials::kLines; ++line) {
        QLineEdit* article = inputs_.value(PackagingMaterials::input(QStringLiteral("ArtNro"), line));
        QLineEdit* text = inputs_.value(PackagingMaterials::input(QStringLiteral("Designacao"), line));
        QLineEdit* qty = inputs_.value(PackagingMaterials::input(QStringLiteral("Qtd"), line));
        QLineEdit* price = inputs_.value(PackagingMaterials::input(QStringLiteral("Preco"), line));
        conventions->setCheck(article, [this, article, line] {
            logic_.articleExit(line, article->text());
            refresh();
            return true;
        });
        conventions->setCheck(text,
                              [this, text, line] { return logic_.designationExit(line, text->text()); });
        conventions->setCheck(
            qty, [this, qty, line] { return logic_.numberExit(line, QStringLiteral("QTD"), qty->text()); });
        conventions->setCheck(price, [this, price, line] {
            return logic_.numberExit(line, QStringLiteral("PRECO"), price->text());
        });
    }
}

bool TCORVF007A::activateScreen() {
    if (!logic_.activate())
        return false;
    if (logic_.readOnly())
        makeInputsReadOnly();
    refresh();
    return true;
}

void TCORVF007A::refresh() {
    for (int line = 1; line <= PackagingMaterials::kLines; ++line)
        for (int k = 0; k < 4; ++k) {
            QLineEdit* edit = inputs_.value(PackagingMaterials::input(QString::fromLatin1(kKinds[k]), line));
            if (edit != focusWidget()) {
                edit->setText(logic_.text(QString::fromLatin1(kColumns[k]), line));
                edit->setCursorPosition(0); // a long designation shows its start
            }
        }
}

bool TCORVF007A::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn)
        for (int line = 1; line <= PackagingMaterials::kLines; ++line)
            if (watched == inputs_.value(PackagingMaterials::input(QStringLiteral("ArtNro"), line)))
                logic_.enterArticle(line);
    return ScreenDialog::eventFilter(watched, event);
}

} // namespace corvane::reference
