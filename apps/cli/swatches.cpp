// quintorbelle swatches: a sheet of every colour ramp under every colour
// scheme, labelled so a user can pick colours by number.
#include <fmt/format.h>

#include <vector>

#include "cli/commands.h"
#include "host/bitmap_font.h"
#include "host/host_core.h"
#include "host/png_file.h"

namespace quintorbelle::cli {
namespace {

constexpr int32_t kRampStyles = 5; // four built-in ramps and the custom one
constexpr int32_t kSchemes = 24;
constexpr int32_t kStripWidth = 256;
constexpr int32_t kStripHeight = 18;
constexpr int32_t kRowGap = 6;
constexpr int32_t kColumnGap = 20;
constexpr int32_t kLabelWidth = 170;
constexpr int32_t kHeaderHeight = 54;
constexpr int32_t kMargin = 16;
constexpr uint32_t kBackground = 0x202020;
constexpr uint32_t kInk = 0xE8E8E8;

const char *const kChannelOrders[6] = {"RGB", "BGR", "GRB", "BRG", "GBR", "RBG"};
const char *const kTones[4] = {"PLAIN", "MIRRORED", "PASTEL", "PASTEL MIRRORED"};

std::string SchemeLabel(int32_t scheme) {
    return fmt::format("{:2} {} {}", scheme, kChannelOrders[scheme % 6], kTones[scheme / 6]);
}

std::string RampLabel(int32_t style) {
    return style == 4 ? "RAMP 4 CUSTOM" : fmt::format("RAMP {}", style);
}

void WriteSwatches(const std::string &output) {
    CheckWritable("-o", output);
    const int32_t width =
        2 * kMargin + kLabelWidth + kRampStyles * kStripWidth + (kRampStyles - 1) * kColumnGap;
    const int32_t height = kHeaderHeight + kSchemes * (kStripHeight + kRowGap) + kMargin;
    std::vector<uint32_t> canvas(static_cast<size_t>(width) * height, kBackground);

    host::HostCore core(host::HostOptions{64, 64, 1, 40});
    host::EngineLink &engine = core.engine();
    host::DrawText(canvas.data(), width, height, kMargin, kMargin, "QUINTORBELLE COLOUR RAMPS",
                   kInk, 2);
    for (int32_t style = 0; style < kRampStyles; ++style) {
        int32_t left = kMargin + kLabelWidth + style * (kStripWidth + kColumnGap);
        host::DrawText(canvas.data(), width, height, left, kHeaderHeight - 14, RampLabel(style),
                       kInk);
        for (int32_t scheme = 0; scheme < kSchemes; ++scheme) {
            engine.rampStyle = style;
            engine.colourScheme = scheme;
            engine.BuildColourRamp();
            int32_t top = kHeaderHeight + scheme * (kStripHeight + kRowGap);
            for (int32_t y = 0; y < kStripHeight; ++y) {
                uint32_t *row = canvas.data() + static_cast<size_t>(top + y) * width + left;
                for (int32_t x = 0; x < kStripWidth; ++x) row[x] = engine.rampBitmapInfo.colours[x];
            }
            if (style == 0) {
                host::DrawText(canvas.data(), width, height, kMargin, top + 5, SchemeLabel(scheme),
                               kInk);
            }
        }
    }
    if (auto error = host::WritePng(output, host::RgbImage{width, height, canvas.data(), width})) {
        throw std::runtime_error(*error);
    }
}

} // namespace

void AddSwatchesCommand(CLI::App &app) {
    auto *command = app.add_subcommand(
        "swatches", "Write a sheet of every colour ramp (--ramp) under every colour scheme "
                    "(--scheme) as a PNG");
    auto output = std::make_shared<std::string>();
    command->add_option("-o,--output", *output, "PNG file to write")->required();
    command->callback([output] { WriteSwatches(*output); });
}

} // namespace quintorbelle::cli
