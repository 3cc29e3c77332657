// The quotation's records as rows: one column table a record, read and
// written through the same table.
#include "quotation_rows.h"

#include "row_values.h"
#include "shell/version_tables.h"

#include <QHash>

#include <type_traits>

namespace corvane::quotation::rows {

QVariant textOrNull(const QString& s) {
    return s.isNull() ? QVariant(QMetaType::fromType<QString>()) : QVariant(s);
}
QVariant dateOrNull(const QDateTime& d) {
    return d.isValid() ? QVariant(d) : QVariant(QMetaType::fromType<QDateTime>());
}

QVariant columnText(const QString& table, const QString& column, const QString& text) {
    // The widths of the text columns, "TABLE.COLUMN", as the tables are described.
    static const QHash<QString, int> widths = [] {
        QHash<QString, int> out;
        for (const db::Table& t : shell::quotationTables())
            for (const db::Column& c : t.columns)
                if (c.type == db::ColType::Text)
                    out.insert(t.name + QLatin1Char('.') + c.name, c.length);
        return out;
    }();
    const int width = widths.value(table + QLatin1Char('.') + column, -1);
    Q_ASSERT_X(width >= 0, "columnText", "not a text column of a quotation table");
    return textOrNull(width >= 0 ? text.left(width) : text);
}

namespace {

// Whether a column is written by this program or only read (the approval
// and ordering made outside it).
enum class Kept { Written, ReadOnly };

// Takes each column of a row into the member that holds it.
struct Reader {
    const QVariantMap& row;
    void operator()(const QString& column, int& v, Kept = Kept::Written) const { v = intOf(row, column); }
    void operator()(const QString& column, double& v, Kept = Kept::Written) const { v = realOf(row, column); }
    void operator()(const QString& column, QString& v, Kept = Kept::Written) const {
        v = textOf(row, column);
    }
    void operator()(const QString& column, QDateTime& v, Kept = Kept::Written) const {
        v = row.value(column).toDateTime();
    }
};

// Puts each member written into the value bound to its column.
struct Writer {
    QString table;
    QVariantMap& out;
    template <class T> void operator()(const QString& column, const T& v, Kept kept = Kept::Written) const {
        if (kept == Kept::ReadOnly)
            return;
        if constexpr (std::is_same_v<T, QString>)
            out.insert(column, columnText(table, column, v));
        else if constexpr (std::is_same_v<T, QDateTime>)
            out.insert(column, dateOrNull(v));
        else
            out.insert(column, v);
    }
};

// The columns prefix + 1..3 of a value per level.
template <class L, class Column> void levels(Column& column, const QString& prefix, L& l) {
    for (std::size_t i = 0; i < 3; ++i)
        column(prefix + QString::number(i + 1), l[i]);
}
// A charge as a percent: prefix PERC, prefix VALTOT1..3.
template <class C, class Column> void percentCharge(Column& column, const QString& prefix, C& c) {
    column(prefix + QStringLiteral("PERC"), c.PERC);
    levels(column, prefix + QStringLiteral("VALTOT"), c.VALTOT);
}
// A charge as a fixed amount or a percent: prefix VALFIXO, then as a percent.
template <class C, class Column> void fixedCharge(Column& column, const QString& prefix, C& c) {
    column(prefix + QStringLiteral("VALFIXO"), c.VALFIXO);
    percentCharge(column, prefix, c);
}

// ---- the column tables -------------------------------------------------------
// Each names its table and hands every column with its member to `column`,
// on a record read (R) or written (const R).

template <class R> struct Columns;

template <> struct Columns<OrcamMas> {
    static constexpr const char* table = "ORCAMMAS";
    template <class M, class Column> static void each(M& m, Column& column) {
        column("ORCNRO", m.ORCNRO);
        column("CLINRO", m.CLINRO);
        column("ARTIGO", m.ARTIGO);
        column("DATAEMI", m.DATAEMI);
        levels(column, "QUANT", m.QUANT);
        levels(column, "PRCORC", m.PRCORC);
        levels(column, "PRECOCLI", m.PRECOCLI);
        levels(column, "VALORCLI", m.VALORCLI);
        column("OBSERV1", m.OBSERV1);
        column("OBSERV2", m.OBSERV2);
        column("MARGEMLIQ", m.MARGEMLIQ);
        column("PRINTE", m.PRINTE);
        column("VNDNRO", m.VNDNRO);
        column("CLINOM", m.CLINOM);
        column("DESIGN", m.DESIGN);
        column("DESENHO", m.DESENHO);
        column("MANUAL_AUTO", m.MANUAL_AUTO);
        column("TIPOFT", m.TIPOFT);
        // Approval and ordering: set outside this program.
        constexpr Kept onlyRead = Kept::ReadOnly;
        column("ENCANO", m.ENCANO, onlyRead);
        column("ENCSEMANA", m.ENCSEMANA, onlyRead);
        column("ENCCNRO", m.ENCCNRO, onlyRead);
        column("DATAAPROV", m.DATAAPROV, onlyRead);
        column("APROVADO", m.APROVADO, onlyRead);
        column("PRECOAPROV", m.PRECOAPROV, onlyRead);
        column("VALORAPROV", m.VALORAPROV, onlyRead);
        column("QTDAPROV", m.QTDAPROV, onlyRead);
        column("MARGEMAPROVPRC", m.MARGEMAPROVPRC, onlyRead);
        column("MARGEMAPROVVAL", m.MARGEMAPROVVAL, onlyRead);
    }
};

template <> struct Columns<OrcamCom> {
    static constexpr const char* table = "ORCAMCOM";
    template <class C, class Column> static void each(C& c, Column& column) {
        column("VNDNRO", c.VNDNRO);
        column("VNDNOM", c.VNDNOM);
        percentCharge(column, "VND", c.VND);
        column("AGTNRO", c.AGTNRO);
        column("AGTNOM", c.AGTNOM);
        percentCharge(column, "AGT", c.AGT);
        column("ROYNRO", c.ROYNRO);
        column("ROYNOM", c.ROYNOM);
        percentCharge(column, "ROY", c.ROY);
    }
};

template <> struct Columns<OrcamTransp> {
    static constexpr const char* table = "ORCAMTRANSP";
    template <class T, class Column> static void each(T& t, Column& column) {
        column("METEXP", t.METEXPCODE);
        fixedCharge(column, "METEXP", t.METEXP);
        fixedCharge(column, "SEG", t.SEG);
        fixedCharge(column, "DESP", t.DESP);
    }
};

template <> struct Columns<OrcamCndPgt> {
    static constexpr const char* table = "ORCAMCNDPGT";
    template <class C, class Column> static void each(C& c, Column& column) {
        column("CNDPGT", c.CNDPGTCODE);
        column("CNDPGTDES", c.CNDPGTDES);
        column("CNDPGTDIAS", c.CNDPGTDIAS);
        fixedCharge(column, "CNDPGT", c.CNDPGT);
        fixedCharge(column, "PRZ", c.PRZ);
        fixedCharge(column, "DESC", c.DESC);
    }
};

template <> struct Columns<OrcamDesc> {
    static constexpr const char* table = "ORCAMDESC";
    template <class D, class Column> static void each(D& d, Column& column) {
        percentCharge(column, "PRECO", d.PRECO);
        percentCharge(column, "QTD", d.QTD);
    }
};

template <> struct Columns<OrcamTot> {
    static constexpr const char* table = "ORCAMTOT";
    template <class T, class Column> static void each(T& t, Column& column) {
        levels(column, "MATERIAIS", t.MATERIAIS);
        levels(column, "TRANSFORM", t.TRANSFORM);
        levels(column, "CUSTFIXOS", t.CUSTFIXOS);
        levels(column, "SUBCONT", t.SUBCONT);
        levels(column, "DESPERDIC", t.DESPERDIC);
        levels(column, "QUALIDADE", t.QUALIDADE);
        levels(column, "ESTRUTURA", t.ESTRUTURA);
        levels(column, "EMBALAGEM", t.EMBALAGEM);
        levels(column, "COMISSOES", t.COMISSOES);
        levels(column, "TRANSPORT", t.TRANSPORT);
        levels(column, "CONDPAGAM", t.CONDPAGAM);
        levels(column, "DESCONTOS", t.DESCONTOS);
        levels(column, "MARGEMLIQ", t.MARGEMLIQ);
        levels(column, "MARGEMPRC", t.MARGEMPRC);
    }
};

} // namespace

template <class Record> QVariantMap values(const Record& r) {
    QVariantMap out;
    Writer writer{QString::fromLatin1(Columns<Record>::table), out};
    Columns<Record>::each(r, writer);
    return out;
}

template <class Record> void read(const QVariantMap& row, Record& r) {
    Reader reader{row};
    Columns<Record>::each(r, reader);
}

template QVariantMap values(const OrcamMas&);
template QVariantMap values(const OrcamCom&);
template QVariantMap values(const OrcamTransp&);
template QVariantMap values(const OrcamCndPgt&);
template QVariantMap values(const OrcamDesc&);
template QVariantMap values(const OrcamTot&);
template void read(const QVariantMap&, OrcamMas&);
template void read(const QVariantMap&, OrcamCom&);
template void read(const QVariantMap&, OrcamTransp&);
template void read(const QVariantMap&, OrcamCndPgt&);
template void read(const QVariantMap&, OrcamDesc&);
template void read(const QVariantMap&, OrcamTot&);

} // namespace corvane::quotation::rows
