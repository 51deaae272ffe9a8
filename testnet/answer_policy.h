#pragma once

#include <cstdint>

#include "testnet/master_answer.h"
#include "testnet/server_behaviour.h"

namespace skelvane {

enum class AnswerDecision { kAnswer, kSilent, kLost, kNotAnsweredQuery };

struct AnswerPlan {
    AnswerDecision decision = AnswerDecision::kAnswer;
    std::uint32_t delayMs = 0;
    std::uint32_t copies = 1;
    bool fromOtherPort = false;
};

// What server `serverIndex` does with its query number `queryNumber` (1 =
// first). Losses follow from the seed, so the same run of queries loses the
// same ones every time.
AnswerPlan PlanAnswer(const ServerBehaviour& behaviour, std::uint64_t seed,
                      std::uint32_t serverIndex, std::uint32_t queryNumber);

struct MasterBehaviour {
    MasterAnswerShape shape;
    // When not 0, only the request with this number (1 = first) is answered.
    std::uint32_t answerOnRequest = 0;
    bool silent = false;
    // Pause between the datagrams of one answer.
    std::uint32_t gapMs = 0;
};

bool ShouldAnswerMasterRequest(const MasterBehaviour& behaviour, std::uint32_t requestNumber);

}  // namespace skelvane
