// SPDX-License-Identifier: GPL-3.0-or-later
// A main window on the Qt front end, in a scratch working directory seeded with the
// shipped catalogue, with every event the logic receives recorded.
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>

#include "app/CMarlockDlg.h"
#include "platform/qt/QtToolkit.h"
#include "tests/TestAddresses.h"

namespace wavepost::qttest {

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// Replaces one piece of a seeded file.
inline void Edit(const std::filesystem::path& path, const std::string& from,
                 const std::string& to) {
    std::string content = ReadBytes(path);
    auto at = content.find(from);
    if (at == std::string::npos) throw std::runtime_error(path.string() + " has no " + from);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << content.replace(at, from.size(), to);
}

// Forwards to the window's logic and records every event it receives.
class RecordingLogic : public platform::IWindowLogic {
  public:
    explicit RecordingLogic(platform::IWindowLogic& inner) : m_inner(inner) {}
    bool OnInitDialog() override { return m_inner.OnInitDialog(); }
    void OnEvent(const platform::Event& e) override {
        events.push_back(e);
        m_inner.OnEvent(e);
    }
    void OnPaint(platform::IPainter& p) override { m_inner.OnPaint(p); }
    int Count(platform::EventKind kind, int source = -1) const {
        int n = 0;
        for (const auto& e : events) n += e.kind == kind && (source < 0 || e.source == source);
        return n;
    }
    std::vector<platform::Event> events;

  private:
    platform::IWindowLogic& m_inner;
};

// Accepts every message box as soon as it is open, and keeps its text.
struct BoxCloser {
    QStringList texts;
    QTimer timer;
    BoxCloser() {
        timer.setInterval(10);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts << box->text();
                box->accept();
            }
        });
        timer.start();
    }
};

struct QtWindow {
    QTemporaryDir dir;
    std::unique_ptr<platform::qt::QtToolkit> tk;
    std::unique_ptr<CMarlockDlg> dlg;
    std::unique_ptr<RecordingLogic> logic;

    QtWindow() {
        std::filesystem::copy(std::filesystem::path(WAVEPOST_SOURCE_DIR) / "data",
                              dir.path().toStdString(), std::filesystem::copy_options::recursive);
        test::SetTestAddresses(dir.path().toStdString() + "/init.cnf");
        // Copies, history and settings go here, never into the user's folders.
        qputenv("XDG_STATE_HOME", (dir.path() + QStringLiteral("/state")).toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (dir.path() + QStringLiteral("/config")).toLocal8Bit());
        tk = std::make_unique<platform::qt::QtToolkit>();
        tk->SetMailHandlerCheck([] { return false; });  // nothing leaves the test
        tk->SetPositionFollowed(false);  // nor does a gpsd running on the machine come in
        dlg = std::make_unique<CMarlockDlg>(*tk, dir.path().toStdString());
        logic = std::make_unique<RecordingLogic>(*dlg);
    }
    ~QtWindow() {
        tk->Detach();
        dlg.reset();
        tk.reset();
    }
    // A file of the window's storage folder.
    std::string File(const std::string& name) const { return dlg->StoragePath(name); }
    void Open() {
        tk->Open(*logic);
        Activate();
    }
    // The offscreen platform has no window manager to give the window back the focus
    // after a message box closed.
    void Activate() {
        tk->Window().activateWindow();
        if (!QTest::qWaitForWindowActive(&tk->Window())) qWarning("the window is not active");
    }
    // Widgets are found as a user's tool would find them: by the name their identifier gives.
    template <typename T>
    T* Get(int id) {
        const char* name = ControlIdName(id);
        return name ? tk->Window().findChild<T*>(QLatin1String(name)) : nullptr;
    }
    // The last order handed over, as its copy holds it.
    std::string LastOrder() const {
        return ReadBytes(dir.path().toStdString() + "/state/wavepost/WavepostGrib.txt");
    }
};

// Keys go where the desktop sends them: to the widget that has the focus.
inline void PressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget();
    if (!target) target = QApplication::activeWindow();
    QTest::keyClick(target, key, modifiers);
}

}  // namespace wavepost::qttest
