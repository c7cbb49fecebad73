// Answers one variable binding of a request, in place.
#pragma once
#include <windows.h>
#include <snmp.h>

namespace ovbeacon {

// Returns the binding's SNMP error status: 0, 2 (noSuchName) or 5 (genErr).
int AnswerVarBind(BYTE pduType, SnmpVarBind* binding);

// Renames the binding to the first identifier past the agent's subtree.
void MovePastSubtree(SnmpVarBind* binding);

} // namespace ovbeacon
