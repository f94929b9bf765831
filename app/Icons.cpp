#include "app/Icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <initializer_list>

namespace verdin {

namespace {

// A cube seen from above, filling the square (0,0)-(1,1) of the painter's
// coordinates.
void PaintCube(QPainter& painter)
{
    const QPointF top(0.5, 0.06), left(0.08, 0.28), right(0.92, 0.28), centre(0.5, 0.5);
    const QPointF bottom(0.5, 0.94), bottomLeft(0.08, 0.72), bottomRight(0.92, 0.72);
    const auto face = [&painter](std::initializer_list<QPointF> corners, const QColor& colour) {
        QPainterPath path;
        auto corner = corners.begin();
        path.moveTo(*corner);
        while (++corner != corners.end())
            path.lineTo(*corner);
        path.closeSubpath();
        painter.fillPath(path, colour);
        painter.drawPath(path);
    };
    face({top, right, centre, left}, QColor(150, 220, 170));
    face({left, centre, bottom, bottomLeft}, QColor(40, 150, 90));
    face({centre, right, bottomRight, bottom}, QColor(20, 100, 60));
}

QPixmap PaintPixmap(int size, bool onPage)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size, size);
    QPen outline(QColor(20, 50, 30));
    outline.setWidthF(1.0 / size);
    painter.setPen(outline);
    if (onPage) {
        // A page with a folded corner, the cube drawn on its lower part.
        QPainterPath page;
        page.moveTo(0.16, 0.03);
        page.lineTo(0.66, 0.03);
        page.lineTo(0.84, 0.21);
        page.lineTo(0.84, 0.97);
        page.lineTo(0.16, 0.97);
        page.closeSubpath();
        painter.fillPath(page, Qt::white);
        painter.drawPath(page);
        painter.drawPolyline(QPolygonF({QPointF(0.66, 0.03), QPointF(0.66, 0.21), QPointF(0.84, 0.21)}));
        painter.translate(0.22, 0.34);
        painter.scale(0.56, 0.56);
        outline.setWidthF(1.0 / (size * 0.56));
        painter.setPen(outline);
    }
    PaintCube(painter);
    return pixmap;
}

}  // namespace

QIcon CobFileIcon()
{
    QIcon icon;
    for (int size : {16, 32})
        icon.addPixmap(PaintPixmap(size, true));
    return icon;
}

QIcon ApplicationIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addPixmap(PaintPixmap(size, false));
    return icon;
}

}  // namespace verdin
