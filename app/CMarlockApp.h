// SPDX-License-Identifier: GPL-3.0-or-later
// The application object: process start-up and stop.
#pragma once

#include <atomic>
#include <string>

#include "platform/Automation.h"
#include "platform/Toolkit.h"

namespace wavepost {

class CMarlockDlg;

class CMarlockApp {
  public:
    // Runs the start-up sequence and the main window; returns the exit status.
    int Run(platform::IToolkit& toolkit, platform::IAutomationRuntime& automation,
            std::string commandLine);

    // Removes the first "-name" or "/name" (name compared as a prefix); true when found.
    static bool TakeOption(std::string& commandLine, const std::string& name);

    CMarlockDlg* MainWindow() const { return m_pMainWnd; }
    void SetMainWindow(CMarlockDlg* window) { m_pMainWnd = window; }
    bool UserControl() const { return m_bUserControl; }
    void SetUserControl(bool user) { m_bUserControl = user; }
    // Live automation objects.
    int LockObject() { return ++m_nObjectCount; }
    int UnlockObject() { return --m_nObjectCount; }

  private:
    CMarlockDlg* m_pMainWnd = nullptr;
    bool m_bUserControl = true;
    std::atomic<int> m_nObjectCount{0};
};

// The one application object of the process.
CMarlockApp& TheApp();

}  // namespace wavepost
