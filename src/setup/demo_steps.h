#pragma once

// The step screens of a technical sheet run without windows, as a user
// would run them: the sheet screen opened on the stored sheet, a step button
// pressed, the step screen's logic opened, its machines ticked, its minutes,
// modes, yarns and material typed through the handlers its window calls, and
// "&Terminar" / "&Gravar". Every question is answered yes; a refused input or
// a refused closing stops with what the screens said.
#include "db/database.h"
#include "shell/data_modules.h"
#include "techsheet/screens/sheet_fields.h"
#include "techsheet/screens/sheet_screen.h"
#include "techsheet/store/sheet_store.h"

#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

namespace corvane::setup {

// The view of a sheet and its step screens with nobody in front of them:
// every question answered yes, the messages, questions and beeps recorded.
class AnsweringView : public techsheet::SheetView {
public:
    void beep() override { ++beeps; }
    void message(const QString& text) override { messages << text; }
    bool confirm(const QString& text) override {
        questions << text;
        return true;
    }
    void focusField(const QString&) override {}
    void statusText(int, const QString&) override {}
    void selectPage(const QString&) override {}
    void refresh() override {}
    void clear() {
        messages.clear();
        questions.clear();
        beeps = 0;
    }

    QStringList messages;
    QStringList questions;
    int beeps = 0;
};

// A machine ticked on a step's grid and what is typed in its time column
// (its mode "1" or "2" on the ultrasound cut).
struct TickedMachine {
    QString code;
    QString typed;
};

// The material of a one-material step: its type and code, and the quantity
// typed when the step does not give one.
struct StepMaterial {
    int type = 0;
    QString code;
    QString quantity;
};

// A yarn row of the knitting step: its share of the piece's weight (%).
struct KnittedYarn {
    QString percent;
    QString code;
    QString gradation;
};

// A weft needle's passages or a warp colour's threads, and its yarn.
struct WovenYarn {
    QString count;
    QString code;
};

// An ink of the printing step typed over what the printer proposes: its
// code and its share of the printed area (%).
struct PrintedInk {
    QString code;
    QString percent;
};

// The fabric of a printed scarf: its code, the width typed when the article
// has none (metres), the fitting ("C" or "L") and the pieces.
struct ClothLayout {
    QString code;
    QString width;
    QString fitting;
    QString pieces;
};

// An operation ticked on an operation step: the first whose designation
// contains `match` (the first of all when empty), with the typed time.
struct TickedOperation {
    QString match;
    QString typed;
};

// A material sent with a subcontracted service: its type, code and quantity.
struct SentMaterial {
    int type = 0;
    QString code;
    QString quantity;
};

class SheetStepRunner {
public:
    SheetStepRunner(db::Database& corvane, db::Database& factura, QString user);
    ~SheetStepRunner();

    // Opens the sheet screen on the article's stored sheet. False with the reason.
    bool open(const QString& article, QString* error);
    const techsheet::TechSheetContext& context() const { return ctx_; }
    // The sheet screen opened last (null before `open`).
    const techsheet::SheetScreen* screen() const { return screen_.get(); }

    // Presses the step button of `role` on the sheet's page; the button must
    // open the `expected` screen. Then constructs `Step` over the prepared
    // context, opens it, lets `enter` type into it (false: an input was
    // refused) and finishes it unless it already wrote its lines (a question
    // "Deseja Gravar ?" answered yes). False with what the screens said.
    template <typename Step>
    bool run(techsheet::StepRole role, techsheet::StepScreen expected,
             const std::function<bool(Step&)>& enter, QString* error) {
        if (!press(role, expected, error))
            return false;
        Step step(ctx_, data_, factura_, user_, view_);
        if (!step.open())
            return failed(QStringLiteral("não abriu"), error);
        if (enter && !enter(step))
            return failed(QStringLiteral("recusou o que foi digitado"), error);
        if (!step.written() && !step.finish())
            return failed(QStringLiteral("não terminou"), error);
        if (role == techsheet::StepRole::Weaving)
            screen_->weavingClosed();
        if (role == techsheet::StepRole::Fabric)
            return fabricClosed(error);
        return true;
    }
    // "&Gravar" on the sheet: the header columns the screen gives for its
    // kind written (after weaving, its raports and strips).
    bool save(QString* error);
    // Clears the user's work rows the step screens filled (nobody sits at them).
    bool close(QString* error);

    // Opens the step of `role` and finishes it without touching anything.
    bool rerun(techsheet::StepRole role, QString* error);

    // The machine steps (side seam, labels, fringe, steaming, linking,
    // embroidery, saw): machines with typed minutes, at most one material.
    bool machineStep(techsheet::StepRole role, const QList<TickedMachine>& machines,
                     const std::optional<StepMaterial>& material, QString* error);
    // Ultrasound cutting: machines with their mode.
    bool ultrasound(const QList<TickedMachine>& machines, QString* error);
    // Knitting: the yarns by share of weight, one machine with typed minutes,
    // F12 then "&Gravar".
    bool knitting(const QList<KnittedYarn>& yarns, const TickedMachine& machine, QString* error);
    // Weaving: the weft needles and warp colours, one loom with its mode
    // ("T.P.?"), F12 then "&Gravar".
    bool weaving(const QList<WovenYarn>& weft, const QList<WovenYarn>& warp, const TickedMachine& loom,
                 QString* error);
    // Design, hanger fitting and cardboard labels, with at most one material.
    bool operation(techsheet::StepRole role, const TickedOperation& ticked,
                   const std::optional<StepMaterial>& material, QString* error);
    // Packaging: the type of that code with the materials it proposes.
    bool packaging(int code, const QString& typed, QString* error);
    // Linking or embroidery done by a subcontractor (the page's subcontract
    // flag "S"): the service, its price per piece and the materials sent.
    bool subcontract(techsheet::StepRole role, const QString& service, const QString& price,
                     const QList<SentMaterial>& materials, QString* error);
    // Printing: the printer with its typed minutes, and the inks it proposes
    // (MAQUINASMP) unless `inks` are given.
    bool printing(const TickedMachine& printer, const QList<PrintedInk>& inks, QString* error);
    // The fabric of a printed scarf; its layout goes to the sheet's header.
    bool fabric(const ClothLayout& cloth, QString* error);

    // Row of a grid whose CODIGO is `code`; -1 when none.
    template <typename Row> static int rowOf(const std::vector<Row>& rows, const QString& code) {
        for (std::size_t r = 0; r < rows.size(); ++r)
            if (rows[r].CODIGO.trimmed().compare(code, Qt::CaseInsensitive) == 0)
                return static_cast<int>(r);
        return -1;
    }

private:
    bool press(techsheet::StepRole role, techsheet::StepScreen expected, QString* error);
    // After the fabric step: its layout written into the header at once.
    bool fabricClosed(QString* error);
    // The error of a step that failed: article, button, what failed and what the screens said.
    bool failed(const QString& what, QString* error) const;

    db::Database& factura_;
    QString user_;
    shell::TDTCORVANE data_;
    techsheet::SheetStore store_;
    AnsweringView view_;
    techsheet::TechSheetContext ctx_;
    std::unique_ptr<techsheet::SheetScreen> screen_;
    QString button_; // the step button pressed last
};

} // namespace corvane::setup
