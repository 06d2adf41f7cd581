// SPDX-License-Identifier: GPL-3.0-or-later
// Follows the position daemon (gpsd) over its JSON protocol on TCP: asks it to watch,
// keeps the latest TPV report, and connects again after a failure. Everything runs on the
// event loop: nothing here ever waits for the daemon.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTcpSocket>
#include <QTimer>
#include <functional>

#include "platform/Toolkit.h"

namespace platform::qt {

class PositionReader {
  public:
    // changed runs after every change of the report, and every second while a fix is held,
    // so that one growing old is seen as such even when the daemon says nothing more.
    explicit PositionReader(std::function<void()> changed);
    ~PositionReader();
    PositionReader(const PositionReader&) = delete;
    PositionReader& operator=(const PositionReader&) = delete;

    void Watch(const QString& host, int port);
    const PositionReport& Report() const { return m_report; }

    // Reads one line of the daemon's JSON into the report; false when it is not a TPV
    // report (another class, or not JSON at all).
    static bool ReadTpv(const QByteArray& line, PositionFix& fix);

  private:
    void Connect();
    void Fail();
    void ReadLines();
    void Set(PositionReport report);

    std::function<void()> m_changed;
    QString m_host;
    int m_nPort = 0;
    QTcpSocket m_socket;
    QTimer m_retry;    // the next attempt after a failure
    QTimer m_timeout;  // a connection that neither succeeds nor fails
    QTimer m_ageing;   // a fix held while the daemon is silent grows old all the same
    QByteArray m_buffer;
    bool m_bRestarting = false;
    bool m_bAttempting = false;  // connecting or connected: the next failure counts
    PositionReport m_report;
};

}  // namespace platform::qt
