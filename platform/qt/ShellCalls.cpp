// The desktop around the window: opening mail URLs and documents, the clipboard, the
// folder for request copies and the programs orders are handed to.
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <optional>

#include "app/XdgFolders.h"
#include "platform/qt/QtToolkit.h"
#include "platform/qt/TextCodec.h"

namespace platform::qt {

// --- shell -------------------------------------------------------------------------

namespace {

// The desktop's default program for a type as xdg-mime names it: empty for none, nothing
// when it cannot be asked.
std::optional<QByteArray> DefaultProgram(const QString& type) {
    QProcess query;
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"), type});
    if (!query.waitForStarted(3000)) return std::nullopt;
    query.waitForFinished(5000);
    return query.readAllStandardOutput().trimmed();
}

// A program taking an order answers in a second; one that has not ended by then is stuck
// (waiting on a terminal, a lock), and the window cannot stay frozen for it.
constexpr int kRunTimeoutMs = 60000;
constexpr int kStartTimeoutMs = 10000;

// The opener runs detached and fails unseen when no program takes a document, so it is
// asked beforehand: a default program for the document's type, else the web browser the
// opener falls back on. When nobody can be asked, the opening decides.
bool HasViewerFor(const QString& path) {
    const std::optional<QByteArray> program =
        DefaultProgram(QMimeDatabase().mimeTypeForFile(path).name());
    if (!program || !program->isEmpty()) return true;
    if (!qEnvironmentVariableIsEmpty("BROWSER")) return true;
    for (const char* browser : {"x-www-browser", "www-browser"})
        if (!QStandardPaths::findExecutable(QString::fromLatin1(browser)).isEmpty()) return true;
    return false;
}

}  // namespace

bool QtToolkit::ShellOpen(const std::string& target, ShowState) {
    // The logic hands over a mail URL already encoded, plain ASCII, and its copy holds the
    // same bytes: the opener must get exactly these, so a URL that Qt would write back
    // otherwise is refused rather than changed.
    if (target.rfind("mailto:", 0) == 0) {
        const QByteArray bytes = QByteArray::fromStdString(target);
        const QUrl url = QUrl::fromEncoded(bytes, QUrl::StrictMode);
        if (!url.isValid() || url.toEncoded() != bytes) return false;
        return QDesktopServices::openUrl(url);
    }
    const QString path = QFileInfo(Decode(target)).absoluteFilePath();
    if (!HasViewerFor(path)) return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool QtToolkit::HasMailHandler() const {
    if (m_mailHandlerCheck) return m_mailHandlerCheck();
    const std::optional<QByteArray> program =
        DefaultProgram(QStringLiteral("x-scheme-handler/mailto"));
    return !program || !program->isEmpty();  // no way to ask: let the opening decide
}

void QtToolkit::SetClipboardText(const std::string& text) {
    QGuiApplication::clipboard()->setText(Decode(text));
}

std::string QtToolkit::PickFolder(const std::string& title, const std::string& startFolder) {
    CheckNotPainting("PickFolder");
    ++m_nModalDepth;
    const QString folder =
        QFileDialog::getExistingDirectory(m_pDialog, Decode(title), Decode(startFolder));
    --m_nModalDepth;
    FlushPending();
    return folder.isEmpty() ? std::string() : Encode(folder);
}

std::string QtToolkit::SystemDirectory() const {
    const std::string dir = wavepost::StateFolderFromEnvironment();
    if (dir.empty() || !QDir().mkpath(QFile::decodeName(QByteArray::fromStdString(dir)))) return {};
    return dir;
}

std::string QtToolkit::SettingsDirectory() const {
    return wavepost::ConfigFolderFromEnvironment();
}

std::string QtToolkit::FindProgram(const std::string& name) const {
    return Encode(QStandardPaths::findExecutable(Decode(name)));
}

ProgramRun QtToolkit::RunProgram(const std::vector<std::string>& argv,
                                 const std::string& standardInput) {
    CheckNotPainting("RunProgram");
    ProgramRun run;
    if (argv.empty()) return run;
    QStringList arguments;
    for (std::size_t i = 1; i < argv.size(); ++i) arguments << Decode(argv[i]);
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(Decode(argv[0]), arguments);
    if (!process.waitForStarted(kStartTimeoutMs)) {
        run.errorText = Encode(process.errorString());
        return run;
    }
    run.started = true;
    process.write(QByteArray::fromStdString(standardInput));
    process.closeWriteChannel();
    if (!process.waitForFinished(kRunTimeoutMs)) {
        process.kill();
        process.waitForFinished(kStartTimeoutMs);
        run.timedOut = true;
    } else if (process.exitStatus() == QProcess::NormalExit) {
        run.exitStatus = process.exitCode();
    }
    run.errorText = process.readAllStandardError().toStdString();
    return run;
}

}  // namespace platform::qt
