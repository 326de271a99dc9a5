// The program's life on a desktop, run as a child process (conductor.cpp)
// and ended from outside: the end signals with and without an unsaved case
// and the offer of the copy at the next start, a signal while a save is
// held, the display going away, and a session manager's logout.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "tests/app/vida/gestor_sesion.h"

#include <xcb/xcb.h>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Reloj = std::chrono::steady_clock;

// The program ends "within a second"; the margin holds with every core busy.
constexpr auto kFin = 2500ms;
constexpr auto kArranque = 60s;  // a start on a loaded machine (ASan build)

std::string Leer(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> Entradas(const fs::path& dir) {
    std::vector<std::string> n;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(dir, ec)) n.push_back(e.path().filename().string());
    std::sort(n.begin(), n.end());
    return n;
}

// The program as a child, its standard output read line by line.
class Hijo {
public:
    Hijo(const std::map<std::string, std::string>& entorno, const fs::path& registro) {
        int tubo[2];
        if (pipe2(tubo, O_CLOEXEC) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            prctl(PR_SET_PDEATHSIG, SIGKILL);  // never outlives the test
            for (const auto& [k, v] : entorno) setenv(k.c_str(), v.c_str(), 1);
            dup2(tubo[1], 1);
            const int err = open(registro.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
            if (err >= 0) dup2(err, 2);
            execl(KESTRAM_CONDUCTOR, KESTRAM_CONDUCTOR, static_cast<char*>(nullptr));
            _exit(127);
        }
        close(tubo[1]);
        fd_ = tubo[0];
    }
    ~Hijo() {
        if (pid_ > 0 && !estado_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (fd_ >= 0) close(fd_);
    }
    pid_t pid() const { return pid_; }

    // The first line that starts with prefijo, within the time allowed.
    std::optional<std::string> linea(const std::string& prefijo, std::chrono::milliseconds plazo) {
        const auto fin = Reloj::now() + plazo;
        for (;;) {
            for (std::size_t nl; (nl = resto_.find('\n')) != std::string::npos;) {
                std::string l = resto_.substr(0, nl);
                resto_.erase(0, nl + 1);
                lineas.push_back(l);
                if (l.rfind(prefijo, 0) == 0) return l;
            }
            const auto queda = std::chrono::duration_cast<std::chrono::milliseconds>(fin - Reloj::now());
            if (queda.count() <= 0) return std::nullopt;
            pollfd p{fd_, POLLIN, 0};
            if (poll(&p, 1, static_cast<int>(queda.count())) <= 0) continue;
            char buf[512];
            const ssize_t n = read(fd_, buf, sizeof buf);
            if (n <= 0) return std::nullopt;  // the program has ended
            resto_.append(buf, static_cast<std::size_t>(n));
        }
    }

    // Its wait status once it has ended, within the time allowed.
    std::optional<int> fin(std::chrono::milliseconds plazo) {
        const auto hasta = Reloj::now() + plazo;
        while (!estado_) {
            int s = 0;
            if (waitpid(pid_, &s, WNOHANG) == pid_) {
                estado_ = s;
                break;
            }
            if (Reloj::now() > hasta) break;
            usleep(5000);
        }
        return estado_;
    }

    std::vector<std::string> lineas;  // every line read so far

private:
    pid_t pid_ = -1;
    int fd_ = -1;
    std::string resto_;
    std::optional<int> estado_;
};

class Vida : public ::testing::Test {
protected:
    void SetUp() override {
        std::string t = (fs::temp_directory_path() / "kestram-vida-XXXXXX").string();
        ASSERT_NE(mkdtemp(t.data()), nullptr);
        dir = t;
        for (const char* d : {"home", "tmp", "run", "datos"}) fs::create_directory(dir / d);
        chmod((dir / "run").c_str(), 0700);
        estado = dir / "estado";
    }
    void TearDown() override {
        if (HasFailure()) std::cerr << Leer(dir / "registro") << "\n";
        std::error_code ec;
        fs::remove_all(dir, ec);
    }

    std::map<std::string, std::string> Entorno(std::map<std::string, std::string> mas = {}) const {
        std::map<std::string, std::string> e = {
            {"HOME", (dir / "home").string()},
            {"TMPDIR", (dir / "tmp").string()},
            {"XDG_RUNTIME_DIR", (dir / "run").string()},
            {"XDG_STATE_HOME", estado.string()},
            {"QT_QPA_PLATFORM", "offscreen"},
            // Under LeakSanitizer, what the X platform's system libraries keep is theirs.
            {"LSAN_OPTIONS", std::string("suppressions=") + KESTRAM_SUPRESIONES},
        };
        for (auto& [k, v] : mas) e[k] = v;
        return e;
    }
    std::unique_ptr<Hijo> Lanzar(std::map<std::string, std::string> mas = {}) const {
        return std::make_unique<Hijo>(Entorno(std::move(mas)), dir / "registro");
    }

    // Sends the signal and says how long the program took to end by it.
    static std::chrono::milliseconds Terminar(Hijo& h, int senal) {
        const auto antes = Reloj::now();
        kill(h.pid(), senal);
        const std::optional<int> s = h.fin(20s);
        const auto tardo = std::chrono::duration_cast<std::chrono::milliseconds>(Reloj::now() - antes);
        EXPECT_TRUE(s && WIFSIGNALED(*s) && WTERMSIG(*s) == senal) << (s ? *s : -1);
        return tardo;
    }

    fs::path Copia() const { return estado / "kestram" / "copia.krf"; }

    fs::path dir;
    fs::path estado;
};

const char* const kOferta =
    "PREGUNTA Se ha recuperado un caso que no llegó a grabarse. ¿Desea abrirlo?";

// Each end signal with an unsaved case: a copy of it, the typed value
// included, and an end within the bound, with nothing left in TMPDIR. The
// next start offers it: "Sí" opens it not saved (another signal keeps it
// again), "No" removes it.
TEST_F(Vida, EndSignalsKeepAnUnsavedCaseThatTheNextStartOffers) {
    const struct {
        int senal;
        const char* respuesta;
    } casos[] = {{SIGTERM, "si"}, {SIGHUP, "no"}, {SIGINT, "si"}};
    for (const auto& k : casos) {
        SCOPED_TRACE(strsignal(k.senal));
        fs::remove_all(estado);
        auto h = Lanzar({{"KESTRAM_CONDUCTOR_CASO", "flexion"}});
        ASSERT_TRUE(h->linea("LISTO", kArranque));
        EXPECT_LT(Terminar(*h, k.senal), kFin);
        ASSERT_TRUE(fs::exists(Copia()));
        const std::string copia = Leer(Copia());
        EXPECT_EQ(copia.substr(0, 11), "1\r\n0.55\r\n0.") << copia;
        EXPECT_EQ(Entradas(dir / "tmp"), std::vector<std::string>{});

        auto otra = Lanzar({{"KESTRAM_CONDUCTOR_RESPUESTAS", k.respuesta}});
        const auto listo = otra->linea("LISTO", kArranque);
        ASSERT_TRUE(listo);
        ASSERT_FALSE(otra->lineas.empty());
        EXPECT_EQ(otra->lineas.front(), kOferta);
        if (std::string(k.respuesta) == "si") {
            EXPECT_EQ(*listo, "LISTO 0 1 ");  // the flexure window, modified, no file name
            EXPECT_TRUE(fs::exists(Copia()));  // until saved or discarded
            EXPECT_LT(Terminar(*otra, SIGTERM), kFin);
            EXPECT_EQ(Leer(Copia()), copia);
        } else {
            EXPECT_EQ(*listo, "LISTO - 0 ");
            EXPECT_EQ(Entradas(estado / "kestram"), std::vector<std::string>{});
            EXPECT_LT(Terminar(*otra, SIGTERM), kFin);
            EXPECT_EQ(Entradas(estado / "kestram"), std::vector<std::string>{});
        }
    }
}

// A copy that cannot be read: reported once, moved aside, offered no more.
TEST_F(Vida, AnUnreadableCopyIsReportedOnceAndMovedAside) {
    fs::create_directories(estado / "kestram");
    { std::ofstream(Copia()) << "1\r\n0.4\r\n"; }
    auto h = Lanzar({{"KESTRAM_CONDUCTOR_RESPUESTAS", "si"}});
    ASSERT_TRUE(h->linea("LISTO", kArranque));
    EXPECT_EQ(h->lineas, (std::vector<std::string>{
                             kOferta, "PREGUNTA Error 62: El fichero termina antes de la línea 3.",
                             "LISTO - 0 "}));
    EXPECT_EQ(Entradas(estado / "kestram"), std::vector<std::string>{"copia.krf.ilegible"});
    EXPECT_LT(Terminar(*h, SIGTERM), kFin);
    auto otra = Lanzar();
    ASSERT_TRUE(otra->linea("LISTO", kArranque));
    EXPECT_EQ(otra->lineas, std::vector<std::string>{"LISTO - 0 "});
}

// With no unsaved case each signal ends the program at once, writing
// nothing, and the next start asks nothing.
TEST_F(Vida, EndSignalsWithoutAnUnsavedCaseLeaveNothing) {
    for (int senal : {SIGTERM, SIGHUP, SIGINT}) {
        SCOPED_TRACE(strsignal(senal));
        auto h = Lanzar();
        ASSERT_TRUE(h->linea("LISTO", kArranque));
        EXPECT_LT(Terminar(*h, senal), kFin);
        EXPECT_FALSE(fs::exists(estado));
        EXPECT_EQ(Entradas(dir / "tmp"), std::vector<std::string>{});
    }
    auto h = Lanzar();
    ASSERT_TRUE(h->linea("LISTO", kArranque));
    EXPECT_EQ(h->lineas, std::vector<std::string>{"LISTO - 0 "});
}

// A signal while a save writes: a save that ends soon completes (the file
// new, no copy, the case being saved); one held longer than the program
// may wait is abandoned, its temporary removed, the old file whole.
TEST_F(Vida, ASignalWhileASaveIsHeld) {
    const struct {
        const char* lento;
        bool termina;
    } casos[] = {{"15", true}, {"60000", false}};
    for (const auto& k : casos) {
        SCOPED_TRACE(k.lento);
        const fs::path viga = dir / "datos" / "viga.krf";
        { std::ofstream(viga) << "old"; }
        auto h = Lanzar({{"KESTRAM_CONDUCTOR_CASO", "flexion"},
                         {"KESTRAM_CONDUCTOR_GRABAR", viga.string()},
                         {"KESTRAM_CONDUCTOR_LENTO", k.lento}});
        ASSERT_TRUE(h->linea("GRABANDO", kArranque));
        EXPECT_LT(Terminar(*h, SIGTERM), kFin);
        EXPECT_EQ(Entradas(dir / "datos"), std::vector<std::string>{"viga.krf"});
        if (k.termina) {
            EXPECT_EQ(Leer(viga).substr(0, 9), "1\r\n0.55\r\n");
            EXPECT_FALSE(fs::exists(Copia()));
        } else {
            EXPECT_EQ(Leer(viga), "old");
        }
        EXPECT_EQ(Entradas(dir / "tmp"), std::vector<std::string>{});
        fs::remove_all(estado);
    }
}

// An X server of the test's own.
class Servidor_X {
public:
    Servidor_X() {
        int tubo[2];
        if (pipe(tubo) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            close(tubo[0]);
            const std::string fd = std::to_string(tubo[1]);
            prctl(PR_SET_PDEATHSIG, SIGKILL);
            const int nulo = open("/dev/null", O_WRONLY);
            dup2(nulo, 1);
            dup2(nulo, 2);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24",
                   "-nolisten", "tcp", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(tubo[1]);
        pollfd p{tubo[0], POLLIN, 0};
        char buf[32] = {};
        if (poll(&p, 1, 30000) > 0 && read(tubo[0], buf, sizeof buf - 1) > 0) {
            const std::string d = ":" + std::string(buf, std::strcspn(buf, "\n"));
            // Ready once a client gets through.
            for (const auto hasta = Reloj::now() + 20s; Reloj::now() < hasta; usleep(10000)) {
                xcb_connection_t* c = xcb_connect(d.c_str(), nullptr);
                const bool bien = xcb_connection_has_error(c) == 0;
                xcb_disconnect(c);
                if (bien) {
                    display_ = d;
                    break;
                }
            }
        }
        close(tubo[0]);
    }
    ~Servidor_X() { parar(); }
    void parar() {
        if (pid_ <= 0) return;
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
    const std::string& display() const { return display_; }

private:
    pid_t pid_ = -1;
    std::string display_;
};

// The display goes away with an unsaved case: the copy is written and the
// program ends within the bound.
TEST_F(Vida, ALostDisplayKeepsTheUnsavedCase) {
    Servidor_X x;
    if (x.display().empty()) GTEST_SKIP() << "no Xvfb";
    auto h = Lanzar({{"KESTRAM_CONDUCTOR_CASO", "flexion"},
                     {"QT_QPA_PLATFORM", "xcb"},
                     {"DISPLAY", x.display()}});
    ASSERT_TRUE(h->linea("LISTO", kArranque));
    const auto antes = Reloj::now();
    x.parar();
    const std::optional<int> s = h->fin(20s);
    EXPECT_LT(Reloj::now() - antes, kFin);
    ASSERT_TRUE(s);
    EXPECT_TRUE(WIFEXITED(*s) && WEXITSTATUS(*s) != 0) << *s;
    ASSERT_TRUE(fs::exists(Copia()));
    EXPECT_EQ(Leer(Copia()).substr(0, 9), "1\r\n0.55\r\n");
}

// A logout through a session manager with an unsaved case: the question
// comes before the answer. "Sí" saves and lets it go on, "No" lets it go on
// with nothing written, a cancelled save dialog cancels it and the program
// keeps its case; with no question allowed the copy is kept.
TEST_F(Vida, ASessionManagersLogoutAsksFirst) {
    Servidor_X x;
    if (x.display().empty()) GTEST_SKIP() << "no Xvfb";
    const fs::path viga = dir / "datos" / "viga.krf";
    const struct {
        const char* nombre;
        std::string respuestas;
        int estilo;
        bool cancela;
    } casos[] = {
        {"yes", "si," + viga.string(), SmInteractStyleAny, false},
        {"no", "no", SmInteractStyleAny, false},
        {"yes, dialog cancelled", "si,cancelar", SmInteractStyleAny, true},
        {"no question allowed", "", SmInteractStyleNone, false},
    };
    for (const auto& k : casos) {
        SCOPED_TRACE(k.nombre);
        fs::remove_all(estado);
        fs::remove(viga);
        vida::Gestor_Sesion gestor;
        ASSERT_TRUE(gestor.iniciar());
        auto h = Lanzar({{"KESTRAM_CONDUCTOR_CASO", "flexion"},
                         {"KESTRAM_CONDUCTOR_RESPUESTAS", k.respuestas},
                         {"QT_QPA_PLATFORM", "xcb"},
                         {"DISPLAY", x.display()},
                         {"SESSION_MANAGER", gestor.direccion()}});
        // The toolkit registers with the manager as the program starts.
        ASSERT_TRUE(gestor.esperar("registro", kArranque));
        ASSERT_TRUE(h->linea("LISTO", kArranque));
        gestor.pedir_grabar(k.estilo);
        if (k.estilo == SmInteractStyleAny) {
            ASSERT_TRUE(gestor.esperar(k.cancela ? "hecho-interaccion 1" : "hecho-interaccion 0", 30s));
            EXPECT_TRUE(h->linea("PREGUNTA Los datos no se han grabado", 5s));
        }
        if (k.cancela) {
            gestor.cancelado();
            gestor.esperar("hecho 1", 2s);
            // Still running with its case: an end signal now keeps it.
            EXPECT_FALSE(h->fin(200ms));
            EXPECT_LT(Terminar(*h, SIGTERM), kFin);
            EXPECT_TRUE(fs::exists(Copia()));
            continue;
        }
        ASSERT_TRUE(gestor.esperar("hecho 1", 30s));
        h->linea("-", 100ms);  // what it said so far, for a failure's trace
        EXPECT_EQ(fs::exists(viga), k.respuestas.rfind("si", 0) == 0)
            << testing::PrintToString(h->lineas) << testing::PrintToString(gestor.sucesos);
        EXPECT_EQ(fs::exists(Copia()), k.estilo == SmInteractStyleNone);
        gestor.morir();
        const std::optional<int> s = h->fin(10s);
        ASSERT_TRUE(s);
        EXPECT_TRUE(WIFEXITED(*s) && WEXITSTATUS(*s) == 0) << *s;
        EXPECT_EQ(fs::exists(Copia()), k.estilo == SmInteractStyleNone);
    }
}

}  // namespace
