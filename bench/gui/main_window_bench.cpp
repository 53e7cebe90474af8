// The main window on a career of 10,000 missions, in real windows (run it on
// a display; make bench gives it a virtual one):
//   window/update-display/10000  UpdateDisplay and the repaint it causes,
//                                against filling the same titles into a plain
//                                list box (goal: at most 100 ms)
//   window/start-to-shown/10000  a fresh process, from its start until the
//                                main window is on the screen with that log,
//                                against loading the log (goal: at most 0.5 s)
// Each reports its baseline and the ratio to it as counters.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/listbox.h>

#include "app/log_app.h"
#include "app/log_dlg.h"
#include "log/app_settings.h"
#include "log/log_doc.h"
#include "log/log_file.h"
#include "platform/wx/dialog_window.h"
#include "platform/wx/window_host.h"
#include "res/artwork.h"
#include "res/resource_ids.h"

namespace {

constexpr int kMissions = 10000;
constexpr const char* kChildFlag = "--show-main-window";

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

long long Now()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count();
}

// A career as a busy pilot's would be: kills, hits and notes on every mission.
void FillCareer(CPilot& pilot)
{
    pilot.SetName("Anna Koval");
    pilot.SetCallsign("Kestrel");
    CCareer& career = *pilot.GetCurrentCareer();
    for (int m = 0; m < kMissions; ++m) {
        CMission& mission = *career.AddMission();
        mission.SetTitle("Fighter Sweep " + std::to_string(m));
        mission.SetFlown(CTime(915000000 + 86400LL * m));
        mission.SetDuration(2500 + m % 600);
        mission.SetResult(m % 3);
        mission.SetPilotStatus(m % 4 == 3 ? 1 : 0);
        mission.SetComments("00:01:30 Takeoff\r\n00:20:05 R-27r at F-15\r\n00:20:12 F-15 destroyed\r\n00:42:10 Landed");
        for (int k = 0; k < 3; ++k) {
            CKill& kill = *mission.AddKill();
            kill.SetTarget(static_cast<std::uint16_t>(k == 0 ? 18 : k == 1 ? 215 : 70));
            kill.SetAirKill(k == 0);
            kill.SetWeapon(60);
        }
        mission.AddHit()->SetTarget(18);
    }
}

// A folder holding the log and the settings of a set-up machine.
class CBenchFolder {
public:
    CBenchFolder()
    {
        m_dir = std::filesystem::temp_directory_path() / ("sortavel-gui-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_dir / "config");
        std::ofstream(m_dir / "config" / "Sortavel.ini") << "[Preferences]\nInit=1\nShow_Mission=0\n";
        ::setenv("XDG_CONFIG_HOME", (m_dir / "config").c_str(), 1);
        CPilot pilot;
        FillCareer(pilot);
        CLogFile file(LogPath());
        pilot.Save(file);
        file.Close();
    }
    ~CBenchFolder()
    {
        std::error_code error;
        std::filesystem::remove_all(m_dir, error);
    }
    CBenchFolder(const CBenchFolder&) = delete;
    CBenchFolder& operator=(const CBenchFolder&) = delete;

    std::string LogPath() const { return (m_dir / "pilot.log").string(); }

private:
    std::filesystem::path m_dir;
};

CBenchFolder& Folder()
{
    static CBenchFolder folder;
    return folder;
}

CWindowHost* g_pHost = nullptr;

void BM_UpdateDisplay(benchmark::State& state)
{
    CAppSettings settings;
    settings.m_nDateFormat = 1;
    settings.m_bAccumulatePilotTime = 1;
    settings.m_strVortaneDir = "/games/vortane";
    CLogDoc doc;
    FillCareer(*doc.GetPilot());
    SetCurrentLogDoc(&doc);

    // The baseline: the same titles filled into a plain list box as big as
    // the mission list, in a window of its own.
    wxArrayString titles;
    for (int m = 0; m < kMissions; ++m)
        titles.push_back(wxString::FromUTF8(doc.GetPilot()->GetCurrentCareer()->GetMission(m)->GetTitle()));

    CLogDlg dlg;
    double dBaseline = 0;
    double dMeasured = 0;
    wxTheApp->CallAfter([&] {
        CDialogWindow* pWindow = g_pHost->FindWindow(dlg);
        wxWindow* pMissionList = pWindow->FindControlWindow(LogDlgIds::IDC_MISSION_LIST);
        auto* pFrame = new wxFrame(nullptr, wxID_ANY, "Baseline");
        auto* pList = new wxListBox(pFrame, wxID_ANY, wxDefaultPosition, pMissionList->GetSize());
        pFrame->SetClientSize(pMissionList->GetSize());
        pFrame->Show();
        wxTheApp->Yield();
        for (auto _ : state) {
            const Clock::time_point t0 = Clock::now();
            dlg.UpdateDisplay();
            pWindow->GetWindow()->Update();
            const Clock::time_point t1 = Clock::now();
            pList->Set(titles);
            pList->SetSelection(kMissions - 1);
            pFrame->Update();
            const Clock::time_point t2 = Clock::now();
            state.SetIterationTime(Seconds(t1 - t0));
            dMeasured += Seconds(t1 - t0);
            dBaseline += Seconds(t2 - t1);
        }
        pFrame->Destroy();
        dlg.EndDialog(IDOK);
    });
    dlg.DoModal();
    SetCurrentLogDoc(nullptr);
    const double nRuns = static_cast<double>(state.iterations());
    state.counters["baseline_ms"] = dBaseline / nRuns * 1000;
    state.counters["ratio"] = dBaseline > 0 ? dMeasured / dBaseline : 0;
    state.counters["goal_ms"] = 100;
}
BENCHMARK(BM_UpdateDisplay)->Name("window/update-display/10000")->UseManualTime()->Unit(benchmark::kMillisecond);

// Starts this program again as the one that shows the main window; the
// seconds from before the start until the window was shown.
double TimeStartToShown(const std::string& strLog)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return -1;
    const long long nStart = Now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        const std::string strFd = std::to_string(fds[1]);
        ::execl("/proc/self/exe", "sortavel_gui_bench", kChildFlag, strLog.c_str(), strFd.c_str(),
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(fds[1]);
    long long nShown = 0;
    const bool bRead = pid > 0 && ::read(fds[0], &nShown, sizeof nShown) == sizeof nShown;
    ::close(fds[0]);
    int nStatus = 0;
    if (pid > 0)
        ::waitpid(pid, &nStatus, 0);
    if (!bRead || !WIFEXITED(nStatus) || WEXITSTATUS(nStatus) != 0)
        return -1;
    return static_cast<double>(nShown - nStart) / 1e9;
}

void BM_StartToShown(benchmark::State& state)
{
    const std::string strLog = Folder().LogPath();
    double dBaseline = 0;
    double dMeasured = 0;
    for (auto _ : state) {
        const double dShown = TimeStartToShown(strLog);
        if (dShown < 0) {
            state.SkipWithError("the program did not show its main window");
            break;
        }
        state.SetIterationTime(dShown);
        dMeasured += dShown;
        const Clock::time_point t0 = Clock::now();
        CLogDoc doc;
        doc.Open(strLog);
        benchmark::DoNotOptimize(doc.GetPilot()->GetCareerCount());
        dBaseline += Seconds(Clock::now() - t0);
    }
    const double nRuns = static_cast<double>(std::max<std::int64_t>(state.iterations(), 1));
    state.counters["baseline_ms"] = dBaseline / nRuns * 1000;
    state.counters["ratio"] = dBaseline > 0 ? dMeasured / dBaseline : 0;
    state.counters["goal_ms"] = 500;
}
BENCHMARK(BM_StartToShown)
    ->Name("window/start-to-shown/10000")
    ->UseManualTime()
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);

// The started program: the ordinary start-up on the log, with a note of the
// moment the main window is on the screen, after which it closes again.
int ShowMainWindowOnce(int& argc, char** argv)
{
    const std::string strLog = argv[2];
    const int fd = std::atoi(argv[3]);
    std::unique_ptr<CWindowHost> pHost = CWindowHost::Create(argc, argv, GetBuiltInImages());
    if (!pHost)
        return 2;
    CHostScope scope(*pHost);
    CLogApp app({"/LOG", strLog});
    std::function<void()> fnWhenShown = [&] {
        const auto& windows = pHost->GetWindows();
        if (windows.empty() || !windows.back()->GetWindow()->IsShownOnScreen()) {
            wxTheApp->CallAfter(fnWhenShown);
            return;
        }
        const long long nShown = Now();
        const bool bWritten = ::write(fd, &nShown, sizeof nShown) == sizeof nShown;
        ::close(fd);
        if (bWritten)
            windows.back()->GetDialog().EndDialog(IDOK);
    };
    wxTheApp->CallAfter(fnWhenShown);
    app.InitInstance();
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    ::setenv("GSETTINGS_BACKEND", "memory", 0);
    if (argc == 4 && std::string(argv[1]) == kChildFlag)
        return ShowMainWindowOnce(argc, argv);
    benchmark::Initialize(&argc, argv);
    Folder();
    std::unique_ptr<CWindowHost> pHost = CWindowHost::Create(argc, argv, GetBuiltInImages());
    if (!pHost) {
        std::cerr << "The window benchmarks need a display: run them with xvfb-run -a.\n";
        return 1;
    }
    g_pHost = pHost.get();
    CHostScope scope(*pHost);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_pHost = nullptr;
    return 0;
}
