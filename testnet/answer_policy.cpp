#include "testnet/answer_policy.h"

#include "testnet/deterministic_random.h"

namespace skelvane {

namespace {

constexpr std::uint64_t kLossStream = 101;

bool IsLost(const ServerBehaviour& behaviour, std::uint64_t seed, std::uint32_t serverIndex,
            std::uint32_t queryNumber) {
    if (behaviour.lossPercent == 0) {
        return false;
    }
    return SeedFor(seed, serverIndex, queryNumber, kLossStream) % 100 < behaviour.lossPercent;
}

}  // namespace

AnswerPlan PlanAnswer(const ServerBehaviour& behaviour, std::uint64_t seed,
                      std::uint32_t serverIndex, std::uint32_t queryNumber) {
    AnswerPlan plan;
    if (behaviour.silent) {
        plan.decision = AnswerDecision::kSilent;
    } else if (behaviour.answerOnQuery != 0 && queryNumber != behaviour.answerOnQuery) {
        plan.decision = AnswerDecision::kNotAnsweredQuery;
    } else if (IsLost(behaviour, seed, serverIndex, queryNumber)) {
        plan.decision = AnswerDecision::kLost;
    }
    plan.delayMs = behaviour.latencyMs;
    plan.copies = behaviour.duplicate ? 2 : 1;
    plan.fromOtherPort = behaviour.otherPort;
    return plan;
}

bool ShouldAnswerMasterRequest(const MasterBehaviour& behaviour, std::uint32_t requestNumber) {
    if (behaviour.silent) {
        return false;
    }
    return behaviour.answerOnRequest == 0 || requestNumber == behaviour.answerOnRequest;
}

}  // namespace skelvane
