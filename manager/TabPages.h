#pragma once
#include <QSignalBlocker>
#include <QTabWidget>

namespace mm {

// The window's own changes of the tabs raise no tab-change event.
inline void SetTabVisibleQuietly(QTabWidget* tabs, int tab, bool visible) {
    const QSignalBlocker quiet(tabs);
    tabs->setTabVisible(tab, visible);
}

} // namespace mm
