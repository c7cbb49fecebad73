#include "agent_state.h"

namespace ovbeacon {

AgentState& Agent() {
    static AgentState state;
    return state;
}

} // namespace ovbeacon
