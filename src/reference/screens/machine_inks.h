#pragma once

#include "core/screen_view.h"
#include "db/dataset.h"

namespace corvane::reference {

// The inks of a printing machine (TCORVF003A): up to five ink articles
// (ARTIGOSCLS with TIPOMAT 21 to 40) with their share of the consumption,
// kept in the machine's MAQUINASMP row. The shares must add up to 100.
class MachineInks {
public:
    static constexpr int kLines = 5;

    MachineInks(db::Dataset& maquinasMp, db::Database& factura, QString machine, ScreenView& view,
                db::UpdateErrorHandler onError = {});

    // Opens the inks and the machine's row (a new one when it has none);
    // the focus goes to the first code.
    bool activate();
    db::Dataset& articles() { return articles_; }

    QString code(int line) const; // lines 1 to 5
    double percent(int line) const;
    const QString& designation(int line) const { return designations_[line - 1]; }

    // Leaving a code input: a code shows its ink's designation (a code not
    // found is kept, without one); an empty code or "0" clears the share and
    // sends the focus to the next line's code. Never refused.
    void codeExit(int line, const QString& text);
    // An ink chosen in the lookup, for the line.
    void choose(int line, int articleRow);
    // Leaving a share input; false with the conversion message.
    bool percentExit(int line, const QString& text);

    // "Terminar": valid shares are written; false keeps the screen open.
    bool finish();
    // The close box: false keeps the screen open; true closes without writing.
    bool closeRequested();
    // "Cancelar": the row as it was, nothing written.
    void cancel();

    // What the user may write (the machine screen's rights): the inks of a
    // machine without any are added by the right to insert, others changed
    // by the right to change.
    void setWriteRights(const db::Dataset::WriteRights& rights) { mp_->setWriteRights(rights); }
    // Whether the inks are only shown: the rights do not let them be written.
    bool readOnly() const;

private:
    bool validate();
    void showDesignations();
    QString articleName(const QString& code) const;
    int row() const { return row_; }

    db::Dataset* mp_;
    db::Dataset articles_;
    QString machine_;
    ScreenView& view_;
    db::UpdateErrorHandler onError_;
    int row_ = -1;
    QString designations_[kLines];
};

} // namespace corvane::reference
