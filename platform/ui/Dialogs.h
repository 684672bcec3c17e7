#pragma once
// The one seam through which windows talk to the user in dialogs: the program uses Qt's
// dialogs, tests a scripted stand-in that records every text and returns queued answers.
#include <QColor>
#include <QString>
#include <QStringList>
#include <deque>
#include <optional>

namespace mm {

enum class FileDialogKind { Open, Save, OpenPicture, SavePicture };

// The button Enter presses in a confirmation: No where Yes would throw work away.
enum class DefaultAnswer { Yes, No };

// A file the user chose and the entry of the filter that was chosen with it, from 0.
struct ChosenFile {
    QString path;
    int filterIndex = 0;
};

struct FileDialogRequest {
    FileDialogRequest(FileDialogKind kind = FileDialogKind::Open, QString filter = {},
                      QString defaultExt = {}, QString fileName = {}, int filterIndex = 0)
        : kind(kind), filter(std::move(filter)), defaultExt(std::move(defaultExt)),
          fileName(std::move(fileName)), filterIndex(filterIndex) {}

    FileDialogKind kind;
    QString filter;     // Qt filter text, "JPEG (*.jpg *.jpeg);;All files (*)"
    QString defaultExt; // appended to a name typed without an extension, e.g. "jpg"
    QString fileName;   // proposed name
    int filterIndex;    // the entry of the filter chosen when the dialog opens, from 0
};

class TDialogs {
public:
    virtual ~TDialogs() = default;
    // A plain message box; the caption is the program's name unless one is given.
    virtual void ShowMessage(const QString& text, const QString& caption) = 0;
    void ShowMessage(const QString& text) { ShowMessage(text, QString()); }
    // Yes/No confirmation: true for Yes.
    virtual bool Confirm(const QString& text, DefaultAnswer byDefault) = 0;
    bool Confirm(const QString& text) { return Confirm(text, DefaultAnswer::Yes); }
    // The chosen path, or nothing when cancelled.
    virtual std::optional<QString> ChooseFile(const FileDialogRequest& request) = 0;
    // The same, for a caller that needs the filter chosen (a save dialog offering formats);
    // by default the filter the request proposed.
    virtual std::optional<ChosenFile> ChooseFileAndFilter(const FileDialogRequest& request);
    virtual std::optional<QColor> ChooseColor(const QColor& initial) = 0;
};

class TQtDialogs : public TDialogs {
public:
    using TDialogs::Confirm;
    using TDialogs::ShowMessage;
    void ShowMessage(const QString& text, const QString& caption) override;
    bool Confirm(const QString& text, DefaultAnswer byDefault) override;
    std::optional<QString> ChooseFile(const FileDialogRequest& request) override;
    std::optional<ChosenFile> ChooseFileAndFilter(const FileDialogRequest& request) override;
    std::optional<QColor> ChooseColor(const QColor& initial) override;
};

// Answers from queues; an empty queue answers No / Cancel.
class TScriptedDialogs : public TDialogs {
public:
    using TDialogs::Confirm;
    using TDialogs::ShowMessage;
    void ShowMessage(const QString& text, const QString& caption) override;
    bool Confirm(const QString& text, DefaultAnswer byDefault) override;
    std::optional<QString> ChooseFile(const FileDialogRequest& request) override;
    // A queued filter (QueueFilter) is the one chosen, and a name without an extension gets
    // that filter's, as the file dialog does; else the request's filter and default extension.
    std::optional<ChosenFile> ChooseFileAndFilter(const FileDialogRequest& request) override;
    std::optional<QColor> ChooseColor(const QColor& initial) override;

    void QueueConfirm(bool yes) { confirms_.push_back(yes); }
    void QueueFile(std::optional<QString> path) { files_.push_back(std::move(path)); }
    void QueueColor(std::optional<QColor> color) { colors_.push_back(color); }
    void QueueFilter(int filterIndex) { filters_.push_back(filterIndex); }

    // Every message and confirmation text, in the order shown.
    QStringList shown;
    // The caption of each message that had one, in the order shown.
    QStringList captions;
    // The default button of each confirmation, in the order asked.
    std::vector<DefaultAnswer> defaults;
    std::vector<FileDialogRequest> fileRequests;
    void Clear() {
        shown.clear();
        captions.clear();
        defaults.clear();
        fileRequests.clear();
    }

private:
    std::deque<bool> confirms_;
    std::deque<std::optional<QString>> files_;
    std::deque<std::optional<QColor>> colors_;
    std::deque<int> filters_;
};

// The extension of a filter entry's first pattern ("Text (*.hmt)" gives "hmt"), or nothing for
// an entry without one ("*", "*.*").
QString FilterExtension(const QString& filter, int filterIndex);

} // namespace mm
