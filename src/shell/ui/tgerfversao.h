#pragma once

#include "shell/version_update.h"

#include <QDialog>

class QLabel;
class QStatusBar;

namespace corvane::shell {

// The update screen: shows the version reached, runs the update loop when it
// is first shown and closes itself (accepted when the database reached the
// program's version).
class TGERFVERSAO : public QDialog, private VersionUpdateView {
    Q_OBJECT
public:
    TGERFVERSAO(TDTVERSAO& versao, WorkingContext& ctx, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormActivate();
    void statusText(const QString& text) override;
    void showVersion(const QString& version) override;
    void showFinished(const QString& version) override;
    void failure(const QString& message) override;

    VersionUpdate update_;
    bool activated_ = false;
    QLabel* Label_Anterior;
    QLabel* Label_VersaoAnterior;
    QLabel* Label_Finalizada;
    QLabel* Label_Sucesso;
    QLabel* Label_Nova;
    QLabel* Label_VersaoNova;
    QStatusBar* StatusBar1;
};

// Shows the update screen modally over `parent`; true when the program
// database is now at the program's version.
bool runVersionUpdate(QWidget* parent, WorkingContext& ctx, DataModules& modules);

} // namespace corvane::shell
