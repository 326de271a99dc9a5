// A TCP relay between the program and a test's scheduler: it listens on
// 127.0.0.1, on a port of its own, and joins every connection to the
// scheduler's socket byte for byte, unless it is told to hold something
// back. It stands for the network between the two and misbehaves as a
// network does:
//  - retraso_ms: what the scheduler sends on a connection reaches the
//    program no sooner than that long after the connection opened (a slow
//    scheduler);
//  - Documento: once the scheduler has answered a request with a job id,
//    nothing more the program sends on that connection arrives (the
//    document is lost on the way);
//  - Respuesta: once it has answered with a job id, nothing more the
//    scheduler sends on that connection arrives (the document's answer is
//    lost).
#pragma once

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <list>
#include <string>
#include <thread>
#include <vector>

namespace prueba {

class Relevo {
public:
    enum class Retener { Nada, Documento, Respuesta };

    explicit Relevo(std::string socket) : socket_(std::move(socket)) {}
    ~Relevo() { Parar(); }
    Relevo(const Relevo&) = delete;
    Relevo& operator=(const Relevo&) = delete;

    // Listens; false when it cannot.
    bool Arrancar() {
        escucha_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (escucha_ < 0) return false;
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t n = sizeof a;
        if (::bind(escucha_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
            ::listen(escucha_, 64) != 0 ||
            ::getsockname(escucha_, reinterpret_cast<sockaddr*>(&a), &n) != 0 ||
            ::pipe2(despertar_, O_CLOEXEC | O_NONBLOCK) != 0)
            return false;
        puerto_ = ntohs(a.sin_port);
        hilo_ = std::thread([this] { Bucle(); });
        return true;
    }

    // "127.0.0.1:port", as CUPS_SERVER takes it.
    std::string Servidor() const { return "127.0.0.1:" + std::to_string(puerto_); }
    int Puerto() const { return puerto_; }

    // Take effect on the connections opened afterwards.
    void Poner_Retraso(int ms) { retraso_ms_ = ms; }
    void Poner_Retener(Retener r) { retener_ = static_cast<int>(r); }

    // Connections the program opened so far.
    int Conexiones() const { return conexiones_; }

    void Parar() {
        if (hilo_.joinable()) {
            fin_ = true;
            const char c = 0;
            [[maybe_unused]] const ssize_t w = ::write(despertar_[1], &c, 1);
            hilo_.join();
        }
        for (int* fd : {&escucha_, &despertar_[0], &despertar_[1]})
            if (*fd >= 0) {
                ::close(*fd);
                *fd = -1;
            }
    }

private:
    using Reloj = std::chrono::steady_clock;

    struct Par {
        int cliente = -1;
        int servidor = -1;
        Reloj::time_point abierta;
        int retraso_ms = 0;
        Retener retener = Retener::Nada;
        bool con_trabajo = false;  // the scheduler has answered with a job id
        std::string al_cliente, al_servidor;  // bytes waiting to be written
        std::string visto;  // the tail of what the scheduler sent, to find the id across reads
        bool cerrar = false;
    };

    static void Sin_Bloqueo(int fd) { ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK); }

    void Aceptar() {
        const int c = ::accept4(escucha_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (c < 0) return;
        const int s = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un a{};
        a.sun_family = AF_UNIX;
        std::strncpy(a.sun_path, socket_.c_str(), sizeof a.sun_path - 1);
        if (s < 0 || ::connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
            ::close(c);
            if (s >= 0) ::close(s);
            return;
        }
        Sin_Bloqueo(s);
        Par p;
        p.cliente = c;
        p.servidor = s;
        p.abierta = Reloj::now();
        p.retraso_ms = retraso_ms_;
        p.retener = static_cast<Retener>(retener_.load());
        pares_.push_back(std::move(p));
        ++conexiones_;
    }

    // An integer attribute named "job-id" as the scheduler encodes it.
    static bool Tiene_Trabajo(const std::string& s) {
        static const std::string id("\x21\x00\x06job-id\x00\x04", 11);
        return s.find(id) != std::string::npos;
    }

    // Reads what is there; false at the end of the stream or on an error.
    static bool Leer(int fd, std::string& a) {
        char b[65536];
        for (;;) {
            const ssize_t n = ::read(fd, b, sizeof b);
            if (n > 0) {
                a.append(b, static_cast<std::size_t>(n));
                continue;
            }
            return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR);
        }
    }
    static bool Escribir(int fd, std::string& a) {
        while (!a.empty()) {
            const ssize_t n = ::send(fd, a.data(), a.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
            if (n > 0) {
                a.erase(0, static_cast<std::size_t>(n));
                continue;
            }
            return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR);
        }
        return true;
    }

    bool Puede_Responder(const Par& p) const {
        return Reloj::now() >= p.abierta + std::chrono::milliseconds(p.retraso_ms);
    }

    void Bucle() {
        while (!fin_) {
            std::vector<pollfd> fds{{escucha_, POLLIN, 0}, {despertar_[0], POLLIN, 0}};
            for (const Par& p : pares_) {
                short c = POLLIN, s = POLLIN;
                if (!p.al_cliente.empty() && Puede_Responder(p)) c |= POLLOUT;
                if (!p.al_servidor.empty()) s |= POLLOUT;
                fds.push_back({p.cliente, c, 0});
                fds.push_back({p.servidor, s, 0});
            }
            // A short wait, so that held answers go out on time.
            if (::poll(fds.data(), fds.size(), 10) < 0 && errno != EINTR) return;
            if (fds[0].revents & POLLIN) Aceptar();
            std::size_t i = 2;
            for (Par& p : pares_) {
                if (i + 1 >= fds.size()) break;
                const short rc = fds[i++].revents, rs = fds[i++].revents;
                if (rc & (POLLIN | POLLHUP | POLLERR)) {
                    std::string leido;
                    if (!Leer(p.cliente, leido)) p.cerrar = true;
                    if (!(p.con_trabajo && p.retener == Retener::Documento)) p.al_servidor += leido;
                }
                if (rs & (POLLIN | POLLHUP | POLLERR)) {
                    std::string leido;
                    if (!Leer(p.servidor, leido)) p.cerrar = true;
                    if (!(p.con_trabajo && p.retener == Retener::Respuesta)) p.al_cliente += leido;
                    p.visto += leido;
                    if (Tiene_Trabajo(p.visto)) p.con_trabajo = true;
                    if (p.visto.size() > 16) p.visto.erase(0, p.visto.size() - 16);
                }
                if (!Escribir(p.servidor, p.al_servidor)) p.cerrar = true;
                if (Puede_Responder(p) && !Escribir(p.cliente, p.al_cliente)) p.cerrar = true;
            }
            for (auto it = pares_.begin(); it != pares_.end();) {
                if (it->cerrar) {
                    ::close(it->cliente);
                    ::close(it->servidor);
                    it = pares_.erase(it);
                } else {
                    ++it;
                }
            }
        }
        for (Par& p : pares_) {
            ::close(p.cliente);
            ::close(p.servidor);
        }
        pares_.clear();
    }

    std::string socket_;
    int escucha_ = -1;
    int despertar_[2] = {-1, -1};
    int puerto_ = 0;
    std::atomic<int> retraso_ms_{0};
    std::atomic<int> retener_{0};
    std::atomic<int> conexiones_{0};
    std::atomic<bool> fin_{false};
    std::list<Par> pares_;  // the relay's thread only
    std::thread hilo_;
};

}  // namespace prueba
