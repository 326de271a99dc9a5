// A private CUPS scheduler for a test: its own configuration, spool, logs
// and programs in a temporary folder, listening on a socket there. The test
// process and the programs it runs talk to it (CUPS_SERVER and libcups'
// server are set while it lives). It is stopped with its whole process
// group when the object goes, whatever the test did (a paused scheduler is
// woken first).
//
// Backends of its own: "guardar:/ruta" writes the job's data unchanged to
// the file, "fallar:" fails every job.
#pragma once

#include <cups/cups.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace prueba {

// Asks `listo` again every 50 ms until it holds or `ms` have passed: the
// scheduler tells its state only when asked. Whether it held.
template <class F>
bool Sondear(int ms, F listo) {
    QElapsedTimer t;
    t.start();
    for (;;) {
        if (listo()) return true;
        if (t.elapsed() >= ms) return false;
        QThread::msleep(50);
    }
}

class Planificador {
public:
    Planificador() = default;
    ~Planificador() { Parar(); }
    Planificador(const Planificador&) = delete;
    Planificador& operator=(const Planificador&) = delete;

    // Starts the scheduler and waits until it answers; false (Fallo() tells
    // why) when it does not.
    bool Arrancar() {
        if (!dir_.isValid()) return Fallar("no temporary folder");
        const QString d = dir_.path();
        for (const char* sub : {"spool", "cache", "state", "log", "tmp", "salida", "bin", "bin/backend"})
            if (!QDir().mkpath(d + "/" + sub)) return Fallar("cannot make folders");
        chmod(QFile::encodeName(d).constData(), 0755);
        chmod(QFile::encodeName(d + "/tmp").constData(), 01777);
        chmod(QFile::encodeName(d + "/salida").constData(), 0777);
        socket_ = d + "/cups.sock";
        if (socket_.toLocal8Bit().size() >= static_cast<int>(sizeof(sockaddr_un{}.sun_path)))
            return Fallar("socket path too long");
        // The scheduler's programs, with backends of the test's own.
        for (const char* sub : {"filter", "daemon", "cgi-bin", "monitor", "notifier", "driver"})
            QFile::link(QStringLiteral("/usr/lib/cups/") + sub, d + "/bin/" + sub);
        if (!Escribir("bin/backend/guardar",
                      "#!/bin/sh\n"
                      "[ $# -eq 0 ] && { echo 'direct guardar \"Unknown\" \"Guardar\"'; exit 0; }\n"
                      "out=\"${DEVICE_URI#guardar:}\"\n"
                      "if [ -n \"$6\" ]; then cat \"$6\"; else cat; fi > \"$out.part\" && "
                      "mv \"$out.part\" \"$out\"\n",
                      0700) ||
            !Escribir("bin/backend/fallar",
                      "#!/bin/sh\n"
                      "[ $# -eq 0 ] && { echo 'direct fallar \"Unknown\" \"Fallar\"'; exit 0; }\n"
                      "echo 'ERROR: sin papel' >&2\nexit 1\n",
                      0700))
            return Fallar("cannot write the backends");
        const QString conf = "Listen " + socket_ +
                             "\nLogLevel warn\nWebInterface No\nBrowsing No\n"
                             "DefaultAuthType None\n"
                             "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                             // Every job shows its name to the test.
                             "<Policy default>\n  JobPrivateValues none\n"
                             "  <Limit All>\n    Order deny,allow\n"
                             "  </Limit>\n</Policy>\n"
                             // A queue with this policy asks for a user name
                             // and password for every job, and takes only a
                             // user that does not exist: a client known by
                             // its socket is refused.
                             "<Policy clave>\n  JobPrivateValues none\n"
                             "  <Limit Create-Job Print-Job Print-URI Send-Document>\n"
                             "    AuthType Basic\n    Require user nadie\n    Order deny,allow\n"
                             "  </Limit>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n"
                             "</Policy>\n" + Mas_Configuracion;
        const QString files = "FileDevice Yes\nServerRoot " + d + "\nRequestRoot " + d +
                              "/spool\nCacheDir " + d + "/cache\nStateDir " + d +
                              "/state\nTempDir " + d + "/tmp\nServerBin " + d +
                              "/bin\nDataDir /usr/share/cups\nAccessLog " + d +
                              "/log/access_log\nErrorLog " + d + "/log/error_log\nPageLog " + d +
                              "/log/page_log\nSystemGroup root\nSandboxing Relaxed\n";
        if (!Escribir("cupsd.conf", conf, 0644) || !Escribir("cups-files.conf", files, 0644))
            return Fallar("cannot write the configuration");

        const QByteArray cupsd = "/usr/sbin/cupsd";
        const QByteArray c = QFile::encodeName(d + "/cupsd.conf");
        const QByteArray s = QFile::encodeName(d + "/cups-files.conf");
        const QByteArray salida = QFile::encodeName(d + "/log/cupsd.out");
        pid_ = fork();
        if (pid_ < 0) return Fallar("fork failed");
        if (pid_ == 0) {
            setpgid(0, 0);
            // Also gone if the test process dies without its destructors.
            prctl(PR_SET_PDEATHSIG, SIGKILL);
            const int fd = ::open(salida.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (fd >= 0) {
                dup2(fd, 1);
                dup2(fd, 2);
            }
            execl(cupsd.constData(), "cupsd", "-f", "-c", c.constData(), "-s", s.constData(),
                  static_cast<char*>(nullptr));
            _exit(127);
        }
        setpgid(pid_, pid_);

        viejo_ = qgetenv("CUPS_SERVER");
        habia_ = qEnvironmentVariableIsSet("CUPS_SERVER");
        qputenv("CUPS_SERVER", socket_.toLocal8Bit());
        cupsSetServer(socket_.toLocal8Bit().constData());

        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 15000) {
            int estado = 0;
            if (waitpid(pid_, &estado, WNOHANG) == pid_) {
                pid_ = -1;
                return Fallar("cupsd ended at start: " + Leer("log/cupsd.out") +
                              Leer("log/error_log"));
            }
            if (Responde()) return true;
            QThread::msleep(50);
        }
        return Fallar("cupsd does not answer: " + Leer("log/error_log"));
    }

    // Lines added to the scheduler's configuration (limits, …), set before
    // Arrancar.
    QString Mas_Configuracion;

    const std::string& Fallo() const { return fallo_; }
    QString Carpeta() const { return dir_.path(); }
    QString Salida(const QString& nombre) const { return dir_.path() + "/salida/" + nombre; }
    QString Socket() const { return socket_; }

    // Runs one of the scheduler's commands (lpadmin, cupsreject, …) against
    // it; true when it succeeded.
    bool Orden(const QString& programa, const QStringList& args) {
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(programa, QStringList{"-h", socket_} + args);
        const bool ok = p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit &&
                        p.exitCode() == 0;
        if (!ok) fallo_ = (programa + " " + args.join(' ') + ": ").toStdString() +
                          p.readAll().toStdString();
        if (p.state() != QProcess::NotRunning) {
            p.kill();
            p.waitForFinished(5000);
        }
        return ok;
    }

    // A queue: the device URI, then lpadmin's options.
    bool Cola(const QString& nombre, const QString& uri, const QStringList& opciones = {}) {
        return Orden("/usr/sbin/lpadmin", QStringList{"-p", nombre, "-E", "-v", uri} + opciones);
    }

    // A PPD of a PDF printer whose A4 printable area has these margins (cm),
    // defaulting to Letter; con_a4 false: a Letter printer alone.
    QString Ppd(const QString& nombre, double izq, double sup, double der, double inf,
                bool con_a4 = true) {
        const auto pt = [](double cm) { return QString::number(cm / 2.54 * 72, 'f', 2); };
        const QString area = pt(izq) + " " + pt(inf) + " " + QString::number(595 - der / 2.54 * 72, 'f', 2) +
                             " " + QString::number(842 - sup / 2.54 * 72, 'f', 2);
        const auto a4 = [con_a4](const QString& linea) { return con_a4 ? linea : QString(); };
        const QString texto =
            "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*FileVersion: \"1.0\"\n"
            "*LanguageVersion: English\n*LanguageEncoding: ISOLatin1\n*PCFileName: \"PRUEBA.PPD\"\n"
            "*Manufacturer: \"Prueba\"\n*Product: \"(Prueba)\"\n*ModelName: \"Prueba PDF\"\n"
            "*ShortNickName: \"Prueba PDF\"\n*NickName: \"Prueba PDF\"\n*PSVersion: \"(3010.000) 0\"\n"
            "*LanguageLevel: \"3\"\n*ColorDevice: True\n*DefaultColorSpace: RGB\n*FileSystem: False\n"
            "*Throughput: \"1\"\n*LandscapeOrientation: Plus90\n*TTRasterizer: Type42\n"
            "*cupsFilter: \"application/vnd.cups-pdf 0 -\"\n"
            "*OpenUI *PageSize/Page Size: PickOne\n*OrderDependency: 10 AnySetup *PageSize\n"
            "*DefaultPageSize: Letter\n" + a4("*PageSize A4/A4: \"\"\n") + "*PageSize Letter/Letter: \"\"\n"
            "*CloseUI: *PageSize\n"
            "*OpenUI *PageRegion: PickOne\n*OrderDependency: 10 AnySetup *PageRegion\n"
            "*DefaultPageRegion: Letter\n" + a4("*PageRegion A4/A4: \"\"\n") +
            "*PageRegion Letter/Letter: \"\"\n"
            "*CloseUI: *PageRegion\n"
            "*DefaultImageableArea: Letter\n" + a4("*ImageableArea A4/A4: \"" + area + "\"\n") +
            "*ImageableArea Letter/Letter: \"18 36 594 756\"\n"
            "*DefaultPaperDimension: Letter\n" + a4("*PaperDimension A4/A4: \"595 842\"\n") +
            "*PaperDimension Letter/Letter: \"612 792\"\n";
        const QString ruta = nombre + ".ppd";
        return Escribir(ruta, texto, 0644) ? dir_.path() + "/" + ruta : QString();
    }

    // The scheduler stops answering, and answers again.
    void Pausar() {
        if (pid_ > 0) kill(pid_, SIGSTOP);
    }
    void Seguir() {
        if (pid_ > 0) kill(pid_, SIGCONT);
    }

    struct Trabajo {
        int id = 0;
        std::string cola;
        std::string titulo;
        ipp_jstate_t estado{};
        int documentos = 0;
    };
    // Every job the scheduler knows, completed ones included.
    std::vector<Trabajo> Trabajos() {
        std::vector<Trabajo> v;
        http_t* http = httpConnect2(socket_.toLocal8Bit().constData(), ippPort(), nullptr,
                                    AF_UNSPEC, HTTP_ENCRYPTION_IF_REQUESTED, 1, 5000, nullptr);
        if (!http) return v;
        httpSetTimeout(http, 10, nullptr, nullptr);
        ipp_t* q = ippNewRequest(IPP_OP_GET_JOBS);
        ippAddString(q, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, "ipp://localhost/");
        ippAddString(q, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "which-jobs", nullptr, "all");
        static const char* const pedidos[] = {"job-id", "job-printer-uri", "job-state",
                                              "number-of-documents"};
        ippAddStrings(q, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 4, nullptr,
                      pedidos);
        ipp_t* r = cupsDoRequest(http, q, "/");
        bool nuevo = true;  // the next job attribute starts a job's group
        for (ipp_attribute_t* a = ippFirstAttribute(r); a; a = ippNextAttribute(r)) {
            const char* n = ippGetName(a);
            if (!n || ippGetGroupTag(a) != IPP_TAG_JOB) {
                nuevo = true;
                continue;
            }
            if (nuevo) {
                v.push_back({});
                nuevo = false;
            }
            Trabajo& t = v.back();
            const std::string nombre = n;
            if (nombre == "job-id") t.id = ippGetInteger(a, 0);
            if (nombre == "job-state") t.estado = static_cast<ipp_jstate_t>(ippGetInteger(a, 0));
            if (nombre == "number-of-documents") t.documentos = ippGetInteger(a, 0);
            if (nombre == "job-printer-uri") {
                const std::string uri = ippGetString(a, 0, nullptr);
                t.cola = uri.substr(uri.rfind('/') + 1);
            }
        }
        ippDelete(r);
        // A job that has ended tells its name only when asked for it alone.
        for (Trabajo& t : v) {
            ipp_t* p = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
            ippAddString(p, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                         "ipp://localhost/");
            ippAddInteger(p, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", t.id);
            ippAddString(p, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                         "job-name");
            ipp_t* a = cupsDoRequest(http, p, "/jobs/");
            if (ipp_attribute_t* n = ippFindAttribute(a, "job-name", IPP_TAG_NAME))
                t.titulo = ippGetString(n, 0, nullptr);
            ippDelete(a);
        }
        httpClose(http);
        return v;
    }

    // Waits (at most `ms`) for a file of the output folder to be whole: a
    // PDF to its end, whose job the scheduler no longer processes (the
    // backend may still be writing a file that has appeared).
    bool Esperar_Salida(const QString& ruta, int ms = 30000) {
        qint64 antes = -1;
        return Sondear(ms, [&] {
            QFile f(ruta);
            const qint64 n = f.size();
            const bool quieto = n > 0 && n == antes;
            antes = n;
            if (!quieto || !f.open(QIODevice::ReadOnly)) return false;
            f.seek(std::max<qint64>(0, n - 16));
            if (!f.readAll().trimmed().endsWith("%%EOF")) return false;
            const std::vector<Trabajo> v = Trabajos();
            return std::none_of(v.begin(), v.end(), [](const Trabajo& j) {
                return j.estado == IPP_JSTATE_PROCESSING;
            });
        });
    }

    // Waits (at most `ms`) until no job prints or may still print: each one
    // has ended (completed, cancelled, aborted), is held, or waits with no
    // document (one that is not coming). The jobs then.
    std::vector<Trabajo> Esperar_Trabajos(int ms = 30000) {
        std::vector<Trabajo> v;
        Sondear(ms, [&] {
            v = Trabajos();
            return std::all_of(v.begin(), v.end(), [](const Trabajo& j) {
                return j.estado == IPP_JSTATE_HELD || j.estado >= IPP_JSTATE_STOPPED ||
                       (j.estado == IPP_JSTATE_PENDING && j.documentos == 0);
            });
        });
        return v;
    }

    void Parar() {
        if (pid_ > 0) {
            kill(-pid_, SIGCONT);
            kill(-pid_, SIGTERM);
            QElapsedTimer t;
            t.start();
            bool fuera = false;
            while (!fuera && t.elapsed() < 10000) {
                fuera = waitpid(pid_, nullptr, WNOHANG) == pid_;
                if (!fuera) QThread::msleep(20);
            }
            if (!fuera) {
                kill(-pid_, SIGKILL);
                waitpid(pid_, nullptr, 0);
            }
            pid_ = -1;
        }
        if (!socket_.isEmpty()) {
            if (habia_)
                qputenv("CUPS_SERVER", viejo_);
            else
                qunsetenv("CUPS_SERVER");
            cupsSetServer(nullptr);
            socket_.clear();
        }
    }

private:
    bool Fallar(const std::string& motivo) {
        fallo_ = motivo;
        return false;
    }
    bool Escribir(const QString& nombre, const QString& texto, int modo) {
        const QString ruta = dir_.path() + "/" + nombre;
        QFile f(ruta);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
        const QByteArray b = texto.toUtf8();
        const bool ok = f.write(b) == b.size();
        f.close();
        return ok && chmod(QFile::encodeName(ruta).constData(), static_cast<mode_t>(modo)) == 0;
    }
    std::string Leer(const char* nombre) const {
        QFile f(dir_.path() + "/" + nombre);
        return f.open(QIODevice::ReadOnly) ? f.readAll().right(2000).toStdString() : std::string();
    }
    bool Responde() const {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (fd < 0) return false;
        sockaddr_un a{};
        a.sun_family = AF_UNIX;
        const QByteArray p = socket_.toLocal8Bit();
        std::memcpy(a.sun_path, p.constData(), static_cast<std::size_t>(p.size()));
        const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
        ::close(fd);
        return ok;
    }

    QTemporaryDir dir_{QDir::tempPath() + "/kestram-cups-XXXXXX"};
    QString socket_;
    pid_t pid_ = -1;
    QByteArray viejo_;
    bool habia_ = false;
    std::string fallo_;
};

}  // namespace prueba
