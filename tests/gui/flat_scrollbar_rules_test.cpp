// The flat scroll bar's rules without a window: layout, arrows, drawing, property assignment,
// notifications, auto-repeat, dragging and enabling; and the wheel's notches.
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "ui/controls/flat_scrollbar_state.h"
#include "ui/controls/wheel_notches.h"

namespace fsb = flat_scrollbar;
using fsb::Point;
using fsb::Rect;

namespace {

// Notes every notification, in order, as a short text.
class Recorder : public fsb::FlatScrollBarEvents {
public:
    std::vector<std::string> log;
    std::function<void(int&)> onScrolled;

    void Scrolled(int& position) override {
        log.push_back("scroll " + std::to_string(position));
        if (onScrolled) onScrolled(position);
    }
    void Changed() override { log.push_back("change"); }
    void PaintAreas(std::span<const TFlatScrollBarArea> areas) override {
        // Appended piece by piece: GCC 12's -O3 warns falsely (-Wrestrict) on " " + string.
        std::string text = "paint";
        for (const TFlatScrollBarArea a : areas) {
            text += ' ';
            text += std::to_string(a);
        }
        log.push_back(text);
    }
    void RunRepeatTimer(bool run) override { log.push_back(run ? "timer on" : "timer off"); }
    void SyntheticMouseMove(Point at) override {
        log.push_back("move " + std::to_string(at.x) + "," + std::to_string(at.y));
    }
    void MouseEntered() override {}
    void MouseLeft() override {}
    void EnabledChanged(bool enabled) override { log.push_back(enabled ? "on" : "off"); }
};

const std::string PaintMoving = "paint 2 4 3";
const std::string PaintAll = "paint 0 1 2 3 4";

// The main window's bar: vertical, 10 x 251, 13-pixel buttons.
struct MainBar : ::testing::Test {
    Recorder events;
    fsb::FlatScrollBarState bar{events};

    MainBar() {
        bar.SetKind(sbVertical);
        bar.Resize(10, 251);
        bar.SetButtonWidth(13);
        bar.SetScrollerWidth(11);
        bar.SetMax(21);
        events.log.clear();
    }
    const Rect& area(TFlatScrollBarArea a) const { return bar.layout()[a]; }
    Point middle(TFlatScrollBarArea a) const {
        const Rect& r = area(a);
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
};

} // namespace

TEST_F(MainBar, ScrollerFollowsThePositionOverTheTrack) {
    EXPECT_EQ(area(saBtnArrowDown), (Rect{0, 0, 10, 13}));
    EXPECT_EQ(area(saBtnArrowUp), (Rect{0, 238, 10, 251}));
    const struct {
        int position, top;
    } cases[] = {{0, 13}, {1, 23}, {10, 115}, {20, 217}, {21, 227}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.position);
        bar.SetPosition(c.position);
        EXPECT_EQ(area(saScroller), (Rect{0, c.top, 10, c.top + 11}));
        EXPECT_EQ(area(saTrackDown), (Rect{0, 13, 10, c.top}));
        EXPECT_EQ(area(saTrackUp), (Rect{0, c.top + 11, 10, 238}));
    }
}

TEST(FlatScrollBarLayout, ArrowsPointAlongTheAxis) {
    const struct {
        TScrollBarKind kind;
        int width, height, buttonWidth;
        fsb::Triangle down, up;
    } cases[] = {
        {sbVertical, 10, 251, 13, {{{4, 4}, {2, 6}, {6, 6}}}, {{{2, 243}, {6, 243}, {4, 245}}}},
        {sbHorizontal,
         150,
         18,
         18,
         {{{6, 9}, {10, 5}, {10, 13}}},
         {{{138, 5}, {142, 9}, {138, 13}}}},
    };
    for (const auto& c : cases) {
        fsb::Layout layout;
        fsb::LayOutButtons(layout, {c.kind, c.width, c.height}, c.buttonWidth);
        EXPECT_EQ(layout.arrow[0], c.down);
        EXPECT_EQ(layout.arrow[1], c.up);
    }
    // Drawn filled with their outline: the up arrow is 1, 3 and 5 pixels wide.
    EXPECT_EQ(fsb::TriangleRows({{{4, 4}, {2, 6}, {6, 6}}}),
              (std::vector<Rect>{{4, 4, 5, 5}, {3, 5, 6, 6}, {2, 6, 7, 7}}));
}

TEST_F(MainBar, AssignmentsClampOrAreIgnoredAndOnlyRealChangesNotify) {
    using S = fsb::FlatScrollBarState;
    const struct {
        const char* what;
        void (*assign)(S&);
        int (S::*read)() const;
        int expected;
    } cases[] = {
        {"position below min", [](S& b) { b.SetPosition(-4); }, &S::Position, 0},
        {"position above max", [](S& b) { b.SetPosition(99); }, &S::Position, 21},
        {"min 10 leaves position 3", [](S& b) { b.SetPosition(3), b.SetMin(10); }, &S::Position, 3},
        {"until it is assigned", [](S& b) { b.SetPosition(3), b.SetMin(10), b.SetPosition(3); },
         &S::Position, 10},
        {"max -1", [](S& b) { b.SetMax(-1); }, &S::Max, 21},
        {"max below min", [](S& b) { b.SetMin(5), b.SetMax(4); }, &S::Max, 21},
        {"min above max", [](S& b) { b.SetMin(22); }, &S::Min, 0},
        {"min negative", [](S& b) { b.SetMin(-1); }, &S::Min, 0},
        {"small = large", [](S& b) { b.SetSmallChange(5); }, &S::SmallChange, 1},
        {"small 0", [](S& b) { b.SetSmallChange(0); }, &S::SmallChange, 1},
        {"large = small", [](S& b) { b.SetLargeChange(1); }, &S::LargeChange, 1},
        {"large 0", [](S& b) { b.SetLargeChange(0); }, &S::LargeChange, 5},
        {"scroller 0", [](S& b) { b.SetScrollerWidth(0); }, &S::ScrollerWidth, 3},
        {"button 500", [](S& b) { b.SetButtonWidth(500); }, &S::ButtonWidth, 125},
        {"button -1", [](S& b) { b.SetButtonWidth(-1); }, &S::ButtonWidth, 0},
    };
    for (const auto& c : cases) {
        Recorder fresh;
        S b(fresh);
        b.SetKind(sbVertical);
        b.Resize(10, 251);
        b.SetMax(21);
        c.assign(b);
        EXPECT_EQ((b.*c.read)(), c.expected) << c.what;
    }
    // At the end, a wheel notch further, the same value, a change step, colours: no
    // notification, no drawing.
    bar.SetPosition(21);
    events.log.clear();
    bar.SetPosition(21 + 5);
    bar.SetPosition(21);
    bar.SetSmallChange(2);
    bar.SetColors({1, 2, 3, 4});
    EXPECT_TRUE(events.log.empty());
}

TEST_F(MainBar, OnScrollSeesTheNewPositionBeforeTheScrollerMoves) {
    Rect scrollerDuringScroll;
    events.onScrolled = [&](int&) { scrollerDuringScroll = area(saScroller); };
    bar.SetPosition(10);
    EXPECT_EQ(scrollerDuringScroll.top, 13);
    EXPECT_EQ(area(saScroller).top, 115);
    EXPECT_EQ(events.log, (std::vector<std::string>{"scroll 10", PaintMoving, "change"}));

    // A lower maximum moves the position first, then the whole bar is drawn.
    events.log.clear();
    bar.SetMax(4);
    EXPECT_EQ(bar.Position(), 4);
    EXPECT_EQ(events.log, (std::vector<std::string>{"scroll 4", PaintMoving, "change", PaintAll}));

    // A value the handler stores is taken as it is.
    events.log.clear();
    events.onScrolled = [](int& position) { position = 40; };
    bar.SetPosition(2);
    EXPECT_EQ(bar.Position(), 40);
    EXPECT_EQ(events.log, (std::vector<std::string>{"scroll 2", PaintMoving, "change"}));
}

TEST_F(MainBar, HeldArrowStepsOncePerTickUntilThePointerSlidesOff) {
    const Point arrow = middle(saBtnArrowUp);
    bar.Press(arrow);
    EXPECT_TRUE(bar.RepeatRunning());
    EXPECT_EQ(bar.Position(), 0); // no step at the press
    bar.RepeatTick();
    bar.RepeatTick();
    EXPECT_EQ(bar.Position(), 2);
    bar.Move({arrow.x, area(saBtnArrowUp).top - 1});
    events.log.clear();
    bar.RepeatTick();
    EXPECT_FALSE(bar.RepeatRunning());
    EXPECT_EQ(events.log, (std::vector<std::string>{"timer off", "move 5,237"}));
    // Back on the arrow, still held: stepping doesn't resume.
    bar.Move(arrow);
    bar.RepeatTick();
    EXPECT_EQ(bar.Position(), 2);
    bar.Release(arrow);
    EXPECT_FALSE(bar.MouseIsDown());
    EXPECT_EQ(bar.MouseDownAt(), saNone);

    // Released before the first tick: nothing changes.
    bar.Press(middle(saBtnArrowDown));
    bar.Release(middle(saBtnArrowDown));
    bar.RepeatTick();
    EXPECT_EQ(bar.Position(), 2);
}

TEST_F(MainBar, HeldTrackPagesUntilTheScrollerReachesThePointer) {
    const Point pointer{5, 200};
    bar.Press(pointer);
    ASSERT_EQ(bar.MouseDownAt(), saTrackUp);
    std::vector<int> positions;
    for (int tick = 0; tick < 10 && bar.RepeatRunning(); ++tick) {
        bar.RepeatTick();
        positions.push_back(bar.Position());
    }
    // 15 puts the scroller at 166..177, 20 at 217..228: past the pointer, so the tick after
    // it finds the pointer on no track and stops.
    EXPECT_EQ(positions, (std::vector<int>{5, 10, 15, 20, 20}));
    EXPECT_FALSE(bar.RepeatRunning());
    EXPECT_FALSE(area(saTrackUp).contains(pointer));
}

TEST_F(MainBar, TrackWithoutRoomHidesTheScrollerAndPagesToMax) {
    bar.SetMax(7);
    bar.SetScrollerWidth(251);
    EXPECT_FALSE(bar.layout().scrollerShown);
    EXPECT_TRUE(area(saTrackDown).empty());
    EXPECT_EQ(area(saTrackUp), (Rect{0, 13, 10, 238}));
    bar.Press({5, 100});
    bar.RepeatTick();
    bar.RepeatTick();
    EXPECT_EQ(bar.Position(), 7);
    // With no range, the scroller sits at the track's start whatever the position.
    bar.SetScrollerWidth(11);
    bar.SetMax(0);
    EXPECT_EQ(area(saScroller).top, 13);
}

TEST_F(MainBar, DraggedScrollerKeepsItsGrabbedPointUnderThePointer) {
    bar.SetMax(214);    // one position per pixel of free track
    bar.Press({5, 17}); // 4 pixels into the scroller at 13
    ASSERT_EQ(bar.MouseDownAt(), saScroller);
    EXPECT_FALSE(bar.RepeatRunning());
    const struct { int y, position; } moves[] = {{117, 100}, {-50, 0}, {400, 214}, {30, 13}};
    for (const auto& m : moves) {
        bar.Move({5, m.y});
        EXPECT_EQ(bar.Position(), m.position) << m.y;
    }
    EXPECT_EQ(area(saScroller).top + 4, 30);
    // The scroller hidden under the drag: moves change nothing.
    bar.SetScrollerWidth(251);
    bar.Move({5, 100});
    EXPECT_EQ(bar.Position(), 13);
    bar.Release({5, 100});
    bar.Move({5, 60});
    EXPECT_EQ(bar.Position(), 13);
}

TEST_F(MainBar, DisabledBarGoesToMinShowsNoScrollerAndIgnoresPositions) {
    bar.SetPosition(7);
    bar.Press(middle(saBtnArrowUp));
    events.log.clear();
    bar.SetEnabled(false);
    EXPECT_EQ(events.log, (std::vector<std::string>{"scroll 0", PaintMoving, "change", "timer off",
                                                    "off", PaintAll}));
    // The press ended with the disabling.
    EXPECT_FALSE(bar.MouseIsDown());
    bar.SetPosition(5);
    EXPECT_EQ(bar.Position(), 0);
    // The track after the scroller covers its place; the arrows stay.
    EXPECT_TRUE(fsb::AreaDrawing(saScroller, bar.paintState()).empty());
    EXPECT_EQ(fsb::PaintedRect(saTrackUp, bar.paintState()).top, 13);
    EXPECT_EQ(fsb::AreaDrawing(saBtnArrowUp, bar.paintState()).back().kind,
              fsb::DrawOp::Kind::Polygon);
    bar.SetEnabled(true);
    bar.SetPosition(5);
    EXPECT_EQ(bar.Position(), 5);
    // A scroller of 7 pixels or less has no grip: fill and frame only.
    bar.SetScrollerWidth(7);
    EXPECT_EQ(fsb::AreaDrawing(saScroller, bar.paintState()).size(), 2u);
}

TEST(WheelNotches, SmallStepsAddUpToWholeNotches) {
    WheelNotches wheel;
    const struct {
        int units, notches;
    } turns[] = {{40, 0}, {40, 0}, {40, 1}, {-360, -3}, {-100, 0}, {220, 1}, {-20, 0}, {240, 2}};
    for (const auto& t : turns)
        EXPECT_EQ(wheel.Add(t.units), t.notches) << t.units;
}
