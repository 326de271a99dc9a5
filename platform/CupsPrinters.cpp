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

// One connection to the scheduler with a deadline for everything done on
// it: libcups asks the callback whenever a wait has run a slice long, and
// gives up once the callback says so.
class Connection {
public:
    explicit Connection(int limitMs)
        : deadline_(Clock::now() + std::chrono::milliseconds(limitMs)) {
        http_ = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                             std::max(limitMs, 1), nullptr);
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
        switch (cupsLastError()) {
        case IPP_STATUS_ERROR_NOT_FOUND: return printerUnavailableText(printer);
        case IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS:
            return "La impresora «" + printer + "» no acepta trabajos.";
        default: break;
        }
        const char* motivo = cupsLastErrorString();
        return std::string("El sistema de impresión ha devuelto un error") +
               (motivo && *motivo ? std::string(": ") + motivo : std::string()) + ".";
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

PrinterListing CupsPrinterService::listPrinters() {
    PrinterListing l;
    Connection c(limitMs_);
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
    Connection c(limitMs_);
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
    Connection c(limitMs_);
    if (!c.get()) return c.failure(printer);

    // Create-Job by hand: libcups' own helper first looks the printer up on
    // connections of its own, which wait without this bound.
    ipp_t* request = ippNewRequest(IPP_OP_CREATE_JOB);
    const std::string uri = printerUri(printer);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.c_str());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, title.c_str());
    ippAddString(request, IPP_TAG_JOB, IPP_TAG_KEYWORD, "media", nullptr, "iso_a4_210x297mm");
    ippAddInteger(request, IPP_TAG_JOB, IPP_TAG_ENUM, "orientation-requested",
                  IPP_ORIENT_PORTRAIT);
    ippAddString(request, IPP_TAG_JOB, IPP_TAG_KEYWORD, "print-scaling", nullptr, "none");
    Ipp created(cupsDoRequest(c.get(), request, ("/printers/" + printer).c_str()));
    ipp_attribute_t* id =
        ok(created.get()) ? ippFindAttribute(created.get(), "job-id", IPP_TAG_INTEGER) : nullptr;
    const int job = id ? ippGetInteger(id, 0) : 0;
    if (job <= 0) return c.failure(printer);

    std::string error;
    if (cupsStartDocument(c.get(), printer.c_str(), job, title.c_str(), CUPS_FORMAT_PDF, 1) !=
        HTTP_STATUS_CONTINUE) {
        error = c.failure(printer);
    } else {
        char buffer[32768];
        std::size_t got = 0;
        while (error.empty() && (got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
            if (cupsWriteRequestData(c.get(), buffer, got) != HTTP_STATUS_CONTINUE)
                error = c.failure(printer);
        if (error.empty() && std::ferror(file.get())) error = "No se ha podido leer el documento.";
        // Finishing reads the scheduler's verdict on the whole job; after a
        // failed write it closes the request.
        const ipp_status_t fin = cupsFinishDocument(c.get(), printer.c_str());
        if (error.empty() && fin > IPP_STATUS_OK_EVENTS_COMPLETE) error = c.failure(printer);
    }
    // A job refused halfway must not print a part of the report later.
    if (!error.empty() && !c.silent()) cupsCancelJob2(c.get(), printer.c_str(), job, 0);
    return error;
}

}  // namespace platform
