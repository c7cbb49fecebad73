// The stand-in host's remote request: the request object of a remote page
// with its form and page fields, the window that answers the plug-in's list
// messages, and the command that hands one keyword to the plug-in.
#pragma once
#include "host_session.h"
#include "ovdesk/remote_request.h"
#include <map>
#include <string>

// The page of one remote request (one at a time: the newest page answers
// the operations).
struct RemotePage {
    RemoteRequest Request = {};
    RemoteUserRecord User = {};
    RemoteServerSettings Server = {};
    std::map<std::string, std::string> Form;
    std::map<std::string, std::string> Fields;
    RemotePage();
    ~RemotePage();
    RemotePage(const RemotePage&) = delete;
    RemotePage& operator=(const RemotePage&) = delete;
};

// What "ovhost --remote KEYWORD [options] [name=value ...]" asks for.
struct RemoteCommand {
    std::string Keyword;
    std::string User = "guest";
    std::string Profile; // base name "." extension
    std::string Token;
    std::string Root; // reports root; default "<folder>remote reports"
    unsigned long Limit = 0;
    bool Unlimited = false;
    bool Disabled = false;
    std::map<std::string, std::string> Values; // form and page fields alike
};
// Reads the arguments after "--remote"; false with the reason when they do
// not make a command.
bool ParseRemoteCommand(int argc, char** argv, int first, RemoteCommand* command,
                        std::string* error);

// Lists the profiles with the host's window, hands the keyword to code 25,
// prints the result, the status and the page fields, and for a submitted
// report runs the scheduled event and prints its status record. The exit
// status: 0 when the keyword was handled (and a submitted report ended at
// 100), 1 otherwise.
int RunRemoteCommand(HostSession& session, const std::string& folder, const RemoteCommand& command);
