#pragma once

#include "articles/screens/article_screen.h"
#include "screens/ui/screen_dialog.h"

#include <QHash>

#include <functional>
#include <memory>

class QAbstractButton;
class QLabel;
class QLineEdit;
class QTabWidget;
class QTableView;

namespace corvane::db {
class DatasetModel;
}
namespace corvane::screens {
class LookupWiring;
}

namespace corvane::articles {

// The screens the article screen opens. An empty entry is a screen this
// version does not have: its button stays disabled with a hint saying so.
struct ArticleLinks {
    using Open = std::function<void(QWidget* parent, const QString& code)>;
    Open sheet;        // "F.Tec.", F12: the technical sheet
    Open suppliers;    // "Forns"
    Open currencies;   // "&Moedas"
    Open countries;    // "&Paises"
    Open search;       // "Busca por Selecção"
    Open codification; // automatic codification on "&Ins"
    Open levelTables;  // BotCustom1..9
    Open tables;       // families, VAT, commissions, tariff positions, compositions, material types
    QString company;   // the export's title lines
    QString databaseAlias;
};

class ArticleWindowView;

// The window of the article screen TCORVF035 ("Abertura de Fichas Técnicas"):
// the list of articles beside the pages of the article shown, the buttons
// and the three-panel status bar. The behaviour is the ArticleScreen's.
class TCORVF035 : public screens::ScreenDialog {
    Q_OBJECT
public:
    TCORVF035(ArticleSources sources, RightsOf rightsOf, ArticleLinks links,
              const screens::ScreenSetting& setting, QWidget* parent = nullptr);
    ~TCORVF035() override;

    ArticleScreen& logic() { return *logic_; }
    QWidget* input(const QString& name) const { return inputs_.value(name); }
    QTableView* list() const { return grid_; }
    QTabWidget* pages() const { return NB1; }
    QAbstractButton* button(const QString& name) const { return buttons_.value(name); }

    // The state of the logic on the widgets.
    void refresh();
    void selectPage(const QString& page);

protected:
    bool activateScreen() override;
    bool closeRequested() override { return logic_->leaving(); }
    void closeScreen() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void build();
    QWidget* buildList();
    QWidget* buildHeader();
    QWidget* buildGeneral();
    QWidget* buildButtons();
    QLineEdit* addInput(const QString& name, QWidget* parent);
    QLabel* addBox(const QString& name, QWidget* parent, int minWidth = 120);
    void gridFocusChanged();
    bool runCheck(const QString& input);
    void action(const std::function<void()>& run);
    void lookupArticle(bool alphabetical);
    void exportList();
    void openLink(const ArticleLinks::Open& open, bool needsSaved);
    void moveBy(int step);
    void fetchBefore();
    void rebuildModel();

    std::unique_ptr<ArticleWindowView> windowView_;
    std::unique_ptr<ArticleScreen> logic_;
    RightsOf rightsOf_;
    ArticleLinks links_;
    QTableView* grid_ = nullptr;
    db::DatasetModel* model_ = nullptr;
    db::Dataset* modelDataset_ = nullptr;
    QTableView* suppliersGrid_ = nullptr;
    db::DatasetModel* suppliersModel_ = nullptr;
    QLabel* count_ = nullptr;
    QTabWidget* NB = nullptr;
    QTabWidget* NB1 = nullptr;
    QHash<QString, QWidget*> inputs_;
    QHash<QString, QLabel*> boxes_;
    QHash<int, QLabel*> levelCaptions_;
    QHash<QString, QAbstractButton*> buttons_;
    screens::LookupWiring* lookups_ = nullptr;
    bool inGrid_ = false;
    bool selecting_ = false;
    bool resetting_ = false;
};

} // namespace corvane::articles
