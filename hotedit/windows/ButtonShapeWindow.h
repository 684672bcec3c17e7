#pragma once
// The button shape window: one model's picture with the outlines of its buttons from the
// model's own hot-map file, "Edit" to change them in the hot-map editor and save them, "Check"
// to tick every button.
#include "controls/DeferredHandlers.h"
#include "model/ModelRecord.h"

#include <QDialog>
#include <functional>
#include <string>

class QPushButton;
class QScrollArea;
class QWidget;

namespace mm {

class TDialogs;
class THotImage;
class TPanel;

class TButtonShapeWindow : public QDialog {
    Q_OBJECT
public:
    // exeDir: the executable's directory ending in "/", where "data" lies.
    TButtonShapeWindow(TDialogs& dialogs, std::string exeDir, QWidget* parent = nullptr);

    // Shows the model: a copy of the record is kept, the record itself is never changed. The
    // picture and the model's hot-map file go to HotImage1, which is then drawn. Raises the
    // hot-map reader's errors for a damaged file.
    void LoadModel(const TMyModelRecord& record);
    const TMyModelRecord& Model() const { return model_; }

signals:
    // After a confirmed edit was saved: "23 outlines written to Model0101.hmt", "1 outline
    // written to Model0101.hmt".
    void OutlinesWritten(const QString& message);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildLayout();
    // Handlers.
    void EditClick();       // the hot-map editor; its result is saved on OK
    void CheckClick();      // check marks on every spot on and off
    void ShiftLayerClick(); // the SHIFT layer on and off

    TDialogs& dialogs_;
    // Each handler runs once the event that started it has returned.
    TDeferredHandlers handlers_;
    std::string exeDir_;
    TMyModelRecord model_;

    QScrollArea* ImageScroller = nullptr;
    THotImage* HotImage1 = nullptr;
    QWidget* Panel1 = nullptr;
    QPushButton* Button1 = nullptr; // "Edit"
    QPushButton* Button2 = nullptr; // "Check"; its integer property "Tag" is the check mode
    TPanel* Panel2 = nullptr;
};

// What "Draw buttons shape" does: a fresh window loaded with the record, shown modally and
// released. When the model's hot-map file is damaged the error is reported through the dialogs
// and the window is never shown. Run it from a posted handler (as TDeferredHandlers posts them),
// never from inside a control's own signal. `report` is told what each saved edit wrote.
void ShowButtonShapeWindow(QWidget* parent, TDialogs& dialogs, const TMyModelRecord& record,
                           const std::string& exeDir,
                           const std::function<void(const QString&)>& report = {});

} // namespace mm
