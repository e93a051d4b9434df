// A tiny HTTP server on 127.0.0.1 for tests: each connection's request head is handed to a
// handler that decides the raw answer bytes, how long to wait first, or to answer nothing.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct HttpRequestHead {
    std::string requestLine;  // "HEAD http://host/123.123 HTTP/1.1" through a proxy
    std::string host;         // the Host header
};

struct HttpAnswer {
    std::string bytes;      // sent as is; empty with closeAtOnce closes without a word
    int delayMs = 0;        // wait before answering
    bool hold = false;      // accept and never answer until the server stops
};

class LoopbackHttpServer {
public:
    using Handler = std::function<HttpAnswer(const HttpRequestHead&)>;
    explicit LoopbackHttpServer(Handler handler);
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    int port() const { return port_; }
    std::string url() const { return "http://127.0.0.1:" + std::to_string(port_); }
    std::vector<HttpRequestHead> requests();

private:
    void serve();
    void answer(uintptr_t client);

    Handler handler_;
    uintptr_t listener_ = ~uintptr_t(0);
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::mutex mutex_;
    std::vector<HttpRequestHead> requests_;
    std::vector<std::thread> clients_;
    std::thread acceptor_;
};

// "Thu, 09 Jun 2011 12:34:56 GMT" for the current system time (UTC).
std::string httpDateNow();

std::string answerWithDate(const std::string& status, const std::string& date);
