#include "linkcheck/CheckSession.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <mutex>
#include <optional>

#include "linkcheck/NetworkAddress.h"
#include "text/Ascii.h"
#include "text/StoredAddress.h"

namespace lh::linkcheck {

namespace {

constexpr int kMaxRedirects = 10;
constexpr int kMaxWaits = 2;  // pauses a server may ask for before the link counts as an error
constexpr std::chrono::seconds kLongestWait{120};
constexpr std::chrono::milliseconds kLongestPoll{100};  // how soon a stop is seen

struct WebAddress {
    std::string address;  // as libcurl writes it
    std::string host;     // lower case
};

bool startsWithWebScheme(const std::string& text) {
    const std::string lower = text::toLowerAscii(text.substr(0, 8));
    return lower.starts_with("http://") || lower.starts_with("https://");
}

// Whether `text` begins with a scheme ("mailto:", "javascript:"), and not with a host name and
// port ("example.org:8080/").
bool hasScheme(const std::string& text) {
    const auto colon = text.find(':');
    if (colon == 0 || colon == std::string::npos ||
        !std::isalpha(static_cast<unsigned char>(text[0]))) {
        return false;
    }
    const auto isSchemeChar = [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
    };
    if (!std::all_of(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(colon),
                     isSchemeChar)) {
        return false;
    }
    const auto portEnd = text.find_first_of("/?#", colon + 1);
    const std::string port = text.substr(colon + 1, portEnd - colon - 1);
    return port.empty() || !std::all_of(port.begin(), port.end(), [](char c) {
               return std::isdigit(static_cast<unsigned char>(c));
           });
}

// `text` as an http or https address; an address without a scheme is taken as http, as a
// browser would. Nothing for any other scheme or an address that cannot be read.
std::optional<WebAddress> webAddress(const std::string& text) {
    if (hasScheme(text) && !startsWithWebScheme(text)) {
        return std::nullopt;
    }
    CURLU* url = curl_url();
    std::optional<WebAddress> found;
    char* scheme = nullptr;
    char* host = nullptr;
    char* whole = nullptr;
    if (curl_url_set(url, CURLUPART_URL, text.c_str(),
                     CURLU_GUESS_SCHEME | CURLU_NON_SUPPORT_SCHEME) == CURLUE_OK &&
        curl_url_get(url, CURLUPART_SCHEME, &scheme, 0) == CURLUE_OK &&
        curl_url_get(url, CURLUPART_HOST, &host, 0) == CURLUE_OK &&
        curl_url_get(url, CURLUPART_URL, &whole, 0) == CURLUE_OK) {
        const std::string lowerScheme = text::toLowerAscii(scheme);
        if (lowerScheme == "http" || lowerScheme == "https") {
            found = WebAddress{whole, text::toLowerAscii(host)};
        }
    }
    curl_free(scheme);
    curl_free(host);
    curl_free(whole);
    curl_url_cleanup(url);
    return found;
}

// libcurl honours these; through a proxy the address of the site is never seen here.
bool proxyInEnvironment() {
    for (const char* name :
         {"http_proxy", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return true;
        }
    }
    return false;
}

void initialiseCurl() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

}  // namespace

bool proxyHidesAddresses() {
    return proxyInEnvironment();
}

CheckSession::CheckSession(std::span<const LinkTarget> targets, const CheckOptions& options,
                           const ResultSink& onResult)
    : m_targets(targets),
      m_options(options),
      m_onResult(onResult),
      m_links(targets.size()),
      m_scheduler(options.maxInFlight, options.perHost, options.hostSpacing),
      m_proxied(proxyInEnvironment()) {
    initialiseCurl();
    m_share = curl_share_init();
    curl_share_setopt(m_share, CURLSHOPT_SHARE, CURL_LOCK_DATA_DNS);
    curl_share_setopt(m_share, CURLSHOPT_SHARE, CURL_LOCK_DATA_CONNECT);
    curl_share_setopt(m_share, CURLSHOPT_SHARE, CURL_LOCK_DATA_SSL_SESSION);
    curl_share_setopt(m_share, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
    m_multi = curl_multi_init();
    for (const std::string& entry : options.resolve) {
        const std::string host = text::toLowerAscii(entry.substr(0, entry.find(':')));
        m_resolve[host] = curl_slist_append(m_resolve[host], entry.c_str());
    }
}

CheckSession::~CheckSession() {
    for (Link& link : m_links) {
        if (link.transfer) {
            curl_multi_remove_handle(m_multi, link.transfer->handle());
            link.transfer.reset();
        }
    }
    curl_multi_cleanup(m_multi);
    curl_share_cleanup(m_share);
    for (auto& [host, list] : m_resolve) {
        curl_slist_free_all(list);
    }
}

curl_slist* CheckSession::resolveFor(const std::string& host) {
    const auto it = m_resolve.find(host);
    return it == m_resolve.end() ? nullptr : it->second;
}

void CheckSession::report(std::size_t index, const Judgement& judgement, int code,
                          std::string finalAddress) {
    LinkResult result;
    result.index = index;
    result.itemId = m_targets[index].itemId;
    result.address = m_targets[index].address;
    result.verdict = judgement.verdict;
    result.code = code;
    result.finalAddress = std::move(finalAddress);
    result.reason = judgement.reason;
    result.ms = m_links[index].spent.count();
    result.checkedAt = std::chrono::duration_cast<std::chrono::seconds>(
                           std::chrono::system_clock::now().time_since_epoch())
                           .count();
    m_onResult(result);
    for (const std::size_t copy : m_links[index].copies) {
        result.index = copy;
        result.itemId = m_targets[copy].itemId;
        result.address = m_targets[copy].address;
        m_onResult(result);
    }
}

void CheckSession::queueFirstTries() {
    for (std::size_t i = 0; i < m_targets.size(); ++i) {
        const std::string& text = m_targets[i].address;
        const std::optional<WebAddress> web = webAddress(text);
        if (!web) {
            report(i,
                   startsWithWebScheme(text)
                       ? Judgement{Verdict::Error, "not a valid address", false}
                       : Judgement{Verdict::Skipped, "not a web address", false},
                   0, {});
            continue;
        }
        if (!m_options.allowPrivate && isLocalHost(web->host)) {
            report(i, {Verdict::Skipped, "private address", false}, 0, {});
            continue;
        }
        // Links to the same address are asked once.
        const auto [first, added] = m_firstOf.try_emplace(web->address, i);
        if (!added) {
            m_links[first->second].copies.push_back(i);
            continue;
        }
        Link& link = m_links[i];
        link.original = web->address;
        link.address = web->address;
        link.host = web->host;
        link.visited = {web->address};
        link.tryBegan = Clock::now();
        m_scheduler.add(i, link.host);
    }
}

void CheckSession::run(const std::atomic<bool>& stop) {
    queueFirstTries();
    while (!stop && !m_scheduler.idle()) {
        startReady(Clock::now());
        int running = 0;
        curl_multi_perform(m_multi, &running);
        collectDone();
        if (stop || m_scheduler.idle()) {
            break;
        }
        auto wait = kLongestPoll;
        if (const auto chance = m_scheduler.nextChance()) {
            const auto until = std::chrono::ceil<std::chrono::milliseconds>(*chance - Clock::now());
            wait = std::clamp(until, std::chrono::milliseconds(0), kLongestPoll);
        }
        curl_multi_poll(m_multi, nullptr, 0, static_cast<int>(wait.count()), nullptr);
    }
}

void CheckSession::startReady(Clock::time_point now) {
    while (const auto index = m_scheduler.next(now)) {
        start(*index);
    }
}

void CheckSession::start(std::size_t index) {
    Link& link = m_links[index];
    const auto left = m_options.totalTimeout - link.spentThisTry;
    TransferSettings settings{
        m_share, resolveFor(link.host),  std::min(m_options.connectTimeout, left),
        left,    m_options.allowPrivate, m_proxied};
    link.transfer = std::make_unique<Transfer>(index, link.address, link.useGet, settings);
    curl_multi_add_handle(m_multi, link.transfer->handle());
}

void CheckSession::collectDone() {
    int left = 0;
    while (CURLMsg* message = curl_multi_info_read(m_multi, &left)) {
        if (message->msg != CURLMSG_DONE) {
            continue;
        }
        Transfer* transfer = nullptr;
        curl_easy_getinfo(message->easy_handle, CURLINFO_PRIVATE, &transfer);
        done(transfer->tag(), message->data.result);
    }
}

void CheckSession::done(std::size_t index, CURLcode result) {
    Link& link = m_links[index];
    const Transfer::Outcome outcome = link.transfer->outcome(result);
    curl_multi_remove_handle(m_multi, link.transfer->handle());
    link.transfer.reset();
    m_scheduler.finished(link.host);
    link.spent += outcome.took;
    link.spentThisTry += outcome.took;
    if (outcome.reachedHost) {
        m_lastReached = Clock::now();
    }
    if (!goOn(index, outcome)) {
        finish(index, outcome);
    }
}

bool CheckSession::goOn(std::size_t index, const Transfer::Outcome& outcome) {
    Link& link = m_links[index];
    if (link.spentThisTry >= m_options.totalTimeout) {
        return false;
    }
    if (outcome.failure != Failure::None) {
        if (!outcome.headBroken || link.useGet) {
            return false;
        }
        link.useGet = true;
        requeue(index);
        return true;
    }
    const int code = outcome.code;
    if (!link.useGet && headRefused(code) && code != 503) {
        link.useGet = true;
        requeue(index);
        return true;
    }
    const bool askedToWait = code == 429 || (code == 503 && outcome.retryAfter.count() > 0);
    if (askedToWait && link.waits < kMaxWaits) {
        const auto wait =
            outcome.retryAfter.count() > 0
                ? std::chrono::duration_cast<std::chrono::milliseconds>(outcome.retryAfter)
                : m_options.retryDelay;
        if (wait <= kLongestWait) {
            ++link.waits;
            const auto until = Clock::now() + wait;
            m_scheduler.pause(link.host, until);
            requeue(index, until);
            return true;
        }
    }
    if (code == 503 && !link.useGet) {
        link.useGet = true;
        requeue(index);
        return true;
    }
    return isRedirect(code) && !outcome.location.empty() &&
           followRedirect(index, code, outcome.location);
}

bool CheckSession::followRedirect(std::size_t index, int code, const std::string& location) {
    Link& link = m_links[index];
    const std::optional<WebAddress> next = webAddress(location);
    Failure failure = Failure::None;
    if (!next || text::storedAddressProblem(next->address)) {
        failure = Failure::BadRedirect;
    } else if (std::count(link.visited.begin(), link.visited.end(), next->address) >= 2) {
        failure = Failure::RedirectLoop;
    } else if (link.redirects >= kMaxRedirects) {
        failure = Failure::TooManyRedirects;
    } else if (!m_options.allowPrivate && isLocalHost(next->host)) {
        failure = Failure::PrivateAddress;
    }
    if (failure != Failure::None) {
        Transfer::Outcome failed;
        failed.failure = failure;
        failed.code = code;
        finish(index, failed);
        return true;
    }
    ++link.redirects;
    if (link.permanentSoFar && isPermanentRedirect(code)) {
        link.permanentEnd = next->address;
    } else {
        link.permanentSoFar = false;
    }
    link.address = next->address;
    link.host = next->host;
    link.visited.push_back(next->address);
    requeue(index);
    return true;
}

void CheckSession::requeue(std::size_t index, Clock::time_point notBefore) {
    m_scheduler.add(index, m_links[index].host, notBefore, true);
}

void CheckSession::finish(std::size_t index, const Transfer::Outcome& outcome) {
    Link& link = m_links[index];
    Observation seen;
    seen.failure = outcome.failure;
    if (seen.failure == Failure::None && link.spentThisTry >= m_options.totalTimeout &&
        (isRedirect(outcome.code) || outcome.code == 429)) {
        seen.failure = Failure::TimedOut;  // the try's time ran out between requests
    }
    seen.code = outcome.code;
    seen.movedAway = !link.permanentEnd.empty() && link.permanentEnd != link.original;
    seen.secondTry = link.secondTry;
    seen.othersResolve = m_lastReached && *m_lastReached >= link.tryBegan;
    const Judgement judgement = judge(seen);
    if (judgement.retry && !link.secondTry) {
        const std::string host = webAddress(link.original)->host;
        Link fresh;
        fresh.original = link.original;
        fresh.address = link.original;
        fresh.host = host;
        fresh.visited = {link.original};
        fresh.secondTry = true;
        fresh.spent = link.spent;
        fresh.tryBegan = link.tryBegan;
        fresh.copies = std::move(link.copies);
        link = std::move(fresh);
        requeue(index, Clock::now() + m_options.retryDelay);
        return;
    }
    std::string finalAddress = seen.movedAway       ? link.permanentEnd
                               : link.redirects > 0 ? link.address
                                                    : std::string();
    report(index, judgement, outcome.code, std::move(finalAddress));
}

}  // namespace lh::linkcheck
