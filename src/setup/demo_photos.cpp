#include "demo_photos.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <functional>

namespace corvane::setup {

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
const QColor kBackground(236, 232, 224);

// A scarf laid flat with its fringes; `pattern` paints its body.
void scarf(QPainter& p, const std::function<void(QPainter&, const QRect&)>& pattern) {
    const QRect body(90, 170, 460, 140);
    pattern(p, body);
    p.setPen(QPen(QColor(30, 30, 30), 3));
    for (int x = body.left() + 6; x < body.right(); x += 12) {
        p.drawLine(x, body.top() - 28, x, body.top());
        p.drawLine(x, body.bottom(), x, body.bottom() + 28);
    }
}

void jacquard(QPainter& p, const QRect& r) {
    p.fillRect(r, QColor(25, 25, 25));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 120, 120));
    for (int x = r.left() + 10; x < r.right() - 20; x += 40)
        for (int y = r.top() + 10; y < r.bottom() - 20; y += 40)
            p.drawPolygon(QPolygon(
                {QPoint(x + 15, y), QPoint(x + 30, y + 15), QPoint(x + 15, y + 30), QPoint(x, y + 15)}));
}

void ribbed(QPainter& p, const QRect& r) {
    p.fillRect(r, QColor(20, 20, 22));
    p.setPen(QPen(QColor(55, 55, 60), 4));
    for (int y = r.top() + 4; y < r.bottom(); y += 9)
        p.drawLine(r.left(), y, r.right(), y);
}

void printed(QPainter& p, const QRect& r) {
    p.fillRect(r, QColor(15, 15, 15));
    p.setPen(Qt::NoPen);
    const QColor colours[] = {QColor(0, 160, 200), QColor(200, 30, 110), QColor(240, 200, 0)};
    int n = 0;
    for (int x = r.left() + 30; x < r.right() - 20; x += 70)
        for (int y = r.top() + 25; y < r.bottom() - 10; y += 55) {
            p.setBrush(colours[n++ % 3]);
            p.drawEllipse(QPoint(x, y), 18, 12);
        }
}

void hat(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(22, 22, 22));
    QPainterPath crown;
    crown.moveTo(190, 360);
    crown.cubicTo(190, 140, 450, 140, 450, 360);
    crown.closeSubpath();
    p.drawPath(crown);
    p.setBrush(QColor(45, 45, 45));
    p.drawRoundedRect(QRect(175, 330, 290, 60), 14, 14);
    p.setPen(QPen(QColor(60, 60, 60), 3));
    for (int x = 190; x < 460; x += 10)
        p.drawLine(x, 336, x, 384);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(210, 210, 205));
    p.drawEllipse(QPoint(320, 140), 48, 44);
}

// A close view of the fabric: the pattern over the whole picture.
void detail(QPainter& p, const std::function<void(QPainter&, const QRect&)>& pattern) {
    p.scale(2.2, 2.2);
    pattern(p, QRect(0, 0, kWidth, kHeight));
}

bool save(const QString& folder, const QString& name, const QString& extension,
          const std::function<void(QPainter&)>& draw, QString* error) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(kBackground);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        draw(p);
    }
    const QString path = QDir(folder).filePath(name + extension);
    if (image.save(path))
        return true;
    if (error)
        *error = QStringLiteral("Não foi possível gravar a fotografia %1").arg(path);
    return false;
}

} // namespace

bool writeDemoPhotos(const QString& folder, const QString& extension, QString* error) {
    using Draw = std::function<void(QPainter&)>;
    const QList<std::pair<const char*, Draw>> photos{
        {"CHCAC01.PRE1", [](QPainter& p) { scarf(p, jacquard); }},
        {"CHCAC01.PRE2", [](QPainter& p) { detail(p, jacquard); }},
        {"CHCLA01.PRE1", [](QPainter& p) { scarf(p, ribbed); }},
        {"CHCLA01.PRE2", [](QPainter& p) { detail(p, ribbed); }},
        {"ECHVI01.PRE1", [](QPainter& p) { scarf(p, printed); }},
        {"ECHVI01.PRE2", [](QPainter& p) { detail(p, printed); }},
        {"ECHVI01.PRE3",
         [](QPainter& p) {
             p.translate(320, 240);
             p.rotate(-20);
             p.translate(-320, -240);
             scarf(p, printed);
         }},
        {"GORAC02.PRE1", [](QPainter& p) { hat(p); }},
    };
    for (const auto& [name, draw] : photos)
        if (!save(folder, QString::fromLatin1(name), extension, draw, error))
            return false;
    return true;
}

} // namespace corvane::setup
