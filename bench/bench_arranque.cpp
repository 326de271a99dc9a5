// CPU of the program's start on a real X display against a bare Qt widgets
// program (qt_minimo): both run on an Xvfb server under openbox that this
// program starts and stops, alternately, each for its first seconds, and the
// user plus system time of each child is read from wait4. Not a test.
//
//   bench_arranque [ROUNDS [SECONDS [PROGRAM]]]
// (default 5 rounds of 3 s, the program of this build).
#include <xcb/xcb.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

using Reloj = std::chrono::steady_clock;

// Starts a program in a process group of its own, its output thrown away
// (or, for the server, its display number written to fdSalida).
pid_t Lanzar(const std::vector<std::string>& orden, const std::vector<std::string>& entorno,
             int fdSalida = -1) {
    const pid_t pid = fork();
    if (pid != 0) return pid;
    setpgid(0, 0);
    const int nulo = open("/dev/null", O_RDWR);
    dup2(nulo, 0);
    dup2(nulo, 1);
    dup2(nulo, 2);
    for (const std::string& e : entorno) putenv(const_cast<char*>(e.c_str()));
    std::vector<char*> argv;
    for (const std::string& a : orden) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    if (fdSalida >= 0) fcntl(fdSalida, F_SETFD, 0);  // kept across exec
    execvp(argv[0], argv.data());
    _exit(127);
}

void Parar(pid_t pid) {
    if (pid <= 0) return;
    kill(-pid, SIGTERM);
    const Reloj::time_point fin = Reloj::now() + std::chrono::seconds(5);
    while (waitpid(pid, nullptr, WNOHANG) == 0) {
        if (Reloj::now() > fin) {
            kill(-pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

// The display number Xvfb writes once it accepts clients.
std::optional<std::string> Pantalla(int fd, pid_t servidor) {
    std::string leido;
    const Reloj::time_point fin = Reloj::now() + std::chrono::seconds(10);
    while (Reloj::now() < fin && leido.find('\n') == std::string::npos) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 100) > 0) {
            char buf[32];
            const ssize_t n = read(fd, buf, sizeof buf);
            if (n <= 0) break;
            leido.append(buf, static_cast<size_t>(n));
        }
        if (waitpid(servidor, nullptr, WNOHANG) == servidor) return std::nullopt;
    }
    if (leido.find('\n') == std::string::npos) return std::nullopt;
    return ":" + leido.substr(0, leido.find('\n'));
}

// True once a window manager has announced itself on the root window.
bool Gestor_Listo(const std::string& pantalla) {
    xcb_connection_t* c = xcb_connect(pantalla.c_str(), nullptr);
    bool listo = false;
    if (!xcb_connection_has_error(c)) {
        const char nombre[] = "_NET_SUPPORTING_WM_CHECK";
        xcb_intern_atom_reply_t* atomo = xcb_intern_atom_reply(
            c, xcb_intern_atom(c, 0, sizeof nombre - 1, nombre), nullptr);
        const xcb_window_t raiz = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
        if (atomo) {
            xcb_get_property_reply_t* p = xcb_get_property_reply(
                c, xcb_get_property(c, 0, raiz, atomo->atom, XCB_ATOM_WINDOW, 0, 1), nullptr);
            listo = p && xcb_get_property_value_length(p) == 4;
            free(p);
            free(atomo);
        }
    }
    xcb_disconnect(c);
    return listo;
}

// CPU (user + system, ms) of a program over its first seconds on the display.
double Cpu_Arranque(const std::string& programa, const std::vector<std::string>& entorno,
                    double segundos) {
    const pid_t pid = Lanzar({programa}, entorno);
    std::this_thread::sleep_for(std::chrono::duration<double>(segundos));
    kill(pid, SIGKILL);
    int estado = 0;
    rusage uso{};
    wait4(pid, &estado, 0, &uso);
    kill(-pid, SIGKILL);  // anything it started
    auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    if (!WIFSIGNALED(estado)) std::fprintf(stderr, "%s ended by itself\n", programa.c_str());
    return ms(uso.ru_utime) + ms(uso.ru_stime);
}

double Mediana(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    const int rondas = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const double segundos = argc > 2 ? std::max(0.5, std::atof(argv[2])) : 3.0;
    const std::string ejecutable = argc > 3 ? argv[3] : KESTRAM_BENCH_PROGRAMA;
    const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                      ("bench_arranque." + std::to_string(getpid()));
    std::filesystem::create_directories(dir);

    int tubo[2];
    if (pipe2(tubo, O_CLOEXEC) != 0) return 1;
    const pid_t servidor =
        Lanzar({"Xvfb", "-displayfd", std::to_string(tubo[1]), "-screen", "0", "1280x1024x24",
                "-nolisten", "tcp", "-noreset"},
               {}, tubo[1]);
    close(tubo[1]);
    const std::optional<std::string> pantalla = Pantalla(tubo[0], servidor);
    close(tubo[0]);
    int codigo = 1;
    pid_t gestor = -1;
    if (!pantalla) {
        std::fprintf(stderr, "Xvfb did not start\n");
    } else {
        const std::string display = "DISPLAY=" + *pantalla;
        // The window manager's settings stay in the bench's own folder.
        gestor = Lanzar({"openbox"}, {display, "HOME=" + dir.string()});
        const Reloj::time_point fin = Reloj::now() + std::chrono::seconds(10);
        while (!Gestor_Listo(*pantalla) && Reloj::now() < fin)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        if (!Gestor_Listo(*pantalla)) {
            std::fprintf(stderr, "openbox did not take the screen\n");
        } else {
            const std::vector<std::string> entorno{display, "QT_QPA_PLATFORM=xcb"};
            std::vector<double> programa, minimo;
            for (int i = 0; i < rondas; ++i) {
                minimo.push_back(Cpu_Arranque(KESTRAM_BENCH_MINIMO, entorno, segundos));
                programa.push_back(Cpu_Arranque(ejecutable, entorno, segundos));
                std::printf("round %d: program %.0f ms, bare Qt %.0f ms\n", i + 1,
                            programa.back(), minimo.back());
            }
            const double p = Mediana(programa), m = Mediana(minimo);
            std::printf("CPU in the first %.1f s (median of %d): program %.0f ms, bare Qt %.0f ms, "
                        "ratio %.2f\n",
                        segundos, rondas, p, m, p / m);
            codigo = 0;
        }
    }
    Parar(gestor);
    Parar(servidor);
    std::filesystem::remove_all(dir);
    return codigo;
}
