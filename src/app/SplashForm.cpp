#include "app/SplashForm.h"

#include "app/ToolIcons.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <cmath>

namespace {

// A row of hits on a grid, as the editor shows them.
void paintGrid(QPainter& p, const QRectF& area) {
    p.setPen(QPen(QColor(255, 255, 255, 28), 1));
    const int columns = 16;
    const int rows = 4;
    for (int c = 0; c <= columns; ++c) {
        const qreal x = area.left() + area.width() * c / columns;
        p.setPen(QPen(QColor(255, 255, 255, c % 4 == 0 ? 70 : 24), 1));
        p.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
    }
    p.setPen(QPen(QColor(255, 255, 255, 28), 1));
    for (int r = 0; r <= rows; ++r) {
        const qreal y = area.top() + area.height() * r / rows;
        p.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
    }
    // A rock groove: hi-hat on eighths, snare on 2 and 4, bass drum on 1 and 3.
    const QColor colours[] = {QColor(250, 220, 70), QColor(240, 150, 50), QColor(220, 70, 60)};
    const char* const pattern[] = {"x.x.x.x.x.x.x.x.", "....x.......x...", "x.....x.x......."};
    const qreal cell = area.width() / columns;
    const qreal rowHeight = area.height() / rows;
    p.setPen(Qt::NoPen);
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < columns; ++c) {
            if (pattern[r][c] == 'x') {
                const QRectF hit(area.left() + c * cell + 2, area.top() + (r + 0.5) * rowHeight + 2,
                                 cell - 4, rowHeight - 4);
                p.setBrush(colours[r]);
                p.drawRoundedRect(hit, 2, 2);
            }
        }
    }
}

} // namespace

QPixmap splashPicture(qreal devicePixelRatio) {
    const QSize size(TSplashForm::SplashWidth, TSplashForm::SplashHeight);
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    const QRectF all(0, 0, size.width(), size.height());
    QLinearGradient back(0, 0, 0, size.height());
    back.setColorAt(0, QColor(38, 52, 84));
    back.setColorAt(1, QColor(14, 18, 32));
    p.fillRect(all, back);

    paintApplicationIcon(p, QRectF(size.width() / 2.0 - 64, 34, 128, 128));

    QFont title(QStringLiteral("Liberation Sans"));
    title.setPixelSize(52);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(245, 240, 230));
    p.drawText(QRectF(0, 170, size.width(), 64), Qt::AlignCenter, QStringLiteral("Tavorine"));

    QFont subtitle(QStringLiteral("Liberation Sans"));
    subtitle.setPixelSize(16);
    p.setFont(subtitle);
    p.setPen(QColor(190, 200, 220));
    p.drawText(QRectF(0, 228, size.width(), 24), Qt::AlignCenter,
               QStringLiteral("Drum track composer"));

    paintGrid(p, QRectF(40, 266, size.width() - 80, 64));

    QFont small(QStringLiteral("Liberation Sans"));
    small.setPixelSize(11);
    p.setFont(small);
    p.setPen(QColor(150, 160, 180));
    p.drawText(QRectF(0, 340, size.width() - 12, 20), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("Version %1").arg(QCoreApplication::applicationVersion()));
    p.drawText(QRectF(12, 340, size.width(), 20), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Loading..."));

    // The lowered bevel: shadow above and left, light below and right.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor(8, 10, 16));
    p.drawLine(0, 0, size.width() - 1, 0);
    p.drawLine(0, 0, 0, size.height() - 1);
    p.setPen(QColor(110, 124, 156));
    p.drawLine(0, size.height() - 1, size.width() - 1, size.height() - 1);
    p.drawLine(size.width() - 1, 0, size.width() - 1, size.height() - 1);
    p.end();
    return pixmap;
}

TSplashForm::TSplashForm() {
    setObjectName(QStringLiteral("SplashForm"));
    const QScreen* screen = QGuiApplication::primaryScreen();
    setPixmap(splashPicture(screen != nullptr ? screen->devicePixelRatio() : 1.0));
}

void TSplashForm::showNow() {
    show();
    repaint();
    QCoreApplication::processEvents();
}
