// Automatic exploration: each branch of the two entry points with the
// requests, commands and double-clicks it leaves for the host.
#include <gtest/gtest.h>

#include <tuple>

#include "explore/explore.h"
#include "explore_support.h"

namespace quintorbelle::testing {
namespace {

// A posted message: number, wParam, lParam.
using Posted = std::tuple<uint32_t, uintptr_t, intptr_t>;

Posted Deferred(int32_t id) {
    return {kMessageDeferred, static_cast<uintptr_t>(id), 0};
}
Posted Command(int32_t id, int32_t source) {
    return {kMessageCommand, static_cast<uintptr_t>(id), source};
}
Posted ZoomAtZoomPoint() {
    return {kMessageDoubleClick, 0, PackedPixel(zoomPoint[0], zoomPoint[1])};
}

class AutoExplore : public EngineTest<> {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        SeekDraws(1, [](const Draws &) { return true; });
        autoExplore = 1;
        explorePatience = 20000;
        exploreZoomOdds = 7;
        workCounter = 7000;
        settleIteration = 1;
        divergenceIteration = 1;
        host.onMessage = [](const ReceivedMessage &message) {
            if (message.message == kMessageCommand)
                CarryOutCommand(static_cast<int32_t>(message.wParam));
        };
    }

    std::vector<Posted> TakePosted() {
        std::vector<Posted> posted;
        for (const QuintorbelleMessage &m : host.TakePosted())
            posted.push_back({m.message, m.wParam, m.lParam});
        return posted;
    }

    // A finished picture arms the next call while drawing.
    void FinishPicture() {
        drawStatus = 2;
        basinPhase = 1;
        ExploreAfterDrawing(0);
        basinPhase = 0;
        TakePosted();
    }
};

TEST_F(AutoExplore, WhileDrawingWaitsForMoreThan6000UnitsAndNoMoreThanItsPatience) {
    drawMode = 0;
    colourBySource = 1;
    drawStatus = 1;
    workCounter = 6000;
    ExploreWhileDrawing(1);
    EXPECT_TRUE(TakePosted().empty());
    EXPECT_EQ(drawStatus, 1);

    workCounter = 6001;
    ExploreWhileDrawing(1);
    EXPECT_EQ(TakePosted(), std::vector<Posted>{Deferred(kCommandColourBySource)});
    EXPECT_EQ(drawStatus, 0);

    autoExplore = 0;
    ExploreWhileDrawing(1);
    EXPECT_TRUE(TakePosted().empty());

    // Past the patience, and a count wrapped below zero is read as past it.
    autoExplore = 1;
    for (int32_t work : {20001, -1}) {
        drawStatus = 1;
        workCounter = work;
        ExploreWhileDrawing(1);
        EXPECT_EQ(TakePosted(), std::vector<Posted>{Deferred(0)});
        EXPECT_EQ(drawStatus, 0);
    }
}

TEST_F(AutoExplore, WhileDrawingActsOnceOnAFinishedPicture) {
    drawMode = 2;
    ExploreWhileDrawing(1);
    EXPECT_TRUE(TakePosted().empty()) << "nothing asked for yet";

    FinishPicture();
    SeekDraws(2, [](const Draws &d) { return d[0] % 9 == 0 && d[1] % 20 == 0; });
    ExploreWhileDrawing(1);
    EXPECT_EQ(TakePosted(),
              (std::vector<Posted>{Command(kCommandColourBySource, kSourceNextPicture),
                                   Command(kCommandAnimation, kSourcePlain)}));
    ExploreWhileDrawing(1);
    EXPECT_TRUE(TakePosted().empty()) << "the request is used up";

    // Modes 0 and 1: a new picture, and a zoom when the colours have come far.
    drawMode = 0;
    divergenceIteration = 0;
    maxColourIndex = 97;
    PaintStripes(100);
    FinishPicture();
    SeekDraws(2, [](const Draws &d) { return d[0] % 7 != 0 && d[1] % 3 == 0; });
    ExploreWhileDrawing(1);
    EXPECT_EQ(TakePosted(), (std::vector<Posted>{Command(kCommandNewPicture, kSourceNextPicture),
                                                 ZoomAtZoomPoint()}));
}

TEST_F(AutoExplore, ComplexPlaneZoomsGrowRarerAfterEachOne) {
    drawMode = 6;
    maxColourIndex = 65;
    PaintStripes(100);
    for (int32_t odds : {10, 15, 22}) {
        host.ClearReceived();
        FinishPicture();
        ExploreWhileDrawing(-1);
        EXPECT_EQ(exploreZoomOdds, odds);
        EXPECT_EQ(TakePosted(), std::vector<Posted>{ZoomAtZoomPoint()});
        ASSERT_EQ(CommandsFrom(host, kSourceNextPicture).size(), 1u);
    }
    // Going forward, no zoom is tried; the finished picture still counts.
    FinishPicture();
    host.ClearReceived();
    ExploreWhileDrawing(0);
    EXPECT_TRUE(TakePosted().empty());
    EXPECT_EQ(CommandsFrom(host, kSourceNextPicture).size(), 1u);
    EXPECT_EQ(exploreZoomOdds, 22);
}

TEST_F(AutoExplore, ComplexPlaneUnluckyDrawsWearThePatienceDown) {
    drawMode = 5;
    maxColourIndex = 65;
    for (int32_t patience : {20000, 15000}) {
        explorePatience = patience;
        SeekDraws(1, [](const Draws &d) { return d[0] % 7 != 0; });
        ExploreWhileDrawing(-1);
        EXPECT_EQ(explorePatience, patience == 20000 ? 19000 : 15000);
        EXPECT_TRUE(TakePosted().empty());
    }
    // A lucky draw on a picture with nothing busy asks for a new one.
    SeekDraws(1, [](const Draws &d) { return d[0] % 7 == 0; });
    drawStatus = 1;
    ExploreWhileDrawing(-1);
    EXPECT_EQ(TakePosted(), std::vector<Posted>{Deferred(0)});
    EXPECT_EQ(drawStatus, 0);
    EXPECT_EQ(exploreZoomOdds, 7);

    // A picture that has not settled is held at the threshold.
    settleIteration = 0;
    ExploreWhileDrawing(1);
    EXPECT_EQ(workCounter, 6000);
}

TEST_F(AutoExplore, WithoutAutoExploreOnlyAGivenUpPictureAsksForParameters) {
    autoExplore = 0;
    drawMode = 2;
    drawStatus = 2;
    EXPECT_EQ(ExploreAfterDrawing(5), 1);
    EXPECT_EQ(ExploreAfterDrawing(0), 0);
    EXPECT_TRUE(TakePosted().empty());

    drawStatus = 1;
    paramOrigin = 2;
    EXPECT_EQ(ExploreAfterDrawing(5), 1);
    paramOrigin = 0;
    drawMode = 0;
    mapCount = 1;
    EXPECT_EQ(ExploreAfterDrawing(5), 1);
    EXPECT_TRUE(TakePosted().empty());
    mapCount = 2;
    EXPECT_EQ(ExploreAfterDrawing(5), 0);
    EXPECT_EQ(TakePosted(), std::vector<Posted>{Command(kCommandNewParameters, kSourcePlain)});
}

// A stopped picture (status 0) asks for new parameters, halving a high icon
// degree unless chaotic. A finished one (2) draws: odd, more symmetry for a
// quick picture with few copies, else new parameters unless chaotic or long;
// even, half the work (as an unsigned count), the log scale off and an
// animation of a chaotic picture. Basin passes and the complex pictures ask
// for a new picture without a draw.
TEST_F(AutoExplore, AfterDrawingTheRequestFollowsThePictureAndADraw) {
    const struct {
        int32_t mode, status, degree, work;
        uint32_t divergence;
        int32_t basin, parity; // parity -1: no draw is taken
        int32_t degreeAfter, request;
    } cases[] = {
        {3, 0, 20, 7000, 0, 0, -1, 10, kCommandNewParameters},
        {3, 0, 13, 7000, 0, 0, -1, 6, kCommandNewParameters},
        {3, 0, 12, 7000, 0, 0, -1, 12, kCommandNewParameters},
        {3, 0, 20, 7000, 1, 0, -1, 20, kCommandNewParameters},
        {3, 2, 4, 3000, 0, 0, 1, 8, kCommandMoreSymmetry},
        {3, 2, 10, 3000, 0, 0, 1, 10, kCommandNewParameters},
        {3, 2, 4, 5000, 0, 0, 1, 4, kCommandNewParameters},
        {3, 2, 4, 12001, 0, 0, 1, 4, 0},
        {3, 2, 10, 3000, 1, 0, 1, 10, 0},
        {2, 2, 3, -2, 1, 0, 0, 3, kCommandAnimation},
        {2, 2, 3, -2, 0, 0, 0, 3, 0},
        {4, 2, 3, -2, 1, 0, 0, 3, 0},
        {5, 2, 3, 7000, 0, 0, -1, 3, 0},
        {8, 2, 3, 7000, 0, 0, -1, 3, 0},
        {0, 2, 3, 7000, 0, 1, -1, 3, 0},
    };
    viewFitted = 1;
    for (const auto &c : cases) {
        SCOPED_TRACE(::testing::Message() << "mode " << c.mode << " degree " << c.degree << " work "
                                          << c.work << " parity " << c.parity);
        host.ClearReceived();
        drawMode = c.mode;
        drawStatus = c.status;
        symmetryDegree = c.degree;
        workCounter = c.work;
        divergenceIteration = c.divergence;
        basinPhase = c.basin;
        logColourScale = 1;
        SeekDraws(1, [&](const Draws &d) {
            return c.parity < 0 || (d[0] & 1) == static_cast<uint32_t>(c.parity);
        });
        const uint32_t counter = randomCounter;
        EXPECT_EQ(ExploreAfterDrawing(1), 0);
        EXPECT_EQ(symmetryDegree, c.degreeAfter);
        EXPECT_EQ(TakePosted(), std::vector<Posted>{Deferred(c.request)});
        EXPECT_EQ(workCounter, c.parity == 0 ? INT32_MAX : c.work);
        EXPECT_EQ(host.Commands(),
                  c.parity == 0 ? std::vector<int32_t>{kCommandLogScale} : std::vector<int32_t>{});
        EXPECT_EQ(randomCounter - counter, c.parity < 0 ? 0u : 1u);
    }
}

TEST_F(AutoExplore, AStoppedPictureWithoutAViewIsReplacedAtOnce) {
    drawMode = 3;
    drawStatus = 0;
    viewFitted = 0;
    fittedOnce = 0;
    ExploreAfterDrawing(1);
    EXPECT_EQ(CommandsFrom(host, kSourceNextPicture), std::vector<int32_t>{kCommandNewPicture});
    EXPECT_EQ(TakePosted(), std::vector<Posted>{Deferred(kCommandNewParameters)});
}

// An even draw in modes 0 and 1 may zoom instead, with nothing else sent.
TEST_F(AutoExplore, AnEvenDrawMayZoomIntoAFunctionSystem) {
    drawMode = 1;
    drawStatus = 2;
    logColourScale = 1;
    PaintStripes(100);
    SeekDraws(2, [](const Draws &d) { return (d[0] & 1) == 0 && d[1] % 3 == 0; });
    ExploreAfterDrawing(0);
    EXPECT_EQ(TakePosted(), std::vector<Posted>{ZoomAtZoomPoint()});
    EXPECT_TRUE(host.received().empty());
}

} // namespace
} // namespace quintorbelle::testing
