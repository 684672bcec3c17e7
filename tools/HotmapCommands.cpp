// Hot-map files from the command line: listing their spots, converting between the binary and
// the text format, rendering a model's outlines and checking them against its keys.
#include "HotmapCommands.h"

#include "hotimage/core/HotMapFormats.h"
#include "platform/Errors.h"
#include "platform/Gbk.h"

#include <optional>
#include <sstream>

namespace mm::tool {

void LoadMap(const std::string& fileName, THotSpots& spots) {
    OnFile(fileName, [&] { LoadHotMapByContent(fileName, spots); });
}

namespace {

THotMapFormat FormatNamed(const std::string& name) {
    if (name == "binary")
        return THotMapFormat::Binary;
    if (name == "text")
        return THotMapFormat::Text;
    throw UsageError("--to takes binary or text, not '" + name + "'");
}

} // namespace

std::optional<THotMapFormat> FormatOption(const Args& args, Args& files) {
    std::optional<THotMapFormat> to;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--to") {
            files.push_back(args[i]);
            continue;
        }
        if (i + 1 == args.size())
            throw UsageError("--to needs binary or text");
        to = FormatNamed(args[++i]);
    }
    return to;
}

void SaveMap(const std::string& fileName, const THotSpots& spots, std::optional<THotMapFormat> to) {
    // Without --to the output's name decides, as in the hot-map editor.
    OnFile(fileName,
           [&] { SaveHotMap(fileName, spots, to.value_or(HotMapFormatOfName(fileName))); });
}

namespace {

// One line per spot: line breaks (CR LF, CR or LF) as \n, tabs as \t, backslashes doubled.
std::string Escaped(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            out += "\\n";
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\\') {
            out += "\\\\";
        } else {
            out += c;
        }
    }
    return out;
}

std::string PointText(TPoint p) {
    return std::to_string(p.X) + "," + std::to_string(p.Y);
}

std::string PointsText(const TSpot& spot) {
    std::string out;
    for (const TPoint& p : spot.Points())
        out += (out.empty() ? "" : " ") + PointText(p);
    return out.empty() ? "-" : out;
}

std::string MaskText(const TSpot& spot) {
    const TSpotMask mask = spot.GetMask();
    std::string out;
    if (mask.Flags & kMaskOverPoint)
        out += "over=" + PointText(mask.OverPoint);
    if (mask.Flags & kMaskDownPoint)
        out += (out.empty() ? "down=" : " down=") + PointText(mask.DownPoint);
    return out.empty() ? "-" : out;
}

int Show(const Args& args) {
    RequireArgs(args, 1);
    THotSpots spots;
    LoadMap(args[0], spots);
    std::ostringstream out;
    for (int i = 0; i < spots.Count(); ++i) {
        const TSpot& s = *spots.Items(i);
        out << i << '\t' << s.ID << '\t' << ShapeName(s.Shape()) << '\t' << s.KeyKind << '\t'
            << s.NormalColor << '\t' << s.ToggleColor << '\t' << (s.Enabled ? 1 : 0) << '\t'
            << PointsText(s) << '\t' << MaskText(s) << '\t' << Escaped(Utf8FromGbk(s.Hint)) << '\n';
    }
    WriteOutput(out.str());
    return 0;
}

int Convert(const Args& args) {
    Args files;
    const std::optional<THotMapFormat> to = FormatOption(args, files);
    RequireArgs(files, 2);
    RefuseSameFile(files[0], files[1]);
    THotSpots spots;
    LoadMap(files[0], spots);
    SaveMap(files[1], spots, to);
    return 0;
}

} // namespace

std::vector<TCommand> HotmapCommands() {
    return {
        {"hotmap show", "FILE",
         "one tab-separated line per spot: index, ID, shape, KeyKind, NormalColor, "
         "ToggleColor, enabled, points, mask, hint (line breaks as \\n)",
         Show},
        {"hotmap convert", "IN OUT [--to binary|text]",
         "read IN (binary when it starts with HMAP or HMAp, else text) and write OUT in the "
         "format --to names, else binary for a .hmp name and text for any other",
         Convert},
        {"hotmap render", "DB ID HOTMAP OUT.png [--select INDEX] [--shift] [--checks] [--size W,H]",
         "the model's picture with the outlines of HOTMAP as the button shape window draws it, "
         "as a PNG: --select the selected spot's index (default 0), --shift the SHIFT layer on, "
         "--checks every spot ticked, --size the window's picture area (default the picture's "
         "size); the background is RGB 240,240,240",
         HotmapRender},
        {"hotmap check", "DB ID FILE",
         "the key indexes of keys (normal and SHIFT) that no enabled spot of FILE outlines, the "
         "spots whose ID matches no key and the spots whose outline is empty, one per line (exit "
         "1 when any)",
         HotmapCheck},
        {"hotmap trace", "DB ID OUT [--to binary|text]",
         "find the buttons on the picture of model ID, fit an outline to each, read the word "
         "printed on it and write one spot per button to OUT (format as hotmap convert chooses): "
         "ID the KeyIdx of the key so named (case and spaces aside) or 0, Hint the word read; "
         "prints how many outlines were found and how many matched keys",
         HotmapTrace},
    };
}

} // namespace mm::tool
