#include "generate_site.h"

#include "core/rounding.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <array>
#include <cmath>
#include <memory>
#include <random>

namespace corvane::setup {

GeneratedSizes GeneratedSizes::at(double scale) {
    auto n = [scale](double full, int least) { return std::max(least, int(std::lround(full * scale))); };
    return {n(2000, 2), n(100000, 4), n(50000, 4), n(300000, 4), n(1000000, 8)};
}

namespace {

using Map = QVariantMap;

// Multi-row inserts with positional parameters: a statement of up to
// `perStatement_` rows is prepared once and run for every full batch.
class RowBatch {
public:
    RowBatch(db::Database& db, QString table, QStringList columns)
        : db_(db), table_(std::move(table)), columns_(std::move(columns)),
          perStatement_(rowsPerStatement(db.backend(), int(columns_.size()))) {}

    bool add(const Map& row, QString* error) {
        QVariantList values;
        for (const QString& c : columns_)
            values << row.value(c);
        rows_ << values;
        return rows_.size() < perStatement_ || flush(error);
    }

    bool flush(QString* error) {
        if (rows_.isEmpty())
            return true;
        QSqlQuery once(db_.sql());
        QSqlQuery* q = &once;
        if (rows_.size() == perStatement_) {
            if (!full_) {
                full_ = std::make_unique<QSqlQuery>(db_.sql());
                if (!full_->prepare(statement(perStatement_)))
                    return fail(*full_, error);
            }
            q = full_.get();
        } else if (!once.prepare(statement(int(rows_.size())))) {
            return fail(once, error);
        }
        for (const QVariantList& row : rows_)
            for (const QVariant& v : row)
                q->addBindValue(v);
        rows_.clear();
        return q->exec() || fail(*q, error);
    }

private:
    // SQLite looks each parameter up by its number while it parses, so long
    // statements cost more than they save; a PostgreSQL server is a round
    // trip away, so each statement takes as many rows as it reasonably can.
    static int rowsPerStatement(db::Backend backend, int columns) {
        const int parameters = backend == db::Backend::SQLite ? 400 : 30000;
        return std::max(1, std::min(500, parameters / columns));
    }
    QString statement(int rows) const {
        const QString one =
            QLatin1Char('(') + QStringList(columns_.size(), QStringLiteral("?")).join(',') + QLatin1Char(')');
        return QStringLiteral("INSERT INTO %1 (%2) VALUES %3")
            .arg(table_, columns_.join(','), QStringList(rows, one).join(','));
    }
    bool fail(const QSqlQuery& q, QString* error) const {
        if (error)
            *error = table_ + QStringLiteral(": ") + db::Database::errorText(q.lastError());
        return false;
    }

    db::Database& db_;
    QString table_;
    QStringList columns_;
    int perStatement_;
    QList<QVariantList> rows_;
    std::unique_ptr<QSqlQuery> full_;
};

// Every row of a select, with the column names in upper case (PostgreSQL
// gives them in lower case).
std::optional<QList<Map>> templateRows(db::Database& db, const QString& sql, const Map& params,
                                       QString* error) {
    QSqlQuery q(db.sql());
    if (!db.exec(q, sql, params, error))
        return std::nullopt;
    QList<Map> out;
    while (q.next()) {
        const QSqlRecord r = q.record();
        Map m;
        for (int i = 0; i < r.count(); ++i)
            m.insert(r.fieldName(i).toUpper(), r.value(i));
        out << m;
    }
    return out;
}

// The demo's four products, one of each sheet kind, and the quotation each
// generated quotation of that kind copies.
struct Product {
    const char* code;
    int quotation;
    QList<Map> article, master, lines, layout, subcontracts;
    QList<QList<Map>> quotationRows; // one list per quotation table
};

const QStringList kQuotationTables{QStringLiteral("ORCAMMAS"), QStringLiteral("ORCAMCNDPGT"),
                                   QStringLiteral("ORCAMCOM"), QStringLiteral("ORCAMDESC"),
                                   QStringLiteral("ORCAMTOT"), QStringLiteral("ORCAMTRANSP")};

bool readProduct(db::Database& corvane, db::Database& factura, Product& p, QString* error) {
    const Map code{{QStringLiteral("A"), QString::fromLatin1(p.code)}};
    auto read = [&](db::Database& db, const char* sql, QList<Map>& into) {
        const auto rows = templateRows(db, QString::fromLatin1(sql), code, error);
        if (rows)
            into = *rows;
        return rows.has_value();
    };
    if (!read(factura, "SELECT * FROM ARTIGOSCLS WHERE CODIGO = :A", p.article) ||
        !read(corvane, "SELECT * FROM FICTECMAS WHERE CODIGO = :A", p.master) ||
        !read(corvane, "SELECT * FROM FICTECDET WHERE ARTIGO = :A", p.lines) ||
        !read(corvane, "SELECT * FROM FICTECFIOS WHERE ARTIGO = :A", p.layout) ||
        !read(corvane, "SELECT * FROM FICTECSUBCONT WHERE ARTIGO = :A", p.subcontracts))
        return false;
    if (p.article.isEmpty() || p.master.isEmpty() || p.lines.isEmpty()) {
        if (error)
            *error = QStringLiteral("O artigo de demonstração %1 ou a sua ficha técnica não existe: "
                                    "gere sobre um local criado por create-demo.")
                         .arg(QString::fromLatin1(p.code));
        return false;
    }
    for (const QString& table : kQuotationTables) {
        const auto rows =
            templateRows(corvane, QStringLiteral("SELECT * FROM %1 WHERE ORCNRO = :N").arg(table),
                         {{QStringLiteral("N"), p.quotation}}, error);
        if (!rows)
            return false;
        p.quotationRows << *rows;
    }
    return true;
}

// Draws of a fixed seed: uniform numbers and a skewed index, the first
// indexes drawn far more often (a customer's or an article's share).
class Draw {
public:
    double uniform() { return unit_(rng_); }
    int below(int n) { return std::min(n - 1, int(uniform() * n)); }
    // Index 0 drawn with probability n^(-1/power): power 3.5 over 2,000
    // customers gives the largest about an eighth of the business.
    int skewed(int n, double power) { return std::min(n - 1, int(std::pow(uniform(), power) * n)); }
    double around(double value, double spread) { return value * (1 - spread + 2 * spread * uniform()); }

private:
    std::mt19937_64 rng_{20261211};
    std::uniform_real_distribution<double> unit_{0.0, 1.0};
};

struct Generator {
    Generator(db::Database& program, db::Database& invoicing, GeneratedSizes size, QDate day,
              const GenerateProgress& report)
        : corvane(program), factura(invoicing), sizes(size), today(day), progress(report) {}

    db::Database& corvane;
    db::Database& factura;
    GeneratedSizes sizes;
    QDate today;
    const GenerateProgress& progress;
    std::array<Product, 4> products{Product{"CHCAC01.PRE", 1004, {}, {}, {}, {}, {}, {}},
                                    Product{"CHCLA01.PRE", 1001, {}, {}, {}, {}, {}, {}},
                                    Product{"GORAC02.PRE", 1005, {}, {}, {}, {}, {}, {}},
                                    Product{"ECHVI01.PRE", 1002, {}, {}, {}, {}, {}, {}}};
    Draw draw;
    QString finished; // the phase whose end was reported

    void report(const char* phase, qint64 done, qint64 total) {
        if (!progress || finished == QLatin1String(phase) || (done != total && done % 2000 != 0))
            return;
        progress(QString::fromUtf8(phase), done, total);
        if (done == total)
            finished = QString::fromLatin1(phase);
    }

    // Article i: the kind i % 4, a model number and a colour.
    QString articleCode(int i) const {
        static const char* colours[] = {"PRE", "CIN", "AZU", "BEG", "BOR", "VER"};
        const QString stem = QString::fromLatin1(products[std::size_t(i % 4)].code).left(5);
        return stem + QString::number(i / 4 + 100).rightJustified(5, '0') + QLatin1Char('.') +
               QString::fromLatin1(colours[(i / 4) % 6]);
    }
    QString articleName(int i) const {
        static const char* colours[] = {"Preto", "Cinza", "Azul", "Bege", "Bordeaux", "Verde"};
        QStringList words = products[std::size_t(i % 4)]
                                .article.first()
                                .value(QStringLiteral("DESIGNACAO"))
                                .toString()
                                .trimmed()
                                .split(' ');
        words.removeLast(); // the demo product's colour
        return (words.join(' ') + QLatin1Char(' ') + QString::fromLatin1(colours[(i / 4) % 6]) +
                QLatin1Char(' ') + QString::number(i / 4 + 100))
            .left(40);
    }
    static QString customerName(int i) {
        static const char* kinds[] = {"Boutique", "Malhas", "Lanifícios", "Modas", "Têxteis", "Chapelaria"};
        static const char* places[] = {"Aurora",  "do Norte", "Atlântico", "da Ribeira",
                                       "Central", "do Minho", "Estrela",   "do Sul"};
        return QStringLiteral("%1 %2 %3")
            .arg(QString::fromUtf8(kinds[i % 6]), QString::fromUtf8(places[(i / 6) % 8]),
                 QString::number(i + 1));
    }
    QDateTime dayWithin(int days) { return QDateTime(today.addDays(-draw.below(days)), QTime(0, 0)); }

    bool customers(QString* error) {
        const auto model =
            templateRows(factura, QStringLiteral("SELECT * FROM CLIENTES WHERE CODIGO = 1"), {}, error);
        if (!model || model->isEmpty()) {
            if (error && model)
                *error = QStringLiteral("O cliente 1 de demonstração não existe.");
            return false;
        }
        RowBatch rows(factura, QStringLiteral("CLIENTES"), model->first().keys());
        return factura.transaction(
            [&] {
                for (int i = 0; i < sizes.customers; ++i) {
                    Map c = model->first();
                    c[QStringLiteral("CODIGO")] = kFirstGeneratedCustomer + i;
                    c[QStringLiteral("NOME")] = customerName(i);
                    if (!rows.add(c, error))
                        return false;
                    report("Clientes", i + 1, sizes.customers);
                }
                return rows.flush(error);
            },
            error);
    }

    // The articles in the invoicing database, their sheets in the program database.
    bool articlesAndSheets(QString* error) {
        const Product& first = products[0];
        RowBatch articles(factura, QStringLiteral("ARTIGOSCLS"), first.article.first().keys());
        RowBatch masters(corvane, QStringLiteral("FICTECMAS"), first.master.first().keys());
        RowBatch lines(corvane, QStringLiteral("FICTECDET"), first.lines.first().keys());
        std::unique_ptr<RowBatch> layouts, subcontracts;
        for (const Product& p : products) {
            if (!layouts && !p.layout.isEmpty())
                layouts = std::make_unique<RowBatch>(corvane, QStringLiteral("FICTECFIOS"),
                                                     p.layout.first().keys());
            if (!subcontracts && !p.subcontracts.isEmpty())
                subcontracts = std::make_unique<RowBatch>(corvane, QStringLiteral("FICTECSUBCONT"),
                                                          p.subcontracts.first().keys());
        }
        auto copies = [&](RowBatch* batch, const QList<Map>& rows, const char* key, const QString& code) {
            for (Map m : rows) {
                m[QString::fromLatin1(key)] = code;
                if (!batch->add(m, error))
                    return false;
            }
            return true;
        };
        auto work = [&] {
            for (int i = 0; i < sizes.articles; ++i) {
                const Product& p = products[std::size_t(i % 4)];
                const QString code = articleCode(i);
                Map a = p.article.first();
                a[QStringLiteral("CODIGO")] = code;
                a[QStringLiteral("DESIGNACAO")] = articleName(i);
                a[QStringLiteral("DESIGNACAO1")] = articleName(i);
                a[QStringLiteral("PRECO1")] =
                    roundTo(draw.around(a.value(QStringLiteral("PRECO1")).toDouble(), 0.2), 2);
                if (!articles.add(a, error) || !copies(&masters, p.master, "CODIGO", code) ||
                    !copies(&lines, p.lines, "ARTIGO", code) ||
                    (layouts && !copies(layouts.get(), p.layout, "ARTIGO", code)) ||
                    (subcontracts && !copies(subcontracts.get(), p.subcontracts, "ARTIGO", code)))
                    return false;
                report("Artigos e fichas", i + 1, sizes.articles);
            }
            return articles.flush(error) && masters.flush(error) && lines.flush(error) &&
                   (!layouts || layouts->flush(error)) && (!subcontracts || subcontracts->flush(error));
        };
        return factura.transaction([&] { return corvane.transaction(work, error); }, error);
    }

    int customer() { return kFirstGeneratedCustomer + draw.skewed(sizes.customers, 3.5); }
    int article() { return draw.skewed(sizes.articles, 3.0); }

    bool quotations(QString* error) {
        std::vector<std::unique_ptr<RowBatch>> batches;
        for (int t = 0; t < kQuotationTables.size(); ++t) {
            batches.push_back(nullptr);
            for (const Product& p : products)
                if (!batches.back() && !p.quotationRows.at(t).isEmpty())
                    batches.back() = std::make_unique<RowBatch>(corvane, kQuotationTables.at(t),
                                                                p.quotationRows.at(t).first().keys());
        }
        return corvane.transaction(
            [&] {
                for (int i = 0; i < sizes.quotations; ++i) {
                    const int a = article();
                    const Product& p = products[std::size_t(a % 4)];
                    const QDateTime issued = dayWithin(3650);
                    // Most of what is older than two months was answered.
                    const bool pending = issued.date().daysTo(today) < 60 || draw.uniform() < 0.15;
                    for (int t = 0; t < kQuotationTables.size(); ++t)
                        for (Map m : p.quotationRows.at(t)) {
                            m[QStringLiteral("ORCNRO")] = kFirstGeneratedQuotation + i;
                            if (t == 0) {
                                const int client = customer();
                                m[QStringLiteral("CLINRO")] = client;
                                m[QStringLiteral("CLINOM")] = customerName(client - kFirstGeneratedCustomer);
                                m[QStringLiteral("ARTIGO")] = articleCode(a);
                                m[QStringLiteral("DESIGN")] = articleName(a);
                                m[QStringLiteral("DATAEMI")] = issued;
                                m[QStringLiteral("APROVADO")] =
                                    pending ? QStringLiteral("N") : QStringLiteral("S");
                            }
                            if (!batches[std::size_t(t)]->add(m, error))
                                return false;
                        }
                    report("Orçamentos", i + 1, sizes.quotations);
                }
                for (auto& b : batches)
                    if (b && !b->flush(error))
                        return false;
                return true;
            },
            error);
    }

    // Orders of one to three lines, each line invoiced once delivered; then
    // invoices without an order up to the number of invoice lines.
    bool ordersAndInvoices(QString* error) {
        RowBatch orders(factura, QStringLiteral("ENCCLIMAS"), {"ENCNRO", "CLINRO", "DATAENC"});
        RowBatch orderLines(factura, QStringLiteral("ENCCLIDET"),
                            {"ENCNRO", "DETAIL", "ARTIGO", "DATAENTRG", "ANO", "SEMANA", "PRECOVENDA",
                             "QUANTID", "UNVEND", "MARGEMPRC", "ORCNRO", "TOTENT", "VALLIQUIDO", "VALLIQCAR",
                             "QTDCAR"});
        RowBatch invoices(factura, QStringLiteral("FACMOVIM"), {"TIPDOC", "DOCNRO", "DATEMI", "CLINRO"});
        RowBatch invoiceLines(
            factura, QStringLiteral("FACMOVDET"),
            {"TIPDOC", "DOCNRO", "DETAIL", "ARTIGO", "PRECOVENDA", "QUANTID", "ENCOMENDA", "VAL_VENDA"});
        int order = kFirstGeneratedOrder;
        int invoice = kFirstGeneratedInvoice;
        qint64 lines = 0, invoiced = 0;
        const qint64 total = qint64(sizes.orderLines) + sizes.invoiceLines;
        auto invoiceLine = [&](int document, int detail, const QString& code, double price, double quantity,
                               int fromOrder) {
            ++invoiced;
            return invoiceLines.add({{"TIPDOC", "FAC"},
                                     {"DOCNRO", document},
                                     {"DETAIL", detail},
                                     {"ARTIGO", code},
                                     {"PRECOVENDA", price},
                                     {"QUANTID", quantity},
                                     {"ENCOMENDA", fromOrder},
                                     {"VAL_VENDA", roundTo(price * quantity, 2)}},
                                    error);
        };
        auto work = [&] {
            while (lines < sizes.orderLines) {
                const int client = customer();
                // A share of the orders placed lately: the book still open.
                const QDateTime placed = dayWithin(draw.uniform() < 0.03 ? 60 : 3650);
                if (!orders.add({{"ENCNRO", order}, {"CLINRO", client}, {"DATAENC", placed}}, error))
                    return false;
                const QDateTime delivery = placed.addDays(20 + draw.below(40));
                const bool open = delivery.date() > today.addDays(-30);
                const int count = 1 + draw.below(3);
                bool invoiceMade = false;
                for (int d = 1; d <= count && lines < sizes.orderLines; ++d, ++lines) {
                    const int a = article();
                    const QString code = articleCode(a);
                    const double price = roundTo(draw.around(12, 0.4), 2);
                    const double quantity = 50 * (1 + draw.below(20));
                    if (!orderLines.add({{"ENCNRO", order},
                                         {"DETAIL", d},
                                         {"ARTIGO", code},
                                         {"DATAENTRG", delivery},
                                         {"ANO", QString::number(delivery.date().year())},
                                         {"SEMANA", delivery.date().weekNumber()},
                                         {"PRECOVENDA", price},
                                         {"QUANTID", quantity},
                                         {"UNVEND", "Und"},
                                         {"MARGEMPRC", roundTo(draw.around(22, 0.3), 1)},
                                         {"ORCNRO", 0},
                                         {"TOTENT", open ? "N" : "S"},
                                         {"VALLIQUIDO", roundTo(price * quantity, 2)},
                                         {"VALLIQCAR", open ? roundTo(price * quantity, 2) : 0.0},
                                         {"QTDCAR", open ? quantity : 0.0}},
                                        error))
                        return false;
                    if (open || invoiced >= sizes.invoiceLines)
                        continue;
                    if (!invoiceMade && !invoices.add({{"TIPDOC", "FAC"},
                                                       {"DOCNRO", invoice},
                                                       {"DATEMI", delivery},
                                                       {"CLINRO", client}},
                                                      error))
                        return false;
                    invoiceMade = true;
                    if (!invoiceLine(invoice, d, code, price, quantity, order))
                        return false;
                    report("Encomendas e facturas", lines + invoiced, total);
                }
                if (invoiceMade)
                    ++invoice;
                ++order;
            }
            while (invoiced < sizes.invoiceLines) {
                const int client = customer();
                if (!invoices.add({{"TIPDOC", "FAC"},
                                   {"DOCNRO", invoice},
                                   {"DATEMI", dayWithin(3650)},
                                   {"CLINRO", client}},
                                  error))
                    return false;
                const int count = 1 + draw.below(5);
                for (int d = 1; d <= count && invoiced < sizes.invoiceLines; ++d) {
                    if (!invoiceLine(invoice, d, articleCode(article()), roundTo(draw.around(12, 0.4), 2),
                                     10 * (1 + draw.below(30)), 0))
                        return false;
                    report("Encomendas e facturas", lines + invoiced, total);
                }
                ++invoice;
            }
            report("Encomendas e facturas", total, total);
            return orders.flush(error) && orderLines.flush(error) && invoices.flush(error) &&
                   invoiceLines.flush(error);
        };
        return factura.transaction(work, error);
    }
};

} // namespace

bool generateCompanyData(db::Database& corvane, db::Database& factura, double scale, const QDate& today,
                         const GenerateProgress& progress, QString* error) {
    if (!(scale > 0) || scale > 10) {
        if (error)
            *error = QStringLiteral("Escala inválida: indique um número maior que 0 e até 10.");
        return false;
    }
    const std::optional<QVariant> made =
        factura.scalar(QStringLiteral("SELECT COUNT(*) FROM CLIENTES WHERE CODIGO >= :F"),
                       {{QStringLiteral("F"), kFirstGeneratedCustomer}}, error);
    if (!made)
        return false;
    if (made->toInt() > 0) {
        if (error)
            *error = QStringLiteral("Esta empresa já tem dados gerados.");
        return false;
    }
    Generator g(corvane, factura, GeneratedSizes::at(scale), today, progress);
    for (Product& p : g.products)
        if (!readProduct(corvane, factura, p, error))
            return false;
    // The planner's statistics brought up to the new rows, as a database in
    // use has them: of the tables written only, so that the tables of other
    // companies on the same server (even some dropped meanwhile) are left alone.
    const auto analyze = [error](db::Database& db, const QStringList& tables) {
        for (const QString& t : tables)
            if (!db.exec(QStringLiteral("ANALYZE %1").arg(t), {}, error))
                return false;
        return true;
    };
    return g.customers(error) && g.articlesAndSheets(error) && g.quotations(error) &&
           g.ordersAndInvoices(error) &&
           analyze(corvane, QStringList{QStringLiteral("FICTECMAS"), QStringLiteral("FICTECDET"),
                                        QStringLiteral("FICTECFIOS"), QStringLiteral("FICTECSUBCONT")} +
                                kQuotationTables) &&
           analyze(factura,
                   {QStringLiteral("CLIENTES"), QStringLiteral("ARTIGOSCLS"), QStringLiteral("ENCCLIMAS"),
                    QStringLiteral("ENCCLIDET"), QStringLiteral("FACMOVIM"), QStringLiteral("FACMOVDET")});
}

} // namespace corvane::setup
