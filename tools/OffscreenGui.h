#pragma once
// Drawing with text (the demo pictures' labels) needs a running QGuiApplication; modeltool has
// no display and may have no desktop session.
#include <QGuiApplication>
#include <memory>

namespace mm::tool {

// A QGuiApplication on the offscreen platform for as long as it lives. Qt's note that the
// session's runtime folder is not set is kept from the user: nothing drawn here uses it.
class TOffscreenGui {
public:
    TOffscreenGui();
    ~TOffscreenGui();
    TOffscreenGui(const TOffscreenGui&) = delete;
    TOffscreenGui& operator=(const TOffscreenGui&) = delete;

private:
    int argc_ = 1;
    char name_[10] = "modeltool";
    char* argv_[2] = {name_, nullptr};
    QtMessageHandler previousHandler_;
    std::unique_ptr<QGuiApplication> application_;
};

} // namespace mm::tool
