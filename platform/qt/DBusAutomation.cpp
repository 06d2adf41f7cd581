#include "platform/qt/DBusAutomation.h"

#include <QCoreApplication>
#include <QDBusAbstractAdaptor>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusObjectPath>
#include <QDBusServiceWatcher>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <filesystem>
#include <utility>

#include "app/CMarlockDlgAutoProxy.h"

namespace platform::qt {

namespace {

constexpr char kServiceFileName[] = "Marlock.Application.service";

// A service file is a UTF-8 text of one line per key.
bool Expressible(const std::string& text) {
    if (text.empty()) return false;
    for (unsigned char c : text)
        if (c < 0x20 || c == 0x7f) return false;
    const QByteArray bytes(text.data(), static_cast<qsizetype>(text.size()));
    return QString::fromUtf8(bytes).toUtf8() == bytes;
}

// The bus splits the Exec line like a shell: inside single quotes everything is literal,
// and a quote is closed, escaped and reopened.
std::string QuoteArgument(const std::string& argument) {
    std::string quoted = "'";
    for (char c : argument) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

// Before that split the key-file reader takes backslash escapes.
std::string EscapeValue(const std::string& value) {
    std::string escaped;
    for (char c : value) {
        if (c == '\\') escaped += '\\';
        escaped += c;
    }
    return escaped;
}

// An object on the bus. The bus library delivers its calls on the user-interface thread,
// one at a time between the window's events; the runtime answers each with its own reply.
class BusNode : public QObject, protected QDBusContext {
    Q_OBJECT

  public:
    using Handler = void (DBusAutomation::*)(const QDBusMessage&);

    BusNode(DBusAutomation& runtime, Handler handler, QObject* parent)
        : QObject(parent), m_runtime(runtime), m_handler(handler) {}

    // Called by the adaptor's method, inside the call.
    void Deliver() {
        setDelayedReply(true);
        (m_runtime.*m_handler)(message());
    }

  private:
    DBusAutomation& m_runtime;
    Handler m_handler;
};

// The interface names below are kFactoryInterface, kDispatchInterface and
// kReferenceInterface; the meta-object wants them as literals.
class FactoryAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "Marlock.Application.ClassFactory")
    Q_CLASSINFO("D-Bus Introspection",
                "  <interface name=\"Marlock.Application.ClassFactory\">\n"
                "    <method name=\"CreateInstance\">\n"
                "      <arg name=\"object\" type=\"o\" direction=\"out\"/>\n"
                "    </method>\n"
                "  </interface>\n")

  public:
    explicit FactoryAdaptor(BusNode* node) : QDBusAbstractAdaptor(node), m_node(*node) {}

  public slots:
    QDBusObjectPath CreateInstance() {
        m_node.Deliver();
        return {};  // the runtime replies
    }

  private:
    BusNode& m_node;
};

// The object's own interface: no methods, no properties.
class DispatchAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "Marlock.Application.Dispatch")
    // Given whole: an interface without members is otherwise left out of introspection.
    Q_CLASSINFO("D-Bus Introspection", "  <interface name=\"Marlock.Application.Dispatch\"/>\n")

  public:
    explicit DispatchAdaptor(BusNode* node) : QDBusAbstractAdaptor(node) {}
};

class ReferenceAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "Marlock.Application.Reference")

  public:
    explicit ReferenceAdaptor(BusNode* node) : QDBusAbstractAdaptor(node), m_node(*node) {}

  public slots:
    void Release() { m_node.Deliver(); }

  private:
    BusNode& m_node;
};

}  // namespace

std::optional<std::string> ServiceFileText(const std::string& env, const std::string& workingDir,
                                           const std::string& program) {
    if (!Expressible(env) || !Expressible(workingDir) || !Expressible(program)) return std::nullopt;
    const std::string exec = QuoteArgument(env) + " " + QuoteArgument("--chdir=" + workingDir) +
                             " " + QuoteArgument(program) + " " + QuoteArgument("-Automation");
    return std::string("[D-BUS Service]\n") + "Name=" + kAutomationService + "\n" +
           "Exec=" + EscapeValue(exec) + "\n";
}

DBusAutomation::DBusAutomation() : m_pContext(std::make_unique<QObject>()) {}

DBusAutomation::~DBusAutomation() {
    if (m_connection) {
        m_connection->unregisterObject(QString::fromLatin1(kObjectPath));
        m_connection->unregisterObject(QString::fromLatin1(kFactoryPath));
    }
    m_pContext.reset();
    m_pClientWatcher = nullptr;
    m_pFactoryNode = nullptr;
    m_pObjectNode = nullptr;
    // The window has gone before: the object is only detached from it.
    m_pProxy.reset();
    if (m_connection && m_connection->isConnected()) {
        // A round trip through the bus, so that the replies sent before it (the last
        // release's among them) are out before the process ends.
        m_connection->interface()->isServiceRegistered(QStringLiteral("org.freedesktop.DBus"));
    }
}

bool DBusAutomation::Initialise() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return false;
    m_connection = bus;
    return true;
}

void DBusAutomation::RegisterFactoryRunning() {
    if (!m_connection) return;
    const QString path = QString::fromLatin1(kFactoryPath);
    auto* node = new BusNode(*this, &DBusAutomation::CreateObject, m_pContext.get());
    new FactoryAdaptor(node);
    m_pFactoryNode = node;
    if (!m_connection->registerObject(path, node, QDBusConnection::ExportAdaptors)) {
        delete node;
        m_pFactoryNode = nullptr;
        return;
    }
    // The object first, then the name, so that no request finds the name without it. When
    // another process holds the name, this one serves no object.
    QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply =
        m_connection->interface()->registerService(QString::fromLatin1(kAutomationService),
                                                   QDBusConnectionInterface::DontQueueService,
                                                   QDBusConnectionInterface::DontAllowReplacement);
    if (!reply.isValid() || reply.value() != QDBusConnectionInterface::ServiceRegistered) {
        m_connection->unregisterObject(path);
        delete m_pFactoryNode;
        m_pFactoryNode = nullptr;
    }
}

void DBusAutomation::WriteRegistration() {
    std::error_code error;
    std::string program = std::filesystem::read_symlink("/proc/self/exe", error).string();
    if (error || program.empty())
        program = QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString();
    const std::string workingDir = std::filesystem::current_path(error).string();
    if (error) return;
    QString env = QStandardPaths::findExecutable(QStringLiteral("env"));
    if (env.isEmpty()) env = QStringLiteral("/usr/bin/env");
    const std::optional<std::string> text =
        ServiceFileText(QFile::encodeName(env).toStdString(), workingDir, program);
    if (!text) return;  // the registration already there stays
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                        QStringLiteral("/dbus-1/services");
    if (!QDir().mkpath(dir)) return;
    // Replaced whole: the bus never reads a half-written file.
    QSaveFile file(dir + QLatin1Char('/') + QString::fromLatin1(kServiceFileName));
    if (!file.open(QIODevice::WriteOnly)) return;
    file.write(text->data(), static_cast<qint64>(text->size()));
    file.commit();
}

void DBusAutomation::CreateObject(const QDBusMessage& call) {
    if (m_bFactoryUsed) {
        // A request that reached the name before this process gave it up.
        Reply(call.createErrorReply(
            QString::fromLatin1(kErrorFactoryUsed),
            QStringLiteral("This process already serves its object; ask %1 again.")
                .arg(QString::fromLatin1(kAutomationService))));
        return;
    }
    m_bFactoryUsed = true;
    // Single use: from now on the bus starts a new process for every creation request.
    m_connection->interface()->unregisterService(QString::fromLatin1(kAutomationService));

    const QString client = call.service();
    m_strClient = client;
    m_pClientWatcher = new QDBusServiceWatcher(
        client, *m_connection, QDBusServiceWatcher::WatchForUnregistration, m_pContext.get());
    QObject::connect(m_pClientWatcher, &QDBusServiceWatcher::serviceUnregistered, m_pContext.get(),
                     [this](const QString& name) { ClientGone(name); });
    auto* node = new BusNode(*this, &DBusAutomation::ReleaseObject, m_pContext.get());
    new DispatchAdaptor(node);
    new ReferenceAdaptor(node);
    m_pObjectNode = node;
    m_connection->registerObject(QString::fromLatin1(kObjectPath), node,
                                 QDBusConnection::ExportAdaptors);
    m_pProxy = std::make_unique<wavepost::CMarlockDlgAutoProxy>();
    Reply(call.createReply(QVariant::fromValue(QDBusObjectPath(QString::fromLatin1(kObjectPath)))));
    // A client that left before the watch began would otherwise hold the object for ever.
    if (!m_connection->interface()->isServiceRegistered(client)) ClientGone(client);
}

void DBusAutomation::ReleaseObject(const QDBusMessage& call) {
    if (!m_pProxy || call.service() != m_strClient) {
        Reply(
            call.createErrorReply(QString::fromLatin1(kErrorNoReference),
                                  QStringLiteral("The caller holds no reference to this object.")));
        return;
    }
    Reply(call.createReply());
    FinalRelease();
}

void DBusAutomation::ClientGone(const QString& client) {
    if (m_pProxy && client == m_strClient) FinalRelease();
}

void DBusAutomation::FinalRelease() {
    if (m_pClientWatcher) {
        // Only our own connection: the bus library watches the watcher's destruction to
        // drop its match rule. This may run inside the watcher's signal, hence later.
        QObject::disconnect(m_pClientWatcher, nullptr, m_pContext.get(), nullptr);
        m_pClientWatcher->deleteLater();
        m_pClientWatcher = nullptr;
    }
    m_connection->unregisterObject(QString::fromLatin1(kObjectPath));
    // Later: this may run inside the object's own Release.
    if (m_pObjectNode) m_pObjectNode->deleteLater();
    m_pObjectNode = nullptr;
    m_strClient.clear();
    // The last reference: a process the bus started ends here, unless a message box or the
    // about box is open.
    std::unique_ptr<wavepost::CMarlockDlgAutoProxy> proxy = std::move(m_pProxy);
    proxy.reset();
}

void DBusAutomation::Reply(const QDBusMessage& reply) {
    m_connection->send(reply);
}

}  // namespace platform::qt

#include "DBusAutomation.moc"
