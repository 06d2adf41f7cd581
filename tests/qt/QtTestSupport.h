// A main window on the Qt front end, in a scratch working directory seeded with the
// shipped catalogue.
#pragma once

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "app/CMarlockDlg.h"
#include "platform/qt/QtToolkit.h"

namespace wavepost::qttest {

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

struct QtWindow {
    QTemporaryDir dir;
    QString previous = QDir::currentPath();
    std::unique_ptr<platform::qt::QtToolkit> tk;
    std::unique_ptr<CMarlockDlg> dlg;

    QtWindow() {
        std::filesystem::copy(std::filesystem::path(WAVEPOST_SOURCE_DIR) / "data",
                              dir.path().toStdString(), std::filesystem::copy_options::recursive);
        QDir::setCurrent(dir.path());
        tk = std::make_unique<platform::qt::QtToolkit>();
        dlg = std::make_unique<CMarlockDlg>(*tk);
    }
    ~QtWindow() {
        tk->Detach();
        dlg.reset();
        tk.reset();
        QDir::setCurrent(previous);
    }
    void Open() {
        tk->Open(*dlg);
        if (!QTest::qWaitForWindowExposed(&tk->Window())) qWarning("the window was not exposed");
    }
    template <typename T>
    T* Get(int id) {
        return qobject_cast<T*>(tk->Widget(id));
    }
};

}  // namespace wavepost::qttest
