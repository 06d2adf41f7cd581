#include <gtest/gtest.h>

#include <memory>

#include "app/CMarlockApp.h"
#include "app/CMarlockDlgAutoProxy.h"
#include "app/layout/ResourceIds.h"
#include "tests/core/TestSupport.h"

namespace wavepost {
namespace {

using test::ReadFile;
using test::SeededFolder;
using test::TestWindow;

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

}  // namespace
}  // namespace wavepost
