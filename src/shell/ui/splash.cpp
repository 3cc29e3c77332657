#include "splash.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

namespace corvane::shell {

TCORVANEAFPMENU::TCORVANEAFPMENU(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("CORVANEAFPMENU"));
    setFixedSize(251, 147);
    if (const QScreen* s = QGuiApplication::primaryScreen())
        move(s->geometry().center() - rect().center());
}

void TCORVANEAFPMENU::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::black);
    // A scarf drawn as two woven bands with a fringe.
    QPainterPath scarf;
    scarf.moveTo(40, 30);
    scarf.cubicTo(90, 10, 160, 50, 211, 30);
    scarf.lineTo(211, 52);
    scarf.cubicTo(160, 72, 90, 32, 40, 52);
    scarf.closeSubpath();
    p.fillPath(scarf, QColor(175, 202, 228));
    p.setPen(QPen(QColor(255, 255, 128), 2));
    for (int x = 44; x <= 208; x += 12)
        p.drawLine(x, 36 + (x % 24 == 0 ? 2 : 0), x, 48);
    p.setPen(Qt::white);
    QFont f = font();
    f.setPointSize(10);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(0, 80, width(), 40), Qt::AlignCenter | Qt::TextWordWrap,
               QStringLiteral("Indústrias de Corvane e Gorros"));
}

} // namespace corvane::shell
