#pragma once

// The weaving step of a woven scarf (TCORVF035FIOS_CA): up to eight weft
// needles and eight warp colours, one loom. F12 computes the raports and
// strips of every loom, the loom time and the yarn consumption, and stores
// the layout (FICTECFIOS). "&Gravar" computes again and writes the layout,
// the loom line ("T") and the yarn lines ("G") in one transaction, only once
// every check has passed; "&Cancelar" rebuilds only the yarn lines from the
// stored layout.
#include "techsheet/steps/step_inputs.h"
#include "techsheet/steps/step_screen.h"
#include "techsheet/steps/yarn_lists.h"
#include "techsheet/weaving_calc.h"

#include <array>

namespace corvane::techsheet {

class WeavingStep : public StepScreenBase {
public:
    static constexpr int kPositions = 8;
    enum class Side { Weft, Warp };
    // The notebook's pages: "<F1> - Teares", "<F2> - Trama", "<F3> - Teia".
    enum class Page { Looms, Weft, Warp };

    // A weft needle or warp colour as the screen shows it.
    struct PositionView {
        QString designation;
        double count = 0; // NEFIO, "Nm"
        double kg = 0;    // "Consumo Kgs"
        bool enabled = false;
    };

    WeavingStep(TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura, QString user,
                ScreenView& view);

    QString caption() const override { return QStringLiteral("Tecelagem ( Alta Def./100%Acr. )"); }

    // Opening: the stored layout, the looms (machine groups of type 4) in the
    // user's work rows, the loom in use ticked with its time and mode.
    bool open() override;

    // Needle or colour n (1 to 8).
    const YarnPosition& position(Side side, int n) const;
    const PositionView& positionView(Side side, int n) const;
    double totalKg(Side side) const;

    // The inputs of needle or colour n (FICTECFIOS): the weft passages
    // (TRn_PASSAGENS) or warp threads (TEn_NROFIOS), and the yarn (TRn_REFFIO,
    // TEn_REFFIO), looked up among the yarns.
    StepInput countInput(Side side, int n);
    StepInput yarnInput(Side side, int n);
    QList<StepInput> inputs() override;

    // Entering the passages (threads) field enables the code field; leaving
    // it empty or 0 clears and disables it. False takes the focus back.
    void countEntered(Side side, int n);
    bool countLeft(Side side, int n, const QString& typed);
    bool yarnLeft(Side side, int n, const QString& typed);
    bool yarnChosen(Side side, int n, const QString& code) { return yarnLeft(side, n, code); }

    db::Dataset& yarnsByCode() { return yarns_.byCode(); }
    db::Dataset& yarnsByName() { return yarns_.byName(); }
    QList<db::Dataset*> lookupDatasets() override { return {&yarns_.byCode(), &yarns_.byName()}; }

    // The grid DBGrid1 over the looms.
    const std::vector<WorkMachineRow>& looms() const { return looms_; }
    void okLeft(int row, bool ticked);
    // "T.P.?": 1 or 2.
    bool modeLeft(int row, const QString& typed);
    void sortBy(const QString& column) override;
    bool gridLeft() override;

    // F12 "Gravar": raports, strips, loom times and consumptions computed and
    // shown, the layout stored. A refusal stops with its message; what was
    // computed before stays on screen and nothing is stored.
    bool compute();
    // The page a refused computation showed last.
    Page page() const { return page_; }
    // Delete "Eliminar": the stored layout deleted once confirmed.
    bool deleteLayout();
    // "&Gravar": true when the layout and the lines were written.
    bool finishStep() override;
    // "&Cancelar": the yarn lines rebuilt from the stored layout; the loom
    // line, the layout and the sheet's raports and strips stay.
    void cancel() override;

    static QString countField(Side side, int n);
    static QString yarnField(Side side, int n);

private:
    YarnPosition& at(Side side, int n);
    PositionView& viewAt(Side side, int n);
    void showYarn(Side side, int n);
    bool readLooms(QString* error);
    // Steps of F12; false when refused (messages shown). `kept` receives the
    // consumptions when every step passed.
    bool computeAll(std::array<double, 8>& weftKg, std::array<double, 8>& warpKg);
    QVariantMap layoutColumns(const std::array<double, 8>& weftKg, const std::array<double, 8>& warpKg) const;
    bool anyWeftYarn() const;
    // The yarn lines of a layout row as FICTECFIOS holds it; false when a
    // check refused (messages shown).
    bool yarnLinesOf(const QVariantMap& layout, const CostTypes& costTypes,
                     std::vector<FictecDetLine>& lines);
    void notFilled();

    YarnLists yarns_;
    std::vector<WorkMachineRow> looms_;
    WeavingInput input_;
    std::array<PositionView, kPositions> weftViews_;
    std::array<PositionView, kPositions> warpViews_;
    Page page_ = Page::Looms;
};

} // namespace corvane::techsheet
