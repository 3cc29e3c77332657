#pragma once

// The weaving step of a high-definition sheet: raports and strips of every
// loom, loom time and cost, weft and warp consumption, and the sheet lines.
#include "sheet_lines.h"
#include "work_rows.h"

#include <array>

namespace corvane::techsheet {

// A weft needle or warp colour: passages (weft) or threads (warp), yarn code.
struct YarnPosition {
    int count = 0;
    QString yarn;
};

// What the weaving step reads from the technical-sheet context, and the layout
// on its weft and warp pages (FICTECFIOS TRn_/TEn_).
struct WeavingInput {
    QString ArticleCode;
    double ArticleWidth = 0;  // cm
    double ArticleLength = 0; // cm
    double ContractionPercent = 0;
    std::array<YarnPosition, 8> weft;
    std::array<YarnPosition, 8> warp;
};

// Raports and strips of the ticked loom, as the sheet keeps them.
struct LoomChoice {
    QString LoomRaports;
    QString LoomStrips;
    int strips = 0;
};

// Computes RAPORT, FITAS, QTD, QTD_SEMACERTO, PRECO and CUSTO of every loom row
// (in the order given, which is code order on the screen). Returns false when
// refused; rows computed before the refusal keep their values.
bool computeLooms(const WeavingInput& input, std::vector<WorkMachineRow>& looms, LoomChoice& choice,
                  Notes& notes);

// Refuses a sheet without weft (no needle with passages): its loom would
// cost its set-up alone. The message names needle 1.
bool checkWeftGiven(const WeavingInput& input, Notes& notes);

// kg per piece of every weft needle with passages, rounded to 8 decimals.
bool computeWeft(const WeavingInput& input, const std::vector<Yarn>& yarns, std::array<double, 8>& kg,
                 Notes& notes);

// kg per piece of every warp colour with threads, rounded to 8 decimals,
// divided by the strips of the one ticked loom.
bool computeWarp(const WeavingInput& input, const std::vector<Yarn>& yarns,
                 const std::vector<WorkMachineRow>& looms, int strips, std::array<double, 8>& kg,
                 Notes& notes);

// The whole computation of the step's "Gravar": looms, weft, warp.
struct WeavingResult {
    LoomChoice choice;
    std::array<double, 8> weftKg{};
    std::array<double, 8> warpKg{};
    Notes notes;
};
WeavingResult computeWeaving(const WeavingInput& input, std::vector<WorkMachineRow>& looms,
                             const std::vector<Yarn>& yarns);

// The cost types the step's lines take (PARGER MAQUINAS_TC and FIOS_TC).
struct WeavingCostTypes {
    int MachineCostType = 0;
    int YarnCostType = 0;
};

// The loom line ("T") of the one ticked loom; refused unless exactly one is
// ticked. A missing machine cost type leaves no line, with its message.
bool weavingLoomLine(const WeavingInput& input, const std::vector<WorkMachineRow>& looms,
                     const CostTypes& costTypes, int machineCostType, int& detail,
                     std::vector<FictecDetLine>& lines, Notes& notes);

// The yarn lines ("G") of the stored layout: needles with passages, then
// colours with threads, `kg` being their stored consumptions.
bool weavingYarnLines(const WeavingInput& layout, const std::array<double, 8>& weftKg,
                      const std::array<double, 8>& warpKg, const std::vector<Yarn>& yarns,
                      const CostTypes& costTypes, int yarnCostType, int& detail,
                      std::vector<FictecDetLine>& lines, Notes& notes);

} // namespace corvane::techsheet
