// The probe's HTTP exchange through the "WinHttp.WinHttpRequest.5.1" automation object.
#include <ole2.h>
#include <windows.h>

#include <string>
#include <cwchar>
#include <vector>

#include "time/com_ptr.h"
#include "time/time_probe.h"

namespace {

std::wstring widen(const std::string& text) {
    if (text.empty()) return {};
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return wide;
}

std::string narrow(const wchar_t* wide, UINT length) {
    if (length == 0) return {};
    const int n = WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(length), text.data(), n, nullptr, nullptr);
    return text;
}

// A BSTR argument that frees itself.
class ScopedBstr {
public:
    explicit ScopedBstr(const std::wstring& text) : b_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    ScopedBstr(const ScopedBstr&) = delete;
    ScopedBstr& operator=(const ScopedBstr&) = delete;
    ~ScopedBstr() { SysFreeString(b_); }
    BSTR get() const { return b_; }

private:
    BSTR b_;
};

VARIANT longArg(LONG value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

VARIANT boolArg(bool value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BOOL;
    v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}

VARIANT bstrArg(const ScopedBstr& text) {  // borrowed: the ScopedBstr keeps ownership
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = text.get();
    return v;
}

VARIANT missingArg() {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_ERROR;
    v.scode = DISP_E_PARAMNOTFOUND;
    return v;
}

constexpr LONG kReceiveTimeoutMs = 5000;

class WinHttpRequestExchange final : public DateHeaderExchange {
public:
    explicit WinHttpRequestExchange(ComPtr<IDispatch> request) : request_(std::move(request)) {}

    // Failures are ignored here on purpose: they all end as an empty Date text.
    void configure() {
        std::vector<VARIANT> timeouts = {longArg(kReceiveTimeoutMs), longArg(10000), longArg(5000), longArg(5000)};
        // Arguments go in reverse: resolve, connect, send, receive = 5000, 5000, 10000, 5000.
        call(L"SetTimeouts", DISPATCH_METHOD, timeouts, nullptr);
        std::vector<VARIANT> option = {boolArg(false), longArg(6)};  // Option(6) = redirects
        call(L"Option", DISPATCH_PROPERTYPUT, option, nullptr);
    }

    void open(const std::string& url) override {
        const ScopedBstr method(L"HEAD");
        const ScopedBstr target(widen(url));
        // Asynchronous, so that the wait for the answer is bounded below (see sendAndReadDate).
        std::vector<VARIANT> args = {boolArg(true), bstrArg(target), bstrArg(method)};
        call(L"Open", DISPATCH_METHOD, args, nullptr);
    }

    std::string sendAndReadDate() override {
        std::vector<VARIANT> noBody = {missingArg()};
        if (!call(L"Send", DISPATCH_METHOD, noBody, nullptr)) return {};
        // Sent asynchronously, so the wait for the answer is bounded by the receive time-out
        // even where WinHTTP applies that time-out only to the body.
        std::vector<VARIANT> waitSeconds = {longArg(kReceiveTimeoutMs / 1000)};
        ScopedVariant answered;
        if (!call(L"WaitForResponse", DISPATCH_METHOD, waitSeconds, answered.get()) ||
            VariantChangeType(answered.get(), answered.get(), 0, VT_BOOL) != S_OK ||
            (*answered).boolVal == VARIANT_FALSE) {
            std::vector<VARIANT> none;
            call(L"Abort", DISPATCH_METHOD, none, nullptr);
            return {};
        }
        const ScopedBstr name(L"Date");
        std::vector<VARIANT> args = {bstrArg(name)};
        ScopedVariant header;
        if (!call(L"GetResponseHeader", DISPATCH_METHOD, args, header.get())) return {};
        if (VariantChangeType(header.get(), header.get(), 0, VT_BSTR) != S_OK) return {};
        const BSTR text = (*header).bstrVal;
        // The header becomes ANSI text, which ends at its first NUL; Wine even counts a
        // terminating NUL in the string's length.
        return text ? narrow(text, static_cast<UINT>(wcsnlen(text, SysStringLen(text)))) : std::string();
    }

private:
    bool call(const wchar_t* member, WORD kind, std::vector<VARIANT>& args, VARIANT* result) {
        DISPID id = 0;
        LPOLESTR name = const_cast<LPOLESTR>(member);
        if (FAILED(request_->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id))) return false;
        DISPID namedPut = DISPID_PROPERTYPUT;
        DISPPARAMS params{};
        params.rgvarg = args.data();
        params.cArgs = static_cast<UINT>(args.size());
        if (kind == DISPATCH_PROPERTYPUT) {
            params.rgdispidNamedArgs = &namedPut;
            params.cNamedArgs = 1;
        }
        EXCEPINFO exception{};
        const HRESULT hr = request_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &params, result, &exception, nullptr);
        SysFreeString(exception.bstrSource);
        SysFreeString(exception.bstrDescription);
        SysFreeString(exception.bstrHelpFile);
        return SUCCEEDED(hr);
    }

    ComPtr<IDispatch> request_;
};

ComPtr<IDispatch> createRequestObject() {
    ComPtr<IDispatch> request;
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(L"WinHttp.WinHttpRequest.5.1", &clsid))) return request;
    ComPtr<IUnknown> unknown;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IUnknown, unknown.putVoid()))) return request;
    if (FAILED(OleRun(unknown.get()))) return request;
    unknown->QueryInterface(IID_IDispatch, request.putVoid());
    return request;
}

uint32_t systemTicks() { return GetTickCount(); }

ProbeWaitHandler g_waitHandler = nullptr;

struct ProbeJob {
    const std::string& serverText;
    ServerTime result;
};

DWORD WINAPI runProbe(void* parameter) {
    auto* job = static_cast<ProbeJob*>(parameter);
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    {
        ComPtr<IDispatch> request = createRequestObject();
        if (request) {
            WinHttpRequestExchange exchange(std::move(request));  // releases the object on every path
            exchange.configure();
            job->result = queryServerTimeVia(exchange, job->serverText, systemTicks);
        }
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return 0;
}

}  // namespace

// The exchange runs on a thread of its own and the caller waits for it. On a thread with
// windows, WinHTTP's wait restarts after every window message it dispatches (a one-second
// timer is enough), so a silent server would hold the probe for ever; on a thread whose
// apartment gets no messages the wait ends with the time-out. The apartment is a
// single-threaded one: a multithreaded apartment set up and torn down for each probe stops
// working after 63 probes under Wine. Events that arrive meanwhile go to the wait handler.
ServerTime queryServerTime(const std::string& serverText) {
    ProbeJob job{serverText, {}};
    const HANDLE thread = CreateThread(nullptr, 0, runProbe, &job, 0, nullptr);
    if (!thread) return {};
    bool handling = g_waitHandler != nullptr;
    // Once the event loop is to end, only the probe is waited for.
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, handling ? QS_ALLINPUT : 0) == WAIT_OBJECT_0 + 1)
        handling = g_waitHandler();
    WaitForSingleObject(thread, INFINITE);  // also when the wait above failed
    CloseHandle(thread);
    return job.result;
}

void setProbeWaitHandler(ProbeWaitHandler handler) { g_waitHandler = handler; }
