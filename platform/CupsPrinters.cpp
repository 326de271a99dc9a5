#include "platform/CupsPrinters.h"

#include "platform/Busy.h"

#include <QCoreApplication>
#include <QThread>

#include <cups/cups.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <sstream>
#include <thread>

namespace platform {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// How long the waiting thread gives a worker whose connection it has shut to
// come back with its answer; past that the worker is left to end alone.
constexpr milliseconds kWorkerGrace{250};
// How often the waiting thread repaints and looks at the clock.
constexpr milliseconds kWaitSlice{10};

// The process the program started as; a child forked from it owns neither
// the toolkit's event loop nor its threads.
const pid_t kOwnPid = ::getpid();

// libcups asks this for a password instead of reading one from a terminal;
// none is given, so a printer that wants one fails at once.
const char* noPassword(const char*, http_t*, const char*, const char*, void*) { return nullptr; }

int msLeft(Clock::time_point deadline) {
    const auto ms = std::chrono::duration_cast<milliseconds>(deadline - Clock::now()).count();
    return static_cast<int>(std::clamp<long long>(ms, 0, 24 * 3600 * 1000));
}

// What a worker shares with the thread that waits for it: the socket of the
// connection in use and when it must be shut, and whether the worker is
// done or was left behind. Owned by both, so a worker left behind never
// touches freed memory.
struct Watch {
    std::mutex m;
    std::condition_variable cv;
    bool done = false;
    bool abandoned = false;
    int fd = -1;
    bool shut = false;
    Clock::time_point fdDeadline{};
};

// libcups keeps its settings per thread: the worker takes those of the
// thread that asks.
struct Settings {
    std::string server;
    int port = 0;
    http_encryption_t encryption = HTTP_ENCRYPTION_IF_REQUESTED;
    std::string user;

    static Settings ofThisThread() {
        return {cupsServer(), ippPort(), cupsEncryption(), cupsUser()};
    }
    void apply() const {
        cupsSetServer(server.c_str());
        ippSetPort(port);
        cupsSetEncryption(encryption);
        cupsSetUser(user.c_str());
        cupsSetPasswordCB2(&noPassword, nullptr);
    }
    // A server the user or the system named, not the local default.
    bool named() const {
        return server != "localhost" && server.rfind("/run/cups/", 0) != 0 &&
               server.rfind("/var/run/cups/", 0) != 0;
    }
};

// Runs `work` on a thread of its own and waits for it until `end`, the
// window repainting meanwhile (no user input, no frame command: the busy
// depth holds them). A connection whose deadline passes has its socket shut,
// so no answer trickling in, nor one that never ends, keeps the wait going;
// a worker stuck where no socket can be shut (a name lookup) is left to end
// alone. False when the worker did not finish in time.
bool runBounded(Clock::time_point end, const Settings& settings,
                std::function<void(const std::shared_ptr<Watch>&)> work) {
    auto watch = std::make_shared<Watch>();
    if (::getpid() != kOwnPid) {
        // A forked child owns none of the threads' state it was forked
        // with: it runs the exchange itself, bounded by libcups' waits.
        settings.apply();
        work(watch);
        return true;
    }
    std::thread([watch, settings, work = std::move(work)] {
        settings.apply();
        work(watch);
        std::lock_guard<std::mutex> lock(watch->m);
        watch->done = true;
        watch->cv.notify_all();
    }).detach();

    BusyScope busy;
    QCoreApplication* app = QCoreApplication::instance();
    const bool pump = app && QThread::currentThread() == app->thread();
    std::unique_lock<std::mutex> lock(watch->m);
    for (;;) {
        if (watch->done) return true;
        const Clock::time_point now = Clock::now();
        if (watch->fd >= 0 && !watch->shut && now >= watch->fdDeadline) {
            ::shutdown(watch->fd, SHUT_RDWR);
            watch->shut = true;
        }
        if (now >= end + kWorkerGrace) {
            watch->abandoned = true;
            if (watch->fd >= 0 && !watch->shut) ::shutdown(watch->fd, SHUT_RDWR);
            return false;
        }
        if (pump) {
            lock.unlock();
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            lock.lock();
        }
        watch->cv.wait_for(lock, kWaitSlice, [&watch] { return watch->done; });
    }
}

// Why the scheduler refused, as the user is told.
std::string refusal(ipp_status_t status, const std::string& printer) {
    const std::string quien =
        printer.empty() ? std::string("El sistema de impresión") : "La impresora «" + printer + "»";
    switch (status) {
    case IPP_STATUS_ERROR_NOT_FOUND:
    case IPP_STATUS_ERROR_GONE:
        return printer.empty() ? std::string("El sistema de impresión no tiene impresoras.")
                               : printerUnavailableText(printer);
    case IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS:
    case IPP_STATUS_ERROR_PRINTER_IS_DEACTIVATED:
        return quien + " no acepta trabajos.";
    case IPP_STATUS_ERROR_NOT_AUTHENTICATED:
    case IPP_STATUS_ERROR_NOT_AUTHORIZED:
    case IPP_STATUS_ERROR_CUPS_AUTHENTICATION_CANCELED:
        return quien + " pide un nombre de usuario y una contraseña.";
    case IPP_STATUS_ERROR_FORBIDDEN:
        return quien + " no admite trabajos de este usuario.";
    case IPP_STATUS_ERROR_CUPS_UPGRADE_REQUIRED:
    case IPP_STATUS_ERROR_CUPS_PKI:
        return kEncryptionFailed;
    case IPP_STATUS_ERROR_DOCUMENT_FORMAT_NOT_SUPPORTED:
        return quien + " no admite documentos PDF.";
    // The scheduler's job limits (per user, per printer, in all, quotas)
    // answer "not possible".
    case IPP_STATUS_ERROR_NOT_POSSIBLE:
    case IPP_STATUS_ERROR_REQUEST_ENTITY:
    case IPP_STATUS_ERROR_TOO_MANY_JOBS:
    case IPP_STATUS_ERROR_TOO_MANY_DOCUMENTS:
        return quien + " no admite más trabajos por ahora.";
    case IPP_STATUS_ERROR_BUSY:
    case IPP_STATUS_ERROR_SERVICE_UNAVAILABLE:
    case IPP_STATUS_ERROR_TEMPORARY:
        return "El sistema de impresión está ocupado; inténtelo más tarde.";
    case IPP_STATUS_ERROR_INTERNAL:
        return kConnectionLost;
    default: break;
    }
    // A call that failed with no refusal of the scheduler: the connection
    // was lost on the way.
    if (status <= IPP_STATUS_OK_EVENTS_COMPLETE) return kConnectionLost;
    char codigo[16];
    std::snprintf(codigo, sizeof codigo, "0x%04X", static_cast<unsigned>(status) & 0xFFFFu);
    return "El sistema de impresión ha rechazado la petición (código " + std::string(codigo) + ").";
}

// One connection to the scheduler, made and used on a worker, with a
// deadline for everything done on it: the waiting thread shuts its socket
// then, and libcups' own waits give up at it too.
class Connection {
public:
    Connection(const std::shared_ptr<Watch>& watch, Clock::time_point deadline)
        : watch_(watch), deadline_(deadline) {
        const int ms = msLeft(deadline_);
        if (ms <= 0) {
            silent_ = true;
            return;
        }
        http_ = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, ms,
                             nullptr);
        if (!http_) {
            // A refused or missing socket answers at once; only a slow one
            // (or a slow name lookup) takes the whole bound.
            silent_ = Clock::now() >= deadline_;
            return;
        }
        {
            std::lock_guard<std::mutex> lock(watch_->m);
            if (!watch_->abandoned && Clock::now() < deadline_) {
                watch_->fd = httpGetFd(http_);
                watch_->fdDeadline = deadline_;
                watch_->shut = false;
                attached_ = true;
            }
        }
        if (!attached_) {
            httpClose(http_);
            http_ = nullptr;
            silent_ = true;
            return;
        }
        httpSetTimeout(http_, 0.1, &Connection::stillWaiting, this);
    }
    ~Connection() {
        if (attached_) {
            std::lock_guard<std::mutex> lock(watch_->m);
            watch_->fd = -1;
        }
        if (http_) httpClose(http_);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    http_t* get() const { return http_; }
    // The deadline came before the answer (the socket was shut then).
    bool silent() const { return silent_ || Clock::now() >= deadline_; }

    // The text of the last failure on this connection.
    std::string failure(const std::string& printer) const {
        if (silent()) return kPrintingSystemSilent;
        if (!http_) return "No se puede conectar con el sistema de impresión.";
        const ipp_status_t status = cupsLastError();
        // libcups tells a secure connection it could not set up as an
        // unavailable service with no HTTP answer behind it (a busy
        // scheduler's comes with one).
        const http_status_t http = httpGetStatus(http_);
        if (status == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE &&
            (http == HTTP_STATUS_UPGRADE_REQUIRED || http == HTTP_STATUS_ERROR ||
             encryptionFailed()))
            return kEncryptionFailed;
        return refusal(status, printer);
    }

private:
    static bool encryptionFailed() {
        const char* why = cupsLastErrorString();
        if (!why) return false;
        std::string s(why);
        std::transform(s.begin(), s.end(), s.begin(), [](unsigned char ch) { return std::tolower(ch); });
        for (const char* w : {"tls", "ssl", "secure", "encrypt", "certificate", "handshake"})
            if (s.find(w) != std::string::npos) return true;
        return false;
    }

    static int stillWaiting(http_t*, void* data) {
        auto* self = static_cast<Connection*>(data);
        if (Clock::now() < self->deadline_) return 1;
        self->silent_ = true;
        return 0;
    }

    std::shared_ptr<Watch> watch_;
    Clock::time_point deadline_;
    http_t* http_ = nullptr;
    bool silent_ = false;
    bool attached_ = false;
};

struct IppDeleter {
    void operator()(ipp_t* p) const { ippDelete(p); }
};
using Ipp = std::unique_ptr<ipp_t, IppDeleter>;

std::string printerUri(const std::string& printer) {
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                     "/printers/%s", printer.c_str());
    return uri;
}

bool ok(const ipp_t* response) {
    return response && cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE;
}

// A queue name without its instance ("Oficina/dos": "Oficina").
std::string queueOf(const std::string& dest) { return dest.substr(0, dest.find('/')); }

// The default an lpoptions file names ("Default name[/instance] ..."); the
// last one counts. "" when it names none.
std::string lpoptionsDefault(const std::string& path) {
    std::ifstream in(path);
    std::string line, found;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string key, dest;
        if (words >> key >> dest && (key == "Default" || key == "default")) found = queueOf(dest);
    }
    return found;
}

// The user's own default, as lp takes it: LPDEST, PRINTER (but "lp"), the
// user's lpoptions, the system's lpoptions. "" when none names one.
std::string usersDefault() {
    for (const char* var : {"LPDEST", "PRINTER"}) {
        const char* v = std::getenv(var);
        if (v && *v && !(std::string(var) == "PRINTER" && std::string(v) == "lp"))
            return queueOf(v);
    }
    if (const char* home = std::getenv("HOME"); home && *home) {
        const std::string d = lpoptionsDefault(std::string(home) + "/.cups/lpoptions");
        if (!d.empty()) return d;
    }
    const char* root = std::getenv("CUPS_SERVERROOT");
    return lpoptionsDefault(std::string(root && *root ? root : "/etc/cups") + "/lpoptions");
}

// A4 in hundredths of a millimetre; a PPD's sheet of 595 x 842 points is
// 209.9 x 297.0 mm.
bool isA4(int x, int y) { return std::abs(x - 21000) <= 100 && std::abs(y - 29700) <= 100; }

struct Margins {
    int left = 0, top = 0, right = 0, bottom = 0;  // hundredths of a millimetre
    int sum() const { return left + top + right + bottom; }
};

std::optional<Margins> a4Of(ipp_t* col) {
    ipp_attribute_t* size = ippFindAttribute(col, "media-size", IPP_TAG_BEGIN_COLLECTION);
    if (!size) return std::nullopt;
    ipp_t* s = ippGetCollection(size, 0);
    ipp_attribute_t* x = ippFindAttribute(s, "x-dimension", IPP_TAG_INTEGER);
    ipp_attribute_t* y = ippFindAttribute(s, "y-dimension", IPP_TAG_INTEGER);
    if (!x || !y || !isA4(ippGetInteger(x, 0), ippGetInteger(y, 0))) return std::nullopt;
    Margins m;
    const auto read = [col](const char* name, int& v) {
        if (ipp_attribute_t* a = ippFindAttribute(col, name, IPP_TAG_INTEGER))
            v = std::max(0, ippGetInteger(a, 0));
    };
    read("media-left-margin", m.left);
    read("media-top-margin", m.top);
    read("media-right-margin", m.right);
    read("media-bottom-margin", m.bottom);
    return m;
}

// The printable area of A4 in a Get-Printer-Attributes answer: the A4
// entries of the printer's media; where it offers A4 with and without
// borders, the bordered one, whose area it can print whole. Without A4
// among them, the widest margins it supports; a printer that tells nothing
// prints the whole sheet.
Margins a4MarginsOf(ipp_t* response) {
    std::optional<Margins> best;
    for (const char* name : {"media-col-database", "media-col-default"}) {
        ipp_attribute_t* a = ippFindAttribute(response, name, IPP_TAG_BEGIN_COLLECTION);
        for (int i = 0; a && i < ippGetCount(a); ++i) {
            const std::optional<Margins> m = a4Of(ippGetCollection(a, i));
            if (m && (!best || m->sum() > best->sum())) best = m;
        }
        if (best) return *best;
    }
    Margins m;
    const auto widest = [response](const char* name, int& v) {
        ipp_attribute_t* a = ippFindAttribute(response, name, IPP_TAG_INTEGER);
        for (int i = 0; a && i < ippGetCount(a); ++i) v = std::max(v, ippGetInteger(a, i));
    };
    widest("media-left-margin-supported", m.left);
    widest("media-top-margin-supported", m.top);
    widest("media-right-margin-supported", m.right);
    widest("media-bottom-margin-supported", m.bottom);
    return m;
}

// A request about the user's own jobs.
ipp_t* jobRequest(ipp_op_t op, const std::string& uri) {
    ipp_t* q = ippNewRequest(op);
    ippAddString(q, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.c_str());
    ippAddString(q, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    return q;
}

// What became of a job whose document was sent whole but whose answer was
// lost, as the scheduler tells on a fresh connection.
enum class Fate { Unknown, Taken, Waiting, Ended };

Fate fateOf(http_t* http, const std::string& uri, int job) {
    ipp_t* q = jobRequest(IPP_OP_GET_JOB_ATTRIBUTES, uri);
    ippAddInteger(q, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", job);
    static const char* const wanted[] = {"job-state", "number-of-documents"};
    ippAddStrings(q, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 2, nullptr,
                  wanted);
    Ipp answer(cupsDoRequest(http, q, "/jobs/"));
    ipp_attribute_t* st =
        ok(answer.get()) ? ippFindAttribute(answer.get(), "job-state", IPP_TAG_ENUM) : nullptr;
    if (!st) return Fate::Unknown;
    const int state = ippGetInteger(st, 0);
    if (state == IPP_JSTATE_CANCELED || state == IPP_JSTATE_ABORTED) return Fate::Ended;
    if (state == IPP_JSTATE_COMPLETED) return Fate::Taken;
    ipp_attribute_t* docs = ippFindAttribute(answer.get(), "number-of-documents", IPP_TAG_INTEGER);
    return docs && ippGetInteger(docs, 0) > 0 ? Fate::Taken : Fate::Waiting;
}

// Cancels the job; true when it is gone or was never going to print our
// report. A job that has already completed was printed: then `completed`.
bool cancel(http_t* http, const std::string& printer, const std::string& uri, int job,
            bool& completed) {
    completed = false;
    const ipp_status_t s = cupsCancelJob2(http, printer.c_str(), job, 0);
    if (s <= IPP_STATUS_OK_EVENTS_COMPLETE) return true;
    if (s != IPP_STATUS_ERROR_NOT_POSSIBLE) return false;
    // Too late to cancel: the job has ended. Only a job that completed was
    // printed.
    completed = fateOf(http, uri, job) == Fate::Taken;
    return true;
}

// The jobs of this user named `title` that wait on the queue with no
// document: what a Create-Job whose answer was lost leaves behind. They are
// cancelled.
void cancelEmpty(http_t* http, const std::string& printer, const std::string& uri,
                 const std::string& title) {
    ipp_t* q = jobRequest(IPP_OP_GET_JOBS, uri);
    ippAddBoolean(q, IPP_TAG_OPERATION, "my-jobs", 1);
    ippAddString(q, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "which-jobs", nullptr, "not-completed");
    static const char* const wanted[] = {"job-id", "job-name", "number-of-documents"};
    ippAddStrings(q, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 3, nullptr,
                  wanted);
    Ipp answer(cupsDoRequest(http, q, "/"));
    if (!ok(answer.get())) return;
    std::vector<int> empty;
    int id = 0, docs = -1;
    std::string name;
    const auto close = [&] {
        if (id > 0 && docs == 0 && name == title) empty.push_back(id);
        id = 0;
        docs = -1;
        name.clear();
    };
    for (ipp_attribute_t* a = ippFirstAttribute(answer.get()); a; a = ippNextAttribute(answer.get())) {
        const char* n = ippGetName(a);
        if (!n || ippGetGroupTag(a) != IPP_TAG_JOB) {
            close();
            continue;
        }
        const std::string attr = n;
        if (attr == "job-id") id = ippGetInteger(a, 0);
        else if (attr == "number-of-documents") docs = ippGetInteger(a, 0);
        else if (attr == "job-name") name = ippGetString(a, 0, nullptr) ? ippGetString(a, 0, nullptr) : "";
    }
    close();
    for (int job : empty) cupsCancelJob2(http, printer.c_str(), job, 0);
}

}  // namespace

// One call's share of the bound: what is left of the command in progress,
// or the whole bound for a call on its own. The time the call took is taken
// off the command's.
class CupsPrinterService::Turn {
public:
    explicit Turn(CupsPrinterService& s)
        : s_(s), start_(Clock::now()),
          end_(start_ + (s.commands_ > 0 ? s.left_ : Clock::duration(milliseconds(s.limitMs_)))) {}
    ~Turn() {
        if (s_.commands_ > 0) s_.left_ = std::max(Clock::duration::zero(), end_ - Clock::now());
    }
    Turn(const Turn&) = delete;
    Turn& operator=(const Turn&) = delete;

    Clock::time_point start() const { return start_; }
    Clock::time_point end() const { return end_; }

private:
    CupsPrinterService& s_;
    Clock::time_point start_, end_;
};

void CupsPrinterService::beginCommand() {
    if (commands_++ == 0) left_ = milliseconds(limitMs_);
}

void CupsPrinterService::endCommand() {
    if (commands_ > 0) --commands_;
}

PrinterListing CupsPrinterService::listPrinters() {
    Turn turn(*this);
    const Settings settings = Settings::ofThisThread();
    const std::string own = usersDefault();
    auto result = std::make_shared<PrinterListing>();
    const Clock::time_point end = turn.end();
    const bool done = runBounded(end, settings, [result, end, own, settings](const auto& watch) {
        PrinterListing& l = *result;
        Connection c(watch, end);
        if (!c.get()) {
            // No scheduler at all: a machine without printers, unless a
            // print server was named.
            if (c.silent())
                l.error = kPrintingSystemSilent;
            else if (settings.named())
                l.error = "No se puede conectar con el servidor de impresión «" + settings.server + "».";
            return;
        }
        ipp_t* request = ippNewRequest(IPP_OP_CUPS_GET_PRINTERS);
        static const char* const wanted[] = {"printer-name"};
        ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 1,
                      nullptr, wanted);
        Ipp response(cupsDoRequest(c.get(), request, "/"));
        if (!ok(response.get()) && cupsLastError() != IPP_STATUS_ERROR_NOT_FOUND) {
            l.error = c.failure({});
            return;
        }
        for (ipp_attribute_t* a = ippFindAttribute(response.get(), "printer-name", IPP_TAG_NAME);
             a; a = ippFindNextAttribute(response.get(), "printer-name", IPP_TAG_NAME))
            if (const char* n = ippGetString(a, 0, nullptr)) l.names.emplace_back(n);
        if (!own.empty()) {
            l.defaultName = own;
            return;
        }
        // The scheduler's default; "not found" is a scheduler with none.
        ipp_t* q = ippNewRequest(IPP_OP_CUPS_GET_DEFAULT);
        ippAddStrings(q, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 1, nullptr,
                      wanted);
        Ipp d(cupsDoRequest(c.get(), q, "/"));
        if (!ok(d.get())) {
            if (cupsLastError() != IPP_STATUS_ERROR_NOT_FOUND || c.silent() || !d)
                l.error = c.failure({});
            return;
        }
        ipp_attribute_t* n = ippFindAttribute(d.get(), "printer-name", IPP_TAG_NAME);
        const char* name = n ? ippGetString(n, 0, nullptr) : nullptr;
        if (!name || !*name)
            l.error = kConnectionLost;  // an answer with no name is no answer
        else
            l.defaultName = name;
    });
    if (!done) return {{}, {}, kPrintingSystemSilent};
    return *result;
}

std::string CupsPrinterService::a4Margins(const std::string& printer, PageMargins& margins) {
    margins = {};
    Turn turn(*this);
    struct Result {
        std::string error;
        Margins m;
    };
    auto result = std::make_shared<Result>();
    const Clock::time_point end = turn.end();
    const bool done =
        runBounded(end, Settings::ofThisThread(), [result, end, printer](const auto& watch) {
            Connection c(watch, end);
            if (!c.get()) {
                result->error = c.failure(printer);
                return;
            }
            ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
            const std::string uri = printerUri(printer);
            ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                         uri.c_str());
            static const char* const wanted[] = {
                "media-col-database",           "media-col-default",
                "media-left-margin-supported",  "media-top-margin-supported",
                "media-right-margin-supported", "media-bottom-margin-supported"};
            ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 6,
                          nullptr, wanted);
            Ipp response(cupsDoRequest(c.get(), request, ("/printers/" + printer).c_str()));
            if (!ok(response.get()) || c.silent()) {
                result->error = c.failure(printer);
                return;
            }
            result->m = a4MarginsOf(response.get());
        });
    if (!done) return kPrintingSystemSilent;
    if (!result->error.empty()) return result->error;
    margins.left = result->m.left / 1000.0;
    margins.top = result->m.top / 1000.0;
    margins.right = result->m.right / 1000.0;
    margins.bottom = result->m.bottom / 1000.0;
    return {};
}

std::string CupsPrinterService::submitPdf(const std::string& printer, const std::string& path,
                                          const std::string& title) {
    std::shared_ptr<FILE> file(std::fopen(path.c_str(), "rb"), [](FILE* f) {
        if (f) std::fclose(f);
    });
    if (!file) return "No se ha podido leer el documento.";
    Turn turn(*this);
    // The job must be whole on the scheduler by `sendBy`; the rest of the
    // bound is kept for learning what became of it, or for cancelling it,
    // on a fresh connection.
    const Clock::duration reserve = std::min<Clock::duration>(
        (turn.end() - turn.start()) / 2, milliseconds(limitMs_ * 3 / 10));
    const Clock::time_point end = turn.end();
    const Clock::time_point sendBy = end - reserve;
    struct Result {
        std::string error;
        std::atomic<bool> sent{false};  // the document went out whole
    };
    auto result = std::make_shared<Result>();
    const bool done = runBounded(end, Settings::ofThisThread(), [=](const auto& watch) {
        std::string& error = result->error;
        const std::string uri = printerUri(printer);
        const std::string resource = "/printers/" + printer;
        int job = 0;
        bool whole = false;  // the document went out whole
        {
            Connection c(watch, sendBy);
            if (!c.get()) {
                error = c.failure(printer);
                return;
            }
            // Create-Job by hand: libcups' own helper first looks the
            // printer up on connections of its own, which wait without
            // this bound.
            ipp_t* request = jobRequest(IPP_OP_CREATE_JOB, uri);
            ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr,
                         title.c_str());
            ippAddString(request, IPP_TAG_JOB, IPP_TAG_KEYWORD, "media", nullptr,
                         "iso_a4_210x297mm");
            ippAddInteger(request, IPP_TAG_JOB, IPP_TAG_ENUM, "orientation-requested",
                          IPP_ORIENT_PORTRAIT);
            ippAddString(request, IPP_TAG_JOB, IPP_TAG_KEYWORD, "print-scaling", nullptr, "none");
            Ipp created(cupsDoRequest(c.get(), request, resource.c_str()));
            ipp_attribute_t* id = ok(created.get()) && !c.silent()
                                      ? ippFindAttribute(created.get(), "job-id", IPP_TAG_INTEGER)
                                      : nullptr;
            job = id ? ippGetInteger(id, 0) : 0;
            if (job <= 0) {
                error = c.failure(printer);
                // A refusal made no job; an answer lost may have left one
                // waiting for its document.
                const ipp_status_t s = cupsLastError();
                if (!c.silent() && s > IPP_STATUS_OK_EVENTS_COMPLETE && s != IPP_STATUS_ERROR_INTERNAL)
                    return;
            } else if (cupsStartDocument(c.get(), printer.c_str(), job, title.c_str(),
                                         CUPS_FORMAT_PDF, 1) != HTTP_STATUS_CONTINUE) {
                error = c.failure(printer);
            } else {
                char buffer[32768];
                std::size_t got = 0;
                while (error.empty() && (got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
                    if (cupsWriteRequestData(c.get(), buffer, got) != HTTP_STATUS_CONTINUE)
                        error = c.failure(printer);
                if (error.empty() && std::ferror(file.get()))
                    error = "No se ha podido leer el documento.";
                whole = error.empty();
                result->sent = whole;
                // The scheduler's verdict on the whole job, read within the
                // bound: a wait that ran out, or a connection lost before
                // the answer, is no verdict.
                if (whole) {
                    Ipp answer(cupsGetResponse(c.get(), resource.c_str()));
                    if (ok(answer.get()) && !c.silent()) return;  // printed
                    error = c.failure(printer);
                    const ipp_status_t s = cupsLastError();
                    // A refusal of the whole document is a verdict too.
                    if (!c.silent() && s > IPP_STATUS_OK_EVENTS_COMPLETE &&
                        s != IPP_STATUS_ERROR_INTERNAL)
                        whole = false;
                }
            }
        }
        // The connection it was sent on is in an unknown state: what is
        // left is done on a fresh one.
        Connection k(watch, end);
        if (job <= 0) {
            if (k.get()) cancelEmpty(k.get(), printer, uri, title);
            return;
        }
        if (whole) {
            // Sent whole, the answer lost: the scheduler tells whether it has
            // the document. A job still waiting for it will not get it.
            const Fate f = k.get() ? fateOf(k.get(), uri, job) : Fate::Unknown;
            if (f == Fate::Taken) {
                error.clear();
                return;
            }
            if (f == Fate::Unknown) {
                error = kJobFateUnknown;
                return;
            }
        }
        // A job not taken whole must not print a part of the report later,
        // nor stay behind waiting for the rest.
        bool completed = false;
        if (k.get() && cancel(k.get(), printer, uri, job, completed) && completed) error.clear();
    });
    // A worker left behind after the document went out whole: what became
    // of it is not known.
    if (!done) return result->sent ? kJobFateUnknown : kPrintingSystemSilent;
    return result->error;
}

}  // namespace platform
