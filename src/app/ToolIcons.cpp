#include "app/ToolIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>
#include <functional>

namespace {

// Every picture is drawn on a 16 by 16 grid and scaled to the sizes asked.
using TDraw = std::function<void(QPainter&)>;

const QColor Ink(40, 44, 52);
const QColor Accent(32, 110, 200);
const QColor Warm(205, 70, 50);
const QColor Green(40, 150, 70);

QIcon drawnIcon(const TDraw& draw) {
    QIcon icon;
    for (const int size : {16, 24, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 16.0, size / 16.0);
        draw(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QPen pen(const QColor& color, qreal width = 1.5) {
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void hit(QPainter& p, qreal radius) {
    QRadialGradient fill(QPointF(7, 7), radius * 1.4);
    fill.setColorAt(0, QColor(240, 120, 90));
    fill.setColorAt(1, Warm);
    p.setPen(pen(Warm.darker(140), 1));
    p.setBrush(fill);
    p.drawEllipse(QPointF(8, 8), radius, radius);
}

void arrowHead(QPainter& p, QPointF tip, qreal angleDegrees) {
    const qreal a = angleDegrees * M_PI / 180.0;
    const QPointF back(std::cos(a), std::sin(a));
    const QPointF side(-back.y(), back.x());
    QPainterPath head;
    head.moveTo(tip);
    head.lineTo(tip - back * 4.0 + side * 2.8);
    head.lineTo(tip - back * 4.0 - side * 2.8);
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Accent);
    p.drawPath(head);
}

void turnArrow(QPainter& p, bool mirrored) {
    if (mirrored) {
        p.translate(16, 0);
        p.scale(-1, 1);
    }
    QPainterPath bend;
    bend.moveTo(13, 12);
    bend.cubicTo(13, 5, 8, 4, 4.5, 6.5);
    p.setPen(pen(Accent, 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(bend);
    arrowHead(p, QPointF(2.5, 8.5), 135);
}

void magnifier(QPainter& p, bool plus) {
    p.setPen(pen(Ink, 1.6));
    p.setBrush(QColor(220, 235, 250));
    p.drawEllipse(QPointF(6.5, 6.5), 4.5, 4.5);
    p.setPen(pen(Ink, 2.4));
    p.drawLine(QPointF(10, 10), QPointF(14, 14));
    p.setPen(pen(Accent, 1.5));
    p.drawLine(QPointF(4.5, 6.5), QPointF(8.5, 6.5));
    if (plus) {
        p.drawLine(QPointF(6.5, 4.5), QPointF(6.5, 8.5));
    }
}

void rowsBox(QPainter& p, bool expanded) {
    p.setPen(pen(Ink, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(1.5, 1.5, 7, 7));
    p.setPen(pen(Accent, 1.4));
    p.drawLine(QPointF(3.2, 5), QPointF(6.8, 5));
    if (!expanded) {
        p.drawLine(QPointF(5, 3.2), QPointF(5, 6.8));
    }
    p.setPen(pen(Ink, 1.2));
    const int rows = expanded ? 3 : 1;
    for (int i = 0; i < rows; ++i) {
        const qreal y = 11 + i * 2;
        p.drawLine(QPointF(5, y), QPointF(14.5, y));
    }
}

void drawStandardMode(QPainter& p) {
    // A pencil writing a hit.
    p.setPen(pen(Ink, 1));
    p.setBrush(QColor(240, 200, 80));
    QPolygonF body({{4, 10}, {11, 3}, {13, 5}, {6, 12}});
    p.drawPolygon(body);
    p.setBrush(Ink);
    p.drawPolygon(QPolygonF({{4, 10}, {6, 12}, {3, 13}}));
    p.setPen(Qt::NoPen);
    p.setBrush(Warm);
    p.drawEllipse(QPointF(12.5, 13), 2, 2);
}

void drawSelectionMode(QPainter& p) {
    QPen dashed = pen(Accent, 1.2);
    dashed.setDashPattern({2, 1.5});
    p.setPen(dashed);
    p.setBrush(QColor(32, 110, 200, 40));
    p.drawRect(QRectF(1.5, 1.5, 10, 8));
    p.setPen(pen(Ink, 1));
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF(
        {{8, 6}, {8, 15}, {10.3, 12.8}, {12, 15.5}, {13.3, 14.8}, {11.7, 12.2}, {14.5, 12}}));
}

void drawPlayMode(QPainter& p) {
    // A loudspeaker with sound waves.
    p.setPen(pen(Ink, 1));
    p.setBrush(Ink);
    p.drawPolygon(QPolygonF({{2, 6}, {5, 6}, {9, 2.5}, {9, 13.5}, {5, 10}, {2, 10}}));
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(Accent, 1.4));
    p.drawArc(QRectF(7, 5, 5, 6), -60 * 16, 120 * 16);
    p.drawArc(QRectF(7, 2.5, 8, 11), -60 * 16, 120 * 16);
}

void drawTarget(QPainter& p) {
    p.setPen(pen(Ink, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(8, 8), 5, 5);
    p.drawLine(QPointF(8, 0.5), QPointF(8, 5));
    p.drawLine(QPointF(8, 11), QPointF(8, 15.5));
    p.drawLine(QPointF(0.5, 8), QPointF(5, 8));
    p.drawLine(QPointF(11, 8), QPointF(15.5, 8));
    p.setPen(Qt::NoPen);
    p.setBrush(Warm);
    p.drawEllipse(QPointF(8, 8), 1.5, 1.5);
}

void drawSnap(QPainter& p) {
    // A hit pulled onto a bar line.
    p.setPen(pen(Ink, 1.6));
    p.drawLine(QPointF(10, 1), QPointF(10, 15));
    p.setPen(pen(Ink, 0.8));
    p.drawLine(QPointF(3, 1), QPointF(3, 15));
    p.setPen(pen(Accent, 1.2));
    p.drawLine(QPointF(3.5, 8), QPointF(7, 8));
    arrowHead(p, QPointF(8.8, 8), 0);
    p.setBrush(Warm);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(12.5, 8), 2.2, 2.2);
}

void drawPatternMouseMode(QPainter& p) {
    // A block of hits dropped at the mouse.
    p.setPen(pen(Green.darker(130), 1));
    p.setBrush(QColor(120, 200, 140));
    p.drawRect(QRectF(1.5, 4.5, 8, 6));
    p.setPen(pen(Qt::white, 1));
    p.drawLine(QPointF(3.5, 6.5), QPointF(5, 6.5));
    p.drawLine(QPointF(6, 8.5), QPointF(7.5, 8.5));
    p.setPen(pen(Ink, 1));
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF(
        {{8, 6}, {8, 15}, {10.3, 12.8}, {12, 15.5}, {13.3, 14.8}, {11.7, 12.2}, {14.5, 12}}));
}

void drawPlay(QPainter& p) {
    p.setPen(pen(Green.darker(130), 1));
    p.setBrush(Green);
    p.drawPolygon(QPolygonF({{4, 2.5}, {13.5, 8}, {4, 13.5}}));
}

void drawStop(QPainter& p) {
    p.setPen(pen(Ink, 1));
    p.setBrush(QColor(70, 76, 90));
    p.drawRoundedRect(QRectF(3.5, 3.5, 9, 9), 1.5, 1.5);
}

void drawLoop(QPainter& p) {
    p.setPen(pen(Accent, 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(2, 3.5, 12, 9), 20 * 16, 160 * 16);
    p.drawArc(QRectF(2, 3.5, 12, 9), 200 * 16, 160 * 16);
    arrowHead(p, QPointF(14.2, 9.2), 80);
    arrowHead(p, QPointF(1.8, 6.8), 260);
}

void drawRecord(QPainter& p) {
    p.setPen(pen(QColor(150, 20, 20), 1));
    p.setBrush(QColor(220, 30, 30));
    p.drawEllipse(QPointF(8, 8), 5, 5);
}

void drawInitializeSamples(QPainter& p) {
    // A waveform with a charge arrow.
    QPainterPath wave;
    wave.moveTo(1, 8);
    for (int i = 0; i <= 20; ++i) {
        const qreal x = 1 + i * 0.55;
        const qreal decay = 1.0 - i / 22.0;
        wave.lineTo(x, 8 - std::sin(i * 1.4) * 5 * decay);
    }
    p.setPen(pen(Accent, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(wave);
    p.setPen(pen(QColor(200, 140, 20), 1));
    p.setBrush(QColor(250, 200, 40));
    p.drawPolygon(QPolygonF({{13, 1}, {10, 8.5}, {12.5, 8.5}, {11, 15}, {15, 6.5}, {12.5, 6.5}}));
}

TDraw drawingOf(TToolIcon icon) {
    switch (icon) {
    case TToolIcon::StandardMode:
        return drawStandardMode;
    case TToolIcon::SelectionMode:
        return drawSelectionMode;
    case TToolIcon::PlayMode:
        return drawPlayMode;
    case TToolIcon::HeavyHit:
        return [](QPainter& p) { hit(p, 6); };
    case TToolIcon::MediumHit:
        return [](QPainter& p) { hit(p, 4.3); };
    case TToolIcon::LightHit:
        return [](QPainter& p) { hit(p, 2.7); };
    case TToolIcon::Undo:
        return [](QPainter& p) { turnArrow(p, false); };
    case TToolIcon::Redo:
        return [](QPainter& p) { turnArrow(p, true); };
    case TToolIcon::ZoomIn:
        return [](QPainter& p) { magnifier(p, true); };
    case TToolIcon::ZoomOut:
        return [](QPainter& p) { magnifier(p, false); };
    case TToolIcon::Expand:
        return [](QPainter& p) { rowsBox(p, false); };
    case TToolIcon::Collapse:
        return [](QPainter& p) { rowsBox(p, true); };
    case TToolIcon::TargetCursor:
        return drawTarget;
    case TToolIcon::SnapTo:
        return drawSnap;
    case TToolIcon::PatternMouseMode:
        return drawPatternMouseMode;
    case TToolIcon::Play:
        return drawPlay;
    case TToolIcon::Stop:
        return drawStop;
    case TToolIcon::Loop:
        return drawLoop;
    case TToolIcon::Record:
        return drawRecord;
    case TToolIcon::InitializeSamples:
        return drawInitializeSamples;
    }
    return [](QPainter&) {};
}

} // namespace

QIcon toolIcon(TToolIcon icon) {
    return drawnIcon(drawingOf(icon));
}

void paintApplicationIcon(QPainter& p, const QRectF& target) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(target.topLeft());
    p.scale(target.width() / 64.0, target.height() / 64.0);

    QLinearGradient back(0, 0, 0, 64);
    back.setColorAt(0, QColor(44, 62, 96));
    back.setColorAt(1, QColor(22, 30, 50));
    p.setPen(Qt::NoPen);
    p.setBrush(back);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);

    // The drum's shell, then its head on top.
    QLinearGradient shell(12, 0, 52, 0);
    shell.setColorAt(0, QColor(160, 40, 30));
    shell.setColorAt(0.45, QColor(225, 85, 60));
    shell.setColorAt(1, QColor(140, 30, 25));
    QPainterPath body;
    body.moveTo(12, 28);
    body.lineTo(12, 46);
    body.arcTo(QRectF(12, 38, 40, 16), 180, 180);
    body.lineTo(52, 28);
    body.closeSubpath();
    p.setBrush(shell);
    p.drawPath(body);
    p.setPen(QPen(QColor(240, 200, 120), 1.6));
    for (const qreal x : {18.0, 26.0, 38.0, 46.0}) {
        p.drawLine(QPointF(x, 32), QPointF(x, 50));
    }
    p.setPen(QPen(QColor(200, 200, 210), 2));
    p.setBrush(QColor(238, 236, 228));
    p.drawEllipse(QRectF(12, 20, 40, 16));

    // Two sticks crossing above the head.
    p.setPen(QPen(QColor(230, 190, 120), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(16, 8), QPointF(34, 26));
    p.drawLine(QPointF(50, 8), QPointF(30, 26));
    p.restore();
}

QIcon applicationIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paintApplicationIcon(painter, QRectF(0, 0, size, size));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
