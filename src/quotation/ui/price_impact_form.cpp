#include "price_impact_form.h"

#include "components/charts/chart_panels.h"
#include "components/report/exports.h"
#include "core/number_input.h"
#include "quotation/report/impact_report.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

namespace corvane::quotation {

namespace {

QPushButton* button(QWidget* parent, const char* name, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

QTableWidget* grid(QWidget* parent, const char* name, const QStringList& titles) {
    auto* g = new QTableWidget(0, static_cast<int>(titles.size()), parent);
    g->setObjectName(QString::fromLatin1(name));
    g->setHorizontalHeaderLabels(titles);
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->setSelectionBehavior(QAbstractItemView::SelectRows);
    g->setSelectionMode(QAbstractItemView::SingleSelection);
    g->verticalHeader()->hide();
    g->verticalHeader()->setDefaultSectionSize(20);
    return g;
}

void put(QTableWidget* g, int row, int col, const QString& text, bool number = false) {
    auto* item = new QTableWidgetItem(text);
    if (number)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    g->setItem(row, col, item);
}

ChangeKind kindAt(int index) {
    return index == 1 ? ChangeKind::Machine : index == 2 ? ChangeKind::Waste : ChangeKind::Article;
}

const QStringList kKinds{QStringLiteral("Preço do artigo"), QStringLiteral("Custo da máquina"),
                         QStringLiteral("Desperdício (%) do tipo de custo")};

} // namespace

TCORVFIMPACTO::TCORVFIMPACTO(db::Database& corvane, db::Database& factura, QString company,
                             const screens::ScreenSetting& setting, QWidget* parent)
    : ScreenDialog(QStringLiteral("TCORVFIMPACTO"), kImpactCaption, setting, parent),
      logic_(corvane, factura), company_(std::move(company)) {
    auto* outer = new QVBoxLayout(this);
    auto* changes = new QGroupBox(QStringLiteral("Alterações a experimentar"), this);
    auto* ch = new QHBoxLayout(changes);
    auto* form = new QFormLayout;
    Combo_Tipo = new QComboBox(changes);
    Combo_Tipo->setObjectName(QStringLiteral("Combo_Tipo"));
    Combo_Tipo->addItems(kKinds);
    form->addRow(QStringLiteral("&Alteração : "), Combo_Tipo);
    Edit_Codigo = new QLineEdit(changes);
    Edit_Codigo->setObjectName(QStringLiteral("Edit_Codigo"));
    Edit_Codigo->setMaxLength(16);
    form->addRow(QStringLiteral("C&ódigo : "), Edit_Codigo);
    Label_Hoje = new QLabel(changes);
    Label_Hoje->setObjectName(QStringLiteral("Label_Hoje"));
    form->addRow(QStringLiteral("Hoje : "), Label_Hoje);
    Edit_Novo = new QLineEdit(changes);
    Edit_Novo->setObjectName(QStringLiteral("Edit_Novo"));
    Edit_Novo->setMaxLength(14);
    form->addRow(QStringLiteral("&Novo valor : "), Edit_Novo);
    auto* add = button(changes, "BotAcrescentar", QStringLiteral("Acr&escentar"));
    form->addRow(QString(), add);
    ch->addLayout(form);
    Grid_Alteracoes = grid(changes, "Grid_Alteracoes",
                           {QStringLiteral("Alteração"), QStringLiteral("Código"), QStringLiteral("Hoje"),
                            QStringLiteral("Proposto")});
    Grid_Alteracoes->setColumnWidth(0, 200);
    ch->addWidget(Grid_Alteracoes, 1);
    auto* remove = button(changes, "BotRetirar", QStringLiteral("&Retirar"));
    ch->addWidget(remove, 0, Qt::AlignTop);
    outer->addWidget(changes);

    auto* run = new QHBoxLayout;
    auto* marginLabel = new QLabel(QStringLiteral("&Margem mínima (%) : "), this);
    run->addWidget(marginLabel);
    Edit_Margem = new QLineEdit(fixedNumberText(logic_.threshold(), 1), this);
    marginLabel->setBuddy(Edit_Margem);
    Edit_Margem->setObjectName(QStringLiteral("Edit_Margem"));
    Edit_Margem->setMaxLength(6);
    Edit_Margem->setMaximumWidth(80);
    run->addWidget(Edit_Margem);
    auto* calc = button(this, "BotCalcular", QStringLiteral("&Calcular"));
    run->addWidget(calc);
    Progress = new QProgressBar(this);
    Progress->setObjectName(QStringLiteral("Progress"));
    Progress->setValue(0);
    run->addWidget(Progress, 1);
    outer->addLayout(run);
    Label_Resumo = new QLabel(this);
    Label_Resumo->setObjectName(QStringLiteral("Label_Resumo"));
    outer->addWidget(Label_Resumo);

    auto* split = new QSplitter(Qt::Horizontal, this);
    Grid_Impacto = grid(split, "Grid_Impacto",
                        {QStringLiteral("Orç."), QStringLiteral("Cliente"), QStringLiteral("Artigo"),
                         QStringLiteral("Nível"), QStringLiteral("Qtd."), QStringLiteral("Preço"),
                         QStringLiteral("Margem hoje"), QStringLiteral("Margem depois"),
                         QStringLiteral("Preço p/ margem")});
    const int widths[] = {50, 125, 105, 40, 50, 60, 85, 95, 105};
    for (int c = 0; c < 9; ++c)
        Grid_Impacto->setColumnWidth(c, widths[c]);
    split->addWidget(Grid_Impacto);
    Chart_Quedas = new components::BarChartPanel(split);
    Chart_Quedas->setObjectName(QStringLiteral("Chart_Quedas"));
    Chart_Quedas->setAxisTitles(QStringLiteral("Orçamento/Nível"),
                                QStringLiteral("Queda da margem (pontos %)"));
    split->addWidget(Chart_Quedas);
    split->setSizes({740, 410});
    outer->addWidget(split, 1);

    auto* foot = new QHBoxLayout;
    auto* xlsx = button(this, "BotExportar", QStringLiteral("E&xportar (.xlsx)"));
    foot->addWidget(xlsx);
    foot->addStretch(1);
    auto* leave = button(this, "BitTerminar", QStringLiteral("&Terminar"));
    foot->addWidget(leave);
    outer->addLayout(foot);
    addStatusBar(outer);
    installConventions();

    connect(Combo_Tipo, &QComboBox::currentIndexChanged, this, [this] { showToday(); });
    connect(Edit_Codigo, &QLineEdit::editingFinished, this, [this] { showToday(); });
    Edit_Novo->installEventFilter(this); // after the conventions: it sees Enter first
    connect(add, &QPushButton::clicked, this, [this] { addChange(); });
    connect(remove, &QPushButton::clicked, this, [this] {
        logic_.removeChange(Grid_Alteracoes->currentRow());
        showChanges();
    });
    connectChecked(calc, [this] { calculate(); });
    connect(xlsx, &QPushButton::clicked, this, [this] { chooseExport(); });
    connectDiscarding(leave, [] {});
    resize(1150, 720);
}

bool TCORVFIMPACTO::activateScreen() {
    QString error;
    if (!logic_.open(&error)) {
        view().message(error);
        return false;
    }
    Edit_Codigo->setFocus();
    return true;
}

bool TCORVFIMPACTO::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Edit_Novo && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            addChange();
            return true;
        }
    }
    return ScreenDialog::eventFilter(watched, event);
}

void TCORVFIMPACTO::showToday() {
    const std::optional<double> today =
        logic_.todayOf(kindAt(Combo_Tipo->currentIndex()), Edit_Codigo->text());
    Label_Hoje->setText(today                                     ? numberText(*today)
                        : Edit_Codigo->text().trimmed().isEmpty() ? QString()
                                                                  : QStringLiteral("?"));
}

bool TCORVFIMPACTO::addChange() {
    QString message;
    if (!logic_.addChange(kindAt(Combo_Tipo->currentIndex()), Edit_Codigo->text(), Edit_Novo->text(),
                          &message)) {
        view().message(message);
        (message.contains(QStringLiteral("Inexistente")) ? Edit_Codigo : Edit_Novo)->setFocus();
        return false;
    }
    Edit_Codigo->clear();
    Edit_Novo->clear();
    Label_Hoje->clear();
    showChanges();
    Edit_Codigo->setFocus();
    return true;
}

void TCORVFIMPACTO::showChanges() {
    const auto& changes = logic_.changes();
    Grid_Alteracoes->setRowCount(static_cast<int>(changes.size()));
    for (int r = 0; r < static_cast<int>(changes.size()); ++r) {
        const PriceChange& c = changes[static_cast<std::size_t>(r)];
        put(Grid_Alteracoes, r, 0, kKinds.value(static_cast<int>(c.kind)));
        put(Grid_Alteracoes, r, 1, c.code);
        put(Grid_Alteracoes, r, 2, numberText(c.today), true);
        put(Grid_Alteracoes, r, 3, numberText(c.proposed), true);
    }
}

bool TCORVFIMPACTO::calculate() {
    QString error;
    if (!logic_.setThreshold(Edit_Margem->text(), &error)) {
        view().message(error);
        Edit_Margem->setFocus();
        return false;
    }
    Progress->setValue(0);
    const bool ok = logic_.run(
        [this](qint64 done, qint64 total) {
            Progress->setMaximum(static_cast<int>(std::max<qint64>(total, 1)));
            Progress->setValue(static_cast<int>(done));
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        },
        &error);
    if (!ok) {
        view().message(error);
        if (logic_.changes().empty())
            Edit_Codigo->setFocus();
        return false;
    }
    showResults();
    return true;
}

void TCORVFIMPACTO::showResults() {
    const ImpactReport& r = logic_.report();
    Label_Resumo->setText(
        QStringLiteral("Orçamentos pendentes : %1    com custo alterado : %2    abaixo da margem "
                       "mínima : %3")
            .arg(r.quotations.size())
            .arg(r.changed)
            .arg(r.flagged));
    const auto& lines = logic_.lines();
    Grid_Impacto->setRowCount(static_cast<int>(lines.size()));
    for (int row = 0; row < static_cast<int>(lines.size()); ++row) {
        const ImpactLine& l = lines[static_cast<std::size_t>(row)];
        put(Grid_Impacto, row, 0, QString::number(l.number), true);
        put(Grid_Impacto, row, 1, QStringLiteral("%1 %2").arg(l.customer).arg(l.customerName));
        put(Grid_Impacto, row, 2, l.article);
        if (!l.problem.isEmpty()) {
            put(Grid_Impacto, row, 3, l.problem);
            Grid_Impacto->setSpan(row, 3, 1, 6);
            continue;
        }
        put(Grid_Impacto, row, 3, QString::number(l.level), true);
        put(Grid_Impacto, row, 4, fixedNumberText(l.quantity, 0), true);
        put(Grid_Impacto, row, 5, fixedNumberText(l.price, 2), true);
        put(Grid_Impacto, row, 6, fixedNumberText(l.marginToday, 1) + QStringLiteral(" %"), true);
        put(Grid_Impacto, row, 7, fixedNumberText(l.marginAfter, 1) + QStringLiteral(" %"), true);
        put(Grid_Impacto, row, 8, fixedNumberText(l.priceKeepingMargin, 2), true);
        if (l.flagged)
            for (int c = 0; c < 9; ++c)
                if (QTableWidgetItem* item = Grid_Impacto->item(row, c))
                    item->setForeground(Qt::red);
    }
    const components::ChartSeries falls = logic_.marginFalls(8);
    if (falls.isEmpty())
        Chart_Quedas->clear();
    else
        Chart_Quedas->setSeries(falls);
}

bool TCORVFIMPACTO::exportTo(const QString& path) {
    auto report = impactReport(logic_.changes(), logic_.lines(), logic_.threshold(),
                               {company_, QString(), QDateTime::currentDateTime()});
    QString error;
    if (!report::exportReport(*report, report::ExportFormat::Xlsx, path, &error)) {
        view().message(error);
        return false;
    }
    return true;
}

void TCORVFIMPACTO::chooseExport() {
    if (logic_.lines().empty()) {
        view().message(QStringLiteral("Calcule primeiro o impacto ..."));
        return;
    }
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Exportar para Excel"),
                                     QStringLiteral("ImpactoPrecos.xlsx"), QStringLiteral("Excel (*.xlsx)"));
    if (!path.isEmpty())
        exportTo(path);
}

} // namespace corvane::quotation
