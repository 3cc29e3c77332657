// Typing into the article inputs and the checks run when they are left.
#include "article_screen.h"

#include "articles/store/article_tables.h"
#include "screens/field_input.h"

namespace corvane::articles {

// ---- typing and checks ----------------------------------------------------

void ArticleScreen::setText(const QString& input, const QString& text) {
    texts_.insert(input, text);
    if (input == kDesignInput || input == kDesign2Input)
        describe(input);
}

void ArticleScreen::fieldEnter(const QString& input) {
    if (const ArticleField* f = articleField(input); f && !f->rule.hint.isEmpty())
        view_.statusText(0, f->rule.hint);
    if (input.startsWith(QLatin1String("Edit_Custom")))
        level_ = input.mid(11).toInt();
    if (input == QLatin1String("Edit_VosRef")) {
        buttons_.satellitesEnabled = false;
        view_.refresh();
    }
}

bool ArticleScreen::refuse(const QString& input, const QString& message, bool beep) {
    if (beep)
        view_.beep();
    if (!message.isEmpty())
        view_.message(message);
    view_.focusField(input);
    return false;
}

bool ArticleScreen::pageSelected(const QString& page) {
    if (page == kPageStocks && !stocks_) {
        selectPage(kPageSpecifics);
        return false;
    }
    if (page == kPageSpecifics)
        describe(QStringLiteral("Edit_Composicao"));
    else if (page == kPageClassification) {
        group_ = groupOfType(texts_.value(QStringLiteral("Edit_TipoArtigo")));
        layOutLevels();
        for (int n = 1; n <= 9; ++n)
            lookUpLevel(n);
    } else if (page == kPageInvoicing)
        describe(QStringLiteral("Edit_Codiva"));
    view_.refresh();
    return true;
}

bool ArticleScreen::fieldExit(const QString& input, const QString& text) {
    texts_.insert(input, text);
    if (!handlers_ || (mode_ != ArticleMode::Inserting && mode_ != ArticleMode::Changing))
        return true;
    const bool ok = checkField(input, text);
    view_.refresh();
    return ok;
}

bool ArticleScreen::leaving() {
    const bool working = mode_ == ArticleMode::Inserting || mode_ == ArticleMode::Changing;
    if (!working || texts_ == openedTexts_ || inputsReadOnly())
        return true;
    if (!view_.confirm(kAbandonQuestion))
        return false;
    cancel();
    return true;
}

bool ArticleScreen::codeExit(const QString& text) {
    buttons_.deleteEnabled = false;
    const QString code = text.trimmed();
    if (code.isEmpty()) {
        view_.beep();
        view_.message(QStringLiteral("Artigo Inválido ... <Enter>"));
        cancel();
        return true;
    }
    if (code.size() > 16)
        return refuse(kCodeInput, QStringLiteral("o Nº de dígitos do Código não pode ultrapassar os 16"));
    QString error;
    const std::optional<bool> exists = store_.codeExists(code, &error);
    if (!exists)
        return refuse(kCodeInput, error, false);
    if (*exists) {
        view_.beep();
        view_.message(QStringLiteral("Artigo Já foi Aberto ... <Enter>"));
        // Back to the list without saving: the inputs hold the new article,
        // not the one the list shows.
        handlers_ = false;
        saveGuard_ = 9;
        mode_ = ArticleMode::Browsing;
        view_.focusField(kList);
        return true;
    }
    code_ = code.toUpper();
    texts_.insert(kCodeInput, code_);
    return true;
}

bool ArticleScreen::lastCaptionedLevel(int level) const {
    for (int n = level + 1; n <= 9; ++n)
        if (levelEnabled(n))
            return false;
    return true;
}

bool ArticleScreen::costCentreCheck(const QString& text) {
    if (!accounting_)
        return true;
    const QString code = text.trimmed();
    if (code.isEmpty()) {
        texts_.insert(kCostCentreName, QString());
        return true;
    }
    if (lookupRow(kCostCentres, QStringLiteral("CODIGO"), code) < 0)
        return refuse(QStringLiteral("Edit_CCusto"), QStringLiteral("CENTRO DE CUSTO INEXISTENTE !!!"));
    describe(QStringLiteral("Edit_CCusto"));
    bool anyLevel = false;
    for (int n = 1; n <= 9; ++n)
        anyLevel = anyLevel || levelEnabled(n);
    if (!anyLevel)
        selectPage(kPageInvoicing);
    return true;
}

bool ArticleScreen::checkField(const QString& input, const QString& text) {
    const ArticleField* field = articleField(input);
    if (!field)
        return true;
    return screens::runFieldCheck(*this, field->rule, field->check, text,
                                  [&](const QString& message) { return refuse(input, message); });
}

bool ArticleScreen::checkCode(const screens::FieldRule&, const QString& text, const QVariant&) {
    return codeExit(text);
}

bool ArticleScreen::checkDesignation(const screens::FieldRule& rule, const QString& text, const QVariant&) {
    const QString& input = rule.input;
    if (text.size() > kDesignWidth) {
        view_.beep();
        view_.message(QStringLiteral("Excedeu o tamanho de Designação ... [40 caracteres] ..."));
        texts_.insert(input, text.left(kDesignWidth));
    }
    describe(input);
    if (input == kDesignInput && text.trimmed().isEmpty())
        return refuse(input, QString());
    return true;
}

bool ArticleScreen::checkArticleType(const screens::FieldRule& rule, const QString& text, const QVariant&) {
    const QString t = text.trimmed();
    if (articleTypeCaption(t).isEmpty())
        return refuse(rule.input, QStringLiteral("Digite de [1...11] o Tipo de Artigo ..."));
    texts_.insert(rule.input, QString::number(t.toInt()));
    group_ = groupOfType(t);
    layOutLevels();
    for (int n = 1; n <= 9; ++n)
        lookUpLevel(n);
    return true;
}

bool ArticleScreen::checkDiscontinued(const screens::FieldRule& rule, const QString& text, const QVariant&) {
    const QString t = text.trimmed().toUpper();
    if (t != QLatin1String("S") && t != QLatin1String("N"))
        return refuse(rule.input, QStringLiteral("DIGITE [S] ou [N]"));
    texts_.insert(rule.input, t);
    selectPage(kPageSpecifics);
    return true;
}

bool ArticleScreen::checkTariff(const screens::FieldRule& rule, const QString& text, const QVariant&) {
    const QString t = text.trimmed();
    if (!t.isEmpty() && lookupRow(kTariffs, QStringLiteral("CODIGO"), t) < 0)
        return refuse(rule.input, QStringLiteral("Posição Pautal Inválida ..."));
    return true;
}

bool ArticleScreen::checkMaterialType(const screens::FieldRule& rule, const QString& text,
                                      const QVariant& value) {
    const QString t = text.trimmed();
    if (!t.isEmpty() && t != QLatin1String("0") &&
        lookupRow(kMaterialTypes, QStringLiteral("CODIGO"), value) < 0)
        return refuse(rule.input, QStringLiteral("Tipo de Material Inexistente ..."), false);
    describe(rule.input);
    return true;
}

bool ArticleScreen::checkComposition(const screens::FieldRule& rule, const QString& text,
                                     const QVariant& value) {
    const QString t = text.trimmed();
    if (!t.isEmpty() && t != QLatin1String("0") &&
        lookupRow(kCompositions, QStringLiteral("CODIGO"), value) < 0)
        return refuse(rule.input, QStringLiteral("Composição Inexistente!!!"));
    describe(rule.input);
    selectPage(kPageClassification);
    return true;
}

bool ArticleScreen::checkFamily(const screens::FieldRule& rule, const QString& text, const QVariant&) {
    const int row = lookupRow(kFamilies, QStringLiteral("FAMILIA"), text.trimmed());
    if (row < 0) {
        selectPage(kPageClassification);
        return refuse(rule.input, QStringLiteral("Família Inexistente ..."));
    }
    if (!accounting_)
        return true;
    // The family's cost centre of the article's type.
    const QString type = texts_.value(QStringLiteral("Edit_TipoArtigo")).trimmed();
    QString column;
    if (type == QLatin1String("1") || type == QLatin1String("4"))
        column = QStringLiteral("CCUSTO");
    else if (type == QLatin1String("2"))
        column = QStringLiteral("CCUSTOMERC");
    else if (type == QLatin1String("3") || type == QLatin1String("5"))
        column = QStringLiteral("CCUSTOSERV");
    if (!column.isEmpty())
        texts_.insert(QStringLiteral("Edit_CCusto"), lookups_.value(kFamilies)->text(row, column).trimmed());
    if (!costCentreCheck(texts_.value(QStringLiteral("Edit_CCusto"))))
        selectPage(kPageClassification); // the focus went to the cost centre
    return true;
}

bool ArticleScreen::checkCostCentre(const screens::FieldRule&, const QString& text, const QVariant&) {
    return costCentreCheck(text);
}

bool ArticleScreen::checkLevel(const screens::FieldRule& rule, const QString&, const QVariant&) {
    const int level = rule.column.mid(QStringLiteral("CUSTOM").size()).toInt(); // CUSTOM1 .. CUSTOM9
    lookUpLevel(level);
    if (lastCaptionedLevel(level))
        selectPage(kPageInvoicing);
    return true;
}

bool ArticleScreen::checkVat(const screens::FieldRule& rule, const QString&, const QVariant& value) {
    if (lookupRow(kVat, QStringLiteral("CODIGO"), value) < 0) {
        texts_.insert(rule.input, QString());
        texts_.insert(kVatRate, QString());
        return refuse(rule.input, QStringLiteral("Código de I.V.A. Inexistente ..."));
    }
    describe(rule.input);
    return true;
}

bool ArticleScreen::checkCommission(const screens::FieldRule& rule, const QString& text,
                                    const QVariant& value) {
    const QString t = text.trimmed();
    if (t.isEmpty() || t == QLatin1String("0")) {
        texts_.insert(kCommissionRate, QString());
        selectPage(kPageStocks);
        return true;
    }
    if (lookupRow(kCommissions, QStringLiteral("CODIGO"), value) < 0) {
        texts_.insert(kCommissionRate, QString());
        return refuse(rule.input, QStringLiteral("Comissão Inexistente ..."));
    }
    describe(rule.input);
    selectPage(kPageStocks);
    return true;
}

bool ArticleScreen::checkSalesUnit(const screens::FieldRule&, const QString& text, const QVariant&) {
    // A new article buys and converts in the unit it sells in, until told otherwise.
    if (mode_ == ArticleMode::Inserting) {
        texts_.insert(QStringLiteral("Edit_UnCompra"), text);
        texts_.insert(QStringLiteral("Edit_UnConv"), text);
    }
    return true;
}

} // namespace corvane::articles
