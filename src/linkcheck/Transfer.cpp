#include "linkcheck/Transfer.h"

#include <sys/socket.h>

#include "linkcheck/NetworkAddress.h"

namespace lh::linkcheck {

namespace {

// Browser-like, so that sites answer as they would a visitor, and naming us for their logs.
constexpr const char* kUserAgent =
    "Mozilla/5.0 (X11; Linux x86_64) AppleWebKit/537.36 (KHTML, like Gecko) "
    "Linkhaven link check";

Failure failureOf(CURLcode result) {
    switch (result) {
        case CURLE_OK:
            return Failure::None;
        case CURLE_OPERATION_TIMEDOUT:
            return Failure::TimedOut;
        case CURLE_COULDNT_RESOLVE_HOST:
            return Failure::NoSuchName;
        case CURLE_COULDNT_CONNECT:
            return Failure::Refused;
        case CURLE_SSL_CONNECT_ERROR:
        case CURLE_PEER_FAILED_VERIFICATION:
        case CURLE_SSL_CERTPROBLEM:
        case CURLE_SSL_CIPHER:
        case CURLE_SSL_ISSUER_ERROR:
        case CURLE_SSL_INVALIDCERTSTATUS:
        case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
        case CURLE_USE_SSL_FAILED:
            return Failure::Tls;
        default:
            return Failure::Other;
    }
}

// Servers that mishandle HEAD hang up, send nothing or send garbage; a GET may still work.
bool breaksHead(CURLcode result) {
    switch (result) {
        case CURLE_GOT_NOTHING:
        case CURLE_RECV_ERROR:
        case CURLE_SEND_ERROR:
        case CURLE_WEIRD_SERVER_REPLY:
        case CURLE_PARTIAL_FILE:
        case CURLE_HTTP2:
        case CURLE_HTTP2_STREAM:
            return true;
        default:
            return false;
    }
}

long millisecondsOf(std::chrono::milliseconds time) {
    return static_cast<long>(std::max<std::chrono::milliseconds::rep>(time.count(), 1));
}

}  // namespace

Transfer::Transfer(std::size_t tag, const std::string& address, bool get,
                   const TransferSettings& settings)
    : m_tag(tag),
      m_handle(curl_easy_init()),
      m_get(get),
      m_allowPrivate(settings.allowPrivate),
      m_proxied(settings.proxied) {
    CURL* h = m_handle;
    curl_easy_setopt(h, CURLOPT_URL, address.c_str());
    curl_easy_setopt(h, CURLOPT_PRIVATE, this);
    curl_easy_setopt(h, CURLOPT_SHARE, settings.share);
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    // Resolver threads must not hold up the end of a cancelled run.
    curl_easy_setopt(h, CURLOPT_QUICK_EXIT, 1L);
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(h, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_2TLS));
    curl_easy_setopt(h, CURLOPT_USERAGENT, kUserAgent);
    curl_easy_setopt(h, CURLOPT_COOKIEFILE, "");  // sites that set a cookie and redirect
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, millisecondsOf(settings.connectTimeout));
    curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, millisecondsOf(settings.timeout));
    curl_easy_setopt(h, CURLOPT_OPENSOCKETFUNCTION, &Transfer::openSocket);
    curl_easy_setopt(h, CURLOPT_OPENSOCKETDATA, this);
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &Transfer::cutBody);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, this);
    if (settings.resolve != nullptr) {
        curl_easy_setopt(h, CURLOPT_RESOLVE, settings.resolve);
    }
    if (!get) {
        curl_easy_setopt(h, CURLOPT_NOBODY, 1L);
    }
}

Transfer::~Transfer() {
    curl_easy_cleanup(m_handle);
}

// Every connection, redirects included, passes here with the address really used.
curl_socket_t Transfer::openSocket(void* self, curlsocktype, curl_sockaddr* address) {
    auto* transfer = static_cast<Transfer*>(self);
    if (!transfer->m_allowPrivate && !transfer->m_proxied && isPrivateAddress(&address->addr)) {
        transfer->m_refusedPrivate = true;
        return CURL_SOCKET_BAD;
    }
    return ::socket(address->family, address->socktype | SOCK_CLOEXEC, address->protocol);
}

std::size_t Transfer::cutBody(char*, std::size_t, std::size_t, void* self) {
    // The status and headers are in; the body is not needed.
    static_cast<Transfer*>(self)->m_bodyCut = true;
    return 0;
}

Transfer::Outcome Transfer::outcome(CURLcode result) const {
    Outcome o;
    long code = 0;
    curl_easy_getinfo(m_handle, CURLINFO_RESPONSE_CODE, &code);
    o.code = static_cast<int>(code);
    const bool answered = result == CURLE_OK || (result == CURLE_WRITE_ERROR && m_bodyCut);
    if (!answered) {
        o.failure = m_refusedPrivate ? Failure::PrivateAddress : failureOf(result);
        o.headBroken = !m_get && breaksHead(result);
    }
    char* location = nullptr;
    if (curl_easy_getinfo(m_handle, CURLINFO_REDIRECT_URL, &location) == CURLE_OK &&
        location != nullptr) {
        o.location = location;
    }
    curl_off_t retryAfter = 0;
    if (curl_easy_getinfo(m_handle, CURLINFO_RETRY_AFTER, &retryAfter) == CURLE_OK) {
        o.retryAfter = std::chrono::seconds(retryAfter);
    }
    char* ip = nullptr;
    o.reachedHost = curl_easy_getinfo(m_handle, CURLINFO_PRIMARY_IP, &ip) == CURLE_OK &&
                    ip != nullptr && *ip != '\0';
    curl_off_t took = 0;
    curl_easy_getinfo(m_handle, CURLINFO_TOTAL_TIME_T, &took);
    o.took = std::chrono::milliseconds(took / 1000);
    return o;
}

}  // namespace lh::linkcheck
