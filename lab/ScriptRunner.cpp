#include "lab/ScriptRunner.h"

#include <QApplication>
#include <QTest>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sys/wait.h>

#include "app/Globals.h"
#include "app/InstallSetupApp.h"
#include "controls/MyComboBox.h"
#include "controls/MyListCtrl.h"
#include "dialogs/EULADlg.h"
#include "dialogs/MhtViewer.h"
#include "diag/LogMsg.h"
#include "framework/Controls.h"
#include "framework/Framework.h"
#include "lab/ChildProcess.h"
#include "lab/LayoutAudit.h"
#include "lab/RunReport.h"
#include "lab/OnScreen.h"
#include "lab/PngFile.h"
#include "platform/Text.h"
#include "runtime/Runtime.h"
#include "wizard/SetupDlg.h"
#include "wps/WpsPin.h"

namespace lab {

namespace {

constexpr long long kDefaultWaitMs = 10 * 60 * 1000;
// How long the wizard must stay at rest to count as settled: longer than the adapter
// monitor's look every 2 s, so that a pull just before the end is still seen.
constexpr long long kSettleQuietMs = 5000;
// The worker that watches the adapter runs for as long as the adapter is there, by design.
constexpr const char* kAdapterMonitorName = "WiFiAdapterMonitorThreadProc";
// The timers of the wizard's steps (every one but the connected mark's refresh).
constexpr UINT_PTR kStepTimers[] = {TimerDriverAnimation, TimerScanEnd, TimerAdapterDetection, TimerWpsPin,
                                    TimerConnect, TimerHiddenConnect};
// Real milliseconds a window manager may take to give a newly shown window the focus
// (a busy machine makes it slow).
constexpr int kRealFocusWaitMs = 15000;

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

// The window the person addresses: the top-most modal dialog.
CDialogEx* Active() { return CDialogEx::ActiveWindow(); }

std::string ActiveName()
{
    CDialogEx* a = Active();
    return a ? a->ClassName() : "no window";
}

// A modal dialog other than the wizard itself.
CDialogEx* OpenDialog()
{
    const auto& stack = CDialogEx::ModalStack();
    if (stack.size() < 2) return nullptr;
    return stack.back();
}

Qt::Key QtKey(Key k)
{
    switch (k) {
    case Key::Enter: return Qt::Key_Return;
    case Key::Escape: return Qt::Key_Escape;
    case Key::Space: return Qt::Key_Space;
    case Key::Tab: return Qt::Key_Tab;
    case Key::Up: return Qt::Key_Up;
    case Key::Down: return Qt::Key_Down;
    case Key::Home: return Qt::Key_Home;
    case Key::End: return Qt::Key_End;
    case Key::Backspace: return Qt::Key_Backspace;
    case Key::AltF4: return Qt::Key_F4;
    }
    return Qt::Key_Space;
}

// Where keys go: the focused control of the active window, else the window itself.
QWidget* KeyTarget()
{
    CDialogEx* a = Active();
    if (!a || !a->Widget()) return nullptr;
    QWidget* focus = QApplication::focusWidget();
    if (focus && focus->window() == a->Widget()) return focus;
    QWidget* inner = a->Widget()->focusWidget();
    return inner ? inner : a->Widget();
}

std::string StateText()
{
    CSetupDlg* wizard = CInstallSetupApp::RunningWizard();
    return wizard ? std::to_string(wizard->m_nState.load()) : "none (the program has ended)";
}

// The state, the open dialogs and the process-wide values result.txt records. On the UI
// thread, or while it is blocked for good.
std::string FinalStateText()
{
    std::string text = "state: " + StateText() + "\n";
    std::string dialogs;
    for (CDialogEx* d : CDialogEx::ModalStack()) dialogs += std::string(dialogs.empty() ? "" : " > ") + d->ClassName();
    text += "windows: " + (dialogs.empty() ? std::string("none") : dialogs) + "\n";
    text += "error-index: " + std::to_string(g_nErrorIndex.load()) + "\n";
    text += "language: " + std::to_string(g_nUiLanguage.load()) + "\n";
    std::string workers;
    for (const std::string& name : rt::RunningWorkerNames())
        if (!sim::SimHardware::IsOwnThread(name)) workers += (workers.empty() ? "" : ", ") + name;
    text += "workers: " + (workers.empty() ? std::string("none") : workers) + "\n";
    return text;
}

// On the UI thread: whether the wizard waits for the person (or has ended), with no step
// of it at work; what is at work otherwise.
bool WizardAtRest(std::string& busy)
{
    CSetupDlg* wizard = CInstallSetupApp::RunningWizard();
    if (!wizard) return true;
    switch (wizard->m_nState.load()) {
    case StateInstallDriver: case StateCheckSystem: case StateInsertAdapter: case StateScanning: case StateConnecting:
        busy = "state " + std::to_string(wizard->m_nState.load());
        return false;
    default:
        break;
    }
    for (UINT_PTR id : kStepTimers)
        if (wizard->HasTimer(id)) {
            busy = "timer " + std::to_string(id);
            return false;
        }
    if (g_bWorkerRunning || g_bScanning) {
        busy = g_bWorkerRunning ? "g_bWorkerRunning" : "g_bScanning";
        return false;
    }
    for (const std::string& name : rt::RunningWorkerNames())
        if (name != kAdapterMonitorName && !sim::SimHardware::IsOwnThread(name)) {
            busy = name;
            return false;
        }
    return true;
}

}  // namespace

ScriptRunner::ScriptRunner(Script script, sim::SimPC& pc, HostOptions options)
    : m_script(std::move(script)), m_pc(pc), m_options(std::move(options)), m_host([&pc] { pc.BeginProcess(); })
{
    if (m_options.out) {
        m_out = *m_options.out;
        std::error_code ec;  // made before the run; a folder that went meanwhile takes no screenshots
        std::filesystem::create_directories(m_out, ec);
    }
}

int ScriptRunner::Run()
{
    rt::SetDeadlockHandler([this](const std::string& what) { ReportDeadlock(what); });
    rt::Worker person;
    person.Start("person", [this] { PersonMain(); }, true);
    std::string commandLine = m_options.commandLine;
    for (;;) {
        m_bProcessEnded = false;
        m_host.RunProcess(commandLine);
        m_bProcessEnded = true;
        while (!m_bStartRequested && !m_bFinished) rt::PumpStep(true);
        if (m_bFinished) break;
        m_bStartRequested = false;
        commandLine = m_nextCommandLine;
    }
    person.Join();
    rt::RequestShutdown(false);
    WriteResult();
    if (!m_failures.empty()) std::fprintf(stderr, "replay: %s\n", Replay().c_str());
    return m_failures.empty() ? 0 : 1;
}

std::string ScriptRunner::Replay() const
{
    return ReplayCommand(m_options, std::filesystem::read_symlink("/proc/self/exe").string());
}

void ScriptRunner::ReportDeadlock(const std::string& what)
{
    // Every participant is blocked for good: nothing else runs while this writes.
    int line = m_nCurrentLine;
    std::string where = m_script.fileName + (line > 0 ? ":" + std::to_string(line) : " (before its first line)");
    m_failures.push_back(where + ": the run cannot go on: " + what);
    m_finalState = FinalStateText();
    std::string log = LogText();
    RunReport report = Report();
    AddExitReport(report);
    WriteRunFiles(m_out, report, &log);
    std::fprintf(stderr, "%s\nreplay: %s\n", m_failures.back().c_str(), Replay().c_str());
}

RunReport ScriptRunner::Report() const
{
    RunReport report;
    report.passed = m_failures.empty();
    report.script = m_script.fileName;
    report.scenario = m_pc.GetScenario().name + " (" + m_pc.GetScenario().sourceFile + ")";
    report.runs = m_host.RunCount();
    report.finalState = m_timing + m_finalState;
    report.failures = m_failures;
    report.replay = Replay();
    report.seed = SeedText(m_options);
    return report;
}

void ScriptRunner::PersonMain()
{
    rt::WaitUiIdle(-1);
    for (const ScriptLine& line : m_script.lines) {
        m_nCurrentLine = line.line;
        Outcome o = Execute(line);
        if (!o.ok) {
            std::string message = m_script.fileName + ":" + std::to_string(line.line) + ": " + o.message;
            m_failures.push_back(message);
            std::fprintf(stderr, "%s\n  line: %s\n", message.c_str(), line.source.c_str());
            break;
        }
    }
    m_timing = "ended at: " + std::to_string(rt::NowMs()) + " ms\n";
    if (m_options.settleMs) Settle();
    // After the last line the program is stopped as at system shut-down.
    std::string finalState;
    rt::SendToUi([&] { finalState = FinalStateText(); });
    m_finalState = finalState;
    m_bFinished = true;
    rt::RequestShutdown(true);
    rt::PostToUi([] {});
}

void ScriptRunner::Settle()
{
    const std::int64_t deadline = rt::NowMs() + *m_options.settleMs;
    std::int64_t restingSince = -1;
    std::string busy;
    for (;;) {
        bool resting = false;
        rt::SendToUi([&] { resting = WizardAtRest(busy); });
        std::int64_t now = rt::NowMs();
        if (!resting) restingSince = -1;
        else if (restingSince < 0) restingSince = now;
        if (resting && (m_bProcessEnded || now - restingSince >= kSettleQuietMs)) {
            m_timing += "settled: at rest since " + std::to_string(restingSince) + " ms\n";
            return;
        }
        if (now >= deadline) {
            m_timing += "settled: no, still at work (" + busy + ") after " + std::to_string(*m_options.settleMs) +
                        " ms\n";
            return;
        }
        if (!rt::Sleep(std::min<std::int64_t>(100, deadline - now))) return;
    }
}

ScriptRunner::Outcome ScriptRunner::Execute(const ScriptLine& line)
{
    switch (line.op) {
    case Op::Click: case Op::DoubleClick: case Op::Hover: case Op::Type: case Op::Key:
    case Op::SelectNetwork: case Op::OpenNetwork: case Op::Choose: case Op::Close: case Op::Sleep:
    case Op::World: case Op::Screenshot: case Op::Mark: case Op::ShowPage: case Op::AuditLayout:
        return Action(line);
    case Op::Start:
        return Start(line);
    case Op::WaitState: case Op::WaitDialog: case Op::WaitGone: case Op::WaitVisible:
    case Op::WaitEnabled: case Op::WaitLog: case Op::WaitExit:
        return Wait(line);
    default:
        return Check(line);
    }
}

ScriptRunner::Outcome ScriptRunner::Action(const ScriptLine& line)
{
    Outcome out;
    auto fail = [&](const std::string& m) { out.ok = false; out.message = m; return out; };
    switch (line.op) {
    case Op::Sleep:
        rt::Sleep(line.durationMs);
        return out;
    case Op::Mark:
        m_marks[line.texts[0]] = rt::NowMs();
        return out;
    case Op::Screenshot: {
        QImage screen;
        rt::SendToUi([&] { screen = Framework::GrabScreen(); });
        std::string problem;
        if (!m_out.empty() && !WritePng(screen, (m_out / (line.texts[0] + ".png")).string(), &problem))
            return fail("screenshot: " + problem);
        return out;
    }
    case Op::World:
        switch (line.event) {
        case WorldEvent::Plug: m_pc.Hardware().Plug(); return out;
        case WorldEvent::Unplug: m_pc.Hardware().Unplug(); return out;
        case WorldEvent::Internet: m_pc.Hardware().SetInternet(line.flag); return out;
        case WorldEvent::Gateway: m_pc.Hardware().SetGateway(line.flag); return out;
        case WorldEvent::NetworkOn: case WorldEvent::NetworkOff: case WorldEvent::WpsButton:
        case WorldEvent::RouterPin: case WorldEvent::Associate: {
            const std::string& ssid = line.texts[0];
            bool known = false;
            if (line.event == WorldEvent::WpsButton) known = m_pc.Hardware().PressWpsButton(ssid);
            else if (line.event == WorldEvent::RouterPin) known = m_pc.Hardware().TypePinIntoRouter(ssid);
            else if (line.event == WorldEvent::Associate) known = m_pc.Hardware().Associate(ssid);
            else known = m_pc.Hardware().SetNetworkPresent(ssid, line.event == WorldEvent::NetworkOn);
            if (!known) return fail("world " + WorldEventName(line.event) + ": the scenario has no network " + Quoted(ssid));
            return out;
        }
        }
        return fail("world " + WorldEventName(line.event) + ": this simulated PC has no such event");
    case Op::SelectNetwork: case Op::OpenNetwork: {
        // A click (or double-click) at the centre of the row that shows the SSID.
        std::string problem;
        rt::SendToUi([&] {
            CDialogEx* a = Active();
            auto* list = a ? dynamic_cast<CMyListCtrl*>(a->GetDlgItem(IdNetworkList)) : nullptr;
            if (!list || !list->IsWindowVisible()) { problem = "no network list is shown"; return; }
            int row = list->FindRow(Utf8ToWide(line.texts[0]));
            if (row < 0) { problem = "no row shows " + Quoted(line.texts[0]); return; }
            list->EnsureVisible(row);
        });
        if (!problem.empty()) return fail(problem);
        if (m_options.realTime && !(problem = WaitActiveOnScreen(kRealFocusWaitMs)).empty())
            return fail("expected the click to reach the active window, found " + problem);
        rt::PostToUi([&line] {
            CDialogEx* a = Active();
            auto* list = a ? dynamic_cast<CMyListCtrl*>(a->GetDlgItem(IdNetworkList)) : nullptr;
            if (!list) return;
            QPoint at = list->RowRect(list->FindRow(Utf8ToWide(line.texts[0]))).center();
            QTest::mouseClick(list->Widget(), Qt::LeftButton, {}, at);
            if (line.op == Op::OpenNetwork) QTest::mouseDClick(list->Widget(), Qt::LeftButton, {}, at);
        });
        rt::WaitUiIdle(-1);
        return out;
    }
    case Op::AuditLayout: {
        std::vector<LayoutFinding> findings;
        bool active = false;
        rt::SendToUi([&] {
            if (CDialogEx* a = Active()) {
                active = true;
                findings = AuditLayout(*a);
            }
        });
        if (!active) return fail("expected a window to audit, found none active");
        for (const LayoutFinding& f : findings) {
            std::string message = m_script.fileName + ":" + std::to_string(line.line) + ": " + line.texts[0] + ": " + f.Text();
            m_failures.push_back(message);
            std::fprintf(stderr, "%s\n", message.c_str());
        }
        return out;
    }
    case Op::ShowPage: {
        bool shown = false;
        rt::PostToUi([&line] {
            if (CSetupDlg* wizard = CInstallSetupApp::RunningWizard()) {
                wizard->m_nState = static_cast<int>(line.numbers[0]);
                wizard->ShowStatePage();
            }
        });
        rt::WaitUiIdle(-1);
        rt::SendToUi([&] { shown = CInstallSetupApp::RunningWizard() != nullptr; });
        return shown ? out : fail("expected the wizard to run, found it ended");
    }
    default:
        break;
    }
    if (m_bProcessEnded) return fail("expected the program to run for \"" + OpName(line.op) + "\", found it ended");

    // Input goes to the UI thread as a mouse or keyboard would send it.
    std::string problem;
    int id = line.numbers.empty() ? 0 : static_cast<int>(line.numbers[0]);
    rt::SendToUi([&] {
        CDialogEx* a = Active();
        if (!a) { problem = "no window is active"; return; }
        if (line.op == Op::Click || line.op == Op::DoubleClick || line.op == Op::Hover || line.op == Op::Choose) {
            CWnd* c = a->GetDlgItem(id);
            if (!c) problem = "control " + std::to_string(id) + " does not exist in " + a->ClassName();
            else if (!c->IsWindowVisible()) problem = "control " + std::to_string(id) + " of " + a->ClassName() + " is hidden";
            else if (line.op == Op::Choose) {
                int count = -1;
                if (auto* combo = dynamic_cast<CMyComboBox*>(c)) count = combo->GetCount();
                if (count < 0) problem = "control " + std::to_string(id) + " is not a combo box";
                else if (line.numbers[1] >= count)
                    problem = "combo box " + std::to_string(id) + " has " + std::to_string(count) + " entries";
            }
        }
    });
    if (!problem.empty()) return fail(problem);
    // On a real screen the person can only reach the window that has the focus.
    if (m_options.realTime) {
        problem = WaitActiveOnScreen(kRealFocusWaitMs);
        if (!problem.empty()) return fail("expected " + OpName(line.op) + " to reach the active window, found " + problem);
    }

    rt::PostToUi([this, &line, id] {
        CDialogEx* a = Active();
        if (!a) return;
        QWidget* w = (line.op == Op::Click || line.op == Op::DoubleClick || line.op == Op::Hover ||
                      line.op == Op::Choose) ? a->GetDlgItem(id)->Widget() : nullptr;
        switch (line.op) {
        case Op::Click: QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center()); break;
        case Op::DoubleClick:
            QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
            QTest::mouseDClick(w, Qt::LeftButton, {}, w->rect().center());
            break;
        case Op::Hover: QTest::mouseMove(w, w->rect().center()); break;
        case Op::Choose:
            static_cast<CMyComboBox*>(a->GetDlgItem(id))->ChooseAsUser(static_cast<int>(line.numbers[1]));
            break;
        case Op::Type:
            if (QWidget* t = KeyTarget()) QTest::keyClicks(t, QString::fromStdString(line.texts[0]));
            break;
        case Op::Key:
            if (QWidget* t = KeyTarget())
                QTest::keyClick(t, QtKey(line.key), line.key == Key::AltF4 ? Qt::AltModifier : Qt::NoModifier);
            break;
        case Op::Close:
            a->Widget()->close();
            break;
        default: break;
        }
    });
    rt::WaitUiIdle(-1);
    return out;
}

ScriptRunner::Outcome ScriptRunner::Start(const ScriptLine& line)
{
    Outcome out;
    std::string commandLine = line.hasText && !line.texts.empty() ? line.texts[0] : "";
    if (m_bProcessEnded) {
        m_nextCommandLine = commandLine;
        m_bStartRequested = true;
        rt::PostToUi([] {});
        rt::WaitUiIdle(-1);
        return out;
    }
    // A second process of the program on the same PC: it must end by itself, unseen.
    std::string exe = std::filesystem::read_symlink("/proc/self/exe").string();
    std::vector<std::string> args = {exe, "--headless", "--probe-second-instance", "--machine",
                                     m_pc.MachineDir().string()};
    if (m_options.scenario) {
        args.push_back("--scenario");
        args.push_back(*m_options.scenario);
    }
    if (!commandLine.empty()) args.push_back(commandLine);
    // The second process runs on its own clock; ours stands still meanwhile.
    ChildOutcome child = RunChildProcess(args, 10000);
    int status = child.status;
    if (!child.started) {
        out.ok = false;
        out.message = "could not start a second process";
    } else if (!child.ended) {
        out.ok = false;
        out.message = "expected the second process to end by itself within 10 seconds, found it still running";
    } else if (WIFEXITED(status) && WEXITSTATUS(status) == 3) {
        out.ok = false;
        out.message = "expected the second process to end without a window, found it showed one";
    } else if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        out.ok = false;
        out.message = "expected the second process to end normally, found exit status " + std::to_string(status);
    }
    return out;
}

ScriptRunner::Outcome ScriptRunner::Wait(const ScriptLine& line)
{
    long long within = line.withinMs.value_or(kDefaultWaitMs);
    std::int64_t deadline = rt::NowMs() + within;
    std::string found;
    for (;;) {
        if (Holds(line, found)) return {};
        std::int64_t now = rt::NowMs();
        if (now >= deadline) {
            Outcome o;
            o.ok = false;
            o.message = "\"" + line.source.substr(line.source.find_first_not_of(" \t")) + "\" timed out after " +
                        std::to_string(within) + " ms; found " + found;
            return o;
        }
        rt::Sleep(std::min<std::int64_t>(100, deadline - now));
    }
}

ScriptRunner::Outcome ScriptRunner::Check(const ScriptLine& line)
{
    std::string found;
    if (Holds(line, found)) return {};
    Outcome o;
    o.ok = false;
    o.message = "expected \"" + line.source.substr(line.source.find_first_not_of(" \t")) + "\", found " + found;
    return o;
}

std::string ScriptRunner::LogText()
{
    std::u16string text = g_LogMsg.SnapshotText();
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())).toStdString();
}

bool ScriptRunner::Holds(const ScriptLine& line, std::string& found)
{
    bool ok = false;
    auto text = [&](std::size_t i) { return i < line.texts.size() ? line.texts[i] : std::string(); };
    auto number = [&](std::size_t i) { return i < line.numbers.size() ? line.numbers[i] : 0LL; };
    rt::SendToUi([&] {
        CSetupDlg* wizard = CInstallSetupApp::RunningWizard();
        CDialogEx* active = Active();
        auto control = [&](CWnd*& c) {
            int id = static_cast<int>(number(0));
            c = active ? active->GetDlgItem(id) : nullptr;
            if (!c) found = "no control " + std::to_string(id) + " in " + ActiveName();
            return c != nullptr;
        };
        CWnd* c = nullptr;
        switch (line.op) {
        case Op::WaitState: case Op::ExpectState:
            ok = wizard && wizard->m_nState == number(0);
            found = "state " + StateText();
            break;
        case Op::WaitDialog: case Op::ExpectDialog:
            ok = active && text(0) == active->ClassName() && OpenDialog();
            found = "active window " + ActiveName();
            if (ok && line.op == Op::WaitDialog && m_options.realTime && !HasFocusOnScreen(active, found)) ok = false;
            break;
        case Op::WaitGone: {
            ok = true;
            for (CDialogEx* d : CDialogEx::ModalStack())
                if (text(0) == d->ClassName()) ok = false;
            found = text(0) + " still open";
            break;
        }
        case Op::ExpectNoDialog:
            ok = OpenDialog() == nullptr;
            found = "dialog " + ActiveName();
            break;
        case Op::WaitVisible: case Op::ExpectVisible:
            if (control(c)) { ok = c->IsWindowVisible(); found = "it hidden"; }
            break;
        case Op::ExpectHidden:
            if (control(c)) { ok = !c->IsWindowVisible(); found = "it visible"; }
            break;
        case Op::WaitEnabled: case Op::ExpectEnabled:
            if (control(c)) { ok = c->IsWindowEnabled(); found = "it disabled"; }
            break;
        case Op::ExpectDisabled:
            if (control(c)) { ok = !c->IsWindowEnabled(); found = "it enabled"; }
            break;
        case Op::ExpectValidPin:
            if (control(c)) {
                const std::string pin = WideToUtf8(c->GetWindowTextW());
                ok = c->IsWindowVisible() && IsValidWpsPin(pin);
                found = pin.empty()                  ? std::string("no text")
                        : !c->IsWindowVisible()      ? Quoted(pin) + ", hidden"
                                                     : Quoted(pin) + ", not eight digits ending in their checksum";
            }
            break;
        case Op::ExpectText:
            if (control(c)) { ok = WideToUtf8(c->GetWindowTextW()) == text(0); found = Quoted(WideToUtf8(c->GetWindowTextW())); }
            break;
        case Op::ExpectRect:
            if (control(c)) {
                QRect r = c->GetClientRectInParent();
                ok = r.x() == number(1) && r.y() == number(2) && r.width() == number(3) && r.height() == number(4);
                found = std::to_string(r.x()) + " " + std::to_string(r.y()) + " " + std::to_string(r.width()) + " " +
                        std::to_string(r.height());
            }
            break;
        case Op::ExpectImage:
            if (control(c)) {
                auto* p = dynamic_cast<CPicture*>(c);
                ok = p && p->ImageResourceId() == number(1);
                found = p ? "picture " + std::to_string(p->ImageResourceId()) : "not a picture control";
            }
            break;
        case Op::ExpectFont:
            if (control(c)) {
                QFont f = c->GetFont();
                ok = f.pixelSize() == number(1) && f.bold() == line.flag;
                found = std::to_string(f.pixelSize()) + (f.bold() ? " bold" : "");
            }
            break;
        case Op::ExpectDocument: {
            auto* licence = dynamic_cast<CEULADlg*>(active);
            if (!licence) {
                found = "no licence dialog but " + ActiveName();
                break;
            }
            std::string path = WideToUtf8(licence->DocumentPath());
            ok = path.find(text(0)) != std::string::npos;
            found = Quoted(path) + (licence->Viewer()->ShowsErrorPage() ? " (shown as an error page)" : "");
            break;
        }
        case Op::ExpectErrorIndex:
            ok = g_nErrorIndex == number(0);
            found = std::to_string(g_nErrorIndex.load());
            break;
        case Op::ExpectLanguage:
            ok = g_nUiLanguage == number(0);
            found = std::to_string(g_nUiLanguage.load());
            break;
        case Op::WaitExit: case Op::ExpectExit:
            ok = m_bProcessEnded;
            found = "the program still running in state " + StateText();
            break;
        default:
            break;
        }
    });
    switch (line.op) {
    case Op::WaitLog: case Op::ExpectLog: {
        std::string log = LogText();
        ok = log.find(text(0)) != std::string::npos;
        found = "no such entry in the log";
        break;
    }
    case Op::ExpectNoLog:
        ok = LogText().find(text(0)) == std::string::npos;
        found = "it in the log";
        break;
    case Op::ExpectLogFile: {
        auto bytes = m_pc.ReadFile(g_LogMsg.CurrentFilePath(), SIZE_MAX);
        std::string file;
        if (bytes) {
            std::u16string u16(bytes->size() / 2, u'\0');
            std::memcpy(u16.data(), bytes->data(), u16.size() * 2);
            file = QString::fromUtf16(u16.data(), static_cast<qsizetype>(u16.size())).toStdString();
        }
        ok = file.find(text(0)) != std::string::npos;
        found = bytes ? "no such text in the log file" : "no log file";
        break;
    }
    case Op::ExpectRegistry: {
        auto v = m_pc.RegistryValue(Utf8ToWide(text(0)), Utf8ToWide(text(1)));
        ok = v && WideToUtf8(*v) == text(2);
        found = v ? Quoted(WideToUtf8(*v)) : "no such value";
        break;
    }
    case Op::ExpectNoRegistry:
        ok = line.hasText ? !m_pc.RegistryValue(Utf8ToWide(text(0)), Utf8ToWide(text(1))) : !m_pc.RegistryKeyExists(Utf8ToWide(text(0)));
        found = "it present";
        break;
    case Op::ExpectClipboard:
        ok = WideToUtf8(m_pc.GetText()) == text(0);
        found = Quoted(WideToUtf8(m_pc.GetText()));
        break;
    case Op::ExpectOpened: {
        found = "nothing opened";
        for (auto& d : m_pc.OpenedDocuments()) {
            if (WideToUtf8(d).find(text(0)) != std::string::npos) ok = true;
            found = "opened " + Quoted(WideToUtf8(d));
        }
        break;
    }
    case Op::ExpectFile: case Op::ExpectNoFile: {
        auto bytes = m_pc.ReadFile(Utf8ToWide(text(0)), SIZE_MAX);
        if (line.op == Op::ExpectNoFile) {
            ok = !bytes;
            found = "the file present";
            break;
        }
        std::string content;
        if (bytes) {
            bool utf16 = bytes->size() >= 2 && bytes->size() % 2 == 0 &&
                         ((*bytes)[1] == '\0' || (static_cast<unsigned char>((*bytes)[0]) == 0xFF &&
                                                  static_cast<unsigned char>((*bytes)[1]) == 0xFE));
            if (utf16) {
                std::u16string u16(bytes->size() / 2, u'\0');
                std::memcpy(u16.data(), bytes->data(), u16.size() * 2);
                content = QString::fromUtf16(u16.data(), static_cast<qsizetype>(u16.size())).toStdString();
            } else {
                content = *bytes;
            }
        }
        ok = bytes && content.find(text(1)) != std::string::npos;
        found = bytes ? "the file without that text" : "no such file";
        break;
    }
    case Op::ExpectSince: {
        long long since = rt::NowMs() - m_marks[text(0)];
        ok = since >= line.minMs && since <= line.maxMs;
        found = std::to_string(since) + " ms";
        break;
    }
    case Op::ExpectRows: case Op::ExpectRow: case Op::ExpectConnected:
        rt::SendToUi([&] {
            CDialogEx* a = Active();
            auto* list = a ? dynamic_cast<CMyListCtrl*>(a->GetDlgItem(IdNetworkList)) : nullptr;
            if (!list) { found = "no network list"; return; }
            std::vector<std::string> rows;
            for (int i = 0; i < list->GetItemCount(); ++i) rows.push_back(WideToUtf8(list->RowSsid(i)));
            found = "rows";
            for (auto& r : rows) found += " " + Quoted(r);
            if (line.op == Op::ExpectRows) {
                ok = rows == line.texts;
            } else if (line.op == Op::ExpectRow) {
                int i = list->FindRow(Utf8ToWide(text(0)));
                if (i < 0) return;
                found = Quoted(WideToUtf8(list->RowSecurity(i))) + (list->RowShowsPadlock(i) ? " lock " : " open ") +
                        std::to_string(list->RowBars(i));
                ok = WideToUtf8(list->RowSecurity(i)) == text(1) && list->RowShowsPadlock(i) == line.flag &&
                     list->RowBars(i) == number(0);
            } else {
                std::string connected;
                for (int i = 0; i < list->GetItemCount(); ++i)
                    if (list->IsConnectedRow(i)) connected = WideToUtf8(list->RowSsid(i));
                ok = line.flag ? connected.empty() : connected == text(0);
                found = connected.empty() ? "none connected" : Quoted(connected) + " connected";
            }
        });
        break;
    case Op::ExpectProfile: {
        std::string doc = WideToUtf8(m_pc.Hardware().LastProfileDocument());
        ok = !doc.empty() && doc.find(text(0)) != std::string::npos;
        found = doc.empty() ? "no profile handed to the wireless service" : "the profile " + Quoted(doc);
        break;
    }
    default:
        break;
    }
    return ok;
}

void ScriptRunner::WriteResult()
{
    if (m_out.empty()) return;
    // The log as UTF-8 text.
    auto bytes = m_pc.ReadFile(g_LogMsg.CurrentFilePath(), SIZE_MAX);
    std::string log;
    if (bytes) {
        std::u16string u16(bytes->size() / 2, u'\0');
        std::memcpy(u16.data(), bytes->data(), u16.size() * 2);
        log = QString::fromUtf16(u16.data(), static_cast<qsizetype>(u16.size())).toStdString();
    }
    RunReport report = Report();
    AddExitReport(report);
    WriteRunFiles(m_out, report, bytes ? &log : nullptr);
}

void ScriptRunner::AddExitReport(RunReport& report) const
{
    std::string left;
    for (const std::string& w : m_host.WorkersLeftAtExit())
        if (!sim::SimHardware::IsOwnThread(w.substr(w.find(": ") + 2))) left += (left.empty() ? "" : ", ") + w;
    report.finalState += "workers left at exit: " + (left.empty() ? std::string("none") : left) + "\n";
    report.finalState += std::string("log lock at exit: ") + (m_host.LockHeldAtExit() ? "held" : "free") + "\n";
    if (m_out.empty()) return;
    std::ofstream world(m_out / "world.txt");
    for (const auto& e : m_pc.Hardware().WorldTrace()) world << e.atMs << " ms  " << e.what << "\n";
}

}  // namespace lab
