#include "tfacfmenu.h"

#include "components/form_conventions.h"
#include "components/upgrade/auto_upgrader.h"
#include "components/upgrade/upgrade_settings.h"
#include "components/window_memory.h"
#include "shell/menu_rights.h"
#include "talterfpass.h"
#include "tupdate_error_form.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace corvane::shell {

namespace {
const QString& kNotYet = kNotAvailableYet;
const QString kMakerAddress = QStringLiteral("www.veltrano.pt");
} // namespace

TFACFMENU::TFACFMENU(Site site, SignOn::Dependencies deps, ScreenTable screens, SiteLog* log, QWidget* parent)
    : QMainWindow(parent), view_(this, QStringLiteral("TFACFMENU"), log), screens_(std::move(screens)),
      log_(log), site_(site) {
    setObjectName(QStringLiteral("FACFMENU"));
    setWindowTitle(QStringLiteral("Corvane e Gorros"));
    logic_ = std::make_unique<MainMenuLogic>(ctx_, view_, std::move(site), std::move(deps));
    buildMenus();
    buildPages();
    view_.setStatusPanels(statusBar(), 2);
    new components::FormConventions(this, &view_);
    updateErrorForm_ = new TUpdateErrorForm(this);

    upgrader_ = new components::TauAutoUpgrader(this);
    upgrader_->ask = [this](const QString& question) { return view_.confirm(question); };
    upgrader_->inform = [this](const QString& text) { view_.message(text); };
    upgrader_->quit = [this] { close(); };
    connect(upgrader_, &components::TauAutoUpgrader::endUpgrade, this, [this](bool&) {
        // AutoUpgraderPro1EndUpgrade: the new version's setup runs without questions.
        upgrader_->setRestartParameters(QStringLiteral("/VerySilent"));
    });
    connect(upgrader_, &components::TauAutoUpgrader::checkFailed, this, &TFACFMENU::upgradeCheckFailed);
    connect(upgrader_, &components::TauAutoUpgrader::newVersionAvailable, this, [this](const QString& v) {
        if (log_)
            log_->write(QStringLiteral("Actualizações"),
                        QStringLiteral("Versão publicada mais recente: ") + v);
    });
    // A check the user asked for says how it ended; the one at start is silent.
    connect(upgrader_, &components::TauAutoUpgrader::upToDate, this, [this](const QString& published) {
        if (std::exchange(manualCheck_, false))
            view_.message(
                QStringLiteral("O programa está actualizado (versão publicada %1).").arg(published));
    });
    connect(upgrader_, &components::TauAutoUpgrader::declined, this, [this] { manualCheck_ = false; });
}

void TFACFMENU::upgradeCheckFailed(const QString& reason) {
    if (log_)
        log_->write(QStringLiteral("Actualizações"),
                    QStringLiteral("Procura de actualizações falhou: ") + reason);
    if (std::exchange(manualCheck_, false))
        view_.message(QStringLiteral("Não foi possível procurar actualizações: ") + reason);
}

bool TFACFMENU::startUpgradeCheck(bool full) {
    if (upgrader_->busy())
        return false;
    // Where the site publishes, and any authority of its own: site settings.
    components::UpgradeSource source;
    QString error;
    if (!components::readUpgradeSource(site_.upgradeSettingsFile(), logic_->upgradePlan().infoFile, &source,
                                       &error)) {
        upgradeCheckFailed(error);
        return true;
    }
    upgrader_->setVersionNumber(ctx_.ProgramVersion);
    upgrader_->setInfoFile(source.infoFile);
    upgrader_->setAuthorities(source.authorities);
    return upgrader_->check(full ? components::TauAutoUpgrader::Mode::Full
                                 : components::TauAutoUpgrader::Mode::CheckOnly);
}

void TFACFMENU::BotBuscaClick() {
    // One check at a time: the one under way (the one at start, say) stays
    // silent, and this request is refused with a word.
    if (upgrader_->busy()) {
        view_.message(
            QStringLiteral("Já está a decorrer uma procura de actualizações. Tente de novo dentro de "
                           "momentos."));
        return;
    }
    manualCheck_ = true;
    startUpgradeCheck(true);
}

void TFACFMENU::BotPassordClick() {
    DataModules* m = logic_->modules();
    if (!m)
        return;
    auto* dialog = new TALTERFPASS(log_, this);
    dialog->exec();
    // The outcome outlives the dialog.
    const int outcome = dialog->logic().outcome();
    const QString newPassword = dialog->logic().newPassword();
    delete dialog;
    QString error;
    if (!writeNewPassword(*m->empresas, ctx_.UserCode, outcome, newPassword, updateErrorHandler(), &error) &&
        !error.isEmpty()) {
        view_.beep();
        view_.message(error);
    }
}

db::UpdateErrorHandler TFACFMENU::updateErrorHandler() {
    return updateErrorForm_->handler();
}

TFACFMENU::~TFACFMENU() {
    logic_.reset();
}

void TFACFMENU::buildMenus() {
    struct Entry {
        const char* name;
        const char* caption;
        bool separatorAfter;
    };
    struct Menu {
        const char* caption;
        QList<Entry> entries;
    };
    const QList<Menu> menus = {
        {"&A - Geral",
         {{"Geral_Empresa", "&A - Empresa e Data", false},
          {"Geral_Alteracoes", "&C -Informação s/ últimas alterações", true},
          {"Geral_Sair", "&D - Sair", false}}},
        {"&B - Tabelas",
         {{"TAB000", "&A - Parâmetros Gerais", true},
          {"TAB001", "&B - Tipos de Custo", false},
          {"TAB002", "&C - Operacões", false},
          {"TAB003", "&D - Grupo de Máquinas", false},
          {"TAB004", "&E - Máquinas", true},
          {"TAB005", "&F - Tipo de Material", false},
          {"TAB006", "&G - Tipo de Trabalho", false},
          {"TAB007", "&H - Tipos de Embalagem", false}}},
        // Shown as "B - Fichas Técnicas"; Alt+B belongs to "Tabelas", so Alt+F opens it.
        {"B - &Fichas Técnicas",
         {{"FICTEC001", "&A - Abertura", false}, {"FICTEC002", "&B - Consulta e Listagem", false}}},
        {"&C - Orçamentação / Encomendas",
         {{"ORC002", "&A - Orçamentação", false},
          {"ORC001", "&B - Emissão Orçamento Cliente", false},
          {"ORC004", "&C - Consulta de Orçamentos por Cliente", true},
          {"ORC003", "&D - Aprovação de Orçamentos", true},
          {"ORC005", "&E - Impacto de Preços", false}}},
        {"&D - Planeamento",
         {{"PLAN003", "&A - Consulta de Ord.Fabrico", false},
          {"PLAN000", "&B - Cálculo de Necessidades", false}}},
    };
    for (const Menu& m : menus) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(m.caption));
        for (const Entry& e : m.entries) {
            QAction* a = menu->addAction(QString::fromUtf8(e.caption));
            a->setObjectName(QString::fromLatin1(e.name));
            actions_.insert(a->objectName(), a);
            if (e.separatorAfter)
                menu->addSeparator();
        }
    }
    connect(actions_.value(QStringLiteral("Geral_Empresa")), &QAction::triggered, this,
            &TFACFMENU::showCompanyAndDate);
    connect(actions_.value(QStringLiteral("Geral_Alteracoes")), &QAction::triggered, this,
            &TFACFMENU::BotPdfClick);
    connect(actions_.value(QStringLiteral("Geral_Sair")), &QAction::triggered, this, &QWidget::close);
}

QToolButton* TFACFMENU::pageButton(QWidget* page, const QString& name, const QString& caption) {
    auto* b = new QToolButton(page);
    b->setObjectName(name);
    b->setText(caption);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setMinimumSize(150, 48);
    b->setAutoRaise(false);
    buttons_.insert(name, b);
    return b;
}

void TFACFMENU::buildPages() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("PanelMenu"));
    components::paintBackground(central, components::kScreenColour);
    auto* outer = new QVBoxLayout(central);

    auto* top = new QHBoxLayout;
    Label_Computador = new QLabel(central);
    Label_Computador->setObjectName(QStringLiteral("Label_Computador"));
    Edit_EmpNom = new QLineEdit(central);
    Edit_EmpNom->setObjectName(QStringLiteral("Edit_EmpNom"));
    Edit_EmpNom->setReadOnly(true);
    Edit_EmpNom->setFocusPolicy(Qt::NoFocus);
    Edit_EmpNom->setMinimumWidth(320);
    BotPassord = new QToolButton(central);
    BotPassord->setObjectName(QStringLiteral("BotPassord"));
    BotPassord->setToolTip(QStringLiteral("Alterar Palavra Passe"));
    BotBusca = new QToolButton(central);
    BotBusca->setObjectName(QStringLiteral("BotBusca"));
    BotBusca->setText(QStringLiteral("Actualizar"));
    BotBusca->setToolTip(QStringLiteral("Procurar actualizações"));
    BotBusca->setVisible(false);
    connect(BotPassord, &QToolButton::clicked, this, &TFACFMENU::BotPassordClick);
    connect(BotBusca, &QToolButton::clicked, this, &TFACFMENU::BotBuscaClick);
    top->addWidget(new QLabel(QStringLiteral("Posto :"), central));
    top->addWidget(Label_Computador);
    top->addSpacing(20);
    top->addWidget(new QLabel(QStringLiteral("Empresa :"), central));
    top->addWidget(Edit_EmpNom, 1);
    top->addWidget(BotPassord);
    top->addWidget(BotBusca);
    outer->addLayout(top);

    auto* middle = new QHBoxLayout;
    NB = new QTabWidget(central);
    NB->setObjectName(QStringLiteral("NB"));
    middle->addWidget(NB, 1);

    // "Tabelas"
    auto* tabelas = new QWidget(NB);
    auto* tg = new QGridLayout(tabelas);
    auto group = [&](const QString& caption, const QList<QPair<QString, QString>>& items, int row, int col) {
        auto* box = new QGroupBox(caption, tabelas);
        auto* v = new QVBoxLayout(box);
        for (const auto& [name, text] : items)
            v->addWidget(pageButton(box, name, text));
        v->addStretch();
        tg->addWidget(box, row, col);
    };
    group(QStringLiteral("Tipos de Custo/Operações"),
          {{QStringLiteral("BotTab001"), QStringLiteral("Tipos de Custo")},
           {QStringLiteral("BotTab002"), QStringLiteral("Operações")}},
          0, 0);
    group(QStringLiteral("Máquinas e Mão de Obra"),
          {{QStringLiteral("BotTab003"), QStringLiteral("Grupo de Máquinas")},
           {QStringLiteral("BotTab004"), QStringLiteral("Máquinas")},
           {QStringLiteral("BotTab006"), QStringLiteral("Tipo de Trabalho")}},
          0, 1);
    group(QStringLiteral("Parâmetros Gerais"),
          {{QStringLiteral("BotTab000"), QStringLiteral("Parâmetros Gerais")}}, 1, 0);
    group(QStringLiteral("Diversos"),
          {{QStringLiteral("BotTab005"), QStringLiteral("Tipo de Material")},
           {QStringLiteral("BotTab007"), QStringLiteral("Tipos de Embalagem")}},
          1, 1);
    NB->addTab(tabelas, QStringLiteral("Tabelas"));

    auto simplePage = [&](const QString& title, const QList<QPair<QString, QString>>& items) {
        auto* page = new QWidget(NB);
        auto* v = new QVBoxLayout(page);
        for (const auto& [name, text] : items)
            v->addWidget(pageButton(page, name, text), 0, Qt::AlignLeft);
        v->addStretch();
        NB->addTab(page, title);
    };
    simplePage(QStringLiteral("Fichas Técnicas"),
               {{QStringLiteral("BotFicTec"), QStringLiteral("Abertura")},
                {QStringLiteral("BotRegPrd"), QStringLiteral("Registo Técnico")},
                {QStringLiteral("ToolbarButton972"), QStringLiteral("Consulta")}});
    simplePage(QStringLiteral("Orçamentação"),
               {{QStringLiteral("BotOrcam"), QStringLiteral("Orçamentação")},
                {QStringLiteral("BotPropostaCli"), QStringLiteral("Emissão Orçamento Cliente")},
                {QStringLiteral("BotConsOrc"), QStringLiteral("Consulta de Orçamentos")},
                {QStringLiteral("BotAprova"), QStringLiteral("Aprovação de Orçamentos")},
                {QStringLiteral("BotImpacto"), QStringLiteral("Impacto de Preços")}});
    simplePage(QStringLiteral("Planeamento"),
               {{QStringLiteral("BotPlano001"), QStringLiteral("Consulta de Ord.Fabrico")},
                {QStringLiteral("BotPlano002"), QStringLiteral("Cálculo de Necessidades")}});

    PanelData = new QFrame(central);
    PanelData->setObjectName(QStringLiteral("PanelData"));
    PanelData->setFrameShape(QFrame::StyledPanel);
    components::paintBackground(PanelData, components::kScreenColour);
    auto* pd = new QVBoxLayout(PanelData);
    Edit_Data = new QCalendarWidget(PanelData);
    Edit_Data->setObjectName(QStringLiteral("Edit_Data"));
    Edit_Data->setVerticalHeaderFormat(QCalendarWidget::ISOWeekNumbers);
    Edit_Data->setGridVisible(true);
    Edit_Data->setFirstDayOfWeek(Qt::Monday);
    Edit_Data->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);
    PanelData->setMaximumWidth(340);
    pd->addWidget(Edit_Data);
    pd->addStretch();
    middle->addWidget(PanelData);
    outer->addLayout(middle, 1);
    connect(Edit_Data, &QCalendarWidget::clicked, this, &TFACFMENU::Edit_DataChange);

    Label10 = new QLabel(QStringLiteral("<a href=\"https://%1\">%1</a>").arg(kMakerAddress), central);
    Label10->setObjectName(QStringLiteral("Label10"));
    Label10->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    connect(Label10, &QLabel::linkActivated, this,
            [](const QString& link) { QDesktopServices::openUrl(QUrl(link)); });
    outer->addWidget(Label10, 0, Qt::AlignRight);
    setCentralWidget(central);

    // The dispatch: each entry and its button open the same screen.
    const QList<QPair<QString, QString>> pairs = {
        {QStringLiteral("TAB000"), QStringLiteral("BotTab000")},
        {QStringLiteral("TAB001"), QStringLiteral("BotTab001")},
        {QStringLiteral("TAB002"), QStringLiteral("BotTab002")},
        {QStringLiteral("TAB003"), QStringLiteral("BotTab003")},
        {QStringLiteral("TAB004"), QStringLiteral("BotTab004")},
        {QStringLiteral("TAB005"), QStringLiteral("BotTab005")},
        {QStringLiteral("TAB006"), QStringLiteral("BotTab006")},
        {QStringLiteral("TAB007"), QStringLiteral("BotTab007")},
        {QStringLiteral("FICTEC001"), QStringLiteral("BotFicTec")},
        {QStringLiteral("ORC002"), QStringLiteral("BotOrcam")},
        {QStringLiteral("ORC005"), QStringLiteral("BotImpacto")},
    };
    for (const auto& [entry, button] : pairs)
        bindEntry(entry, button);
}

void TFACFMENU::bindEntry(const QString& entry, const QString& button) {
    QAction* action = actions_.value(entry);
    QToolButton* b = buttons_.value(button);
    const ScreenOpener open = screens_.value(entry);
    if (!open) {
        for (QObject* o : {static_cast<QObject*>(action), static_cast<QObject*>(b)})
            if (o)
                o->setProperty("notBuilt", true);
        if (action) {
            action->setEnabled(false);
            action->setToolTip(kNotYet);
            action->setStatusTip(kNotYet);
        }
        if (b) {
            b->setEnabled(false);
            b->setToolTip(kNotYet);
        }
        return;
    }
    auto run = [this, open] {
        open(*this);
        activateNow(); // the window is activated again when a screen closes
    };
    if (action)
        connect(action, &QAction::triggered, this, run);
    if (b)
        connect(b, &QToolButton::clicked, this, run);
}

void TFACFMENU::applyRights() {
    for (const MenuState& m : logic_->menuStates()) {
        QAction* a = actions_.value(m.entry);
        QToolButton* b = buttons_.value(m.button);
        const bool notBuilt = a && a->property("notBuilt").toBool();
        if (a)
            a->setEnabled(m.enabled && !notBuilt);
        if (b)
            b->setEnabled(m.enabled && !notBuilt);
    }
}

void TFACFMENU::activateNow() {
    if (activating_ || closing_)
        return;
    activating_ = true;
    // The whole screen at start; later the size the user chose stays.
    if (const QScreen* s = screen(); s && !placed_) {
        const QRect g = s->geometry();
        setGeometry(0, 0, g.width(), g.height() - 30);
        placed_ = true;
    }
    const auto outcome = logic_->activate();
    Label_Computador->setText(ctx_.WorkstationName);
    activating_ = false;
    if (outcome == MainMenuLogic::Outcome::Close) {
        exitCode_ = 1;
        QTimer::singleShot(0, this, &QWidget::close);
        return;
    }
    if (outcome == MainMenuLogic::Outcome::SignedOn) {
        if (log_)
            log_->setIdentity(ctx_.UserCode, ctx_.WorkstationName);
        components::setWindowUser(ctx_.UserCode);
        applyRights();
        BotPassord->setText(ctx_.UserCode);
        BotBusca->setVisible(logic_->upgradePlan().allowed);
        startUpgradeCheck(logic_->upgradePlan().allowed);
        if (DataModules* m = logic_->modules()) {
            const int row = findParamTmp(*m->empresas, ctx_);
            Edit_EmpNom->setText(row >= 0 ? m->empresas->PARAMTMP.text(row, QStringLiteral("EMPNOM"))
                                          : QString());
        }
        view_.statusText(1, ctx_.StatusSignature);
        if (!claimsTimer_) {
            claimsTimer_ = new QTimer(this);
            connect(claimsTimer_, &QTimer::timeout, this, &TFACFMENU::renewClaims);
            claimsTimer_->start(db::DocumentClaims::kRenewSeconds * 1000);
        }
        emit signedOn();
    }
}

void TFACFMENU::renewClaims() {
    if (DataModules* m = logic_->modules(); m && m->claims)
        m->claims->renew();
}

void TFACFMENU::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && logic_->signedOn())
        QTimer::singleShot(0, this, &TFACFMENU::activateNow);
}

void TFACFMENU::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!logic_->signedOn())
        QTimer::singleShot(0, this, &TFACFMENU::activateNow);
}

void TFACFMENU::closeEvent(QCloseEvent* event) {
    closing_ = true;
    logic_->formClose();
    event->accept();
}

void TFACFMENU::Edit_DataChange() {
    const bool otherYear = logic_->changeWorkingDate(Edit_Data->selectedDate());
    components::paintBackground(PanelData, otherYear ? QColor(Qt::red) : components::kScreenColour);
}

void TFACFMENU::BotPdfClick() {
    const QString doc = site_.changesDocument();
    if (!QFileInfo::exists(doc)) {
        view_.beep();
        view_.message(QStringLiteral("Documento de alterações inexistente : ") + doc);
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(doc)))
        view_.message(
            QStringLiteral("Não foi possível abrir o documento de alterações: este posto não tem um "
                           "programa para ver PDF.\nO documento está em %1")
                .arg(QDir::toNativeSeparators(doc)));
}

void TFACFMENU::showCompanyAndDate() {
    QString company;
    QDateTime date;
    if (DataModules* m = logic_->modules()) {
        db::Dataset& p = m->empresas->PARAMTMP;
        const int row = findParamTmp(*m->empresas, ctx_);
        if (row >= 0) {
            company = p.text(row, QStringLiteral("EMPNOM"));
            date = p.dateTime(row, QStringLiteral("DATA"));
        }
    }
    showCompanyAndDateDialog(this, company, date, ctx_.UserCode);
}

} // namespace corvane::shell
