#include "TracePictures.h"

#include "hotimage/core/Spot.h"
#include "platform/ui/Jpeg.h"

#include <QBuffer>
#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>
#include <random>

namespace mm::test {

namespace {

const char* const kLabels[] = {"POWER", "MUTE", "VOL+", "VOL-",  "MENU",  "OK",   "EXIT",  "INFO",
                               "TV",    "HOME", "BACK", "PLAY",  "STOP",  "REC",  "GUIDE", "1",
                               "2",     "3",    "4",    "5",     "6",     "7",    "8",     "9",
                               "0",     "CH+",  "CH-",  "AV",    "SLEEP", "MODE", "EPG",   "LIST",
                               "FAV",   "TEXT", "ZOOM", "AUDIO", "SUB",   "HELP", "EDIT",  "RED"};

enum class TKind { Rectangle, Ellipse, Round, Arrow };

// An arrow key pointing up, scaled to the box: a pentagon.
QPolygonF Arrow(const QRectF& box) {
    const double l = box.left(), r = box.right(), t = box.top(), b = box.bottom();
    const double mx = box.center().x();
    return QPolygonF({QPointF(mx, t), QPointF(r, t + box.height() * 0.45), QPointF(r, b),
                      QPointF(l, b), QPointF(l, t + box.height() * 0.45)});
}

void AddNoise(QImage& image) {
    std::mt19937 random(7);
    std::normal_distribution<double> noise(0, 9);
    for (int y = 0; y < image.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const auto channel = [&](int v) { return std::clamp(int(v + noise(random)), 0, 255); };
            line[x] =
                qRgb(channel(qRed(line[x])), channel(qGreen(line[x])), channel(qBlue(line[x])));
        }
    }
}

QImage ThroughJpeg(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 85);
    return DecodeJpeg(bytes.constData(), size_t(bytes.size()));
}

} // namespace

TDrawnPicture DrawPicture(const TPictureStyle& style) {
    TDrawnPicture drawn;
    QImage image(style.Size, QImage::Format_RGB32);
    image.fill(style.Background);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF middle(style.Size.width() / 2.0, style.Size.height() / 2.0);
    QTransform turn;
    turn.translate(middle.x(), middle.y()).rotate(style.Angle).translate(-middle.x(), -middle.y());
    painter.setTransform(turn);
    const QRectF body(style.Size.width() * 0.08, style.Size.height() * 0.04,
                      style.Size.width() * 0.84, style.Size.height() * 0.92);
    painter.setPen(QPen(style.Body.darker(150), 2));
    painter.setBrush(style.Body);
    painter.drawRoundedRect(body, 40, 40);
    const double cellW = body.width() * 0.9 / style.Columns;
    const double cellH = body.height() * 0.9 / style.Rows;
    int n = 0;
    for (int row = 0; row < style.Rows; ++row) {
        for (int column = 0; column < style.Columns; ++column, ++n) {
            const QPointF centre(body.left() + body.width() * 0.05 + cellW * (column + 0.5),
                                 body.top() + body.height() * 0.05 + cellH * (row + 0.5));
            const TKind kind = TKind((row + column) % 4);
            QSizeF size(cellW * 0.7, cellH * 0.55);
            if (kind == TKind::Round || kind == TKind::Arrow)
                size = QSizeF(std::min(size.width(), cellH * 0.65),
                              std::min(size.width(), cellH * 0.65));
            const QRectF box(centre - QPointF(size.width() / 2, size.height() / 2), size);
            const QColor face = style.Faces[size_t(n) % style.Faces.size()];
            const auto drawShape = [&](const QRectF& at) {
                if (kind == TKind::Rectangle)
                    painter.drawRoundedRect(at, 6, 6);
                else if (kind == TKind::Arrow)
                    painter.drawPolygon(Arrow(at));
                else
                    painter.drawEllipse(at);
            };
            if (style.Relief) {
                painter.setPen(Qt::NoPen);
                painter.setBrush(style.Body.darker(160));
                drawShape(box.translated(3, 4));
            }
            painter.setPen(QPen(face.darker(170), 1.5));
            painter.setBrush(face);
            drawShape(box);
            if (style.Relief) {
                painter.setPen(Qt::NoPen);
                painter.setBrush(QColor(255, 255, 255, 150));
                painter.drawEllipse(QRectF(box.left() + box.width() * 0.12,
                                           box.top() + box.height() * 0.1, box.width() * 0.2,
                                           box.height() * 0.14));
                // A word printed on the body beside the button, as on many remotes.
                QFont small = painter.font();
                small.setPixelSize(9);
                painter.setFont(small);
                painter.setPen(style.Body.lightness() > 128 ? QColor(70, 70, 70)
                                                            : QColor(200, 200, 200));
                painter.drawText(QPointF(box.left(), box.bottom() + 11), "fn");
            }
            const int32_t id = n + 1;
            const std::string label = kind == TKind::Arrow ? "" : kLabels[size_t(n) % 40];
            // Every key is in the table; an arrow's key has a name no text on it gives.
            drawn.Keys.push_back({kind == TKind::Arrow ? "ARROW" + std::to_string(n) : label, id});
            drawn.Buttons.push_back({turn.map(centre), size, kind == TKind::Arrow ? 0 : id});
            if (label.empty())
                continue;
            QFont font = painter.font();
            font.setBold(true);
            // Printed well inside the face, as on real keys.
            font.setPixelSize(std::max(
                9, int(std::min(size.height() * 0.36, size.width() * 0.9 / double(label.size())))));
            painter.setFont(font);
            painter.setPen(face.lightness() > 128 ? QColor(25, 25, 25) : QColor(245, 245, 245));
            painter.drawText(box, Qt::AlignCenter, QString::fromStdString(label));
        }
    }
    painter.resetTransform();
    if (style.Gradient) {
        QLinearGradient light(0, 0, style.Size.width(), 0);
        light.setColorAt(0, Qt::white);
        light.setColorAt(1, QColor(110, 110, 110));
        painter.setCompositionMode(QPainter::CompositionMode_Multiply);
        painter.fillRect(image.rect(), light);
    }
    painter.end();
    if (style.Blur)
        image = image.scaled(style.Size / 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                    .scaled(style.Size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (style.Noise)
        AddNoise(image);
    drawn.Image = ThroughJpeg(image);
    return drawn;
}

TTraceScore Score(const std::vector<TExpectedButton>& buttons, const TTraceResult& result) {
    TTraceScore score;
    score.Buttons = int(buttons.size());
    score.Proposals = int(result.Spots.size());
    std::vector<int> holding(result.Spots.size(), 0);
    for (const TExpectedButton& button : buttons) {
        const TPoint centre{int32_t(std::lround(button.Centre.x())),
                            int32_t(std::lround(button.Centre.y()))};
        bool found = false, matched = false;
        for (size_t i = 0; i < result.Spots.size(); ++i) {
            const TSpot spot(result.Spots[i]);
            if (!spot.Contains(centre))
                continue;
            ++holding[i];
            const TRect b = spot.GetBounds();
            const double w = b.Right - b.Left, h = b.Bottom - b.Top;
            const bool sized = w * 3 >= button.Size.width() && w <= 3 * button.Size.width() &&
                               h * 3 >= button.Size.height() && h <= 3 * button.Size.height();
            found = found || sized;
            matched = matched || (sized && button.ID != 0 && spot.ID == button.ID);
        }
        score.Found += found ? 1 : 0;
        score.Labelled += button.ID != 0 ? 1 : 0;
        score.Matched += matched ? 1 : 0;
    }
    for (int h : holding) {
        score.Stray += h == 0 ? 1 : 0;
        score.Covering += h > 1 ? 1 : 0;
    }
    return score;
}

std::string ScoreText(const TTraceScore& s) {
    return std::to_string(s.Found) + "/" + std::to_string(s.Buttons) + " found, " +
           std::to_string(s.Stray) + "/" + std::to_string(s.Proposals) + " stray, " +
           std::to_string(s.Covering) + " covering two, " + std::to_string(s.Matched) + "/" +
           std::to_string(s.Labelled) + " matched";
}

} // namespace mm::test
