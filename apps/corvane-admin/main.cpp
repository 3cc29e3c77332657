#include "calc_command.h"

#include <QCoreApplication>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    // `corvane-admin calc ...`: the headless calculator.
    if (!args.isEmpty() && args.first() == "calc") {
        QTextStream out(stdout), err(stderr);
        return runCalcCommand(args.mid(1), out, err);
    }
    return 0;
}
