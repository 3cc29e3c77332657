#include "quotation_search_form.h"
#include "core/number_input.h"

#include "components/filter/filter_dialog.h"
#include "components/grid_delegate.h"
#include "db/dataset_model.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

namespace corvane::quotation {

namespace {

// Dates as dd/MM/yyyy, the margin with one decimal.
class SearchDelegate : public components::GridDelegate {
public:
    using GridDelegate::GridDelegate;
    QString displayText(const QVariant& value, const QLocale& locale) const override {
        if (value.metaType().id() == QMetaType::Double)
            return fixedNumberText(value.toDouble(), 1);
        return GridDelegate::displayText(value, locale);
    }
};

} // namespace

TCORVF040A::TCORVF040A(db::Database& corvane, const screens::ScreenSetting& setting, QWidget* parent)
    : ScreenDialog(QStringLiteral("TCORVF040A"), QStringLiteral("Pesquisa de Orçamentos"), setting, parent),
      search_(corvane) {
    auto* outer = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* select = new QPushButton(QStringLiteral("Localizar Orçamento"), this);
    select->setObjectName(QStringLiteral("BotSelect"));
    top->addWidget(select);
    // The navigator.
    for (const auto& [name, text] : {std::pair{"BotPrimeiro", "|<"}, std::pair{"BotAnterior", "<"},
                                     std::pair{"BotSeguinte", ">"}, std::pair{"BotUltimo", ">|"}}) {
        auto* b = new QPushButton(QString::fromLatin1(text), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setMaximumWidth(40);
        b->setAutoDefault(false);
        top->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, n = QString::fromLatin1(name)] {
            const int rows = proxy_->rowCount();
            if (rows == 0)
                return;
            const int at = DBGrid1->currentIndex().isValid() ? DBGrid1->currentIndex().row() : 0;
            const int to = n == QLatin1String("BotPrimeiro")   ? 0
                           : n == QLatin1String("BotAnterior") ? std::max(0, at - 1)
                           : n == QLatin1String("BotSeguinte") ? std::min(rows - 1, at + 1)
                                                               : rows - 1;
            DBGrid1->setCurrentIndex(proxy_->index(to, 0));
        });
    }
    top->addStretch(1);
    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("Label_Total"));
    top->addWidget(count_);
    outer->addLayout(top);

    DBGrid1 = new QTableView(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->verticalHeader()->setDefaultSectionSize(20);
    DBGrid1->verticalHeader()->hide();
    DBGrid1->setItemDelegate(new SearchDelegate(DBGrid1));
    DBGrid1->setToolTip(QStringLiteral("Click 2 Vezes para seleccionar o Orçamento"));
    model_ = std::make_unique<db::DatasetModel>(search_.list(), QuotationSearch::columns(),
                                                QuotationSearch::titles());
    proxy_ = new components::FilterProxyModel(this);
    proxy_->setValueRole(Qt::EditRole);
    proxy_->setSourceModel(model_.get());
    DBGrid1->setModel(proxy_);
    for (int c = QuotationSearch::shownColumns(); c < QuotationSearch::columns().size(); ++c)
        DBGrid1->setColumnHidden(c, true);
    const int widths[] = {70, 80, 60, 220, 110, 220, 70, 70, 40};
    for (int c = 0; c < QuotationSearch::shownColumns(); ++c)
        DBGrid1->setColumnWidth(c, widths[c]);
    outer->addWidget(DBGrid1, 1);
    auto* hint = new QLabel(QStringLiteral("Click 2 Vezes para seleccionar o Orçamento"), this);
    hint->setObjectName(QStringLiteral("Label_Dica"));
    outer->addWidget(hint);

    auto* row = new QHBoxLayout;
    row->addStretch(1);
    auto* leave = new QPushButton(QStringLiteral("&Terminar"), this);
    leave->setObjectName(QStringLiteral("BitTerminar"));
    leave->setAutoDefault(false);
    row->addWidget(leave);
    outer->addLayout(row);
    addStatusBar(outer);

    connect(select, &QPushButton::clicked, this, &TCORVF040A::select);
    connect(DBGrid1, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { chooseLine(index.row()); });
    DBGrid1->installEventFilter(this);
    select->setAutoDefault(false);
    connectDiscarding(leave, [] {});
    resize(1000, 600);
}

TCORVF040A::~TCORVF040A() = default;

bool TCORVF040A::activateScreen() {
    QString error;
    if (!search_.open(&error)) {
        view().message(error);
        return false;
    }
    model_->reload();
    proxy_->clear();
    showCount();
    return true;
}

bool TCORVF040A::eventFilter(QObject* watched, QEvent* event) {
    if (watched == DBGrid1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && DBGrid1->currentIndex().isValid()) {
            chooseLine(DBGrid1->currentIndex().row());
            return true;
        }
    }
    return ScreenDialog::eventFilter(watched, event);
}

void TCORVF040A::closeScreen() {
    proxy_->clear();
    search_.close();
}

int TCORVF040A::shownCount() const {
    return proxy_->rowCount();
}

void TCORVF040A::showCount() {
    // Every row counts, also those the grid has not read yet.
    if (!proxy_->isFiltering()) {
        QString error;
        if (!components::fetchAll(*model_, &error))
            view().message(error);
    }
    count_->setText(kSearchCountCaption + QString::number(shownCount()));
}

void TCORVF040A::select() {
    const std::optional<components::RowFilter> filter = components::FilterDialog::ask(
        this, QuotationSearch::filterFields(), proxy_->filter(), QuotationSearch::defaultFilterField());
    if (filter)
        applyFilter(*filter);
}

bool TCORVF040A::applyFilter(const components::RowFilter& filter) {
    const bool ok = filter.isEmpty() ? (proxy_->clear(), true) : proxy_->setFilter(filter);
    if (!ok)
        view().message(proxy_->readError());
    showCount();
    return ok;
}

void TCORVF040A::chooseLine(int line) {
    const QModelIndex source = proxy_->mapToSource(proxy_->index(line, 0));
    search_.choose(source.isValid() ? source.row() : -1);
    accept();
}

int TCORVF040A::ask(db::Database& corvane, const screens::ScreenSetting& setting, QWidget* parent) {
    TCORVF040A search(corvane, setting, parent);
    search.exec();
    return search.result();
}

} // namespace corvane::quotation
