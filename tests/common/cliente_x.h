// A second client of the X server for the tests under a window manager
// (run by tests/app/x11/con_gestor.sh): what a pager or another program
// asks of a window, and what the server and the window manager say of it.
#pragma once

#include <QImage>
#include <QSize>

#include <xcb/xcb.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

// A second client of the X server, as a pager or another program is.
class Cliente_X {
public:
    Cliente_X() : c_(xcb_connect(nullptr, nullptr)) {}
    ~Cliente_X() { xcb_disconnect(c_); }
    bool ok() const { return xcb_connection_has_error(c_) == 0; }

    xcb_atom_t atomo(const char* nombre) {
        auto* r = xcb_intern_atom_reply(
            c_, xcb_intern_atom(c_, 0, static_cast<uint16_t>(std::strlen(nombre)), nombre),
            nullptr);
        const xcb_atom_t a = r ? r->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
        std::free(r);
        return a;
    }

    // A request about a window to the window manager, as a pager sends it.
    void pedir(xcb_window_t w, const char* tipo, std::initializer_list<uint32_t> datos) {
        xcb_client_message_event_t ev{};
        ev.response_type = XCB_CLIENT_MESSAGE;
        ev.format = 32;
        ev.window = w;
        ev.type = atomo(tipo);
        int i = 0;
        for (uint32_t d : datos) ev.data.data32[i++] = d;
        xcb_send_event(c_, 0, raiz(),
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&ev));
        xcb_flush(c_);
    }

    // Activates a window the way a pager or a click on its title bar does.
    void activar(xcb_window_t w) { pedir(w, "_NET_ACTIVE_WINDOW", {2 /* from a pager */}); }

    // The window a window is transient for (WM_TRANSIENT_FOR), or none.
    xcb_window_t transitoria(xcb_window_t w) {
        auto* p = xcb_get_property_reply(
            c_, xcb_get_property(c_, 0, w, XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, 0, 1),
            nullptr);
        xcb_window_t t = XCB_WINDOW_NONE;
        if (p && xcb_get_property_value_length(p) == 4)
            t = *static_cast<const xcb_window_t*>(xcb_get_property_value(p));
        std::free(p);
        return t;
    }

    // True when the window manager stacks window a (with its frame) above b.
    bool encima(xcb_window_t a, xcb_window_t b) {
        const xcb_window_t fa = marco(a), fb = marco(b);
        auto* t = xcb_query_tree_reply(c_, xcb_query_tree(c_, raiz()), nullptr);
        if (!t) return false;
        const xcb_window_t* hijos = xcb_query_tree_children(t);
        int ia = -1, ib = -1;  // bottom to top
        for (int i = 0; i < xcb_query_tree_children_length(t); ++i) {
            if (hijos[i] == fa) ia = i;
            if (hijos[i] == fb) ib = i;
        }
        std::free(t);
        return ia >= 0 && ib >= 0 && ia > ib;
    }

    // The client window's size, without the window manager's frame.
    QSize tamano(xcb_window_t w) {
        auto* g = xcb_get_geometry_reply(c_, xcb_get_geometry(c_, w), nullptr);
        if (!g) return {};
        const QSize s(g->width, g->height);
        std::free(g);
        return s;
    }

    // What the screen shows of the client window (24-bit colour).
    QImage imagen(xcb_window_t w) {
        const QSize s = tamano(w);
        if (s.isEmpty()) return {};
        auto* r = xcb_get_image_reply(
            c_,
            xcb_get_image(c_, XCB_IMAGE_FORMAT_Z_PIXMAP, w, 0, 0, static_cast<uint16_t>(s.width()),
                          static_cast<uint16_t>(s.height()), ~0u),
            nullptr);
        QImage img;
        if (r && r->depth == 24 && xcb_get_image_data_length(r) >= s.width() * s.height() * 4)
            img = QImage(xcb_get_image_data(r), s.width(), s.height(), s.width() * 4,
                         QImage::Format_RGB32)
                      .copy();
        std::free(r);
        return img;
    }

    // Asks the window manager to add states to the window (_NET_WM_STATE),
    // as a pager does: asked twice, it does the same, where a toggle would
    // undo the first request.
    void estado_si(xcb_window_t w, const char* estado, const char* otro = nullptr) {
        pedir(w, "_NET_WM_STATE",
              {1 /* add */, atomo(estado), otro ? atomo(otro) : 0u, 2 /* from a pager */});
    }
    void pantalla_completa_si(xcb_window_t w) { estado_si(w, "_NET_WM_STATE_FULLSCREEN"); }

    // Moves the window's frame to (x, y) as a pager asks (the user's move).
    void mover(xcb_window_t w, int x, int y) {
        // The outer corner (north-west gravity), x and y given, from a pager.
        const uint32_t kNoroeste = 1, kConX = 1u << 8, kConY = 1u << 9, kDelUsuario = 2u << 12;
        pedir(w, "_NET_MOVERESIZE_WINDOW",
              {kNoroeste | kConX | kConY | kDelUsuario, static_cast<uint32_t>(x),
               static_cast<uint32_t>(y)});
    }

    // Another program resizes the window (what "xdotool windowsize" does).
    void redimensionar(xcb_window_t w, uint32_t ancho, uint32_t alto) {
        const uint32_t v[] = {ancho, alto};
        xcb_configure_window(c_, w, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, v);
        xcb_flush(c_);
    }

    // The window manager holds the window in a state (_NET_WM_STATE).
    bool tiene_estado(xcb_window_t w, const char* estado) {
        const xcb_atom_t buscado = atomo(estado);
        auto* p = xcb_get_property_reply(
            c_, xcb_get_property(c_, 0, w, atomo("_NET_WM_STATE"), XCB_ATOM_ATOM, 0, 32), nullptr);
        bool si = false;
        if (p) {
            const auto* a = static_cast<const xcb_atom_t*>(xcb_get_property_value(p));
            const int n = xcb_get_property_value_length(p) / 4;
            for (int i = 0; i < n; ++i) si |= a[i] == buscado;
        }
        std::free(p);
        return si;
    }
    bool pantalla_completa(xcb_window_t w) { return tiene_estado(w, "_NET_WM_STATE_FULLSCREEN"); }
    // Full screen or maximised in either direction.
    bool fuera_de_lo_normal(xcb_window_t w) {
        return pantalla_completa(w) || tiene_estado(w, "_NET_WM_STATE_MAXIMIZED_VERT") ||
               tiene_estado(w, "_NET_WM_STATE_MAXIMIZED_HORZ");
    }

    // The Motif hints a window asks for: {flags, functions, decorations}.
    std::vector<uint32_t> motif(xcb_window_t w) {
        const xcb_atom_t a = atomo("_MOTIF_WM_HINTS");
        auto* p = xcb_get_property_reply(c_, xcb_get_property(c_, 0, w, a, a, 0, 5), nullptr);
        std::vector<uint32_t> v;
        if (p && xcb_get_property_value_length(p) >= 12) {
            const auto* d = static_cast<const uint32_t*>(xcb_get_property_value(p));
            v.assign(d, d + 3);
        }
        std::free(p);
        return v;
    }

    // The outer size in device pixels: the client window and the frame the
    // window manager announces (_NET_FRAME_EXTENTS).
    QSize tamano_exterior(xcb_window_t w) {
        auto* g = xcb_get_geometry_reply(c_, xcb_get_geometry(c_, w), nullptr);
        if (!g) return {};
        QSize s(g->width, g->height);
        std::free(g);
        auto* p = xcb_get_property_reply(
            c_, xcb_get_property(c_, 0, w, atomo("_NET_FRAME_EXTENTS"), XCB_ATOM_CARDINAL, 0, 4),
            nullptr);
        if (p && xcb_get_property_value_length(p) == 16) {
            const auto* e = static_cast<const uint32_t*>(xcb_get_property_value(p));
            s += QSize(static_cast<int>(e[0] + e[1]), static_cast<int>(e[2] + e[3]));
        }
        std::free(p);
        return s;
    }

    // The outer size is `logico` at the scale `escala`, within the one
    // device pixel that rounding leaves.
    bool exterior_es(xcb_window_t w, QSize logico, qreal escala) {
        const QSize s = tamano_exterior(w);
        return std::abs(s.width() - std::lround(logico.width() * escala)) <= 1 &&
               std::abs(s.height() - std::lround(logico.height() * escala)) <= 1;
    }

    // A number on a window (a CARDINAL property), set and read back; the
    // value is on the server once this returns.
    void poner_numero(xcb_window_t w, const char* nombre, uint32_t valor) {
        xcb_change_property(c_, XCB_PROP_MODE_REPLACE, w, atomo(nombre), XCB_ATOM_CARDINAL, 32, 1,
                            &valor);
        std::free(xcb_get_input_focus_reply(c_, xcb_get_input_focus(c_), nullptr));
    }
    std::optional<uint32_t> numero(xcb_window_t w, const char* nombre) {
        auto* p = xcb_get_property_reply(
            c_, xcb_get_property(c_, 0, w, atomo(nombre), XCB_ATOM_CARDINAL, 0, 1), nullptr);
        std::optional<uint32_t> v;
        if (p && xcb_get_property_value_length(p) == 4)
            v = *static_cast<const uint32_t*>(xcb_get_property_value(p));
        std::free(p);
        return v;
    }

    // Asks i3 to tile the window (what its floating toggle key does).
    static bool enlosar(xcb_window_t w) {
        const std::string orden =
            "i3-msg -q '[id=" + std::to_string(w) + "] floating disable' >/dev/null 2>&1";
        return std::system(orden.c_str()) == 0;
    }

    // The window manager has taken the window into a frame of its own.
    bool enmarcada(xcb_window_t w) { return marco(w) != w; }

private:
    xcb_window_t raiz() { return xcb_setup_roots_iterator(xcb_get_setup(c_)).data->root; }
    // The window's ancestor that is a child of the root: the window
    // manager's frame around it, or the window itself.
    xcb_window_t marco(xcb_window_t w) {
        for (int i = 0; i < 16; ++i) {
            auto* t = xcb_query_tree_reply(c_, xcb_query_tree(c_, w), nullptr);
            if (!t) return w;
            const xcb_window_t padre = t->parent, raiz_ = t->root;
            std::free(t);
            if (padre == raiz_ || padre == XCB_WINDOW_NONE) return w;
            w = padre;
        }
        return w;
    }
    xcb_connection_t* c_;
};
