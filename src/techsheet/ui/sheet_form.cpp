#include "sheet_form.h"

#include "components/form_conventions.h"
#include "components/window_memory.h"
#include "core/number_input.h"
#include "db/dataset.h"
#include "screens/ui/field_widgets.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace corvane::techsheet {

class SheetWindowView : public screens::FormView<SheetView, TCORVF035FICTEC> {
public:
    using FormView::FormView;
};

namespace {

const struct {
    const char* kind;
    const char* radio;
    const char* page;
} kKinds[] = {{"CA", "Velisca Alta Def. e 100% Acrilico", "Velisca Alta Def. e 100%Acr."},
              {"CT", "Velisca Tricotado", "Velisca Tricotado"},
              {"CI", "Velisca Impresso", "Velisca Impresso"},
              {"GT", "Gorro Tricotado", "Gorro Tricotado"}};

const QStringList kLineColumns{"TC",    "Código", "Designação", "Qtd.",      "Und.",
                               "Preço", "Valor",  "Qtd.+Desp",  "Valor+Desp"};
const QStringList kSortColumns{"TIPO", "CODIGOMP", "DESIGN"};

// The caption of a step button; its hint says more.
QString stepCaption(StepRole role) {
    switch (role) {
    case StepRole::Weaving:
    case StepRole::Knitting:
        return QStringLiteral("Fios/Teares");
    case StepRole::Ultrasound:
        return QStringLiteral("Corte Ultra Som");
    case StepRole::SideSeam:
        return QStringLiteral("Costura Lateral");
    case StepRole::Labels:
        return QStringLiteral("Etiquetas");
    case StepRole::Fringe:
        return QStringLiteral("Franja");
    case StepRole::Steaming:
        return QStringLiteral("Vaporizar");
    case StepRole::Linking:
        return QStringLiteral("Ramalhar");
    case StepRole::Embroidery:
        return QStringLiteral("Bordar");
    case StepRole::Saw:
        return QStringLiteral("Serra Eléctrica");
    case StepRole::Printing:
        return QStringLiteral("Impressão");
    case StepRole::Design:
        return QStringLiteral("Desenho");
    case StepRole::Hanger:
        return QStringLiteral("Cabides");
    case StepRole::CardLabels:
        return QStringLiteral("Etiq. Cartolina");
    case StepRole::Packaging:
        return QStringLiteral("Embalagem");
    case StepRole::Fabric:
        break;
    }
    return QStringLiteral("Tecido");
}

// The step screens the links open.
QList<StepScreen> linkedSteps(const SheetLinks& links) {
    QList<StepScreen> screens;
    for (auto it = links.steps.cbegin(); it != links.steps.cend(); ++it)
        screens << StepScreen(it.key());
    return screens;
}

} // namespace

TCORVF035FICTEC::TCORVF035FICTEC(TechSheetContext& context, db::Database& corvane, db::Dataset& workTypes,
                                 SheetLinks links, const screens::ScreenSetting& setting, QWidget* parent)
    : ScreenDialog(QStringLiteral("TCORVF035FICTEC"), QStringLiteral("Ficha Técnica"), setting, parent),
      ctx_(context), store_(corvane, context.Claims), workTypes_(workTypes), links_(std::move(links)),
      windowView_(std::make_unique<SheetWindowView>(*this)),
      logic_(std::make_unique<SheetScreen>(ctx_, *windowView_)),
      editing_(std::make_unique<SheetEditing>(*logic_, store_, workTypes_, SheetRights::of(setting.rights))) {
    editing_->sheetMarked = links_.sheetMarked;
    editing_->setSteps(linkedSteps(links_));
    auto* outer = new QVBoxLayout(this);
    auto* head = new QHBoxLayout;
    auto* article = new QLabel(
        QStringLiteral("%1  %2\n%3").arg(ctx_.ArticleCode, ctx_.ArticleDesignation, ctx_.ArticleDesignation2),
        this);
    article->setObjectName(QStringLiteral("Label_Artigo"));
    head->addWidget(article, 1);
    head->addWidget(new QLabel(QStringLiteral("Comprim : %1   Largura : %2")
                                   .arg(numberText(ctx_.ArticleLength), numberText(ctx_.ArticleWidth)),
                               this));
    for (const auto& [name, caption] :
         {std::pair{"BitGravar", "&Gravar"}, std::pair{"BotDeleteCA", "&Eliminar"},
          std::pair{"BotCancelar", "&Cancelar"}}) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
        buttons_.insert(b->objectName(), b);
        head->addWidget(b);
    }
    outer->addLayout(head);

    auto* group = new QGroupBox(QStringLiteral(" Seleccione o Tipo de Ficha Técnica "), this);
    group->setObjectName(kKindGroup);
    auto* radios = new QHBoxLayout(group);
    kinds_ = new QButtonGroup(this);
    for (const auto& k : kKinds) {
        auto* r = new QRadioButton(QString::fromUtf8(k.radio), group);
        r->setObjectName(kindButton(QString::fromLatin1(k.kind)));
        kinds_->addButton(r);
        radios->addWidget(r);
        connect(r, &QRadioButton::clicked, this, [this, kind = QString::fromLatin1(k.kind)] {
            // The first field of the page takes the focus once it is enabled.
            leaveHoldingMessages([this, &kind] { logic_->chooseKind(kind); }, [this] { refresh(); });
        });
    }
    outer->addWidget(group);

    NB = new QTabWidget(this);
    NB->setObjectName(QStringLiteral("NB"));
    for (const auto& k : kKinds)
        NB->addTab(buildPage(QString::fromLatin1(k.kind)), QString::fromUtf8(k.page));
    outer->addWidget(NB, 5);

    grid_ = new QTableView(this);
    grid_->setObjectName(QStringLiteral("wwDBGrid1"));
    model_ = new QStandardItemModel(0, kLineColumns.size(), grid_);
    model_->setHorizontalHeaderLabels(kLineColumns);
    grid_->setModel(model_);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->verticalHeader()->hide();
    const int widths[] = {34, 120, 260, 90, 40, 70, 70, 95, 95};
    for (int c = 0; c < kLineColumns.size(); ++c)
        grid_->setColumnWidth(c, widths[c]);
    components::stretchDesignation(grid_);
    connect(grid_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
        if (section < kSortColumns.size() && logic_->sortLines(kSortColumns[section]))
            reloadLines();
    });
    grid_->setMinimumHeight(200);
    grid_->verticalHeader()->setDefaultSectionSize(20);
    outer->addWidget(grid_, 3);
    addStatusBar(outer);

    connectClosing(buttons_.value(QStringLiteral("BitGravar")), [this] { return save(); });
    connectChecked(buttons_.value(QStringLiteral("BotDeleteCA")), [this] { removeSheet(); });
    connect(buttons_.value(QStringLiteral("BotCancelar")), &QAbstractButton::clicked, this,
            [this] { cancelChanges(); });

    components::FormConventions* conventions = installConventions();
    lookups_ = new screens::LookupWiring(this);
    for (auto it = inputs_.cbegin(); it != inputs_.cend(); ++it) {
        const QString name = it.key();
        conventions->bindLabel(it.value(), findChild<QLabel*>(QStringLiteral("Caption_") + name), {});
        conventions->setCheck(it.value(), [this, name] { return runCheck(name); });
        auto* line = qobject_cast<QLineEdit*>(it.value());
        connect(line, &QLineEdit::textEdited, this,
                [this, name](const QString& t) { logic_->setText(name, t); });
        line->installEventFilter(this);
        if (const SheetInput* in = sheetInput(name); in && in->rule.lookup.isSet())
            lookups_->attach(line, in->rule.lookup, screens::datasetsNamed({&workTypes_}),
                             [this, name] { runCheck(name); });
    }
    resize(1100, 860);
}

TCORVF035FICTEC::~TCORVF035FICTEC() = default;

QWidget* TCORVF035FICTEC::buildPage(const QString& kind) {
    auto* page = new QWidget(NB);
    auto* row = new QHBoxLayout(page);
    auto* form = new QFormLayout;
    form->setVerticalSpacing(3);
    for (const SheetInput& in : sheetInputs()) {
        if (in.page != kind)
            continue;
        QLineEdit* edit = screens::makeInput(in.rule, page);
        edit->setMaximumWidth(
            edit->fontMetrics().horizontalAdvance(QLatin1Char('W')) * qBound(4, in.rule.maxLength, 30) + 16);
        inputs_.insert(in.rule.input, edit);
        auto* caption = new QLabel(in.rule.label, page);
        caption->setObjectName(QStringLiteral("Caption_") + in.rule.input);
        if (!in.rule.lookup.labelName.isEmpty()) {
            // The description of what the input holds, beside it.
            auto* line = new QHBoxLayout;
            line->addWidget(edit);
            auto* description = new QLabel(page);
            description->setObjectName(in.rule.lookup.labelName);
            description->setMinimumWidth(200);
            descriptions_.insert(description->objectName(), description);
            line->addWidget(description, 1);
            form->addRow(caption, line);
        } else {
            form->addRow(caption, edit);
        }
    }
    row->addLayout(form, 2);
    auto* steps = new QGroupBox(QStringLiteral("Operações , Máquinas , Acabamento"), page);
    auto* grid = new QGridLayout(steps);
    int n = 0;
    for (const StepButton& b : stepButtons()) {
        if (b.kind != kind)
            continue;
        auto* button = new QPushButton(stepCaption(b.role), steps);
        button->setObjectName(b.name);
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoDefault(false);
        buttons_.insert(b.name, button);
        connect(button, &QPushButton::clicked, this, [this, name = b.name] { openStep(name); });
        grid->addWidget(button, n / 2, n % 2);
        ++n;
    }
    grid->setRowStretch(n / 2 + 1, 1);
    row->addWidget(steps, 1);
    return page;
}

bool TCORVF035FICTEC::activateScreen() {
    if (!editing_->open())
        return false;
    reloadLines();
    refresh();
    return true;
}

bool TCORVF035FICTEC::closeRequested() {
    return editing_->leave();
}

void TCORVF035FICTEC::closeScreen() {
    editing_->close();
}

bool TCORVF035FICTEC::reloadLines() {
    QString error;
    const std::optional<std::vector<FictecDetLine>> lines =
        store_.lines(ctx_.ArticleCode, ctx_.LinesOrder, &error);
    if (!lines) {
        view().message(error);
        return false;
    }
    model_->setRowCount(0);
    for (const FictecDetLine& l : *lines) {
        QList<QStandardItem*> row;
        for (const QString& text :
             {QString::number(l.TIPO), l.CODIGOMP, l.DESIGN, numberText(l.QUANT), l.UNIDADE,
              numberText(l.PRECO), numberText(l.VALOR), numberText(l.QUANT_FINAL), numberText(l.VALOR_FINAL)})
            row << new QStandardItem(text);
        for (int c : {0, 3, 5, 6, 7, 8})
            row[c]->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        model_->appendRow(row);
    }
    for (int c = 0; c < kSortColumns.size(); ++c)
        model_->horizontalHeaderItem(c)->setForeground(
            kSortColumns[c] == ctx_.LinesOrder ? QColor(255, 128, 0) : QColor(Qt::black));
    if (model_->rowCount() > 0)
        grid_->scrollToBottom();
    logic_->setHasLines(!lines->empty());
    return true;
}

void TCORVF035FICTEC::refresh() {
    for (auto it = inputs_.cbegin(); it != inputs_.cend(); ++it) {
        auto* line = qobject_cast<QLineEdit*>(it.value());
        if (line->text() != logic_->text(it.key()))
            line->setText(logic_->text(it.key()));
        line->setEnabled(logic_->fieldEnabled(it.key()));
    }
    for (auto it = descriptions_.cbegin(); it != descriptions_.cend(); ++it)
        it.value()->setText(logic_->text(it.key()));
    for (const StepButton& b : stepButtons()) {
        QAbstractButton* button = buttons_.value(b.name);
        button->setEnabled(editing_->stepEnabled(b.name));
        button->setToolTip(editing_->stepAvailable(b.name) ? b.hint : kNotAvailableYet);
    }
    for (QAbstractButton* r : kinds_->buttons()) {
        r->setEnabled(logic_->kindChoiceEnabled());
        const bool checked = r->objectName() == kindButton(logic_->kind());
        if (r->isChecked() != checked) {
            kinds_->setExclusive(false);
            r->setChecked(checked);
            kinds_->setExclusive(true);
        }
    }
    NB->setEnabled(logic_->notebookEnabled());
    QAbstractButton* save = buttons_.value(QStringLiteral("BitGravar"));
    save->setVisible(editing_->saveShown());
    save->setEnabled(editing_->saveEnabled());
    QAbstractButton* remove = buttons_.value(QStringLiteral("BotDeleteCA"));
    remove->setVisible(editing_->deleteShown());
    remove->setEnabled(editing_->deleteEnabled());
}

void TCORVF035FICTEC::selectPage(const QString& kind) {
    const int index = sheetKinds().indexOf(kind);
    NB->setCurrentIndex(index < 0 ? 0 : index);
    for (int i = 0; i < NB->count(); ++i)
        NB->setTabEnabled(i, index < 0 || i == index);
}

bool TCORVF035FICTEC::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn && inputs_.contains(watched->objectName()))
        logic_->fieldEnter(watched->objectName());
    return ScreenDialog::eventFilter(watched, event);
}

bool TCORVF035FICTEC::runCheck(const QString& input) {
    if (auto* line = qobject_cast<QLineEdit*>(inputs_.value(input)))
        logic_->setText(input, line->text());
    const bool ok = logic_->fieldExit(input);
    refresh();
    return ok;
}

bool TCORVF035FICTEC::save() {
    return editing_->save();
}

bool TCORVF035FICTEC::removeSheet() {
    const bool removed = editing_->remove();
    if (removed)
        reloadLines();
    refresh();
    return removed;
}

void TCORVF035FICTEC::cancelChanges() {
    conventions()->setChecksEnabled(false);
    editing_->cancel();
    refresh();
    conventions()->setChecksEnabled(true);
}

void TCORVF035FICTEC::openStep(const QString& name) {
    if (!editing_->stepAllowed(name) || !conventions()->checkFocused())
        return;
    const StepScreen screen = editing_->beforeStep(name);
    if (screen == StepScreen::None)
        return;
    links_.steps.value(int(screen))(this, ctx_);
    editing_->afterStep(screen);
    reloadLines();
    refresh();
}

void openTechSheet(QWidget* parent, TechSheetContext& context, db::Database& corvane, db::Dataset& workTypes,
                   SheetLinks links, const screens::ScreenSetting& setting) {
    TCORVF035FICTEC form(context, corvane, workTypes, std::move(links), setting, parent);
    form.exec();
}

} // namespace corvane::techsheet
