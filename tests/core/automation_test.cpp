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
using test::ScratchDir;
using test::SeedDefaultData;
using test::TestWindow;
using test::WriteFile;

// The application object is one per process: every test leaves it as a user's program.
class AppState : public ::testing::Test {
  protected:
    void TearDown() override {
        TheApp().SetMainWindow(nullptr);
        TheApp().SetUserControl(true);
    }
    ScratchDir dir;
};

// A running main window, the application's main window, in a process the runtime started.
class AttachedWindow : public AppState {
  protected:
    void SetUp() override {
        SeedDefaultData();
        w.Start();
        TheApp().SetMainWindow(&w.dlg);
        TheApp().SetUserControl(false);
        options = ReadFile("ini/options.txt");
    }
    TestWindow w;
    std::string options;
};

TEST_F(AttachedWindow, EveryClosePathOnlyHidesTheWindow) {
    auto proxy = std::make_unique<CMarlockDlgAutoProxy>();
    ASSERT_EQ(w.dlg.m_pAutoProxy, proxy.get());
    ASSERT_EQ(proxy->m_pDialog, &w.dlg);
    w.tk.Control(IDC_HEADING_EDIT).text = "123";

    w.tk.PressEscape();
    EXPECT_TRUE(w.tk.hidden);
    w.tk.hidden = false;
    w.tk.PressClose();
    EXPECT_TRUE(w.tk.hidden);
    w.tk.hidden = false;
    w.tk.Click(IDC_QUIT_BUTTON);  // "Quitter" would otherwise save the catalogue
    EXPECT_TRUE(w.tk.hidden);

    EXPECT_FALSE(w.tk.endResult.has_value());
    EXPECT_EQ(ReadFile("ini/options.txt"), options);
    EXPECT_TRUE(w.tk.messages.empty());
}

TEST_F(AttachedWindow, LastReleaseEndsTheRunWithoutSaving) {
    auto proxy = std::make_unique<CMarlockDlgAutoProxy>();
    w.tk.Control(IDC_HEADING_EDIT).text = "123";
    w.tk.PressEscape();
    proxy.reset();
    EXPECT_EQ(w.dlg.m_pAutoProxy, nullptr);
    EXPECT_EQ(w.tk.endResult, 2);
    EXPECT_TRUE(TheApp().UserControl());
    EXPECT_EQ(ReadFile("ini/options.txt"), options);
}

TEST_F(AttachedWindow, ReleaseUnderAMessageBoxLeavesTheProgramToTheUser) {
    auto proxy = std::make_unique<CMarlockDlgAutoProxy>();
    w.tk.windowEnabled = false;  // a message box or the about box is open
    proxy.reset();
    EXPECT_FALSE(w.tk.endResult.has_value());
    EXPECT_EQ(w.dlg.m_pAutoProxy, nullptr);
    EXPECT_TRUE(TheApp().UserControl());

    // Once the box is closed the window closes as any user's window does.
    w.tk.windowEnabled = true;
    w.tk.PressEscape();
    EXPECT_FALSE(w.tk.hidden);
    EXPECT_EQ(w.tk.endResult, 2);
}

TEST_F(AttachedWindow, ReleaseInAUsersProgramEndsNothing) {
    TheApp().SetUserControl(true);
    auto proxy = std::make_unique<CMarlockDlgAutoProxy>();
    proxy.reset();
    EXPECT_FALSE(w.tk.endResult.has_value());
    EXPECT_EQ(w.dlg.m_pAutoProxy, nullptr);
}

TEST_F(AppState, ObjectOutlivesItsWindow) {
    SeedDefaultData();
    std::unique_ptr<CMarlockDlgAutoProxy> proxy;
    {
        TestWindow w;
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
    SeedDefaultData();
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

TEST_F(AppState, StartedByTheRuntimeWithoutOneEndsBeforeAnyWindow) {
    SeedDefaultData();
    platform::MemoryToolkit tk;
    FakeRuntime runtime;
    runtime.available = false;
    EXPECT_NE(TheApp().Run(tk, runtime, "wavepost -Automation"), 0);
    EXPECT_EQ(runtime.calls, (Calls{"initialise"}));
    EXPECT_EQ(tk.messages, (Calls{LoadString(IDS_OLE_INIT_FAILED)}));
    EXPECT_TRUE(tk.Control(IDC_TAB_PAGES).tabs.empty());
}

// Memory running out, at start-up (outside the event table) or in a handler, is said: a
// start-up ends, a handler is abandoned and the program goes on. The allocation that fails
// is the first message box, a points warning on a zone 400 degrees wide.
TEST_F(AppState, RunningOutOfMemoryIsSaid) {
    for (bool atStart : {true, false}) {
        SeedDefaultData();
        std::vector<std::string> seen;
        bool armed = atStart;
        auto failOnce = [&](const std::string& text) {
            seen.push_back(text);
            if (!armed) return;
            armed = false;
            throw std::bad_alloc();
        };
        if (atStart) {
            WriteFile("ini/options.txt", ReadFile("ini/options.txt") + "X2;400;400;Monde\r\n");
            platform::MemoryToolkit tk;
            tk.onMessageBox = failOnce;
            FakeRuntime runtime;
            EXPECT_EQ(TheApp().Run(tk, runtime, "wavepost"), 1);
            EXPECT_EQ(seen.size(), 2u);
        } else {
            TestWindow w;
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
    SeedDefaultData();
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
