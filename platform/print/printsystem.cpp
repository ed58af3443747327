#include "platform/print/printsystem.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>

#ifdef VELAMO_HAVE_CUPS
#include <cups/cups.h>
#endif

namespace print {

namespace {

String& ServerSetting() {
    static String server;
    return server;
}

}  // namespace

void SetPrintServer(const String& server) { ServerSetting() = server; }
const String& PrintServer() { return ServerSetting(); }

#ifdef VELAMO_HAVE_CUPS

namespace {

using Clock = std::chrono::steady_clock;

// How often a wait on the server looks at the clock.
constexpr double kWaitStepSeconds = 0.1;
constexpr std::size_t kWriteChunk = 64 * 1024;

// A connection to the print server that gives up at its deadline: every
// wait of the print library on it that runs out asks StillInTime whether to
// go on, and that ends the call once the deadline has passed.
class Connection {
public:
    Connection() : deadline_(Clock::now() + std::chrono::milliseconds(kPrintSystemTimeoutMs)) {
        cupsSetServer(PrintServer().empty() ? nullptr : PrintServer().c_str());
        // Never a password prompt: it would wait on a terminal nobody looks at.
        cupsSetPasswordCB2(NoPassword, nullptr);
        http_ = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, MsLeft(), nullptr);
        if (http_) httpSetTimeout(http_, kWaitStepSeconds, StillInTime, this);
    }
    ~Connection() {
        if (http_) httpClose(http_);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    http_t* Http() const { return http_; }
    bool InTime() const { return Clock::now() < deadline_; }

private:
    int MsLeft() const {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline_ - Clock::now()).count();
        return int(std::max<long long>(1, left));
    }
    static int StillInTime(http_t*, void* self) { return static_cast<Connection*>(self)->InTime() ? 1 : 0; }
    static const char* NoPassword(const char*, http_t*, const char*, const char*, void*) { return nullptr; }

    Clock::time_point deadline_;
    http_t* http_ = nullptr;
};

// The queue named by the user's environment, as the print commands take it.
String UserDefault() {
    for (const char* variable : {"LPDEST", "PRINTER"}) {
        const char* value = std::getenv(variable);
        if (value && *value) {
            const String name = value;
            return name.substr(0, name.find('/'));  // without an instance
        }
    }
    return {};
}

void ReadAttribute(ipp_attribute_t* a, PrintQueue& q) {
    const char* name = ippGetName(a);
    if (!std::strcmp(name, "printer-name")) {
        q.name = ippGetString(a, 0, nullptr);
    } else if (!std::strcmp(name, "printer-info")) {
        q.description = ippGetString(a, 0, nullptr);
    } else if (!std::strcmp(name, "printer-state")) {
        q.paused = ippGetInteger(a, 0) == IPP_PSTATE_STOPPED;
    } else if (!std::strcmp(name, "printer-is-accepting-jobs")) {
        q.acceptingJobs = ippGetBoolean(a, 0) != 0;
    } else if (!std::strcmp(name, "printer-type")) {
        const int type = ippGetInteger(a, 0);
        q.isClass = (type & CUPS_PRINTER_CLASS) != 0;
        q.isDefault = (type & CUPS_PRINTER_DEFAULT) != 0;
    }
}

std::vector<PrintQueue> QueuesOf(ipp_t* response) {
    std::vector<PrintQueue> queues;
    PrintQueue current;
    auto finish = [&] {
        if (!current.name.empty()) queues.push_back(current);
        current = PrintQueue{};
    };
    for (ipp_attribute_t* a = ippFirstAttribute(response); a; a = ippNextAttribute(response)) {
        if (!ippGetName(a)) {
            finish();  // the mark between two printers
        } else if (ippGetGroupTag(a) == IPP_TAG_PRINTER) {
            ReadAttribute(a, current);
        }
    }
    finish();

    const String chosen = UserDefault();
    if (std::any_of(queues.begin(), queues.end(), [&](const PrintQueue& q) { return q.name == chosen; })) {
        for (PrintQueue& q : queues) q.isDefault = q.name == chosen;
    }
    return queues;
}

// A request about the queue at `resource` ("/printers/name"), from the user.
ipp_t* NewQueueRequest(ipp_op_t operation, const String& resource) {
    char uri[HTTP_MAX_URI];
    httpAssembleURI(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(), resource.c_str());
    ipp_t* request = ippNewRequest(operation);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    return request;
}

// What the server's answer (null: none came) says of a request on a queue.
SendOutcome OutcomeOf(ipp_t* response, const Connection& connection) {
    const ipp_status_t status = response ? ippGetStatusCode(response) : cupsLastError();
    switch (status) {
        case IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS: return SendOutcome::NotAccepting;
        case IPP_STATUS_ERROR_NOT_FOUND: return SendOutcome::NoSuchQueue;
        case IPP_STATUS_ERROR_FORBIDDEN:
        case IPP_STATUS_ERROR_NOT_AUTHENTICATED:
        case IPP_STATUS_ERROR_NOT_AUTHORIZED:
        case IPP_STATUS_ERROR_CUPS_AUTHENTICATION_CANCELED: return SendOutcome::Refused;
        default: break;
    }
    // Without an answer in time nothing is known to have arrived, whatever
    // the library last noted.
    if (!response || !connection.InTime()) return SendOutcome::Unreachable;
    return status < IPP_STATUS_REDIRECTION_OTHER_SITE ? SendOutcome::Sent : SendOutcome::Refused;
}

}  // namespace

std::optional<std::vector<PrintQueue>> ReadPrintQueues() {
    Connection connection;
    if (!connection.Http()) return std::nullopt;
    static const char* const kAttributes[] = {"printer-name", "printer-info", "printer-state",
                                              "printer-is-accepting-jobs", "printer-type"};
    ipp_t* request = ippNewRequest(IPP_OP_CUPS_GET_PRINTERS);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  int(std::size(kAttributes)), nullptr, kAttributes);
    ipp_t* response = cupsDoRequest(connection.Http(), request, "/");  // takes the request
    if (!response) return std::nullopt;
    const ipp_status_t status = ippGetStatusCode(response);
    std::optional<std::vector<PrintQueue>> queues;
    if (status < IPP_STATUS_REDIRECTION_OTHER_SITE) {
        queues = QueuesOf(response);
    } else if (status == IPP_STATUS_ERROR_NOT_FOUND) {
        queues.emplace();  // a server without queues
    }
    ippDelete(response);
    return queues;
}

SendOutcome SendPdfJob(const PrintQueue& queue, const std::string& document, const String& title) {
    Connection connection;
    http_t* http = connection.Http();
    if (!http) return SendOutcome::Unreachable;
    const String resource = (queue.isClass ? "/classes/" : "/printers/") + queue.name;

    // First a short question to the queue: a server that has stopped
    // answering is found out before it holds a job that it would print
    // after the user was told that printing failed.
    static const char* const kAccepting[] = {"printer-is-accepting-jobs"};
    ipp_t* question = NewQueueRequest(IPP_OP_GET_PRINTER_ATTRIBUTES, resource);
    ippAddStrings(question, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 1, nullptr, kAccepting);
    ipp_t* answer = cupsDoRequest(http, question, resource.c_str());  // takes the question
    SendOutcome outcome = OutcomeOf(answer, connection);
    if (outcome == SendOutcome::Sent) {
        ipp_attribute_t* accepting = ippFindAttribute(answer, "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
        if (accepting && !ippGetBoolean(accepting, 0)) outcome = SendOutcome::NotAccepting;
    }
    ippDelete(answer);
    if (outcome != SendOutcome::Sent) return outcome;

    ipp_t* request = NewQueueRequest(IPP_OP_PRINT_JOB, resource);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, title.c_str());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_MIMETYPE, "document-format", nullptr, CUPS_FORMAT_PDF);
    ippAddString(request, IPP_TAG_JOB, IPP_TAG_KEYWORD, CUPS_MEDIA, nullptr, CUPS_MEDIA_A4);
    ippAddInteger(request, IPP_TAG_JOB, IPP_TAG_ENUM, CUPS_ORIENTATION, IPP_ORIENT_PORTRAIT);
    // The length counts the request's own attributes and the document.
    http_status_t status = cupsSendRequest(http, request, resource.c_str(), ippLength(request) + document.size());
    for (std::size_t at = 0; status == HTTP_STATUS_CONTINUE && at < document.size(); at += kWriteChunk) {
        status = cupsWriteRequestData(http, document.data() + at, std::min(kWriteChunk, document.size() - at));
    }
    ipp_t* response = nullptr;
    if (status == HTTP_STATUS_CONTINUE || status == HTTP_STATUS_OK) response = cupsGetResponse(http, resource.c_str());
    ippDelete(request);
    outcome = OutcomeOf(response, connection);
    ippDelete(response);
    return outcome;
}

#else

std::optional<std::vector<PrintQueue>> ReadPrintQueues() { return std::nullopt; }

SendOutcome SendPdfJob(const PrintQueue&, const std::string&, const String&) { return SendOutcome::Unreachable; }

#endif

}  // namespace print
