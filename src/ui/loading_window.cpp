#include "ui/loading_window.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>

#include "ui/window_system.h"

namespace vornik {

LoadingWindow::LoadingWindow(QWidget* mainWindow, const std::function<void()>& created)
    : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool),
      m_main(mainWindow) {
    setObjectName("FormLoadingUI");
    // Black is the window's transparent key: what is not painted is see-through.
    setAttribute(Qt::WA_TranslucentBackground);
    setFixedSize(kWidth, kHeight);
    centre(40);
    m_animation.setInterval(40);
    connect(&m_animation, &QTimer::timeout, this, [this] {
        m_frame = (m_frame + 1) % 48;
        if (isVisible()) update();
    });
    m_animation.start();
    fitToWindowSystem(windowSystemDrawsTranslucency());
    if (created) created();
}

QPainterPath LoadingWindow::card() const {
    // The 200 x 192 picture area, centred; the card lies 8 pixels inside it.
    const QRectF area((width() - 200) / 2.0, (height() - 192) / 2.0, 200, 192);
    QPainterPath path;
    path.addRoundedRect(area.adjusted(8, 8, -8, -8), 18, 18);
    return path;
}

void LoadingWindow::fitToWindowSystem(bool drawsTranslucency) {
    if (drawsTranslucency)
        clearMask();
    else
        setMask(QRegion(card().toFillPolygon().toPolygon()));
}

void LoadingWindow::centre(int offsetY) {
    const QRect main = m_main->frameGeometry();
    move(main.left() + (main.width() - width()) / 2,
         main.top() + (main.height() - height()) / 2 + offsetY);
}

void LoadingWindow::showCentred() {
    centre(0);
    if (!isVisible()) {
        fitToWindowSystem(windowSystemDrawsTranslucency());
        show();
        raise();
    }
    QCoreApplication::processEvents();
}

void LoadingWindow::hideAndReset() {
    hide();
    m_done = 0;
    m_total = 0;
}

void LoadingWindow::transferProgress(std::size_t chunksDone, std::size_t chunksTotal) {
    m_done = chunksDone;
    m_total = chunksTotal;
    update();
}

void LoadingWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath shape = card();
    const QRectF area = shape.boundingRect().adjusted(-8, -8, 8, 8);
    p.fillPath(shape, QColor(20, 22, 27, 235));
    p.setPen(QPen(QColor(24, 186, 235, 170), 1.5));
    p.drawPath(shape);

    const QPointF c = area.center() - QPointF(0, 14);
    const double radius = 38;
    for (int i = 0; i < 12; ++i) {
        const int age = (m_frame / 4 - i + 12) % 12;
        QColor dot(24, 186, 235);
        dot.setAlpha(255 - age * 19);
        const double angle = i * 30.0 * 3.14159265358979 / 180.0;
        p.setPen(Qt::NoPen);
        p.setBrush(dot);
        p.drawEllipse(c + QPointF(std::sin(angle) * radius, -std::cos(angle) * radius), 5.5, 5.5);
    }

    if (m_total > 0) {
        p.setPen(QColor(226, 228, 233));
        QFont f = font();
        f.setPixelSize(13);
        p.setFont(f);
        const QRectF textArea(area.left(), c.y() + radius + 14, area.width(), 22);
        p.drawText(textArea, Qt::AlignCenter, QString("%1 / %2").arg(m_done).arg(m_total));
        const QRectF bar(area.left() + 36, textArea.bottom() + 4, area.width() - 72, 5);
        p.fillRect(bar, QColor(60, 63, 72));
        p.fillRect(QRectF(bar.left(), bar.top(),
                          bar.width() * static_cast<double>(m_done) / static_cast<double>(m_total),
                          bar.height()),
                   QColor(24, 186, 235));
    }
}

}  // namespace vornik
