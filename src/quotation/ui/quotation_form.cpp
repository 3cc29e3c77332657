#include "quotation_form.h"
#include "core/number_input.h"

#include "components/form_conventions.h"
#include "components/report/preview_window.h"
#include "history_panels.h"
#include "quotation/report/quotation_report.h"
#include "quotation/store/quotation_lookups.h"
#include "quotation_search_form.h"
#include "screens/ui/field_widgets.h"

#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace corvane::quotation {

class QuotationWindowView : public screens::FormView<QuotationView, TCORVF040> {
public:
    using FormView::FormView;
    void previewQuotation(const QuotationPrint& quotation) override { form().previewQuotation(quotation); }
    void showCustomerHistory(const CustomerPanel& panel) override { form().history().showCustomer(panel); }
    void showArticleHistory(const ArticlePanel& panel) override {
        const QuotationHistory& h = form().logic().history();
        form().history().showArticle(panel, h.photoFolder(), h.photoExtension());
    }
    void showPriceChart(int level, const QList<ChartSlice>& slices) override {
        form().history().showPie(level, slices);
    }
    void clearHistory() override { form().history().clear(); }
};

namespace {

// The rows of the price page: value name, caption.
const struct {
    const char* name;
    const char* caption;
} kValueRows[] = {{"Mat", "Materiais : "},
                  {"Tra", "Transformação : "},
                  {"Fix", "Custos Fixos : "},
                  {"Sub", "Subcontratos : "},
                  {"Was", "Desperdício : "},
                  {"Qua", "Qualidade / Defeit. : "},
                  {"Str", "Estrutura : "},
                  {"Pac", "Embalagem : "},
                  {"Base", "Custo Base : "},
                  {"Com", "Comissões : "},
                  {"Trp", "Transporte : "},
                  {"Pag", "Cond.Pagamento : "},
                  {"Dsc", "Descontos : "},
                  {"Chg", "Custo Comercial : "},
                  {"Mg", "Margem (€ur) : "},
                  {"MgPerc", "Margem Final (%) : "},
                  {"ValorCli", "Total Encomenda : "},
                  {"PrcOrc", "Preço Orçamentado : "}};

// The value of a row at a level (0..2), as the screen shows it: the figures
// the closing stores and the report prints.
QString valueText(const QuotationScreen& s, const QString& name, int i, int currencyDecimals) {
    const LevelFigures f = s.figures(i + 1);
    const QHash<QString, double> money{
        {"Mat", f.materials}, {"Tra", f.transformation}, {"Fix", f.fixedCosts}, {"Sub", f.subcontracts},
        {"Was", f.waste},     {"Qua", f.quality},        {"Str", f.structure},  {"Pac", f.packaging},
        {"Base", f.base},     {"Com", f.commissions},    {"Trp", f.transport},  {"Pag", f.payment},
        {"Dsc", f.discounts}, {"Chg", f.commercial},     {"Mg", f.margin},      {"ValorCli", f.orderTotal}};
    if (name == QLatin1String("MgPerc"))
        return fixedNumberText(f.marginPercent, 1);
    if (name == QLatin1String("PrcOrc"))
        return fixedNumberText(f.quotedPrice, s.priceDecimals());
    return fixedNumberText(money.value(name), currencyDecimals);
}

} // namespace

TCORVF040::TCORVF040(QuotationSources sources, QuotationRightsOf rightsOf,
                     const screens::ScreenSetting& setting, QWidget* parent)
    : ScreenDialog(QStringLiteral("TCORVF040"), QStringLiteral("Orçamentação"), setting, parent),
      rightsOf_(std::move(rightsOf)), windowView_(std::make_unique<QuotationWindowView>(*this)),
      lookups_(std::make_unique<QuotationLookups>(*sources.corvane, *sources.factura)),
      logic_(std::make_unique<QuotationScreen>(std::move(sources), *windowView_)) {
    auto* outer = new QVBoxLayout(this);
    panels_ = new HistoryPanels(this);
    TB = new QTabWidget(this);
    TB->setObjectName(QStringLiteral("TB"));
    TB->addTab(buildInformation(), kPageInformation);
    TB->addTab(buildQuotation(), kPageQuotation);
    TB->addTab(panels_->photoPage(), kPagePhotos);
    connect(panels_, &HistoryPanels::photoOpened, this, [this] { TB->setCurrentIndex(2); });
    connect(panels_, &HistoryPanels::chartAsked, this, [this](int level) { logic_->chartButton(level); });
    outer->addWidget(TB, 1);

    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (const auto& [name, caption] :
         {std::pair{"BotFechar", "&Fechar"}, std::pair{"BotCancelar", "&Cancelar"},
          std::pair{"BotImprimir", "&Imprimir"}, std::pair{"BotEliminar", "&Eliminar"},
          std::pair{"BitTerminar", "&Terminar"}}) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
        buttons_.insert(b->objectName(), b);
        row->addWidget(b);
    }
    outer->addLayout(row);
    addStatusBar(outer);

    connectChecked(buttons_.value(QStringLiteral("BotFechar")), [this] { logic_->closeButton(); });
    connectChecked(buttons_.value(QStringLiteral("BotImprimir")), [this] { logic_->printButton(); });
    // Deleting discards: the focused input's check does not run first.
    connect(buttons_.value(QStringLiteral("BotEliminar")), &QAbstractButton::clicked, this, [this] {
        conventions()->setChecksEnabled(false);
        logic_->remove();
        refresh();
        conventions()->setChecksEnabled(true);
    });
    connect(buttons_.value(QStringLiteral("BotCancelar")), &QAbstractButton::clicked, this, [this] {
        conventions()->setChecksEnabled(false);
        logic_->cancel();
        refresh();
        conventions()->setChecksEnabled(true);
    });
    connectClosing(buttons_.value(QStringLiteral("BitTerminar")), [] { return true; });

    components::FormConventions* conventions = installConventions();
    for (auto it = inputs_.cbegin(); it != inputs_.cend(); ++it) {
        const QString name = it.key();
        conventions->bindLabel(it.value(), captions_.value(name), {});
        conventions->setCheck(it.value(), [this, name] { return runCheck(name); });
        connect(it.value(), &QLineEdit::textEdited, this,
                [this, name](const QString& t) { logic_->setText(name, t); });
        it.value()->installEventFilter(this);
    }
    attachLookups();
    resize(1180, 860);
}

TCORVF040::~TCORVF040() = default;

QLineEdit* TCORVF040::addInput(const QuotationInput& in, QWidget* parent) {
    QLineEdit* edit = screens::makeInput(in.rule, parent);
    auto* label = new QLabel(in.rule.label, parent);
    label->setObjectName(QStringLiteral("Caption_") + in.rule.input);
    inputs_.insert(in.rule.input, edit);
    captions_.insert(in.rule.input, label);
    return edit;
}

void TCORVF040::addInputs(const QString& page, QWidget* parent, QFormLayout* form) {
    for (const QuotationInput& in : QuotationScreen::inputs()) {
        if (in.page != page)
            continue;
        QLineEdit* edit = addInput(in, parent);
        if (in.beside.isEmpty()) {
            form->addRow(captions_.value(in.rule.input), edit);
            continue;
        }
        auto* line = new QHBoxLayout;
        line->addWidget(edit);
        auto* label = new QLabel(parent);
        label->setObjectName(in.beside);
        label->setMinimumWidth(200);
        line->addWidget(label, 1);
        labels_.insert(label->objectName(), label);
        form->addRow(captions_.value(in.rule.input), line);
    }
}

QWidget* TCORVF040::buildInformation() {
    auto* page = new QWidget(TB);
    auto* column = new QVBoxLayout(page);
    auto* form = new QFormLayout;
    form->setVerticalSpacing(4);
    addInputs(kPageInformation, page, form);
    column->addLayout(form);
    // The article's and the customer's history under the top fields.
    auto* panels = new QHBoxLayout;
    panels_->articlePanel()->setParent(page);
    panels_->customerPanel()->setParent(page);
    panels->addWidget(panels_->articlePanel(), 3);
    panels->addWidget(panels_->customerPanel(), 2);
    column->addLayout(panels, 1);
    return page;
}

QWidget* TCORVF040::buildQuotation() {
    auto* page = new QWidget(TB);
    auto* row = new QHBoxLayout(page);
    auto* grid = new QGridLayout;
    for (int level = 1; level <= 3; ++level) {
        auto* heading = new QLabel(page);
        heading->setObjectName(QStringLiteral("Label_Qtd%1").arg(level));
        heading->setAlignment(Qt::AlignRight);
        grid->addWidget(heading, 0, level);
        headings_ << heading;
    }
    int r = 1;
    for (const auto& v : kValueRows) {
        grid->addWidget(new QLabel(QString::fromUtf8(v.caption), page), r, 0);
        for (int level = 1; level <= 3; ++level) {
            auto* label = new QLabel(page);
            const QString name = QStringLiteral("Label_%1%2").arg(QLatin1String(v.name)).arg(level);
            label->setObjectName(name);
            label->setAlignment(Qt::AlignRight);
            label->setMinimumWidth(90);
            values_.insert(name, label);
            grid->addWidget(label, r, level);
        }
        ++r;
    }
    // The net margin on a row of its own; the customer prices under the
    // levels, one caption for the three.
    int level = 0;
    QLabel* priceCaption = nullptr;
    for (const QuotationInput& in : QuotationScreen::inputs()) {
        if (in.page != kPageQuotation)
            continue;
        QLineEdit* edit = addInput(in, page);
        if (in.mode != PriceMode::Customer) {
            grid->addWidget(captions_.value(in.rule.input), r, 0);
            grid->addWidget(edit, r++, 1);
            continue;
        }
        if (priceCaption) {
            delete captions_.value(in.rule.input);
            captions_.insert(in.rule.input, priceCaption);
        } else {
            priceCaption = captions_.value(in.rule.input);
            grid->addWidget(priceCaption, r, 0);
        }
        grid->addWidget(edit, r, ++level);
    }
    ++r;
    drawing_ = new QLabel(page);
    drawing_->setObjectName(QStringLiteral("Label_Desenho"));
    grid->addWidget(drawing_, r, 0, 1, 4);
    grid->setRowStretch(r + 1, 1);
    row->addLayout(grid, 3);

    NBOrc = new QTabWidget(page);
    NBOrc->setObjectName(QStringLiteral("NBOrc"));
    auto tab = [this](const QString& caption) {
        auto* w = new QWidget(NBOrc);
        auto* form = new QFormLayout(w);
        NBOrc->addTab(w, caption);
        return std::pair{w, form};
    };
    for (const QString& caption : kChargeTabs) {
        auto [w, form] = tab(caption);
        addInputs(caption, w, form);
    }
    auto* right = new QVBoxLayout;
    right->addWidget(NBOrc);
    panels_->pieArea()->setParent(page);
    right->addWidget(panels_->pieArea(), 1);
    row->addLayout(right, 2);
    return page;
}

namespace {

const QString kKindProduct = QStringLiteral("P");
const QString kKindRecord = QStringLiteral("T");

} // namespace

db::Dataset* TCORVF040::lookupDataset(const QString& name) {
    return lookups_->open(name);
}

void TCORVF040::attachLookups() {
    auto* wiring = new screens::LookupWiring(this);
    for (const QuotationInput& in : QuotationScreen::inputs()) {
        if (!in.rule.lookup.isSet())
            continue;
        const QString name = in.rule.input;
        const bool article = in.rule.lookup.dataset == QuotationLookups::kArticles;
        auto datasetOf = [this, article](const QString& dataset) -> db::Dataset* {
            // Technical product records are listed apart from the articles.
            const QString list = article && logic_->quotation().mas.TIPOFT == kKindRecord
                                     ? QuotationLookups::kRecords
                                     : dataset;
            QString error;
            db::Dataset* ds = lookups_->open(list, &error);
            if (!ds)
                windowView_->message(error);
            return ds;
        };
        wiring->attach(inputs_.value(name), in.rule.lookup, datasetOf, [this, name] { runCheck(name); });
    }

    // The article kind: F1 a product, F2 a technical product record.
    QLineEdit* kind = inputs_.value(QStringLiteral("Edit_TipoFt"));
    kind->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(kind, &QLineEdit::customContextMenuRequested, this, [this, kind](const QPoint& at) {
        QMenu menu(kind);
        QAction* product = menu.addAction(QStringLiteral("&Produto"));
        QAction* record = menu.addAction(QStringLiteral("&Registo Técnico de Produto"));
        if (QAction* picked = menu.exec(kind->mapToGlobal(at)))
            chooseKind(picked == product ? kKindProduct : picked == record ? kKindRecord : QString());
    });
}

void TCORVF040::chooseKind(const QString& kind) {
    if (kind.isEmpty())
        return;
    conventions()->setChecksEnabled(false);
    logic_->chooseKind(kind);
    refresh();
    conventions()->setChecksEnabled(true);
}

bool TCORVF040::activateScreen() {
    if (!logic_->activate(rightsOf_))
        return false;
    refresh();
    return true;
}

bool TCORVF040::closeRequested() {
    conventions()->setChecksEnabled(false);
    const bool leaving = logic_->leaveScreen();
    refresh();
    conventions()->setChecksEnabled(true);
    return leaving;
}

void TCORVF040::closeScreen() {
    logic_->screenClosed();
}

void TCORVF040::refresh() {
    const QuotationScreen& s = *logic_;
    for (const QuotationInput& in : QuotationScreen::inputs()) {
        QLineEdit* edit = inputs_.value(in.rule.input);
        const QString text = s.text(in.rule.input);
        if (edit->text() != text)
            edit->setText(text);
        // The net margin and the customer prices wait for "&Fechar".
        if (in.mode)
            edit->setEnabled(s.priceFieldsEnabled());
        // Another run's quotation is only looked at.
        edit->setReadOnly(s.readOnly() && in.stage != InputStage::Numbering);
    }
    for (const auto& [name, text] :
         {std::pair{"Label_CliNom", s.customerName()}, std::pair{"Label_Design", s.designation()},
          std::pair{"Label_VndNom", s.quotation().com.VNDNOM},
          std::pair{"Label_AgtNom", s.quotation().com.AGTNOM},
          std::pair{"Label_CndPgtDes", s.quotation().cndpgt.CNDPGTDES}})
        labels_.value(QLatin1String(name))->setText(text);
    drawing_->setText(QStringLiteral("Desenho ? ") + s.quotation().mas.DESENHO);
    for (int level = 1; level <= 3; ++level)
        headings_[level - 1]->setText(s.levelHeading(level));
    panels_->setLevels(s.pricePageEnabled() ? s.quotation().mas.QUANT : Levels{0, 0, 0});
    for (const auto& v : kValueRows)
        for (int level = 1; level <= 3; ++level)
            values_.value(QStringLiteral("Label_%1%2").arg(QLatin1String(v.name)).arg(level))
                ->setText(valueText(s, QLatin1String(v.name), level - 1, s.currencyDecimals()));
    TB->setTabEnabled(1, s.pricePageEnabled());
    buttons_.value(QStringLiteral("BotFechar"))->setEnabled(s.closeEnabled());
    buttons_.value(QStringLiteral("BotEliminar"))->setVisible(s.deleteVisible());
    buttons_.value(QStringLiteral("BotEliminar"))->setEnabled(s.deleteEnabled());
    buttons_.value(QStringLiteral("BitTerminar"))->setEnabled(s.leaveEnabled());
    buttons_.value(QStringLiteral("BotImprimir"))->setEnabled(s.printEnabled());
}

void TCORVF040::previewQuotation(const QuotationPrint& quotation) {
    const QuotationSources& src = logic_->sources();
    report::ReportInfo info{src.companyName, src.reportNotice, QDateTime::currentDateTime()};
    std::vector<QuotationPrint> one{quotation};
    report::PreviewWindow::run(quotationReport(std::move(one), src.currencyDecimals, std::move(info)), this);
}

void TCORVF040::searchQuotation() {
    const int number = TCORVF040A::ask(*logic_->sources().corvane, setting(), this);
    conventions()->setChecksEnabled(false);
    logic_->searchChosen(number);
    refresh();
    conventions()->setChecksEnabled(true);
}

void TCORVF040::selectPage(const QString& page) {
    const int index = page == kPageQuotation ? 1 : 0;
    TB->setTabEnabled(index, true);
    TB->setCurrentIndex(index);
    if (index == 1)
        NBOrc->setCurrentIndex(0);
}

bool TCORVF040::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn && inputs_.contains(watched->objectName()))
        logic_->fieldEnter(watched->objectName());
    if (event->type() == QEvent::KeyPress && watched->objectName() == QLatin1String("Edit_OrcNro") &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        searchQuotation();
        return true;
    }
    if (event->type() == QEvent::KeyPress && watched->objectName() == QLatin1String("Edit_TipoFt")) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_F1 || key == Qt::Key_F2) {
            chooseKind(key == Qt::Key_F1 ? kKindProduct : kKindRecord);
            return true;
        }
    }
    return ScreenDialog::eventFilter(watched, event);
}

bool TCORVF040::runCheck(const QString& input) {
    if (QLineEdit* line = inputs_.value(input))
        logic_->setText(input, line->text());
    const bool ok = logic_->fieldExit(input);
    refresh();
    return ok;
}

} // namespace corvane::quotation
