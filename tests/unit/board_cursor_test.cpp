// The grid board's keyboard cursor.
#include "logic/board_cursor.h"

#include <gtest/gtest.h>

namespace cellaro {
namespace {

constexpr KeyModifiers kShift{true, false, false};

TEST(BoardCursor, ShiftExtendsFromWhereTheCursorWasWhenShiftWentDown) {
    BoardCursor cursor;
    EXPECT_FALSE(cursor.keyed());
    EXPECT_TRUE(cursor.key(vk::kRight, {}, 6, 6));
    EXPECT_TRUE(cursor.key(vk::kRight, {}, 6, 6));
    EXPECT_TRUE(cursor.key(vk::kDown, kShift, 6, 6));
    EXPECT_TRUE(cursor.key(vk::kDown, kShift, 6, 6));
    EXPECT_EQ(cursor.range(), (CellRange{{2, 0}, {2, 2}}));
    // Back past the anchor: the range turns round it.
    EXPECT_TRUE(cursor.key(vk::kLeft, kShift, 6, 6));
    EXPECT_TRUE(cursor.key(vk::kLeft, kShift, 6, 6));
    EXPECT_TRUE(cursor.key(vk::kLeft, kShift, 6, 6));
    EXPECT_EQ(cursor.range(), (CellRange{{2, 0}, {0, 2}}));
    // Without Shift the range is the cursor's cell again.
    EXPECT_TRUE(cursor.key(vk::kUp, {}, 6, 6));
    EXPECT_EQ(cursor.range(), (CellRange{{0, 1}, {0, 1}}));
    cursor.reset();
    EXPECT_FALSE(cursor.keyed());
    EXPECT_EQ(cursor.range(), (CellRange{{0, 0}, {0, 0}}));
}

TEST(BoardCursor, TheCursorStaysOnTheBoardAndFollowsASmallerOne) {
    BoardCursor cursor;
    EXPECT_TRUE(cursor.key(vk::kLeft, {}, 3, 2)); // taken, moves nothing
    EXPECT_EQ(cursor.cursor(), (Point{0, 0}));
    EXPECT_TRUE(cursor.key(vk::kEnd, {}, 10, 10));
    EXPECT_TRUE(cursor.key(vk::kPageDown, kShift, 10, 10));
    EXPECT_EQ(cursor.range(), (CellRange{{9, 0}, {9, 9}}));
    // The board now has 3 x 2 cells: anchor and cursor come inside it.
    EXPECT_TRUE(cursor.key(vk::kHome, kShift, 3, 2));
    EXPECT_EQ(cursor.range(), (CellRange{{2, 0}, {0, 1}}));
    // Not cursor keys, or with Ctrl or Alt: left to others.
    EXPECT_FALSE(cursor.key(vk::kEnter, {}, 3, 2));
    EXPECT_FALSE(cursor.key(vk::kRight, KeyModifiers{false, true, false}, 3, 2));
    EXPECT_FALSE(cursor.key(vk::kRight, KeyModifiers{false, false, true}, 3, 2));
}

} // namespace
} // namespace cellaro
