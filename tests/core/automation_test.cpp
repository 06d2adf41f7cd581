#include <gtest/gtest.h>

#include <memory>
#include <new>

#include "app/CMarlockApp.h"
#include "app/CMarlockDlgAutoProxy.h"
#include "app/layout/ResourceIds.h"
#include "app/layout/StringTable.h"
#include "tests/core/TestSupport.h"

namespace wavepost {
namespace {

using test::ReadFile;
using test::SeedDefaultData;
using test::SeededFolder;
using test::TestWindow;
using test::WorkingDirectoryAt;
using test::WriteFile;

// The application object is one per process: every test leaves it as a user's program.
class AppState : public ::testing::Test {
  protected:
    void TearDown() override {
        TheApp().SetMainWindow(nullptr);
        TheApp().SetUserControl(true);
    }
    SeededFolder dir;
};

// A running main window, the application's main window, in a process the runtime started.
class AttachedWindow : public AppState {
  protected:
    void SetUp() override {
        w.Start();
        TheApp().SetMainWindow(&w.dlg);
        TheApp().SetUserControl(false);
        options = ReadFile(dir / "ini/options.txt");
    }
    TestWindow w{dir.Path()};
    std::string options;
};

// "Quitter" would otherwise save the catalogue (Escape and the close button are the
// system test's).
TEST_F(AttachedWindow, QuitOnlyHidesTheWindow) {
    auto proxy = std::make_unique<CMarlockDlgAutoProxy>();
    w.tk.Control(IDC_HEADING_EDIT).text = "123";
    w.tk.Click(IDC_QUIT_BUTTON);
    EXPECT_TRUE(w.tk.hidden);
    EXPECT_FALSE(w.tk.endResult.has_value());
    EXPECT_EQ(ReadFile(dir / "ini/options.txt"), options);
    EXPECT_TRUE(w.tk.messages.empty());
}

// The last release ends a run the runtime started, without saving, unless a box is open
// over the window; the program is the user's from then on.
TEST_F(AttachedWindow, LastReleaseEndsAnAttachedRunWithoutABox) {
    const struct {
        const char* what;
        bool usersProgram, boxOpen, ends;
    } cases[] = {{"attached", false, false, true},
                 {"under a box", false, true, false},
                 {"user's program", true, false, false}};
    for (const auto& c : cases) {
        TheApp().SetUserControl(c.usersProgram);
        w.tk.endResult.reset();
        w.tk.windowEnabled = !c.boxOpen;
        auto proxy = std::make_unique<CMarlockDlgAutoProxy>();
        w.tk.Control(IDC_HEADING_EDIT).text = "123";
        proxy.reset();
        EXPECT_EQ(w.tk.endResult, c.ends ? std::optional(2) : std::nullopt) << c.what;
        EXPECT_EQ(w.dlg.m_pAutoProxy, nullptr);
        EXPECT_TRUE(TheApp().UserControl());
        EXPECT_EQ(ReadFile(dir / "ini/options.txt"), options);
        if (c.ends) continue;
        // The window then closes as any user's window does.
        w.tk.windowEnabled = true;
        w.tk.PressEscape();
        EXPECT_FALSE(w.tk.hidden);
        EXPECT_EQ(w.tk.endResult, 2) << c.what;
    }
}

TEST_F(AppState, ObjectOutlivesItsWindow) {
    std::unique_ptr<CMarlockDlgAutoProxy> proxy;
    {
        TestWindow w(dir.Path());
        w.Start();
        TheApp().SetMainWindow(&w.dlg);
        TheApp().SetUserControl(false);
        proxy = std::make_unique<CMarlockDlgAutoProxy>();
        TheApp().SetMainWindow(nullptr);
    }
    EXPECT_EQ(proxy->m_pDialog, nullptr);
    proxy.reset();  // reaches no window
    EXPECT_TRUE(TheApp().UserControl());
}

// Records what the start-up asks of the runtime, in order.
struct FakeRuntime : platform::IAutomationRuntime {
    bool available = true;
    std::vector<std::string> calls;
    bool Initialise() override {
        calls.push_back("initialise");
        return available;
    }
    void RegisterFactoryRunning() override {
        calls.push_back(TheApp().UserControl() ? "factory (user's)" : "factory");
    }
    void WriteRegistration() override { calls.push_back("registration"); }
};

using Calls = std::vector<std::string>;

TEST_F(AppState, StartedByTheRuntime) {
    WorkingDirectoryAt started(dir.Path());
    for (const char* line : {"wavepost -Embedding", "wavepost /Automation"}) {
        TheApp().SetUserControl(true);
        platform::MemoryToolkit tk;
        FakeRuntime runtime;
        TheApp().Run(tk, runtime, line);
        EXPECT_EQ(runtime.calls, (Calls{"initialise", "factory"})) << line;
        EXPECT_FALSE(TheApp().UserControl());
        EXPECT_EQ(TheApp().CommandLine(), "wavepost ");
        EXPECT_EQ(tk.Control(IDC_TAB_PAGES).tabs.size(), 7u);  // the window ran
    }
}

// Memory running out, at start-up (outside the event table) or in a handler, is said: a
// start-up ends, a handler is abandoned and the program goes on. The allocation that fails
// is the first message box, a points warning on a zone 400 degrees wide.
TEST_F(AppState, RunningOutOfMemoryIsSaid) {
    WorkingDirectoryAt started(dir.Path());
    for (bool atStart : {true, false}) {
        SeedDefaultData(dir.Path());
        std::vector<std::string> seen;
        bool armed = atStart;
        auto failOnce = [&](const std::string& text) {
            seen.push_back(text);
            if (!armed) return;
            armed = false;
            throw std::bad_alloc();
        };
        if (atStart) {
            WriteFile(dir / "ini/options.txt",
                      ReadFile(dir / "ini/options.txt") + "X2;400;400;Monde\r\n");
            platform::MemoryToolkit tk;
            tk.onMessageBox = failOnce;
            FakeRuntime runtime;
            EXPECT_EQ(TheApp().Run(tk, runtime, "wavepost"), 1);
            EXPECT_EQ(seen.size(), 2u);
        } else {
            TestWindow w(dir.Path());
            w.Start();
            w.tk.onMessageBox = failOnce;
            armed = true;
            w.tk.Control(IDC_LON2_EDIT).text = "400";
            w.tk.Choose(IDC_CURRENCY_COMBO, 0);
            ASSERT_EQ(seen.size(), 2u);
            // The next event runs whole.
            w.tk.Choose(IDC_CURRENCY_COMBO, 0);
            EXPECT_EQ(seen.size(), 3u);
            EXPECT_EQ(seen.back(), seen.front());
            seen.pop_back();
        }
        EXPECT_EQ(seen.back(), LoadString(IDS_OUT_OF_MEMORY)) << atStart;
    }
}

TEST_F(AppState, UsersProgramRegistersAndRunsWithOrWithoutTheRuntime) {
    WorkingDirectoryAt started(dir.Path());
    for (bool available : {true, false}) {
        platform::MemoryToolkit tk;
        FakeRuntime runtime;
        runtime.available = available;
        EXPECT_EQ(TheApp().Run(tk, runtime, "wavepost -automation"), 0);
        EXPECT_EQ(runtime.calls, (Calls{"initialise", "registration"})) << available;
        EXPECT_TRUE(tk.messages.empty());
        EXPECT_TRUE(TheApp().UserControl());
        EXPECT_EQ(tk.Control(IDC_TAB_PAGES).tabs.size(), 7u);
    }
}

}  // namespace
}  // namespace wavepost
