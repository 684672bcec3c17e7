#pragma once
// A main window over a private data folder, talking to the user through scripted dialogs.
#include "TestSupport.h"
#include "controls/Grid.h"
#include "manager/ModelEdit.h"
#include "model/ModelFile.h"
#include "platform/ui/Dialogs.h"

#include <QApplication>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

namespace mm::test {

class WindowTest : public testing::Test {
protected:
    TempDir dir;
    TScriptedDialogs dialogs;
    std::unique_ptr<TfrmModelEdit> window;

    std::string DataDir() const { return dir.Dir() + "data"; }
    std::string DatabasePath() const { return ModelDatabasePath(dir.Dir()); }

    void SetUp() override { std::filesystem::create_directory(DataDir()); }

    void SaveDatabase(const TMyModelRecords& models) { SaveModelFile(DatabasePath(), models, 0); }

    // A model that passes every rule: two keys with distinct numbers, one page.
    static TMyModelRecord ValidModel(uint16_t id, const std::string& name) {
        TMyModelRecord record;
        record.ModelID = id;
        record.ModelType.Assign(name);
        record.KeyCount = 2;
        record.PageCount = 1;
        for (int k = 0; k < 2; ++k) {
            record.BtnInfo[k].Name.Assign("Key" + std::to_string(k + 1));
            record.BtnInfo[k].KNo = static_cast<uint8_t>(k + 1);
            record.BtnInfo[k].KeyIdx = static_cast<uint16_t>(k + 1);
        }
        return record;
    }

    void Open() {
        window = std::make_unique<TfrmModelEdit>(dialogs, dir.Dir());
        window->show();
        QApplication::processEvents();
    }

    TMyModelRecords SavedModels() {
        TMyModelRecords models;
        LoadModelFile(DatabasePath(), models);
        return models;
    }
};

} // namespace mm::test
