#pragma once
// A trace of the editor's picture on a thread of its own: the editor stays responsive while
// the buttons are found and their labels read, and hears of the progress and the result on
// its own thread.
#include "trace/Trace.h"

#include <QObject>
#include <atomic>
#include <functional>
#include <thread>

namespace mm {

class TTraceRun : public QObject {
public:
    using TProgress = std::function<void(int done, int total)>;
    // result: the trace, or nullptr with the error's text.
    using TFinished = std::function<void(const TTraceResult* result, const QString& error)>;

    // Starts at once; the callbacks run on the thread that made the run, never after the run
    // is destroyed.
    TTraceRun(QImage picture, std::vector<TTraceKey> keys, TProgress progress, TFinished finished,
              QObject* parent = nullptr);
    // Stops the trace at the next button and waits for its thread.
    ~TTraceRun() override;

private:
    void Work(const QImage& picture, const std::vector<TTraceKey>& keys);

    TProgress progress_;
    TFinished finished_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

} // namespace mm
