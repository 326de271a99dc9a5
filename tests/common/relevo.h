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
//    lost);
//  - Poner_Falla: the answer to a request of the chosen IPP operations (and
//    everything the scheduler sends after it on that connection) trickles
//    in one byte every goteo_ms, is held back for good, is lost with the
//    connection closed, or arrives garbled. An interim "100 Continue" goes
//    through unchanged.
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
#include <algorithm>
#include <list>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace prueba {

class Relevo {
public:
    enum class Retener { Nada, Documento, Respuesta };
    enum class Falla { Nada, Goteo, Retener, Cortar, Estropear };

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
    void Poner_Falla(std::vector<int> operaciones, Falla f, int goteo_ms = 60) {
        std::lock_guard<std::mutex> l(falla_m_);
        falla_ops_ = std::move(operaciones);
        falla_ = f;
        goteo_ms_ = goteo_ms;
    }
    void Quitar_Falla() { Poner_Falla({}, Falla::Nada); }

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
        // Poner_Falla, as it was when the connection opened.
        std::vector<int> falla_ops;
        Falla falla = Falla::Nada;
        int goteo_ms = 0;
        bool tocada = false;     // a chosen request was seen: its answer misbehaves
        std::string pedido;      // what the program sent, from the last request on
        std::string afectado;    // the answer held by the misbehaviour
        Reloj::time_point proximo;  // the next trickled byte
    };

    // Finds the IPP requests in what the program sent and marks the
    // connection once one of the chosen operations is among them.
    static void Buscar_Pedidos(Par& p) {
        for (;;) {
            const auto h = p.pedido.find("POST ");
            if (h == std::string::npos) {
                if (p.pedido.size() > 4) p.pedido.erase(0, p.pedido.size() - 4);
                return;
            }
            p.pedido.erase(0, h);
            const auto e = p.pedido.find("\r\n\r\n");
            if (e == std::string::npos) return;
            const std::string cabecera = p.pedido.substr(0, e);
            std::size_t b = e + 4;
            if (cabecera.find("chunked") != std::string::npos) {
                const auto l = p.pedido.find("\r\n", b);
                if (l == std::string::npos) return;
                b = l + 2;
            }
            if (p.pedido.size() < b + 4) return;
            const int op = (static_cast<unsigned char>(p.pedido[b + 2]) << 8) |
                           static_cast<unsigned char>(p.pedido[b + 3]);
            if (cabecera.find("application/ipp") != std::string::npos &&
                std::find(p.falla_ops.begin(), p.falla_ops.end(), op) != p.falla_ops.end())
                p.tocada = true;
            p.pedido.erase(0, b + 4);
        }
    }

    // Lets out of the held answer what the misbehaviour lets out now.
    static void Soltar(Par& p) {
        // An interim answer first, unchanged.
        static const std::string interino = "HTTP/1.1 100";
        while (p.afectado.compare(0, interino.size(), interino) == 0) {
            const auto e = p.afectado.find("\r\n\r\n");
            if (e == std::string::npos) return;
            p.al_cliente += p.afectado.substr(0, e + 4);
            p.afectado.erase(0, e + 4);
        }
        if (p.afectado.empty()) return;
        if (p.afectado.size() < interino.size() &&
            interino.compare(0, p.afectado.size(), p.afectado) == 0)
            return;  // perhaps the start of an interim answer
        switch (p.falla) {
        case Falla::Goteo:
            if (Reloj::now() >= p.proximo) {
                p.al_cliente += p.afectado[0];
                p.afectado.erase(0, 1);
                p.proximo = Reloj::now() + std::chrono::milliseconds(p.goteo_ms);
            }
            break;
        case Falla::Cortar: p.cerrar = true; break;
        case Falla::Estropear:
            // Lines of garbage: the program reads them as a broken answer,
            // not as one still coming.
            for (char& c : p.afectado)
                if (c != '\r' && c != '\n') c = 'x';
            p.al_cliente += p.afectado;
            p.afectado.clear();
            break;
        default: break;  // held for good
        }
    }

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
        {
            std::lock_guard<std::mutex> l(falla_m_);
            p.falla_ops = falla_ops_;
            p.falla = falla_;
            p.goteo_ms = goteo_ms_;
        }
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
                    if (p.falla != Falla::Nada && !p.tocada) {
                        p.pedido += leido;
                        Buscar_Pedidos(p);
                    }
                }
                if (rs & (POLLIN | POLLHUP | POLLERR)) {
                    std::string leido;
                    if (!Leer(p.servidor, leido)) p.cerrar = true;
                    if (p.tocada)
                        p.afectado += leido;
                    else if (!(p.con_trabajo && p.retener == Retener::Respuesta))
                        p.al_cliente += leido;
                    p.visto += leido;
                    if (Tiene_Trabajo(p.visto)) p.con_trabajo = true;
                    if (p.visto.size() > 16) p.visto.erase(0, p.visto.size() - 16);
                }
                if (p.tocada) Soltar(p);
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
    std::mutex falla_m_;
    std::vector<int> falla_ops_;
    Falla falla_ = Falla::Nada;
    int goteo_ms_ = 60;
    std::list<Par> pares_;  // the relay's thread only
    std::thread hilo_;
};

}  // namespace prueba
