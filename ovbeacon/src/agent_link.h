// The agent's side of the shared-memory exchange with its server process:
// the worker thread that connects and takes trap requests, and the get
// exchange of the query path.
#pragma once
#include "ovbeacon/request_block.h"

namespace ovbeacon {

// Starts the worker; it holds a reference on the library until it leaves.
// False when the thread could not start.
bool StartAgentWorker();

// Asks the worker to leave; does not wait for it.
void StopAgentWorker();

// Hands block to the server and waits for its answer. 0: block holds the
// answer; -1: not connected, server busy or no answer in time (block unchanged).
int ForwardAgentRequest(AgentRequestBlock* block);

} // namespace ovbeacon
