// The debrief viewer on journals of 100,000 and 1,000,000 events, in real
// windows:
//   viewer/open/N            the viewer opened until its first rows are on
//                            the screen, against loading the debrief file
//                            (goal at 1,000,000: at most 1 s)
//   viewer/filter/N          a filter switched (to the child events of the
//                            busiest object, then back to every event), the
//                            slower of the two, against one pass over the
//                            events comparing each one's parent (goal: at
//                            most 0.5 s); also the viewer's own memory per
//                            event while it shows each (goal: at most 32)
// Each reports its baseline and the ratio to it as counters; the growth from
// 100,000 to 1,000,000 is the ratio of the two sizes' times.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <unistd.h>
#include <wx/app.h>
#include <wx/timer.h>

#include "debrief/debrief.h"
#include "dialogs/debrief_view_dlg.h"
#include "platform/wx/dialog_window.h"
#include "platform/wx/report_list.h"
#include "platform/wx/window_host.h"
#include "res/resource_ids.h"
#include "tests/support/debrief_builder.h"

namespace {

using namespace ViewerIds;
using Clock = std::chrono::steady_clock;

constexpr std::uint16_t kBusyLauncher = 7; // the parent of every other event
constexpr std::uint16_t kObjects = 20000;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// Heap in use, blocks the allocator mapped on their own included.
std::size_t HeapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// A journal of nEvents: ten events a second (so a million events show a
// hundred thousand distinct times, the most texts to measure), objects of
// 20,000 identifiers, every shape, side and status the viewer names.
std::string WriteJournal(std::uint32_t nEvents)
{
    static const std::uint16_t statuses[] = {
        EVENT_ENTRY, EVENT_HIT | EVENT_AIR, EVENT_KILL | EVENT_GND, EVENT_EXPL, EVENT_REM,
        EVENT_SEC,   EVENT_PRI | EVENT_GND, EVENT_DIE | EVENT_AIR};
    CDebriefBuilder builder;
    builder.SetTitle("Viewer benchmark");
    for (std::uint32_t i = 0; i < nEvents; ++i) {
        DebriefEvent event;
        event.time = i * 16 / 10;
        event.status = statuses[i % std::size(statuses)];
        event.country = static_cast<std::uint8_t>(i % 5);
        event.byte1 = static_cast<std::uint8_t>(i % 3);
        event.byte2 = static_cast<std::uint8_t>(i % 16);
        event.byte3 = static_cast<std::uint8_t>(i % 7);
        event.shape = static_cast<std::uint16_t>(i * 31 % 363);
        event.object = static_cast<std::uint16_t>(1 + i * 7919 % kObjects);
        event.parent = i % 2 ? kBusyLauncher : event.object;
        builder.Add(event);
    }
    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                       ("sortavel-viewer-bench-" + std::to_string(::getpid()) + "-" +
                                        std::to_string(nEvents) + ".stt");
    builder.Write(path.string());
    return path.string();
}

// One file and its loaded debrief per size, for the whole run.
struct CJournal {
    std::string strPath;
    CDebrief debrief;
    ~CJournal()
    {
        std::error_code error;
        std::filesystem::remove(strPath, error);
    }
};

CJournal& Journal(std::uint32_t nEvents)
{
    static std::map<std::uint32_t, std::unique_ptr<CJournal>> journals;
    std::unique_ptr<CJournal>& pJournal = journals[nEvents];
    if (!pJournal) {
        pJournal = std::make_unique<CJournal>();
        pJournal->strPath = WriteJournal(nEvents);
        pJournal->debrief.Open(pJournal->strPath);
    }
    return *pJournal;
}

CDialogWindow* ViewerWindow(const CDialog& dlg)
{
    auto* pHost = dynamic_cast<CWindowHost*>(GetHost());
    return pHost ? pHost->FindWindow(dlg) : nullptr;
}

// Calls fnShown once the viewer's window is on the screen with its first
// rows laid out, from inside its modal loop.
void WhenRowsShown(const CDialog& dlg, std::function<void()> fnShown)
{
    CDialogWindow* pWindow = ViewerWindow(dlg);
    auto* pTable = pWindow ? dynamic_cast<CReportListCtrl*>(pWindow->FindControlWindow(IDC_EVENT_LIST)) : nullptr;
    if (!pTable || !pWindow->GetWindow()->IsShownOnScreen() || pTable->GetRowRect(0).IsEmpty()) {
        // Asked again a millisecond later, not at once: the table's own
        // measurement of its page, queued the same way, runs first.
        auto* pTimer = new wxTimer;
        pTimer->Bind(wxEVT_TIMER, [pTimer, &dlg, fnShown](wxTimerEvent&) {
            wxTheApp->CallAfter([pTimer] { delete pTimer; });
            WhenRowsShown(dlg, fnShown);
        });
        pTimer->StartOnce(1);
        return;
    }
    pWindow->GetWindow()->Update();
    fnShown();
}

void BM_Open(benchmark::State& state)
{
    CJournal& journal = Journal(static_cast<std::uint32_t>(state.range(0)));
    double dMeasured = 0;
    double dBaseline = 0;
    for (auto _ : state) {
        const Clock::time_point t0 = Clock::now();
        Clock::time_point tShown;
        CDebriefViewDlg dlg;
        dlg.m_pDebrief = &journal.debrief;
        WhenRowsShown(dlg, [&] {
            tShown = Clock::now();
            dlg.EndDialog(IDCANCEL);
        });
        dlg.DoModal();
        state.SetIterationTime(Seconds(tShown - t0));
        dMeasured += Seconds(tShown - t0);

        const Clock::time_point t1 = Clock::now();
        CDebrief loaded;
        loaded.Open(journal.strPath);
        benchmark::DoNotOptimize(loaded.m_nEvents);
        dBaseline += Seconds(Clock::now() - t1);
    }
    state.counters["baseline_ms"] = dBaseline / static_cast<double>(state.iterations()) * 1000;
    state.counters["ratio"] = dBaseline > 0 ? dMeasured / dBaseline : 0;
    state.counters["goal_ms"] = 1000;
}

void BM_Filter(benchmark::State& state)
{
    CJournal& journal = Journal(static_cast<std::uint32_t>(state.range(0)));
    const std::vector<DebriefEvent>& events = journal.debrief.m_pEvents;
    double dMeasured = 0;
    double dBaseline = 0;
    double dChildren = 0;
    double dAll = 0;
    std::size_t nPeakHeap = 0;
    const std::size_t nHeapBefore = HeapInUse();

    CDebriefViewDlg dlg;
    dlg.m_pDebrief = &journal.debrief;
    WhenRowsShown(dlg, [&] {
        wxWindow* pWindow = ViewerWindow(dlg)->GetWindow();
        nPeakHeap = HeapInUse();
        dlg.SetDlgItemText(IDC_OBJECT_ID, std::to_string(kBusyLauncher));
        for (auto _ : state) {
            const Clock::time_point t0 = Clock::now();
            dlg.UserClick(IDC_SHOW_CHILDREN);
            pWindow->Update();
            const Clock::time_point t1 = Clock::now();
            nPeakHeap = std::max(nPeakHeap, HeapInUse());
            dlg.UserClick(IDC_SHOW_ALL);
            pWindow->Update();
            const Clock::time_point t2 = Clock::now();
            std::size_t nChildren = 0;
            for (const DebriefEvent& event : events)
                nChildren += event.parent == kBusyLauncher && event.object != kBusyLauncher;
            benchmark::DoNotOptimize(nChildren);
            const Clock::time_point t3 = Clock::now();
            const double dSlower = std::max(Seconds(t1 - t0), Seconds(t2 - t1));
            state.SetIterationTime(dSlower);
            dMeasured += dSlower;
            dChildren += Seconds(t1 - t0);
            dAll += Seconds(t2 - t1);
            dBaseline += Seconds(t3 - t2);
        }
        dlg.EndDialog(IDCANCEL);
    });
    dlg.DoModal();
    const double nRuns = static_cast<double>(std::max<benchmark::IterationCount>(state.iterations(), 1));
    state.counters["children_ms"] = dChildren / nRuns * 1000;
    state.counters["all_ms"] = dAll / nRuns * 1000;
    state.counters["baseline_ms"] = dBaseline / nRuns * 1000;
    state.counters["ratio"] = dBaseline > 0 ? dMeasured / dBaseline : 0;
    state.counters["goal_ms"] = 500;
    state.counters["bytes_per_event"] = static_cast<double>(nPeakHeap > nHeapBefore ? nPeakHeap - nHeapBefore : 0) /
                                        static_cast<double>(events.size());
}

} // namespace

BENCHMARK(BM_Open)
    ->Name("viewer/open")
    ->Arg(100000)
    ->Arg(1000000)
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Filter)
    ->Name("viewer/filter")
    ->Arg(100000)
    ->Arg(1000000)
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);
