#include "Guard.h"

#include "QtText.h"
#include "platform/Errors.h"

#include <QObject>
#include <exception>

namespace mm {

bool Guarded(TDialogs& dialogs, const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const ConvertError& error) {
        // The text came from a control: show it as the user typed it, not as bytes.
        dialogs.ShowMessage(
            QString::fromUtf8(ConvertErrorMessage("%1")).arg(QStringFromGbk(error.Text())));
    } catch (const std::exception& error) {
        dialogs.ShowMessage(QString::fromUtf8(error.what()));
    } catch (...) {
        dialogs.ShowMessage(QStringLiteral("Unknown error"));
    }
    return false;
}

void PostGuarded(QObject* context, TDialogs& dialogs, std::function<void()> handler) {
    QMetaObject::invokeMethod(
        context, [&dialogs, handler = std::move(handler)] { Guarded(dialogs, handler); },
        Qt::QueuedConnection);
}

} // namespace mm
