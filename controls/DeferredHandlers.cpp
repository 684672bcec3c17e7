#include "DeferredHandlers.h"

#include "platform/ui/Guard.h"

namespace mm {

TDeferredHandlers::TDeferredHandlers(QObject& window, TDialogs& dialogs,
                                     std::function<void()> showState, std::function<bool()> quiet)
    : window_(window), dialogs_(dialogs), showState_(std::move(showState)),
      quiet_(std::move(quiet)) {}

void TDeferredHandlers::Run(const std::function<void()>& handler) {
    if (quiet_ && quiet_())
        return;
    Guarded(dialogs_, handler);
    if (showState_)
        showState_();
}

void TDeferredHandlers::RunCommand(const std::function<void()>& handler) {
    Run([&] {
        if (beforeCommand_)
            beforeCommand_();
        handler();
    });
}

void TDeferredHandlers::Post(std::function<void()> handler) {
    QMetaObject::invokeMethod(
        &window_, [this, handler = std::move(handler)] { Run(handler); }, Qt::QueuedConnection);
}

} // namespace mm
