#pragma once

#include "listing.h"

namespace corvane::reference {

// The listings of the costing reference tables, each over its table's
// dataset (and the datasets its lookups read).

// Cost types (TIPOCUSTO).
class TCORVFPR001 : public Listing {
public:
    explicit TCORVFPR001(db::Dataset& tipoCusto);

protected:
    void define(report::ReportDefinition& def) const override;
    void fill(const db::Dataset& ds, int row, report::Block* block) const override;
};

// Operations (OPERACOES) with the designation of their cost type.
class TCORVFPR002 : public Listing {
public:
    TCORVFPR002(db::Dataset& operacoes, db::Dataset& tipoCusto);

protected:
    void define(report::ReportDefinition& def) const override;
    bool prepare(QString* error) override;
    void fill(const db::Dataset& ds, int row, report::Block* block) const override;

private:
    db::Dataset& tipoCusto_;
    KeyIndex costTypes_;
};

// Machines (MAQUINAS): a block of labelled values per machine.
class TCORVFPR003 : public Listing {
public:
    TCORVFPR003(db::Dataset& maquinas, db::Dataset& grupoMaquinas);

protected:
    void define(report::ReportDefinition& def) const override;
    bool prepare(QString* error) override;
    void fill(const db::Dataset& ds, int row, report::Block* block) const override;

private:
    db::Dataset& grupoMaquinas_;
    KeyIndex groups_;
};

// The text of a machine group's type (TIPOMAQ 1 to 9); blank for any other.
QString machineTypeText(int tipoMaq);

// Machine groups (GRUPOMAQUINAS).
class TCORVFPR004 : public Listing {
public:
    explicit TCORVFPR004(db::Dataset& grupoMaquinas);

protected:
    void define(report::ReportDefinition& def) const override;
    void fill(const db::Dataset& ds, int row, report::Block* block) const override;
};

// Material types (TIPOMATERIAL).
class TCORVFPR005 : public Listing {
public:
    explicit TCORVFPR005(db::Dataset& tipoMaterial);

protected:
    void define(report::ReportDefinition& def) const override;
    void fill(const db::Dataset& ds, int row, report::Block* block) const override;
};

// Work types (TIPOTRABALHO).
class TCORVFPR006 : public Listing {
public:
    explicit TCORVFPR006(db::Dataset& tipoTrabalho);

protected:
    void define(report::ReportDefinition& def) const override;
    void fill(const db::Dataset& ds, int row, report::Block* block) const override;
};

// Packaging types (EMBALAGEM) with their three subsidiary-material lines
// from EMBALAGEMMP; landscape.
class TCORVFPR007 : public Listing {
public:
    TCORVFPR007(db::Dataset& embalagem, db::Dataset& embalagemMp);

protected:
    void define(report::ReportDefinition& def) const override;
    bool prepare(QString* error) override;
    void fill(const db::Dataset& ds, int row, report::Block* block) const override;

private:
    db::Dataset& embalagemMp_;
    KeyIndex materials_;
};

} // namespace corvane::reference
