#include "answer_varbind.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "agent_link.h"
#include "agent_state.h"
#include "oid_text.h"
#include "ovkit/dll_binding.h"

namespace ovbeacon {

namespace {

constexpr const char kDescription[] =
    "Ostrevane SNMP Agent (Extension for Microsoft's Extensible Agent)";
constexpr int kNoSuchName = SNMP_ERRORSTATUS_NOSUCHNAME;
constexpr int kGenErr = SNMP_ERRORSTATUS_GENERR;
// A suffix of 255 characters holds at most 128 sub-identifiers.
constexpr size_t kMaxIds = kMaxRootIds + kSuffixSize / 2;

enum Match { kNoMatch = 0, kAnswered = 1, kRefused = 2 };

// The 32-bit import library lacks SnmpUtilAsnAnyFree: bound by name from
// snmpapi.dll, which the agent links anyway.
void FreeValue(AsnAny* value) {
    static const auto free = OvkitProcAddress<decltype(&SnmpUtilAsnAnyFree)>(
        GetModuleHandleA("snmpapi.dll"), "SnmpUtilAsnAnyFree");
    if (free)
        free(value);
}

AsnObjectIdentifier RootOid() {
    return AsnObjectIdentifier{static_cast<UINT>(Agent().rootCount), Agent().rootIds};
}

// Puts the binding's identifier below the root into block->suffix. A GETNEXT
// of an identifier before the subtree starts at its beginning; anything else
// outside it is not ours.
bool PlaceSuffix(const AsnObjectIdentifier& name, AgentRequestBlock* block) {
    AsnObjectIdentifier root = RootOid();
    AsnObjectIdentifier asked = name;
    int order = SnmpUtilOidNCmp(&asked, &root, root.idLength);
    if (order == 0 && name.idLength >= root.idLength)
        return FormatOidSuffix(name.ids, name.idLength, root.idLength, block->suffix, kSuffixSize);
    if (block->kind == kKindGetNext && order <= 0) {
        block->suffix[0] = '\0';
        return true;
    }
    return false;
}

void PutSetValue(const AsnAny& value, AgentRequestBlock* block) {
    if (value.asnType == ASN_INTEGER) {
        snprintf(block->value, kValueSize, "%d", static_cast<int>(value.asnValue.number));
    } else if (value.asnType == ASN_OCTETSTRING) {
        size_t n = value.asnValue.string.length;
        if (n > kValueSize - 1)
            n = kValueSize - 1;
        memcpy(block->value, value.asnValue.string.stream, n);
        block->value[n] = '\0';
    }
}

// The two suffixes the agent knows itself, compared in numeric order.
Match MatchLocalOid(AgentRequestBlock* block, const char* suffix) {
    int order = CompareOidSuffix(block->suffix, suffix);
    if (order == 0 && block->kind == kKindGet)
        return kAnswered;
    if (order < 0 && block->kind == kKindGetNext) {
        snprintf(block->suffix, kSuffixSize, "%s", suffix);
        return kAnswered;
    }
    if (order == 0 && block->kind == kKindSet)
        return kRefused;
    return kNoMatch;
}

// Fills block with the answer; returns the error status.
int Resolve(AgentRequestBlock* block) {
    Match m = MatchLocalOid(block, "1.0");
    if (m == kAnswered) {
        snprintf(block->value, kValueSize, "%s", kDescription);
        block->valueType = ASN_OCTETSTRING;
        return 0;
    }
    if (m == kRefused)
        return kNoSuchName;
    m = MatchLocalOid(block, "2.0");
    if (m == kRefused)
        return kNoSuchName;
    if (m == kAnswered) {
        block->kind = kKindGet;
        if (ForwardAgentRequest(block) != 0) {
            snprintf(block->value, kValueSize, "%d", 1);
            block->valueType = ASN_INTEGER;
            return 0;
        }
        return static_cast<int>(block->status);
    }
    char asked[kSuffixSize];
    memcpy(asked, block->suffix, kSuffixSize);
    if (ForwardAgentRequest(block) != 0)
        return kNoSuchName;
    if (block->status != 0)
        return static_cast<int>(block->status);
    // A next object that is not after the asked one would turn a walk back.
    if (block->kind == kKindGetNext && CompareOidSuffix(block->suffix, asked) <= 0)
        return kNoSuchName;
    return 0;
}

// The binding's new name: the root followed by the answer's suffix.
bool RenameBinding(const AgentRequestBlock& block, SnmpVarBind* binding) {
    UINT ids[kMaxIds];
    size_t root = Agent().rootCount;
    memcpy(ids, Agent().rootIds, root * sizeof(UINT));
    size_t n = ParseOidText(block.suffix, ids + root, kMaxIds - root);
    if (n == 0 || n > kMaxIds - root)
        return false;
    AsnObjectIdentifier next{static_cast<UINT>(root + n), ids};
    SnmpUtilOidFree(&binding->name);
    return SnmpUtilOidCpy(&binding->name, &next) != 0;
}

int StoreValue(const AgentRequestBlock& block, AsnAny* value) {
    if (block.valueType == ASN_OCTETSTRING) {
        size_t n = strlen(block.value);
        BYTE* bytes = static_cast<BYTE*>(SnmpUtilMemAlloc(static_cast<UINT>(n ? n : 1)));
        if (!bytes)
            return kGenErr;
        memcpy(bytes, block.value, n);
        FreeValue(value);
        value->asnType = ASN_OCTETSTRING;
        value->asnValue.string = AsnOctetString{bytes, static_cast<UINT>(n), TRUE};
        return 0;
    }
    if (block.valueType == ASN_INTEGER) {
        FreeValue(value);
        value->asnType = ASN_INTEGER;
        value->asnValue.number = atoi(block.value);
        return 0;
    }
    return kNoSuchName;
}

uint32_t KindOf(BYTE pduType) {
    switch (pduType) {
    case SNMP_PDU_GET:
        return kKindGet;
    case SNMP_PDU_GETNEXT:
        return kKindGetNext;
    case SNMP_PDU_SET:
        return kKindSet;
    default:
        return 0;
    }
}

} // namespace

int AnswerVarBind(BYTE pduType, SnmpVarBind* binding) {
    AgentRequestBlock block = {};
    block.kind = KindOf(pduType);
    if (block.kind == 0)
        return kGenErr; // never forwarded: only a SET may write
    block.valueType = binding->value.asnType;
    if (!PlaceSuffix(binding->name, &block))
        return kNoSuchName;
    if (block.kind == kKindSet)
        PutSetValue(binding->value, &block);
    bool next = block.kind == kKindGetNext;
    int status = Resolve(&block);
    if (status != 0)
        return status;
    if (next && !RenameBinding(block, binding))
        return kNoSuchName;
    return StoreValue(block, &binding->value);
}

void MovePastSubtree(SnmpVarBind* binding) {
    AsnObjectIdentifier root = RootOid();
    SnmpUtilOidFree(&binding->name);
    if (SnmpUtilOidCpy(&binding->name, &root) && binding->name.idLength > 0)
        binding->name.ids[binding->name.idLength - 1] += 1;
}

} // namespace ovbeacon
