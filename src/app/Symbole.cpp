#include "app/Symbole.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

// Draws on a 32 by 30 pixel canvas (twice the toolbar's 16 by 15).
void Zeichnen(QPainter& p, ESymbol s)
{
    const QPen rand(QColor(40, 40, 40), 2);
    p.setPen(rand);
    switch (s) {
    case ESymbol::Neu:
    case ESymbol::Text: {
        QPainterPath blatt;
        blatt.moveTo(7, 2);
        blatt.lineTo(19, 2);
        blatt.lineTo(25, 8);
        blatt.lineTo(25, 28);
        blatt.lineTo(7, 28);
        blatt.closeSubpath();
        p.setBrush(Qt::white);
        p.drawPath(blatt);
        p.drawLine(19, 2, 19, 8);
        p.drawLine(19, 8, 25, 8);
        if (s == ESymbol::Text) {
            p.setPen(QPen(QColor(30, 30, 30), 2));
            for (int y = 12; y <= 24; y += 4)
                p.drawLine(10, y, 22, y);
        }
        break;
    }
    case ESymbol::Oeffnen:
        p.setBrush(QColor(240, 200, 90));
        p.drawRect(3, 9, 24, 17);
        p.drawRect(3, 6, 10, 4);
        p.setBrush(QColor(250, 220, 120));
        p.drawPolygon(QPolygon({QPoint(6, 14), QPoint(30, 14), QPoint(26, 26), QPoint(3, 26)}));
        break;
    case ESymbol::Speichern:
        p.setBrush(QColor(60, 90, 170));
        p.drawRect(4, 3, 24, 24);
        p.setBrush(Qt::white);
        p.drawRect(9, 3, 14, 9);
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(9, 17, 14, 10);
        break;
    case ESymbol::Daten:
        p.setBrush(Qt::white);
        p.drawRect(3, 4, 26, 22);
        p.setPen(QPen(QColor(120, 120, 120), 1));
        for (int y = 10; y < 26; y += 5)
            p.drawLine(3, y, 29, y);
        p.drawLine(12, 4, 12, 26);
        p.setPen(QPen(QColor(200, 40, 40), 3));
        p.drawLine(16, 24, 27, 13);
        break;
    case ESymbol::Grafik:
        p.drawLine(4, 3, 4, 27);
        p.drawLine(4, 27, 29, 27);
        p.setBrush(QColor(220, 50, 50));
        p.setPen(QPen(QColor(150, 20, 20), 1));
        p.drawRect(8, 14, 5, 13);
        p.drawRect(15, 8, 5, 19);
        p.drawRect(22, 18, 5, 9);
        p.setPen(QPen(QColor(40, 40, 220), 2));
        p.drawPolyline(QPolygon({QPoint(6, 12), QPoint(14, 6), QPoint(22, 11), QPoint(29, 9)}));
        break;
    case ESymbol::Lupe:
        p.setPen(QPen(QColor(40, 40, 40), 3));
        p.setBrush(QColor(200, 230, 255));
        p.drawEllipse(4, 3, 16, 16);
        p.drawLine(18, 17, 28, 27);
        p.setPen(QPen(QColor(40, 40, 40), 2));
        p.drawLine(8, 11, 16, 11);
        p.drawLine(12, 7, 12, 15);
        break;
    case ESymbol::Drucken:
        p.setBrush(Qt::white);
        p.drawRect(9, 2, 14, 10);
        p.setBrush(QColor(160, 160, 160));
        p.drawRect(3, 11, 26, 11);
        p.setBrush(Qt::white);
        p.drawRect(9, 18, 14, 10);
        break;
    case ESymbol::Info:
        p.setBrush(QColor(40, 100, 200));
        p.setPen(Qt::NoPen);
        p.drawEllipse(2, 1, 28, 28);
        p.setPen(QPen(Qt::white, 4));
        p.drawPoint(16, 8);
        p.drawLine(16, 13, 16, 23);
        break;
    case ESymbol::Programm:
        p.setBrush(QColor(250, 250, 250));
        p.drawRect(2, 2, 28, 26);
        p.setPen(QPen(QColor(220, 40, 40), 3));
        p.drawPolyline(QPolygon({QPoint(5, 8), QPoint(12, 12), QPoint(19, 19), QPoint(27, 24)}));
        p.setPen(QPen(QColor(40, 40, 220), 3));
        p.drawPolyline(QPolygon({QPoint(5, 12), QPoint(12, 14), QPoint(19, 18), QPoint(27, 21)}));
        break;
    }
}

} // namespace

QIcon Symbol(ESymbol s)
{
    QPixmap bild(32, 30);
    bild.fill(Qt::transparent);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    Zeichnen(p, s);
    p.end();
    return QIcon(bild);
}
