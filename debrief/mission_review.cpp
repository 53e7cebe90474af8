// The reviewer of newly logged missions, installed by the application.
#include "debrief/mission_review.h"

#include <utility>

namespace {
const CMissionReviewScope* g_pReviewScope = nullptr; // the innermost installed reviewer
} // namespace

CMissionReviewScope::CMissionReviewScope(Reviewer fnReview)
    : m_fnReview(std::move(fnReview)), m_pPrevious(g_pReviewScope)
{
    g_pReviewScope = this;
}

CMissionReviewScope::~CMissionReviewScope() { g_pReviewScope = m_pPrevious; }

void ReviewNewMission(CMission& mission)
{
    if (g_pReviewScope && g_pReviewScope->m_fnReview)
        g_pReviewScope->m_fnReview(mission);
}
