// SPDX-License-Identifier: GPL-3.0-or-later
// The automation runtime on the D-Bus session bus.
//
// The well-known name "Marlock.Application" is the class factory of a process the bus
// started ("-Automation" in the service file's Exec line). Its one method creates the
// automation object for the caller and returns the object's path; the process then gives
// up the name, so the next creation request starts a new process. The object lives at the
// reply's sender (the process's unique name) until its client releases it or leaves the bus.
#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QString>
#include <memory>
#include <optional>
#include <string>

#include "platform/Automation.h"

class QDBusServiceWatcher;

namespace wavepost {
class CMarlockDlgAutoProxy;
}

namespace platform::qt {

inline constexpr char kAutomationService[] = "Marlock.Application";
inline constexpr char kFactoryPath[] = "/Marlock/Application";
inline constexpr char kFactoryInterface[] = "Marlock.Application.ClassFactory";
inline constexpr char kObjectPath[] = "/Marlock/Application/Object";
// The object's own interface: no methods, no properties.
inline constexpr char kDispatchInterface[] = "Marlock.Application.Dispatch";
inline constexpr char kReferenceInterface[] = "Marlock.Application.Reference";
inline constexpr char kErrorFactoryUsed[] = "Marlock.Application.Error.FactoryUsed";
inline constexpr char kErrorNoReference[] = "Marlock.Application.Error.NoReference";

// The session service file that starts `program` with "-Automation" in `workingDir`
// through `env`; none when a path cannot be written in a service file (control characters
// or bytes that are not UTF-8).
std::optional<std::string> ServiceFileText(const std::string& env, const std::string& workingDir,
                                           const std::string& program);

class DBusAutomation : public IAutomationRuntime {
  public:
    DBusAutomation();
    ~DBusAutomation() override;
    DBusAutomation(const DBusAutomation&) = delete;
    DBusAutomation& operator=(const DBusAutomation&) = delete;

    bool Initialise() override;
    void RegisterFactoryRunning() override;
    void WriteRegistration() override;

    // The requests of the bus objects, each answered by a reply it sends; run on the
    // user-interface thread.
    void CreateObject(const QDBusMessage& call);
    void ReleaseObject(const QDBusMessage& call);

  private:
    void ClientGone(const QString& client);
    void FinalRelease();
    void Reply(const QDBusMessage& reply);

    // Parent of the objects on the bus, whose requests the bus library queues on the
    // user-interface thread; the destructor drops it, and with it every request still queued.
    std::unique_ptr<QObject> m_pContext;
    std::optional<QDBusConnection> m_connection;
    QObject* m_pFactoryNode = nullptr;                // owned by m_pContext
    QObject* m_pObjectNode = nullptr;                 // owned by m_pContext
    QDBusServiceWatcher* m_pClientWatcher = nullptr;  // owned by m_pContext
    std::unique_ptr<wavepost::CMarlockDlgAutoProxy> m_pProxy;
    QString m_strClient;  // unique name of the client holding the object
    bool m_bFactoryUsed = false;
};

}  // namespace platform::qt
