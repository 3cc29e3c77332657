// Times a full quotation over a technical sheet of 200 lines and the weaving
// step over 50 looms. Run it from a release build (scripts/bench).
#include "quotation/quotation_calc.h"
#include "techsheet/weaving_calc.h"

#include <chrono>
#include <cstdio>

using namespace corvane;

namespace {

volatile double g_sink = 0;

template <typename F> void measure(const char* name, int iterations, F&& run) {
    for (int i = 0; i < iterations / 10; ++i)
        run(); // warm-up
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < iterations; ++i)
        run();
    const std::chrono::duration<double, std::micro> elapsed = std::chrono::steady_clock::now() - start;
    std::printf("%-46s %10.2f us per run (%d runs)\n", name, elapsed.count() / iterations, iterations);
}

void quotationOf200Lines() {
    techsheet::CostTypes types;
    for (int code = 1; code <= 20; ++code)
        types.push_back({code, double(code % 4), (code % 7) + 1});
    std::vector<techsheet::FictecDetLine> sheet(200);
    for (int i = 0; i < 200; ++i) {
        auto& l = sheet[static_cast<std::size_t>(i)];
        l.TIPO = i % 21 + 1; // one code in 21 is unknown
        l.VALOR = 0.01 * (i + 1);
        l.PRECO = 0.2;
        l.QUANT = 10;
        l.TMPACE = 5;
        l.TMP_SEMACERTO = 0.5;
    }
    measure("quotation: build-up, calculation, totals (200)", 20000, [&] {
        quotation::Quotation q;
        q.mas.QUANT = {100, 500, 1000};
        q.mas.MARGEMLIQ = 20;
        q.com.VND.PERC = 5;
        q.transp.METEXP.VALFIXO = 40;
        q.cndpgt.PRZ.PERC = 2;
        techsheet::Notes notes;
        const auto unit = quotation::buildUnitCosts(sheet, types, q.mas.QUANT, notes);
        quotation::LevelValues values;
        quotation::calculateQuotation(q, unit, values, notes);
        g_sink = g_sink + quotation::closingTotals(values, 2).MARGEMLIQ[2];
    });
}

void weavingOf50Looms() {
    techsheet::WeavingInput in;
    in.ArticleCode = "CA0001";
    in.ArticleWidth = 30;
    in.ArticleLength = 160;
    in.ContractionPercent = 10;
    const std::vector<techsheet::Yarn> yarns = {{"FIO30", "Fio", "KG", 30, 10},
                                                {"FIO40", "Fio", "KG", 40, 12}};
    for (std::size_t i = 0; i < 8; ++i) {
        in.weft[i] = {int(40 + 10 * i), i % 2 ? "FIO30" : "FIO40"};
        in.warp[i] = {int(100 + 20 * i), i % 2 ? "FIO40" : "FIO30"};
    }
    std::vector<techsheet::WorkMachineRow> looms(50);
    for (std::size_t i = 0; i < looms.size(); ++i) {
        auto& r = looms[i];
        r.CODIGO = QString("TEAR%1").arg(i, 2, 10, QLatin1Char('0'));
        r.LARGURA = 1800;
        r.LARG_RAPORT = 600;
        r.PRODUCAO1 = 300 + double(i);
        r.ACERTO1 = 15;
        r.CUSTOPADRAO = 0.5;
        r.OK = i == 17 ? "S" : "N";
    }
    const techsheet::CostTypes types = {{3, 5, 1}, {7, 10, 2}};
    measure("weave: looms, weft, warp, lines (50 looms)", 20000, [&] {
        auto rows = looms;
        auto result = techsheet::computeWeaving(in, rows, yarns);
        std::vector<techsheet::FictecDetLine> lines;
        int detail = 1;
        techsheet::weavingLoomLine(in, rows, types, 7, detail, lines, result.notes);
        techsheet::weavingYarnLines(in, result.weftKg, result.warpKg, yarns, types, 3, detail, lines,
                                    result.notes);
        g_sink = g_sink + lines.back().VALOR_FINAL;
    });
}

} // namespace

int main() {
    quotationOf200Lines();
    weavingOf50Looms();
    return 0;
}
