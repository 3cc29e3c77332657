// The page " Geral " of the article window with its inputs, and the row of buttons beside them.
#include "article_form.h"

#include "articles/store/article_tables.h"
#include "components/form_conventions.h"
#include "components/lookup_dialog.h"
#include "db/dataset_model.h"
#include "screens/ui/field_widgets.h"

#include <QAction>
#include <QEvent>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace corvane::articles {

QWidget* TCORVF035::buildGeneral() {
    auto* w = new QWidget(this);
    auto* col = new QVBoxLayout(w);
    auto* top = new QHBoxLayout;
    auto* form = new QFormLayout;
    auto row = [&](QFormLayout* layout, const QString& input, QList<QWidget*> beside = {}) {
        const ArticleField* f = articleField(input);
        QWidget* parent = layout->parentWidget() ? layout->parentWidget() : w;
        auto* caption = new QLabel(f ? f->rule.label : QString(), parent);
        caption->setObjectName(QStringLiteral("Caption_") + input.section(QLatin1Char('_'), 1));
        auto* line = new QHBoxLayout;
        QLineEdit* edit = addInput(input, parent);
        caption->setBuddy(edit);
        line->addWidget(edit);
        if (f && !f->rule.suffix.isEmpty())
            line->addWidget(new QLabel(f->rule.suffix, parent));
        for (QWidget* b : beside)
            line->addWidget(b);
        line->addStretch(1);
        layout->addRow(caption, line);
    };
    auto tableButton = [this](const char* name, QWidget* parent) {
        auto* b = new QToolButton(parent);
        b->setObjectName(QString::fromLatin1(name));
        b->setText(QStringLiteral("..."));
        b->setFocusPolicy(Qt::NoFocus);
        buttons_.insert(b->objectName(), b);
        return b;
    };
    row(form, QStringLiteral("Edit_TipoArtigo"));
    row(form, QStringLiteral("Edit_VosRef"));
    row(form, QStringLiteral("Edit_PosPautal"), {tableButton("BotPPautal", w)});
    row(form, QStringLiteral("Edit_ArtDescont1"));
    top->addLayout(form, 1);
    // The legend of the article types.
    auto* legend = new QLabel(w);
    legend->setObjectName(QStringLiteral("Panel_TiposArtigo"));
    QStringList lines;
    for (const QString& t : articleTypes())
        lines << QStringLiteral("%1 - %2").arg(t, articleTypeCaption(t));
    legend->setText(lines.join(QLatin1Char('\n')));
    legend->setFrameShape(QFrame::StyledPanel);
    top->addWidget(legend);
    col->addLayout(top);

    NB1 = new QTabWidget(w);
    NB1->setObjectName(QStringLiteral("NB1"));
    QHash<QString, QFormLayout*> pages;
    for (const QString& page : innerPages()) {
        auto* p = new QWidget(NB1);
        pages.insert(page, new QFormLayout(p));
        NB1->addTab(p, page);
    }
    QFormLayout* spec = pages.value(kPageSpecifics);
    row(spec, QStringLiteral("Edit_TipoMat"),
        {addBox(kMaterialName, spec->parentWidget(), 200), tableButton("Bot_TMat", spec->parentWidget())});
    row(spec, QStringLiteral("Edit_FactConv"));
    row(spec, QStringLiteral("Edit_UnConv"));
    {
        auto* caption = new QLabel(QStringLiteral("CxLxA : "), spec->parentWidget());
        auto* line = new QHBoxLayout;
        // Length, width and height in cm under one caption.
        for (const auto& [name, what] :
             {std::pair{"Edit_Compri", "Comprimento"}, std::pair{"Edit_Largur", "Largura"},
              std::pair{"Edit_Altura", "Altura"}}) {
            QLineEdit* edit = addInput(QString::fromLatin1(name), spec->parentWidget());
            edit->setAccessibleName(QStringLiteral("%1 (cm)").arg(QString::fromUtf8(what)));
            line->addWidget(edit);
        }
        line->addWidget(new QLabel(QStringLiteral("(Cms)"), spec->parentWidget()));
        spec->addRow(caption, line);
    }
    row(spec, QStringLiteral("Edit_Peso"));
    row(spec, QStringLiteral("Edit_Volume"));
    row(spec, QStringLiteral("Edit_Composicao"),
        {addBox(kCompositionName, spec->parentWidget(), 200),
         tableButton("BotComposicao", spec->parentWidget())});

    QFormLayout* cls = pages.value(kPageClassification);
    row(cls, QStringLiteral("Edit_Familia"), {tableButton("BotFamilia", cls->parentWidget())});
    row(cls, QStringLiteral("Edit_CCusto"), {addBox(kCostCentreName, cls->parentWidget(), 200)});
    for (int n = 1; n <= 9; ++n) {
        QWidget* parent = cls->parentWidget();
        auto* caption = new QLabel(parent);
        caption->setObjectName(QStringLiteral("LabelArtigo%1").arg(n));
        levelCaptions_.insert(n, caption);
        auto* line = new QHBoxLayout;
        QLineEdit* edit = addInput(levelInput(n), parent);
        caption->setBuddy(edit); // the caption is the level's, set with the article's group
        line->addWidget(edit);
        line->addWidget(addBox(levelNameInput(n), parent, 200));
        line->addWidget(tableButton(qPrintable(QStringLiteral("BotCustom%1").arg(n)), parent));
        line->addStretch(1);
        cls->addRow(caption, line);
    }

    QFormLayout* inv = pages.value(kPageInvoicing);
    for (int n = 1; n <= 4; ++n)
        row(inv, QStringLiteral("Edit_Preco%1").arg(n));
    row(inv, QStringLiteral("Edit_UnVenda"));
    row(inv, QStringLiteral("Edit_Codiva"),
        {addBox(kVatRate, inv->parentWidget(), 60), tableButton("BotIva", inv->parentWidget())});
    row(inv, QStringLiteral("Edit_Comissao"),
        {addBox(kCommissionRate, inv->parentWidget(), 60), tableButton("BotComissao", inv->parentWidget())});

    QFormLayout* stk = pages.value(kPageStocks);
    row(stk, QStringLiteral("Edit_CustoPadrao"));
    row(stk, QStringLiteral("Edit_UnCompra"));
    for (const auto& [name, text] :
         {std::pair{kAverageCost, "Preço Méd.Custo : "}, std::pair{kLastEntryPrice, "Preço Últ. Entrada : "}})
        stk->addRow(new QLabel(QString::fromUtf8(text), stk->parentWidget()),
                    addBox(name, stk->parentWidget()));
    row(stk, QStringLiteral("Edit_PtoEnc"));
    row(stk, QStringLiteral("Edit_StkMin"));
    row(stk, QStringLiteral("Edit_StkMax"));
    row(stk, QStringLiteral("Edit_NeFio"));
    col->addWidget(NB1, 1);

    // The invoicing tables' screens are not in this version.
    for (const char* name :
         {"BotPPautal", "Bot_TMat", "BotComposicao", "BotFamilia", "BotIva", "BotComissao"}) {
        QAbstractButton* b = buttons_.value(QString::fromLatin1(name));
        b->setEnabled(false);
        b->setToolTip(kNotAvailableYet);
    }
    for (int n = 1; n <= 9; ++n) {
        QAbstractButton* b = buttons_.value(QStringLiteral("BotCustom%1").arg(n));
        b->setEnabled(false);
        b->setToolTip(kNotAvailableYet);
    }
    return w;
}

QWidget* TCORVF035::buildButtons() {
    auto* w = new QWidget(this);
    auto* row = new QHBoxLayout(w);
    row->setContentsMargins(0, 0, 0, 0);
    auto add = [&](const char* name, const char* text, const char* hint = "") {
        auto* b = new QPushButton(QString::fromUtf8(text), w);
        b->setObjectName(QString::fromLatin1(name));
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
        if (*hint)
            b->setToolTip(QString::fromUtf8(hint));
        buttons_.insert(b->objectName(), b);
        row->addWidget(b);
        return b;
    };
    connect(add("BotInserir", "&Ins"), &QPushButton::clicked, this,
            [this] { action([this] { logic_->insert(); }); });
    connectDiscarding(add("BotCancelar", "&Canc"), [this] { logic_->cancel(); });
    // Cancel does not close: connectDiscarding closes, so wire it by hand.
    QAbstractButton* cancel = buttons_.value(QStringLiteral("BotCancelar"));
    cancel->disconnect(this);
    connect(cancel, &QPushButton::clicked, this, [this] {
        conventions()->setChecksEnabled(false);
        action([this] { logic_->cancel(); });
        QTimer::singleShot(0, this, [this] { conventions()->setChecksEnabled(true); });
    });
    connect(add("BotDelete", "&Elim"), &QPushButton::clicked, this,
            [this] { action([this] { logic_->remove(); }); });
    connectClosing(add("BitTerminar", "&Term"), [] { return true; });
    QAbstractButton* select = add("BotSelect", "Busca", "Busca por Selecção");
    QAbstractButton* compras = add("BotCompras", "Forns");
    QAbstractButton* sheet = add("BotFicTec", "F.Tec.");
    connect(add("BotExcel", "Excel", "Exportar para Excel"), &QPushButton::clicked, this,
            [this] { exportList(); });
    QAbstractButton* currencies = add("BotDesignMoeda", "&Moedas");
    QAbstractButton* countries = add("BotDesignPais", "&Paises");
    row->addStretch(1);
    const std::pair<QAbstractButton*, const ArticleLinks::Open*> linked[] = {{select, &links_.search},
                                                                             {compras, &links_.suppliers},
                                                                             {sheet, &links_.sheet},
                                                                             {currencies, &links_.currencies},
                                                                             {countries, &links_.countries}};
    for (const auto& [button, open] : linked) {
        if (!*open) {
            button->setEnabled(false);
            button->setToolTip(kNotAvailableYet);
            continue;
        }
        const bool needsSaved = button == currencies || button == countries;
        connect(button, &QAbstractButton::clicked, this, [this, open = open, needsSaved, sheet, button] {
            if (button == sheet && !logic_->sheetAllowed())
                return;
            openLink(*open, needsSaved);
        });
    }
    return w;
}

} // namespace corvane::articles
