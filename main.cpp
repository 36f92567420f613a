// TesraConnect: the wizard on a simulated PC, interactive or driven by a lab script.
#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <filesystem>
#include <memory>
#include <unistd.h>

#include "framework/Framework.h"
#include "lab/DataFolder.h"
#include "lab/DesktopClipboard.h"
#include "lab/HostOptions.h"
#include "lab/ProcessHost.h"
#include "lab/Script.h"
#include "lab/ScriptRunner.h"
#include "lab/SimPanel.h"
#include "platform/Platform.h"
#include "runtime/Runtime.h"
#include "sim/HostFile.h"
#include "sim/Scenario.h"
#include "sim/SimPC.h"
#include "wps/WpsPin.h"

namespace {

// Whether Qt's platform can open windows: offscreen and other set platforms need no
// display; the window systems need theirs.
bool HasDisplay()
{
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    const std::string p = platform ? platform : "";
    auto set = [](const char* name) {
        const char* v = std::getenv(name);
        return v && *v;
    };
    if (p.rfind("xcb", 0) == 0) return set("DISPLAY");
    if (p.rfind("wayland", 0) == 0) return set("WAYLAND_DISPLAY");
    if (!p.empty()) return true;
    return set("DISPLAY") || set("WAYLAND_DISPLAY");
}

void ExitBecauseWindowShown()
{
    // A second instance that would show a window: the lab's probe reports it.
    std::_Exit(3);
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string program = std::filesystem::path(argv[0]).filename().string();
    std::vector<std::string> args(argv + 1, argv + argc);
    lab::HostOptions options;
    try {
        options = lab::ParseHostOptions(args);
    } catch (const lab::HostOptionsError& e) {
        std::fprintf(stderr, "TesraConnect: %s\n%s", e.what(), lab::HostUsage(program).c_str());
        return 2;
    }
    if (options.help) {
        std::fputs(lab::HostUsage(program).c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("TesraConnect %s\n", TC_VERSION);
        return 0;
    }

    if (!options.headless && !HasDisplay()) {
        std::fputs("TesraConnect: there is no display to open the wizard's window on (DISPLAY and "
                   "WAYLAND_DISPLAY are empty).\n"
                   "Without a display, run a lab script headless, in virtual time:\n"
                   "  TesraConnect --headless --script FILE [--scenario FILE] [--machine DIR] [--out DIR]\n"
                   "bash scripts/run.sh does that with the walk-through script; the lab guide is docs/lab.md.\n",
                   stderr);
        return 2;
    }

    // Malformed files never start the wizard, and neither does a folder that cannot be
    // made or emptied (every such error reads "PATH: reason").
    sim::Scenario scenario;
    lab::Script script;
    std::filesystem::path machineDir;
    std::filesystem::path discDir;
    try {
        discDir = lab::FindDiscFolder(lab::ThisExecutable(argv[0]), TC_BINARY_DIR, TC_SOURCE_DIR);
        scenario = options.scenario ? sim::LoadScenarioFile(*options.scenario) : sim::DefaultScenario();
        if (options.script) script = lab::LoadScriptFile(*options.script);
        machineDir = options.machine ? std::filesystem::path(*options.machine) : sim::DefaultMachineDir(scenario.name);
        if (options.fresh) sim::EmptyMachineFolder(machineDir);
        if (options.out) sim::MakeHostFolder(*options.out);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 2;
    }

    if (options.headless) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        // Qt wants a private runtime folder; give it one instead of a warning on every run.
        std::filesystem::path runtime = std::filesystem::temp_directory_path() /
                                        ("tesraconnect-runtime-" + std::to_string(::getuid()));
        std::error_code ec;
        std::filesystem::create_directories(runtime, ec);
        std::filesystem::permissions(runtime, std::filesystem::perms::owner_all, std::filesystem::perm_options::replace,
                                     ec);
        if (!ec) qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(runtime.string()));
    }
    qputenv("QT_SCALE_FACTOR", QByteArray::number(scenario.os.dpi / 96.0));
    QApplication application(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("tesraconnect"));
    QIcon icon(QStringLiteral(":/ico/175.png"));
    icon.addFile(QStringLiteral(":/ico/175_16.png"));
    QApplication::setWindowIcon(icon);

    std::unique_ptr<sim::SimPC> pc;
    try {
        pc = std::make_unique<sim::SimPC>(scenario, machineDir, discDir);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 2;
    }
    for (const std::string& problem : pc->Hardware().UnsupportedEvents()) {
        std::fprintf(stderr, "%s\n", problem.c_str());
        return 2;
    }
    // The routers' user types the PIN the wizard shows (`world router-pin`).
    pc->Hardware().SetWizardPinSource(&CurrentWpsPin);
    InstallPlatform(pc->AsPlatform());

    // A virtual run draws its random numbers from the seed, so that it replays.
    if (options.seed) rt::SetRandomSeed(*options.seed);
    rt::Init(options.headless ? rt::ClockMode::Virtual : rt::ClockMode::Real, pc->StartWallMs(), options.speed);
    rt::SetDeadlockHandler([](const std::string& what) {
        std::fprintf(stderr, "TesraConnect: the run cannot go on: %s\n", what.c_str());
    });
    Framework::Init();
    pc->Hardware().StartScenarioEvents();

    int status = 0;
    if (options.probeSecondInstance) {
        Framework::SetWindowShownHook(&ExitBecauseWindowShown);
        lab::ProcessHost host([&] { pc->BeginProcess(); });
        host.RunProcess(options.commandLine);
    } else if (options.script) {
        lab::ScriptRunner runner(script, *pc, options);
        status = runner.Run();
    } else {
        // What the person copies reaches the desktop's clipboard as well.
        lab::DesktopClipboard clipboard(*pc);
        Platform platform = pc->AsPlatform();
        platform.clipboard = &clipboard;
        InstallPlatform(platform);
        lab::SimPanel panel(*pc);
        panel.show();
        lab::ProcessHost host([&] { pc->BeginProcess(); });
        host.RunProcess(options.commandLine);
    }
    pc->Hardware().StopScenarioEvents();
    rt::Shutdown();
    return status;
}
