#include "history_panels.h"
#include "core/number_input.h"

#include "components/charts/chart_panels.h"
#include "components/grid_delegate.h"
#include "components/photos/photo_files.h"
#include "components/photos/photo_view.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace corvane::quotation {

namespace {

QString money(double v) {
    return fixedNumberText(v, 2);
}

QString dateText(const QDateTime& dt) {
    return dt.isValid() ? dt.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

// A grid's rows: each cell a text; numbers at the right.
void fill(QTableView* grid, const QList<QVariantList>& rows) {
    auto* model = static_cast<QStandardItemModel*>(grid->model());
    model->setRowCount(0);
    for (const QVariantList& r : rows) {
        QList<QStandardItem*> items;
        for (const QVariant& v : r) {
            const int type = v.metaType().id();
            const bool number = type == QMetaType::Double || type == QMetaType::Int;
            auto* item = new QStandardItem(type == QMetaType::Double ? money(v.toDouble())
                                                                     : components::GridDelegate::textOf(v));
            item->setData(v, Qt::UserRole);
            item->setTextAlignment(number ? Qt::AlignRight | Qt::AlignVCenter
                                          : Qt::AlignLeft | Qt::AlignVCenter);
            item->setEditable(false);
            items << item;
        }
        model->appendRow(items);
    }
    grid->resizeColumnsToContents();
    // The last line selected, as the most recent one.
    if (model->rowCount() > 0) {
        grid->selectRow(model->rowCount() - 1);
        grid->scrollToBottom();
    }
}

// The quotation an order came from; none shows empty.
QVariant quotationNumber(int number) {
    return number > 0 ? QVariant(number) : QVariant();
}

QList<QVariantList> periodRows(const QList<CustomerPeriod>& periods, bool monthly) {
    QList<QVariantList> rows;
    for (const CustomerPeriod& p : periods)
        rows << (monthly ? QVariantList{p.ANO, p.MES, p.VALOR} : QVariantList{p.ANO, p.VALOR});
    return rows;
}

QList<QVariantList> totalRows(const QList<PeriodTotal>& totals, bool monthly) {
    QList<QVariantList> rows;
    for (const PeriodTotal& t : totals)
        rows << (monthly ? QVariantList{t.ANO, t.MES, t.VALOR, t.QUANTID}
                         : QVariantList{t.ANO, t.VALOR, t.QUANTID});
    return rows;
}

QList<QVariantList> quotationRows(const QList<QuotationLine>& lines) {
    QList<QVariantList> rows;
    for (const QuotationLine& q : lines)
        rows << QVariantList{
            q.ORCNRO,      q.ARTIGO,
            q.CLINRO,      dateText(q.DATAEMI),
            q.QUANT[0],    q.QUANT[1],
            q.QUANT[2],    q.PRECOCLI[0],
            q.PRECOCLI[1], q.PRECOCLI[2],
            q.PRECOAPROV,  isApproved(q.APROVADO) ? QStringLiteral("S") : QStringLiteral("N")};
    return rows;
}

const QStringList kQuotationTitles{"Orç.Nº",  "Artigo",  "Cliente",  "Data",      "Qtd I",        "Qtd II",
                                   "Qtd III", "Preço I", "Preço II", "Preço III", "Preço Aprov.", "Aprov."};

// The labels of the receivables by age: caption and label name.
const QList<std::pair<const char*, const char*>> kAgeLabels{{"Prazo : ", "Label_Deb0"},
                                                            {"0 a 30 dias : ", "Label_Deb30"},
                                                            {"30 a 60 dias : ", "Label_Deb3060"},
                                                            {"60 a 90 dias : ", "Label_Deb6090"},
                                                            {"90 a 120 dias : ", "Label_Deb90120"},
                                                            {"120 a 180 dias : ", "Label_Deb120180"},
                                                            {"+ 180 dias : ", "Label_Deb180"},
                                                            {"Títulos : ", "Label_Titulos"},
                                                            {"Responsabilidade Total : ", "Label_Total"}};

// The identification labels of the article: caption and column.
const QList<std::pair<const char*, const char*>> kIdentity{
    {"V/Ref. : ", "VOSREF"},  {"Comprimento : ", "COMPRIM"}, {"Largura : ", "LARGURA"},
    {"Altura : ", "ALTURA"},  {"Nº Fios : ", "NEFIO"},       {"Família : ", "FAMILIA"},
    {"Unidade : ", "UNVENDA"}};

constexpr int kStockTab = 4;

} // namespace

HistoryPanels::HistoryPanels(QWidget* window) : QObject(window), window_(window) {
    NBEnc = new QTabWidget(window);
    NBEnc->setObjectName(QStringLiteral("NBEnc"));
    buildArticle();
    TBCons = new QTabWidget(window);
    TBCons->setObjectName(QStringLiteral("TBCons"));
    buildCustomer();
    // Every tab's caption whole; arrows reach the tabs beyond the width.
    for (QTabWidget* book : {NBEnc, TBCons, quotationsBook_}) {
        book->tabBar()->setElideMode(Qt::ElideNone);
        book->setUsesScrollButtons(true);
    }

    photoPage_ = new QWidget(window);
    auto* photoLayout = new QVBoxLayout(photoPage_);
    photos_ = new components::PhotoView(photoPage_);
    photoLayout->addWidget(photos_);
    connect(photos_, &components::PhotoView::photoOpened, this, [this] { emit photoOpened(); });

    pieArea_ = new QWidget(window);
    auto* pieLayout = new QVBoxLayout(pieArea_);
    pieLayout->setContentsMargins(0, 0, 0, 0);
    pie_ = new components::PieChartPanel(pieArea_);
    pie_->setObjectName(QStringLiteral("PieOrcamento"));
    pie_->setMinimumHeight(220);
    pieLayout->addWidget(pie_, 1);
    auto* buttons = new QHBoxLayout;
    for (int level = 1; level <= 3; ++level) {
        auto* b = new QPushButton(pieArea_);
        b->setObjectName(QStringLiteral("BotChart%1").arg(level));
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, level] { emit chartAsked(level); });
        chartButtons_ << b;
        buttons->addWidget(b);
    }
    pieLayout->addLayout(buttons);
    clear();
}

QTableView* HistoryPanels::addGrid(QWidget* parent, const QString& name, const QStringList& titles) {
    auto* grid = new QTableView(parent);
    grid->setObjectName(name);
    auto* model = new QStandardItemModel(0, static_cast<int>(titles.size()), grid);
    model->setHorizontalHeaderLabels(titles);
    grid->setModel(model);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(18);
    // A grid scrolls rather than widen its panel.
    grid->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Expanding);
    grid->horizontalHeader()->setDefaultSectionSize(70);
    grids_.insert(name, grid);
    return grid;
}

components::BarChartPanel* HistoryPanels::addBars(QWidget* parent, const QString& name) {
    auto* bars = new components::BarChartPanel(parent);
    bars->setObjectName(name);
    bars->setMinimumHeight(190);
    bars_.insert(name, bars);
    return bars;
}

QWidget* HistoryPanels::buildArticle() {
    // "Identificação Artigo"
    auto* identity = new QWidget(NBEnc);
    auto* grid = new QGridLayout(identity);
    grid->setVerticalSpacing(2);
    int row = 0;
    for (const auto& [caption, column] : kIdentity) {
        grid->addWidget(new QLabel(QString::fromUtf8(caption), identity), row, 0);
        auto* value = new QLabel(identity);
        value->setObjectName(QStringLiteral("Label_") + QString::fromLatin1(column));
        labels_.insert(value->objectName(), value);
        grid->addWidget(value, row++, 1);
    }
    for (int n = 1; n <= 9; ++n) {
        const char* parts[] = {"Nivel", "Codigo", "Nome"};
        for (int c = 0; c < 3; ++c) {
            auto* l = new QLabel(identity);
            l->setObjectName(QStringLiteral("Label_Custom%1%2").arg(QLatin1String(parts[c])).arg(n));
            labels_.insert(l->objectName(), l);
            grid->addWidget(l, n - 1, 2 + c);
        }
    }
    grid->setColumnStretch(4, 1);
    grid->setRowStretch(9, 1);
    NBEnc->addTab(identity, QStringLiteral("Identificação Artigo"));

    auto single = [this](const QString& caption, const QString& name, const QStringList& titles) {
        auto* page = new QWidget(NBEnc);
        auto* l = new QVBoxLayout(page);
        l->addWidget(addGrid(page, name, titles));
        NBEnc->addTab(page, caption);
    };
    single(QStringLiteral("Histórico de Vendas"), QStringLiteral("GridFacturas"),
           {"Doc.", "Nº", "Data", "Preço", "Quantidade", "Encomenda", "Orç.Nº"});
    single(QStringLiteral("Histórico de Encomendas"), QStringLiteral("GridEncomendas"),
           {"Enc.Nº", "Linha", "Entrega", "Ano", "Mês", "Semana", "Preço", "Quantidade", "Un.", "% Margem",
            "Orç.Nº", "Entregue"});

    auto* totals = new QWidget(NBEnc);
    auto* tl = new QGridLayout(totals);
    tl->addWidget(addGrid(totals, QStringLiteral("GridTotaisMes"), {"Ano", "Mês", "Valor", "Quantidade"}), 0,
                  0);
    tl->addWidget(addBars(totals, QStringLiteral("ChartTotaisMes")), 1, 0);
    tl->addWidget(addGrid(totals, QStringLiteral("GridTotaisAno"), {"Ano", "Valor", "Quantidade"}), 0, 1);
    tl->addWidget(addBars(totals, QStringLiteral("ChartTotaisAno")), 1, 1);
    tl->setRowStretch(0, 2);
    tl->setRowStretch(1, 3);
    NBEnc->addTab(totals, QStringLiteral("Totais Encomendas do Artigo"));

    auto* stock = new QWidget(NBEnc);
    auto* sl = new QHBoxLayout(stock);
    sl->addWidget(addGrid(stock, QStringLiteral("GridStock"),
                          {"Artigo", "Ano", "Armazém", "Qtd.Inicial", "Val.Inicial", "Quantidade", "Valor"}),
                  3);
    components::BarChartPanel* stockBars = addBars(stock, QStringLiteral("ChartStock"));
    stockBars->setAxisTitles(QStringLiteral("Armazens"), QStringLiteral("Quantidade"));
    sl->addWidget(stockBars, 2);
    auto* articlePhoto = new components::PhotoThumbnail(stock);
    articlePhoto->setObjectName(QStringLiteral("FotoArtigo"));
    articlePhoto->setFixedSize(120, 90);
    articlePhoto->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    quotationPhotos_.insert(articlePhoto->objectName(), articlePhoto);
    sl->addWidget(articlePhoto, 0, Qt::AlignTop);
    NBEnc->addTab(stock, QStringLiteral("Existência em Stock"));

    auto* quotations = new QWidget(NBEnc);
    auto* ql = new QVBoxLayout(quotations);
    quotationsBook_ = new QTabWidget(quotations);
    quotationsBook_->setObjectName(QStringLiteral("NBOrcamentos"));
    const QList<std::pair<QString, QString>> books{
        {QStringLiteral("Aprov. e não Aprov. do Artigo"), "GridOrcArtigo"},
        {QStringLiteral("Aprovados"), "GridOrcAprovados"},
        {QStringLiteral("Não Aprovados"), "GridOrcPendentes"}};
    for (int i = 0; i < books.size(); ++i) {
        auto* page = new QWidget(quotationsBook_);
        auto* pl = new QHBoxLayout(page);
        QTableView* g = addGrid(page, books[i].second, kQuotationTitles);
        pl->addWidget(g, 1);
        if (i > 0) {
            // The first photograph of the selected quotation's article.
            auto* photo = new components::PhotoThumbnail(page);
            photo->setObjectName(QStringLiteral("Foto") + books[i].second);
            photo->setFixedSize(120, 90);
            photo->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
            quotationPhotos_.insert(photo->objectName(), photo);
            pl->addWidget(photo, 0, Qt::AlignTop);
            connect(g->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                    [this, g, photo] { showQuotationPhoto(g, photo); });
        }
        quotationsBook_->addTab(page, books[i].first);
    }
    ql->addWidget(quotationsBook_);
    NBEnc->addTab(quotations, QStringLiteral("Orçamentos"));

    connect(NBEnc, &QTabWidget::currentChanged, this, [this](int index) {
        quotationPhotos_.value(QStringLiteral("FotoArtigo"))->setVisible(index == kStockTab);
        quotationsBook_->setCurrentIndex(0);
    });
    return NBEnc;
}

QWidget* HistoryPanels::buildCustomer() {
    auto* account = new QWidget(TBCons);
    auto* al = new QVBoxLayout(account);
    al->addWidget(addBars(account, QStringLiteral("ChartCorrente")));
    TBCons->addTab(account, QStringLiteral("C/Corrente "));

    auto* ages = new QWidget(TBCons);
    auto* form = new QFormLayout(ages);
    form->setVerticalSpacing(2);
    for (const auto& [caption, name] : kAgeLabels) {
        auto* value = new QLabel(ages);
        value->setObjectName(QString::fromLatin1(name));
        value->setAlignment(Qt::AlignRight);
        value->setMinimumWidth(100);
        labels_.insert(value->objectName(), value);
        form->addRow(QString::fromUtf8(caption), value);
    }
    TBCons->addTab(ages, QStringLiteral("C/C.Idades "));

    auto twoGrids = [this](const QString& caption, const QString& years, const QString& months,
                           const QString& value) {
        auto* page = new QWidget(TBCons);
        auto* l = new QHBoxLayout(page);
        l->addWidget(addGrid(page, years, {"Ano", value}), 2);
        l->addWidget(addGrid(page, months, {"Ano", "Mês", value}), 3);
        TBCons->addTab(page, caption);
    };
    twoGrids(QStringLiteral("Recebim."), QStringLiteral("GridRecebAno"), QStringLiteral("GridRecebMes"),
             QStringLiteral("Recebido"));
    twoGrids(QStringLiteral("Vendas "), QStringLiteral("GridVendasAno"), QStringLiteral("GridVendasMes"),
             QStringLiteral("Vendido"));

    auto* book = new QWidget(TBCons);
    auto* bl = new QVBoxLayout(book);
    bl->addWidget(addGrid(book, QStringLiteral("GridCarteira"), {"Ano", "Mês", "Valor", "Quantidade"}));
    TBCons->addTab(book, QStringLiteral("Cart.Encom."));
    return TBCons;
}

void HistoryPanels::showCustomer(const CustomerPanel& p) {
    for (const auto& [caption, name] : kAgeLabels)
        labels_.value(QString::fromLatin1(name))->setText(money(0));
    components::BarChartPanel* chart = bars_.value(QStringLiteral("ChartCorrente"));
    if (p.receivables) {
        const Receivables& r = *p.receivables;
        const double values[] = {r.DEB0,      r.DEB30,  r.DEB3060, r.DEB6090, r.DEB90120,
                                 r.DEB120180, r.DEB180, r.TITULOS, r.total()};
        for (int i = 0; i < kAgeLabels.size(); ++i)
            labels_.value(QString::fromLatin1(kAgeLabels[i].second))->setText(money(values[i]));
        chart->setSeries(receivablesSeries(r));
    } else {
        chart->clear();
    }
    fill(grids_.value(QStringLiteral("GridCarteira")), totalRows(p.openOrders, true));
    fill(grids_.value(QStringLiteral("GridVendasAno")), periodRows(p.sales.years, false));
    fill(grids_.value(QStringLiteral("GridVendasMes")), periodRows(p.sales.months, true));
    fill(grids_.value(QStringLiteral("GridRecebAno")), periodRows(p.receipts.years, false));
    fill(grids_.value(QStringLiteral("GridRecebMes")), periodRows(p.receipts.months, true));
    TBCons->setVisible(true);
}

void HistoryPanels::showArticle(const ArticlePanel& p, const QString& photoFolder,
                                const QString& photoExtension) {
    photoFolder_ = photoFolder;
    photoExtension_ = photoExtension;
    const QVariantMap& a = p.identity.article;
    for (const auto& [caption, column] : kIdentity) {
        const QVariant v = a.value(QString::fromLatin1(column));
        const int type = v.metaType().id();
        labels_.value(QStringLiteral("Label_") + QString::fromLatin1(column))
            ->setText(type == QMetaType::Double ? numberText(v.toDouble()) : v.toString().trimmed());
    }
    for (int n = 1; n <= 9; ++n) {
        const ClassificationLine& c = p.identity.classification[static_cast<size_t>(n - 1)];
        labels_.value(QStringLiteral("Label_CustomNivel%1").arg(n))->setText(c.label);
        labels_.value(QStringLiteral("Label_CustomCodigo%1").arg(n))->setText(c.code);
        labels_.value(QStringLiteral("Label_CustomNome%1").arg(n))->setText(c.name);
    }
    QList<QVariantList> invoices;
    for (const InvoiceLine& i : p.invoices)
        invoices << QVariantList{i.TIPDOC,
                                 i.DOCNRO,
                                 dateText(i.DATEMI),
                                 i.PRECOVENDA,
                                 i.QUANTID,
                                 i.ENCOMENDA,
                                 quotationNumber(i.ORCNRO.value_or(0))};
    fill(grids_.value(QStringLiteral("GridFacturas")), invoices);
    QList<QVariantList> orders;
    for (const OrderLine& o : p.orders)
        orders << QVariantList{o.ENCNRO,
                               o.DETAIL,
                               dateText(o.DATAENTRG),
                               o.ANO,
                               o.MES,
                               o.SEMANA,
                               o.PRECOVENDA,
                               o.QUANTID,
                               o.UNVEND,
                               o.MARGEMPRC,
                               quotationNumber(o.ORCNRO),
                               o.TOTENT};
    fill(grids_.value(QStringLiteral("GridEncomendas")), orders);
    fill(grids_.value(QStringLiteral("GridTotaisMes")), totalRows(p.totalsByMonth, true));
    fill(grids_.value(QStringLiteral("GridTotaisAno")), totalRows(p.totalsByYear, false));
    bars_.value(QStringLiteral("ChartTotaisMes"))->setSeries(periodSeries(p.totalsByMonth));
    bars_.value(QStringLiteral("ChartTotaisAno"))->setSeries(periodSeries(p.totalsByYear));
    QList<QVariantList> stock;
    for (const WarehouseStock& s : p.stock)
        stock << QVariantList{s.ARTIGO, s.ANO, s.CODIGO, s.EXIQTD00, s.EXIVAL00, s.EXIQTD, s.EXIVAL};
    fill(grids_.value(QStringLiteral("GridStock")), stock);
    bars_.value(QStringLiteral("ChartStock"))->setSeries(stockSeries(p.stock));
    fill(grids_.value(QStringLiteral("GridOrcArtigo")), quotationRows(p.quotations));
    fill(grids_.value(QStringLiteral("GridOrcAprovados")), quotationRows(p.approved));
    fill(grids_.value(QStringLiteral("GridOrcPendentes")), quotationRows(p.pending));
    quotationPhotos_.value(QStringLiteral("FotoArtigo"))->setFile(p.photos.value(0));
    photos_->setPhotos(p.photos);
    NBEnc->setVisible(true);
    NBEnc->setCurrentIndex(1);
}

void HistoryPanels::showQuotationPhoto(QTableView* grid, components::PhotoThumbnail* photo) {
    const QModelIndex current = grid->currentIndex();
    const QString article =
        current.isValid() ? grid->model()->index(current.row(), 1).data(Qt::UserRole).toString().trimmed()
                          : QString();
    photo->setFile(components::findPhotoFile(photoFolder_, article, 1, photoExtension_));
}

void HistoryPanels::showPie(int level, const QList<ChartSlice>& slices) {
    components::ChartSeries series;
    for (const ChartSlice& s : slices) {
        series.labels << s.LEGENDA;
        series.values << s.VALOR;
    }
    pie_->setSeries(series);
    pieLevel_ = level;
}

void HistoryPanels::setLevels(const std::array<double, 3>& quantities) {
    for (int i = 0; i < 3; ++i) {
        const double q = quantities[static_cast<size_t>(i)];
        chartButtons_[i]->setText(q > 0 ? QStringLiteral("( %1 )").arg(q) : QString());
        chartButtons_[i]->setEnabled(q > 0);
    }
}

void HistoryPanels::clear() {
    for (QTableView* g : std::as_const(grids_))
        static_cast<QStandardItemModel*>(g->model())->setRowCount(0);
    for (components::BarChartPanel* b : std::as_const(bars_))
        b->clear();
    for (QLabel* l : std::as_const(labels_))
        l->clear();
    for (components::PhotoThumbnail* p : std::as_const(quotationPhotos_))
        p->clearPhoto();
    photos_->clear();
    pie_->clear();
    pieLevel_ = 0;
    setLevels({0, 0, 0});
    NBEnc->setVisible(false);
    TBCons->setVisible(false);
}

} // namespace corvane::quotation
