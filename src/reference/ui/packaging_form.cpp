#include "packaging_form.h"

#include "components/form_conventions.h"
#include "components/lookup_dialog.h"
#include "reference/listings/listings.h"
#include "reference/listings/packaging_selection.h"
#include "shell/data_modules.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace corvane::reference {

namespace {
const char* const kKinds[] = {"ArtNro", "Designacao", "Qtd", "Preco"};
const char* const kColumns[] = {"ARTNRO", "DESIGNACAO", "QTD", "PRECO", "UND"};
} // namespace

TCORVF007::TCORVF007(shell::TDTCORVANE& data, db::Database& factura, Listing* listing, ScreenSetting setting,
                     QWidget* parent)
    : TableScreenForm(
          packagingScreen(),
          [&data, onError = setting.onError](ScreenView& view) -> std::unique_ptr<TableScreen> {
              return std::make_unique<PackagingScreen>(data.EMBALAGEM, data.TIPOCUSTO, data.EMBALAGEMMP, view,
                                                       onError);
          },
          listing, setting, parent),
      data_(data), factura_(factura), setting_(std::move(setting)) {
    LabelTipoCusto = new QLabel(this);
    LabelTipoCusto->setObjectName(QStringLiteral("LabelTipoCusto"));
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
    extras()->addWidget(LabelTipoCusto);
    extras()->addWidget(materials_);
    extras()->addWidget(inks);
    connect(inks, &QPushButton::clicked, this, &TCORVF007::BotMatPrimaClick);
}

void TCORVF007::refresh() {
    TableScreenForm::refresh();
    LabelTipoCusto->setText(packaging().costTypeLabel());
    const int row = packaging().materialsRow();
    db::Dataset& mp = packaging().materials();
    for (int line = 1; line <= 3; ++line)
        for (int c = 0; c < 5; ++c)
            materials_->setItem(line - 1, c,
                                new QTableWidgetItem(row < 0 ? QString()
                                                             : mp.text(row, QString::fromLatin1(kColumns[c]) +
                                                                                QString::number(line))));
}

bool TCORVF007::lookup(const QString& name, bool alphabetical) {
    if (name != QLatin1String("Edit_TC"))
        return false;
    const int row =
        components::LookupDialog::choose(this, packaging().costTypes(),
                                         {{QStringLiteral("CODIGO"), QStringLiteral("Código")},
                                          {QStringLiteral("DESIGNACAO"), QStringLiteral("Designação")},
                                          {QStringLiteral("CLAS"), QStringLiteral("Classe")}},
                                         QStringLiteral("DESIGNACAO"), alphabetical);
    if (row >= 0) {
        input(name)->setText(packaging().costTypes().text(row, QStringLiteral("CODIGO")));
        runCheck(name);
    }
    return true;
}

void TCORVF007::print() {
    auto* listing = dynamic_cast<TCORVFPR007*>(TableScreenForm::listing());
    if (!listing)
        return;
    TCORVFSPR007 selection(data_.EMBALAGEM, *listing, this);
    selection.exec();
    data_.EMBALAGEM.close();
    data_.EMBALAGEM.setSelectSql(QStringLiteral("Select * From EMBALAGEM Order By CODIGO"));
    data_.EMBALAGEM.reopen();
    data_.EMBALAGEM.fetchAll();
    refresh();
}

void TCORVF007::BotMatPrimaClick() {
    if (logic().currentRow() < 0)
        return;
    data_.EMBALAGEMMP.close();
    {
        TCORVF007A lines(data_.EMBALAGEMMP, factura_, packaging().packagingCode(),
                         logic().fieldText(QStringLiteral("DESIGNACAO")), setting_, this);
        lines.exec();
    }
    data_.EMBALAGEMMP.reopen();
    data_.EMBALAGEMMP.fetchAll();
    refresh();
}

TCORVF007A::TCORVF007A(db::Dataset& embalagemMp, db::Database& factura, int packaging, const QString& name,
                       const ScreenSetting& setting, QWidget* parent)
    : QDialog(parent), view_(this, QStringLiteral("TCORVF007A"), setting.log),
      logic_(embalagemMp, factura, packaging, view_) {
    setObjectName(QStringLiteral("TCORVF007A"));
    setWindowTitle(QStringLiteral("Associação de Matérias Subsidiárias à Embalagem"));
    components::paintBackground(this, components::kScreenColour);
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Tipo de Embalagem : "), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("%1 - %2").arg(packaging).arg(name), this), 0, 1, 1, 3);
    int column = 0;
    for (const char* heading : {"Código da MP/MS ", "Designação", "Quantid.", "Preço €"})
        grid->addWidget(new QLabel(QString::fromUtf8(heading), this), 1, column++);
    for (int line = 1; line <= PackagingMaterials::kLines; ++line)
        for (int k = 0; k < 4; ++k) {
            auto* edit = new QLineEdit(this);
            edit->setObjectName(PackagingMaterials::input(QString::fromLatin1(kKinds[k]), line));
            edit->installEventFilter(this);
            grid->addWidget(edit, line + 1, k);
            inputs_.insert(edit->objectName(), edit);
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
    connect(finish, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, [this] {
        cancelled_ = true;
        reject();
    });
    auto* conventions = new components::FormConventions(this, &view_);
    conventions_ = conventions;
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

void TCORVF007A::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (activated_)
        return;
    activated_ = true;
    if (!logic_.activate()) {
        cancelled_ = true;
        QTimer::singleShot(0, this, &QDialog::reject);
        return;
    }
    refresh();
}

void TCORVF007A::refresh() {
    for (int line = 1; line <= PackagingMaterials::kLines; ++line)
        for (int k = 0; k < 4; ++k) {
            QLineEdit* edit = inputs_.value(PackagingMaterials::input(QString::fromLatin1(kKinds[k]), line));
            if (edit != focusWidget())
                edit->setText(logic_.text(QString::fromLatin1(kColumns[k]), line));
        }
}

bool TCORVF007A::eventFilter(QObject* watched, QEvent* event) {
    for (int line = 1; line <= PackagingMaterials::kLines; ++line) {
        if (watched != inputs_.value(PackagingMaterials::input(QStringLiteral("ArtNro"), line)))
            continue;
        if (event->type() == QEvent::FocusIn)
            logic_.enterArticle(line);
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Insert) {
            lookup(line, static_cast<QKeyEvent*>(event)->modifiers() & Qt::ControlModifier);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TCORVF007A::lookup(int line, bool alphabetical) {
    db::Dataset& ds = alphabetical ? logic_.byName() : logic_.byCode();
    const int row = components::LookupDialog::choose(this, ds,
                                                     {{ds.fields().value(0), QStringLiteral("Código")},
                                                      {ds.fields().value(1), QStringLiteral("Designação")}},
                                                     ds.fields().value(1), false);
    if (row < 0)
        return;
    logic_.choose(line, ds.text(row, ds.fields().value(0)).trimmed());
    refresh();
}

TCORVF007A::~TCORVF007A() {
    delete conventions_;
}

void TCORVF007A::done(int result) {
    if (!closed_) {
        closed_ = true;
        conventions_->setChecksEnabled(false);
        if (cancelled_)
            logic_.cancel();
        else
            logic_.finish();
    }
    QDialog::done(result);
}

} // namespace corvane::reference
