// ReviewNewMission: the hook for the Mission Details dialog.
#include "debrief/mission_review.h"

void ReviewNewMission(CMission& /*mission*/)
{
    // Nothing to show yet: the Mission Details dialog will be opened here on
    // the mission, and whatever it returns ignored (it edits in place).
}
