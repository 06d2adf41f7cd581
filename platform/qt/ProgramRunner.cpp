#include "platform/qt/ProgramRunner.h"

#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "app/layout/StringTable.h"
#include "platform/qt/TextCodec.h"
#include "platform/qt/Translation.h"

namespace platform::qt {

namespace {

// Until the progress window shows, the user's input to the window is dropped here, so a
// second "Envoi" pressed meanwhile does nothing; painting goes on.
class InputBlocker : public QObject {
  public:
    explicit InputBlocker(QWidget* window) : m_pWindow(window) { qApp->installEventFilter(this); }
    ~InputBlocker() override { qApp->removeEventFilter(this); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
            case QEvent::Wheel:
            case QEvent::Shortcut:
            case QEvent::ShortcutOverride:
            case QEvent::Close:
                break;
            default:
                return false;
        }
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || !m_pWindow || widget->window() != m_pWindow) return false;
        event->ignore();
        return true;
    }

  private:
    QPointer<QWidget> m_pWindow;
};

// The program runs in a process group of its own, so that "Annuler" reaches what it
// started too (the opener runs the mail program as its child).
void StopGroup(const QProcess& process) {
    const qint64 pid = process.processId();
    if (pid > 0) ::kill(static_cast<pid_t>(-pid), SIGKILL);
}

}  // namespace

ProgramRun RunAndWait(QWidget* window, const RunRequest& request) {
    ProgramRun run;
    QProcess process;
    process.setChildProcessModifier([] { ::setsid(); });
    if (!request.keepOutput) process.setStandardOutputFile(QProcess::nullDevice());
    InputBlocker blocker(window);
    QEventLoop loop;
    bool ended = false;
    const auto end = [&] {
        ended = true;
        loop.quit();
    };
    QObject::connect(&process, &QProcess::finished, &loop, end);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) end();
    });
    QObject::connect(&process, &QProcess::started, &loop, [&] {
        run.started = true;
        process.write(request.standardInput);
        process.closeWriteChannel();
    });

    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, &loop, [&] {
        run.timedOut = true;
        process.kill();
    });

    // The progress window, modal over the main window, shown after a moment.
    QDialog progress(window && window->isVisible() ? window : nullptr);
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setWindowTitle(QFileInfo(QCoreApplication::applicationFilePath()).baseName());
    auto* layout = new QVBoxLayout(&progress);
    layout->addWidget(new QLabel(request.progressText, &progress));
    auto* cancel =
        new QPushButton(Shown(wavepost::LoadString(wavepost::IDS_PROGRESS_CANCEL)), &progress);
    layout->addWidget(cancel, 0, Qt::AlignRight);
    const auto stop = [&] {
        if (ended || run.cancelled) return;
        run.cancelled = true;
        StopGroup(process);
        process.kill();
    };
    QObject::connect(cancel, &QPushButton::clicked, &loop, stop);
    // Escape or the close button of the progress window stop the program too.
    QObject::connect(&progress, &QDialog::rejected, &loop, stop);
    QTimer showProgress;
    showProgress.setSingleShot(true);
    QObject::connect(&showProgress, &QTimer::timeout, &loop, [&] {
        if (!ended && !request.progressText.isEmpty()) progress.show();
    });

    process.start(request.program, request.arguments);
    timeout.start(request.timeoutMs);
    showProgress.start(request.progressDelayMs);
    // Only the program's end leaves the loop: a stopped program is waited for until its
    // end is seen.
    if (!ended) loop.exec();
    timeout.stop();
    showProgress.stop();
    progress.hide();

    if (!run.started) {
        run.errorText = Encode(process.errorString());
        return run;
    }
    if (!run.timedOut && !run.cancelled && process.exitStatus() == QProcess::NormalExit)
        run.exitStatus = process.exitCode();
    run.errorText = process.readAllStandardError().toStdString();
    if (request.keepOutput) run.standardOutput = process.readAllStandardOutput().toStdString();
    return run;
}

}  // namespace platform::qt
