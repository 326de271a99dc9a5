#include "platform/CupsPrinters.h"

#include <cups/cups.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>

namespace platform {

namespace {

using Clock = std::chrono::steady_clock;

// libcups asks this for a password instead of reading one from a terminal;
// none is given, so a printer that wants one fails at once.
const char* noPassword(const char*, http_t*, const char*, const char*, void*) { return nullptr; }

int msLeft(Clock::time_point deadline) {
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return static_cast<int>(std::clamp<long long>(ms, 0, 24 * 3600 * 1000));
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
        return "El sistema de impresión pide una conexión cifrada que no se ha podido establecer.";
    case IPP_STATUS_ERROR_DOCUMENT_FORMAT_NOT_SUPPORTED:
        return quien + " no admite documentos PDF.";
    case IPP_STATUS_ERROR_REQUEST_ENTITY:
    case IPP_STATUS_ERROR_TOO_MANY_JOBS:
    case IPP_STATUS_ERROR_TOO_MANY_DOCUMENTS:
        return quien + " no admite más trabajos por ahora.";
    case IPP_STATUS_ERROR_BUSY:
    case IPP_STATUS_ERROR_SERVICE_UNAVAILABLE:
    case IPP_STATUS_ERROR_TEMPORARY:
        return "El sistema de impresión está ocupado; inténtelo más tarde.";
    case IPP_STATUS_ERROR_INTERNAL:
        return "Se ha perdido la comunicación con el sistema de impresión.";
    default: break;
    }
    // A call that failed with no refusal of the scheduler: the connection
    // was lost on the way.
    if (status <= IPP_STATUS_OK_EVENTS_COMPLETE)
        return "Se ha perdido la comunicación con el sistema de impresión.";
    char codigo[16];
    std::snprintf(codigo, sizeof codigo, "0x%04X", static_cast<unsigned>(status) & 0xFFFFu);
    return "El sistema de impresión ha rechazado la petición (código " + std::string(codigo) + ").";
}

// One connection to the scheduler with a deadline for everything done on
// it: libcups asks the callback whenever a wait has run a slice long, and
// gives up once the callback says so.
class Connection {
public:
    explicit Connection(Clock::time_point deadline) : deadline_(deadline) {
        cupsSetPasswordCB2(&noPassword, nullptr);  // per thread in libcups
        const int ms = msLeft(deadline_);
        if (ms <= 0) {
            silent_ = true;
            return;
        }
        http_ = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, ms,
                             nullptr);
        if (!http_) {
            // A refused or missing socket answers at once; only a slow one
            // takes the whole bound.
            silent_ = Clock::now() >= deadline_;
            return;
        }
        httpSetTimeout(http_, 0.1, &Connection::stillWaiting, this);
    }
    ~Connection() {
        if (http_) httpClose(http_);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    http_t* get() const { return http_; }
    bool silent() const { return silent_; }

    // The text of the last failure on this connection.
    std::string failure(const std::string& printer) const {
        if (silent_) return kPrintingSystemSilent;
        if (!http_) return "No se puede conectar con el sistema de impresión.";
        return refusal(cupsLastError(), printer);
    }

private:
    static int stillWaiting(http_t*, void* data) {
        auto* self = static_cast<Connection*>(data);
        if (Clock::now() < self->deadline_) return 1;
        self->silent_ = true;
        return 0;
    }

    Clock::time_point deadline_;
    http_t* http_ = nullptr;
    bool silent_ = false;
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

}  // namespace

// One call's share of the bound: what is left of the command in progress,
// or the whole bound for a call on its own. The time the call took is taken
// off the command's.
class CupsPrinterService::Turn {
public:
    explicit Turn(CupsPrinterService& s)
        : s_(s), start_(Clock::now()),
          end_(start_ + (s.commands_ > 0 ? s.left_
                                          : Clock::duration(std::chrono::milliseconds(s.limitMs_)))) {}
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
    if (commands_++ == 0) left_ = std::chrono::milliseconds(limitMs_);
}

void CupsPrinterService::endCommand() {
    if (commands_ > 0) --commands_;
}

PrinterListing CupsPrinterService::listPrinters() {
    PrinterListing l;
    Turn turn(*this);
    Connection c(turn.end());
    if (!c.get()) {
        // No scheduler at all: a machine without printers.
        if (c.silent()) l.error = kPrintingSystemSilent;
        return l;
    }
    ipp_t* request = ippNewRequest(IPP_OP_CUPS_GET_PRINTERS);
    static const char* const wanted[] = {"printer-name"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 1,
                  nullptr, wanted);
    Ipp response(cupsDoRequest(c.get(), request, "/"));
    if (!ok(response.get()) && cupsLastError() != IPP_STATUS_ERROR_NOT_FOUND) {
        l.error = c.failure({});
        return l;
    }
    for (ipp_attribute_t* a = ippFindAttribute(response.get(), "printer-name", IPP_TAG_NAME); a;
         a = ippFindNextAttribute(response.get(), "printer-name", IPP_TAG_NAME))
        if (const char* n = ippGetString(a, 0, nullptr)) l.names.emplace_back(n);
    // The user's default (LPDEST, PRINTER, lpoptions), else the scheduler's.
    const char* d = cupsGetDefault2(c.get());
    if (c.silent()) {
        l.error = kPrintingSystemSilent;
        return l;
    }
    if (d) l.defaultName = d;
    return l;
}

std::string CupsPrinterService::a4Margins(const std::string& printer, PageMargins& margins) {
    margins = {};
    Turn turn(*this);
    Connection c(turn.end());
    if (!c.get()) return c.failure(printer);
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    const std::string uri = printerUri(printer);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.c_str());
    static const char* const wanted[] = {"media-col-database",          "media-col-default",
                                         "media-left-margin-supported", "media-top-margin-supported",
                                         "media-right-margin-supported",
                                         "media-bottom-margin-supported"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 6,
                  nullptr, wanted);
    Ipp response(cupsDoRequest(c.get(), request, ("/printers/" + printer).c_str()));
    if (!ok(response.get())) return c.failure(printer);

    // The A4 entries of the printer's media; where it offers A4 with and
    // without borders, the bordered one, whose area it can print whole.
    // Without A4 among them, the widest margins it supports; a printer that
    // tells nothing prints the whole sheet.
    std::optional<Margins> best;
    for (const char* name : {"media-col-database", "media-col-default"}) {
        ipp_attribute_t* a = ippFindAttribute(response.get(), name, IPP_TAG_BEGIN_COLLECTION);
        for (int i = 0; a && i < ippGetCount(a); ++i) {
            const std::optional<Margins> m = a4Of(ippGetCollection(a, i));
            if (m && (!best || m->sum() > best->sum())) best = m;
        }
        if (best) break;
    }
    if (!best) {
        Margins m;
        const auto widest = [&response](const char* name, int& v) {
            ipp_attribute_t* a = ippFindAttribute(response.get(), name, IPP_TAG_INTEGER);
            for (int i = 0; a && i < ippGetCount(a); ++i) v = std::max(v, ippGetInteger(a, i));
        };
        widest("media-left-margin-supported", m.left);
        widest("media-top-margin-supported", m.top);
        widest("media-right-margin-supported", m.right);
        widest("media-bottom-margin-supported", m.bottom);
        best = m;
    }
    if (best) {
        margins.left = best->left / 1000.0;
        margins.top = best->top / 1000.0;
        margins.right = best->right / 1000.0;
        margins.bottom = best->bottom / 1000.0;
    }
    return {};
}

std::string CupsPrinterService::submitPdf(const std::string& printer, const std::string& path,
                                          const std::string& title) {
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) return "No se ha podido leer el documento.";
    Turn turn(*this);
    // The job must be whole on the scheduler by `sendBy`; the rest of the
    // bound is kept for cancelling it when it is not.
    const Clock::duration reserve =
        std::min<Clock::duration>((turn.end() - turn.start()) / 2,
                                  std::chrono::milliseconds(limitMs_ / 5));
    const Clock::time_point sendBy = turn.end() - reserve;
    std::optional<Connection> c(std::in_place, sendBy);
    if (!c->get()) return c->failure(printer);

    // Create-Job by hand: libcups' own helper first looks the printer up on
    // connections of its own, which wait without this bound.
    ipp_t* request = ippNewRequest(IPP_OP_CREATE_JOB);
    const std::string uri = printerUri(printer);
    const std::string resource = "/printers/" + printer;
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.c_str());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, title.c_str());
    ippAddString(request, IPP_TAG_JOB, IPP_TAG_KEYWORD, "media", nullptr, "iso_a4_210x297mm");
    ippAddInteger(request, IPP_TAG_JOB, IPP_TAG_ENUM, "orientation-requested",
                  IPP_ORIENT_PORTRAIT);
    ippAddString(request, IPP_TAG_JOB, IPP_TAG_KEYWORD, "print-scaling", nullptr, "none");
    Ipp created(cupsDoRequest(c->get(), request, resource.c_str()));
    ipp_attribute_t* id =
        ok(created.get()) ? ippFindAttribute(created.get(), "job-id", IPP_TAG_INTEGER) : nullptr;
    const int job = id ? ippGetInteger(id, 0) : 0;
    if (job <= 0) return c->failure(printer);

    std::string error;
    if (cupsStartDocument(c->get(), printer.c_str(), job, title.c_str(), CUPS_FORMAT_PDF, 1) !=
        HTTP_STATUS_CONTINUE) {
        error = c->failure(printer);
    } else {
        char buffer[32768];
        std::size_t got = 0;
        while (error.empty() && (got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
            if (cupsWriteRequestData(c->get(), buffer, got) != HTTP_STATUS_CONTINUE)
                error = c->failure(printer);
        if (error.empty() && std::ferror(file.get())) error = "No se ha podido leer el documento.";
        // The scheduler's verdict on the whole job, read within the bound: a
        // wait that ran out, or a connection lost before the answer, is no
        // verdict.
        if (error.empty()) {
            Ipp answer(cupsGetResponse(c->get(), resource.c_str()));
            if (c->silent() || !ok(answer.get())) error = c->failure(printer);
        }
    }
    if (error.empty()) return error;

    // A job not taken whole must not print a part of the report later, nor
    // stay behind waiting for the rest: it is cancelled on a connection of
    // its own, the one it was sent on being in an unknown state.
    c.reset();
    Connection k(turn.end());
    if (!k.get()) return error;
    if (cupsCancelJob2(k.get(), printer.c_str(), job, 0) == IPP_STATUS_ERROR_NOT_POSSIBLE) {
        // Too late to cancel: the job has ended. Only a job that completed
        // was printed; then the print was done after all.
        ipp_t* q = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
        ippAddString(q, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.c_str());
        ippAddInteger(q, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", job);
        ippAddString(q, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                     cupsUser());
        ippAddString(q, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                     "job-state");
        Ipp state(cupsDoRequest(k.get(), q, "/jobs/"));
        ipp_attribute_t* st =
            ok(state.get()) ? ippFindAttribute(state.get(), "job-state", IPP_TAG_ENUM) : nullptr;
        if (st && ippGetInteger(st, 0) == IPP_JSTATE_COMPLETED && !k.silent()) return {};
    }
    return error;
}

}  // namespace platform
