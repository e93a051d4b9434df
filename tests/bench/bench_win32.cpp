// Figures of the program against baselines measured in the same run, printed one per line.
#include <windows.h>
#include <ole2.h>
#include <winhttp.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "host_process.h"
#include "loopback_http_server.h"
#include "sync/bindings_win32.h"
#include "sync/sync_state.h"
#include "time/time_probe.h"
#include "ui/controls.h"
#include "ui/main_window_win32.h"

namespace {

double nowMs() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return 1000.0 * static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double threadCpuMs() {
    FILETIME created, ended, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user);
    auto ms = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
    };
    return ms(kernel) + ms(user);
}

void pumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) dispatchWithFrameRules(msg);
}

// Its anonymous resident memory, the private bytes, as the host sees the Wine process.
long privateKibOf(const std::string& program) {
    return hostProcessFigureKib(program.substr(program.rfind('\\') + 1), "RssAnon:");
}

struct Started {
    double ms = 0;
    long privateKib = -1;
};

struct FindArgs {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK findVisible(HWND hwnd, LPARAM lParam) {
    auto* args = reinterpret_cast<FindArgs*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == args->pid && IsWindowVisible(hwnd)) {
        args->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// From process start to its window shown and the first paint handled (the program idle).
Started startAndTime(const std::string& program) {
    Started s;
    std::string command = "\"" + program + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION p{};
    const double start = nowMs();
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &p)) return s;
    FindArgs args{p.dwProcessId, nullptr};
    while (!args.found && nowMs() - start < 60000) {
        EnumWindows(findVisible, reinterpret_cast<LPARAM>(&args));
        if (!args.found) Sleep(1);
    }
    WaitForInputIdle(p.hProcess, 30000);
    DWORD_PTR ignored;
    SendMessageTimeoutA(args.found, WM_NULL, 0, 0, SMTO_BLOCK, 30000, &ignored);
    s.ms = nowMs() - start;
    s.privateKib = privateKibOf(program);
    // Closed as a user would: a killed process keeps Wine busy for a while and the next
    // start would pay for it.
    PostMessageA(args.found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(p.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(p.hProcess, 0);
    WaitForSingleObject(p.hProcess, 10000);
    CloseHandle(p.hThread);
    CloseHandle(p.hProcess);
    return s;
}

// A bare HEAD request over the flat WinHTTP API, through the same proxy.
bool bareHead(const std::wstring& proxy) {
    HINTERNET session = WinHttpOpen(L"bench", WINHTTP_ACCESS_TYPE_NAMED_PROXY, proxy.c_str(), WINHTTP_NO_PROXY_BYPASS, 0);
    HINTERNET connection = session ? WinHttpConnect(session, L"www.ntsc.ac.cn", 80, 0) : nullptr;
    HINTERNET request = connection ? WinHttpOpenRequest(connection, L"HEAD", L"/123.123", nullptr, WINHTTP_NO_REFERER,
                                                        WINHTTP_DEFAULT_ACCEPT_TYPES, 0)
                                   : nullptr;
    bool ok = request && WinHttpSendRequest(request, WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0) &&
              WinHttpReceiveResponse(request, nullptr);
    wchar_t date[128];
    DWORD size = sizeof date;
    ok = ok && WinHttpQueryHeaders(request, WINHTTP_QUERY_DATE, WINHTTP_HEADER_NAME_BY_INDEX, date, &size,
                                   WINHTTP_NO_HEADER_INDEX);
    if (request) WinHttpCloseHandle(request);
    if (connection) WinHttpCloseHandle(connection);
    if (session) WinHttpCloseHandle(session);
    return ok;
}

void print(const char* name, double value, const char* unit, double baseline, const char* baselineName) {
    std::printf("%-34s %10.3f %-3s  baseline %-26s %10.3f %-3s  ratio %7.2f\n", name, value, unit, baselineName, baseline,
                unit, baseline > 0 ? value / baseline : 0.0);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: quorvel_bench <Quorvel.exe> <minimal.exe> (Windows paths)\n");
        return 2;
    }
    OleInitialize(nullptr);
    constexpr int kStarts = 5;

    std::vector<double> program, minimal;
    long programKib = 0, minimalKib = 0;
    for (int i = 0; i < kStarts; ++i) {
        const Started a = startAndTime(argv[1]);
        const Started b = startAndTime(argv[2]);
        program.push_back(a.ms);
        minimal.push_back(b.ms);
        programKib = a.privateKib;
        minimalKib = b.privateKib;
    }
    print("start-up to painted window", median(program), "ms", median(minimal), "minimal window");
    print("private memory after start", programKib, "KiB", minimalKib, "minimal window");

    LoopbackHttpServer server([](const HttpRequestHead&) { return HttpAnswer{answerWithDate("200 OK", httpDateNow())}; });
    SetEnvironmentVariableA("http_proxy", server.url().c_str());
    const std::wstring proxy = L"127.0.0.1:" + std::to_wstring(server.port());
    constexpr int kProbes = 50;
    std::vector<double> probe, bare;
    for (int i = 0; i < kProbes; ++i) {
        double t = nowMs();
        if (!queryServerTime("http://www.ntsc.ac.cn").ok) std::fprintf(stderr, "a probe failed\n");
        probe.push_back(nowMs() - t);
        t = nowMs();
        if (!bareHead(proxy)) std::fprintf(stderr, "a bare HEAD failed\n");
        bare.push_back(nowMs() - t);
    }
    print("one probe (median of 50)", median(probe), "ms", median(bare), "bare WinHTTP HEAD");

    if (!createMainWindow(GetModuleHandleA(nullptr), formBindings())) return 1;
    pumpMessages();
    // A time Wine takes: this very second, written early in it.
    setChecked(Control::选择框_自动校准, true);
    std::vector<double> toClock, bareClock;
    for (int i = 0; i < 5; ++i) {
        SYSTEMTIME st;
        do {
            GetLocalTime(&st);
        } while (st.wMilliseconds > 100);
        st.wMilliseconds = 0;
        const DateTime serverTime = fromCalendarFields({st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, 0});
        double t = nowMs();
        acceptServerTime(serverTime);  // the end of a successful probe: takes it, then sets the clock
        toClock.push_back(nowMs() - t);
        t = nowMs();
        SetLocalTime(&st);
        bareClock.push_back(nowMs() - t);
        pumpMessages();
    }
    print("probe end to clock set (with notice)", median(toClock), "ms", median(bareClock), "bare SetLocalTime");

    constexpr int kTicks = 2000;
    double cpu = threadCpuMs();
    for (int i = 0; i < kTicks; ++i) onTimerTick();
    const double tickMs = (threadCpuMs() - cpu) / kTicks;
    HWND edit = controlHandle(Control::编辑框_系统时间);
    cpu = threadCpuMs();
    for (int i = 0; i < kTicks; ++i) {
        SYSTEMTIME st;
        GetLocalTime(&st);
        char text[64];
        std::snprintf(text, sizeof text, "%d-%d-%d %d:%d:%d", st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute,
                      st.wSecond);
        SetWindowTextA(edit, text);
    }
    const double bareTickMs = (threadCpuMs() - cpu) / kTicks;
    print("CPU per tick", tickMs * 1000.0, "us", bareTickMs * 1000.0, "one SetWindowText");

    requestDestroy();
    for (int i = 0; i < 1000 && !windowGone(); ++i) pumpMessages();
    OleUninitialize();
    return 0;
}
