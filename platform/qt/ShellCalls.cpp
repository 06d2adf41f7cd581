// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop around the window: opening mail URLs and documents, the clipboard, the
// folder for request copies and the programs orders are handed to.
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMimeDatabase>
#include <QStandardPaths>
#include <QUrl>
#include <optional>

#include "app/layout/StringTable.h"
#include "base/XdgFolders.h"
#include "platform/qt/PositionReader.h"
#include "platform/qt/ProgramRunner.h"
#include "platform/qt/QtToolkit.h"
#include "platform/qt/TextCodec.h"
#include "platform/qt/Translation.h"

namespace platform::qt {

// --- shell -------------------------------------------------------------------------

// The desktop's default program for a type as xdg-mime names it: empty for none, nothing
// when it cannot be asked.
std::optional<QByteArray> QtToolkit::DefaultProgram(const QString& type) {
    RunRequest request;
    request.program = QStringLiteral("xdg-mime");
    request.arguments = {QStringLiteral("query"), QStringLiteral("default"), type};
    request.progressText = Shown(wavepost::LoadString(wavepost::IDS_PROGRESS_MAIL_HANDLER));
    request.timeoutMs = m_nRunTimeoutMs;
    const ProgramRun run = Run(request);
    if (!run.Succeeded()) return std::nullopt;
    return QByteArray::fromStdString(run.standardOutput).trimmed();
}

// The opener runs detached and fails unseen when no program takes a document, so it is
// asked beforehand: a default program for the document's type, else the web browser the
// opener falls back on. When nobody can be asked, the opening decides.
bool QtToolkit::HasViewerFor(const QString& path) {
    const std::optional<QByteArray> program =
        DefaultProgram(QMimeDatabase().mimeTypeForFile(path).name());
    if (!program || !program->isEmpty()) return true;
    if (!qEnvironmentVariableIsEmpty("BROWSER")) return true;
    for (const char* browser : {"x-www-browser", "www-browser"})
        if (!QStandardPaths::findExecutable(QString::fromLatin1(browser)).isEmpty()) return true;
    return false;
}

ProgramRun QtToolkit::Run(const RunRequest& request) {
    CheckNotPainting("RunProgram");
    // The window takes no input meanwhile, as under a message box.
    ++m_nModalDepth;
    const ProgramRun run = RunAndWait(m_pDialog, request);
    --m_nModalDepth;
    FlushPending();
    return run;
}

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

bool QtToolkit::HasMailHandler() {
    if (m_mailHandlerCheck) return m_mailHandlerCheck();
    const std::optional<QByteArray> program =
        DefaultProgram(QStringLiteral("x-scheme-handler/mailto"));
    return !program || !program->isEmpty();  // no way to ask: let the opening decide
}

ProgramRun QtToolkit::OpenMailUrl(const std::string& url, const std::string& progressText) {
    RunRequest request;
    request.program = QStringLiteral("xdg-open");
    // The URL's bytes as they are: the opener's argument is encoded back to them.
    request.arguments = {QString::fromLocal8Bit(url)};
    request.progressText = Shown(progressText);
    request.timeoutMs = m_nOpenerTimeoutMs;
    request.keepOutput = false;
    return Run(request);
}

void QtToolkit::SetClipboardText(const std::string& text) {
    QGuiApplication::clipboard()->setText(Decode(text));
}

std::string QtToolkit::PickFolder(const std::string& title, const std::string& startFolder) {
    CheckNotPainting("PickFolder");
    ++m_nModalDepth;
    const QString folder =
        QFileDialog::getExistingDirectory(m_pDialog, Shown(title), Decode(startFolder));
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
                                 const std::string& standardInput,
                                 const std::string& progressText) {
    if (argv.empty()) return {};
    RunRequest request;
    request.program = Decode(argv[0]);
    for (std::size_t i = 1; i < argv.size(); ++i) request.arguments << Decode(argv[i]);
    request.standardInput = QByteArray::fromStdString(standardInput);
    request.progressText = Shown(progressText);
    request.timeoutMs = m_nRunTimeoutMs;
    return Run(request);
}

int QtToolkit::ChooseItem(const std::string& text, const std::vector<std::string>& items) {
    CheckNotPainting("ChooseItem");
    QStringList names;
    for (const std::string& item : items) names << Decode(item);
    bool ok = false;
    ++m_nModalDepth;
    const QString chosen = QInputDialog::getItem(
        m_pDialog, QFileInfo(QCoreApplication::applicationFilePath()).baseName(), Shown(text),
        names, 0, false, &ok);
    --m_nModalDepth;
    FlushPending();
    return ok ? static_cast<int>(names.indexOf(chosen)) : -1;
}

void QtToolkit::WatchPosition(const std::string& host, int port) {
    if (!m_bPositionFollowed) return;
    if (!m_pPositionReader)
        m_pPositionReader =
            std::make_unique<PositionReader>([this] { Deliver({EventKind::PositionChanged}); });
    m_pPositionReader->Watch(QString::fromStdString(host), port);
}

PositionReport QtToolkit::LatestPosition() const {
    return m_pPositionReader ? m_pPositionReader->Report() : PositionReport{};
}

}  // namespace platform::qt
