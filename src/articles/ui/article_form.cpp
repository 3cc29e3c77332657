#include "article_form.h"

#include "articles/store/article_tables.h"
#include "components/form_conventions.h"
#include "components/grid_delegate.h"
#include "components/lookup_dialog.h"
#include "db/dataset_model.h"
#include "screens/ui/field_widgets.h"

#include <QAction>
#include <QEvent>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace corvane::articles {

// Reports the logic's requests to the window.
class ArticleWindowView : public screens::FormView<ArticleView, TCORVF035> {
public:
    using FormView::FormView;
    // A refresh asked for while one is under way is left to that one.
    void refresh() override {
        if (!refreshing_) {
            refreshing_ = true;
            FormView::refresh();
            refreshing_ = false;
        }
    }

private:
    bool refreshing_ = false;
};

namespace {

// The list's model: the title of the column that orders it is painted orange.
class ListModel : public db::DatasetModel {
public:
    ListModel(db::Dataset& ds, ArticleOrder order, QObject* parent)
        : DatasetModel(ds,
                       {QStringLiteral("FICTEC"), QStringLiteral("CODIGO"), QStringLiteral("DESIGNACAO"),
                        QStringLiteral("TIPOARTIGO"), QStringLiteral("UNVENDA"), QStringLiteral("COMPRIM"),
                        QStringLiteral("LARGURA"), QStringLiteral("ALTURA")},
                       {QStringLiteral("FT"), QStringLiteral("Código"), QStringLiteral("Designação"),
                        QStringLiteral("TA"), QStringLiteral("Und."), QStringLiteral("Comp."),
                        QStringLiteral("Larg."), QStringLiteral("Alt")},
                       parent),
          sortSection_(order == ArticleOrder::Code ? 1 : 2) {}
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && section == sortSection_ && role == Qt::ForegroundRole)
            return QColor(255, 128, 64);
        return DatasetModel::headerData(section, orientation, role);
    }

private:
    int sortSection_;
};

QString fieldPage(const QString& input) {
    const ArticleField* f = articleField(input);
    return f ? f->page : QString();
}

} // namespace

TCORVF035::TCORVF035(ArticleSources sources, RightsOf rightsOf, ArticleLinks links,
                     const screens::ScreenSetting& setting, QWidget* parent)
    : ScreenDialog(QStringLiteral("TCORVF035"), QStringLiteral("Abertura de Fichas Técnicas"), setting,
                   parent),
      windowView_(std::make_unique<ArticleWindowView>(*this)),
      logic_(std::make_unique<ArticleScreen>(std::move(sources), *windowView_)),
      rightsOf_(std::move(rightsOf)), links_(std::move(links)) {
    build();
}

TCORVF035::~TCORVF035() = default;

QLineEdit* TCORVF035::addInput(const QString& name, QWidget* parent) {
    const ArticleField* f = articleField(name);
    screens::FieldRule rule = f ? f->rule : screens::FieldRule{};
    rule.input = name;
    QLineEdit* edit = screens::makeInput(rule, parent);
    edit->installEventFilter(this);
    inputs_.insert(name, edit);
    return edit;
}

QLabel* TCORVF035::addBox(const QString& name, QWidget* parent, int minWidth) {
    auto* box = new QLabel(parent);
    box->setObjectName(name);
    box->setFrameShape(QFrame::StyledPanel);
    box->setMinimumWidth(minWidth);
    boxes_.insert(name, box);
    return box;
}

void TCORVF035::build() {
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(buildHeader());
    auto* body = new QHBoxLayout;
    body->addWidget(buildList(), 4);

    NB = new QTabWidget(this);
    NB->setObjectName(QStringLiteral("NB"));
    NB->addTab(buildGeneral(), kPageGeneral);
    for (const char* page : {" Fotografia ", " Informações ", "Anexação de Documentos"}) {
        auto* w = new QLabel(kNotAvailableYet, NB);
        w->setAlignment(Qt::AlignCenter);
        const int index = NB->addTab(w, QString::fromUtf8(page));
        NB->setTabEnabled(index, false);
        NB->setTabToolTip(index, kNotAvailableYet);
    }
    body->addWidget(NB, 5);

    auto* side = new QTabWidget(this);
    side->setObjectName(QStringLiteral("TBCons"));
    suppliersGrid_ = new QTableView(side);
    suppliersGrid_->setObjectName(QStringLiteral("DBGrid2"));
    suppliersModel_ = new db::DatasetModel(
        logic_->suppliers(), {QStringLiteral("SIGLA"), QStringLiteral("PRECO"), QStringLiteral("VOSREF")},
        {QStringLiteral("Fornecedor"), QStringLiteral("Preço"), QStringLiteral("V/Ref.")}, suppliersGrid_);
    suppliersGrid_->setModel(suppliersModel_);
    suppliersGrid_->setItemDelegate(new components::GridDelegate(suppliersGrid_));
    suppliersGrid_->setFocusPolicy(Qt::NoFocus);
    suppliersGrid_->verticalHeader()->hide();
    auto* photo = new QLabel(kNotAvailableYet, side);
    photo->setWordWrap(true);
    const int photoTab = side->addTab(photo, QStringLiteral("Fotografia"));
    side->setTabEnabled(photoTab, false);
    side->addTab(suppliersGrid_, QStringLiteral("Fornecedores"));
    side->setCurrentIndex(1);
    body->addWidget(side, 2);
    outer->addLayout(body, 1);
    outer->addWidget(buildButtons());
    addStatusBar(outer, 3);

    components::FormConventions* conventions = installConventions();
    lookups_ = new screens::LookupWiring(this);
    for (auto it = inputs_.cbegin(); it != inputs_.cend(); ++it) {
        const QString name = it.key();
        QWidget* edit = it.value();
        const ArticleField* f = articleField(name);
        if (!f)
            continue;
        conventions->bindLabel(
            edit, findChild<QLabel*>(QStringLiteral("Caption_") + name.section(QLatin1Char('_'), 1)),
            f->rule.hint);
        conventions->setCheck(edit, [this, name] { return runCheck(name); });
        if (auto* line = qobject_cast<QLineEdit*>(edit)) {
            connect(line, &QLineEdit::textEdited, this, [this, name](const QString& text) {
                logic_->setText(name, text);
                if (name == kDesignInput || name == kDesign2Input)
                    boxes_.value(name == kDesignInput ? kLength1 : kLength2)
                        ->setText(logic_->text(name == kDesignInput ? kLength1 : kLength2));
            });
            if (f->rule.lookup.isSet())
                lookups_->attach(
                    line, f->rule.lookup, [this](const QString& ds) { return logic_->lookupDataset(ds); },
                    [this, name] {
                        if (runCheck(name))
                            refresh();
                    });
        }
    }
    // Tab goes through the inputs in the order of the pages, then back to the list.
    QWidget* previous = nullptr;
    for (const ArticleField& f : articleFields()) {
        QWidget* w = inputs_.value(f.rule.input);
        if (previous && w)
            setTabOrder(previous, w);
        if (w)
            previous = w;
    }
    if (previous)
        setTabOrder(previous, grid_);
    connect(NB1, &QTabWidget::currentChanged, this, [this](int index) {
        if (selecting_ || !activated())
            return;
        selecting_ = true;
        logic_->pageSelected(NB1->tabText(index));
        selecting_ = false;
    });
    resize(1280, 720);
}

QWidget* TCORVF035::buildHeader() {
    auto* w = new QWidget(this);
    auto* grid = new QGridLayout(w);
    auto caption = [w](const QString& text, const QString& input) {
        auto* l = new QLabel(text, w);
        l->setObjectName(QStringLiteral("Caption_") + input.section(QLatin1Char('_'), 1));
        return l;
    };
    grid->addWidget(caption(QStringLiteral("Código : "), kCodeInput), 0, 0);
    grid->addWidget(addInput(kCodeInput, w), 0, 1);
    grid->addWidget(caption(QStringLiteral("Designação : "), kDesignInput), 0, 2);
    grid->addWidget(addInput(kDesignInput, w), 0, 3);
    grid->addWidget(addBox(kLength1, w, 30), 0, 4);
    grid->addWidget(addBox(kComposedLabel, w, 300), 1, 0, 1, 3);
    QLineEdit* second = addInput(kDesign2Input, w);
    second->setAccessibleName(QStringLiteral("Designação (2ª linha)"));
    grid->addWidget(second, 1, 3);
    grid->addWidget(addBox(kLength2, w, 30), 1, 4);
    grid->setColumnStretch(3, 1);
    return w;
}

QWidget* TCORVF035::buildList() {
    auto* w = new QWidget(this);
    auto* col = new QVBoxLayout(w);
    col->setContentsMargins(0, 0, 0, 0);
    auto* nav = new QHBoxLayout;
    const struct {
        const char* text;
        const char* hint;
        int step;
    } moves[] = {{"|<", "Primeiro Registo", -2},
                 {"<", "Registo Anterior", -1},
                 {">", "Próximo Registo", 1},
                 {">|", "Último Registo", 2}};
    for (const auto& m : moves) {
        auto* b = new QToolButton(w);
        b->setText(QString::fromUtf8(m.text));
        b->setToolTip(QString::fromUtf8(m.hint));
        b->setFocusPolicy(Qt::NoFocus);
        b->setObjectName(QStringLiteral("BotNavig%1").arg(m.step + 2));
        connect(b, &QToolButton::clicked, this, [this, step = m.step] {
            if (step == -2)
                logic_->firstRow();
            else if (step == 2)
                logic_->lastRow();
            else
                moveBy(step);
            refresh();
        });
        buttons_.insert(b->objectName(), b);
        nav->addWidget(b);
    }
    nav->addStretch(1);
    count_ = new QLabel(w);
    count_->setObjectName(QStringLiteral("Label_Artg"));
    nav->addWidget(count_);
    col->addLayout(nav);

    grid_ = new QTableView(w);
    grid_->setObjectName(kList);
    grid_->setItemDelegate(new components::GridDelegate(grid_));
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(20);
    grid_->installEventFilter(this);
    grid_->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto addAction = [this](const QString& text, const QKeySequence& key, std::function<void()> run) {
        auto* a = new QAction(text, grid_);
        a->setShortcut(key);
        a->setShortcutContext(Qt::WidgetShortcut);
        connect(a, &QAction::triggered, this, std::move(run));
        grid_->addAction(a);
        return a;
    };
    addAction(QStringLiteral("Procura Numérica"), QKeySequence(Qt::Key_Insert),
              [this] { lookupArticle(false); });
    addAction(QStringLiteral("Procura Alfabética"), QKeySequence(Qt::CTRL | Qt::Key_Insert),
              [this] { lookupArticle(true); });
    QAction* sheet = addAction(QStringLiteral("Ficha Técnica"), QKeySequence(Qt::Key_F12), [this] {
        if (logic_->sheetAllowed() && links_.sheet)
            openLink(links_.sheet, true);
    });
    if (!links_.sheet)
        sheet->setStatusTip(kNotAvailableYet);
    addAction(QStringLiteral("Eliminar Artigo"), QKeySequence(Qt::Key_Delete), [this] {
        if (buttons_.value(QStringLiteral("BotDelete"))->isVisible())
            action([this] { logic_->remove(); });
    });
    connect(grid_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
        if (section == 1 || section == 2)
            action([this, section] {
                logic_->sortBy(section == 1 ? ArticleOrder::Code : ArticleOrder::Designation);
            });
    });
    connect(grid_->verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (resetting_ || value != grid_->verticalScrollBar()->minimum())
            return;
        QTimer::singleShot(0, this, [this] {
            QScrollBar* bar = grid_->verticalScrollBar();
            if (!resetting_ && bar->value() == bar->minimum())
                fetchBefore();
        });
    });
    col->addWidget(grid_, 1);
    return w;
}

void TCORVF035::moveBy(int step) {
    db::Dataset& ds = logic_->list();
    int row = logic_->currentRow() + step;
    if (row < 0 && ds.canFetchBefore())
        row += logic_->fetchBefore();
    if (row >= ds.rowCount() && ds.canFetchMore())
        ds.fetchMore();
    if (row >= 0 && row < ds.rowCount())
        logic_->setCurrentRow(row);
}

void TCORVF035::fetchBefore() {
    // A list positioned on an article reads the rows above it as they come
    // into view.
    if (!logic_->list().canFetchBefore())
        return;
    const int added = logic_->fetchBefore();
    if (added <= 0)
        return;
    QScrollBar* bar = grid_->verticalScrollBar();
    const int value = bar->value();
    model_->reload();
    bar->setValue(value + added);
}

void TCORVF035::openLink(const ArticleLinks::Open& open, bool needsSaved) {
    if (!open || (needsSaved && !logic_->satellitesAllowed()))
        return;
    const QString code =
        logic_->mode() == ArticleMode::Inserting ? logic_->text(kCodeInput) : logic_->currentCode();
    open(this, code.trimmed());
    if (&open == &links_.sheet)
        logic_->reread(); // the sheet marks the article
    refresh();
}

bool TCORVF035::activateScreen() {
    if (!logic_->activate(rightsOf_, setting().signature))
        return false;
    const ArticleButtons& b = logic_->buttons();
    buttons_.value(QStringLiteral("BotInserir"))->setVisible(b.insertVisible);
    buttons_.value(QStringLiteral("BotCancelar"))->setVisible(b.insertVisible);
    buttons_.value(QStringLiteral("BotDelete"))->setVisible(b.deleteVisible);
    buttons_.value(QStringLiteral("BotFamilia"))->setVisible(b.familyVisible);
    buttons_.value(QStringLiteral("BotPPautal"))->setVisible(b.tariffVisible);
    buttons_.value(QStringLiteral("BotComposicao"))->setVisible(b.compositionVisible);
    buttons_.value(QStringLiteral("BotIva"))->setVisible(b.vatVisible);
    grid_->setFocus(Qt::OtherFocusReason);
    refresh();
    gridFocusChanged();
    return true;
}

void TCORVF035::closeScreen() {
    logic_->close();
}

void TCORVF035::rebuildModel() {
    db::Dataset* ds = &logic_->list();
    if (ds == modelDataset_) {
        return;
    }
    modelDataset_ = ds;
    auto* old = model_;
    model_ = new ListModel(*ds, logic_->order(), grid_);
    grid_->setModel(model_);
    delete old;
    const int widths[] = {26, 130, 280, 28, 40, 48, 48, 40};
    for (int c = 0; c < 8; ++c)
        grid_->setColumnWidth(c, widths[c]);
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& index) {
                if (!index.isValid() || index.row() == logic_->currentRow())
                    return;
                logic_->setCurrentRow(index.row());
                refresh();
            });
}

void TCORVF035::refresh() {
    resetting_ = true;
    rebuildModel();
    model_->reload();
    suppliersModel_->reload();
    count_->setText(QStringLiteral("%1 Artigos").arg(logic_->articleCount()));
    // Typing keeps the logic's texts in step, so only what the logic changed
    // differs (the input being typed in keeps its cursor).
    for (auto it = inputs_.cbegin(); it != inputs_.cend(); ++it)
        if (screens::fieldText(it.value()) != logic_->text(it.key()))
            screens::setFieldText(it.value(), logic_->text(it.key()));
    for (auto it = boxes_.cbegin(); it != boxes_.cend(); ++it)
        it.value()->setText(logic_->text(it.key()));
    const ArticleButtons& b = logic_->buttons();
    for (auto it = inputs_.cbegin(); it != inputs_.cend(); ++it)
        screens::setFieldReadOnly(it.value(), logic_->inputsReadOnly());
    inputs_.value(kCodeInput)->setEnabled(b.codeEnabled);
    inputs_.value(QStringLiteral("Edit_CCusto"))->setEnabled(b.costCentreEnabled);
    for (int n = 1; n <= 9; ++n) {
        levelCaptions_.value(n)->setText(logic_->levelCaption(n));
        inputs_.value(levelInput(n))->setEnabled(logic_->levelEnabled(n));
        buttons_.value(QStringLiteral("BotCustom%1").arg(n))
            ->setVisible(logic_->levelEnabled(n) && b.levelVisible[n - 1]);
    }
    for (const char* name : {"BotInserir", "BitTerminar", "BotNavig0", "BotNavig1", "BotNavig3", "BotNavig4"})
        buttons_.value(QString::fromLatin1(name))
            ->setEnabled(b.listButtons && (qstrcmp(name, "BotInserir") != 0 || b.insertEnabled));
    buttons_.value(QStringLiteral("BotDelete"))->setEnabled(b.listButtons && b.deleteEnabled);
    for (const char* name : {"BotDesignMoeda", "BotDesignPais"}) {
        QAbstractButton* button = buttons_.value(QString::fromLatin1(name));
        const bool linked =
            name == QLatin1String("BotDesignMoeda") ? bool(links_.currencies) : bool(links_.countries);
        button->setEnabled(linked && b.satellitesEnabled);
    }
    if (QAbstractButton* compras = buttons_.value(QStringLiteral("BotCompras")))
        compras->setEnabled(bool(links_.suppliers) && b.listButtons);
    if (QAbstractButton* sheet = buttons_.value(QStringLiteral("BotFicTec")))
        sheet->setEnabled(bool(links_.sheet) && b.listButtons && logic_->mode() == ArticleMode::Browsing);
    // Rows above the current one, so that Up and scrolling reach them.
    if (logic_->currentRow() >= 0 && logic_->currentRow() < 3 && logic_->list().canFetchBefore() &&
        logic_->fetchBefore() > 0)
        model_->reload();
    const int row = logic_->currentRow();
    if (row >= 0 && row < model_->rowCount()) {
        const QSignalBlocker block(grid_->selectionModel());
        grid_->selectionModel()->setCurrentIndex(model_->index(row, 1), QItemSelectionModel::ClearAndSelect |
                                                                            QItemSelectionModel::Rows);
        grid_->scrollTo(model_->index(row, 1));
    }
    resetting_ = false;
}

void TCORVF035::selectPage(const QString& page) {
    selecting_ = true;
    if (page == kPageGeneral) {
        NB->setCurrentIndex(0);
        NB1->setCurrentIndex(0);
    } else {
        NB->setCurrentIndex(0);
        for (int i = 0; i < NB1->count(); ++i)
            if (NB1->tabText(i) == page)
                NB1->setCurrentIndex(i);
    }
    selecting_ = false;
}

bool TCORVF035::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == grid_ && (type == QEvent::FocusIn || type == QEvent::FocusOut)) {
        QTimer::singleShot(0, this, &TCORVF035::gridFocusChanged);
    } else if (type == QEvent::FocusIn) {
        const QString name = watched->objectName();
        if (inputs_.contains(name)) {
            // An input on a page not shown brings its page forward.
            const QString page = fieldPage(name);
            if (!page.isEmpty() && NB1->tabText(NB1->currentIndex()) != page)
                selectPage(page);
            logic_->fieldEnter(name);
        }
    }
    return ScreenDialog::eventFilter(watched, event);
}

bool TCORVF035::focusNextPrevChild(bool next) {
    // Tab and Enter go through the inputs in the order of the pages, bringing
    // each page forward; after the last input comes the list.
    QWidget* current = focusWidget();
    const QList<ArticleField>& fields = articleFields();
    int index = -1;
    for (int i = 0; current && i < fields.size(); ++i)
        if (fields[i].rule.input == current->objectName())
            index = i;
    if (index < 0)
        return ScreenDialog::focusNextPrevChild(next);
    const int step = next ? 1 : -1;
    for (int i = index + step; i >= 0 && i < fields.size(); i += step) {
        QWidget* w = inputs_.value(fields[i].rule.input);
        if (!w || !w->isEnabled() || (fields[i].page == kPageStocks && !logic_->stocks()))
            continue;
        if (!fields[i].page.isEmpty() && NB1->tabText(NB1->currentIndex()) != fields[i].page) {
            selectPage(fields[i].page);
            logic_->pageSelected(fields[i].page);
        }
        w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
    }
    if (!next)
        return ScreenDialog::focusNextPrevChild(next);
    grid_->setFocus(Qt::TabFocusReason);
    return true;
}

void TCORVF035::gridFocusChanged() {
    if (closing() || !activated())
        return;
    const bool focused = focusWidget() == grid_;
    if (focused && !inGrid_) {
        inGrid_ = true;
        bool saved = true;
        leaveHoldingMessages([this, &saved] { saved = logic_->gridEnter(); }, [this] { refresh(); });
        if (!saved) {
            // Not saved: back to the inputs, with what was typed.
            inGrid_ = false;
            if (focusWidget() == grid_)
                inputs_.value(kDesignInput)->setFocus(Qt::OtherFocusReason);
        }
    } else if (!focused && inGrid_) {
        inGrid_ = false;
        // Changing starts on the designation, unless the user went to
        // another input on purpose.
        leaveHoldingMessages([this] { logic_->gridExit(); }, [this] { refresh(); },
                             [this](const QString& target) {
                                 QWidget* now = focusWidget();
                                 return target == kDesignInput && now &&
                                        inputs_.value(now->objectName()) == now;
                             });
    }
}

bool TCORVF035::runCheck(const QString& input) {
    QWidget* edit = inputs_.value(input);
    if (!edit)
        return true;
    const bool ok = logic_->fieldExit(input, screens::fieldText(edit));
    refresh();
    return ok;
}

void TCORVF035::action(const std::function<void()>& run) {
    // The focus the logic asks for goes to an input the redrawing enables.
    leaveHoldingMessages(run, [this] { refresh(); });
}

void TCORVF035::lookupArticle(bool alphabetical) {
    QString error;
    const std::unique_ptr<db::Dataset> list = logic_->lookupList(alphabetical, &error);
    if (!list) {
        view().message(error);
        return;
    }
    db::Dataset& all = *list;
    const QList<components::LookupColumn> columns =
        alphabetical
            ? QList<components::LookupColumn>{{QStringLiteral("DESIGNACAO"), QStringLiteral("DESIGNAÇÃO")},
                                              {QStringLiteral("CODIGO"), QStringLiteral("CODIGO")},
                                              {QStringLiteral("FICTEC"), QStringLiteral("B")},
                                              {QStringLiteral("CORDES"), QStringLiteral("Côr")},
                                              {QStringLiteral("TAMDES"), QStringLiteral("Tamanho")}}
            : QList<components::LookupColumn>{{QStringLiteral("CODIGO"), QStringLiteral("CODIGO")},
                                              {QStringLiteral("FICTEC"), QStringLiteral("B")},
                                              {QStringLiteral("DESIGNACAO"), QStringLiteral("DESIGNAÇÃO")},
                                              {QStringLiteral("CORDES"), QStringLiteral("CÔR")},
                                              {QStringLiteral("TAMDES"), QStringLiteral("TAM")}};
    // The list is the lookup's own: typing may seek it.
    const int row =
        components::LookupDialog::choose(this, all, columns, QStringLiteral("DESIGNACAO"), false, true);
    if (row < 0)
        return;
    logic_->locate(all.text(row, QStringLiteral("CODIGO")).trimmed());
    refresh();
}

void TCORVF035::exportList() {
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Exportar para Excel"),
                                     QStringLiteral("Artigos.xlsx"), QStringLiteral("Excel (*.xlsx)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!logic_->exportList(path, links_.company, links_.databaseAlias, &error))
        view().message(error);
}

} // namespace corvane::articles
