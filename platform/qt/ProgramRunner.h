// Runs an outside program while the window goes on painting: the caller waits in a nested
// event loop, as under a modal message box, so the logic keeps its one-event-at-a-time
// shape without the window freezing.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "platform/Toolkit.h"

class QWidget;

namespace platform::qt {

struct RunRequest {
    QString program;
    QStringList arguments;
    QByteArray standardInput;
    QString progressText;  // shown in the progress window; none when empty
    int timeoutMs = 60000;
    int progressDelayMs = 400;  // a quick program shows no window at all
    bool keepOutput = true;     // else its standard output is thrown away
};

// The window passed takes no user input until the program has ended; the progress window
// is modal over it. "Annuler" stops the program and every process it started; a time-out
// stops the program itself (what it started for the user, a mail program say, stays).
ProgramRun RunAndWait(QWidget* window, const RunRequest& request);

}  // namespace platform::qt
