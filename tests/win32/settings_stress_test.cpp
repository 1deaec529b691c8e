// Configure sessions under stress: random slider moves, Invert flips and
// dialog moves on and off the screen, ended by OK or Cancel at a random
// moment. verdo.set is afterwards exactly what the controls showed at OK, or
// untouched after Cancel, and nothing else is left in the folder.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "harness/harness.h"
#include "harness/stress_plan_win32.h"
#include "harness/watchdog_win32.h"
#include "resources/setup_ids.h"

namespace {

const int Sliders[] = {IDC_RED_SLIDER, IDC_GREEN_SLIDER, IDC_BLUE_SLIDER, IDC_DURATION_SLIDER};

class SettingsStress : public SaverCase {
protected:
    // Bounded, so that a hung dialog fails the case instead of the whole run.
    bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        DWORD_PTR answer = 0;
        const bool answered = SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, 5000, &answer) != 0;
        result = static_cast<LRESULT>(answer);
        return answered;
    }
    // A message to a control, or to the dialog for id 0. Once the dialog has
    // not answered, the session is over: nothing more is sent.
    LRESULT Ask(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        LRESULT result = -1;
        if (hung_) return result;
        if (!Send(id ? GetDlgItem(dialog_, id) : dialog_, message, wParam, lParam, result)) {
            hung_ = true;
            ADD_FAILURE() << "the dialog hangs; the animation thread is "
                          << DescribeAnimationThread(Saver().Id()) << "; after: " << trail_;
        }
        return result;
    }

    // What the session did, for the messages of a failure.
    void Note(const std::string& what) { trail_ += what + " "; }

    void MoveSlider(std::mt19937& random) {
        const int id = Sliders[RandomBetween(random, 0, 3)];
        const int low = static_cast<int>(Ask(id, TBM_GETRANGEMIN));
        const int high = static_cast<int>(Ask(id, TBM_GETRANGEMAX));
        const int position = RandomBetween(random, low, high);
        Note("slider " + std::to_string(id) + "=" + std::to_string(position));
        Ask(id, TBM_SETPOS, TRUE, position);
        Ask(0, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position), reinterpret_cast<LPARAM>(GetDlgItem(dialog_, id)));
    }

    // Somewhere on the screen, or partly or wholly off it; not waited for.
    void MoveDialog(std::mt19937& random) {
        RECT window = {};
        GetWindowRect(dialog_, &window);
        const int width = window.right - window.left;
        const int height = window.bottom - window.top;
        const RECT screen = ScreenRect();
        const int x = RandomBetween(random, -width, static_cast<int>(screen.right));
        const int y = RandomBetween(random, -height, static_cast<int>(screen.bottom));
        Note("move " + std::to_string(x) + "," + std::to_string(y));
        SetWindowPos(dialog_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
    }

    // The 8 bytes OK should store now: the controls, and Reserved as it was.
    Bytes ShownSettings(uint8_t reserved) {
        const int mode = static_cast<int>(Ask(IDC_VIDEO_MODES, CB_GETCURSEL));
        return SettingsBytes(static_cast<uint8_t>(Ask(IDC_RED_SLIDER, TBM_GETPOS)),
                             static_cast<uint8_t>(Ask(IDC_GREEN_SLIDER, TBM_GETPOS)),
                             static_cast<uint8_t>(Ask(IDC_BLUE_SLIDER, TBM_GETPOS)),
                             static_cast<uint8_t>(Ask(IDC_DURATION_SLIDER, TBM_GETPOS)),
                             Ask(IDC_INVERT, BM_GETCHECK) == BST_CHECKED ? 1 : 0, reserved,
                             static_cast<uint16_t>(mode < 0 ? 65535 : mode));
    }

    HWND dialog_ = nullptr;
    std::string trail_;
    bool hung_ = false;
};

TEST_F(SettingsStress, RandomSessionsStoreWhatOkShowedOrNothing) {
    // As in the other dialog cases. Through Wine's OpenGL renderer the dialog
    // was seen to stop answering for good after some dozen moves, the
    // animation thread waiting inside Wine's Direct3D layer for its own
    // drawing thread; through the GDI renderer the same seed runs through.
    GdiRendererForSaver gdiRenderer;
    ASSERT_TRUE(gdiRenderer.Ok());
    const StressPlan& plan = TheStressPlan();
    AllowCurrentTestToRun(static_cast<unsigned>(plan.settingsSessions) * 60000);
    std::mt19937 random = CaseRandom();
    int oks = 0, moves = 0, sliders = 0, flips = 0, wrongFiles = 0, hangs = 0, missing = 0;
    for (int session = 0; session < plan.settingsSessions; ++session) {
        trail_.clear();
        hung_ = false;
        SCOPED_TRACE("session " + std::to_string(session));
        const auto level = [&] { return static_cast<uint8_t>(RandomBetween(random, 0, 255)); };
        const Bytes old = SettingsBytes(level(), level(), level(), level(), static_cast<uint8_t>(RandomBetween(random, 0, 1)),
                                        level(), 0);
        ASSERT_TRUE(Installation().WritePhrases("Verdo\r\nA phrase that grows\r\n"));
        ASSERT_TRUE(Installation().WriteSettings(old));
        ASSERT_TRUE(Saver().Start("/c"));
        dialog_ = WaitForProcessWindow(Saver().Id(), "#32770", "Verdo - Settings", StartTimeoutMs);
        if (!dialog_) {
            ++missing;
            std::string windows;
            for (HWND window : ProcessWindows(Saver().Id()))
                windows += " [" + ClassNameOf(window) + " \"" + TextOf(window) + "\"" +
                           (IsWindowVisible(window) ? " visible]" : "]");
            ADD_FAILURE() << "no settings dialog within " << StartTimeoutMs << " ms; the run "
                          << (Saver().IsRunning() ? "still runs" : "ended with " + std::to_string(Saver().ExitCode()))
                          << "; its windows:" << windows << "; animation thread: "
                          << DescribeAnimationThread(Saver().Id());
            Saver().Kill();
            continue;
        }

        // Every session ends after a random number of moves, most after all of them.
        const int movesHere = RandomBetween(random, 0, 3) == 0 ? RandomBetween(random, 0, plan.dialogMoves)
                                                                : plan.dialogMoves;
        for (int move = 0; move < movesHere; ++move) {
            const int action = RandomBetween(random, 0, 9);
            if (action < 3) {
                MoveSlider(random);
                ++sliders;
            } else if (action == 3) {
                Note("invert");
                Ask(IDC_INVERT, BM_CLICK);
                ++flips;
            }
            MoveDialog(random);
            ++moves;
            if (move % 10 == 9) Ask(0, WM_NULL);   // the moves so far have been handled
            if (hung_) break;
        }
        const bool ok = !hung_ && RandomBetween(random, 0, 1) == 1;
        const Bytes expected = ok ? ShownSettings(old[5]) : old;
        PostMessageA(dialog_, WM_COMMAND, MAKEWPARAM(ok ? IDC_SETUP_OK : IDC_SETUP_CANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog_, ok ? IDC_SETUP_OK : IDC_SETUP_CANCEL)));
        oks += ok;
        const bool ended = Saver().WaitForExit(hung_ ? 0 : ExitTimeoutMs);
        if (!ended) {
            ++hangs;
            if (!hung_) ADD_FAILURE() << (ok ? "OK" : "Cancel") << " did not end the session after: " << trail_;
            Saver().Kill();
        } else {
            EXPECT_EQ(0u, Saver().ExitCode());
        }
        // Even a session that hung leaves the file whole.
        Bytes stored;
        EXPECT_TRUE(Installation().ReadFile("verdo.set", stored));
        const bool right = stored == expected &&
                           Installation().FileNames() == std::vector<std::string>{"verdo.ini", "verdo.set"};
        wrongFiles += !right;
        EXPECT_EQ(expected, stored) << (ok ? "OK" : "Cancel") << " after " << movesHere << " moves";
        EXPECT_EQ((std::vector<std::string>{"verdo.ini", "verdo.set"}), Installation().FileNames());
    }
    std::printf("settings sessions: %d (%d OK, %d Cancel), %d dialog moves, %d slider moves, %d Invert flips; "
                "wrong files %d, hung %d, no dialog %d\n",
                plan.settingsSessions, oks, plan.settingsSessions - oks - missing, moves, sliders, flips, wrongFiles, hangs,
                missing);
}

}  // namespace
