// The service's requests and trap collection.
#include "answer_varbind.h"
#include "agent_state.h"
#include "snmp_exports.h"
#include "trace.h"
#include "trap_queue.h"

#include <string>

using namespace ovbeacon;

OVBEACON_EXPORT WINBOOL SNMP_FUNC_TYPE SnmpExtensionQuery(BYTE bPduType,
                                                          SnmpVarBindList* pVarBindList,
                                                          AsnInteger32* pErrorStatus,
                                                          AsnInteger32* pErrorIndex) {
    Trace("ovbeacon: SnmpExtensionQuery\r\n");
    for (UINT i = 0; i < pVarBindList->len; ++i) {
        SnmpVarBind* binding = &pVarBindList->list[i];
        int status = AnswerVarBind(bPduType, binding);
        // Past our last object the service goes on to the next region.
        if (bPduType == SNMP_PDU_GETNEXT && status == SNMP_ERRORSTATUS_NOSUCHNAME) {
            MovePastSubtree(binding);
            status = 0;
        }
        *pErrorStatus = status;
        if (status != 0) {
            *pErrorIndex = static_cast<AsnInteger32>(i + 1);
            break;
        }
    }
    return TRUE;
}

OVBEACON_EXPORT WINBOOL SNMP_FUNC_TYPE SnmpExtensionTrap(AsnObjectIdentifier* pEnterpriseOid,
                                                         AsnInteger32* pGenericTrapId,
                                                         AsnInteger32* pSpecificTrapId,
                                                         AsnTimeticks* pTimeStamp,
                                                         SnmpVarBindList* pVarBindList) {
    int code = 0;
    std::string text;
    if (!PopTrap(&code, &text))
        return FALSE;
    AgentState& a = Agent();
    pEnterpriseOid->idLength = static_cast<UINT>(a.rootCount - 1);
    pEnterpriseOid->ids = a.rootIds;
    *pGenericTrapId = SNMP_GENERICTRAP_ENTERSPECIFIC;
    *pSpecificTrapId = code;
    // TimeTicks count hundredths of a second.
    *pTimeStamp = (GetTickCount() - a.timeZero) / 10;

    // The copy below owns its own names and values; these only point.
    SnmpVarBind bindings[2] = {};
    AsnObjectIdentifier root{static_cast<UINT>(a.rootCount), a.rootIds};
    bindings[0].name = root;
    bindings[0].value.asnType = ASN_INTEGER;
    bindings[0].value.asnValue.number = 1;
    bindings[1].name = root;
    bindings[1].value.asnType = ASN_OCTETSTRING;
    bindings[1].value.asnValue.string =
        AsnOctetString{reinterpret_cast<BYTE*>(&text[0]), static_cast<UINT>(text.size()), FALSE};
    SnmpVarBindList list{bindings, text.empty() ? 1u : 2u};
    SnmpUtilVarBindListCpy(pVarBindList, &list);
    Trace("ovbeacon: SnmpExtensionTrap Sent\r\n");
    return TRUE;
}
