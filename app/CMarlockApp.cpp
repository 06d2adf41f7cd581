#include "app/CMarlockApp.h"

#include <new>

#include "app/CMarlockDlg.h"
#include "app/layout/StringTable.h"

namespace wavepost {

CMarlockApp& TheApp() {
    static CMarlockApp app;
    return app;
}

bool CMarlockApp::TakeOption(std::string& commandLine, const std::string& name) {
    for (std::size_t i = 0; i < commandLine.size(); ++i) {
        if ((commandLine[i] == '-' || commandLine[i] == '/') &&
            commandLine.compare(i + 1, name.size(), name) == 0) {
            commandLine.erase(i, name.size() + 1);
            return true;
        }
    }
    return false;
}

int CMarlockApp::Run(platform::IToolkit& toolkit, platform::IAutomationRuntime& automation,
                     std::string commandLine) {
    // The options come first: they decide what a missing runtime means.
    const bool embedded =
        TakeOption(commandLine, "Embedding") || TakeOption(commandLine, "Automation");
    const bool runtimeReady = automation.Initialise();
    if (embedded) {
        // Started by the runtime to serve an object: without it there is nothing to serve.
        if (!runtimeReady) {
            toolkit.MessageBox(LoadString(IDS_OLE_INIT_FAILED));
            return 1;
        }
        m_bUserControl = false;
        automation.RegisterFactoryRunning();
    } else {
        // The user's own program runs with or without the runtime; the registration is
        // a file and does not need it.
        automation.WriteRegistration();
    }
    try {
        CMarlockDlg dlg(toolkit);
        m_pMainWnd = &dlg;
        toolkit.RunModal(dlg);  // its result is not used
        m_pMainWnd = nullptr;
    } catch (const std::bad_alloc&) {
        // Start-up runs outside the event table: the message is given here.
        m_pMainWnd = nullptr;
        toolkit.MessageBox(LoadString(IDS_OUT_OF_MEMORY));
        return 1;
    }
    return 0;
}

}  // namespace wavepost
