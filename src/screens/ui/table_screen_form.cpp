#include "table_screen_form.h"

#include "components/form_conventions.h"
#include "components/grid_delegate.h"
#include "components/window_memory.h"
#include "core/screen_view.h"
#include "db/dataset_model.h"
#include "field_widgets.h"

#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

namespace corvane::screens {

namespace {

QString labelName(const QString& input) {
    return QStringLiteral("Caption_") + input.section(QLatin1Char('_'), 1);
}

QFrame* helpPanel(const HelpPanel& p, QWidget* parent) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(p.name);
    frame->setFrameShape(QFrame::Panel);
    frame->setFrameShadow(QFrame::Raised);
    auto* layout = new QVBoxLayout(frame);
    auto* title = new QLabel(p.title, frame);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    layout->addWidget(title);
    for (const QString& line : p.lines)
        layout->addWidget(new QLabel(line, frame));
    return frame;
}

} // namespace

TableScreenForm::TableScreenForm(const TableScreenConfig& config, LogicFactory makeLogic,
                                 TableListing* listing, const ScreenSetting& setting, QWidget* parent)
    : ScreenDialog(config.name, config.caption, setting, parent), listing_(listing) {
    logic_ = makeLogic(view());
    config_ = logic_->config(); // with the widths of the table's description
    build();
}

TableScreenForm::~TableScreenForm() = default;

void TableScreenForm::build() {
    auto* outer = new QVBoxLayout(this);
    auto* body = new QHBoxLayout;
    outer->addLayout(body, 1);

    auto* left = new QVBoxLayout;
    left->addWidget(buildNavigator());
    grid_ = new QTableView(this);
    grid_->setObjectName(kGrid);
    model_ = new db::DatasetModel(logic_->dataset(), config_.gridColumns, config_.gridTitles, this);
    grid_->setModel(model_);
    grid_->setItemDelegate(new components::GridDelegate(grid_));
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->verticalHeader()->hide();
    grid_->setWordWrap(false); // one line per row; a narrowed column shows "..."
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->installEventFilter(this);
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& index) {
                if (!index.isValid() || index.row() == logic_->currentRow())
                    return;
                logic_->setCurrentRow(index.row());
                refresh();
            });
    left->addWidget(grid_, 1);
    body->addLayout(left, 1); // the grid takes the width the inputs leave

    auto* right = new QVBoxLayout;
    buildInputs(right);
    extras_ = new QVBoxLayout;
    right->addLayout(extras_);
    for (const HelpPanel& p : config_.panels) {
        QFrame* frame = helpPanel(p, this);
        right->addWidget(frame);
        if (!p.input.isEmpty()) {
            frame->hide();
            panels_.insert(p.input, frame);
        }
    }
    right->addStretch(1);
    if (config_.orderChoice) {
        radNum_ = new QRadioButton(QStringLiteral("Ord. Numérica"), this);
        radNum_->setObjectName(QStringLiteral("RadNum"));
        radNum_->setChecked(true);
        auto* radAlfa = new QRadioButton(QStringLiteral("Ord. Alfabética"), this);
        radAlfa->setObjectName(QStringLiteral("RadAlfa"));
        for (QRadioButton* r : {radNum_, radAlfa}) {
            r->setFocusPolicy(Qt::NoFocus);
            right->addWidget(r);
        }
    }
    buildButtons(right);
    // The inputs keep their width; the grid takes the window's.
    side_ = new QWidget(this);
    side_->setLayout(right);
    side_->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
    right->setContentsMargins(0, 0, 0, 0);
    body->addWidget(side_, 0);

    addStatusBar(outer);
    bindInputs();
}

void TableScreenForm::sizeToColumns() {
    const int most = grid_->fontMetrics().averageCharWidth() * 48;
    grid_->resizeColumnsToContents(); // the titles and the rows read so far
    for (int c = 0; c < model_->columnCount(); ++c)
        grid_->setColumnWidth(c, std::min(grid_->columnWidth(c) + 8, most)); // a little air
    const QMargins m = layout()->contentsMargins();
    const int width = m.left() + components::columnsWidth(grid_) + layout()->spacing() +
                      side_->sizeHint().width() + m.right();
    components::stretchDesignation(grid_);
    components::openAtWidth(this, width, std::max(sizeHint().height(), 560));
}

void TableScreenForm::bindInputs() {
    components::FormConventions* conventions = installConventions();
    QLineEdit* code = input(kCodeInput);
    conventions->bindLabel(code, findChild<QLabel*>(labelName(kCodeInput)), config_.codeHint);
    conventions->setCheck(code, [this, code] {
        const bool ok = logic_->codeExit(code->text());
        refresh();
        return ok;
    });
    lookups_ = new LookupWiring(this);
    for (const FieldRule& rule : config_.fields) {
        QWidget* edit = inputs_.value(rule.input);
        conventions->bindLabel(edit, findChild<QLabel*>(labelName(rule.input)), rule.hint);
        conventions->setCheck(edit, [this, input = rule.input] { return runCheck(input); });
        if (rule.lookup.isSet() && input(rule.input))
            lookups_->attach(
                input(rule.input), rule.lookup,
                [this](const QString& name) { return logic_->lookupDataset(name); },
                [this, input = rule.input] { runCheck(input); },
                [this, rule](int row) { return logic_->chosenKey(rule, row); });
    }
}

QWidget* TableScreenForm::buildNavigator() {
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("BotNavig"));
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    const struct {
        Qt::ArrowType arrow;
        const char* hint;
        int step;
    } moves[] = {{Qt::UpArrow, "Primeiro Registo", -2},
                 {Qt::LeftArrow, "Registo Anterior", -1},
                 {Qt::RightArrow, "Próximo Registo", 1},
                 {Qt::DownArrow, "Último Registo", 2}};
    for (const auto& m : moves) {
        auto* b = new QToolButton(bar);
        b->setArrowType(m.arrow);
        b->setToolTip(QString::fromUtf8(m.hint));
        b->setFocusPolicy(Qt::NoFocus);
        const int step = m.step;
        connect(b, &QToolButton::clicked, this, [this, step] {
            const int count = logic_->dataset().rowCount();
            const int row = logic_->currentRow();
            const int target = step == -2 ? 0 : step == 2 ? count - 1 : qBound(0, row + step, count - 1);
            logic_->setCurrentRow(count > 0 ? target : -1);
            refresh();
        });
        layout->addWidget(b);
        navigator_ << b;
    }
    layout->addStretch(1);
    return bar;
}

void TableScreenForm::buildInputs(QVBoxLayout* column) {
    inputPanel_ = new QFrame(this);
    inputPanel_->setObjectName(QStringLiteral("PanelInput"));
    auto* form = new QFormLayout(inputPanel_);
    auto add = [this, form](const FieldRule& rule) {
        auto* label = new QLabel(rule.label, inputPanel_);
        label->setObjectName(labelName(rule.input));
        QWidget* edit = makeField(rule, inputPanel_);
        edit->installEventFilter(this);
        inputs_.insert(rule.input, edit);
        auto* row = new QHBoxLayout;
        row->addWidget(edit);
        if (!rule.suffix.isEmpty())
            row->addWidget(new QLabel(rule.suffix, inputPanel_));
        if (!rule.lookup.labelName.isEmpty()) {
            auto* description = new QLabel(inputPanel_);
            description->setObjectName(rule.lookup.labelName);
            description->setMinimumWidth(160);
            labels_.insert(rule.input, description);
            row->addWidget(description, 1);
        }
        form->addRow(label, row);
    };
    FieldRule code;
    code.input = kCodeInput;
    code.label = config_.codeLabel;
    code.maxLength = config_.codeLength > 0 ? config_.codeLength : 6;
    add(code);
    for (const FieldRule& rule : config_.fields)
        add(rule);
    column->addWidget(inputPanel_);
}

void TableScreenForm::buildButtons(QVBoxLayout* column) {
    const struct {
        const char* name;
        const char* caption;
        void (TableScreenForm::*click)();
    } buttons[] = {{"BotInserir", "&Inserir", &TableScreenForm::BotInserirClick},
                   {"BotCancelar", "&Cancelar", &TableScreenForm::BotCancelarClick},
                   {"BotDelete", "&Eliminar", &TableScreenForm::BotDeleteClick},
                   {"BotPrint", "Im&primir", &TableScreenForm::BotPrintClick},
                   {"BitTerminar", "&Terminar", nullptr}};
    // Terminate is usable from the grid only: nothing is being edited then.
    auto* row = new QHBoxLayout;
    for (const auto& b : buttons) {
        auto* button = new QPushButton(QString::fromUtf8(b.caption), this);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoDefault(false);
        if (b.click)
            connect(button, &QPushButton::clicked, this, b.click);
        else
            connectClosing(button, [] { return true; });
        button->setVisible(!b.click); // the rights show the others
        buttons_.insert(button->objectName(), button);
        row->addWidget(button);
    }
    column->addLayout(row);
}

bool TableScreenForm::closeRequested() {
    auto* focused = qobject_cast<QLineEdit*>(focusWidget());
    const bool typedNow =
        focused && focused->isModified() && !focused->isReadOnly() && !inputs_.key(focused).isEmpty();
    return !logic_->unwrittenWork(typedNow) || view().confirm(kAbandonQuestion);
}

bool TableScreenForm::activateScreen() {
    if (!logic_->activate(setting().rights, setting().signature))
        return false;
    const shell::ButtonRights& rights = logic_->buttons();
    buttons_.value(QStringLiteral("BotInserir"))->setVisible(rights.insertAndCancel);
    buttons_.value(QStringLiteral("BotCancelar"))->setVisible(rights.insertAndCancel);
    buttons_.value(QStringLiteral("BotDelete"))->setVisible(rights.remove);
    buttons_.value(QStringLiteral("BotPrint"))->setVisible(rights.print);
    refresh();
    sizeToColumns();
    gridFocusChanged();
    return true;
}

QLineEdit* TableScreenForm::input(const QString& name) const {
    return qobject_cast<QLineEdit*>(inputs_.value(name));
}

void TableScreenForm::refresh() {
    model_->reload();
    QLineEdit* code = input(kCodeInput);
    if (code->text() != logic_->codeText()) {
        code->setText(logic_->codeText());
        if (code->hasFocus() && logic_->inserting())
            code->selectAll(); // the proposed code: typing replaces it, Tab keeps it
    }
    code->setReadOnly(!logic_->inserting());
    for (const FieldRule& rule : config_.fields) {
        QWidget* field = inputs_.value(rule.input);
        setFieldText(field, logic_->fieldText(rule.column));
        setFieldReadOnly(field, rule.readOnly || logic_->inputsReadOnly());
    }
    refreshLabels();
    const bool enabled = logic_->buttonsEnabled();
    for (QAbstractButton* b : navigator_)
        b->setEnabled(enabled);
    for (const char* name : {"BotInserir", "BotDelete", "BotPrint", "BitTerminar"})
        buttons_.value(QString::fromLatin1(name))->setEnabled(enabled);
    selectCurrentRow();
}

void TableScreenForm::refreshLabels() {
    for (const FieldRule& rule : config_.fields)
        if (QLabel* description = labels_.value(rule.input))
            description->setText(logic_->label(rule.column));
}

void TableScreenForm::selectCurrentRow() {
    const int row = logic_->currentRow();
    if (row < 0 || row >= model_->rowCount())
        return;
    const QSignalBlocker block(grid_->selectionModel());
    grid_->selectionModel()->setCurrentIndex(model_->index(row, 0),
                                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    grid_->scrollTo(model_->index(row, 0));
}

bool TableScreenForm::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == grid_ && (type == QEvent::FocusIn || type == QEvent::FocusOut)) {
        // Decided once the focus change and any refusal of a field are over.
        QTimer::singleShot(0, this, &TableScreenForm::gridFocusChanged);
    } else if (type == QEvent::FocusIn || type == QEvent::FocusOut) {
        const auto name = watched->objectName();
        if (QWidget* panel = panels_.value(name))
            panel->setVisible(type == QEvent::FocusIn);
    }
    return QDialog::eventFilter(watched, event);
}

void TableScreenForm::gridFocusChanged() {
    if (closing() || !activated())
        return;
    const bool focused = focusWidget() == grid_;
    if (focused && !inGrid_) {
        inGrid_ = true;
        logic_->gridEnter();
        refresh();
    } else if (!focused && inGrid_) {
        inGrid_ = false;
        leaveHoldingMessages([this] { logic_->gridExit(); }, [this] { refresh(); });
    }
}

void TableScreenForm::buttonAction(const std::function<void()>& action) {
    for (QWidget* panel : std::as_const(panels_))
        panel->hide();
    action();
    refresh();
}

void TableScreenForm::BotInserirClick() {
    buttonAction([this] { logic_->insert(); });
}

void TableScreenForm::BotCancelarClick() {
    buttonAction([this] { logic_->cancel(); });
}

void TableScreenForm::BotDeleteClick() {
    buttonAction([this] { logic_->remove(); });
}

void TableScreenForm::BotPrintClick() {
    print();
}

void TableScreenForm::print() {
    if (listing_)
        listing_->previewInOrder(radNum_ && !radNum_->isChecked(), this);
}

void TableScreenForm::closeScreen() {
    logic_->close();
}

bool TableScreenForm::runCheck(const QString& input) {
    QWidget* edit = inputs_.value(input);
    for (const FieldRule& rule : config_.fields) {
        if (rule.input != input || !edit)
            continue;
        const bool ok = logic_->fieldExit(rule.column, fieldText(edit));
        if (ok)
            refresh();
        else
            refreshLabels();
        return ok;
    }
    return false;
}

} // namespace corvane::screens
