#pragma once
// The spot editor shown on a spot as the hot-map editor opens it, ready for real input.
#include "RealInput.h"
#include "hotedit/windows/SpotEditor.h"

#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace mm::test {

inline std::unique_ptr<TSpotEditor> ShowSpotEditor(TDialogs& dialogs, const QImage& picture,
                                                   const TSpot& spot, TPoint lastPoint = {},
                                                   const QString& caption = "HotImage1[0]") {
    auto editor = std::make_unique<TSpotEditor>(dialogs);
    editor->setWindowTitle(caption);
    editor->LastPoint = lastPoint;
    editor->LoadSpot(picture, spot.Data());
    editor->show();
    editor->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(editor.get()));
    Settle();
    return editor;
}

} // namespace mm::test
