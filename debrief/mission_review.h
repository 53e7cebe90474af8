#pragma once
// Showing a mission that was just logged from a debrief. The analysis cannot
// open a window itself; the application installs a reviewer (the Mission
// Details dialog) for the length of its run.
#include <functional>

class CMission;

// Installs a reviewer for its lifetime and restores the previous one
// afterwards. Scopes nest; the innermost one reviews.
class CMissionReviewScope {
public:
    using Reviewer = std::function<void(CMission&)>;

    explicit CMissionReviewScope(Reviewer fnReview);
    ~CMissionReviewScope();
    CMissionReviewScope(const CMissionReviewScope&) = delete;
    CMissionReviewScope& operator=(const CMissionReviewScope&) = delete;

private:
    friend void ReviewNewMission(CMission& mission);

    Reviewer m_fnReview;
    const CMissionReviewScope* m_pPrevious;
};

// Lets the user look over and edit the new mission, through the installed
// reviewer; nothing happens when none is installed.
void ReviewNewMission(CMission& mission);
