#include "update/VersionTest.h"

#include <string_view>

#include "text/Trim.h"
#include "update/HttpResponse.h"
#include "update/ProductInfo.h"

namespace lh::update {

namespace {

constexpr bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

int versionTest(std::span<const char> body) {
    if (body.size() < 8 || std::string_view(body.data(), 4) != "ver=") {
        return kNoInformation;
    }
    // Four characters such as "1.01" or "1.1\r": a sign, digits and one decimal point, read in
    // thousandths (at most three decimals fit in four characters). No locale can change this.
    std::string_view number = text::trimLeadingBlanks(std::string_view(body.data() + 4, 4));
    const bool negative = !number.empty() && number.front() == '-';
    if (!number.empty() && (number.front() == '-' || number.front() == '+')) {
        number.remove_prefix(1);
    }
    long thousandths = 0;
    long scale = 1000;
    bool digits = false;
    bool point = false;
    for (const char c : number) {
        if (c == '.' && !point) {
            point = true;
        } else if (isDigit(c)) {
            digits = true;
            if (!point) {
                thousandths = thousandths * 10 + (c - '0') * 1000;
            } else {
                scale /= 10;
                thousandths += (c - '0') * scale;
            }
        } else {
            break;
        }
    }
    if (!digits) {
        return kNoInformation;  // "ver=" with no number is no information, not "latest"
    }
    const long ours = kVersionHundredths * 10L;
    return !negative && thousandths > ours ? kNewerVersion : kLatestVersion;
}

}  // namespace lh::update
