// Random re-configuration: the command each pick sends in each mode, the
// loops that raise and lower the symmetry degree, and what ends the search.
#include <gtest/gtest.h>

#include "explore/explore.h"
#include "explore_support.h"

namespace quintorbelle::testing {
namespace {

constexpr uint32_t kFunctionSystemPicks = 52;
constexpr uint32_t kModeParameterPicks = 25;

bool Any(const Draws &) {
    return true;
}

class Randomise : public EngineTest<> {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        // The generator of modes 0 and 1 returns at once while syncDepth is
        // set, so its own draws cannot disturb the draws forced here.
        syncDepth = 1;
        symmetryDegree = 3;
        maxSymmetryDegree = 50;
        baseMapCount = 2;
        mapCount = 5;
        host.onMessage = [this](const ReceivedMessage &message) {
            if (message.message != kMessageCommand) return;
            const auto id = static_cast<int32_t>(message.wParam);
            CarryOutCommand(id, followModes);
            if (message.lParam == kSourceRandomise && onRandomCommand) onRandomCommand(id);
        };
    }

    std::vector<int32_t> Randomised() const { return CommandsFrom(host, kSourceRandomise); }

    std::vector<intptr_t> DoubleClicks() const {
        std::vector<intptr_t> clicks;
        for (const ReceivedMessage &message : host.received()) {
            if (message.message == kMessageDoubleClick) clicks.push_back(message.lParam);
        }
        return clicks;
    }
    bool followModes = true;
    std::function<void(int32_t)> onRandomCommand;
};

struct PickCase {
    int32_t mode;
    int32_t pick;
    int32_t sent;
};

TEST_F(Randomise, FunctionSystemPicksAreAdjustedToTheMode) {
    const PickCase cases[] = {
        {1, 40008, 40011}, {0, 40007, 40011}, {0, 40022, 40012}, {1, 40022, 40012},
        {0, 40021, 40021}, {1, 40021, 40013}, {0, 40044, 40011}, {1, 40044, 40007},
        {0, 40051, 40014}, {0, 40042, 40016}, {1, 40043, 40017}, {0, 40033, 40033},
    };
    for (const PickCase &c : cases) {
        SCOPED_TRACE(c.pick);
        host.ClearReceived();
        drawMode = c.mode;
        workCounter = 777;
        // A pick of 40033 never ends a pass; the next one, mode 2, does.
        SeekPick(c.pick, kFunctionSystemPicks, 2,
                 [](const Draws &d) { return d[1] % kFunctionSystemPicks == 10; });
        RandomiseFunctionSystem(0);
        std::vector<int32_t> expected{c.sent};
        if (c.pick == 40033) expected.push_back(kCommandMode2);
        EXPECT_EQ(Randomised(), expected);
        EXPECT_EQ(workCounter, 0);
    }
    // The second of the base-map pair needs more than one base map.
    for (int32_t baseMaps : {1, 2}) {
        host.ClearReceived();
        drawMode = 0;
        baseMapCount = baseMaps;
        SeekPick(40029, kFunctionSystemPicks);
        RandomiseFunctionSystem(0);
        EXPECT_EQ(Randomised(), std::vector<int32_t>{baseMaps == 1 ? 40028 : 40029});
    }
}

TEST_F(Randomise, ModeParameterPicksAreAdjustedToTheMode) {
    const PickCase cases[] = {
        {3, 40009, 40007}, {2, 40010, 40007}, {2, 40021, 40013}, {8, 40021, 40014},
        {3, 40021, 40021}, {4, 40022, 40012}, {3, 40022, 40022}, {2, 40016, 40011},
        {3, 40016, 40016}, {6, 40013, 40011}, {5, 40021, 40021}, {7, 40014, 40011},
    };
    for (const PickCase &c : cases) {
        SCOPED_TRACE(c.pick);
        host.ClearReceived();
        drawMode = c.mode;
        mapVariant = 0;
        SeekPick(c.pick, kModeParameterPicks);
        RandomiseModeParameters(0);
        EXPECT_EQ(Randomised(), std::vector<int32_t>{c.sent});
    }
}

TEST_F(Randomise, ColourBySourceIsAlwaysTheFirstCommand) {
    colourBySource = 1;
    SeekDraws(1, Any);
    const uint32_t counter = randomCounter;
    RandomiseFunctionSystem(0);
    EXPECT_EQ(Randomised(), std::vector<int32_t>{kCommandColourBySource});
    EXPECT_EQ(randomCounter, counter) << "no pick is drawn";

    host.ClearReceived();
    drawMode = 3;
    colourBySource = 1;
    RandomiseModeParameters(0);
    EXPECT_EQ(Randomised(), std::vector<int32_t>{kCommandColourBySource});

    // The complex-plane pictures draw their pick even so.
    host.ClearReceived();
    drawMode = 5;
    colourBySource = 1;
    SeekPick(40014, kModeParameterPicks);
    RandomiseModeParameters(0);
    EXPECT_EQ(Randomised(), std::vector<int32_t>{40014});
}

TEST_F(Randomise, TheComplexPlaneOptionPickZoomsInstead) {
    drawMode = 6;
    SeekPick(40022, kModeParameterPicks);
    PaintStripes(100);
    RandomiseModeParameters(0);
    EXPECT_TRUE(host.Commands().empty());
    EXPECT_EQ(DoubleClicks(), std::vector<intptr_t>{PackedPixel(zoomPoint[0], zoomPoint[1])});
    EXPECT_TRUE(host.TakePosted().empty()) << "the double-click is sent, not posted";

    // Nothing busy: nothing at all is sent.
    host.ClearReceived();
    for (auto &row : indexImage) std::fill(std::begin(row), std::end(row), uint8_t{5});
    SeekPick(40022, kModeParameterPicks);
    RandomiseModeParameters(0);
    EXPECT_TRUE(host.received().empty());
}

TEST_F(Randomise, TheFunctionSystemSearchGoesOnWhileTooFewMaps) {
    // The host keeps the mode and the view unfitted, so only enough maps can
    // end the search: more than one in mode 0, more than two in mode 1.
    followModes = false;
    viewFitted = 0;
    for (int32_t mode : {0, 1}) {
        SCOPED_TRACE(mode);
        const int32_t enough = mode == 0 ? 2 : 3;
        drawMode = mode;
        mapCount = enough - 1;
        int commands = 0;
        onRandomCommand = [&](int32_t) {
            if (++commands >= 5) mapCount = enough;
        };
        SeekDraws(1, Any);
        RandomiseFunctionSystem(0);
        EXPECT_GE(commands, 5);
        EXPECT_EQ(mapCount, enough);
    }
}

TEST_F(Randomise, APlainCommandEndsTheSearchOnAnOddDrawWithAFittedView) {
    drawMode = 0;
    mapCount = 0;
    viewFitted = 1;
    workCounter = 1234;
    PaintStripes(0);
    SeekDraws(1, [](const Draws &d) { return (d[0] & 1) != 0; });
    RandomiseFunctionSystem(kCommandNewPicture);
    EXPECT_EQ(Randomised(), std::vector<int32_t>{kCommandNewPicture});
    EXPECT_EQ(DoubleClicks(), std::vector<intptr_t>{PackedPixel(zoomPoint[0], zoomPoint[1])});
    EXPECT_EQ(workCounter, 1234) << "a given command keeps the work done";

    // An even draw goes on to a random pick.
    host.ClearReceived();
    SeekDraws(2,
              [](const Draws &d) { return (d[0] & 1) == 0 && d[1] % kFunctionSystemPicks == 10; });
    RandomiseFunctionSystem(kCommandNewPicture);
    EXPECT_EQ(Randomised(), (std::vector<int32_t>{kCommandNewPicture, kCommandMode2}));
    EXPECT_TRUE(DoubleClicks().empty());
}

// A fresh start (40040, 40041) sets every flag off and raises the degree from
// one, again on each draw not divisible by 16, up to 50 with no further draw.
// More symmetry than the maps allow (40043, the host answering with 10
// against 6) goes down by two, then by one per such draw, down to three
// where one last draw ends the loop.
TEST_F(Randomise, TheFunctionSystemDegreeIsRaisedOrLoweredByDraws) {
    maxSymmetryDegree = 6;
    const struct {
        int32_t pick, hostDegree, count, stopAt, degree, used;
    } cases[] = {
        {40040, 0, 2, 1, 2, 2},   {40041, 0, 50, -1, 50, 50}, {40043, 10, 3, 2, 7, 3},
        {40043, 10, 8, -1, 3, 7}, {40043, 6, 1, -1, 6, 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(::testing::Message() << c.pick << " " << c.hostDegree << " " << c.count);
        host.ClearReceived();
        onRandomCommand = [&](int32_t id) {
            if (id == kCommandMoreSymmetry) symmetryDegree = c.hostDegree;
            mapCount = 5;
        };
        SeekPick(c.pick, kFunctionSystemPicks, c.count, [&](const Draws &d) {
            for (int i = 1; i < c.count; ++i) {
                if (((d[i] & 15) == 0) != (i == c.stopAt)) return false;
            }
            return true;
        });
        const uint32_t counter = randomCounter;
        RandomiseFunctionSystem(0);
        EXPECT_EQ(symmetryDegree, c.degree);
        EXPECT_EQ(randomCounter - counter, static_cast<uint32_t>(c.used));
        if (c.pick == 40040) {
            EXPECT_EQ(CommandsFrom(host, kSourceSettings).back(), kCommandMode0);
            EXPECT_EQ(Randomised(), std::vector<int32_t>{40040});
            EXPECT_EQ(baseMapCount, 1);
        }
    }
}

TEST_F(Randomise, ModeParametersRaiseTheDegreeFromOneUpToThirty) {
    drawMode = 3;
    symmetryDegree = 1;
    SeekDraws(1, [](const Draws &d) { return (d[0] & 7) == 0; });
    RandomiseModeParameters(kCommandLessSymmetry);
    EXPECT_EQ(Randomised(), std::vector<int32_t>{kCommandLessSymmetry});
    EXPECT_EQ(symmetryDegree, 2);

    symmetryDegree = 1;
    SeekDraws(29, [](const Draws &d) {
        return std::all_of(d.begin(), d.end(), [](uint32_t r) { return (r & 7) != 0; });
    });
    RandomiseModeParameters(kCommandLessSymmetry);
    EXPECT_EQ(symmetryDegree, 30);
}

TEST_F(Randomise, TheShiftPickStartsAfreshInTheOtherFamily) {
    // Up to mode 4 every setting goes off and mode 2 follows; from mode 5 on,
    // mode 3. The shift toggle itself is then sent, and the degree raised.
    for (int32_t mode : {3, 6}) {
        SCOPED_TRACE(mode);
        host.ClearReceived();
        drawMode = mode;
        symmetryDegree = 7;
        shiftCopies = 0;
        SeekPick(kCommandShiftCopies, kModeParameterPicks);
        RandomiseModeParameters(0);
        EXPECT_EQ(CommandsFrom(host, kSourceSettings),
                  std::vector<int32_t>{mode == 3 ? kCommandMode2 : kCommandMode3});
        EXPECT_EQ(Randomised(), std::vector<int32_t>{kCommandShiftCopies});
        EXPECT_GE(symmetryDegree, 2);
    }
}

TEST_F(Randomise, ModeParameterSearchGoesOnAfterPlainCommands) {
    drawMode = 3;
    SeekDraws(2, [](const Draws &d) {
        return d[0] % kModeParameterPicks == 3 && d[1] % kModeParameterPicks == 11;
    });
    RandomiseModeParameters(0);
    EXPECT_EQ(Randomised(), (std::vector<int32_t>{40003, kCommandMode4}));

    // Outside modes 2 to 8 a plain command ends it.
    host.ClearReceived();
    drawMode = 1;
    RandomiseModeParameters(kCommandNewPicture);
    EXPECT_EQ(Randomised(), std::vector<int32_t>{kCommandNewPicture});
}

} // namespace
} // namespace quintorbelle::testing
