#include "widgets/lamp_images.h"

#include <QPainter>
#include <QRadialGradient>

namespace vantrel {

namespace {
QColor LampColor(Lamp lamp) {
    switch (lamp) {
        case Lamp::kOn:
        case Lamp::kRedOn:
            return QColor(230, 20, 20);
        case Lamp::kAmberOn:
            return QColor(255, 170, 0);
        case Lamp::kGreenOn:
            return QColor(20, 210, 40);
        case Lamp::kAmberOff:
            return QColor(90, 65, 20);
        case Lamp::kGreenOff:
            return QColor(20, 70, 25);
        case Lamp::kRedOff:
            return QColor(80, 20, 20);
        case Lamp::kOff:
            break;
    }
    return QColor(110, 110, 110);
}
}  // namespace

QPixmap LampPixmap(Lamp lamp, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor color = LampColor(lamp);
    QRadialGradient gradient(size * 0.35, size * 0.35, size * 0.7);
    gradient.setColorAt(0, color.lighter(160));
    gradient.setColorAt(1, color);
    painter.setBrush(gradient);
    painter.setPen(QPen(QColor(40, 40, 40), 1));
    painter.drawEllipse(QRectF(0.5, 0.5, size - 1.0, size - 1.0));
    return pixmap;
}

}  // namespace vantrel
