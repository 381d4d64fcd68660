// The host's message procedures on a real window, with a recording stand-in for ScreenSaverProc.
#include "host.h"
#include "test_saver_proc.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace vorpane::host;
using vorpane::testing::saver_proc_calls;

namespace {

constexpr char test_class[] = "VorpaneHostTestClass";

class HostMessages : public ::testing::Test {
protected:
    void SetUp() override
    {
        static const ATOM registered = [] {
            WNDCLASSA c = {};
            c.lpfnWndProc = host_window_proc;
            c.hInstance = GetModuleHandleA(nullptr);
            c.lpszClassName = test_class;
            return RegisterClassA(&c);
        }();
        ASSERT_NE(registered, 0);
        preview = 0;
        closing = 0;
        checking_password = 0;
        win9x_platform = 0;
        verify_password = nullptr;
        last_check_tick = no_check_yet;
    }

    void TearDown() override
    {
        if (window != nullptr) {
            closing = 1; // let WM_DESTROY pass quietly
            DestroyWindow(window);
        }
        if (parent != nullptr) {
            DestroyWindow(parent);
        }
        drain();
    }

    void create(bool as_preview)
    {
        preview = as_preview ? 1 : 0;
        if (as_preview) {
            parent = CreateWindowExA(0, "STATIC", "parent", WS_OVERLAPPEDWINDOW, 0, 0, 200, 150, nullptr, nullptr,
                                     GetModuleHandleA(nullptr), nullptr);
            ASSERT_NE(parent, nullptr);
        }
        window = CreateWindowExA(0, test_class, "Screen Saver", as_preview ? WS_CHILD : WS_POPUP, 0, 0, 100, 80, parent,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(window, nullptr);
        drain();
        saver_proc_calls.messages.clear();
    }

    // Removes what is queued and tells whether a close request was among it.
    bool close_posted() { return take(window, WM_CLOSE); }

    bool take(HWND target, UINT message)
    {
        MSG m;
        bool found = false;
        while (PeekMessageA(&m, target, message, message, PM_REMOVE)) {
            found = true;
        }
        return found;
    }

    void drain()
    {
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    bool reached_saver(UINT message) const
    {
        const auto& seen = saver_proc_calls.messages;
        return std::find(seen.begin(), seen.end(), message) != seen.end();
    }

    HWND window = nullptr;
    HWND parent = nullptr;
};

TEST_F(HostMessages, InputClosesTheFullScreenSaver)
{
    create(false);
    struct {
        UINT message;
        WPARAM wparam;
        bool closes;
    } cases[] = {
        {WM_KEYDOWN, 'A', true},           {WM_SYSKEYDOWN, VK_MENU, true},   {WM_LBUTTONDOWN, 0, true},
        {WM_RBUTTONDOWN, 0, true},         {WM_MBUTTONDOWN, 0, true},        {WM_KEYUP, 'A', false},
        {WM_LBUTTONUP, 0, false},          {WM_MOUSEWHEEL, 0, false},        {WM_ACTIVATEAPP, 0, true},
        {WM_ACTIVATEAPP, 1, false},        {0x0048 /* WM_POWER */, 3, true}, {0x0048, 1, false},
    };
    for (const auto& c : cases) {
        SendMessageA(window, c.message, c.wparam, 0);
        EXPECT_EQ(close_posted(), c.closes) << std::hex << c.message << " " << c.wparam;
    }
}

TEST_F(HostMessages, PowerBroadcasts)
{
    create(false);
    struct {
        WPARAM event;
        LPARAM data;
        bool closes;
        LRESULT result;
    } cases[] = {
        {0x0000, 0, false, TRUE}, // a suspend query is granted
        {0x0001, 0, true, 0},     {0x0004, 0, true, 0},     {0x0005, 0, true, 0},
        {0x0007, 0, true, 0},     {0x0007, 1, false, 0},    // resume after a failure
        {0x0012, 0, true, 0},     {0x0012, 1, false, 0},    {0x000A, 0, false, 0},
        {0x8013, 0, false, 0},    {0x0009, 0, true, 0},
    };
    for (const auto& c : cases) {
        const LRESULT result = SendMessageA(window, WM_POWERBROADCAST, c.event, c.data);
        EXPECT_EQ(close_posted(), c.closes) << std::hex << c.event << " " << c.data;
        if (c.event == 0) {
            EXPECT_EQ(result, c.result);
        }
    }
}

TEST_F(HostMessages, SystemCommands)
{
    create(false);
    struct {
        WPARAM command;
        bool reaches_saver;
        bool closes;
    } cases[] = {
        {SC_SCREENSAVE, false, false},
        {SC_NEXTWINDOW, false, false},
        {SC_PREVWINDOW | 0x3, false, false}, // the low four bits are not part of the command
        {SC_MONITORPOWER, true, true},
    };
    for (const auto& c : cases) {
        saver_proc_calls.messages.clear();
        SendMessageA(window, WM_SYSCOMMAND, c.command, c.command == SC_MONITORPOWER ? 2 : 0);
        EXPECT_EQ(reached_saver(WM_SYSCOMMAND), c.reaches_saver) << std::hex << c.command;
        EXPECT_EQ(close_posted(), c.closes) << std::hex << c.command;
    }
}

TEST_F(HostMessages, MouseMustMoveMoreThanFourPixelsFromTheAnchor)
{
    create(false);
    POINT cursor;
    ASSERT_TRUE(GetCursorPos(&cursor));
    struct {
        int dx, dy;
        bool closes;
    } cases[] = {{0, 0, false}, {3, 1, false}, {-2, -2, false}, {4, 0, false}, {5, 0, true}, {-3, 2, true}};
    for (const auto& c : cases) {
        anchor_cursor = {cursor.x - c.dx, cursor.y - c.dy};
        SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(999, 999)); // lParam is not looked at
        EXPECT_EQ(close_posted(), c.closes) << c.dx << "," << c.dy;
        if (c.closes) {
            EXPECT_EQ(anchor_cursor.x, cursor.x); // the anchor moves to where the close was asked
            EXPECT_EQ(anchor_cursor.y, cursor.y);
        } else {
            EXPECT_EQ(anchor_cursor.x, cursor.x - c.dx); // small moves add up against it
        }
    }
}

TEST_F(HostMessages, ClosingStopsFramesAndInput)
{
    create(false);
    SendMessageA(window, WM_TIMER, 1, 0);
    EXPECT_TRUE(reached_saver(WM_TIMER));
    closing = 1;
    saver_proc_calls.messages.clear();
    EXPECT_EQ(SendMessageA(window, WM_TIMER, 1, 0), 0);
    SendMessageA(window, WM_KEYDOWN, 'A', 0);
    EXPECT_TRUE(saver_proc_calls.messages.empty());
    EXPECT_FALSE(close_posted());
}

TEST_F(HostMessages, WindowTextNeverChanges)
{
    create(false);
    EXPECT_EQ(SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("changed")), 0);
    char text[64] = {};
    GetWindowTextA(window, text, sizeof text);
    EXPECT_STREQ(text, "Screen Saver");
    EXPECT_FALSE(reached_saver(WM_SETTEXT));
}

TEST_F(HostMessages, PreviewIgnoresInputAndPassesHelpToItsParent)
{
    create(true);
    for (const UINT message : {WM_KEYDOWN, WM_LBUTTONDOWN, WM_ACTIVATEAPP, WM_MOUSEMOVE}) {
        SendMessageA(window, message, 0, 0);
        EXPECT_FALSE(close_posted()) << std::hex << message;
    }
    anchor_cursor = {-1000, -1000};
    SendMessageA(window, WM_MOUSEMOVE, 0, 0);
    EXPECT_FALSE(close_posted());

    EXPECT_EQ(SendMessageA(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), 1234), 1);
    MSG m;
    ASSERT_TRUE(PeekMessageA(&m, parent, WM_CONTEXTMENU, WM_CONTEXTMENU, PM_REMOVE));
    EXPECT_EQ(reinterpret_cast<HWND>(m.wParam), parent);
    EXPECT_EQ(m.lParam, 1234);
    // NOTE: WM_HELP carries a pointer in lParam, and the system refuses to post such messages,
    // so the parent never sees it; the preview still answers it as handled.
    HELPINFO help = {};
    help.cbSize = sizeof help;
    EXPECT_EQ(SendMessageA(window, WM_HELP, 0, reinterpret_cast<LPARAM>(&help)), 1);
    EXPECT_FALSE(reached_saver(WM_HELP));
    // A preview takes system commands as they come.
    saver_proc_calls.messages.clear();
    SendMessageA(window, WM_SYSCOMMAND, SC_SCREENSAVE, 0);
    EXPECT_TRUE(reached_saver(WM_SYSCOMMAND));
}

TEST_F(HostMessages, ParsesWindowHandlesAndSkipsTheProgramName)
{
    struct {
        const char* text;
        std::uint32_t value;
    } handles[] = {{"1234", 1234}, {"", 0}, {"12ab", 12}, {"-5", 0}, {"4294967297", 1}, {"\xB5" "12", 0}};
    for (const auto& c : handles) {
        EXPECT_EQ(parse_window_handle(c.text), c.value) << c.text;
    }
    struct {
        const char* line;
        const char* rest;
    } lines[] = {
        {"\"C:\\x y\\Vorpane.scr\" /s", "/s"},
        {"Vorpane.scr   /p 12", "/p 12"},
        {"\"unterminated /s", ""},
        {"Vorpane.scr", ""},
        {"\"\"\t\t-c", "-c"},
    };
    for (const auto& c : lines) {
        EXPECT_STREQ(skip_program_name(c.line), c.rest) << c.line;
    }
}

TEST_F(HostMessages, CommandLinesThatSelectNothingFail)
{
    // None of these may start a window: each returns -1 before creating one.
    const char* lines[] = {"/x", "/p", "/p:1234", "/p 0", "/p 4294967295", "/a", "\xE9s", "-\x01s", "/ps"};
    for (const char* line : lines) {
        EXPECT_EQ(run_mode(line), exit_failure) << line;
    }
    EXPECT_EQ(FindWindowA(window_class_name, nullptr), nullptr);
}

} // namespace
