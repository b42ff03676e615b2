// The checks as a user meets them in Scrivel: "Listen 8080" typed inside <Directory> is
// underlined at once, in the colour of "Error mark", with a message that says where Listen
// may stand in the status bar and in a tip over it; F8 and Shift+F8 walk the problems of
// the file; with the View menu's switch off nothing is underlined and the switch is kept.
#include <windows.h>

#include <gtest/gtest.h>

#include "Screenshot.h"
#include "ScrivelDriver.h"
#include "SettingsSchema.h"
#include "UiDriver.h"

using namespace scriveltest;

namespace {

constexpr UINT kViewChecks = 32799;
constexpr COLORREF kErrorMark = RGB(0, 200, 30);  // a colour nothing else on the page has
constexpr char kListenMessage[] =
    "Listen cannot occur within <Directory> section: it may stand only in the server config";

int MarkPixels(HWND view)
{
    return FindColourOnScreen(view, kErrorMark).count;
}

}  // namespace

TEST(ScrivelChecks, TypedMistakesAreUnderlinedAndF8WalksThem)
{
    CScrivelRun run;
    run.Registry().Store().SetProfileInt("Settings\\Format", "ErrorMark", static_cast<int>(kErrorMark));
    HWND view =
        run.StartOn({WorkFile("checks-conf", "httpd.conf",
                              "<Directory \"C:/x\">\r\n    Options None\r\n</Directory>\r\nServerName a b\r\n")});
    ASSERT_TRUE(view && ui::ClickToFocus(run.Frame(), view));
    ASSERT_TRUE(ui::WaitUntil([&] { return MarkPixels(view) > 0; })) << "ServerName a b is underlined";
    const int oneMark = MarkPixels(view);

    // "Listen 8080" typed on a new line inside the section.
    EXPECT_TRUE(CaretToEndOf(view, 1));
    ui::PressKey(VK_RETURN);
    ui::TypeText("Listen 8080");
    EXPECT_TRUE(ui::WaitUntil([&] { return MarkPixels(view) > oneMark; }));
    EXPECT_TRUE(ui::WaitUntil([&] { return StatusText(run.Frame()).rfind(kListenMessage, 0) == 0; }))
        << StatusText(run.Frame());
    SaveWindowPng(run.Frame(), "scrivel-checks");

    // The tip over the underlined name: the mark's colour shows first at Listen's.
    const RECT marks = FindColourOnScreen(view, kErrorMark).bounds;
    INPUT move = ui::MouseInputAt({marks.left + 4, marks.top - 4});
    ::SendInput(1, &move, sizeof move);
    EXPECT_TRUE(ui::WaitUntil([&] { return ui::ShownTip(run.Process().Id()) != nullptr; })) << "a tip over the mark";

    // F8 from the top: Listen, then ServerName (lines from 1), then round to Listen; Shift+F8 back.
    // The key takes the tip away, though the mouse stays on the mark.
    ui::PressKey(VK_HOME, true);
    EXPECT_TRUE(ui::WaitUntil([&] { return ui::ShownTip(run.Process().Id()) == nullptr; }))
        << "the tip goes with a key";
    ui::PressKey(VK_F8);
    EXPECT_TRUE(ui::WaitUntil([&] { return CaretLine(view) == 3; }));
    EXPECT_TRUE(ui::WaitUntil([&] { return StatusText(run.Frame()).rfind(kListenMessage, 0) == 0; }));
    ui::PressKey(VK_F8);
    EXPECT_TRUE(ui::WaitUntil([&] {
        return CaretLine(view) == 5 && StatusText(run.Frame()).rfind("ServerName takes one argument", 0) == 0;
    })) << StatusText(run.Frame());
    ui::PressKey(VK_F8);
    EXPECT_TRUE(ui::WaitUntil([&] { return CaretLine(view) == 3; }));
    ui::PressKey(VK_F8, false, true);
    EXPECT_TRUE(ui::WaitUntil([&] { return CaretLine(view) == 5; }));

    // Off: no marks, and remembered.
    ASSERT_TRUE(ui::PostCommand(run.Frame(), kViewChecks));
    EXPECT_TRUE(ui::WaitUntil([&] { return MarkPixels(view) == 0; }));
    EXPECT_TRUE(ui::WaitUntil(
        [&] { return run.Registry().Store().ProfileInt(settings::kSection, settings::kCheckAsYouType, 1) == 0; }));
    ASSERT_TRUE(ui::PostCommand(run.Frame(), kViewChecks));
    EXPECT_TRUE(ui::WaitUntil([&] { return MarkPixels(view) == oneMark * 2 || MarkPixels(view) > oneMark; }));

    // Mended, the file has nothing left: F8 says so.
    ui::PressKey(VK_HOME, true);
    for (int i = 0; i < 2; ++i)
        ui::PressKey(VK_DOWN);
    ui::PressKey(VK_END, false, true);
    ui::PressKey(VK_DELETE);
    ui::PressKey(VK_DELETE);
    ui::PressKey(VK_DOWN);
    ui::PressKey(VK_END);
    ui::PressKey(VK_BACK);
    ui::PressKey(VK_BACK);
    EXPECT_TRUE(ui::WaitUntil([&] { return MarkPixels(view) == 0; }));
    ui::PressKey(VK_F8);
    EXPECT_TRUE(ui::WaitUntil([&] { return StatusText(run.Frame()) == "No problems found"; }))
        << StatusText(run.Frame());
    EXPECT_EQ(run.CloseNow(), 0);
}
