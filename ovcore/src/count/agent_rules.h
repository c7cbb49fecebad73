// Browser, platform and spider names of a user agent.
#pragma once
#include "ovcore/report_ini.h"

#define AGENT_NAME_MAX 100 // characters of an agent counted under its own text

struct AgentNames {
    char Spider[AGENT_NAME_MAX + 1]; // empty: not a spider
    char Browser[AGENT_NAME_MAX + 1];
    char Platform[AGENT_NAME_MAX + 1];
    char Netscape[AGENT_NAME_MAX + 1]; // empty unless the browser is Netscape
    char Explorer[AGENT_NAME_MAX + 1]; // empty unless Internet Explorer
};

// Names of an agent already cut at its first double blank. The unknown
// texts come from the language (null: empty).
void NameAgent(const char* agent, const ReportIniSettings* language, AgentNames* names);
