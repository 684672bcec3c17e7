#include "OutlineFiles.h"

#include "hotimage/core/HotMapFormats.h"
#include "platform/Errors.h"
#include "platform/Streams.h"

#include <cerrno>
#include <cstdio>

namespace mm {

void TOutlineFiles::Reset(const TMyModelRecords& models) {
    sources_.clear();
    sources_.reserve(models.size());
    for (const TMyModelRecord& record : models)
        sources_.push_back(record.ModelID);
}

void TOutlineFiles::Append(std::optional<uint16_t> source) {
    sources_.push_back(source);
}

void TOutlineFiles::Insert(int index, std::optional<uint16_t> source) {
    if (index >= 0 && static_cast<size_t>(index) <= sources_.size())
        sources_.insert(sources_.begin() + index, source);
}

void TOutlineFiles::Erase(int index) {
    if (index >= 0 && static_cast<size_t>(index) < sources_.size())
        sources_.erase(sources_.begin() + index);
}

std::optional<uint16_t> TOutlineFiles::Source(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= sources_.size())
        return std::nullopt;
    return sources_[static_cast<size_t>(index)];
}

std::vector<TOutlineMove> TOutlineFiles::Plan(const TMyModelRecords& models) const {
    std::vector<TOutlineMove> moves;
    for (size_t i = 0; i < models.size() && i < sources_.size(); ++i) {
        const std::optional<uint16_t> source = sources_[i];
        if (!source || *source == models[i].ModelID)
            continue;
        TOutlineMove move{ModelHotMapPath(exeDir_, *source),
                          ModelHotMapPath(exeDir_, models[i].ModelID), false};
        if (!FileExists(move.from))
            continue;
        if (FileExists(move.to))
            throw Error("Cannot move the button outlines \"" + move.from + "\" to \"" + move.to +
                        "\": a file of that name is there already. Nothing was saved.");
        for (size_t j = 0; j < models.size(); ++j)
            if (j != i &&
                (models[j].ModelID == *source || (j < sources_.size() && sources_[j] == source)))
                move.keepSource = true;
        moves.push_back(std::move(move));
    }
    return moves;
}

std::string TOutlineFiles::Apply(const std::vector<TOutlineMove>& moves) {
    std::string notRemoved;
    for (const TOutlineMove& move : moves) {
        const TSSByteArray bytes = ReadWholeFile(move.from);
        WriteWholeFile(move.to, bytes.data(), bytes.size());
        // The outlines are safe in their new file: an old one that stays is only a leftover.
        if (!move.keepSource && std::remove(move.from.c_str()) != 0)
            notRemoved += "Cannot remove file \"" + move.from + "\". " + SystemReason(errno);
    }
    return notRemoved;
}

} // namespace mm
