#include "DemoPicture.h"

#include "DemoCatalogue.h"

#include <QBuffer>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPolygon>
#include <stdexcept>

namespace mm {

namespace {

constexpr int kJpegQuality = 85;

QPolygon Outline(const TDemoButton& button) {
    QPolygon polygon;
    for (const TPoint& p : button.Points)
        polygon << ToQPoint(p);
    return polygon;
}

// The button's box in Qt's terms: the corners as the hot map stores them, right and bottom
// one past the last pixel.
QRect Box(const TDemoButton& button) {
    return ToQRect(
        {button.Points[0].X, button.Points[0].Y, button.Points[1].X, button.Points[1].Y});
}

void DrawButton(QPainter& painter, const TDemoButton& button) {
    painter.setPen(QPen(button.Face.darker(160), 1));
    painter.setBrush(button.Face);
    QRect labelBox;
    switch (button.Shape) {
    case TSpotShape::Rectangle:
        painter.drawRoundedRect(Box(button), 5, 5);
        labelBox = Box(button);
        break;
    case TSpotShape::Ellipse:
        painter.drawEllipse(Box(button));
        labelBox = Box(button);
        break;
    case TSpotShape::Polyline:
        painter.drawPolygon(Outline(button));
        labelBox = Outline(button).boundingRect();
        break;
    }
    painter.setPen(button.Face.lightness() > 140 ? QColor(30, 30, 30) : QColor(245, 245, 245));
    painter.drawText(labelBox, Qt::AlignCenter, QString::fromStdString(button.Label));
}

} // namespace

TSSByteArray DrawDemoPicture(const std::vector<TDemoButton>& buttons, const QColor& body) {
    QImage image(kDemoPictureSize, QImage::Format_RGB32);
    image.fill(QColor(236, 238, 241));
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        QLinearGradient shade(0, 0, kDemoPictureSize.width(), 0);
        shade.setColorAt(0, body.lighter(125));
        shade.setColorAt(1, body.darker(130));
        painter.setPen(QPen(body.darker(200), 2));
        painter.setBrush(shade);
        painter.drawRoundedRect(
            QRect(12, 8, kDemoPictureSize.width() - 24, kDemoPictureSize.height() - 16), 40, 40);
        // The infrared window at the top.
        painter.setBrush(QColor(60, 20, 30));
        painter.drawRoundedRect(QRect(95, 14, 50, 10), 5, 5);
        QFont font = painter.font();
        font.setPixelSize(11);
        font.setBold(true);
        painter.setFont(font);
        for (const TDemoButton& button : buttons)
            DrawButton(painter, button);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "JPG", kJpegQuality))
        throw std::runtime_error("the picture could not be encoded as JPEG");
    return TSSByteArray(bytes.begin(), bytes.end());
}

} // namespace mm
