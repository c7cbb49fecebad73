// Stand-in for the server process behind the agent (Wine has no SNMP
// service): it owns the shared block, the mutex and the four events, and
// answers from a small table.
//
//   ovbeacon_server_standin INSTANCE [options]
//     --start-after MS     create the objects only after MS milliseconds
//     --late SUFFIX MS     answer the first request for SUFFIX after MS ms (repeatable)
//     --silent-after N     answer N requests, then take requests but never answer
//     --hold-mutex         with --silent-after: then also keep the mutex owned
//     --trap TEXT          send a trap request (trap number, blanks, text)
//     --trap-other TEXT    the same, but for another instance
// It ends when the test sets its stop event, or after a minute.
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "ovbeacon/request_block.h"
#include "standin_names.h"

using namespace ovbeacon;

namespace {

std::vector<unsigned> Ids(const std::string& s) {
    std::vector<unsigned> ids;
    for (const char* p = s.c_str(); *p;) {
        ids.push_back(static_cast<unsigned>(strtoul(p, const_cast<char**>(&p), 10)));
        if (*p == '.')
            ++p;
        else
            break;
    }
    return ids;
}

struct NumericOrder {
    bool operator()(const std::string& a, const std::string& b) const { return Ids(a) < Ids(b); }
};

struct Value {
    uint32_t type;
    std::string text;
};

struct Options {
    unsigned instance = 0;
    DWORD startAfter = 0;
    std::map<std::string, DWORD> late; // suffix: delay of its first answer
    long silentAfter = -1;             // answers before falling silent; -1 never silent
    bool holdMutex = false;
    std::vector<std::pair<unsigned, std::string>> traps;
};

struct Objects {
    HANDLE map, mutex, getRequest, getResponse, trapRequest, trapResponse;
    AgentRequestBlock* block;
};

HANDLE NamedEvent(const char* format, unsigned instance, BOOL manual) {
    char name[64];
    snprintf(name, sizeof name, format, instance);
    return CreateEventA(nullptr, manual, FALSE, name);
}

bool Create(unsigned id, Objects* o) {
    char name[64];
    snprintf(name, sizeof name, kMapNameFormat, id);
    o->map = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                sizeof(AgentRequestBlock), name);
    o->block =
        o->map
            ? static_cast<AgentRequestBlock*>(MapViewOfFile(o->map, FILE_MAP_ALL_ACCESS, 0, 0, 0))
            : nullptr;
    snprintf(name, sizeof name, kMutexNameFormat, id);
    o->mutex = CreateMutexA(nullptr, FALSE, name);
    o->getRequest = NamedEvent(kGetRequestFormat, id, FALSE);
    o->getResponse = NamedEvent(kGetResponseFormat, id, FALSE);
    o->trapRequest = NamedEvent(kTrapRequestFormat, id, FALSE);
    o->trapResponse = NamedEvent(kTrapResponseFormat, id, FALSE);
    return o->block && o->mutex && o->getRequest && o->getResponse && o->trapRequest &&
           o->trapResponse;
}

void SendTrap(const Objects& o, unsigned instance, const std::string& text) {
    memset(o.block, 0, sizeof *o.block);
    o.block->instance = instance;
    o.block->kind = kKindTrap;
    snprintf(o.block->value, kValueSize, "%s", text.c_str());
    SetEvent(o.trapRequest);
    WaitForSingleObject(o.trapResponse, 10000);
}

constexpr uint32_t kInteger = 2;
constexpr uint32_t kOctets = 4;

using Table = std::map<std::string, Value, NumericOrder>;

Table StartTable() {
    return Table{{"2.0", {kInteger, "42"}},
                 {"3.1", {kOctets, "running"}},
                 {"3.2", {kInteger, "7"}},
                 {"3.3", {kOctets, std::string(2000, 'v')}}, // fills the field, unterminated
                 {"10.0", {kOctets, "ten"}},
                 {"10.1", {kInteger, "101"}}};
}

void Answer(Table& table, AgentRequestBlock* b) {
    b->status = 0;
    std::string asked = b->suffix;
    if (b->kind == kKindSet) {
        auto it = table.find(asked);
        if (it == table.end()) {
            b->status = 17; // notWritable
            return;
        }
        it->second = Value{b->valueType, b->value};
        return;
    }
    auto it = b->kind == kKindGetNext ? table.upper_bound(asked) : table.find(asked);
    if (it == table.end()) {
        b->status = 2; // noSuchName
        return;
    }
    snprintf(b->suffix, kSuffixSize, "%s", it->first.c_str());
    const std::string& text = it->second.text;
    // A value as long as the field or longer fills it with no terminator.
    memcpy(b->value, text.c_str(), std::min(text.size() + 1, kValueSize));
    b->valueType = it->second.type;
}

Options Parse(int argc, char** argv) {
    Options o;
    o.instance = static_cast<unsigned>(strtoul(argv[1], nullptr, 10));
    for (int i = 2; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--start-after" && i + 1 < argc)
            o.startAfter = strtoul(argv[++i], nullptr, 10);
        else if (a == "--late" && i + 2 < argc) {
            std::string suffix = argv[++i];
            o.late[suffix] = strtoul(argv[++i], nullptr, 10);
        } else if (a == "--silent-after" && i + 1 < argc)
            o.silentAfter = strtol(argv[++i], nullptr, 10);
        else if (a == "--hold-mutex")
            o.holdMutex = true;
        else if (a == "--trap" && i + 1 < argc)
            o.traps.emplace_back(o.instance, argv[++i]);
        else if (a == "--trap-other" && i + 1 < argc)
            o.traps.emplace_back(o.instance + 1, argv[++i]);
    }
    return o;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    Options opt = Parse(argc, argv);
    HANDLE stop = NamedEvent(ovbeacon_test::kStandinStopFormat, opt.instance, TRUE);
    HANDLE ready = NamedEvent(ovbeacon_test::kStandinReadyFormat, opt.instance, TRUE);
    HANDLE answered = NamedEvent(ovbeacon_test::kStandinAnsweredFormat, opt.instance, FALSE);
    if (WaitForSingleObject(stop, opt.startAfter) == WAIT_OBJECT_0)
        return 0;
    Objects o;
    if (!Create(opt.instance, &o))
        return 1;
    for (const auto& trap : opt.traps)
        SendTrap(o, trap.first, trap.second);
    SetEvent(ready);

    Table table = StartTable();
    DWORD until = GetTickCount() + 60000;
    HANDLE waits[2] = {stop, o.getRequest};
    while (static_cast<LONG>(until - GetTickCount()) > 0) {
        if (WaitForMultipleObjects(2, waits, FALSE, 200) != WAIT_OBJECT_0 + 1) {
            if (WaitForSingleObject(stop, 0) == WAIT_OBJECT_0)
                break;
            continue;
        }
        if (opt.silentAfter == 0)
            continue;
        auto late = opt.late.find(o.block->suffix);
        if (late != opt.late.end()) {
            DWORD ms = late->second;
            opt.late.erase(late);
            if (WaitForSingleObject(stop, ms) == WAIT_OBJECT_0)
                break;
        }
        Answer(table, o.block);
        SetEvent(answered);
        SetEvent(o.getResponse);
        if (opt.silentAfter > 0 && --opt.silentAfter == 0 && opt.holdMutex)
            WaitForSingleObject(o.mutex, 5000);
    }
    return 0;
}
