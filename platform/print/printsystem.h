// The hand-off to the print system (CUPS): the list of its print queues and
// the sending of one job. Every call is bounded in time: a server that has
// not answered within kPrintSystemTimeoutMs of the call's start counts as
// not reachable, so the program never waits longer on it (the calls run on
// the user-interface thread).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/core/types.h"

namespace print {

constexpr int kPrintSystemTimeoutMs = 2000;

struct PrintQueue {
    String name;         // the queue's own name at the server
    String description;  // what the server calls it for people; may be empty
    bool isClass = false;
    bool isDefault = false;
    bool paused = false;         // stopped at the server: jobs wait there
    bool acceptingJobs = true;   // false: the server refuses new jobs
};

// The server's queues, in the server's order; nullopt when the server cannot
// be reached in time (or the program was built without a print system). The
// default is the one named by $LPDEST or $PRINTER when listed, else the
// server's.
std::optional<std::vector<PrintQueue>> ReadPrintQueues();

enum class SendOutcome {
    Sent,
    Unreachable,   // no server, or none that answered in time
    NotAccepting,  // the queue refuses jobs
    NoSuchQueue,   // the queue is gone
    Refused,       // any other refusal of the server
};

// Sends a PDF document to the queue as one job named `title`, asking for A4
// paper in portrait orientation so that every queue prints the pages at
// their own size.
SendOutcome SendPdfJob(const PrintQueue& queue, const std::string& document, const String& title);

// The print server to ask: "host:port" or a socket path. Empty (the start)
// means the system's own, as libcups finds it ($CUPS_SERVER,
// client.conf, the local server); on the headless backend, where no print
// system is asked otherwise, only a server set here is (tests).
void SetPrintServer(const String& server);
const String& PrintServer();

}  // namespace print
