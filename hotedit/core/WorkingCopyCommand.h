#pragma once
// One change of an editor's working copy as an undoable command: the copy before and after it.
// The working copies are small (one spot, or the spots of one picture), so whole copies keep
// every command exact whatever came before or after it.
#include <QString>
#include <QUndoCommand>
#include <functional>

namespace mm {

// Commands that carry the same merge key and session are steps of one gesture (a pointer
// drag, typing in one field) and become one command on the stack.
struct TMergeKey {
    int Id = -1; // -1: never merged
    int Session = 0;
};

template <typename T> class TWorkingCopyCommand : public QUndoCommand {
public:
    using TRestore = std::function<void(const T&)>;

    // label: what the undo and redo of the change are called ("Move point 3").
    TWorkingCopyCommand(TRestore restore, T before, T after, const QString& label,
                        TMergeKey key = {})
        : restore_(std::move(restore)), before_(std::move(before)), after_(std::move(after)),
          key_(key) {
        setText(label);
    }

    void redo() override { restore_(after_); }
    void undo() override { restore_(before_); }
    int id() const override { return key_.Id; }

    bool mergeWith(const QUndoCommand* other) override {
        const auto* next = static_cast<const TWorkingCopyCommand*>(other);
        if (next->key_.Session != key_.Session)
            return false;
        after_ = next->after_;
        setObsolete(before_ == after_); // a gesture that came back where it started
        return true;
    }

private:
    TRestore restore_;
    T before_;
    T after_;
    TMergeKey key_;
};

} // namespace mm
