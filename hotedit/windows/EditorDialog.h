#pragma once
// What the editors' windows share: every handler runs through the error report and is followed
// by showing the document as it stands; handlers that may show a message, open a window or close
// one run once the event that started them has returned.
#include "controls/DeferredHandlers.h"

#include <QDialog>
#include <functional>

namespace mm {

class TDialogs;

class TEditorDialog : public QDialog {
    Q_OBJECT
public:
    TEditorDialog(TDialogs& dialogs, QWidget* parent);

    // Cancel, Escape and the close box: with changes the user is asked first (No by default),
    // once the event has returned; without, the window closes at once.
    void reject() override;

protected:
    // Whether the window holds changes that closing it without OK would throw away.
    virtual bool HoldsChanges() const = 0;

    // Shows the document: every control as the document says.
    virtual void ShowState() = 0;
    // Handlers are ignored while this is true (the window fills its own controls).
    virtual bool Quiet() const { return false; }

    // The controls' signals reach the window no more: the first step of a window's destructor,
    // while everything its handlers use is alive (the controls go only after it).
    void DisconnectControls();

    // The program's one way of running a handler: through the error report, then ShowState.
    void Run(const std::function<void()>& handler) { handlers_.Run(handler); }
    void Post(std::function<void()> handler) { handlers_.Post(std::move(handler)); }

    // Connects a control's signal to a handler run once the event has returned, or at once.
    template <typename Window, typename Sender, typename Signal>
    void Wire(Sender* sender, Signal signal, void (Window::*handler)()) {
        connect(sender, signal, this, [this, handler] {
            Post([this, handler] { (static_cast<Window*>(this)->*handler)(); });
        });
    }
    template <typename Window, typename Sender, typename Signal>
    void WireNow(Sender* sender, Signal signal, void (Window::*handler)()) {
        connect(sender, signal, this, [this, handler] {
            Run([this, handler] { (static_cast<Window*>(this)->*handler)(); });
        });
    }

    TDialogs& dialogs_;

private:
    TDeferredHandlers handlers_;
    bool asking_ = false;
};

// What Cancel asks when the window holds changes.
inline constexpr char kDiscardQuestion[] = "Discard the changes to the outlines?";

} // namespace mm
