#include "update/CheckAnswer.h"

#include "update/HttpResponse.h"
#include "update/ProductInfo.h"

namespace lh::update {

namespace {
constexpr const char* kNoInformationText = "Can't get update information.";
}  // namespace

CheckAnswer answerFor(int result) {
    switch (result) {
        case kNewerVersion:
            return {kNewerVersionText, true};
        case kLatestVersion:
            return {"You already have the latest version of Linkhaven.", false};
        default:
            return {kNoInformationText, false};
    }
}

CheckAnswer noAnswerInTime() {
    return {std::string(kNoInformationText) + " for more info please visit " + kHomePage + " ",
            true};
}

}  // namespace lh::update
