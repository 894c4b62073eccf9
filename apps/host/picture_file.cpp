#include "host/picture_file.h"

#include <fmt/format.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <cstring>
#include <fstream>
#include <sstream>

#include "host/png_file.h"

namespace quintorbelle::host {
namespace {

using Json = nlohmann::ordered_json;

constexpr const char *kTitlePrefix = "Quintorbelle: ";

// Reads a JSON object field by field, naming the field in every error and
// refusing fields it was not asked for.
class FieldReader {
  public:
    FieldReader(const nlohmann::json &object, std::string path)
        : object_(object), path_(std::move(path)) {
        if (!object_.is_object()) Fail(path_, "must be an object");
    }

    // Refuses every field of the object that was not read.
    void Finish() const {
        for (const auto &[key, value] : object_.items()) {
            if (read_.find("/" + key + "/") == std::string::npos) {
                Fail(Path(key), "is not a field this program knows");
            }
        }
    }

    bool Has(const std::string &key) const { return object_.contains(key); }

    const nlohmann::json &Field(const std::string &key) {
        read_ += "/" + key + "/";
        return object_.at(key);
    }

    template <typename Integer>
    Integer Integral(const std::string &key, Integer fallback, int64_t low, int64_t high) {
        if (!Has(key)) return fallback;
        const nlohmann::json &value = Field(key);
        if (!value.is_number_integer()) Fail(Path(key), "must be a whole number");
        if (value.is_number_unsigned() && value.get<uint64_t>() > static_cast<uint64_t>(high)) {
            Fail(Path(key),
                 fmt::format("{} is out of range ({} to {})", value.get<uint64_t>(), low, high));
        }
        int64_t number = value.get<int64_t>();
        if (number < low || number > high) {
            Fail(Path(key), fmt::format("{} is out of range ({} to {})", number, low, high));
        }
        return static_cast<Integer>(number);
    }

    int32_t Int(const std::string &key, int32_t fallback, int64_t low, int64_t high) {
        return Integral<int32_t>(key, fallback, low, high);
    }

    uint32_t Unsigned(const std::string &key, uint32_t fallback, int64_t low = 0,
                      int64_t high = 0xFFFFFFFF) {
        return Integral<uint32_t>(key, fallback, low, high);
    }

    bool Flag(const std::string &key) {
        if (!Has(key)) return false;
        const nlohmann::json &value = Field(key);
        if (!value.is_boolean()) Fail(Path(key), "must be true or false");
        return value.get<bool>();
    }

    std::string Text(const std::string &key) {
        if (!Has(key)) return "";
        const nlohmann::json &value = Field(key);
        if (!value.is_string()) Fail(Path(key), "must be a text");
        return value.get<std::string>();
    }

    // An array of exactly `count` finite numbers.
    template <size_t count>
    void Numbers(const std::string &key, double *out) {
        if (!Has(key)) return;
        const nlohmann::json &value = Field(key);
        if (!value.is_array() || value.size() != count) {
            Fail(Path(key), fmt::format("must be a list of {} numbers", count));
        }
        for (size_t i = 0; i < count; ++i) out[i] = FiniteNumber(value[i], Path(key));
    }

    static double FiniteNumber(const nlohmann::json &value, const std::string &path) {
        if (!value.is_number()) Fail(path, "must hold numbers only");
        double number = value.get<double>();
        if (!std::isfinite(number)) Fail(path, "must hold finite numbers only");
        return number;
    }

    std::string Path(const std::string &key) const {
        return path_.empty() ? key : path_ + "." + key;
    }

    [[noreturn]] static void Fail(const std::string &path, const std::string &reason) {
        throw PictureFileError(fmt::format("{}: {}", path, reason));
    }

  private:
    const nlohmann::json &object_;
    std::string path_;
    std::string read_;
};

std::string ColourText(uint32_t colour) {
    return fmt::format("#{:06x}", colour & 0xFFFFFF);
}

uint32_t ParseColour(const nlohmann::json &value, const std::string &path) {
    unsigned colour = 0;
    char rest = 0;
    if (!value.is_string() ||
        std::sscanf(value.get<std::string>().c_str(), "#%6x%c", &colour, &rest) != 1 ||
        value.get<std::string>().size() != 7) {
        FieldReader::Fail(path, "must hold colours written #rrggbb");
    }
    return colour;
}

Json Pair(const double *values) {
    return Json::array({values[0], values[1]});
}

Json ParametersJson(const PictureDescription &p) {
    Json parameters = Json::object();
    switch (p.mode) {
    case 0:
    case 1: {
        Json maps = Json::array();
        for (const QuintorbelleMapRecord &map : p.maps) {
            maps.push_back(Json::array({map.m0, map.m1, map.m2, map.m3, map.e, map.f, map.weight}));
        }
        parameters["maps"] = maps;
        break;
    }
    case 2: parameters["quadratic"] = p.quadratic; break;
    case 3:
    case 4:
        parameters["icon"] = {{"lambda", p.icon[0]},
                              {"alpha", p.icon[1]},
                              {"beta", p.icon[2]},
                              {"gamma", p.icon[3]},
                              {"omega", p.icon[4]}};
        break;
    case 5:
    case 6:
        parameters["slice"] = {{"startAxis", Pair(&p.slice[0])},
                               {"startCentre", Pair(&p.slice[2])},
                               {"constantAxis", Pair(&p.slice[4])},
                               {"constantCentre", Pair(&p.slice[6])}};
        break;
    case 7: parameters["walkerRandomState"] = p.walkerRandomState; break;
    case 8:
        parameters["automaton"] = {
            {"class", p.automaton[0]},         {"radius", p.automaton[1]},
            {"neighbourhood", p.automaton[2]}, {"multiplier", p.automaton[3]},
            {"mask", p.automaton[4]},          {"modulus", p.automaton[5]},
            {"seed", p.automaton[6]}};
        break;
    default: break;
    }
    return parameters;
}

// The settings word of a description, as SettingsWord computes it from the
// engine's block.
uint32_t DescribedWord(const PictureDescription &p) {
    uint32_t word = kModeWordBits[p.mode];
    for (size_t i = 0; i < kOnOffCount; ++i) {
        if (p.flags[i]) word |= kOnOffSettings[i].wordBit;
    }
    return word;
}

void ReadSettings(FieldReader &reader, PictureDescription &p) {
    for (size_t i = 0; i < kOnOffCount; ++i) p.flags[i] = reader.Flag(kOnOffSettings[i].fileName);
    const bool automaton = p.mode == 8;
    p.degree = reader.Int("degree", automaton ? 2 : 1, automaton ? 2 : 1, MaxDegreeForMode(p.mode));
    p.baseMaps = reader.Int("baseMaps", 1, 1, QB_MAP_CAPACITY);
    p.variation = reader.Int("variation", 0, 0, 6);
    p.colouring = reader.Int("colouringVariant", 0, 0, ColouringVariantsForMode(p.mode) - 1);
    p.animationFlags = reader.Int("animationFlags", 0, 0, 0x7FFFFFFF);
    if (reader.Has("word")) {
        uint32_t word = reader.Unsigned("word", 0);
        if (word != DescribedWord(p)) {
            FieldReader::Fail(reader.Path("word"),
                              fmt::format("{:#x} disagrees with the mode and flags given, which "
                                          "make {:#x}",
                                          word, DescribedWord(p)));
        }
    }
}

void ReadParameters(FieldReader &reader, PictureDescription &p) {
    switch (p.mode) {
    case 0:
    case 1: {
        if (!reader.Has("maps")) FieldReader::Fail(reader.Path("maps"), "is missing");
        const nlohmann::json &maps = reader.Field("maps");
        std::string path = reader.Path("maps");
        if (!maps.is_array() || maps.empty() || maps.size() > QB_MAP_CAPACITY) {
            FieldReader::Fail(path, "must be a list of 1 to 300 maps");
        }
        if (maps.size() < static_cast<size_t>(p.baseMaps)) {
            FieldReader::Fail(
                path, fmt::format("holds fewer maps than settings.baseMaps ({})", p.baseMaps));
        }
        for (size_t i = 0; i < maps.size(); ++i) {
            std::string mapPath = fmt::format("{}[{}]", path, i);
            const nlohmann::json &map = maps[i];
            if (!map.is_array() || map.size() != 7) {
                FieldReader::Fail(mapPath, "must be [m0, m1, m2, m3, e, f, weight]");
            }
            QuintorbelleMapRecord record{};
            double *numbers[6] = {&record.m0, &record.m1, &record.m2,
                                  &record.m3, &record.e,  &record.f};
            for (int k = 0; k < 6; ++k) *numbers[k] = FieldReader::FiniteNumber(map[k], mapPath);
            if (!map[6].is_number_integer() || map[6].get<int64_t>() < 1 ||
                map[6].get<int64_t>() > 100) {
                FieldReader::Fail(mapPath, "weight must be a whole number from 1 to 100");
            }
            record.weight = map[6].get<uint32_t>();
            p.maps.push_back(record);
        }
        break;
    }
    case 2:
        if (!reader.Has("quadratic")) FieldReader::Fail(reader.Path("quadratic"), "is missing");
        reader.Numbers<6>("quadratic", p.quadratic.data());
        break;
    case 3:
    case 4: {
        if (!reader.Has("icon")) FieldReader::Fail(reader.Path("icon"), "is missing");
        FieldReader icon(reader.Field("icon"), reader.Path("icon"));
        const char *names[5] = {"lambda", "alpha", "beta", "gamma", "omega"};
        for (int k = 0; k < 5; ++k) {
            if (!icon.Has(names[k])) FieldReader::Fail(icon.Path(names[k]), "is missing");
            p.icon[k] = FieldReader::FiniteNumber(icon.Field(names[k]), icon.Path(names[k]));
        }
        icon.Finish();
        break;
    }
    case 5:
    case 6: {
        if (!reader.Has("slice")) FieldReader::Fail(reader.Path("slice"), "is missing");
        FieldReader slice(reader.Field("slice"), reader.Path("slice"));
        slice.Numbers<2>("startAxis", &p.slice[0]);
        slice.Numbers<2>("startCentre", &p.slice[2]);
        slice.Numbers<2>("constantAxis", &p.slice[4]);
        slice.Numbers<2>("constantCentre", &p.slice[6]);
        slice.Finish();
        break;
    }
    case 7: {
        if (!reader.Has("walkerRandomState")) {
            FieldReader::Fail(reader.Path("walkerRandomState"), "is missing");
        }
        const nlohmann::json &state = reader.Field("walkerRandomState");
        std::string path = reader.Path("walkerRandomState");
        if (!state.is_array() || state.size() != 2 || !state[0].is_number_unsigned() ||
            !state[1].is_number_unsigned() || state[0].get<uint64_t>() > 0xFFFFFFFF ||
            state[1].get<uint64_t>() > 0xFFFFFFFF) {
            FieldReader::Fail(path, "must be [counter, multiplier], two whole numbers below 2^32");
        }
        p.walkerRandomState = {state[0].get<uint32_t>(), state[1].get<uint32_t>()};
        break;
    }
    case 8: {
        if (!reader.Has("automaton")) FieldReader::Fail(reader.Path("automaton"), "is missing");
        FieldReader rule(reader.Field("automaton"), reader.Path("automaton"));
        p.automaton[0] = rule.Unsigned("class", 0, 0, 5);
        p.automaton[1] = rule.Unsigned("radius", 0, 0, 7);
        p.automaton[2] = rule.Unsigned("neighbourhood", 0, 0, 0x7FFF);
        p.automaton[3] = rule.Unsigned("multiplier", 1);
        p.automaton[4] = rule.Unsigned("mask", 1);
        p.automaton[5] = rule.Unsigned("modulus", 1, 1); // the rule reduces modulo it
        p.automaton[6] = rule.Unsigned("seed", 0);
        rule.Finish();
        break;
    }
    default: break;
    }
}

void ReadColours(FieldReader &reader, PictureDescription &p) {
    p.ramp = reader.Int("ramp", 0, 0, 4);
    p.scheme = reader.Int("scheme", 0, 0, 23);
    p.densityBase = reader.Int("densityBase", 1, 1, 1024);
    if (!reader.Has("custom")) return;
    FieldReader custom(reader.Field("custom"), reader.Path("custom"));
    if (custom.Has("anchors")) {
        const nlohmann::json &anchors = custom.Field("anchors");
        if (!anchors.is_array() || anchors.size() != 3) {
            FieldReader::Fail(custom.Path("anchors"), "must be a list of three colours #rrggbb");
        }
        for (int k = 0; k < 3; ++k) p.anchors[k] = ParseColour(anchors[k], custom.Path("anchors"));
    }
    p.rampOptions[QB_RAMP_FADE_IN] = custom.Flag("fadeIn") ? 1 : 0;
    p.rampOptions[QB_RAMP_FADE_OUT] = custom.Flag("fadeOut") ? 1 : 0;
    if (custom.Has("modes")) {
        const nlohmann::json &modes = custom.Field("modes");
        if (!modes.is_array() || modes.size() != 3) {
            FieldReader::Fail(custom.Path("modes"), "must be a list of three numbers 0 to 2");
        }
        for (int k = 0; k < 3; ++k) {
            if (!modes[k].is_number_integer() || modes[k].get<int64_t>() < 0 ||
                modes[k].get<int64_t>() > 2) {
                FieldReader::Fail(custom.Path("modes"), "must be a list of three numbers 0 to 2");
            }
            p.rampOptions[QB_RAMP_MODE_0 + k] = modes[k].get<uint8_t>();
        }
    }
    custom.Finish();
}

void ReadView(FieldReader &reader, PictureDescription &p) {
    if (!reader.Has("zooms")) return;
    const nlohmann::json &zooms = reader.Field("zooms");
    std::string path = reader.Path("zooms");
    if (!zooms.is_array()) FieldReader::Fail(path, "must be a list of zooms");
    for (size_t i = 0; i < zooms.size(); ++i) {
        FieldReader zoom(zooms[i], fmt::format("{}[{}]", path, i));
        double factor = 1;
        if (zoom.Has("factor")) {
            factor = FieldReader::FiniteNumber(zoom.Field("factor"), zoom.Path("factor"));
        }
        if (!(factor > 0)) FieldReader::Fail(zoom.Path("factor"), "must be above 0");
        int32_t x = zoom.Int("x", 0, 0, p.width - 1);
        int32_t y = zoom.Int("y", 0, 0, p.height - 1);
        zoom.Finish();
        p.zooms.push_back({factor, x, y});
    }
}

} // namespace

PictureDescription DescribePicture(const HostCore &core) {
    const EngineLink &e = core.engine();
    PictureDescription p;
    p.mode = e.drawMode;
    p.width = e.imageWidth;
    p.height = e.imageHeight;
    p.seed = core.seed();
    p.randomCounter = e.randomCounter;
    std::string title = core.Title();
    p.title = title.rfind(kTitlePrefix, 0) == 0 ? title.substr(std::strlen(kTitlePrefix)) : title;

    p.degree = e.symmetryDegree;
    p.baseMaps = e.baseMapCount;
    p.variation = e.variation;
    p.colouring = e.colouringVariant < 0 ? 0 : e.colouringVariant;
    p.animationFlags = e.animationFlags;
    for (size_t i = 0; i < kOnOffCount; ++i) p.flags[i] = EngineFlag(kOnOffSettings[i]) != 0;

    p.maps.assign(e.functionTable,
                  e.functionTable + std::clamp<int32_t>(e.mapCount, 0, QB_MAP_CAPACITY));
    for (int k = 0; k < 6; ++k) p.quadratic[k] = *static_cast<double *>(e.quadCoefList[k]);
    for (int k = 0; k < 5; ++k) p.icon[k] = *static_cast<double *>(e.iconCoefList[k]);
    for (int k = 0; k < 8; ++k) p.slice[k] = *static_cast<double *>(e.complexSliceList[k]);
    for (int k = 0; k < 2; ++k) {
        p.walkerRandomState[k] = *static_cast<uint32_t *>(e.savedRandomStateList[k]);
    }
    for (int k = 0; k < 7; ++k) p.automaton[k] = *static_cast<uint32_t *>(e.automatonRuleList[k]);

    p.zooms = core.zooms();
    p.ramp = e.rampStyle;
    p.scheme = e.colourScheme;
    p.densityBase = std::max<int32_t>(e.densityThresholds[0], 1);
    for (int k = 0; k < 3; ++k) p.anchors[k] = e.rampBitmapInfo.colours[QB_RAMP_ANCHOR_0 + k];
    std::memcpy(p.rampOptions.data(), e.rampBitmapInfo.customOptions, p.rampOptions.size());
    return p;
}

std::string PictureFileText(const PictureDescription &p) {
    const PictureDescription defaults;
    Json file;
    file["format"] = kPictureFileFormat;
    file["version"] = kPictureFileVersion;
    file["mode"] = p.mode;
    file["size"] = {p.width, p.height};
    file["seed"] = p.seed;
    file["randomCounter"] = p.randomCounter;
    if (!p.title.empty()) file["title"] = p.title;

    Json settings = Json::object();
    settings["word"] = DescribedWord(p);
    if (p.degree != 1) settings["degree"] = p.degree;
    if (p.baseMaps != 1) settings["baseMaps"] = p.baseMaps;
    if (p.variation != 0) settings["variation"] = p.variation;
    if (p.colouring != 0) settings["colouringVariant"] = p.colouring;
    if (p.animationFlags != 0) settings["animationFlags"] = p.animationFlags;
    for (size_t i = 0; i < kOnOffCount; ++i) {
        if (p.flags[i]) settings[kOnOffSettings[i].fileName] = true;
    }
    file["settings"] = settings;
    file["parameters"] = ParametersJson(p);

    if (!p.zooms.empty()) {
        Json zooms = Json::array();
        for (const AppliedZoom &zoom : p.zooms) {
            zooms.push_back({{"factor", zoom.factor}, {"x", zoom.x}, {"y", zoom.y}});
        }
        file["view"] = {{"zooms", zooms}};
    }

    Json colours = Json::object();
    if (p.ramp != 0) colours["ramp"] = p.ramp;
    if (p.scheme != 0) colours["scheme"] = p.scheme;
    if (p.densityBase != 1) colours["densityBase"] = p.densityBase;
    Json custom = Json::object();
    custom["anchors"] = {ColourText(p.anchors[0]), ColourText(p.anchors[1]),
                         ColourText(p.anchors[2])};
    if (p.rampOptions[QB_RAMP_FADE_IN] != 0) custom["fadeIn"] = true;
    if (p.rampOptions[QB_RAMP_FADE_OUT] != 0) custom["fadeOut"] = true;
    custom["modes"] = {p.rampOptions[QB_RAMP_MODE_0], p.rampOptions[QB_RAMP_MODE_0 + 1],
                       p.rampOptions[QB_RAMP_MODE_0 + 2]};
    colours["custom"] = custom;
    file["colours"] = colours;
    return file.dump(2) + "\n";
}

PictureDescription ReadPictureFileText(const std::string &text) {
    nlohmann::json file = nlohmann::json::parse(text, nullptr, false);
    if (file.is_discarded()) throw PictureFileError("the file is not valid JSON");
    PictureDescription p;
    FieldReader reader(file, "");
    if (reader.Text("format") != kPictureFileFormat) {
        FieldReader::Fail("format", fmt::format("must be \"{}\"", kPictureFileFormat));
    }
    reader.Int("version", 0, kPictureFileVersion, kPictureFileVersion);
    if (!reader.Has("mode")) FieldReader::Fail("mode", "is missing");
    p.mode = reader.Int("mode", 0, 0, 8);
    if (reader.Has("size")) {
        const nlohmann::json &size = reader.Field("size");
        if (!size.is_array() || size.size() != 2 || !size[0].is_number_integer() ||
            !size[1].is_number_integer()) {
            FieldReader::Fail("size", "must be [width, height]");
        }
        p.width = size[0].get<int32_t>();
        p.height = size[1].get<int32_t>();
        if (p.width < 32 || p.height < 32 || p.width > 1280 || p.height > 1024) {
            FieldReader::Fail(
                "size", fmt::format("{}x{} is outside 32x32 to 1280x1024", p.width, p.height));
        }
    }
    p.seed = reader.Unsigned("seed", 1);
    p.randomCounter = reader.Unsigned("randomCounter", p.seed);
    p.title = reader.Text("title");
    if (reader.Has("settings")) {
        FieldReader settings(reader.Field("settings"), "settings");
        ReadSettings(settings, p);
        settings.Finish();
    }
    if (!reader.Has("parameters")) FieldReader::Fail("parameters", "is missing");
    {
        FieldReader parameters(reader.Field("parameters"), "parameters");
        ReadParameters(parameters, p);
        parameters.Finish();
    }
    if (reader.Has("view")) {
        FieldReader view(reader.Field("view"), "view");
        ReadView(view, p);
        view.Finish();
    }
    if (reader.Has("colours")) {
        FieldReader colours(reader.Field("colours"), "colours");
        ReadColours(colours, p);
        colours.Finish();
    }
    reader.Finish();
    return p;
}

PictureDescription ReadPictureFile(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw PictureFileError(fmt::format("cannot read {}: {}", path, std::strerror(errno)));
    std::ostringstream contents;
    contents << in.rdbuf();
    std::string text = contents.str();
    if (text.rfind("\x89PNG", 0) == 0) {
        std::string carried;
        if (auto error = ReadPngText(path, kPictureChunkKeyword, carried)) {
            throw PictureFileError(fmt::format("{}: {}", path, *error));
        }
        text = carried;
    }
    try {
        return ReadPictureFileText(text);
    } catch (const PictureFileError &error) {
        throw PictureFileError(fmt::format("{}: {}", path, error.what()));
    }
}

std::unique_ptr<HostCore> LoadPicture(const PictureDescription &p) {
    auto core = std::make_unique<HostCore>(HostOptions{p.width, p.height, p.seed, 40, false});
    EngineLink &e = core->engine();

    e.rampStyle = p.ramp;
    e.colourScheme = p.scheme;
    for (int k = 0; k < 3; ++k) e.rampBitmapInfo.colours[QB_RAMP_ANCHOR_0 + k] = p.anchors[k];
    std::memcpy(e.rampBitmapInfo.customOptions, p.rampOptions.data(), p.rampOptions.size());
    e.BuildColourRamp();

    // The engine replays the flags and the mode as menu commands.
    e.ApplySettingsFlags(DescribedWord(p));
    e.symmetryDegree = p.degree;
    e.baseMapCount = p.baseMaps;
    e.variation = p.variation;
    e.colouringVariant = p.colouring;
    e.animationFlags = p.animationFlags;
    e.stepwiseLevels = p.flags[kStepwise] ? 1 : 0;
    e.Recolour(p.densityBase);

    for (int k = 0; k < 6; ++k) *static_cast<double *>(e.quadCoefList[k]) = p.quadratic[k];
    for (int k = 0; k < 5; ++k) *static_cast<double *>(e.iconCoefList[k]) = p.icon[k];
    for (int k = 0; k < 8; ++k) *static_cast<double *>(e.complexSliceList[k]) = p.slice[k];
    for (int k = 0; k < 2; ++k) {
        *static_cast<uint32_t *>(e.savedRandomStateList[k]) = p.walkerRandomState[k];
    }
    for (int k = 0; k < 7; ++k) *static_cast<uint32_t *>(e.automatonRuleList[k]) = p.automaton[k];

    if (p.mode <= 1) {
        // Every map of the table is kept as it is: with one base map per
        // entry, no symmetry and no extra maps, the generator draws nothing,
        // makes no copies and only sums the weights before it restarts.
        const auto count = static_cast<int32_t>(p.maps.size());
        std::copy(p.maps.begin(), p.maps.end(), e.functionTable);
        e.mapCount = count;
        e.baseMapCount = count;
        e.symmetryDegree = 1;
        e.mirrorSymmetry = 0;
        e.extraHalfMap = 0;
        e.extraFlipMap = 0;
        core->StartPicture(QB_REQUEST_KEEP);
        e.baseMapCount = p.baseMaps;
        e.symmetryDegree = p.degree;
        e.mirrorSymmetry = p.flags[kMirror] ? 1 : 0;
        e.extraHalfMap = p.flags[kExtraHalfMap] ? 1 : 0;
        e.extraFlipMap = p.flags[kExtraFlipMap] ? 1 : 0;
    } else {
        // Mode 7 draws its walker table again from the saved random state.
        core->StartPicture(p.mode == 7 ? QB_REQUEST_REPLAY_WALKERS : QB_REQUEST_KEEP);
    }
    e.randomCounter = p.randomCounter;
    if (!p.title.empty()) e.SetTitleText(p.title.c_str(), 3);
    if (!p.zooms.empty()) {
        core->FitView();
        for (const AppliedZoom &zoom : p.zooms) core->ZoomAt(zoom.x, zoom.y, zoom.factor);
    }
    return core;
}

} // namespace quintorbelle::host
