#pragma once
// Random real input for a window: clicks, double clicks, right clicks, drags, wheel turns, keys
// and typed text on whatever widget of the top-most window lies there (an open menu or list
// first, then a modal window, then the window under test), with the window's dialogs answered
// at random through the dialog seam. Every step is scheduled from the event loop, so a step
// that opens a menu or a modal window is followed by steps inside it, as a user goes on.
#include "platform/ui/Dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMenu>
#include <QPointer>
#include <QSizeGrip>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <QtTest/qtestspontaneevent.h>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace mm::test {

// Dialog answers drawn from a seeded generator: Yes or No, one of the given files or a
// cancel, a colour or a cancel. Every text shown is counted.
class TRandomDialogs : public TDialogs {
public:
    TRandomDialogs(uint32_t seed, std::vector<QString> files)
        : random_(seed), files_(std::move(files)) {}
    using TDialogs::Confirm;
    using TDialogs::ShowMessage;
    void ShowMessage(const QString& text, const QString&) override { last = text, ++shown; }
    bool Confirm(const QString& text, DefaultAnswer) override {
        last = text, ++shown;
        return random_() % 2 == 0;
    }
    std::optional<QString> ChooseFile(const FileDialogRequest&) override {
        const size_t pick = random_() % (files_.size() + 1);
        if (pick == files_.size())
            return std::nullopt;
        return files_[pick];
    }
    std::optional<QColor> ChooseColor(const QColor&) override {
        if (random_() % 3 == 0)
            return std::nullopt;
        return QColor(static_cast<QRgb>(random_() & 0xFFFFFF));
    }

    int shown = 0;
    QString last;

private:
    std::mt19937 random_;
    std::vector<QString> files_;
};

class TMonkey {
public:
    // root gives the window under test; it is shown again whenever the monkey closed it.
    TMonkey(uint32_t seed, std::function<QWidget*()> root)
        : random_(seed), root_(std::move(root)) {}

    // Called between events whenever the window under test is on top, once what the last
    // event left for the event loop has run.
    std::function<void()> AfterEachEvent;

    // Sends events until `events` were sent or the time is up; returns how many were sent in all
    // (a run may be continued with another call).
    int Run(int events, int milliseconds) {
        limit_ = events;
        rootSteps_ = 0;
        clock_.start();
        budget_ = milliseconds;
        TWatchdog watchdog(std::chrono::milliseconds(milliseconds) + kGrace);
        QTimer::singleShot(0, [this] { Step(); });
        loop_.exec();
        return sent_;
    }

private:
    static constexpr std::chrono::seconds kGrace{90};
    static constexpr int kStepsBeforeStopping = 3;

    // A run that does not end long after its time is a window waiting for input no one sends:
    // it fails with every thread's stack (when gdb is there to print them) instead of stalling.
    class TWatchdog {
    public:
        explicit TWatchdog(std::chrono::milliseconds limit)
            : thread_([this, limit] {
                  std::unique_lock lock(mutex_);
                  if (ended_.wait_for(lock, limit, [this] { return done_; }))
                      return;
                  std::fprintf(stderr, "monkey: still running %lld s after its time\n",
                               static_cast<long long>(kGrace.count()));
                  const std::string gdb = "gdb -batch -p " + std::to_string(getpid()) +
                                          " -ex 'thread apply all bt' 1>&2 2>/dev/null";
                  if (access("/usr/bin/gdb", X_OK) == 0 && std::system(gdb.c_str()) != 0)
                      std::fprintf(stderr, "monkey: gdb could not print the stacks\n");
                  std::abort();
              }) {}
        ~TWatchdog() {
            {
                std::lock_guard lock(mutex_);
                done_ = true;
            }
            ended_.notify_one();
            thread_.join();
        }
        TWatchdog(const TWatchdog&) = delete;
        TWatchdog& operator=(const TWatchdog&) = delete;

    private:
        std::mutex mutex_;
        std::condition_variable ended_;
        bool done_ = false;
        std::thread thread_; // last: starts once the rest is made
    };

    bool Finishing() const { return sent_ >= limit_ || clock_.elapsed() > budget_; }

    // The window the user sees on top: an open menu or list, a modal window, the root.
    static QWidget* TopWindow(QWidget* root) {
        if (QWidget* popup = QApplication::activePopupWidget())
            return popup;
        if (QWidget* modal = QApplication::activeModalWidget())
            return modal;
        return root;
    }

    void Step() {
        QWidget* root = root_();
        QWidget* top = TopWindow(root);
        if (top == root && AfterEachEvent)
            AfterEachEvent();
        if (Finishing()) {
            // Close what is open, then stop once the root stayed on top for a few steps in a
            // row: a handler the last event posted may still open a modal window, which must not
            // outlive the run. Each modal loop returns to the step that opened it.
            if (top == root) {
                if (++rootSteps_ > kStepsBeforeStopping)
                    loop_.quit();
                else
                    QTimer::singleShot(0, [this] { Step(); });
                return;
            }
            rootSteps_ = 0;
            QTimer::singleShot(0, [this] { Step(); });
            if (auto* menu = qobject_cast<QMenu*>(top))
                menu->close();
            else
                QTest::keyClick(top, Qt::Key_Escape);
            return;
        }
        // Scheduled first: if this event opens a menu or a modal window, the next steps run
        // inside its loop.
        QTimer::singleShot(0, [this] { Step(); });
        if (!root->isVisible()) {
            root->show();
            root->activateWindow();
        }
        SendOneEvent(top);
        ++sent_;
    }

    int Pick(int n) { return n <= 0 ? 0 : static_cast<int>(random_() % static_cast<uint32_t>(n)); }

    QWidget* SomeWidget(QWidget* top) {
        std::vector<QWidget*> widgets{top};
        // Resizing the window belongs to the window manager, not to the window under test.
        for (QWidget* w : top->findChildren<QWidget*>())
            if (w->isVisible() && w->window() == top && !qobject_cast<QSizeGrip*>(w))
                widgets.push_back(w);
        // Buttons are what users click most: give them a second chance.
        for (QWidget* w : top->findChildren<QAbstractButton*>())
            if (w->isVisible() && w->window() == top)
                widgets.push_back(w);
        return widgets[static_cast<size_t>(Pick(static_cast<int>(widgets.size())))];
    }

    QPoint SomePoint(const QWidget* w) {
        return {Pick(std::max(1, w->width())), Pick(std::max(1, w->height()))};
    }

    void SendOneEvent(QWidget* top) {
        if (auto* menu = qobject_cast<QMenu*>(top)) {
            const QList<QAction*> actions = menu->actions();
            if (actions.isEmpty() || Pick(5) == 0) {
                menu->close();
                return;
            }
            QAction* action = actions[Pick(static_cast<int>(actions.size()))];
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
            if (menu->isVisible())
                menu->close();
            return;
        }
        QWidget* target = SomeWidget(top);
        QWidget* focus = QApplication::focusWidget();
        if (!focus || focus->window() != top)
            focus = target;
        const int kind = Pick(100);
        if (kind < 40) {
            QTest::mouseClick(target, Qt::LeftButton, {}, SomePoint(target));
        } else if (kind < 48) {
            QTest::mouseDClick(target, Qt::LeftButton, {}, SomePoint(target));
        } else if (kind < 52) {
            const QPoint at = SomePoint(target);
            QTest::mouseClick(target, Qt::RightButton, {}, at);
            QContextMenuEvent request(QContextMenuEvent::Mouse, at, target->mapToGlobal(at));
            QApplication::sendEvent(target, &request);
        } else if (kind < 56) {
            // A drag; the press may close the widget it started on.
            const QPointer<QWidget> dragged = target;
            QTest::mousePress(target, Qt::LeftButton, {}, SomePoint(target));
            if (dragged)
                QTest::mouseMove(target, SomePoint(target));
            if (dragged)
                QTest::mouseRelease(target, Qt::LeftButton, {}, SomePoint(target));
        } else if (kind < 60) {
            const QPointF at = SomePoint(target);
            QWheelEvent wheel(at, target->mapToGlobal(at), {}, {0, Pick(2) ? 120 : -120},
                              Qt::NoButton, {}, Qt::NoScrollPhase, false);
            // As the platform sends it: what the target leaves goes on to its parents.
            QSpontaneKeyEvent::setSpontaneous(&wheel);
            QApplication::sendEvent(target, &wheel);
        } else if (kind < 85) {
            static const Qt::Key keys[] = {Qt::Key_Return,  Qt::Key_Escape,    Qt::Key_Tab,
                                           Qt::Key_Backtab, Qt::Key_Up,        Qt::Key_Down,
                                           Qt::Key_Left,    Qt::Key_Right,     Qt::Key_F2,
                                           Qt::Key_Delete,  Qt::Key_Backspace, Qt::Key_Space,
                                           Qt::Key_Home,    Qt::Key_End,       Qt::Key_PageDown};
            static const Qt::KeyboardModifiers modifiers[] = {
                Qt::NoModifier,      Qt::NoModifier,    Qt::NoModifier,
                Qt::ControlModifier, Qt::ShiftModifier, Qt::ControlModifier | Qt::ShiftModifier};
            const bool letter = Pick(4) == 0;
            const Qt::Key key =
                letter ? static_cast<Qt::Key>(Qt::Key_A + Pick(26)) : keys[Pick(std::size(keys))];
            QTest::keyClick(focus, key, modifiers[Pick(std::size(modifiers))]);
        } else {
            static const QString pieces[] = {"1",  "7",  "0x10",   "255",         "a",
                                             "g",  "=",  " ",      "PID",         "-",
                                             "99", "S5", "\u4e2d", "\u9065\u63a7"};
            TypeInto(focus, pieces[Pick(std::size(pieces))]);
            // Now and then Escape while typing, and typing on at once: whatever the Escape
            // opened must not take the letters as answers.
            if (Pick(5) == 0) {
                const QPointer<QWidget> typedInto = focus;
                QTest::keyClick(focus, Qt::Key_Escape);
                if (QWidget* next = QApplication::focusWidget(); next && typedInto)
                    TypeInto(next, pieces[Pick(std::size(pieces))]);
            }
        }
    }

    static void TypeInto(QWidget* widget, const QString& text) {
        const QPointer<QWidget> alive = widget;
        for (const QChar ch : text) {
            if (!alive)
                return;
            if (ch.unicode() < 0x80)
                QTest::keyClick(widget, static_cast<char>(ch.unicode()));
            else
                QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), {});
        }
    }

    std::mt19937 random_;
    std::function<QWidget*()> root_;
    QEventLoop loop_;
    QElapsedTimer clock_;
    int budget_ = 0;
    int limit_ = 0;
    int sent_ = 0;
    int rootSteps_ = 0;
};

} // namespace mm::test
