// Browsers, platforms, spiders, Netscape and Explorer versions. The names of
// an agent are worked out once per distinct agent text and kept as the item
// numbers they count under.
#include "agent_rules.h"
#include "hit_updaters.h"

#include <stdlib.h>
#include <string.h>

#define AGENT_KEY_MAX 1023

namespace {

const int kAgentTables[AGENT_TABLES] = {TopBrowsers, TopPlatforms, TopSpiders, TopNetscape,
                                        TopExplorer};

// The agent cut at its first double blank (and at AGENT_KEY_MAX) into out,
// hashed in the same pass as the copy; *length gets its length.
DWORD CutAgent(const char* agent, char* out, DWORD* length) {
    DWORD h = 2166136261u;
    size_t n = 0;
    for (; n < AGENT_KEY_MAX && agent[n]; ++n) {
        if (agent[n] == ' ' && agent[n + 1] == ' ')
            break;
        out[n] = agent[n];
        h = (h ^ (unsigned char)agent[n]) * 16777619u;
    }
    out[n] = 0;
    *length = DWORD(n);
    return h;
}

// Whether n bytes agree, eight at a time (the C runtime compares bytewise).
bool SameBytes(const char* a, const char* b, size_t n) {
    for (; n >= 8; a += 8, b += 8, n -= 8) {
        unsigned long long x, y;
        memcpy(&x, a, 8);
        memcpy(&y, b, 8);
        if (x != y)
            return false;
    }
    return memcmp(a, b, n) == 0;
}

const char* NameFor(const AgentNames& names, int slot) {
    const char* texts[AGENT_TABLES] = {names.Browser, names.Platform, names.Spider, names.Netscape,
                                       names.Explorer};
    return texts[slot];
}

// Works the agent's names out and files their items in the entry.
bool FillEntry(HitPass* pass, AgentCacheEntry* e, const char* agent, DWORD hash, DWORD length) {
    AgentNames names;
    NameAgent(agent, pass->run->Language, &names);
    for (int i = 0; i < AGENT_TABLES; ++i) {
        e->Items[i] = ANALYSIS_NO_ITEM;
        const char* name = NameFor(names, i);
        if (!TableUsed(kAgentTables[i]) || !name[0])
            continue;
        e->Items[i] = RunTableIndex(pass, kAgentTables[i], name);
        if (e->Items[i] < 0)
            return false;
    }
    free(e->Agent);
    e->Agent = _strdup(agent); // without the copy the next look-up misses: no harm
    e->Hash = hash;
    e->Length = e->Agent ? length : 0;
    e->UsedMask = 0;
    for (int i = 0; i < AGENT_TABLES; ++i)
        e->UsedMask |= TableUsed(kAgentTables[i]) ? 1u << i : 0;
    return true;
}

DWORD CurrentUsedMask() {
    DWORD mask = 0;
    for (int i = 0; i < AGENT_TABLES; ++i)
        mask |= TableUsed(kAgentTables[i]) ? 1u << i : 0;
    return mask;
}

} // namespace

int CountAgent(HitPass* pass) {
    DWORD mask = CurrentUsedMask();
    if (!mask)
        return 1;
    AccumulateState& s = pass->run->Accum;
    if (!s.Agents) {
        s.Agents = (AgentCacheEntry*)calloc(AGENT_CACHE_SIZE, sizeof(AgentCacheEntry));
        if (!s.Agents) {
            pass->failedTable = g_ReportTableKeywords[TopBrowsers].Keyword;
            return 0;
        }
    }
    char agent[AGENT_KEY_MAX + 1];
    DWORD length = 0;
    DWORD hash = CutAgent(pass->hit->lpszUserAgent ? pass->hit->lpszUserAgent : "", agent, &length);
    AgentCacheEntry* e = &s.Agents[hash % AGENT_CACHE_SIZE];
    if (!e->Agent || e->Hash != hash || e->UsedMask != mask || e->Length != length ||
        !SameBytes(e->Agent, agent, length)) {
        if (!FillEntry(pass, e, agent, hash, length))
            return 0;
    }
    for (int i = 0; i < AGENT_TABLES; ++i) {
        if (e->Items[i] < 0)
            continue;
        AnalysisTable* t = RunTableOf(pass->run, kAgentTables[i]);
        TableItem_CountHit(t->lpItems[e->Items[i]], pass->interval, pass->newVisit);
        g_ReportTableKeywords[kAgentTables[i]].Empty = 0;
    }
    return 1;
}

void ForgetAgents(RunContext* run) {
    AccumulateState& s = run->Accum;
    if (!s.Agents)
        return;
    for (int i = 0; i < AGENT_CACHE_SIZE; ++i)
        free(s.Agents[i].Agent);
    free(s.Agents);
    s.Agents = nullptr;
}
