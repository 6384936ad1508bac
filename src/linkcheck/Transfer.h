#pragma once

#include <curl/curl.h>

#include <chrono>
#include <string>

#include "linkcheck/Verdicts.h"

namespace lh::linkcheck {

// What every request of a run shares.
struct TransferSettings {
    CURLSH* share = nullptr;
    curl_slist* resolve = nullptr;  // HOST:PORT:ADDRESS entries for this request's host
    std::chrono::milliseconds connectTimeout{10'000};
    std::chrono::milliseconds timeout{20'000};  // for this request, what is left of the try's
    bool allowPrivate = false;
    bool proxied = false;  // a proxy makes the connection, so its address is all we would see
};

// One HEAD or GET request on a libcurl easy handle. Redirects are not followed here: each one is
// a request of its own, so that the scheduler sees every host a link leads to. Bodies are cut
// off at their first bytes and never kept.
class Transfer {
public:
    // `tag` names the link the request is for.
    Transfer(std::size_t tag, const std::string& address, bool get,
             const TransferSettings& settings);
    ~Transfer();
    Transfer(const Transfer&) = delete;
    Transfer& operator=(const Transfer&) = delete;

    CURL* handle() const { return m_handle; }
    std::size_t tag() const { return m_tag; }

    // After libcurl reported the request done with `result`:
    struct Outcome {
        Failure failure = Failure::None;
        bool headBroken = false;  // a HEAD that failed in a way a GET may not
        int code = 0;
        std::string location;  // the absolute address a redirect names
        std::chrono::seconds retryAfter{0};
        bool reachedHost = false;  // the name resolved and a connection was tried
        std::chrono::milliseconds took{0};
    };
    Outcome outcome(CURLcode result) const;

private:
    static curl_socket_t openSocket(void* self, curlsocktype purpose, curl_sockaddr* address);
    static std::size_t cutBody(char* data, std::size_t size, std::size_t count, void* self);

    std::size_t m_tag;
    CURL* m_handle;
    bool m_get;
    bool m_allowPrivate;
    bool m_proxied;
    bool m_refusedPrivate = false;
    bool m_bodyCut = false;
};

}  // namespace lh::linkcheck
