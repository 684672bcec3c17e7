#pragma once
// One way of wiring a window's handlers: each runs through the error report and is followed by
// showing the window's state; a handler that may show a message, open a window or close one is
// posted, so it runs once the event that started it has returned.
#include <QObject>
#include <functional>

namespace mm {

class TDialogs;

class TDeferredHandlers {
public:
    // quiet, when given, says the window is filling its own controls: handlers do nothing then.
    TDeferredHandlers(QObject& window, TDialogs& dialogs, std::function<void()> showState,
                      std::function<bool()> quiet = {});

    // What every command does first (a window takes what the user is still typing).
    void SetBeforeCommand(std::function<void()> before) { beforeCommand_ = std::move(before); }

    // Runs a handler now, then shows the state.
    void Run(const std::function<void()>& handler);
    // Runs a command's handler now, after what every command does first, then shows the state.
    void RunCommand(const std::function<void()>& handler);
    // Runs a handler once the event being handled has returned; nothing when the window is gone.
    void Post(std::function<void()> handler);

    // Connects a signal to a handler run once the event has returned, or at once.
    template <typename Sender, typename Signal>
    void Wire(Sender* sender, Signal signal, std::function<void()> handler) {
        QObject::connect(sender, signal, &window_,
                         [this, handler = std::move(handler)] { Post(handler); });
    }
    template <typename Sender, typename Signal>
    void WireNow(Sender* sender, Signal signal, std::function<void()> handler) {
        QObject::connect(sender, signal, &window_,
                         [this, handler = std::move(handler)] { Run(handler); });
    }

    template <typename Sender, typename Signal>
    void WireCommand(Sender* sender, Signal signal, std::function<void()> handler) {
        QObject::connect(sender, signal, &window_,
                         [this, handler = std::move(handler)] { RunCommand(handler); });
    }

private:
    QObject& window_;
    TDialogs& dialogs_;
    std::function<void()> showState_;
    std::function<bool()> quiet_;
    std::function<void()> beforeCommand_;
};

} // namespace mm
