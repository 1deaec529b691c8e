// Preview mode (/p <window>): the bitmap inside a host window of ours, the
// ways the preview ends, and a handle the window cannot be created in.
#include <cctype>

#include "harness/harness.h"
#include "shell/home_page.h"

namespace {

const char SaverCaption[] = "Verdo";
const char CreationErrorCaption[] = "CreateWindowEx - error";

// The program's bitmap "VERDO", taken from verdo.scr as a data file.
struct ProgramBitmap {
    ProgramBitmap() : bitmap(ProgramResources(SaverProgramPath()).LoadBitmapResource("VERDO")) {}
    ~ProgramBitmap() {
        if (bitmap) DeleteObject(bitmap);
    }
    HBITMAP bitmap;
};

// The bitmap stretched the way the preview paints it: halftone, over the
// whole client area.
Snapshot ExpectedPreview(HBITMAP bitmap, int width, int height) {
    return Snapshot::Paint(width, height, [&](HDC target) {
        HDC source = CreateCompatibleDC(target);
        HGDIOBJ previous = SelectObject(source, bitmap);
        SetStretchBltMode(target, HALFTONE);
        SetBrushOrgEx(target, 0, 0, nullptr);
        StretchBlt(target, 0, 0, width, height, source, 0, 0, 100, 100, SRCCOPY);
        SelectObject(source, previous);
        DeleteDC(source);
    });
}

bool AllDecimalDigits(const std::string& text) {
    if (text.empty()) return false;
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

class Preview : public SaverCase {
protected:
    void SetUp() override {
        SaverCase::SetUp();
        ASSERT_TRUE(Installation().WritePhrases("Verdo"));
        ASSERT_TRUE(Installation().WriteSettings(SettingsBytes(127, 255, 255, 2)));
    }

    // Starts /p in the host and waits for the saver's child window.
    HWND StartIn(PreviewHost& host, const std::string& arguments) {
        if (!Saver().Start(arguments)) return nullptr;
        HWND child = nullptr;
        WaitUntil(
            [&] {
                child = FindChildOfClass(host.Handle(), "Verdo");
                return child && IsWindowVisible(child);
            },
            StartTimeoutMs);
        return child && IsWindowVisible(child) ? child : nullptr;
    }

    void ExpectCreationErrorReported() {
        HWND box = WaitForMessageBox(Saver().Id(), CreationErrorCaption, StartTimeoutMs);
        ASSERT_NE(nullptr, box) << "no \"" << CreationErrorCaption << "\" message box";
        const std::string text = MessageBoxText(box);
        EXPECT_TRUE(AllDecimalDigits(text)) << "message text \"" << text << "\"";
        EXPECT_EQ(nullptr, GetWindow(box, GW_OWNER)) << "the box has no owner";
        EXPECT_TRUE(Saver().IsRunning()) << "the process must wait for the box";
        ASSERT_TRUE(PressMessageBoxButton(box));
        ASSERT_TRUE(Saver().WaitForExit(ExitTimeoutMs));
        EXPECT_EQ(0u, Saver().ExitCode());
        EXPECT_TRUE(ProcessWindows(Saver().Id()).empty());
    }
};

// Without DirectDraw the child fills the host's client area, reports nothing
// and stays until its host goes. Wine 8 keeps what a child of another process
// paints off the screen: the pop-up below, painted by the same code, shows it.
TEST_F(Preview, WithoutDirectDrawAChildFillsTheHostUntilTheHostGoes) {
    DirectDrawDisabled noDirectDraw;
    ASSERT_TRUE(noDirectDraw.Ok());
    PreviewHost host;
    HWND child = StartIn(host, "/p " + host.DecimalHandle());
    ASSERT_NE(nullptr, child);
    RECT childRect = {};
    GetWindowRect(child, &childRect);
    const RECT client = host.ClientOnScreen();
    EXPECT_TRUE(EqualRect(&childRect, &client)) << "the preview does not fill the host's client area";
    EXPECT_EQ(SaverCaption, TextOf(child));
    EXPECT_EQ(nullptr, WaitForMessageBox(Saver().Id(), nullptr, 1500));
    EXPECT_TRUE(Saver().IsRunning());
    host.Destroy();
    ASSERT_TRUE(Saver().WaitForExit(ExitTimeoutMs));
    EXPECT_EQ(0u, Saver().ExitCode());
}

// Each release of the left button starts one file explorer on the home page
// (a stand-in records it) and the preview goes on; a key ends it.
TEST_F(Preview, ALeftClickOpensTheHomePageOnceAndAKeyEndsIt) {
    ASSERT_TRUE(PlaceStandIn(Installation(), "explorer", StandInKind::Recording));
    PreviewHost host;
    HWND child = StartIn(host, "/p " + host.DecimalHandle());
    ASSERT_NE(nullptr, child);
    const POINT centre = host.ClientCentreOnScreen();
    ASSERT_TRUE(MoveMouseTo(centre.x, centre.y));
    EXPECT_TRUE(!Saver().WaitForExit(500)) << "moving over the preview must not end it";

    ClickMouseButton(MouseButton::Left);
    EXPECT_TRUE(WaitUntil([&] { return !StandInStarts(Installation(), "explorer").empty(); }, 10000))
        << "the click started no file explorer";
    EXPECT_FALSE(Saver().WaitForExit(1000)) << "the preview ended with the click";
    const std::vector<std::string> starts = StandInStarts(Installation(), "explorer");
    ASSERT_EQ(1u, starts.size()) << "one click, one explorer";
    EXPECT_EQ(std::string("explorer \"") + HomePageAddress + "\"", starts[0]);
    EXPECT_TRUE(IsWindow(child) && IsWindowVisible(child)) << "the preview is gone";

    ASSERT_TRUE(host.GiveKeyboardTo(child));
    TapKey(VK_SPACE);
    ASSERT_TRUE(Saver().WaitForExit(ExitTimeoutMs)) << "a key did not end the preview";
    EXPECT_EQ(0u, Saver().ExitCode());
    EXPECT_TRUE(host.Exists()) << "ending the preview must leave the host alone";
}

TEST_F(Preview, DigitsAreGatheredFromTheWholeTextAndARightClickEndsIt) {
    PreviewHost host;
    std::string spread;  // "p" and every digit of the handle, with colons between
    for (char digit : host.DecimalHandle()) spread += std::string(":") + digit;
    ASSERT_NE(nullptr, StartIn(host, "p" + spread));
    const POINT centre = host.ClientCentreOnScreen();
    ASSERT_TRUE(MoveMouseTo(centre.x, centre.y));
    PressMouseButton(MouseButton::Right);
    const bool ended = Saver().WaitForExit(ExitTimeoutMs);
    ReleaseMouseButton(MouseButton::Right);
    ASSERT_TRUE(ended) << "a right click did not end the preview";
    EXPECT_EQ(0u, Saver().ExitCode());
    EXPECT_TRUE(host.Exists()) << "ending the preview must leave the host alone";
}

// The pop-up is a top-level window of the saver's own process, so what it
// paints reaches the screen on every system: the bitmap is compared there.
// DirectDraw is switched off: neither letter may need it.
TEST_F(Preview, WithBothLettersAPopUpOfTheHostPaintsTheBitmapAndEndsOnMovement) {
    ProgramBitmap program;
    ASSERT_NE(nullptr, program.bitmap) << "verdo.scr has no bitmap VERDO";
    BITMAP info = {};
    ASSERT_TRUE(GetObjectA(program.bitmap, sizeof(info), &info));
    EXPECT_EQ(100, info.bmWidth);
    EXPECT_EQ(100, info.bmHeight);
    EXPECT_EQ(8, info.bmBitsPixel);
    DirectDrawDisabled noDirectDraw;
    ASSERT_TRUE(noDirectDraw.Ok());
    PreviewHost host;
    ASSERT_TRUE(PlaceCursor(700, 600));  // away from the pop-up: only our reports reach it
    ASSERT_TRUE(Saver().Start("/s /p " + host.DecimalHandle()));
    HWND popUp = WaitForProcessWindow(Saver().Id(), "Verdo", nullptr, StartTimeoutMs);
    ASSERT_NE(nullptr, popUp) << "no top-level saver window";
    EXPECT_EQ(host.Handle(), GetWindow(popUp, GW_OWNER));
    EXPECT_TRUE(GetWindowLongPtrA(popUp, GWL_STYLE) & WS_POPUP);
    RECT area = {};
    GetWindowRect(popUp, &area);
    const RECT client = host.ClientOnScreen();
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    EXPECT_EQ(0, area.left);
    EXPECT_EQ(0, area.top);
    EXPECT_EQ(width, area.right - area.left);
    EXPECT_EQ(height, area.bottom - area.top);
    EXPECT_EQ(nullptr, WaitForMessageBox(Saver().Id(), nullptr, 500)) << "no DirectDraw in Preview mode";

    const Snapshot expected = ExpectedPreview(program.bitmap, width, height);
    const int tolerance = ScreenBitsPerPixel() == 16 ? 12 : 2;
    size_t differing = 0;
    const Snapshot shown = WaitForSnapshot(
        RECT{0, 0, width, height},
        [&](const Snapshot& shot) { return (differing = shot.CountDifferent(expected, tolerance)) < static_cast<size_t>(width); },
        5000);
    EXPECT_TRUE(shown.Valid()) << "the pop-up never showed the stretched bitmap: " << differing << " pixels differ";

    PostMessageA(popUp, WM_MOUSEMOVE, 0, MAKELPARAM(50, 50));
    PostMessageA(popUp, WM_MOUSEMOVE, 0, MAKELPARAM(65, 50));
    EXPECT_FALSE(Saver().WaitForExit(1000));
    PostMessageA(popUp, WM_MOUSEMOVE, 0, MAKELPARAM(66, 50));
    ASSERT_TRUE(Saver().WaitForExit(ExitTimeoutMs)) << "the Saver letter's movement test did not apply";
    EXPECT_EQ(0u, Saver().ExitCode());
}

// No digits, more than the ten the program keeps, and a run of thousands that
// must not overrun its buffer: no window can be made in what they name.
TEST_F(Preview, AHandleThatNamesNoWindowIsReportedAsAWindowCreationFailure) {
    for (const std::string& arguments : {std::string("/p"), std::string("/p 12345678901"), "/p " + std::string(4000, '7')}) {
        SCOPED_TRACE(arguments.substr(0, 20));
        ASSERT_TRUE(Saver().Start(arguments));
        ASSERT_NO_FATAL_FAILURE(ExpectCreationErrorReported());
    }
}

}  // namespace
