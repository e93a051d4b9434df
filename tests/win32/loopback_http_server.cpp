#include "loopback_http_server.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <chrono>
#include <cstdio>

namespace {

struct WinsockSession {
    WinsockSession() {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
    }
    ~WinsockSession() { WSACleanup(); }
};

std::string headerValue(const std::string& head, const std::string& name) {
    size_t pos = 0;
    while ((pos = head.find("\r\n", pos)) != std::string::npos) {
        pos += 2;
        if (_strnicmp(head.c_str() + pos, (name + ":").c_str(), name.size() + 1) == 0) {
            size_t start = pos + name.size() + 1;
            while (start < head.size() && head[start] == ' ') ++start;
            return head.substr(start, head.find("\r\n", start) - start);
        }
    }
    return {};
}

}  // namespace

LoopbackHttpServer::LoopbackHttpServer(Handler handler) : handler_(std::move(handler)) {
    static WinsockSession session;
    const SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
    listen(s, 16);
    int length = sizeof address;
    getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    listener_ = s;
    acceptor_ = std::thread([this] { serve(); });
}

LoopbackHttpServer::~LoopbackHttpServer() {
    stopping_ = true;
    closesocket(static_cast<SOCKET>(listener_));
    acceptor_.join();
    for (std::thread& t : clients_) t.join();
}

std::vector<HttpRequestHead> LoopbackHttpServer::requests() {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

void LoopbackHttpServer::serve() {
    for (;;) {
        const SOCKET client = accept(static_cast<SOCKET>(listener_), nullptr, nullptr);
        if (client == INVALID_SOCKET) return;
        std::lock_guard<std::mutex> lock(mutex_);
        clients_.emplace_back([this, client] { answer(client); });
    }
}

void LoopbackHttpServer::answer(uintptr_t raw) {
    const SOCKET client = static_cast<SOCKET>(raw);
    std::string head;
    char buffer[4096];
    while (head.find("\r\n\r\n") == std::string::npos && head.size() < 65536) {
        const int n = recv(client, buffer, sizeof buffer, 0);
        if (n <= 0) break;
        head.append(buffer, static_cast<size_t>(n));
    }
    HttpRequestHead request;
    request.requestLine = head.substr(0, head.find("\r\n"));
    request.host = headerValue(head, "Host");
    {
        std::lock_guard<std::mutex> lock(mutex_);
        requests_.push_back(request);
    }
    const HttpAnswer reply = handler_(request);
    for (int waited = 0; (reply.hold || waited < reply.delayMs) && !stopping_; waited += 10) Sleep(10);
    if (!stopping_ && !reply.bytes.empty()) send(client, reply.bytes.data(), static_cast<int>(reply.bytes.size()), 0);
    shutdown(client, SD_BOTH);
    closesocket(client);
}

std::string httpDateNow() {
    SYSTEMTIME t;
    GetSystemTime(&t);
    static const char* const days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    char text[64];
    std::snprintf(text, sizeof text, "%s, %02d %s %04d %02d:%02d:%02d GMT", days[t.wDayOfWeek], t.wDay,
                  months[t.wMonth - 1], t.wYear, t.wHour, t.wMinute, t.wSecond);
    return text;
}

std::string answerWithDate(const std::string& status, const std::string& date) {
    return "HTTP/1.1 " + status + "\r\nDate: " + date + "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
}
