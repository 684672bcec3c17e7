#include "OffscreenGui.h"

namespace mm::tool {

namespace {

QtMessageHandler forwardTo = nullptr;

void WithoutRuntimeFolderNote(QtMsgType type, const QMessageLogContext& context,
                              const QString& message) {
    if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    forwardTo(type, context, message);
}

} // namespace

TOffscreenGui::TOffscreenGui() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    previousHandler_ = qInstallMessageHandler(WithoutRuntimeFolderNote);
    forwardTo = previousHandler_;
    application_ = std::make_unique<QGuiApplication>(argc_, argv_);
}

TOffscreenGui::~TOffscreenGui() {
    application_.reset();
    qInstallMessageHandler(previousHandler_);
}

} // namespace mm::tool
