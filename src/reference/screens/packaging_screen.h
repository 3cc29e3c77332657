#pragma once

#include "screens/table_screen.h"
#include "table_screen_configs.h"

namespace corvane::reference {

TableScreenConfig packagingScreen(); // TCORVF007, EMBALAGEM

// The packaging types (TCORVF007): the cost type of a type is checked as an
// operation's is; the current type's subsidiary materials show below.
class PackagingScreen : public screens::TableScreen {
public:
    PackagingScreen(db::Dataset& embalagem, db::Dataset& tipoCusto, db::Dataset& embalagemMp,
                    db::Database& factura, ScreenView& view, db::UpdateErrorHandler onError = {});

    db::Dataset& costTypes() { return *lookupDataset(QStringLiteral("TIPOCUSTO")); }
    db::Dataset& materials() { return *mp_; }
    // ARTIGOSNUM: the purchase units of the articles, open while the screen is.
    db::Dataset& articles() { return articles_; }
    // LabelTipoCusto.
    QString costTypeLabel() const { return label(QStringLiteral("TIPOCUSTO")); }
    // The row of the current type's materials, or -1.
    int materialsRow() const;
    int packagingCode() const { return value(QStringLiteral("CODIGO")).toInt(); }

protected:
    void rowShown() override;

private:
    db::Dataset* mp_;
    db::Dataset articles_;
};

// The subsidiary materials of one packaging type (TCORVF007A): three lines
// of article (ARTIGOSCLS with TIPOMAT 120 to 139), designation, quantity,
// price and unit, kept in its EMBALAGEMMP row.
class PackagingMaterials {
public:
    static constexpr int kLines = 3;
    PackagingMaterials(db::Dataset& embalagemMp, db::Database& factura, int packaging, ScreenView& view);

    bool activate();
    db::Dataset& byCode() { return byCode_; }
    db::Dataset& byName() { return byName_; }

    QString text(const QString& column, int line) const; // ARTNRO, DESIGNACAO, QTD, PRECO, UND
    // The inputs of a line: Edit_ArtNro, Edit_ArtNro2, Edit_ArtNro3 ...
    static QString input(const QString& kind, int line);

    void enterArticle(int line);
    void articleExit(int line, const QString& text);
    bool designationExit(int line, const QString& text);
    bool numberExit(int line, const QString& column, const QString& text);
    // An article chosen in a lookup over byCode() or byName().
    void choose(int line, const QString& code);

    bool finish(); // "Terminar": written; false when the write failed
    void cancel(); // "Cancelar": nothing written

    // What the user may write (the packaging screen's rights): the materials
    // of a packaging without any are added by the right to insert, others
    // changed by the right to change.
    void setWriteRights(const db::Dataset::WriteRights& rights) { mp_->setWriteRights(rights); }
    // Whether the materials are only shown: the rights do not let them be written.
    bool readOnly() const;

private:
    void fill(int line, const QString& code);
    bool noArticle(int line) const { return text(QStringLiteral("ARTNRO"), line).trimmed().isEmpty(); }
    void set(const QString& column, int line, const QVariant& value);
    bool backToArticle(int line);

    db::Dataset* mp_;
    db::Dataset byCode_;
    db::Dataset byName_;
    int packaging_;
    ScreenView& view_;
    int row_ = -1;
    QString entered_;
};

} // namespace corvane::reference
