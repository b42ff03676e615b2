#include <gtest/gtest.h>

#include "GrowArray.h"
#include "GrowString.h"

namespace {

struct Counted {
    static int alive;
    int value = 0;
    Counted() { ++alive; }
    Counted(const Counted& o) : value(o.value) { ++alive; }
    Counted& operator=(const Counted&) = default;
    ~Counted() { --alive; }
};
int Counted::alive = 0;

}  // namespace

// The first block has exactly the size asked; growing by one then adds an eighth, between 4
// and 1024, or the step set; a need of more than a step goes straight to what is needed.
TEST(GrowArray, CapacityFollowsTheGrowthRule)
{
    struct Growth {
        int step;  // 0: automatic
        int first, then;
        int capacity;
    };
    const Growth cases[] = {
        {0, 40, 40, 40}, {0, 40, 41, 45}, {0, 20000, 20001, 21024}, {100, 5, 6, 105}, {100, 5, 500, 500},
    };
    for (const Growth& g : cases) {
        SCOPED_TRACE(::testing::Message() << "step " << g.step << ", " << g.first << " then " << g.then);
        CGrowArray<int> a;
        a.SetGrowBy(g.step);
        a.SetSize(g.first);
        a.SetSize(g.then);
        EXPECT_EQ(a.GetSize(), g.then);
        EXPECT_EQ(a.GetCapacity(), g.capacity);
    }
    // Add grows the same way: an eighth of 10 is less than 4.
    CGrowArray<int> b;
    b.SetSize(10);
    b.Add(1);
    EXPECT_EQ(b.GetCapacity(), 14);
}

TEST(GrowArray, ShrinkingKeepsTheBlockAndZeroFreesIt)
{
    CGrowArray<int> a;
    a.SetSize(30);
    a.SetSize(3);
    EXPECT_EQ(a.GetSize(), 3);
    EXPECT_EQ(a.GetCapacity(), 30);
    a.SetSize(0);
    EXPECT_EQ(a.GetCapacity(), 0);
    EXPECT_EQ(a.begin(), nullptr);
}

TEST(GrowArray, InsertAndRemoveKeepOrder)
{
    CGrowArray<int> a;
    for (int v : {1, 2, 4})
        a.Add(v);
    a.InsertAt(2, 3);
    a.InsertAt(0, 0);
    a.InsertAt(99, 5);  // past the end appends
    ASSERT_EQ(a.GetSize(), 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(a[i], i);
    a.RemoveAt(0);
    a.RemoveAt(4);
    a.RemoveAt(17);  // out of range: nothing
    ASSERT_EQ(a.GetSize(), 4);
    EXPECT_EQ(a[0], 1);
    EXPECT_EQ(a[3], 4);
}

TEST(GrowArray, ElementsAreConstructedAndDestroyedExactlyOnce)
{
    {
        CGrowArray<Counted> a;
        a.SetSize(10);
        EXPECT_EQ(Counted::alive, 10);
        a.SetSize(50);
        EXPECT_EQ(Counted::alive, 50);
        a.SetSize(5);
        EXPECT_EQ(Counted::alive, 5);
        Counted c;
        c.value = 7;
        a.InsertAt(1, c);
        a.RemoveAt(3);
        EXPECT_EQ(Counted::alive, 6);  // five in the array, c
        EXPECT_EQ(a[1].value, 7);
    }
    EXPECT_EQ(Counted::alive, 0);
}

TEST(GrowArray, HoldsStringsThatSurviveBlockMoves)
{
    CGrowArray<CGrowString> a;
    for (int i = 0; i < 100; ++i) {
        CGrowString s;
        s.Format("host%03d.example.test", i);
        a.Add(s);
    }
    a.InsertAt(50, CGrowString("inserted"));
    a.Add(a[0]);  // an element of the array itself, while the block may move
    ASSERT_EQ(a.GetSize(), 102);
    EXPECT_STREQ(a[0].GetText(), "host000.example.test");
    EXPECT_STREQ(a[50].GetText(), "inserted");
    EXPECT_STREQ(a[100].GetText(), "host099.example.test");
    EXPECT_STREQ(a[101].GetText(), "host000.example.test");
}
