#include "TraceRun.h"

#include <QMetaObject>

namespace mm {

namespace {

struct TStopped {};

} // namespace

TTraceRun::TTraceRun(QImage picture, std::vector<TTraceKey> keys, TProgress progress,
                     TFinished finished, QObject* parent)
    : QObject(parent), progress_(std::move(progress)), finished_(std::move(finished)) {
    thread_ = std::thread(
        [this, picture = std::move(picture), keys = std::move(keys)] { Work(picture, keys); });
}

TTraceRun::~TTraceRun() {
    stop_ = true;
    thread_.join();
}

void TTraceRun::Work(const QImage& picture, const std::vector<TTraceKey>& keys) {
    // Queued with this object as context: dropped unread when the run is destroyed first.
    const auto post = [this](std::function<void()> call) {
        QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection);
    };
    try {
        auto result =
            std::make_shared<TTraceResult>(TracePicture(picture, keys, [&](int done, int total) {
                if (stop_)
                    throw TStopped{};
                post([this, done, total] { progress_(done, total); });
            }));
        post([this, result] { finished_(result.get(), {}); });
    } catch (const TStopped&) {
    } catch (const std::exception& error) {
        post([this, text = QString::fromStdString(error.what())] { finished_(nullptr, text); });
    }
}

} // namespace mm
