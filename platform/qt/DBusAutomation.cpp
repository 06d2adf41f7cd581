#include "platform/qt/DBusAutomation.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
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

// One object on the bus. Its one method is handed to the runtime on the user-interface
// thread (the bus delivers calls on its own thread), one request at a time between the
// window's events.
class Node : public QDBusVirtualObject {
  public:
    using Handler = void (DBusAutomation::*)(const QDBusMessage&);

    Node(DBusAutomation& runtime, QObject& context, QStringList interfaces, QString method,
         Handler handler, QString introspection)
        : m_runtime(runtime),
          m_context(context),
          m_interfaces(std::move(interfaces)),
          m_strMethod(std::move(method)),
          m_handler(handler),
          m_strIntrospection(std::move(introspection)) {}

    QString introspect(const QString&) const override { return m_strIntrospection; }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        if (message.type() != QDBusMessage::MethodCallMessage) return false;
        const QString interface = message.interface();
        if (interface == QLatin1String("org.freedesktop.DBus.Properties"))
            return AnswerProperties(message, connection);
        // The other standard interfaces (introspection, peer) stay with the bus library.
        if (!interface.isEmpty() && !m_interfaces.contains(interface)) return false;
        const bool ours = interface.isEmpty() || interface == m_interfaces.last();
        if (!ours || message.member() != m_strMethod) {
            connection.send(message.createErrorReply(
                QDBusError::UnknownMethod,
                QStringLiteral("No method %1 in %2").arg(message.member(), interface)));
            return true;
        }
        if (!message.signature().isEmpty()) {
            connection.send(message.createErrorReply(
                QDBusError::InvalidArgs, QStringLiteral("%1 takes no arguments").arg(m_strMethod)));
            return true;
        }
        QMetaObject::invokeMethod(
            &m_context,
            [runtime = &m_runtime, handler = m_handler, message] { (runtime->*handler)(message); },
            Qt::QueuedConnection);
        return true;
    }

  private:
    // Our interfaces have no properties: all of them is none, and no name is one.
    bool AnswerProperties(const QDBusMessage& message, const QDBusConnection& connection) {
        const QList<QVariant> arguments = message.arguments();
        if (arguments.isEmpty() || !m_interfaces.contains(arguments.first().toString()))
            return false;
        if (message.member() == QLatin1String("GetAll"))
            connection.send(message.createReply(QVariant::fromValue(QVariantMap())));
        else
            connection.send(message.createErrorReply(
                QDBusError::UnknownProperty,
                QStringLiteral("%1 has no properties").arg(arguments.first().toString())));
        return true;
    }

    DBusAutomation& m_runtime;
    QObject& m_context;
    QStringList m_interfaces;  // the last one holds the method
    QString m_strMethod;
    Handler m_handler;
    QString m_strIntrospection;
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
    m_pContext.reset();
    m_pClientWatcher = nullptr;
    if (m_connection) {
        m_connection->unregisterObject(QString::fromLatin1(kObjectPath));
        m_connection->unregisterObject(QString::fromLatin1(kFactoryPath));
    }
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
    m_pFactoryNode = std::make_unique<Node>(
        *this, *m_pContext, QStringList{QString::fromLatin1(kFactoryInterface)},
        QStringLiteral("CreateInstance"), &DBusAutomation::CreateObject,
        QStringLiteral("<interface name=\"%1\">\n"
                       "  <method name=\"CreateInstance\">\n"
                       "    <arg name=\"object\" type=\"o\" direction=\"out\"/>\n"
                       "  </method>\n"
                       "</interface>\n")
            .arg(QString::fromLatin1(kFactoryInterface)));
    if (!m_connection->registerVirtualObject(path, m_pFactoryNode.get())) {
        m_pFactoryNode.reset();
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
        m_pFactoryNode.reset();
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
    m_pObjectNode =
        std::make_unique<Node>(*this, *m_pContext,
                               QStringList{QString::fromLatin1(kDispatchInterface),
                                           QString::fromLatin1(kReferenceInterface)},
                               QStringLiteral("Release"), &DBusAutomation::ReleaseObject,
                               QStringLiteral("<interface name=\"%1\"/>\n"
                                              "<interface name=\"%2\">\n"
                                              "  <method name=\"Release\"/>\n"
                                              "</interface>\n")
                                   .arg(QString::fromLatin1(kDispatchInterface),
                                        QString::fromLatin1(kReferenceInterface)));
    m_connection->registerVirtualObject(QString::fromLatin1(kObjectPath), m_pObjectNode.get());
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
    m_pObjectNode.reset();
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
