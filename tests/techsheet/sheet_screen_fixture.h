#pragma once

// The technical-sheet screen's logic over a recording view, with the
// parameters and work types of a small site and a header with every flag on.
#include "support/recording_view.h"
#include "techsheet/screens/sheet_screen.h"

#include <QtTest>

namespace corvane::techsheet {

struct SheetRecordingView : RecordingPagedView<SheetView> {
    void clear() {
        messages.clear();
        focus.clear();
        beeps = 0;
    }
};

inline SheetReference reference() {
    SheetParameters p = SheetParameters::fromRow({{"DESP_GERAL", 3.5},
                                                  {"FIOS_TC", 11},
                                                  {"TINTAS_TC", 12},
                                                  {"ETIQ_TC", 13},
                                                  {"ETIQCART_TC", 14},
                                                  {"CABIDE_TC", 15},
                                                  {"FRANJA_TC", 16},
                                                  {"MAQUINAS_TC", 17},
                                                  {"TECIDO_TC", 18}});
    return {p, {{1, "Jacquard", 18}, {2, "Liso", 24}}};
}

// An open screen over an article 30 cm wide.
struct Sheet {
    TechSheetContext ctx;
    SheetRecordingView view;
    SheetScreen screen{ctx, view};

    explicit Sheet(const QVariantMap& header = {}, bool hasLines = false, double width = 30) {
        ctx.ArticleCode = "ART-1";
        ctx.ArticleWidth = width;
        ctx.ArticleLength = 180;
        if (!screen.activate(reference(), header, hasLines))
            qFatal("activation failed");
        view.clear();
    }
    // Types into an input and leaves it.
    bool type(const QString& input, const QString& text) {
        screen.setText(input, text);
        return screen.fieldExit(input);
    }
    // Typing and leaving every input given, in order; each must be accepted.
    void fill(const QList<std::pair<QString, QString>>& inputs) {
        for (const auto& [input, text] : inputs)
            if (!type(input, text))
                qFatal("input refused: %s", qPrintable(input));
    }
};

inline QVariantMap fullHeader(const QString& kind) {
    return {{"CODIGO", "ART-1"},
            {"TIPOFICTEC", kind},
            {"TIPOTRABALHO", 2},
            {"NROPASSAG", 24},
            {"FITAS", 3},
            {"RAPORT", 4},
            {"TMPDESENHO", 9},
            {"TMPCABIDE", 6},
            {"DESPERD", 2.5},
            {"CORTEULTRA", "S"},
            {"COSTURA", "S"},
            {"FRANJA", "S"},
            {"LARG_FRANJA", 80.0},
            {"ETIQUETA", "S"},
            {"CABIDE", "S"},
            {"REF_INFORMAT", "REF 9"},
            {"PESOKGS", 0.3},
            {"PESOAMOSTRA", 25.0},
            {"NRPASSADAS", 2},
            {"VELOCID_CARRO", 1.2},
            {"VELOCID_TIRAGEM", 0.8},
            {"RESOLUCAO", "600"},
            {"REMALHA", "S"},
            {"VAPORIZA", "S"},
            {"SUPIMPR", 60.0},
            {"SUBCONTRATO", "N"},
            {"BORDADO", "S"},
            {"ETIQ_CARTOLINA", "S"},
            {"TECIDO", "TEC-1"},
            {"LARG_TECIDO", 150.0},
            {"PECAS_TECIDO", 5},
            {"EMBALAGEM", "S"},
            {"ENQ_TECIDO", "S"},
            {"MTL_TECIDO", 1.25},
            {"SUBCONT_BORDADO", "S"},
            {"CONTRACOES", 7.5}};
}

// Keys and values exactly; a missing or extra column is reported by name.
inline void compareColumns(const QVariantMap& actual, const QVariantMap& expected) {
    QCOMPARE(actual.keys(), expected.keys());
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        const QVariant a = actual.value(it.key());
        if (a != it.value() || a.toString() != it.value().toString())
            QFAIL(qPrintable(
                QString("%1: %2, expected %3").arg(it.key(), a.toString(), it.value().toString())));
    }
}

} // namespace corvane::techsheet
