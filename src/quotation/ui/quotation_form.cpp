#include "quotation_form.h"

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

// An input of the screen: its caption, its width, and the name of a label
// shown beside it (empty: none).
struct InputRow {
    const char* name;
    const char* caption;
    int width;
    const char* beside = nullptr;
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

const QList<InputRow> kTopInputs{
    {"Edit_Serie", "Série 1...5 : ", 1},   {"Edit_OrcNro", "Orçam.Nº : ", 9},
    {"Edit_DatOrc", "Data : ", 10},        {"Edit_CliNro", "Cliente Nº : ", 9, "Label_CliNom"},
    {"Edit_TipoFt", "P/T : ", 1},          {"Edit_ArtNro", "Artigo Nº : ", 16, "Label_Design"},
    {"Edit_MargemLiq", "Marg.Líq. : ", 8}, {"Edit_Qtd1", "Qtd. I : ", 10},
    {"Edit_Qtd2", "Qtd. II : ", 10},       {"Edit_Qtd3", "Qtd. III : ", 10},
    {"Edit_Observ1", "Observ. : ", 40},    {"Edit_Observ2", "Observ. : ", 40},
    {"Edit_Desenho", "C.Fixos : ", 1}};

struct ChargeTab {
    const char* caption;
    QList<InputRow> inputs;
};
const QList<ChargeTab> kChargeTabs{
    {"&1 - Comissões",
     {{"Edit_VndNro", "Vendedor : ", 9, "Label_VndNom"},
      {"Edit_VndPerc", "% Vendedor : ", 8},
      {"Edit_AgtNro", "Agente : ", 9, "Label_AgtNom"},
      {"Edit_AgtPerc", "% Agente : ", 8},
      {"Edit_RoyNom", "Royalty : ", 30},
      {"Edit_RoyPerc", "% Royalty : ", 8}}},
    {"&2 - Transporte",
     {{"Edit_MetExp", "Met.Expedição : ", 15},
      {"Edit_MetExpValFixo", "Valor Fixo : ", 10},
      {"Edit_MetExpPerc", "% : ", 8},
      {"Edit_SegValFixo", "Seguro Valor Fixo : ", 10},
      {"Edit_SegPerc", "Seguro % : ", 8},
      {"Edit_DespValFixo", "Despacho Valor Fixo : ", 10},
      {"Edit_DespPerc", "Despacho % : ", 8}}},
    {"&3 - Cond.Pagamento",
     {{"Edit_CndPgt", "Cond.Pagamento : ", 9, "Label_CndPgtDes"},
      {"Edit_CndPgtDias", "Dias : ", 6},
      {"Edit_CndPgtValFixo", "Desp.Pag. Valor Fixo : ", 10},
      {"Edit_CndPgtPerc", "Desp.Pag. % : ", 8},
      {"Edit_PrzValFixo", "Prazo Valor Fixo : ", 10},
      {"Edit_PrzPerc", "Prazo % : ", 8},
      {"Edit_Desc1ValFixo", "Desconto Valor Fixo : ", 10},
      {"Edit_Desc1Perc", "Desconto % : ", 8}}},
    {"&4 - Descontos",
     {{"Edit_PrecoPerc", "Desc. Preço % : ", 8}, {"Edit_QtdPerc", "Desc. Quantidade % : ", 8}}}};

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
        return QString::number(f.marginPercent, 'f', 1);
    if (name == QLatin1String("PrcOrc"))
        return QString::number(f.quotedPrice, 'f', s.priceDecimals());
    return QString::number(money.value(name), 'f', currencyDecimals);
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

QLineEdit* TCORVF040::addInput(const QString& name, const QString& caption, int width, QWidget* parent,
                               QFormLayout* form) {
    screens::FieldRule rule;
    rule.input = name;
    rule.maxLength = width;
    QLineEdit* edit = screens::makeInput(rule, parent);
    edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('W')) * qBound(4, width, 30) +
                          16);
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QStringLiteral("Caption_") + name);
    inputs_.insert(name, edit);
    captions_.insert(name, label);
    if (form)
        form->addRow(label, edit);
    return edit;
}

void TCORVF040::addInputs(const QList<InputRow>& rows, QWidget* parent, QFormLayout* form) {
    for (const InputRow& r : rows) {
        const QString name = QString::fromLatin1(r.name);
        QLineEdit* edit =
            addInput(name, QString::fromUtf8(r.caption), r.width, parent, r.beside ? nullptr : form);
        if (!r.beside)
            continue;
        auto* line = new QHBoxLayout;
        line->addWidget(edit);
        auto* label = new QLabel(parent);
        label->setObjectName(QString::fromLatin1(r.beside));
        label->setMinimumWidth(200);
        line->addWidget(label, 1);
        labels_.insert(label->objectName(), label);
        form->addRow(captions_.value(name), line);
    }
}

QWidget* TCORVF040::buildInformation() {
    auto* page = new QWidget(TB);
    auto* column = new QVBoxLayout(page);
    auto* form = new QFormLayout;
    form->setVerticalSpacing(4);
    addInputs(kTopInputs, page, form);
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
    auto* margin =
        addInput(QStringLiteral("Edit_MargLiq"), QStringLiteral("Margem (%) : "), 8, page, nullptr);
    grid->addWidget(captions_.value(QStringLiteral("Edit_MargLiq")), r, 0);
    grid->addWidget(margin, r, 1);
    ++r;
    for (int level = 1; level <= 3; ++level) {
        const QString name = QStringLiteral("Edit_PrecoCli%1").arg(level);
        grid->addWidget(addInput(name, QStringLiteral("Preço Cliente : "), 10, page, nullptr), r, level);
    }
    // One caption serves the three customer prices.
    QLabel* priceCaption = captions_.value(QStringLiteral("Edit_PrecoCli1"));
    for (int level = 2; level <= 3; ++level) {
        const QString name = QStringLiteral("Edit_PrecoCli%1").arg(level);
        delete captions_.value(name);
        captions_.insert(name, priceCaption);
    }
    grid->addWidget(priceCaption, r, 0);
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
    for (const ChargeTab& t : kChargeTabs) {
        auto [w, form] = tab(QString::fromUtf8(t.caption));
        addInputs(t.inputs, w, form);
    }
    auto* right = new QVBoxLayout;
    right->addWidget(NBOrc);
    panels_->pieArea()->setParent(page);
    right->addWidget(panels_->pieArea(), 1);
    row->addLayout(right, 2);
    return page;
}

namespace {

struct ListSpec {
    const char* input;
    const QString* dataset;
    const char* key;
    QStringList columns;
    QStringList titles;
    const char* alphabetical; // the order of Ctrl+Insert; null: no alphabetical list
    const char* entry;
    const char* alphabeticalEntry;
};

const QString kKindProduct = QStringLiteral("P");
const QString kKindRecord = QStringLiteral("T");

} // namespace

void TCORVF040::attachLookups() {
    // clang-format off
    // Lists of numbered names: customers, sellers, agents.
    auto named = [](const char* input, const QString* dataset, const char* entry, const char* alphabetical) {
        return ListSpec{input,  dataset, "CODIGO", {"CODIGO", "NOME"}, {"Nº", "Nome"}, "NOME",
                        entry, alphabetical};
    };
    const QList<ListSpec> specs{
        {"Edit_OrcNro", &QuotationLookups::kQuotations, "ORCNRO", {"ORCNRO", "CLINOM", "DATAEMI", "APROVADO"},
         {"Orçam.Nº", "Cliente", "Data", "Aprov."}, "CLINOM", "Busca Numérica", "Busca p/ Cliente (Nome)"},
        named("Edit_CliNro", &QuotationLookups::kCustomers, "&Procurar Numérico", "&Busca Alfabética"),
        {"Edit_ArtNro", &QuotationLookups::kArticles, "CODIGO", {"CODIGO", "DESIGNACAO"},
         {"Código", "Designação"}, "DESIGNACAO", "&Procurar Numérico", "&Busca Alfabética"},
        named("Edit_VndNro", &QuotationLookups::kSellers, "Procura Vendedor", nullptr),
        named("Edit_AgtNro", &QuotationLookups::kAgents, "Procura Agente", nullptr),
        {"Edit_MetExp", &QuotationLookups::kMethods, "METEXPEDICAO", {"METEXPEDICAO", "PERCUSTO"},
         {"Met.Expedição", "% Custo"}, "METEXPEDICAO", "Procura Met.Expedição", nullptr},
        {"Edit_CndPgt", &QuotationLookups::kConditions, "CODIGO", {"CODIGO", "DESCRI", "NRDIAS", "PRCDESC"},
         {"Código", "Descrição", "Dias", "% Desc."}, "DESCRI", "Procura Cond.Pagamento", nullptr}};
    // clang-format on
    auto* wiring = new screens::LookupWiring(this);
    for (const ListSpec& l : specs) {
        const QString name = QString::fromLatin1(l.input);
        screens::LookupSpec spec;
        spec.dataset = *l.dataset;
        spec.keyColumn = QString::fromLatin1(l.key);
        spec.columns = l.columns;
        spec.titles = l.titles;
        spec.alphabeticalColumn = QString::fromLatin1(l.alphabetical);
        spec.menuEntries = {QString::fromUtf8(l.entry)};
        if (l.alphabeticalEntry)
            spec.alphabeticalMenuEntry = QString::fromUtf8(l.alphabeticalEntry);
        const bool article = l.dataset == &QuotationLookups::kArticles;
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
        wiring->attach(inputs_.value(name), spec, datasetOf, [this, name] { runCheck(name); });
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
    const QStringList priceFields{"Edit_MargLiq", "Edit_PrecoCli1", "Edit_PrecoCli2", "Edit_PrecoCli3"};
    const QStringList numbering{"Edit_Serie", "Edit_OrcNro"};
    for (auto it = inputs_.cbegin(); it != inputs_.cend(); ++it) {
        const QString text = s.text(it.key());
        if (it.value()->text() != text)
            it.value()->setText(text);
        if (priceFields.contains(it.key()))
            it.value()->setEnabled(s.priceFieldsEnabled());
        // Another run's quotation is only looked at.
        it.value()->setReadOnly(s.readOnly() && !numbering.contains(it.key()));
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
