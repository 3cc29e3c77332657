#pragma once

#include "quotation/screens/quotation_screen.h"
#include "screens/ui/screen_dialog.h"

#include <QHash>

#include <memory>

class QAbstractButton;
class QFormLayout;
class QLabel;
class QLineEdit;
class QTabWidget;

namespace corvane::quotation {

class HistoryPanels;
class QuotationLookups;
class QuotationWindowView;

// The window of the quotation screen TCORVF040 ("Orçamentação"): the top
// fields on "Informação", the values of the three levels, the margin, the
// customer prices and the charges notebook on "Orçamento".
class TCORVF040 : public screens::ScreenDialog {
    Q_OBJECT
public:
    TCORVF040(QuotationSources sources, QuotationRightsOf rightsOf, const screens::ScreenSetting& setting,
              QWidget* parent = nullptr);
    ~TCORVF040() override;

    QuotationScreen& logic() { return *logic_; }
    QLineEdit* input(const QString& name) const { return inputs_.value(name); }
    QAbstractButton* button(const QString& name) const { return buttons_.value(name); }
    // A value label of a level: "Label_" + value name + level (e.g. Label_Base1).
    QLabel* valueLabel(const QString& name) const { return values_.value(name); }
    QTabWidget* pages() const { return TB; }
    // A list of the inputs' lookups by its name, opened; null when it cannot be read.
    db::Dataset* lookupDataset(const QString& name);

    void refresh();
    void selectPage(const QString& page);
    // The internal report in print preview (modal).
    void previewQuotation(const QuotationPrint& quotation);
    // F1 on the number: the quotation search, and the number it answers.
    void searchQuotation();
    HistoryPanels& history() const { return *panels_; }

protected:
    bool activateScreen() override;
    // Esc and the close box: what "&Cancelar" does, asking first when typed
    // work would be lost; the focused input is not checked (nothing is kept).
    bool closeRequested() override;
    bool checkOnCloseBox() const override { return false; }
    void closeScreen() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The input of a declaration with its caption.
    QLineEdit* addInput(const QuotationInput& in, QWidget* parent);
    // The inputs declared on a page (or a tab of the charges notebook), one
    // row each, with the label beside them.
    void addInputs(const QString& page, QWidget* parent, QFormLayout* form);
    QWidget* buildInformation();
    QWidget* buildQuotation();
    bool runCheck(const QString& input);
    // The lists "Localizar" of the inputs, and the kind keys of Edit_TipoFt.
    void attachLookups();
    void chooseKind(const QString& kind);

    QuotationRightsOf rightsOf_;
    std::unique_ptr<QuotationWindowView> windowView_;
    std::unique_ptr<QuotationLookups> lookups_;
    std::unique_ptr<QuotationScreen> logic_;
    QHash<QString, QLineEdit*> inputs_;
    QHash<QString, QLabel*> captions_;
    QHash<QString, QAbstractButton*> buttons_;
    QHash<QString, QLabel*> values_;
    QHash<QString, QLabel*> labels_; // names beside the inputs
    QLabel* drawing_ = nullptr;
    QList<QLabel*> headings_;
    QTabWidget* TB = nullptr;
    QTabWidget* NBOrc = nullptr;
    HistoryPanels* panels_ = nullptr;
};

} // namespace corvane::quotation
