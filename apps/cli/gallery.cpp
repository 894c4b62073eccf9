#include "cli/gallery.h"

#include <fmt/format.h>

#include <stdexcept>

#include "host/atomic_file.h"

namespace quintorbelle::cli {
namespace {

constexpr const char *kModeNames[9] = {"function system", "uniform function system",
                                       "quadratic map",   "icon",
                                       "quilt",           "escape time",
                                       "Newton",          "walkers",
                                       "automaton"};

std::string Escape(const std::string &text) {
    std::string escaped;
    for (char c : text) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '"': escaped += "&quot;"; break;
        default: escaped += c; break;
        }
    }
    return escaped;
}

constexpr const char *kStyle =
    R"(body{background:#151515;color:#ddd;font:14px/1.4 sans-serif;margin:2em}
h1{font-weight:normal}
main{display:grid;grid-template-columns:repeat(auto-fill,minmax(340px,1fr));gap:1.5em}
figure{margin:0;background:#222;padding:.6em;border-radius:6px}
img{width:100%;height:auto;display:block;image-rendering:auto}
figcaption h2{font-size:1em;margin:.5em 0 .2em}
figcaption p{margin:.1em 0;color:#aaa;word-break:break-word}
a{color:#9cf})";

} // namespace

const char *ModeName(int32_t mode) {
    return mode >= 0 && mode <= 8 ? kModeNames[mode] : "?";
}

std::string DescribeSettings(const host::PictureDescription &p) {
    std::string line = fmt::format("{}x{}, seed {}", p.width, p.height, p.seed);
    if (p.mode == 7) {
        line += fmt::format(", {} walkers", p.degree);
    } else if (p.mode == 8) {
        line += fmt::format(", {} states", p.degree);
    } else if (p.degree != 1) {
        line += fmt::format(", degree {}", p.degree);
    }
    for (size_t i = 0; i < host::kOnOffCount; ++i) {
        const char *caption = host::kOnOffSettings[i].caption;
        if (p.flags[i] && caption != nullptr) line += fmt::format(", {}", caption);
    }
    if (p.flags[host::kBySource]) line += fmt::format(", by source (colouring {})", p.colouring);
    if (p.mode <= 1 && p.baseMaps != 1) line += fmt::format(", {} base maps", p.baseMaps);
    if (p.mode <= 1 && p.variation != 0) line += fmt::format(", variation {}", p.variation);
    line += fmt::format(", ramp {} scheme {}", p.ramp, p.scheme);
    if (!p.zooms.empty()) line += fmt::format(", {} zooms", p.zooms.size());
    return line;
}

Gallery::Gallery(std::string folder, std::string caption)
    : folder_(std::move(folder)), caption_(std::move(caption)) {}

void Gallery::Add(GalleryEntry entry) {
    entries_.push_back(std::move(entry));
    WriteIndex();
}

void Gallery::WriteIndex() const {
    std::string page = fmt::format(
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<title>{0}</title>\n<style>\n{1}\n</style>\n</head>\n<body>\n<h1>{0}</h1>\n<main>\n",
        Escape(caption_), kStyle);
    for (const GalleryEntry &entry : entries_) {
        page += fmt::format("<figure>\n<a href=\"{0}\"><img src=\"{0}\" alt=\"{1}\" "
                            "loading=\"lazy\"></a>\n<figcaption>\n<h2>{1}</h2>\n",
                            Escape(entry.image), Escape(entry.heading));
        if (!entry.settings.empty()) page += fmt::format("<p>{}</p>\n", Escape(entry.settings));
        if (!entry.title.empty()) page += fmt::format("<p>{}</p>\n", Escape(entry.title));
        if (!entry.parameters.empty()) {
            page += fmt::format("<p><a href=\"{0}\">{0}</a></p>\n", Escape(entry.parameters));
        }
        page += "</figcaption>\n</figure>\n";
    }
    page += "</main>\n</body>\n</html>\n";
    if (auto error = host::WriteFileAtomically(folder_ + "/index.html", page)) {
        throw std::runtime_error(*error);
    }
}

} // namespace quintorbelle::cli
