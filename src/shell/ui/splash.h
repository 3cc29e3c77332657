#pragma once

#include <QWidget>

namespace corvane::shell {

// The start-up splash: a borderless black 251 x 147 window in the centre of
// the screen, with the company's picture and caption.
class TCORVANEAFPMENU : public QWidget {
    Q_OBJECT
public:
    explicit TCORVANEAFPMENU(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace corvane::shell
