#include <gtest/gtest.h>

#include <memory>

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

// The runtime's options start an attached program; any other line a user's program, which
// registers itself and runs whether the runtime is there or not. Options count as prefixes.
TEST_F(AppState, StartedByTheRuntimeOrByTheUser) {
    WorkingDirectoryAt started(dir.Path());
    const struct {
        const char* line;
        bool available;
        Calls calls;
        bool usersProgram;
    } cases[] = {{"wavepost -Embedding", true, {"initialise", "factory"}, false},
                 {"wavepost /Automation", true, {"initialise", "factory"}, false},
                 {"wavepost -automation", true, {"initialise", "registration"}, true},
                 {"wavepost -automation", false, {"initialise", "registration"}, true}};
    for (const auto& c : cases) {
        TheApp().SetUserControl(true);
        platform::MemoryToolkit tk;
        FakeRuntime runtime;
        runtime.available = c.available;
        EXPECT_EQ(TheApp().Run(tk, runtime, c.line), 0) << c.line;
        EXPECT_EQ(runtime.calls, c.calls) << c.line;
        EXPECT_EQ(TheApp().UserControl(), c.usersProgram) << c.line;
        if (!c.usersProgram) {
            EXPECT_EQ(TheApp().CommandLine(), "wavepost ");
        }
        EXPECT_TRUE(tk.messages.empty()) << c.line;
        EXPECT_EQ(tk.Control(IDC_TAB_PAGES).tabs.size(), 7u) << c.line;  // the window ran
    }
}

}  // namespace
}  // namespace wavepost
