// The settings dialog of a Configure run, driven from outside the way a user
// and the system would: messages to its controls, real clicks and keys, the
// screen read back, the animation thread's suspension count read through the
// thread itself.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "harness/harness.h"
#include "resources/setup_ids.h"
#include "shell/home_page.h"

namespace {

const char DialogCaption[] = "Verdo - Settings";
const char Phrases[] = "Verdo\r\nA phrase that grows\r\n";
const DWORD StillBoundMs = 1500;   // how long "nothing happens" is watched
const DWORD AnimationBoundMs = 20000;

struct ControlExpectation {
    int id;
    const char* className;
    const char* text;   // null: not checked
    DWORD style;        // besides WS_CHILD | WS_VISIBLE
    DWORD exStyle;      // bits that must be set
};

const DWORD PushButton = BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | WS_TABSTOP;
const DWORD Slider = TBS_HORZ | TBS_AUTOTICKS | TBS_BOTH | TBS_NOTICKS | WS_TABSTOP;
const DWORD Label = SS_LEFT | WS_GROUP;
const WORD NoId = 0xFFFF;

const ControlExpectation TemplateControls[] = {
    {IDC_SETUP_CANCEL, "Button", "Cancel", PushButton, 0},
    {IDC_PREVIEW_FRAME, "Static", "", SS_GRAYFRAME, WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME},
    {IDC_HOME_PAGE, "Button", "Home Page", PushButton, 0},
    {IDC_SETUP_OK, "Button", "OK", PushButton, 0},
    {IDC_RED_SLIDER, "msctls_trackbar32", nullptr, Slider, 0},
    {NoId, "Button", "Mode", BS_GROUPBOX, 0},
    {IDC_GREEN_SLIDER, "msctls_trackbar32", nullptr, Slider, 0},
    {IDC_BLUE_SLIDER, "msctls_trackbar32", nullptr, Slider, 0},
    {IDC_VIDEO_MODES, "ComboBox", nullptr, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0},
    {NoId, "Static", "Video resolution", SS_CENTER | WS_GROUP, 0},
    {NoId, "Static", "Monitors", Label, 0},
    {IDC_MONITORS, "ComboBox", nullptr, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0},
    {IDC_SET_PHRASES, "Button", "Set phrases", PushButton, 0},
    {NoId, "Button", "Color", BS_GROUPBOX, 0},
    {NoId, "Static", "Red", Label, 0},
    {NoId, "Static", "Green", Label, 0},
    {NoId, "Static", "Blue", Label, 0},
    {IDC_DURATION_SLIDER, "msctls_trackbar32", nullptr, Slider, 0},
    {NoId, "Static", "Duration", Label, 0},
    {IDC_INVERT, "Button", "Invert Colors", BS_AUTOCHECKBOX | WS_TABSTOP, 0},
    {NoId, "Static", nullptr, Label, 0},
    {IDC_LINK_PLACE, "Static", "", Label, 0},
};

bool EqualsIgnoringCase(const std::string& a, const char* b)
{
    return _stricmp(a.c_str(), b) == 0;
}

// The cursor shown once the real pointer rests at `point`.
HCURSOR CursorOver(POINT point)
{
    if (!MoveMouseTo(point.x + 1, point.y) || !MoveMouseTo(point.x, point.y))
        return nullptr;
    CURSORINFO cursor = {};
    cursor.cbSize = sizeof cursor;
    return GetCursorInfo(&cursor) ? cursor.hCursor : nullptr;
}

class SettingsDialog : public SaverCase {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(gdiRenderer_.Ok());
        SaverCase::SetUp();
    }

    // Starts a Configure run and waits until its preview animates: the
    // dialog, the saver window inside the frame and the animation thread.
    void Open(const Bytes* settings = nullptr)
    {
        ASSERT_TRUE(Installation().WritePhrases(Phrases));
        if (settings) {
            ASSERT_TRUE(Installation().WriteSettings(*settings));
        }
        ASSERT_NO_FATAL_FAILURE(OpenOnTheFilesThere());
    }

    void OpenOnTheFilesThere()
    {
        ASSERT_TRUE(Saver().Start("/c"));
        dialog_ = WaitForProcessWindow(Saver().Id(), "#32770", DialogCaption, StartTimeoutMs);
        ASSERT_NE(nullptr, dialog_) << "no settings dialog";
        ASSERT_TRUE(WaitUntil([&] { return FindChildOfClass(Item(IDC_PREVIEW_FRAME), "Verdo") != nullptr; },
                              StartTimeoutMs))
            << "no saver window in the preview frame";
        ASSERT_TRUE(WaitUntil([&] { return SuspensionCount(Saver().Id()) >= 0; }, StartTimeoutMs))
            << "no animation thread";
    }

    HWND Dialog() const { return dialog_; }
    HWND Item(int id) const { return GetDlgItem(dialog_, id); }
    // Bounded, so that a hung dialog fails the case instead of the whole run.
    LRESULT Send(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutA(Item(id), message, wParam, lParam, SMTO_NORMAL, 5000, &result)) {
            ADD_FAILURE() << "control " << id << " does not answer";
            return -1;
        }
        return static_cast<LRESULT>(result);
    }
    LRESULT SendToDialog(UINT message, WPARAM wParam, LPARAM lParam) const
    {
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutA(dialog_, message, wParam, lParam, SMTO_NORMAL, 5000, &result)) {
            ADD_FAILURE() << "the dialog does not answer";
            return -1;
        }
        return static_cast<LRESULT>(result);
    }
    int SliderPosition(int id) const { return static_cast<int>(Send(id, TBM_GETPOS)); }
    RECT Preview() const { return ClientOnScreen(Item(IDC_PREVIEW_FRAME)); }

    std::vector<std::string> VideoModeEntries() const
    {
        std::vector<std::string> entries;
        const int count = static_cast<int>(Send(IDC_VIDEO_MODES, CB_GETCOUNT));
        for (int i = 0; i < count; ++i) {
            // The wide message: its text crosses the process boundary whole.
            wchar_t text[64] = {};
            if (SendMessageW(Item(IDC_VIDEO_MODES), CB_GETLBTEXTLEN, i, 0) < 64)
                SendMessageW(Item(IDC_VIDEO_MODES), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            std::string narrow;
            for (const wchar_t* c = text; *c; ++c)
                narrow.push_back(static_cast<char>(*c));
            entries.push_back(narrow);
        }
        return entries;
    }

    // A click of a control with the real mouse.
    void Click(int id) { ASSERT_TRUE(ClickAtCentreOf(Item(id))) << "the pointer never stood over control " << id; }

    // The dialog's own move: its window placed so that the preview frame's
    // client area starts at (x, y).
    void MovePreviewTo(int x, int y)
    {
        const RECT preview = Preview();
        RECT window = {};
        GetWindowRect(dialog_, &window);
        // Asynchronous, so a dialog that hangs cannot hang the test with it.
        SetWindowPos(dialog_, nullptr, window.left + x - preview.left, window.top + y - preview.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
        // The window manager confirms each move in its own time, and a late
        // confirmation of the move before puts the window back there for a
        // moment: the move stands once the window has stayed put for 100 ms.
        int steady = 0;
        ASSERT_TRUE(WaitUntil(
            [&] { return (steady = Preview().left == x && Preview().top == y ? steady + 1 : 0) > 5; }, 5000))
            << "the dialog did not move";
        // The move has been handled once the dialog answers again.
        DWORD_PTR ignored = 0;
        ASSERT_TRUE(SendMessageTimeoutA(dialog_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored))
            << "the dialog hangs after a move";
    }

    // The dialog and its preview frame made wider from outside, as the
    // system does when it rescales them for another monitor's DPI.
    void WidenFrame(int gained)
    {
        const int width = Preview().right - Preview().left;
        for (HWND window : {dialog_, Item(IDC_PREVIEW_FRAME)}) {
            RECT area = {};
            GetWindowRect(window, &area);
            SetWindowPos(window, nullptr, 0, 0, area.right - area.left + gained, area.bottom - area.top,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
        }
        ASSERT_TRUE(WaitUntil([&] { return Preview().right - Preview().left == width + gained; }, 5000));
    }

    // Whether the visible part of the preview changes within the bound.
    bool PreviewChangesWithin(DWORD timeoutMs) const
    {
        const RECT area = VisiblePart(Preview());
        const Snapshot before = Snapshot::Capture(area);
        return WaitUntil([&] { return Snapshot::Capture(area).CountDifferent(before) > 0; }, timeoutMs, 50);
    }

    // The preview stands still: once what the last drawing left has reached
    // the screen (three equal pictures in a row), no pixel of its visible part
    // changes for a while.
    bool PreviewStandsStill() const
    {
        const RECT area = VisiblePart(Preview());
        Snapshot last = Snapshot::Capture(area);
        int equalInARow = 0;
        WaitUntil(
            [&] {
                Snapshot next = Snapshot::Capture(area);
                equalInARow = next.CountDifferent(last) == 0 ? equalInARow + 1 : 0;
                last = next;
                return equalInARow >= 3;
            },
            6000, 300);
        return !PreviewChangesWithin(StillBoundMs);
    }

    // OK refused by the system: the message names verdo.set and the system's
    // reason, the dialog holds the preview while it shows, and after the
    // message the dialog stays open.
    void ExpectOkSaysItCannotSave()
    {
        PostMessageA(dialog_, WM_COMMAND, MAKEWPARAM(IDC_SETUP_OK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(Item(IDC_SETUP_OK)));
        HWND box = WaitForMessageBox(Saver().Id(), "Verdo", StartTimeoutMs);
        ASSERT_NE(nullptr, box) << "no message after a failed save";
        EXPECT_EQ(dialog_, GetWindow(box, GW_OWNER));
        char reason[512] = {};
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, ERROR_ACCESS_DENIED, 0,
                       reason, sizeof reason, nullptr);
        std::string expected =
            "Verdo could not save its settings to " + Installation().FilePath("verdo.set") + ": " + reason;
        expected.erase(expected.find_last_not_of("\r\n ") + 1);
        EXPECT_EQ(expected, MessageBoxText(box));
        EXPECT_TRUE(PreviewStandsStill()) << "the preview draws while the message shows";
        ASSERT_TRUE(PressMessageBoxButton(box));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 5000));
        EXPECT_TRUE(IsWindow(dialog_) && IsWindowVisible(dialog_));
    }

    bool WaitForEnd()
    {
        return Saver().WaitForExit(ExitTimeoutMs);
    }

    // OK, clicked with the mouse or its command posted, ends the run with 0
    // and verdo.set holding `saved`.
    void ExpectOkEndsTheRunHaving(const Bytes& saved, bool clicked = false)
    {
        if (clicked)
            ASSERT_NO_FATAL_FAILURE(Click(IDC_SETUP_OK));
        else
            PostMessageA(dialog_, WM_COMMAND, MAKEWPARAM(IDC_SETUP_OK, BN_CLICKED),
                         reinterpret_cast<LPARAM>(Item(IDC_SETUP_OK)));
        ASSERT_TRUE(WaitForEnd()) << "OK did not end the run";
        EXPECT_EQ(0u, Saver().ExitCode());
        Bytes written;
        ASSERT_TRUE(Installation().ReadFile("verdo.set", written));
        EXPECT_EQ(saved, written);
    }

    void ExpectClosingSavesNothing(const std::function<void()>& close)
    {
        const Bytes settings = SettingsBytes(1, 2, 3, 4, 0, 5, 0);
        ASSERT_NO_FATAL_FAILURE(Open(&settings));
        Send(IDC_GREEN_SLIDER, TBM_SETPOS, TRUE, 99);
        SendToDialog(WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 99),
                     reinterpret_cast<LPARAM>(Item(IDC_GREEN_SLIDER)));
        ASSERT_NO_FATAL_FAILURE(close());
        ASSERT_TRUE(WaitForEnd());
        EXPECT_EQ(0u, Saver().ExitCode());
        Bytes kept;
        ASSERT_TRUE(Installation().ReadFile("verdo.set", kept));
        EXPECT_EQ(settings, kept);
    }

private:
    GdiRendererForSaver gdiRenderer_;
    HWND dialog_ = nullptr;
};

}  // namespace

TEST(SetupTemplate, MatchesTheDialogsLayoutExactly)
{
    SetupTemplate setup;
    ASSERT_TRUE(ProgramResources(SaverProgramPath()).ReadSetupTemplate(setup));
    EXPECT_EQ(DialogCaption, setup.caption);
    EXPECT_EQ(static_cast<DWORD>(WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT |
                                 DS_SYSMODAL | DS_CENTERMOUSE),
              setup.style);
    EXPECT_EQ(0u, setup.exStyle);
    EXPECT_EQ(0, setup.x);
    EXPECT_EQ(0, setup.y);
    EXPECT_EQ(273, setup.cx);
    EXPECT_EQ(278, setup.cy);
    EXPECT_EQ(8, setup.pointSize);
    EXPECT_EQ(0, setup.weight);
    EXPECT_EQ(0, setup.italic);
    EXPECT_EQ(1, setup.charset);
    EXPECT_EQ("Tahoma", setup.face);

    struct Placed {
        short x, y, cx, cy;
    };
    const Placed places[] = {{219, 249, 50, 14}, {4, 0, 265, 154},   {4, 249, 50, 14},   {161, 249, 50, 14},
                             {10, 178, 102, 12}, {4, 156, 265, 89},  {10, 190, 102, 12}, {10, 202, 102, 12},
                             {191, 177, 71, 94}, {137, 179, 52, 8},  {137, 213, 31, 8},  {191, 211, 71, 60},
                             {137, 227, 50, 14}, {7, 165, 126, 76},
                             {112, 179, 19, 8},  {112, 190, 19, 8},  {112, 202, 19, 8},  {173, 196, 89, 12},
                             {137, 198, 31, 8},  {10, 228, 58, 10},  {21, 268, 137, 8},  {164, 268, 85, 8}};
    const size_t count = sizeof TemplateControls / sizeof TemplateControls[0];
    ASSERT_EQ(count, setup.items.size());
    for (size_t i = 0; i < count; ++i) {
        SCOPED_TRACE("control " + std::to_string(i + 1));
        const TemplateItem& item = setup.items[i];
        const ControlExpectation& expected = TemplateControls[i];
        EXPECT_EQ(static_cast<WORD>(expected.id), static_cast<WORD>(item.id));
        EXPECT_TRUE(EqualsIgnoringCase(item.className, expected.className)) << item.className;
        if (expected.text) {
            EXPECT_EQ(expected.text, item.text);
        }
        EXPECT_EQ(expected.style | WS_CHILD | WS_VISIBLE, item.style) << std::hex << item.style;
        EXPECT_EQ(expected.exStyle, item.exStyle) << std::hex << item.exStyle;
        EXPECT_EQ(places[i].x, item.x);
        EXPECT_EQ(places[i].y, item.y);
        EXPECT_EQ(places[i].cx, item.cx);
        EXPECT_EQ(places[i].cy, item.cy);
    }
    // The maker's notice is one line naming the program and its maker.
    EXPECT_NE(std::string::npos, setup.items[20].text.find("Verdo"));
    EXPECT_NE(std::string::npos, setup.items[20].text.find("Corvane Labs"));
}

// The live dialog: its controls in tab and z order, then the link over the
// empty static 1034.
TEST_F(SettingsDialog, ControlsStandInTabOrderWithTheLinkLast)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    EXPECT_EQ(DialogCaption, TextOf(Dialog()));
    std::vector<HWND> children;
    for (HWND child = GetWindow(Dialog(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    const size_t count = sizeof TemplateControls / sizeof TemplateControls[0];
    ASSERT_EQ(count + 1, children.size());
    for (size_t i = 0; i < count; ++i) {
        SCOPED_TRACE("control " + std::to_string(i + 1));
        EXPECT_EQ(static_cast<WORD>(TemplateControls[i].id), static_cast<WORD>(GetDlgCtrlID(children[i])));
        EXPECT_TRUE(EqualsIgnoringCase(ClassNameOf(children[i]), TemplateControls[i].className))
            << ClassNameOf(children[i]);
    }
    EXPECT_EQ("STATIC_HYPER", ClassNameOf(children[count]));
    EXPECT_EQ(nullptr, Item(IDOK));   // Enter on a slider reaches no control
}

TEST_F(SettingsDialog, OpensWithTheDefaultsWhenThereIsNoSettingsFile)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    EXPECT_EQ(127, SliderPosition(IDC_RED_SLIDER));
    EXPECT_EQ(255, SliderPosition(IDC_GREEN_SLIDER));
    EXPECT_EQ(255, SliderPosition(IDC_BLUE_SLIDER));
    EXPECT_EQ(2, SliderPosition(IDC_DURATION_SLIDER));
    for (int id : {IDC_RED_SLIDER, IDC_GREEN_SLIDER, IDC_BLUE_SLIDER, IDC_DURATION_SLIDER}) {
        EXPECT_EQ(0, Send(id, TBM_GETRANGEMIN)) << id;
        EXPECT_EQ(255, Send(id, TBM_GETRANGEMAX)) << id;
    }
    EXPECT_EQ(BST_UNCHECKED, Send(IDC_INVERT, BM_GETCHECK));
    EXPECT_EQ(0, Send(IDC_VIDEO_MODES, CB_GETCURSEL));

    // "current", then every mode of 16, 24 or 32 bits in the driver's order.
    std::vector<std::string> expected{"current"};
    for (const DisplayMode& mode : VideoModeList())
        expected.push_back(Describe(mode));
    ASSERT_GT(expected.size(), 1u) << "the driver lists no usable mode";
    EXPECT_EQ(expected, VideoModeEntries());

    // The focus starts on Cancel, the first tab stop.
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(Dialog(), nullptr), &info));
    EXPECT_EQ(Item(IDC_SETUP_CANCEL), info.hwndFocus);
}

TEST_F(SettingsDialog, ShowsTheSettingsFileAndSelectsItsVideoMode)
{
    const Bytes settings = SettingsBytes(10, 20, 30, 40, 1, 9, 2);
    ASSERT_NO_FATAL_FAILURE(Open(&settings));
    EXPECT_EQ(10, SliderPosition(IDC_RED_SLIDER));
    EXPECT_EQ(20, SliderPosition(IDC_GREEN_SLIDER));
    EXPECT_EQ(30, SliderPosition(IDC_BLUE_SLIDER));
    EXPECT_EQ(40, SliderPosition(IDC_DURATION_SLIDER));
    EXPECT_EQ(BST_CHECKED, Send(IDC_INVERT, BM_GETCHECK));
    if (VideoModeEntries().size() <= 2)
        GTEST_SKIP() << "the driver lists fewer than two usable modes";
    EXPECT_EQ(2, Send(IDC_VIDEO_MODES, CB_GETCURSEL));
}

// A slider writes its own byte while the preview runs: dragged to 0, its
// channel stays at the reset value in what grows next, while the others climb.
TEST_F(SettingsDialog, EveryColourSliderActsOnThePreviewAtOnce)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    EXPECT_TRUE(PreviewChangesWithin(AnimationBoundMs)) << "the preview does not animate";
    const ScreenDepth depth = CurrentScreenDepth();
    const RECT area = Preview();
    struct Channel {
        int slider;
        const char* name;
        int (*level)(const ScreenDepth&, Rgb);
        int reset, start;   // the channel's reset value; its default limit
    };
    const Channel channels[] = {{IDC_RED_SLIDER, "red", RedLevel, 1, 127},
                                {IDC_GREEN_SLIDER, "green", GreenLevel, 11, 255},
                                {IDC_BLUE_SLIDER, "blue", BlueLevel, 21, 255}};
    for (const Channel& channel : channels) {
        SCOPED_TRACE(channel.name);
        // The thumb dragged to 0: the dialog takes the position the message
        // carries, not the trackbar's own.
        SendToDialog(WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 0), reinterpret_cast<LPARAM>(Item(channel.slider)));
        EXPECT_EQ(channel.start, SliderPosition(channel.slider));
        // From the last picture with enough grown pixels to tell.
        size_t grown = 0, above = 0, othersClimb = 0;
        const bool held = WaitUntil(
            [&] {
                size_t lit = 0, high = 0, others = 0;
                Snapshot::Capture(area).Count([&](Rgb p) {
                    if (!IsLit(depth, p))
                        return false;
                    const int own = channel.level(depth, p);
                    ++lit;
                    high += own > StoredLevel(depth, channel.reset);
                    others += RedLevel(depth, p) + GreenLevel(depth, p) + BlueLevel(depth, p) - own > 120;
                    return false;
                });
                if (lit > 50) {
                    grown = lit;
                    above = high;
                    othersClimb = others;
                }
                return lit > 50 && high == 0 && others > 0;
            },
            AnimationBoundMs, 100);
        EXPECT_TRUE(held) << grown << " grown pixels, " << above << " above the reset value, " << othersClimb
                          << " with the other channels climbing";
        SendToDialog(WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, channel.start),
                     reinterpret_cast<LPARAM>(Item(channel.slider)));
    }
}

// The duration slider writes Duration while the preview runs: a phrase grows
// longer. Green (limit 255) needs 13 steps to its reset value 11, then climbs
// as 31, 51 and so on: hardly a letter pixel gets there in the 17 growth
// frames of Duration 2, nearly all in the 243 of Duration 255.
TEST_F(SettingsDialog, TheDurationSliderActsOnThePreviewAtOnce)
{
    if (DirectDrawPrimaryBitCount() != 32)
        GTEST_SKIP() << "at 16 bits a letter pixel's green after its reset cannot be told from its halo";
    ASSERT_NO_FATAL_FAILURE(Open());
    const RECT area = Preview();
    // Letter pixels have blue 16 + 20k or, reset, 1 + 20k (a halo holds
    // halves, never these); green after a reset is 11 + 20k.
    double mostReset = 0;
    size_t letters = 0;
    auto watch = [&] {
        size_t reset = 0;
        letters = 0;
        Snapshot::Capture(area).Count([&](Rgb p) {
            const bool letter = (p.blue % 20 == 16 || p.blue % 20 == 1) && p.green > 0 &&
                                (p.green % 20 == 0 || p.green % 20 == 11);
            letters += letter;
            reset += letter && p.green % 20 == 11;
            return false;
        });
        if (letters > 200)
            mostReset = std::max(mostReset, static_cast<double>(reset) / letters);
        return mostReset > 0.5;
    };
    EXPECT_FALSE(WaitUntil(watch, 3000, 50)) << "at Duration 2 up to " << mostReset << " of the letters were reset";
    SendToDialog(WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 255), reinterpret_cast<LPARAM>(Item(IDC_DURATION_SLIDER)));
    EXPECT_EQ(2, SliderPosition(IDC_DURATION_SLIDER));
    mostReset = 0;
    EXPECT_TRUE(WaitUntil(watch, AnimationBoundMs, 50))
        << "at Duration 255 at most " << mostReset << " of the letters were reset";
}

TEST_F(SettingsDialog, InvertSwitchesTheVariantWhileItRuns)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    const RECT area = Preview();
    const size_t pixels = static_cast<size_t>(area.right - area.left) * (area.bottom - area.top);
    auto mostlyLit = [&] {
        return Snapshot::Capture(area).Count([](Rgb p) { return p.red + p.green + p.blue > 0; }) > pixels / 2;
    };
    // The normal variant lights the letters and their halo only: once the
    // first phrase is stamped the preview stays mostly dark.
    ASSERT_TRUE(WaitUntil([&] { return !mostlyLit(); }, AnimationBoundMs, 100));
    EXPECT_FALSE(WaitUntil(mostlyLit, 3000, 100));

    ASSERT_NO_FATAL_FAILURE(Click(IDC_INVERT));
    ASSERT_TRUE(WaitUntil([&] { return Send(IDC_INVERT, BM_GETCHECK) == BST_CHECKED; }, 2000));
    // The inverted variant lights the ground around the letters.
    EXPECT_TRUE(WaitUntil(mostlyLit, AnimationBoundMs, 100));

    ASSERT_NO_FATAL_FAILURE(Click(IDC_INVERT));
    ASSERT_TRUE(WaitUntil([&] { return Send(IDC_INVERT, BM_GETCHECK) == BST_UNCHECKED; }, 2000));
    EXPECT_TRUE(WaitUntil([&] { return !mostlyLit(); }, AnimationBoundMs, 100));
    // Nothing is saved by the box alone.
    EXPECT_FALSE(Installation().Exists("verdo.set"));
}

TEST_F(SettingsDialog, OkStoresTheControlsAndCarriesReservedOver)
{
    const Bytes settings = SettingsBytes(10, 20, 30, 40, 0, 0xA5, 1);
    ASSERT_NO_FATAL_FAILURE(Open(&settings));

    // Red to 0 from the keyboard: the trackbar reports TB_TOP and the dialog
    // reads its position.
    ASSERT_TRUE(BringToForeground(Dialog()));
    PostMessageA(Dialog(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_RED_SLIDER)), TRUE);
    ASSERT_TRUE(WaitUntil(
        [&] {
            GUITHREADINFO info = {};
            info.cbSize = sizeof info;
            return GetGUIThreadInfo(GetWindowThreadProcessId(Dialog(), nullptr), &info) &&
                   info.hwndFocus == Item(IDC_RED_SLIDER);
        },
        2000));
    TapKey(VK_HOME);
    ASSERT_TRUE(WaitUntil([&] { return SliderPosition(IDC_RED_SLIDER) == 0; }, 2000));
    // Enter on a slider is IDOK, which does nothing.
    TapKey(VK_RETURN);
    EXPECT_FALSE(Saver().WaitForExit(StillBoundMs));

    Send(IDC_BLUE_SLIDER, TBM_SETPOS, TRUE, 200);
    Send(IDC_DURATION_SLIDER, TBM_SETPOS, TRUE, 7);
    ASSERT_NO_FATAL_FAILURE(Click(IDC_INVERT));
    ASSERT_TRUE(WaitUntil([&] { return Send(IDC_INVERT, BM_GETCHECK) == BST_CHECKED; }, 2000));
    const int lastEntry = static_cast<int>(VideoModeEntries().size()) - 1;
    Send(IDC_VIDEO_MODES, CB_SETCURSEL, lastEntry);

    ExpectOkEndsTheRunHaving(SettingsBytes(0, 20, 200, 7, 1, 0xA5, static_cast<uint16_t>(lastEntry)), true);
}

TEST_F(SettingsDialog, OkWithNoVideoModeSelectedStores65535)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    Send(IDC_VIDEO_MODES, CB_SETCURSEL, static_cast<WPARAM>(-1));
    ASSERT_EQ(CB_ERR, Send(IDC_VIDEO_MODES, CB_GETCURSEL));
    ExpectOkEndsTheRunHaving(SettingsBytes(127, 255, 255, 2, 0, 0, 65535));
}

// The choice for the other monitors lives in the registry, not in verdo.set:
// a value of an unknown kind or number shows as the first entry; OK stores
// the entry chosen, and the next run shows it again.
TEST_F(SettingsDialog, OkStoresTheMonitorsChoiceWhichTheNextRunShows)
{
    const auto openAndExpect = [&](LRESULT entry) {
        ASSERT_NO_FATAL_FAILURE(Open());
        ASSERT_EQ(3, Send(IDC_MONITORS, CB_GETCOUNT));
        EXPECT_EQ(entry, Send(IDC_MONITORS, CB_GETCURSEL));
    };
    ASSERT_TRUE(SetMonitorsValueAsText("2"));
    ASSERT_NO_FATAL_FAILURE(openAndExpect(0));
    Send(IDC_MONITORS, CB_SETCURSEL, 2);
    ExpectOkEndsTheRunHaving(SettingsBytes(127, 255, 255, 2, 0, 0, 0));
    DWORD stored = 0;
    ASSERT_TRUE(ReadMonitorsValue(stored));
    EXPECT_EQ(2u, stored);
    ASSERT_NO_FATAL_FAILURE(openAndExpect(2));
    Click(IDC_SETUP_CANCEL);
    ASSERT_TRUE(WaitForEnd());
    ASSERT_TRUE(SetMonitorsValue(3));
    ASSERT_NO_FATAL_FAILURE(openAndExpect(0));
}

// Each way of closing without OK ends the run and leaves verdo.set as it was,
// even after a slider change that only OK would keep: Cancel, Esc, the close
// box, and Enter at once (the focus starts on Cancel).
TEST_F(SettingsDialog, EveryCloseButOkEndsTheRunAndSavesNothing)
{
    const auto press = [this](WORD key) {
        ASSERT_TRUE(BringToForeground(Dialog()));
        TapKey(key);
    };
    const std::function<void()> closers[] = {[&] { Click(IDC_SETUP_CANCEL); }, [&] { press(VK_ESCAPE); },
                                             [&] { PostMessageA(Dialog(), WM_SYSCOMMAND, SC_CLOSE, 0); },
                                             [&] { press(VK_RETURN); }};
    for (const auto& close : closers) {
        SCOPED_TRACE(&close - closers);
        ASSERT_NO_FATAL_FAILURE(ExpectClosingSavesNothing(close));
    }
}

// Over the live preview the pointer's moves and left clicks do nothing (the
// home page is not opened); a right click ends the whole run unsaved.
TEST_F(SettingsDialog, OverThePreviewOnlyARightClickActsAndEndsTheRunUnsaved)
{
    ASSERT_TRUE(PlaceStandIn(Installation(), "explorer", StandInKind::Recording));
    ASSERT_NO_FATAL_FAILURE(ExpectClosingSavesNothing([this] {
        const POINT centre = CentreOf(Preview());
        ASSERT_TRUE(MoveMouseTo(centre.x, centre.y));
        ASSERT_TRUE(MoveMouseTo(centre.x + 40, centre.y + 30));
        ClickMouseButton(MouseButton::Left);
        EXPECT_FALSE(Saver().WaitForExit(StillBoundMs)) << "moves or a left click ended the run";
        EXPECT_TRUE(PreviewChangesWithin(AnimationBoundMs));
        EXPECT_TRUE(StandInStarts(Installation(), "explorer").empty()) << "a left click opened the home page";
        PressMouseButton(MouseButton::Right);
        ReleaseMouseButton(MouseButton::Right);
    }));
}

// A thread that can no longer be held (it has ended) makes neither Invert
// nor OK hang: the box still acts, and OK still saves and ends the run.
TEST_F(SettingsDialog, InvertAndOkStillActOnceTheAnimationThreadHasEnded)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    ASSERT_TRUE(EndAnimationThread(Saver().Id()));
    ASSERT_NO_FATAL_FAILURE(Click(IDC_INVERT));
    EXPECT_TRUE(WaitUntil([&] { return Send(IDC_INVERT, BM_GETCHECK) == BST_CHECKED; }, 2000));
    ASSERT_NE(-1, SendToDialog(WM_NULL, 0, 0));
    ExpectOkEndsTheRunHaving(SettingsBytes(127, 255, 255, 2, 1, 0, 0), true);
}

TEST_F(SettingsDialog, MovesOffTheScreenHoldThePreviewAndBackOnRunIt)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    const RECT start = Preview();
    const int width = start.right - start.left;
    const int height = start.bottom - start.top;
    const RECT screen = ScreenRect();

    // Right edge exactly on the screen's edge counts as off.
    ASSERT_NO_FATAL_FAILURE(MovePreviewTo(screen.right - width, 100));
    EXPECT_TRUE(PreviewStandsStill());
    // One pixel further left it runs.
    ASSERT_NO_FATAL_FAILURE(MovePreviewTo(screen.right - width - 1, 100));
    EXPECT_TRUE(PreviewChangesWithin(AnimationBoundMs));

    // Bottom edge likewise.
    ASSERT_NO_FATAL_FAILURE(MovePreviewTo(50, screen.bottom - height));
    EXPECT_TRUE(PreviewStandsStill());
    ASSERT_NO_FATAL_FAILURE(MovePreviewTo(50, screen.bottom - height - 1));
    EXPECT_TRUE(PreviewChangesWithin(AnimationBoundMs));

    // Many moves off the screen in every direction, then back: it runs.
    const POINT offScreen[] = {{-40, 100}, {100, -30}, {screen.right - width / 2, 200},
                               {200, screen.bottom - height / 3}, {-10, -10}};
    for (int round = 0; round < 3; ++round)
        for (const POINT& place : offScreen)
            ASSERT_NO_FATAL_FAILURE(MovePreviewTo(place.x, place.y));
    EXPECT_TRUE(PreviewStandsStill());
    ASSERT_NO_FATAL_FAILURE(MovePreviewTo(start.left, start.top));
    EXPECT_TRUE(PreviewChangesWithin(AnimationBoundMs));

    // Invert while off the screen leaves it still.
    ASSERT_NO_FATAL_FAILURE(MovePreviewTo(-5, 100));
    PostMessageA(Dialog(), WM_COMMAND, MAKEWPARAM(IDC_INVERT, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Item(IDC_INVERT)));
    SendToDialog(WM_NULL, 0, 0);   // the posted command has run
    EXPECT_TRUE(PreviewStandsStill());
    ASSERT_NO_FATAL_FAILURE(MovePreviewTo(start.left, start.top));
    EXPECT_TRUE(PreviewChangesWithin(AnimationBoundMs));
}

TEST_F(SettingsDialog, SetPhrasesOpensThePhrasesFileInTheEditorAndEnds)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    const DWORD saverId = Saver().Id();
    ASSERT_NO_FATAL_FAILURE(Click(IDC_SET_PHRASES));
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(0u, Saver().ExitCode());
    EXPECT_FALSE(Installation().Exists("verdo.set"));

    std::vector<DWORD> editors;
    ASSERT_TRUE(WaitUntil([&] { return !(editors = ChildProcesses(saverId, "notepad.exe")).empty(); }, 10000))
        << "no text editor was started";
    HWND editor = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (editor = VisibleWindowWithTitle(editors[0], "verdo")) != nullptr; },
                          StartTimeoutMs))
        << "the editor shows no window for the phrases file";
    EXPECT_NE(std::string::npos, TextOf(editor).find("verdo.ini")) << TextOf(editor);
    // It opened the installation's file, which it can read: the editor shows
    // the phrases (its edit control holds them).
    HWND edit = FindChildOfClass(editor, "Edit");
    ASSERT_NE(nullptr, edit) << "the editor has no edit control";
    EXPECT_NE(std::string::npos, TextOf(edit).find("A phrase that grows")) << TextOf(edit);
    PostMessageA(editor, WM_CLOSE, 0, 0);
}

TEST_F(SettingsDialog, HomePageStartsTheExplorerOnTheHomePageAndEnds)
{
    ASSERT_TRUE(PlaceStandIn(Installation(), "explorer", StandInKind::Recording));
    ASSERT_NO_FATAL_FAILURE(Open());
    ASSERT_NO_FATAL_FAILURE(Click(IDC_HOME_PAGE));
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(0u, Saver().ExitCode());
    EXPECT_FALSE(Installation().Exists("verdo.set"));
    std::vector<std::string> starts;
    EXPECT_TRUE(WaitUntil([&] { return !(starts = StandInStarts(Installation(), "explorer")).empty(); }, 10000));
    EXPECT_EQ(std::vector<std::string>{std::string("explorer \"") + HomePageAddress + "\""}, starts);
}

// Neither the editor nor the explorer can start (what the system finds first
// under their names is no program): each button still ends the run, unsaved,
// and leaves nothing running.
TEST_F(SettingsDialog, SetPhrasesAndHomePageEndTheRunEvenWhenNothingCanBeStarted)
{
    ASSERT_TRUE(PlaceStandIn(Installation(), "notepad", StandInKind::Broken));
    ASSERT_TRUE(PlaceStandIn(Installation(), "explorer", StandInKind::Broken));
    for (int button : {IDC_SET_PHRASES, IDC_HOME_PAGE}) {
        SCOPED_TRACE(button == IDC_SET_PHRASES ? "Set phrases" : "Home Page");
        ASSERT_NO_FATAL_FAILURE(Open());
        const DWORD saverId = Saver().Id();
        PostMessageA(Dialog(), WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(Item(button)));
        ASSERT_TRUE(WaitForEnd());
        EXPECT_EQ(0u, Saver().ExitCode());
        EXPECT_TRUE(ChildProcesses(saverId).empty()) << "something was left running";
        EXPECT_FALSE(Installation().Exists("verdo.set"));
    }
}

// The whole address shows: at the usual and at a large DPI no letter and no
// underline touches the link's left or right edge, where a longer address
// would be cut.
TEST_F(SettingsDialog, LinkShowsTheWholeAddressUnderlinedInDarkBlueWithAHand)
{
    auto linkBlue = [](Rgb p) { return p.red < 16 && p.green < 16 && p.blue >= 192 && p.blue <= 208; };
    LONG widthAtLargeDpi = 0;
    RECT linkRect = {};
    for (const DWORD dpi : {144u, 96u}) {
        SCOPED_TRACE(std::to_string(dpi) + " dots per inch");
        ScreenDpiForNewPrograms screenDpi(dpi);
        ASSERT_TRUE(screenDpi.Ok());
        ASSERT_NO_FATAL_FAILURE(Open());
        HWND link = FindChildOfClass(Dialog(), "STATIC_HYPER");
        ASSERT_NE(nullptr, link);
        // It lies exactly over the place the template keeps for it.
        RECT place = {};
        GetWindowRect(link, &linkRect);
        GetWindowRect(Item(IDC_LINK_PLACE), &place);
        EXPECT_TRUE(EqualRect(&linkRect, &place));
        EXPECT_EQ(std::string(HomePageAddress), TextOf(link));

        Snapshot shot;
        size_t blue = 0;
        int longestRun = 0;
        const bool painted = WaitUntil(
            [&] {
                shot = Snapshot::Capture(linkRect);
                blue = shot.Count(linkBlue);
                longestRun = 0;
                for (int y = 0; y < shot.Height(); ++y) {
                    int run = 0;
                    for (int x = 0; x < shot.Width(); ++x) {
                        run = linkBlue(shot.At(x, y)) ? run + 1 : 0;
                        longestRun = std::max(longestRun, run);
                    }
                }
                return blue > 40 && longestRun > 40;
            },
            5000, 100);
        // Letters alone never make a long straight run; the underline does.
        ASSERT_TRUE(painted) << blue << " link-coloured pixels, longest run " << longestRun;
        int atEdges = 0;
        for (int y = 0; y < shot.Height(); ++y)
            atEdges += linkBlue(shot.At(0, y)) + linkBlue(shot.At(shot.Width() - 1, y));
        EXPECT_EQ(0, atEdges) << "the address is cut at the link's edges";

        if (dpi == 144) {
            widthAtLargeDpi = linkRect.right - linkRect.left;
            PostMessageA(Dialog(), WM_COMMAND, MAKEWPARAM(IDC_SETUP_CANCEL, BN_CLICKED),
                         reinterpret_cast<LPARAM>(Item(IDC_SETUP_CANCEL)));
            ASSERT_TRUE(WaitForEnd());
        }
    }
    // The large DPI really took: the dialog, and the link with it, grew.
    EXPECT_GT(widthAtLargeDpi * 4, (linkRect.right - linkRect.left) * 5);

    // The pointer over it is the hand. Cursor handles belong to their process,
    // so the hand is told from the arrow that the same process shows over a
    // button.
    HCURSOR arrow = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (arrow = CursorOver(WindowCentre(Item(IDC_SETUP_CANCEL)))) != nullptr; },
                          3000));
    HCURSOR overLink = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            overLink = CursorOver(CentreOf(linkRect));
            return overLink && overLink != arrow;
        },
        3000))
        << "the pointer over the link is the arrow";
    // Moving about on the link keeps it (mouse moves are swallowed there).
    EXPECT_EQ(overLink, CursorOver(POINT{linkRect.left + 3, linkRect.top + 3}));
}

TEST_F(SettingsDialog, AClickOnTheLinkOpensItWithTheShell)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    HWND link = FindChildOfClass(Dialog(), "STATIC_HYPER");
    ASSERT_NE(nullptr, link);
    ASSERT_TRUE(ClickAtCentreOf(link));
    // The shell hands web addresses to Wine's browser launcher.
    EXPECT_TRUE(WaitUntil([&] { return !ChildProcesses(Saver().Id(), "winebrowser.exe").empty(); }, 10000));
    EXPECT_TRUE(Saver().IsRunning());
    EXPECT_FALSE(Installation().Exists("verdo.set"));
}

TEST_F(SettingsDialog, ALinkTheShellCannotOpenChangesNothingElse)
{
    BrokenWebAssociation broken;
    ASSERT_TRUE(broken.Ok());
    ASSERT_NO_FATAL_FAILURE(Open());
    HWND link = FindChildOfClass(Dialog(), "STATIC_HYPER");
    ASSERT_NE(nullptr, link);
    ASSERT_TRUE(ClickAtCentreOf(link));

    // Nothing is left running: the shell started nothing that lasts.
    EXPECT_FALSE(WaitUntil([&] { return !ChildProcesses(Saver().Id(), "winebrowser.exe").empty(); },
                           StillBoundMs));
    EXPECT_TRUE(WaitUntil([&] { return ChildProcesses(Saver().Id()).empty(); }, 5000));
    EXPECT_TRUE(Saver().IsRunning());
    EXPECT_TRUE(IsWindow(Dialog()) && IsWindowVisible(Dialog()));
    EXPECT_TRUE(PreviewChangesWithin(AnimationBoundMs));
    EXPECT_FALSE(Installation().Exists("verdo.set"));
}

// A save that fails, in either way the system refuses it, says why in one
// box owned by the dialog while the preview stands still; afterwards the
// preview runs again, no temporary file is left, and OK can be tried again.
TEST_F(SettingsDialog, AFailedSaveSaysWhyAndOkCanBeTriedAgain)
{
    // Wine refuses the replacement of a file held open as access denied, too.
    for (const bool holdOpen : {true, false}) {
        SCOPED_TRACE(holdOpen ? "verdo.set held open" : "a folder that takes no new file");
        const Bytes settings = SettingsBytes(11, 22, 33, 44, 0, 7, 0);
        ASSERT_NO_FATAL_FAILURE(Open(&settings));
        HANDLE held = INVALID_HANDLE_VALUE;
        std::string why;
        if (holdOpen) {
            held = CreateFileA(Installation().FilePath("verdo.set").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
            ASSERT_NE(INVALID_HANDLE_VALUE, held);
        } else if (!Installation().RefuseNewFiles(why)) {
            GTEST_SKIP() << "the folder cannot be made to refuse new files: " << why;
        }
        Send(IDC_GREEN_SLIDER, TBM_SETPOS, TRUE, 0);
        SendToDialog(WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 0), reinterpret_cast<LPARAM>(Item(IDC_GREEN_SLIDER)));

        for (int attempt = 0; attempt < 2; ++attempt) {
            ASSERT_NO_FATAL_FAILURE(ExpectOkSaysItCannotSave());
            EXPECT_TRUE(PreviewChangesWithin(AnimationBoundMs));
            EXPECT_EQ((std::vector<std::string>{"verdo.ini", "verdo.set"}), Installation().FileNames());
        }
        // Once the system allows it, OK saves and ends the run.
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);
        Installation().AllowNewFiles();
        Bytes kept;
        ASSERT_TRUE(Installation().ReadFile("verdo.set", kept));
        EXPECT_EQ(settings, kept);
        ASSERT_NO_FATAL_FAILURE(ExpectOkEndsTheRunHaving(SettingsBytes(11, 0, 33, 44, 0, 7, 0)));
    }
}

// Files an administrator deployed, or a backup restored, read-only: the
// dialog shows the user's settings and the preview runs; OK says why it
// cannot save, and the files stay as they were.
TEST_F(SettingsDialog, ReadOnlyFilesAreShownAndOkSaysItCannotSaveThem)
{
    const Bytes settings = SettingsBytes(11, 22, 33, 44, 0, 7, 0);
    ASSERT_TRUE(Installation().WritePhrases(Phrases));
    ASSERT_TRUE(Installation().WriteSettings(settings));
    std::string why;
    for (const char* file : {"verdo.ini", "verdo.set"})
        if (!Installation().MakeReadOnly(file, why))
            GTEST_SKIP() << file << " cannot be made read-only: " << why;
    ASSERT_NO_FATAL_FAILURE(OpenOnTheFilesThere());
    EXPECT_EQ(11, SliderPosition(IDC_RED_SLIDER));
    EXPECT_EQ(22, SliderPosition(IDC_GREEN_SLIDER));
    EXPECT_EQ(33, SliderPosition(IDC_BLUE_SLIDER));
    EXPECT_EQ(44, SliderPosition(IDC_DURATION_SLIDER));
    ASSERT_NO_FATAL_FAILURE(ExpectOkSaysItCannotSave());
    PostMessageA(Dialog(), WM_COMMAND, MAKEWPARAM(IDC_SETUP_CANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Item(IDC_SETUP_CANCEL)));
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(0u, Saver().ExitCode());
    Bytes kept;
    ASSERT_TRUE(Installation().ReadFile("verdo.set", kept));
    EXPECT_EQ(settings, kept);
}

// While the message that OK could not save is up, the preview stands still.
// A change of display mode and a wider frame meanwhile wait for the message:
// once it is closed the preview starts over inside the frame, at its new
// size, and the run goes on. In Wine's virtual desktop only (suite
// e2e_modes), where a change of mode is real.
TEST_F(SettingsDialog, ChangesWhileTheMessageIsUpWaitForIt)
{
    const DisplayMode before = CurrentDisplayMode();
    DisplayMode other;
    for (const DisplayMode& mode : VideoModeList())
        if (mode.bits == before.bits && mode.width != before.width && mode.width >= 800 && mode.height >= 600)
            other = mode;
    ASSERT_NE(0, other.width) << "no other mode of " << before.bits << " bits; this case needs the virtual desktop";
    const Bytes settings = SettingsBytes(127, 255, 255, 2, 1);
    ASSERT_NO_FATAL_FAILURE(Open(&settings));
    std::string why;
    ASSERT_TRUE(Installation().MakeReadOnly("verdo.set", why)) << why;
    PostMessageA(Dialog(), WM_COMMAND, MAKEWPARAM(IDC_SETUP_OK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Item(IDC_SETUP_OK)));
    HWND box = WaitForMessageBox(Saver().Id(), "Verdo", StartTimeoutMs);
    ASSERT_NE(nullptr, box) << "no message after a failed save";

    ASSERT_TRUE(ChangeDisplayModeTo(other));
    const int width = Preview().right - Preview().left;
    const int gained = 60;
    ASSERT_NO_FATAL_FAILURE(WidenFrame(gained));
    // The dialog hears of its frame's size when it moves (as after a rescale).
    ASSERT_NO_FATAL_FAILURE(MovePreviewTo(40, 40));   // wholly on the smaller screen
    EXPECT_TRUE(PreviewStandsStill()) << "the preview drew while the message was up";
    ASSERT_TRUE(IsWindow(box)) << "the message went away by itself";

    ASSERT_TRUE(PressMessageBoxButton(box));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 5000));
    const RECT filled = ClientOnScreen(FindChildOfClass(Item(IDC_PREVIEW_FRAME), "Verdo"));
    EXPECT_EQ(width + gained, filled.right - filled.left) << "the saver window's width";
    EXPECT_TRUE(PreviewChangesWithin(AnimationBoundMs)) << "the preview did not go on";
    PostMessageA(Dialog(), WM_COMMAND, MAKEWPARAM(IDC_SETUP_CANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Item(IDC_SETUP_CANCEL)));
    EXPECT_TRUE(WaitForEnd());
    EXPECT_EQ(0u, Saver().ExitCode());
    RestoreDisplayModeIfNot(before);
}

// The system rescales the dialog when it crosses onto a monitor of another
// DPI: the dialog and its preview frame take another size, and the dialog
// moves. Wine does neither, so both are widened from outside and the dialog
// then moved. The inverted variant lights the ground of the whole region: the
// animation fills the wider frame to its edge, and draws nowhere outside it.
TEST_F(SettingsDialog, AWiderFrameIsFilledByTheAnimation)
{
    const Bytes inverted = SettingsBytes(127, 255, 255, 2, 1);
    ASSERT_NO_FATAL_FAILURE(Open(&inverted));
    const int gained = 80;
    ASSERT_NO_FATAL_FAILURE(WidenFrame(gained));
    ASSERT_NO_FATAL_FAILURE(MovePreviewTo(40, 40));   // wholly on the screen, wherever it opened
    const RECT frame = Preview();
    const RECT filled = ClientOnScreen(FindChildOfClass(Item(IDC_PREVIEW_FRAME), "Verdo"));
    EXPECT_EQ(frame.right - frame.left, filled.right - filled.left) << "the saver window's width";
    EXPECT_EQ(frame.bottom - frame.top, filled.bottom - filled.top) << "the saver window's height";

    // The strip the frame gained glows as the rest; beside the frame, once
    // the wider dialog has painted itself, nothing changes.
    const RECT gainedStrip = {frame.right - gained, frame.top, frame.right, frame.bottom};
    const auto glows = [&] {
        const Snapshot shot = Snapshot::Capture(gainedStrip);
        return shot.Count([](Rgb p) { return p.red + p.green + p.blue > 0; }) > size_t(shot.Width()) * shot.Height() / 2;
    };
    const RECT around = {frame.left, frame.top, frame.right + 4, frame.bottom + 2};
    const auto differBesideTheFrame = [&](const Snapshot& a, const Snapshot& b) {
        size_t differing = 0;
        for (int y = 0; y < a.Height(); ++y)
            for (int x = 0; x < a.Width(); ++x)
                if (x >= frame.right - frame.left || y >= frame.bottom - frame.top) differing += !(a.At(x, y) == b.At(x, y));
        return differing;
    };
    Snapshot painted = Snapshot::Capture(around);
    int steady = 0;
    ASSERT_TRUE(WaitUntil(
        [&] {
            Snapshot next = Snapshot::Capture(around);
            steady = differBesideTheFrame(next, painted) == 0 ? steady + 1 : 0;
            painted = next;
            return steady >= 5;
        },
        5000, 100))
        << "the dialog beside the frame keeps changing";
    EXPECT_TRUE(WaitUntil(glows, AnimationBoundMs, 100)) << "the animation did not reach the frame's new edge";
    EXPECT_EQ(0u, differBesideTheFrame(Snapshot::Capture(around), painted)) << "drawn beside the frame";
    ExpectOkEndsTheRunHaving(inverted);
}
