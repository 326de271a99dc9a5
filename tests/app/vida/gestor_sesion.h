// A small X session manager (XSMP over ICE, libSM) for one client: it
// registers the client, asks it to save at a logout, grants the question
// it asks for, and tells what the client answered.
#pragma once

#include <X11/ICE/ICElib.h>
#include <X11/SM/SMlib.h>

#include <poll.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <string>
#include <vector>

namespace vida {

class Gestor_Sesion {
public:
    // What the client did, in order: "registro", "interaccion",
    // "hecho-interaccion <0|1 cancel>", "hecho <0|1 success>", "cierre".
    std::vector<std::string> sucesos;

    bool iniciar() {
        std::signal(SIGPIPE, SIG_IGN);  // a client gone is seen as an error, not a signal
        IceSetIOErrorHandler([](IceConn) {});  // and the library's default handler would exit
        char error[256] = {};
        if (!SmsInitialize("prueba", "1.0", &Gestor_Sesion::nuevo, this, &Gestor_Sesion::permitir,
                           sizeof error, error))
            return false;
        if (!IceListenForConnections(&n_, &escuchas_, sizeof error, error) || n_ == 0) return false;
        for (int i = 0; i < n_; ++i) IceSetHostBasedAuthProc(escuchas_[i], &Gestor_Sesion::permitir);
        char* ids = IceComposeNetworkIdList(n_, escuchas_);
        direccion_ = ids;
        std::free(ids);
        return true;
    }
    ~Gestor_Sesion() {
        if (sms_) SmsCleanUp(sms_);
        if (ice_) {
            IceSetShutdownNegotiation(ice_, False);
            IceCloseConnection(ice_);
        }
        if (escuchas_) IceFreeListenObjs(n_, escuchas_);
    }

    // The value of SESSION_MANAGER for the client.
    const std::string& direccion() const { return direccion_; }

    // Serves connections and messages until suceso has happened or the
    // deadline passed; true when it happened.
    bool esperar(const std::string& suceso, std::chrono::milliseconds plazo) {
        const auto fin = std::chrono::steady_clock::now() + plazo;
        while (!ocurrido(suceso)) {
            const auto queda = std::chrono::duration_cast<std::chrono::milliseconds>(
                fin - std::chrono::steady_clock::now());
            if (queda.count() <= 0) return false;
            std::vector<pollfd> fds;
            for (int i = 0; i < n_; ++i)
                fds.push_back({IceGetListenConnectionNumber(escuchas_[i]), POLLIN, 0});
            if (ice_) fds.push_back({IceConnectionNumber(ice_), POLLIN, 0});
            if (poll(fds.data(), fds.size(), static_cast<int>(std::min<long>(queda.count(), 100))) <= 0)
                continue;
            for (int i = 0; i < n_; ++i)
                if (fds[i].revents & POLLIN) aceptar(escuchas_[i]);
            if (ice_ && (fds.back().revents & (POLLIN | POLLHUP))) {
                const IceProcessMessagesStatus r = IceProcessMessages(ice_, nullptr, nullptr);
                if (r == IceProcessMessagesIOError) IceCloseConnection(ice_);
                if (r != IceProcessMessagesSuccess) {
                    if (r == IceProcessMessagesIOError) sucesos.push_back("cierre");
                    ice_ = nullptr;  // freed by the library once closed
                    sms_ = nullptr;
                }
            }
        }
        return true;
    }

    // A logout: save, then the program may be ended.
    void pedir_grabar(int estilo) { SmsSaveYourself(sms_, SmSaveBoth, True, estilo, False); }
    void morir() { SmsDie(sms_); }
    void cancelado() { SmsShutdownCancelled(sms_); }

private:
    bool ocurrido(const std::string& s) const {
        for (const std::string& x : sucesos)
            if (x == s) return true;
        return false;
    }

    void aceptar(IceListenObj escucha) {
        IceAcceptStatus estado;
        IceConn c = IceAcceptConnection(escucha, &estado);
        if (!c) return;
        for (int i = 0; i < 1000 && IceConnectionStatus(c) == IceConnectPending; ++i)
            IceProcessMessages(c, nullptr, nullptr);
        if (IceConnectionStatus(c) == IceConnectAccepted)
            ice_ = c;
        else
            IceCloseConnection(c);
    }

    static Bool permitir(char*) { return True; }

    static Status nuevo(SmsConn sms, SmPointer datos, unsigned long* mascara, SmsCallbacks* cb,
                        char**) {
        auto* g = static_cast<Gestor_Sesion*>(datos);
        g->sms_ = sms;
        *mascara = SmsRegisterClientProcMask | SmsInteractRequestProcMask |
                   SmsInteractDoneProcMask | SmsSaveYourselfRequestProcMask |
                   SmsSaveYourselfP2RequestProcMask | SmsSaveYourselfDoneProcMask |
                   SmsCloseConnectionProcMask | SmsSetPropertiesProcMask |
                   SmsDeletePropertiesProcMask | SmsGetPropertiesProcMask;
        cb->register_client = {&Gestor_Sesion::registrar, datos};
        cb->interact_request = {&Gestor_Sesion::pide_interaccion, datos};
        cb->interact_done = {&Gestor_Sesion::fin_interaccion, datos};
        cb->save_yourself_request = {&Gestor_Sesion::pide_grabar, datos};
        cb->save_yourself_phase2_request = {&Gestor_Sesion::fase2, datos};
        cb->save_yourself_done = {&Gestor_Sesion::hecho, datos};
        cb->close_connection = {&Gestor_Sesion::cerrar, datos};
        cb->set_properties = {&Gestor_Sesion::propiedades, datos};
        cb->delete_properties = {&Gestor_Sesion::borrar_propiedades, datos};
        cb->get_properties = {&Gestor_Sesion::dar_propiedades, datos};
        return 1;
    }
    static Status registrar(SmsConn sms, SmPointer datos, char* anterior) {
        if (anterior) std::free(anterior);
        char* id = SmsGenerateClientID(sms);
        SmsRegisterClientReply(sms, id);
        std::free(id);
        static_cast<Gestor_Sesion*>(datos)->sucesos.push_back("registro");
        return 1;
    }
    static void pide_interaccion(SmsConn sms, SmPointer datos, int) {
        static_cast<Gestor_Sesion*>(datos)->sucesos.push_back("interaccion");
        SmsInteract(sms);
    }
    static void fin_interaccion(SmsConn, SmPointer datos, Bool cancelar) {
        static_cast<Gestor_Sesion*>(datos)->sucesos.push_back(
            std::string("hecho-interaccion ") + (cancelar ? "1" : "0"));
    }
    static void pide_grabar(SmsConn, SmPointer, int, Bool, int, Bool, Bool) {}
    static void fase2(SmsConn sms, SmPointer) { SmsSaveYourselfPhase2(sms); }
    static void hecho(SmsConn, SmPointer datos, Bool bien) {
        static_cast<Gestor_Sesion*>(datos)->sucesos.push_back(std::string("hecho ") +
                                                              (bien ? "1" : "0"));
    }
    static void cerrar(SmsConn sms, SmPointer datos, int n, char** motivos) {
        SmFreeReasons(n, motivos);
        auto* g = static_cast<Gestor_Sesion*>(datos);
        g->sucesos.push_back("cierre");
        SmsCleanUp(sms);
        g->sms_ = nullptr;
        IceSetShutdownNegotiation(g->ice_, False);
        IceCloseConnection(g->ice_);  // done once the message has been processed
    }
    static void propiedades(SmsConn, SmPointer, int n, SmProp** p) {
        for (int i = 0; i < n; ++i) SmFreeProperty(p[i]);
        std::free(p);
    }
    static void borrar_propiedades(SmsConn, SmPointer, int n, char** nombres) {
        for (int i = 0; i < n; ++i) std::free(nombres[i]);
        std::free(nombres);
    }
    static void dar_propiedades(SmsConn sms, SmPointer) { SmsReturnProperties(sms, 0, nullptr); }

    int n_ = 0;
    IceListenObj* escuchas_ = nullptr;
    IceConn ice_ = nullptr;
    SmsConn sms_ = nullptr;
    std::string direccion_;
};

}  // namespace vida
