// SPDX-License-Identifier: GPL-3.0-or-later
// The automation object: it has no methods and no properties; while a client holds it,
// closing the main window only hides it.
#pragma once

namespace wavepost {

class CMarlockDlg;

class CMarlockDlgAutoProxy {
  public:
    CMarlockDlgAutoProxy();
    virtual ~CMarlockDlgAutoProxy();
    CMarlockDlgAutoProxy(const CMarlockDlgAutoProxy&) = delete;
    CMarlockDlgAutoProxy& operator=(const CMarlockDlgAutoProxy&) = delete;

    CMarlockDlg* m_pDialog = nullptr;
};

}  // namespace wavepost
