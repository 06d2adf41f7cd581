#include "app/CMarlockDlgAutoProxy.h"

#include "app/CMarlockApp.h"
#include "app/CMarlockDlg.h"

namespace wavepost {

CMarlockDlgAutoProxy::CMarlockDlgAutoProxy() {
    TheApp().LockObject();
    m_pDialog = TheApp().MainWindow();
    if (m_pDialog) m_pDialog->m_pAutoProxy = this;
}

CMarlockDlgAutoProxy::~CMarlockDlgAutoProxy() {
    if (m_pDialog) m_pDialog->m_pAutoProxy = nullptr;
    CMarlockApp& app = TheApp();
    if (app.UnlockObject() == 0 && !app.UserControl()) {
        app.SetUserControl(true);
        // A window under a message box or the about box stays; the process then goes on
        // as one the user started.
        if (m_pDialog && m_pDialog->Toolkit().IsWindowEnabled()) m_pDialog->Toolkit().EndModal(2);
    }
}

}  // namespace wavepost
