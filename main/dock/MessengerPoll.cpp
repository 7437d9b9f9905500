#include "MessengerPoll.h"

namespace dock {

MessengerPoll::Step MessengerPoll::Tick(bool found) {
    if (!Active()) return Step::GiveUp;
    if (found) {
        m_left = 0;
        return Step::Found;
    }
    return --m_left == 0 ? Step::GiveUp : Step::Wait;
}

}  // namespace dock
