#include "service_host.h"

#include <cstdlib>
#include <cstring>

namespace ovbeacon_test {

namespace {

template <typename F> bool Bind(HMODULE m, const char* name, F* f) {
    *f = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(m, name)));
    return *f != nullptr;
}

AsnObjectIdentifier MakeOid(const std::string& text) {
    std::vector<UINT> ids;
    for (const char* p = text.c_str(); *p;) {
        char* end = nullptr;
        unsigned long n = strtoul(p, &end, 10);
        if (end == p)
            break;
        ids.push_back(static_cast<UINT>(n));
        p = *end == '.' ? end + 1 : end;
    }
    AsnObjectIdentifier oid{static_cast<UINT>(ids.size()),
                            static_cast<UINT*>(SnmpUtilMemAlloc(ids.size() * sizeof(UINT) + 1))};
    memcpy(oid.ids, ids.data(), ids.size() * sizeof(UINT));
    return oid;
}

void MakeValue(const Binding& b, AsnAny* value) {
    value->asnType = b.type;
    if (b.type == ASN_INTEGER)
        value->asnValue.number = b.number;
    if (b.type == ASN_OCTETSTRING) {
        BYTE* bytes = static_cast<BYTE*>(SnmpUtilMemAlloc(b.text.size() + 1));
        memcpy(bytes, b.text.data(), b.text.size());
        value->asnValue.string = AsnOctetString{bytes, static_cast<UINT>(b.text.size()), TRUE};
    }
}

Binding ReadBinding(const SnmpVarBind& vb) {
    Binding b;
    b.oid = OidText(vb.name);
    b.type = vb.value.asnType;
    if (b.type == ASN_INTEGER)
        b.number = vb.value.asnValue.number;
    if (b.type == ASN_OCTETSTRING)
        b.text.assign(reinterpret_cast<const char*>(vb.value.asnValue.string.stream),
                      vb.value.asnValue.string.length);
    return b;
}

} // namespace

std::string OidText(const AsnObjectIdentifier& oid) {
    std::string s;
    for (UINT i = 0; i < oid.idLength; ++i)
        s += (i ? "." : "") + std::to_string(oid.ids[i]);
    return s;
}

ServiceHost::~ServiceHost() {
    Unload();
}

bool ServiceHost::Load(const std::string& path) {
    module_ = LoadLibraryA(path.c_str());
    return module_ && Bind(module_, "SnmpExtensionInit", &init_) &&
           Bind(module_, "SnmpExtensionQuery", &query_) &&
           Bind(module_, "SnmpExtensionTrap", &trap_) &&
           Bind(module_, "SnmpExtensionClose", &close_);
}

BOOL ServiceHost::Init(DWORD timeZero) {
    AsnObjectIdentifier view{0, nullptr};
    BOOL ok = init_(timeZero, &trapEvent_, &view);
    view_ = OidText(view);
    return ok;
}

QueryResult ServiceHost::Query(BYTE pdu, const std::vector<Binding>& bindings) {
    SnmpVarBindList list{
        static_cast<SnmpVarBind*>(SnmpUtilMemAlloc(bindings.size() * sizeof(SnmpVarBind))),
        static_cast<UINT>(bindings.size())};
    for (size_t i = 0; i < bindings.size(); ++i) {
        list.list[i].name = MakeOid(bindings[i].oid);
        MakeValue(bindings[i], &list.list[i].value);
    }
    QueryResult r;
    AsnInteger32 status = 0, index = 0;
    query_(pdu, &list, &status, &index);
    r.status = status;
    r.index = index;
    for (UINT i = 0; i < list.len; ++i)
        r.bindings.push_back(ReadBinding(list.list[i]));
    SnmpUtilVarBindListFree(&list);
    return r;
}

std::vector<Trap> ServiceHost::DrainTraps(DWORD timeoutMs) {
    std::vector<Trap> traps;
    if (!trapEvent_ || WaitForSingleObject(trapEvent_, timeoutMs) != WAIT_OBJECT_0)
        return traps;
    for (;;) {
        AsnObjectIdentifier enterprise{0, nullptr};
        SnmpVarBindList list{nullptr, 0};
        Trap t;
        AsnInteger32 generic = 0, specific = 0;
        AsnTimeticks ticks = 0;
        if (!trap_(&enterprise, &generic, &specific, &ticks, &list))
            break;
        t.enterprise = OidText(enterprise);
        t.generic = generic;
        t.specific = specific;
        t.ticks = ticks;
        for (UINT i = 0; i < list.len; ++i)
            t.bindings.push_back(ReadBinding(list.list[i]));
        SnmpUtilVarBindListFree(&list);
        traps.push_back(t);
    }
    return traps;
}

void ServiceHost::Unload() {
    if (!module_)
        return;
    if (close_)
        close_();
    FreeLibrary(module_);
    module_ = nullptr;
}

} // namespace ovbeacon_test
