#pragma once
#include <QLayout>
#include <QWidget>
#include <algorithm>

namespace mm {

// A side panel of a given width that grows when its texts need more in the window's font,
// rather than clipping them.
class TSidePanel : public QWidget {
public:
    TSidePanel(int width, QWidget* parent) : QWidget(parent), width_(width) {
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    }
    QSize sizeHint() const override {
        const QSize contents = layout() ? layout()->minimumSize() : QSize();
        return {std::max(width_, contents.width()), contents.height()};
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

private:
    int width_;
};

} // namespace mm
