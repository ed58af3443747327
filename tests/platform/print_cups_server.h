// Print servers for the printing tests and benchmarks: a CUPS server of the
// test's own (cupsd on a free local port, its configuration, spool and
// output in a temporary folder, queues of the generic PDF driver that write
// each job's pages into a file there), and a listener that takes
// connections and never answers.
#pragma once

#include <arpa/inet.h>
#include <cups/cups.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/print_test_support.h"

namespace printtest {

// A local TCP port free at the moment of asking.
inline int FreePort() {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    int port = 0;
    if (::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
        ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &len) == 0) {
        port = ntohs(a.sin_port);
    }
    ::close(s);
    return port;
}

inline bool CanConnect(int port) {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(std::uint16_t(port));
    const bool ok = ::connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    ::close(s);
    return ok;
}

// Takes connections (the system completes them) and never reads or answers.
class SilentListener {
public:
    SilentListener() {
        socket_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof a;
        ::bind(socket_, reinterpret_cast<sockaddr*>(&a), sizeof a);
        ::listen(socket_, 16);
        ::getsockname(socket_, reinterpret_cast<sockaddr*>(&a), &len);
        port_ = ntohs(a.sin_port);
    }
    ~SilentListener() { ::close(socket_); }
    SilentListener(const SilentListener&) = delete;
    SilentListener& operator=(const SilentListener&) = delete;

    std::string Address() const { return "127.0.0.1:" + std::to_string(port_); }

private:
    int socket_ = -1;
    int port_ = 0;
};

class CupsServer {
public:
    static constexpr const char* kDaemon = "/usr/sbin/cupsd";
    static constexpr const char* kAdmin = "/usr/sbin/lpadmin";
    static constexpr const char* kPdfDriver = "/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd";

    struct Job {
        int id = 0;
        std::string queue;
        std::string title;
        ipp_jstate_t state = IPP_JSTATE_PENDING;
    };

    // Starts the server; when it cannot, Running() is false and Problem()
    // says why.
    CupsServer() {
        for (const char* needed : {kDaemon, kAdmin, kPdfDriver, "/usr/lib/cups/filter/pdftopdf"}) {
            if (!std::filesystem::exists(needed)) {
                problem_ = std::string(needed) + " is missing (scripts/setup.sh installs the print server)";
                return;
            }
        }
        WriteConfiguration();
        Start();
    }
    ~CupsServer() { Kill(); }
    CupsServer(const CupsServer&) = delete;
    CupsServer& operator=(const CupsServer&) = delete;

    bool Running() const { return pid_ > 0; }
    const std::string& Problem() const { return problem_; }
    std::string Address() const { return "127.0.0.1:" + std::to_string(port_); }

    // A queue of the generic PDF driver with `paper` ("A4", "Letter") as its
    // own; its jobs' pages land in Output(name), each job's over the last.
    // An empty description leaves the server to use the name.
    void AddQueue(const std::string& name, const std::string& description, const std::string& paper) {
        std::string command = std::string(kAdmin) + " -p " + name + " -E -v file://" + Output(name) + " -P " + kPdfDriver +
                              " -o PageSize=" + paper;
        if (!description.empty()) command += " -D '" + description + "'";
        Admin(command);
    }
    void SetDefault(const std::string& name) { Admin(std::string(kAdmin) + " -d " + name); }
    void RemoveQueue(const std::string& name) { Admin(std::string(kAdmin) + " -x " + name); }
    void Pause(const std::string& name) { Admin("/usr/sbin/cupsdisable " + name); }
    void RejectJobs(const std::string& name) { Admin("/usr/sbin/cupsreject " + name); }

    std::string Output(const std::string& queue) const { return folder_.Path("out/" + queue + ".pdf"); }

    // The server stops answering (stopped by a signal: the system still
    // takes connections), then goes on again; or ends for good.
    void Stop() { ::kill(pid_, SIGSTOP); }
    void Continue() { ::kill(pid_, SIGCONT); }
    void Kill() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGCONT);
        ::kill(pid_, SIGTERM);
        bool ended = false;
        for (int i = 0; i < 200 && !ended; ++i) {
            ended = ::waitpid(pid_, nullptr, WNOHANG) == pid_;
            if (!ended) SleepFor(std::chrono::milliseconds(10));
        }
        if (!ended) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        pid_ = 0;
    }

    // Every job the server knows, oldest first.
    std::vector<Job> Jobs() const {
        std::vector<Job> list;
        http_t* http = httpConnect2("127.0.0.1", port_, nullptr, AF_INET, HTTP_ENCRYPTION_NEVER, 1, 5000, nullptr);
        if (!http) return list;
        cups_job_t* jobs = nullptr;
        const int count = cupsGetJobs2(http, &jobs, nullptr, 0, CUPS_WHICHJOBS_ALL);
        for (int i = 0; i < count; ++i) list.push_back(Job{jobs[i].id, jobs[i].dest, jobs[i].title, jobs[i].state});
        cupsFreeJobs(count, jobs);
        httpClose(http);
        std::sort(list.begin(), list.end(), [](const Job& a, const Job& b) { return a.id < b.id; });
        return list;
    }

    // Waits until every job has ended (printed, cancelled or aborted); false
    // when that takes more than `limit`.
    bool WaitForJobs(std::chrono::milliseconds limit = std::chrono::seconds(20)) const {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < end) {
            bool done = true;
            for (const Job& job : Jobs()) done = done && job.state >= IPP_JSTATE_CANCELED;
            if (done) return true;
            SleepFor(std::chrono::milliseconds(50));
        }
        return false;
    }

private:
    static void SleepFor(std::chrono::milliseconds ms) { std::this_thread::sleep_for(ms); }

    void Admin(const std::string& command) {
        RunOutput("CUPS_SERVER=" + Address() + " " + command + " 2>&1");
    }

    void WriteConfiguration() {
        // The server's filters run as another user when it runs as root:
        // they must reach the spool files.
        std::filesystem::permissions(folder_.Dir(), std::filesystem::perms(0755));
        for (const char* sub : {"spool", "tmp", "cache", "state", "log", "out"}) {
            std::filesystem::create_directories(folder_.Path(sub));
        }
        std::filesystem::permissions(folder_.Path("out"), std::filesystem::perms(0777));

        std::ofstream files(folder_.Path("cups-files.conf"));
        const std::string root = folder_.Dir();
        files << "ServerRoot " << root << "\nRequestRoot " << root << "/spool\nTempDir " << root
              << "/tmp\nCacheDir " << root << "/cache\nStateDir " << root << "/state\nAccessLog " << root
              << "/log/access_log\nErrorLog " << root << "/log/error_log\nPageLog " << root
              << "/log/page_log\nPrintcap " << root << "/printcap\nServerBin /usr/lib/cups\nDataDir /usr/share/cups\n"
              << "FileDevice Yes\n";
        if (::geteuid() == 0) {
            files << "User lp\nGroup lp\nSystemGroup root\n";
        } else {
            const std::string group = Trim(RunOutput("id -gn"));
            files << "User " << Trim(RunOutput("id -un")) << "\nGroup " << group << "\nSystemGroup " << group
                  << "\n";
        }
    }

    void WriteServerConfiguration() {
        std::ofstream conf(folder_.Path("cupsd.conf"));
        conf << "Listen 127.0.0.1:" << port_ << "\nLogLevel warn\nBrowsing Off\nWebInterface No\n"
             << "DefaultAuthType None\nDefaultEncryption Never\n"
             << "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
             << "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n";
    }

    void Start() {
        for (int attempt = 0; attempt < 3 && pid_ <= 0; ++attempt) {
            port_ = FreePort();
            WriteServerConfiguration();
            const std::string log = folder_.Path("log/daemon");
            const std::string conf = folder_.Path("cupsd.conf");
            const std::string files = folder_.Path("cups-files.conf");
            pid_ = ::fork();
            if (pid_ == 0) {
                std::freopen(log.c_str(), "w", stdout);
                std::freopen(log.c_str(), "a", stderr);
                ::execl(kDaemon, "cupsd", "-f", "-c", conf.c_str(), "-s", files.c_str(), static_cast<char*>(nullptr));
                std::_Exit(127);
            }
            const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            while (pid_ > 0 && !CanConnect(port_)) {
                const bool ended = ::waitpid(pid_, nullptr, WNOHANG) == pid_;
                if (ended || std::chrono::steady_clock::now() > end) {
                    if (ended) pid_ = 0;
                    Kill();
                    problem_ = "cupsd did not start: " + RunOutput("tail -n 5 '" + log + "' '" +
                                                                   folder_.Path("log/error_log") + "' 2>/dev/null");
                    break;
                }
                SleepFor(std::chrono::milliseconds(20));
            }
        }
        if (pid_ > 0) problem_.clear();
    }

    static std::string Trim(std::string s) {
        while (!s.empty() && (s.back() == '\n' || s.back() == ' ')) s.pop_back();
        return s;
    }

    TempFolder folder_;
    int port_ = 0;
    pid_t pid_ = 0;
    std::string problem_;
};

}  // namespace printtest

#define SKIP_WITHOUT_CUPSD(server)                                                                  \
    do {                                                                                            \
        if (!(server).Running()) GTEST_SKIP() << "no print server for the test: " << (server).Problem(); \
    } while (0)
