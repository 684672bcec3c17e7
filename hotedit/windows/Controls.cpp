#include "Controls.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QScreen>

namespace mm {

namespace {
constexpr int kCaptionMargin = 16;
} // namespace

QPushButton* DesignedButton(const QString& caption, const char* name, const QRect& designed,
                            QWidget* parent) {
    auto* button = Named(new QPushButton(caption, parent), name);
    button->setGeometry(designed);
    FitCaption(button);
    return button;
}

void FitCaption(QAbstractButton* button) {
    const QFontMetrics metrics = button->fontMetrics();
    const QString shown = QString(button->text()).remove(QLatin1Char('&'));
    button->resize(std::max(button->width(), metrics.horizontalAdvance(shown) + kCaptionMargin),
                   std::max(button->height(), metrics.height() + kCaptionMargin / 2));
}

void CentreOnScreen(QWidget* window) {
    const QScreen* screen = window->screen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

} // namespace mm
