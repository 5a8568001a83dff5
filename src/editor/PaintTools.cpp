// Colours, fonts and the line, box and text primitives of the grid.
#include "editor/PaintTools.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cstdlib>

namespace {

constexpr uint32_t SystemColorFlag = 0x80000000u;

// The few system colours a drumset may carry, by their index.
QColor systemColor(uint32_t index, const QPalette& palette) {
    switch (index) {
    case 5:
        return palette.color(QPalette::Base);
    case 8:
        return palette.color(QPalette::Text);
    case 13:
        return palette.color(QPalette::Highlight);
    case 15:
        return palette.color(QPalette::Button);
    case 16:
        return palette.color(QPalette::Dark);
    case 18:
        return palette.color(QPalette::ButtonText);
    case 20:
        return palette.color(QPalette::Light);
    default:
        return Qt::black;
    }
}

} // namespace

QColor toQColor(uint32_t color, const QPalette& palette) {
    if ((color & 0xFF000000u) == SystemColorFlag) {
        return systemColor(color & 0xFFu, palette);
    }
    return QColor(static_cast<int>(color & 0xFFu), static_cast<int>((color >> 8) & 0xFFu),
                  static_cast<int>((color >> 16) & 0xFFu));
}

TBevelColors TBevelColors::fromPalette(const QPalette& palette) {
    return {palette.color(QPalette::Button), palette.color(QPalette::Dark),
            palette.color(QPalette::Light)};
}

int32_t pointsToPixels(int32_t points) {
    return (points * 96 + 36) / 72;
}

QFont arialFont(int32_t points, bool bold, bool italic) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pointsToPixels(points));
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

QFont defaultFaceFont(int32_t points, bool bold) {
    QFont font;
    font.setPixelSize(pointsToPixels(points));
    font.setBold(bold);
    return font;
}

QPen dottedPen(const QColor& color) {
    QPen pen(color, 1, Qt::DotLine);
    pen.setCosmetic(true);
    return pen;
}

QPen dashDotPen(const QColor& color) {
    QPen pen(color, 1, Qt::DashDotLine);
    pen.setCosmetic(true);
    return pen;
}

void hLine(QPainter& p, int32_t x1, int32_t x2, int32_t y, const QColor& color) {
    if (x1 == x2) {
        return;
    }
    const int32_t left = x1 < x2 ? x1 : x2 + 1;
    p.fillRect(left, y, std::abs(x2 - x1), 1, color);
}

void vLine(QPainter& p, int32_t x, int32_t y1, int32_t y2, const QColor& color) {
    if (y1 == y2) {
        return;
    }
    const int32_t top = y1 < y2 ? y1 : y2 + 1;
    p.fillRect(x, top, 1, std::abs(y2 - y1), color);
}

void penHLine(QPainter& p, int32_t x1, int32_t x2, int32_t y, const QPen& pen) {
    if (x1 == x2) {
        return;
    }
    p.setPen(pen);
    p.drawLine(x1, y, x2 > x1 ? x2 - 1 : x2 + 1, y);
}

void penVLine(QPainter& p, int32_t x, int32_t y1, int32_t y2, const QPen& pen) {
    if (y1 == y2) {
        return;
    }
    p.setPen(pen);
    p.drawLine(x, y1, x, y2 > y1 ? y2 - 1 : y2 + 1);
}

void fillBox(QPainter& p, int32_t x1, int32_t y1, int32_t x2, int32_t y2, const QBrush& brush) {
    const int32_t left = std::min(x1, x2);
    const int32_t top = std::min(y1, y2);
    const int32_t width = std::abs(x2 - x1);
    const int32_t height = std::abs(y2 - y1);
    if (width > 0 && height > 0) {
        p.fillRect(left, top, width, height, brush);
    }
}

void outlinedBox(QPainter& p, int32_t x1, int32_t y1, int32_t x2, int32_t y2, const QColor& pen,
                 const QBrush& brush) {
    const int32_t left = std::min(x1, x2);
    const int32_t right = std::max(x1, x2) - 1;
    const int32_t top = std::min(y1, y2);
    const int32_t bottom = std::max(y1, y2) - 1;
    if (right < left || bottom < top) {
        return;
    }
    if (brush.style() != Qt::NoBrush) {
        fillBox(p, left + 1, top + 1, right, bottom, brush);
    }
    p.fillRect(left, top, right - left + 1, 1, pen);
    p.fillRect(left, bottom, right - left + 1, 1, pen);
    p.fillRect(left, top, 1, bottom - top + 1, pen);
    p.fillRect(right, top, 1, bottom - top + 1, pen);
}

void frame3D(QPainter& p, int32_t x1, int32_t y1, int32_t x2, int32_t y2, const QColor& topLeft,
             const QColor& bottomRight) {
    const int32_t right = x2 - 1;
    const int32_t bottom = y2 - 1;
    if (right < x1 || bottom < y1) {
        return;
    }
    p.fillRect(x1, y1, right - x1 + 1, 1, topLeft);
    p.fillRect(x1, y1, 1, bottom - y1 + 1, topLeft);
    p.fillRect(x1, bottom, right - x1 + 1, 1, bottomRight);
    p.fillRect(right, y1, 1, bottom - y1 + 1, bottomRight);
}

int32_t textAt(QPainter& p, int32_t x, int32_t y, const QString& text) {
    const QFontMetrics metrics = p.fontMetrics();
    p.drawText(x, y + metrics.ascent(), text);
    return metrics.horizontalAdvance(text);
}

int32_t opaqueTextAt(QPainter& p, int32_t x, int32_t y, const QString& text,
                     const QColor& background) {
    const QFontMetrics metrics = p.fontMetrics();
    const int32_t width = metrics.horizontalAdvance(text);
    p.fillRect(x, y, width, metrics.height(), background);
    p.drawText(x, y + metrics.ascent(), text);
    return width;
}
