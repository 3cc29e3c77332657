#pragma once

// The quotations of the program database: the master row ORCAMMAS and its
// satellites ORCAMCOM, ORCAMTRANSP, ORCAMCNDPGT, ORCAMDESC and ORCAMTOT, all
// keyed by the quotation number ORCNRO; the numbering counters of the five
// series (PARGER CODIGO 1, ORCAMNRO1..5); the price chart's slices (SALDOS).
//
// How the quotation screen uses it:
//   series entered        proposeNumber(series)
//   number left           enter(series, number, date, proposed) — opens the
//                         quotation, creates it (its master row claims the
//                         number; rows a vanished quotation of the number
//                         left go) or refuses it; a proposal taken meanwhile
//                         answers with the next free number
//   customer left         setCustomer(number, customer, name,
//                         CustomerStore::satellites())
//   after a calculation   save(record)
//   closing confirmed     close(series, record, closingTotals(...))
//   "&Cancelar"           cancel(number, the record as opened, or nullopt
//                         for a new quotation)
//   "&Eliminar"           remove(number), then lastNumber()
//   price chart           writePriceChart(user, priceChartSlices(...))
//
// Every write is one transaction with bound parameters: on failure nothing
// changes and *error holds the server's message (or the refusal's). Writes
// refuse a quotation approved meanwhile with kApprovedMessage, checked in
// the transaction; they never write the approval and ordering columns
// (APROVADO, DATAAPROV, PRECOAPROV, VALORAPROV, QTDAPROV, MARGEMAPROVPRC,
// MARGEMAPROVVAL, ENCANO, ENCSEMANA, ENCCNRO), which belong to the approval
// made outside this program.
#include "db/database.h"
#include "quotation/price_chart.h"
#include "quotation/quotation_calc.h"
#include "quotation/quotation_defaults.h"

#include <optional>

namespace corvane::quotation {

inline const QString kApprovedMessage = QStringLiteral("Este Orçamento já foi Aprovado");
inline const QString kSeriesMessage = QStringLiteral("INSIRA O Nº DA SÉRIE DE ORÇAMENTOS DE 1 A 5 !!!");
inline const QString kNoParametersMessage = QStringLiteral("Parâmetros Gerais Inexistentes");
// The program key of the quotation screen's rows in SALDOS.
inline const QString kPriceChartProgram = QStringLiteral("CORVP040");
constexpr int kSeriesCount = 5;

// The six rows of one quotation as stored. The satellites are there once the
// customer has been entered, ORCAMTOT once the quotation has been closed.
struct QuotationRecord {
    OrcamMas mas;
    std::optional<OrcamCom> com;
    std::optional<OrcamTransp> transp;
    std::optional<OrcamCndPgt> cndpgt;
    std::optional<OrcamDesc> desc;
    std::optional<OrcamTot> tot;
};

// A row read as a column map (Database::firstRow) taken as the master row,
// or as the totals (all 0 for an empty map).
OrcamMas masterOfRow(const QVariantMap& row);
OrcamTot totalsOfRow(const QVariantMap& row);

// What entering a number led to.
struct Entry {
    enum class Outcome {
        Failed,   // message: the server's message
        Created,  // a new quotation: its master row now holds the number
        Opened,   // an existing quotation, in record
        Approved, // an approved quotation: refused with kApprovedMessage
        Taken,    // the proposal was taken meanwhile: proposal is the next free number
    };
    Outcome outcome = Outcome::Failed;
    QuotationRecord record;
    int proposal = 0;
    QString message;
};

class QuotationStore {
public:
    explicit QuotationStore(db::Database& corvane) : db_(&corvane) {}

    // The counter column of a series (ORCAMNRO1..ORCAMNRO5), from a fixed
    // list; empty for a series outside 1..5.
    static QString counterColumn(int series);
    // PARGER.ORCAMNRO<series> (0 when empty); kNoParametersMessage without the row.
    std::optional<int> counter(int series, QString* error = nullptr);
    // The first number above the series' counter that no quotation has.
    std::optional<int> proposeNumber(int series, QString* error = nullptr);

    // The quotation's rows; "Registo não Existe " + number when it has none.
    std::optional<QuotationRecord> read(int number, QString* error = nullptr);
    // The greatest quotation number (0 when there is none).
    std::optional<int> lastNumber(QString* error = nullptr);

    // The name under which a program run claims the quotation for changing
    // it (db::DocumentClaims): numbers are unique across the series.
    static QString documentName(int number) { return QStringLiteral("ORCAMENTO:%1").arg(number); }

    // A number entered in a series. An existing quotation is opened (or
    // refused when approved); a number that has none gets its master row
    // (DATAEMI `issued`, DESENHO "S", APROVADO "N", PRINTE "N", MANUAL_AUTO
    // "M", TIPOFT "P"), which claims the number. `proposed` says the number
    // is the series' proposal: when another user took it meanwhile the answer
    // is Taken with the next free number, rather than that user's quotation.
    // Two users entering one number at once: one creates, the other opens
    // (or is told it was taken).
    Entry enter(int series, int number, const QDateTime& issued, bool proposed);

    // The satellite rows the quotation lacks, inserted from `defaults`; the
    // rows it has stay as they are.
    bool addSatellites(int number, const Satellites& defaults, QString* error = nullptr);
    // The customer accepted: CLINRO and CLINOM of the master row at once
    // (another customer than the stored one removes the totals, as save()).
    // While the quotation has never been calculated (no quantity stored) its
    // four charge rows are replaced by `defaults`; after that only those it
    // lacks are added. Refuses an approved quotation, and one another user
    // deleted with db::kDeletedByOther.
    bool setCustomer(int number, int customer, const QString& name, const Satellites& defaults,
                     QString* error = nullptr);
    // Writes the master row and the satellites the record has. Refuses an
    // approved quotation, and with db::kDeletedByOther one whose master row or
    // a charge row the record has another user deleted. Rows that change
    // lose the quotation's totals: ORCAMTOT is there only while the rows are
    // as they were closed, so that nothing prints totals beside quantities
    // and prices calculated since.
    bool save(const QuotationRecord& record, QString* error = nullptr);
    // Closing: the master row and satellites as save(), the totals (ORCAMTOT
    // inserted or updated) and the series' counter raised to the number when
    // it is lower, and what it was costed on (ORCAMCUSTO: the sheet's cost a
    // piece and its unit costs at the quotation's quantities, with the date)
    // — all or nothing. kNoParametersMessage without PARGER's row.
    bool close(int series, const QuotationRecord& record, const OrcamTot& totals, QString* error = nullptr);
    // Deletes the six rows of the quotation (a missing ORCAMTOT is no
    // failure); refuses an approved one, and one already gone with
    // db::kDeletedByOther.
    bool remove(int number, QString* error = nullptr);
    // "&Cancelar": a new quotation (`asOpened` empty) loses all its rows; an
    // existing one gets back the rows it had when it was opened (satellites
    // it did not have go; its totals, when it had them). Refuses an approved one, and one gone with
    // db::kDeletedByOther.
    bool cancel(int number, const std::optional<QuotationRecord>& asOpened, QString* error = nullptr);

    // The user's price-chart slices (SALDOS under kPriceChartProgram),
    // replaced as a whole in one transaction; other users' rows stay.
    bool writePriceChart(const QString& user, const QList<ChartSlice>& slices, QString* error = nullptr);
    std::optional<QList<ChartSlice>> priceChart(const QString& user, QString* error = nullptr);

private:
    bool lockNumber(int number, QString* error);
    // In the caller's transaction: the master row's approval, nullopt when
    // it does not exist.
    std::optional<std::optional<bool>> approvedIn(int number, QString* error);
    bool refuseApproved(int number, QString* error);
    bool writeRows(const QuotationRecord& record, QString* error);
    std::optional<bool> storedAs(const QuotationRecord& record, QString* error);
    bool deleteTotals(int number, QString* error);
    bool putCostSnapshot(const OrcamMas& mas, QString* error);
    bool deleteRows(int number, QString* error);

    db::Database* db_;
};

// The sheet a quotation costs: the article's lines (FICTECDET for a product
// "P", O_FICTECDET for a technical product record "T") in RELACFICTEC order
// and the sheet's kind (FICTECMAS.TIPOFICTEC, O_FICTECMAS.TIPOFICTEC).
struct QuotedSheet {
    QString kind;
    std::vector<FictecDetLine> rows;
};
std::optional<QuotedSheet> quotedSheet(db::Database& corvane, const QString& article, const QString& tipoft,
                                       QString* error = nullptr);
// The designation of a technical product record (O_ARTIGOSCLS); an empty
// inner value when there is none.
std::optional<std::optional<QString>> recordArticle(db::Database& corvane, const QString& code,
                                                    QString* error = nullptr);
// Whether the article has a technical sheet (FICTECMAS).
std::optional<bool> hasSheet(db::Database& corvane, const QString& article, QString* error = nullptr);
// The cost types (TIPOCUSTO: CODIGO, DESPERD, CLAS_ORC).
std::optional<CostTypes> readCostTypes(db::Database& corvane, QString* error = nullptr);
// The unit cost build-up of a quotation from the article's sheet and the
// cost types (buildUnitCosts with the sheet's kind); its messages in `notes`.
std::optional<UnitCosts> sheetUnitCosts(db::Database& corvane, const QString& article, const QString& tipoft,
                                        const Levels& quantities, Notes& notes, QString* error = nullptr);

} // namespace corvane::quotation
