#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

namespace corvane::reference {

// The choice of a printed picture size: the size the dialog starts with and
// the factors that multiply it.
class PageSizeChoice {
public:
    static constexpr int kOriginal = 0; // choice 0: "Tamanho Original"; 1..5: factors 2..6
    static constexpr int kChoices = 6;

    // The captions of the choices, in order.
    static QStringList captions() {
        QStringList out{QStringLiteral("Tamanho Original")};
        for (int c = 1; c < kChoices; ++c)
            out << QStringLiteral("X ") + QString::number(factor(c));
        return out;
    }
    static int factor(int choice) { return choice == kOriginal ? 1 : choice + 1; }

    // On activation: the size the inputs hold becomes the starting size.
    void activate(const QSize& current) { start_ = current; }
    const QSize& start() const { return start_; }

    int choice() const { return choice_; }
    // Selects a choice; returns the size the inputs take.
    QSize choose(int choice) {
        choice_ = choice;
        return start_ * factor(choice);
    }

private:
    QSize start_;
    int choice_ = kOriginal;
};

} // namespace corvane::reference
