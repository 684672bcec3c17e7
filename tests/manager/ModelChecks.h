#pragma once
// Catalogues the manager's tests build, and their comparison record by record.
#include "TestSupport.h"
#include "manager/ModelDocument.h"
#include "model/ModelRecord.h"

#include <gtest/gtest.h>
#include <string>

namespace mm::test {

// A valid model of n keys without SHIFT: names "K0".., serial numbers and key indexes 1..n,
// one page.
inline TMyModelRecord ModelWithKeys(uint16_t id, const std::string& name, int n) {
    TMyModelRecord record;
    record.ModelID = id;
    record.ModelType.Assign(name);
    record.PageCount = 1;
    record.KeyCount = static_cast<uint8_t>(n);
    for (int k = 0; k < n; ++k) {
        record.BtnInfo[k].Name.Assign("K" + std::to_string(k));
        record.BtnInfo[k].KNo = static_cast<uint8_t>(k + 1);
        record.BtnInfo[k].KeyIdx = static_cast<uint16_t>(k + 1);
    }
    return record;
}

// The same records, byte for byte, in the same order.
inline testing::AssertionResult SameModels(const TMyModelRecords& actual,
                                           const TMyModelRecords& expected) {
    if (actual.size() != expected.size())
        return testing::AssertionFailure()
               << actual.size() << " models instead of " << expected.size();
    for (size_t m = 0; m < expected.size(); ++m)
        if (!SameRecord(actual[m], expected[m]))
            return testing::AssertionFailure() << "model " << m << " differs";
    return testing::AssertionSuccess();
}

// Every command undone gives the models of the start and, saved, its file byte for byte; every
// command redone gives the changed models again.
inline void ExpectUndoAllAndRedoAll(TModelDocument& document, const TMyModelRecords& start,
                                    const std::vector<uint8_t>& startFile,
                                    const TMyModelRecords& changed) {
    QUndoStack& stack = document.UndoStack();
    while (stack.canUndo())
        stack.undo();
    EXPECT_FALSE(document.Unsaved());
    EXPECT_TRUE(SameModels(document.Models(), start));
    document.Save(0);
    EXPECT_EQ(ReadBytes(document.DatabasePath()), startFile);
    while (stack.canRedo())
        stack.redo();
    EXPECT_TRUE(SameModels(document.Models(), changed));
}

} // namespace mm::test
