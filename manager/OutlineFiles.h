#pragma once
// Where each model's button outlines are on disk. A model's outlines live in the file named for
// its ID; when the ID changes, or a model is copied, the file must follow at the next save or
// the outlines would be lost from sight. Deleting a model leaves its file alone.
#include "model/ModelRecord.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mm {

struct TOutlineMove {
    std::string from;
    std::string to;
    bool keepSource; // a copy: another model still has the source's ID
};

class TOutlineFiles {
public:
    explicit TOutlineFiles(std::string exeDir) : exeDir_(std::move(exeDir)) {}

    // The models as they are on disk: each one's outlines in the file of its own ID.
    void Reset(const TMyModelRecords& models);
    // A model added at the end, whose outlines are those of the model with the given ID (a
    // copy), or none.
    void Append(std::optional<uint16_t> source);
    void Insert(int index, std::optional<uint16_t> source);
    void Erase(int index);
    // The ID whose file holds the outlines of the model at index, if any.
    std::optional<uint16_t> Source(int index) const;

    // What a save of these models must do to the outline files. Raises Error, before anything
    // is written, when a file would land on a name another file already has.
    std::vector<TOutlineMove> Plan(const TMyModelRecords& models) const;
    // Copies each file through the one atomic writer, then removes the sources of renames.
    // Raises the writer's error when a copy fails (the remaining files stay where they are);
    // returns the text of what could not be removed, empty when everything was.
    static std::string Apply(const std::vector<TOutlineMove>& moves);

private:
    std::string exeDir_;
    std::vector<std::optional<uint16_t>> sources_;
};

} // namespace mm
