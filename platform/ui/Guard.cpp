#include "Guard.h"

#include <exception>

namespace mm {

bool Guarded(TDialogs& dialogs, const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const std::exception& error) {
        dialogs.ShowMessage(QString::fromUtf8(error.what()));
    } catch (...) {
        dialogs.ShowMessage(QStringLiteral("Unknown error"));
    }
    return false;
}

} // namespace mm
