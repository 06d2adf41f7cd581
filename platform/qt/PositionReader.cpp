// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/PositionReader.h"

#include <QDateTime>
#include <QHostAddress>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <cmath>
#include <limits>

namespace platform::qt {

namespace {

// Another attempt this long after a failure; a connection not made within the timeout
// counts as one.
constexpr int kRetryMs = 5000;
constexpr int kConnectTimeoutMs = 5000;
constexpr int kAgeingMs = 1000;
// The daemon's reports are well under this; a longer line is not one of them.
constexpr qsizetype kMaxLine = 16384;
// Reports in JSON, not NMEA; the watch lasts as long as the connection.
constexpr char kWatch[] = "?WATCH={\"enable\":true,\"json\":true}\n";

double Number(const QJsonObject& object, const char* key) {
    const QJsonValue value = object.value(QLatin1String(key));
    return value.isDouble() ? value.toDouble() : std::numeric_limits<double>::quiet_NaN();
}

}  // namespace

PositionReader::PositionReader(std::function<void()> changed) : m_changed(std::move(changed)) {
    m_retry.setSingleShot(true);
    m_retry.setInterval(kRetryMs);
    m_timeout.setSingleShot(true);
    m_timeout.setInterval(kConnectTimeoutMs);
    m_ageing.setInterval(kAgeingMs);
    QObject::connect(&m_retry, &QTimer::timeout, &m_socket, [this] { Connect(); });
    QObject::connect(&m_timeout, &QTimer::timeout, &m_socket, [this] { Fail(); });
    QObject::connect(&m_ageing, &QTimer::timeout, &m_socket, [this] {
        if (m_changed) m_changed();
    });
    QObject::connect(&m_socket, &QTcpSocket::connected, &m_socket, [this] {
        m_timeout.stop();
        m_socket.write(kWatch);
        Set({PositionLink::Connected, false, {}});
    });
    QObject::connect(&m_socket, &QTcpSocket::readyRead, &m_socket, [this] { ReadLines(); });
    QObject::connect(&m_socket, &QAbstractSocket::errorOccurred, &m_socket, [this] { Fail(); });
    QObject::connect(&m_socket, &QAbstractSocket::disconnected, &m_socket, [this] { Fail(); });
}

void PositionReader::Watch(const QString& host, int port) {
    m_host = host;
    m_nPort = port;
    Connect();
}

PositionReader::~PositionReader() {
    m_socket.disconnect();
    m_retry.stop();
    m_timeout.stop();
    m_ageing.stop();
}

void PositionReader::Connect() {
    // Closing a connection still open is no failure of the new one.
    m_bRestarting = true;
    m_socket.abort();
    m_bRestarting = false;
    m_retry.stop();
    m_buffer.clear();
    m_bAttempting = true;
    // A daemon still unreachable stays so while it is tried again: the page does not
    // flicker between the two every few seconds.
    if (m_report.link != PositionLink::Unreachable) Set({PositionLink::Connecting, false, {}});
    m_timeout.start();
    // The usual case needs no name lookup (which runs in threads of Qt's own).
    if (m_host == QLatin1String("localhost"))
        m_socket.connectToHost(QHostAddress(QHostAddress::LocalHost),
                               static_cast<quint16>(m_nPort));
    else
        m_socket.connectToHost(m_host, static_cast<quint16>(m_nPort));
}

void PositionReader::Fail() {
    // Both the error and the disconnection of one failure arrive here: the first counts.
    if (m_bRestarting || !m_bAttempting) return;
    m_bAttempting = false;
    m_timeout.stop();
    m_buffer.clear();
    Set({PositionLink::Unreachable, false, {}});
    m_retry.start();
    // Closed later: aborting inside the socket's own signal is not allowed.
    QMetaObject::invokeMethod(
        &m_socket,
        [this] {
            if (!m_bAttempting) m_socket.abort();
        },
        Qt::QueuedConnection);
}

void PositionReader::ReadLines() {
    m_buffer += m_socket.readAll();
    bool changed = false;
    PositionReport report = m_report;
    for (qsizetype end = m_buffer.indexOf('\n'); end >= 0; end = m_buffer.indexOf('\n')) {
        const QByteArray line = m_buffer.left(end);
        m_buffer.remove(0, end + 1);
        PositionFix fix;
        if (line.size() <= kMaxLine && ReadTpv(line, fix)) {
            report.hasFix = true;
            report.fix = fix;
            changed = true;
        }
    }
    // A line that never ends is dropped, never kept growing.
    if (m_buffer.size() > kMaxLine) m_buffer.clear();
    if (changed) Set(report);
}

bool PositionReader::ReadTpv(const QByteArray& line, PositionFix& fix) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(line, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) return false;
    const QJsonObject object = document.object();
    if (object.value(QLatin1String("class")).toString() != QLatin1String("TPV")) return false;
    const double mode = Number(object, "mode");
    fix.mode = std::isfinite(mode) && mode >= 0 && mode <= 3 ? static_cast<int>(mode) : 0;
    // An ISO 8601 time in UTC; older daemons sent seconds since 1970.
    const QJsonValue timeValue = object.value(QLatin1String("time"));
    const QDateTime time = QDateTime::fromString(timeValue.toString(), Qt::ISODateWithMs);
    fix.time = timeValue.isDouble() ? timeValue.toDouble()
               : time.isValid()     ? static_cast<double>(time.toSecsSinceEpoch())
                                    : std::numeric_limits<double>::quiet_NaN();
    fix.latitude = Number(object, "lat");
    fix.longitude = Number(object, "lon");
    fix.track = Number(object, "track");
    fix.speed = Number(object, "speed");
    return true;
}

void PositionReader::Set(PositionReport report) {
    m_report = std::move(report);
    if (m_report.hasFix && !m_ageing.isActive()) m_ageing.start();
    if (!m_report.hasFix) m_ageing.stop();
    if (m_changed) m_changed();
}

}  // namespace platform::qt
