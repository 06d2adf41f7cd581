// SPDX-License-Identifier: GPL-3.0-or-later
// What the window's logic relies on from a toolkit, checked on the in-memory toolkit the
// logic tests run on and on the Qt front end alike: the logic tests are only as true as
// this likeness.
#include <signal.h>

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <functional>
#include <memory>

#include "app/layout/ResourceIds.h"
#include "platform/memory/MemoryToolkit.h"
#include "platform/qt/QtToolkit.h"

using enum wavepost::ControlId;
using platform::EventKind;
using platform::IToolkit;

namespace {

// Starts nothing, records every event.
struct RecordingLogic : platform::IWindowLogic {
    bool OnInitDialog() override { return true; }
    void OnEvent(const platform::Event& e) override { events.push_back(e); }
    void OnPaint(platform::IPainter&) override {}
    std::vector<platform::Event> events;
};

struct Opened {
    RecordingLogic logic;
    std::unique_ptr<IToolkit> toolkit;
    explicit Opened(const QString& kind) {
        if (kind == "memory") {
            auto memory = std::make_unique<platform::MemoryToolkit>();
            memory->RunModal(logic);
            toolkit = std::move(memory);
        } else {
            auto qt = std::make_unique<platform::qt::QtToolkit>();
            qt->Open(logic);
            toolkit = std::move(qt);
        }
    }
    ~Opened() {
        if (auto* qt = dynamic_cast<platform::qt::QtToolkit*>(toolkit.get())) qt->Detach();
    }
};

struct PaintCounter : QObject {
    int& count;
    explicit PaintCounter(int& c) : count(c) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++count;
        return false;
    }
};

// Alive and not a zombie waiting to be reaped.
bool ProcessRuns(const QByteArray& pid) {
    QFile stat(QStringLiteral("/proc/") + QString::fromLatin1(pid) + QStringLiteral("/stat"));
    if (!stat.open(QIODevice::ReadOnly)) return false;
    const QByteArray text = stat.readAll();
    const int close = text.lastIndexOf(')');
    return close > 0 && text.size() > close + 2 && text[close + 2] != 'Z';
}

// While it lives, records the mail URLs Qt would hand to the desktop, as the bytes it would
// hand over.
class UrlRecorder : public QObject {
    Q_OBJECT

  public slots:
    void Open(const QUrl& url) { opened.push_back(url.toEncoded().toStdString()); }

  public:
    UrlRecorder() { QDesktopServices::setUrlHandler(QStringLiteral("mailto"), this, "Open"); }
    ~UrlRecorder() override { QDesktopServices::unsetUrlHandler(QStringLiteral("mailto")); }
    std::vector<std::string> opened;
};

}  // namespace

class ToolkitContractTest : public QObject {
    Q_OBJECT

    static void Toolkits() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("memory") << QStringLiteral("memory");
        QTest::newRow("qt") << QStringLiteral("qt");
    }

  private slots:
    // Texts go in and come back byte for byte: UTF-8, Windows-1252 bytes from an older
    // installation, an empty text; and the program's own texts raise no Changed.
    void textsAndDropDownLists_data() { Toolkits(); }
    void textsAndDropDownLists() {
        QFETCH(QString, kind);
        Opened o(kind);
        IToolkit& tk = *o.toolkit;
        for (const std::string text : {"Été 45.5", "Caf\xE9 \x80", "", "a;b"}) {
            // an edit, a multi-line edit, a label
            for (int control : {IDC_LON1_EDIT, IDC_PRESENTATION_EDIT, IDC_COLUMN1_TITLE}) {
                tk.SetControlText(control, text);
                QCOMPARE(tk.GetControlText(control), text);
            }
        }
        tk.ComboReset(IDC_CURRENCY_COMBO);
        tk.ComboAddItem(IDC_CURRENCY_COMBO, "Euro");
        tk.ComboAddItem(IDC_CURRENCY_COMBO, "Dollar \xA4");
        QCOMPARE(tk.ComboGetCount(IDC_CURRENCY_COMBO), 2);
        QCOMPARE(tk.ComboGetSelection(IDC_CURRENCY_COMBO), -1);  // adding selects nothing
        QCOMPARE(tk.ComboGetItemText(IDC_CURRENCY_COMBO, 1), std::string("Dollar \xA4"));
        QCOMPARE(tk.ComboGetItemText(IDC_CURRENCY_COMBO, 2), std::string());
        tk.ComboSetSelection(IDC_CURRENCY_COMBO, 1);
        QCOMPARE(tk.ComboGetSelection(IDC_CURRENCY_COMBO), 1);
        tk.ComboSetSelection(IDC_CURRENCY_COMBO, 5);  // beyond the items: none
        QCOMPARE(tk.ComboGetSelection(IDC_CURRENCY_COMBO), -1);
        tk.ComboSetSelection(IDC_CURRENCY_COMBO, 0);
        tk.ComboReset(IDC_CURRENCY_COMBO);
        QCOMPARE(tk.ComboGetSelection(IDC_CURRENCY_COMBO), -1);
        QCOMPARE(tk.ComboGetCount(IDC_CURRENCY_COMBO), 0);
        QVERIFY(o.logic.events.empty());
    }

    void listsAndTabs_data() { Toolkits(); }
    void listsAndTabs() {
        QFETCH(QString, kind);
        Opened o(kind);
        IToolkit& tk = *o.toolkit;
        auto list = tk.CreatePageControl(platform::RuntimeControlKind::CheckList, 1000, "",
                                         {10, 10, 100, 100}, platform::kNoFont);
        QVERIFY(!tk.IsControlVisible(list));  // created hidden
        tk.CheckListAddItem(list, "vent");
        tk.CheckListAddItem(list, "temp\xE9rature");
        QCOMPARE(tk.CheckListGetCount(list), 2);
        QCOMPARE(tk.CheckListGetItemText(list, 1), std::string("temp\xE9rature"));
        QCOMPARE(tk.CheckListGetCheck(list, 0), 0);
        QVERIFY(tk.CheckListIsItemEnabled(list, 0));
        tk.CheckListSetCheck(list, 1, 1);
        tk.CheckListEnableItem(list, 1, false);
        QVERIFY(!tk.CheckListIsItemEnabled(list, 1));
        QCOMPARE(tk.CheckListGetCheck(list, 1), 1);  // greyed keeps its tick
        tk.CheckListSetCheck(list, 1, 0);            // the program may untick a greyed item
        QCOMPARE(tk.CheckListGetCheck(list, 1), 0);
        QCOMPARE(tk.CheckListGetCheck(list, 7), 0);  // beyond the items
        tk.CheckListReset(list);
        QCOMPARE(tk.CheckListGetCount(list), 0);
        tk.DestroyPageControl(list);

        for (int i = 0; i < 3; ++i) tk.ListViewInsertItem(IDC_MAP_LIST, i, "carte", i);
        QCOMPARE(tk.ListViewGetSelectionMark(IDC_MAP_LIST), -1);
        tk.ListViewSetSelectionMark(IDC_MAP_LIST, 2);
        tk.ListViewSelectItem(IDC_MAP_LIST, 0);  // selecting does not move the mark
        QCOMPARE(tk.ListViewGetSelectionMark(IDC_MAP_LIST), 2);

        QCOMPARE(tk.TabGetSelection(IDC_TAB_PAGES), -1);
        tk.TabInsert(IDC_TAB_PAGES, 0, "Zone");
        QCOMPARE(tk.TabGetSelection(IDC_TAB_PAGES), 0);  // the first tab is selected on insertion
        tk.TabInsert(IDC_TAB_PAGES, 1, "Param\xC3\xA8tres");
        tk.TabInsert(IDC_TAB_PAGES, 2, "Options");
        tk.TabSelect(IDC_TAB_PAGES, 2);
        QCOMPARE(tk.TabGetSelection(IDC_TAB_PAGES), 2);
        tk.TabSelect(IDC_TAB_PAGES, 0);
        QCOMPARE(tk.TabGetSelection(IDC_TAB_PAGES), 0);
        QVERIFY(o.logic.events.empty());
    }

    // The tip follows the pointer: what it does to the window must not come back as a
    // pointer event.
    void pointerTipRaisesNothing_data() { Toolkits(); }
    void pointerTipRaisesNothing() {
        QFETCH(QString, kind);
        Opened o(kind);
        IToolkit& tk = *o.toolkit;
        const platform::Rect map = tk.GetControlRect(IDC_MAP_FRAME);
        tk.ShowPointerTip(map.left + 10, map.top + 20,
                          "47\xC2\xB0"
                          "15'N 5\xC2\xB0"
                          "30'W");
        tk.ShowPointerTip(map.left + 11, map.top + 20,
                          "47\xC2\xB0"
                          "15'N 5\xC2\xB0"
                          "29'W");
        QTest::qWait(20);
        tk.HidePointerTip();
        tk.HidePointerTip();
        QTest::qWait(20);
        QVERIFY(o.logic.events.empty());
    }

    void buttonsAndVisibility_data() { Toolkits(); }
    void buttonsAndVisibility() {
        QFETCH(QString, kind);
        Opened o(kind);
        IToolkit& tk = *o.toolkit;
        const int group[] = {IDC_COMPRESSION_NONE_RADIO, IDC_COMPRESSION_ZIP_RADIO,
                             IDC_COMPRESSION_GZIP_RADIO, IDC_COMPRESSION_BZIP2_RADIO};
        for (int id : group) tk.SetCheck(id, 0);
        for (int id : group) QCOMPARE(tk.GetCheck(id), 0);  // none checked
        tk.SetCheck(IDC_COMPRESSION_GZIP_RADIO, 1);
        QCOMPARE(tk.GetCheck(IDC_COMPRESSION_GZIP_RADIO), 1);
        QCOMPARE(tk.GetCheck(IDC_COMPRESSION_ZIP_RADIO), 0);
        for (int state : {2, 1, 0}) {  // the check box shows all three states
            tk.SetCheck(IDC_ANTIMERIDIAN_CHECK, state);
            QCOMPARE(tk.GetCheck(IDC_ANTIMERIDIAN_CHECK), state);
        }
        QVERIFY(o.logic.events.empty());

        QVERIFY(!tk.IsControlVisible(IDC_MAP_WORLD_RADIO));  // hidden in the layout
        QVERIFY(tk.IsControlVisible(IDC_SEND_BUTTON));
        tk.ShowControl(IDC_SEND_BUTTON, false);
        QVERIFY(!tk.IsControlVisible(IDC_SEND_BUTTON));
        tk.ShowControl(IDC_SEND_BUTTON, true);
        QVERIFY(tk.IsControlVisible(IDC_SEND_BUTTON));
        const platform::Rect client = tk.GetClientRect();
        const platform::Rect send = tk.GetControlRect(IDC_SEND_BUTTON);
        QVERIFY(send.left >= 0 && send.right <= client.right && send.bottom <= client.bottom);
    }

    // While a program runs the window takes no input, as under a message box; afterwards
    // it does again.
    void noInputWhileAProgramRuns_data() { Toolkits(); }
    void noInputWhileAProgramRuns() {
        QFETCH(QString, kind);
        Opened o(kind);
        IToolkit& tk = *o.toolkit;
        QVERIFY(tk.IsWindowEnabled());
        std::vector<bool> enabledDuring;
        const auto look = [&] { enabledDuring.push_back(tk.IsWindowEnabled()); };
        if (auto* memory = dynamic_cast<platform::MemoryToolkit*>(&tk)) {
            memory->whileRunning = look;
            memory->runResult.exitStatus = 1;
        } else {
            // A click meanwhile changes no control: the logic would not hear of it.
            QTimer::singleShot(100, [&] {
                look();
                auto& qt = static_cast<platform::qt::QtToolkit&>(tk);
                QTest::mouseClick(qt.Widget(IDC_ANTIMERIDIAN_CHECK), Qt::LeftButton);
                QTest::mouseClick(qt.Widget(IDC_SEND_BUTTON), Qt::LeftButton);
            });
        }
        const std::string sh = tk.FindProgram("sh");
        const platform::ProgramRun run = tk.RunProgram({sh, "-c", "sleep 0.5; exit 1"}, "", "");
        QVERIFY(run.started && !run.Succeeded());
        QCOMPARE(run.exitStatus, 1);
        QCOMPARE(enabledDuring, std::vector<bool>{false});
        QVERIFY(tk.IsWindowEnabled());
        QCOMPARE(tk.GetCheck(IDC_ANTIMERIDIAN_CHECK), 0);
        QVERIFY(o.logic.events.empty());
    }

    // A long run: the window goes on painting, a progress window comes after a moment, and
    // its "Annuler" stops the program and what it started (the opener's mail program); a
    // time-out stops the program.
    void aLongRunCanBeStoppedAndTheWindowPaints() {
        Opened o(QStringLiteral("qt"));
        auto& qt = static_cast<platform::qt::QtToolkit&>(*o.toolkit);
        qt.Window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&qt.Window()));
        int paints = 0;
        PaintCounter counter(paints);
        qt.Window().installEventFilter(&counter);
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&] { qt.Window().update(); });
        ticker.start(50);
        QString shown;
        QTimer::singleShot(1500, [&] {
            for (QWidget* top : QApplication::topLevelWidgets()) {
                if (top == &qt.Window() || !top->isVisible()) continue;
                for (QLabel* label : top->findChildren<QLabel*>()) shown += label->text();
                for (QPushButton* button : top->findChildren<QPushButton*>())
                    if (button->text() == QStringLiteral("Annuler")) button->click();
            }
        });
        QTemporaryDir dir;
        const std::string pidFile = dir.path().toStdString() + "/child";
        // A program that starts another, as an opener starts the mail program.
        const std::vector<std::string> opener = {qt.FindProgram("sh"), "-c",
                                                 "sleep 30 & echo $! > \"$0\"; wait", pidFile};
        const platform::ProgramRun run =
            qt.RunProgram(opener, "", "Remise de la commande \xC3\xA0 Pat...");
        QVERIFY(run.started && run.cancelled && !run.Succeeded());
        QCOMPARE(shown, QStringLiteral("Remise de la commande à Pat..."));
        QVERIFY2(paints >= 10, qPrintable(QString::number(paints)));
        QFile child(QString::fromStdString(pidFile));
        QVERIFY(child.open(QIODevice::ReadOnly));
        const QByteArray pid = child.readAll().trimmed();
        QTRY_VERIFY(!ProcessRuns(pid));
        ticker.stop();

        // A time-out stops the program and ends the wait, though the mail program it started
        // (the sailor may be writing in it) lives on and holds its output.
        qt.SetRunTimeouts(300, 300);
        const platform::ProgramRun stuck = qt.RunProgram(opener, "", "");
        QVERIFY(stuck.started && stuck.timedOut && !stuck.Succeeded());
        QCOMPARE(stuck.exitStatus, -1);
        child.close();
        QVERIFY(child.open(QIODevice::ReadOnly));
        const QByteArray started = child.readAll().trimmed();
        QVERIFY(ProcessRuns(started));
        ::kill(started.toInt(), SIGKILL);
    }

    // A mail URL reaches the opener in exactly the bytes its copy holds: one the Qt front
    // end would write otherwise (a blank, a byte outside ASCII, an escaped letter) is
    // refused, by both toolkits, and nothing is opened.
    void mailUrlsAreHandedOverAsTheyAre_data() { Toolkits(); }
    void mailUrlsAreHandedOverAsTheyAre() {
        QFETCH(QString, kind);
        Opened o(kind);
        // Qt hands mailto: URLs to this handler instead of the desktop's opener.
        UrlRecorder recorder;
        const std::string good =
            "mailto:a@example.org?subject=Grib&body=A%201%0AP%20HT%3D1%20%3Cx%3E%C3%A9";
        QVERIFY(o.toolkit->ShellOpen(good, platform::ShowState::Normal));
        for (const char* url :
             {"mailto:a@example.org?body=a b", "mailto:a@example.org?body=\xC3\xA9",
              "mailto:a@example.org?body=%41", "mailto:a b@example.org"})
            QVERIFY2(!o.toolkit->ShellOpen(url, platform::ShowState::Normal), url);
        std::vector<std::string> opened = recorder.opened;
        if (auto* memory = dynamic_cast<platform::MemoryToolkit*>(o.toolkit.get()))
            for (const auto& [url, show] : memory->opened) opened.push_back(url);
        QCOMPARE(opened, std::vector<std::string>{good});
    }

    // The in-memory toolkit answers runs from a script; what that script may assume of a
    // real program run is checked here, with programs any system has on its PATH.
    void programsRunWithAnArgumentVector() {
        Opened o(QStringLiteral("qt"));
        IToolkit& tk = *o.toolkit;
        const std::string cmp = tk.FindProgram("cmp");
        QVERIFY(cmp.size() > 4 && cmp.front() == '/' && cmp.ends_with("/cmp"));
        QCOMPARE(tk.FindProgram("wavepost-no-such-program"), std::string());

        // A file name a shell would split and run a command from reaches the program whole.
        QTemporaryDir dir;
        const QString name = dir.path() + QStringLiteral("/a b;$(touch x)'\"");
        QFile file(name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("line 1\nline 2\n");
        file.close();
        const std::string path = name.toStdString();
        struct Row {
            std::string standardInput;
            int exitStatus;
            bool saysWhy;  // on standard error, in the user's language
        } rows[] = {
            {"line 1\nline 2\n", 0, false},
            {"line 1\n", 1, true},
        };
        for (const Row& row : rows) {
            const platform::ProgramRun run = tk.RunProgram({cmp, "-", path}, row.standardInput, "");
            QVERIFY(run.started && !run.timedOut);
            QCOMPARE(run.exitStatus, row.exitStatus);
            QCOMPARE(!run.errorText.empty(), row.saysWhy);
        }
        QVERIFY(!QFile::exists(dir.path() + QStringLiteral("/x")));

        // A program that reads none of a long text ends all the same, and so does the caller.
        const platform::ProgramRun deaf =
            tk.RunProgram({tk.FindProgram("true")}, std::string(1 << 22, 'x'), "");
        QVERIFY(deaf.started && !deaf.timedOut);
        QCOMPARE(deaf.exitStatus, 0);

        const platform::ProgramRun missing =
            tk.RunProgram({dir.path().toStdString() + "/none"}, "", "");
        QVERIFY(!missing.started);
        QVERIFY(!missing.errorText.empty());
    }
};

QTEST_MAIN(ToolkitContractTest)
#include "toolkit_contract_test.moc"
