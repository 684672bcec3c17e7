#include "KeyMatch.h"

#include <algorithm>

namespace mm {

namespace {

// Without spaces, ASCII letters in upper case; GBK bytes stay as they are (a trail byte may
// look like an ASCII letter, so a lead byte takes its trail byte along unchanged).
std::string Folded(const std::string& text, bool confusions) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 0x81 && c <= 0xFE && i + 1 < text.size()) {
            out += text.substr(i++, 2);
            continue;
        }
        if (c == ' ' || c == '\t')
            continue;
        char f = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
        if (confusions) {
            constexpr std::string_view from = "OIL|!SB", to = "0111158";
            if (const size_t k = from.find(f); k != std::string_view::npos)
                f = to[k];
        }
        out += f;
    }
    return out;
}

void MatchPass(const std::vector<std::string>& texts, const std::vector<TTraceKey>& keys,
               bool confusions, std::vector<int32_t>& ids, std::vector<bool>& keyTaken) {
    for (size_t t = 0; t < texts.size(); ++t) {
        const std::string text = Folded(texts[t], confusions);
        if (ids[t] != 0 || text.empty())
            continue;
        for (size_t k = 0; k < keys.size(); ++k) {
            if (!keyTaken[k] && Folded(keys[k].Name, confusions) == text) {
                ids[t] = keys[k].KeyIdx;
                keyTaken[k] = true;
                break;
            }
        }
    }
}

} // namespace

std::vector<TTraceKey> TraceKeysOf(const TMyModelRecord& model) {
    const int count = std::clamp(NormalCount(model), 0, kMaxKeyEntries);
    std::vector<TTraceKey> keys;
    for (int i = 0; i < count; ++i)
        keys.push_back({model.BtnInfo[i].Name.Str(), model.BtnInfo[i].KeyIdx});
    return keys;
}

std::vector<int32_t> MatchKeys(const std::vector<std::string>& texts,
                               const std::vector<TTraceKey>& keys) {
    std::vector<int32_t> ids(texts.size(), 0);
    std::vector<bool> keyTaken(keys.size(), false);
    // A key whose index is 0 could not be told from "no key": it is never given.
    for (size_t k = 0; k < keys.size(); ++k)
        keyTaken[k] = keys[k].KeyIdx == 0;
    MatchPass(texts, keys, false, ids, keyTaken);
    MatchPass(texts, keys, true, ids, keyTaken);
    return ids;
}

} // namespace mm
