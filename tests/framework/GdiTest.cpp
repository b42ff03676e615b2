// Drawing objects: pens, brushes, fonts, bitmaps and drawing surfaces go with their
// wrappers, moves hand them on without copies, and a selection guard puts the previous
// object back.
#include <windows.h>

#include <gtest/gtest.h>

#include <utility>

#include "Gdi.h"
#include "GuiObjectCount.h"

namespace {
TEST(GdiTest, DrawingObjectsAreDeletedWithTheirWrappers)
{
    auto useEach = [](unsigned long before) {
        CPen pen(PS_SOLID, 1, RGB(255, 0, 0));
        CBrush brush(RGB(0, 255, 0));
        CFont font;
        LOGFONTA description{};
        description.lfHeight = -12;
        lstrcpyA(description.lfFaceName, "Arial");
        ASSERT_TRUE(font.CreateFontIndirect(description));
        CClientDC screen(nullptr);
        CBitmap bitmap;
        ASSERT_TRUE(bitmap.CreateCompatibleBitmap(screen, 8, 8));
        EXPECT_EQ(bitmap.GetSize().cx, 8);
        if (before) {
            EXPECT_EQ(fwtest::CountGuiObjects().gdi, before + 4);
        }
    };
    useEach(0);  // the system keeps what it makes on first use (font tables, the screen DC)
    unsigned long before = fwtest::CountGuiObjects().gdi;
    useEach(before);
    EXPECT_EQ(fwtest::CountGuiObjects().gdi, before);
}

TEST(GdiTest, DrawingSurfacesAreDeletedOrReleasedWithTheirOwners)
{
    auto useEach = [] {
        CClientDC screen(nullptr);
        CMemoryDC memory(screen);
        CWindowReleasedDC whole(nullptr, ::GetWindowDC(nullptr));
        EXPECT_NE(memory.GetSafeHdc(), nullptr);
        EXPECT_NE(whole.GetSafeHdc(), nullptr);
    };
    useEach();
    const unsigned long before = fwtest::CountGuiObjects().gdi;
    for (int i = 0; i < 50; ++i)
        useEach();
    EXPECT_EQ(fwtest::CountGuiObjects().gdi, before);
}

TEST(GdiTest, AMovedObjectIsDeletedOnceByItsNewOwner)
{
    unsigned long before = fwtest::CountGuiObjects().gdi;
    {
        CBrush first(RGB(1, 2, 3));
        HBRUSH handle = first;
        CBrush second(std::move(first));
        EXPECT_EQ(first.GetSafeHandle(), nullptr);
        EXPECT_EQ(second.GetSafeHandle(), handle);
        CBrush third;
        third = std::move(second);
        EXPECT_EQ(third.GetSafeHandle(), handle);
        EXPECT_EQ(fwtest::CountGuiObjects().gdi, before + 1);
    }
    EXPECT_EQ(fwtest::CountGuiObjects().gdi, before);
}

TEST(GdiTest, TheSelectionGuardPutsThePreviousObjectBack)
{
    CClientDC screen(nullptr);
    CMemoryDC memory(screen);
    ASSERT_NE(memory.GetSafeHdc(), nullptr);
    HGDIOBJ previousPen = ::GetCurrentObject(memory, OBJ_PEN);
    CPen red(PS_SOLID, 1, RGB(255, 0, 0));
    {
        CSelectObject selected(memory, red);
        EXPECT_EQ(::GetCurrentObject(memory, OBJ_PEN), static_cast<HGDIOBJ>(red.GetSafeHandle()));
        CBitmap canvas;
        ASSERT_TRUE(canvas.CreateCompatibleBitmap(screen, 10, 10));
        CSelectObject onCanvas(memory, canvas);
        memory.FillSolidRect(RECT{0, 0, 10, 10}, RGB(255, 255, 255));
        memory.MoveTo(0, 5);
        memory.LineTo(10, 5);
        EXPECT_EQ(::GetPixel(memory, 4, 5), RGB(255, 0, 0));
    }
    EXPECT_EQ(::GetCurrentObject(memory, OBJ_PEN), previousPen);
}
}  // namespace
