// A window manager that draws no frame, for the tests: it reparents every
// window it maps into a frame window of the window's own size (no border,
// no title), announces frame extents of zero, places a window that belongs
// to another (WM_TRANSIENT_FOR) with its top-left corner at the screen's
// centre whatever the window asked, any other window where it asked, and
// then grants every move and resize the program asks for. It runs until
// the X server goes or it is killed.
//
// A transient window that carries _KESTRAM_TERCO (CARDINAL, milliseconds)
// when it is mapped is stubborn: every move asked for it is refused, and
// that many milliseconds later (0: at once) it is put back at the screen's
// centre; the moves asked for it once mapped are counted in its
// _KESTRAM_MOVIDAS (CARDINAL).
#include <poll.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

namespace {

xcb_connection_t* c;
xcb_screen_t* pantalla;
std::map<xcb_window_t, xcb_window_t> marcos;  // client -> frame

using Reloj = std::chrono::steady_clock;
struct Terca {
    std::chrono::milliseconds vuelta;  // after a refused move, back to the centre
    uint32_t movidas = 0;
    bool pendiente = false;
    Reloj::time_point cuando;
};
std::map<xcb_window_t, Terca> tercas;  // stubborn clients

xcb_atom_t Atomo(const char* nombre) {
    auto* r = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(nombre)), nombre), nullptr);
    const xcb_atom_t a = r ? r->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    std::free(r);
    return a;
}

bool Transitoria(xcb_window_t w) {
    auto* p = xcb_get_property_reply(
        c, xcb_get_property(c, 0, w, XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, 0, 1), nullptr);
    const bool si = p && xcb_get_property_value_length(p) == 4;
    std::free(p);
    return si;
}

bool Cardinal(xcb_window_t w, xcb_atom_t a, uint32_t& valor) {
    auto* p = xcb_get_property_reply(c, xcb_get_property(c, 0, w, a, XCB_ATOM_CARDINAL, 0, 1),
                                     nullptr);
    const bool si = p && xcb_get_property_value_length(p) == 4;
    if (si) valor = *static_cast<const uint32_t*>(xcb_get_property_value(p));
    std::free(p);
    return si;
}

// What ICCCM asks of a window manager that moved or resized a client: a
// synthetic ConfigureNotify with its place on the root window.
void Avisar(xcb_window_t w, int16_t x, int16_t y, uint16_t ancho, uint16_t alto) {
    xcb_configure_notify_event_t ev{};
    ev.response_type = XCB_CONFIGURE_NOTIFY;
    ev.event = w;
    ev.window = w;
    ev.x = x;
    ev.y = y;
    ev.width = ancho;
    ev.height = alto;
    xcb_send_event(c, 0, w, XCB_EVENT_MASK_STRUCTURE_NOTIFY, reinterpret_cast<const char*>(&ev));
}

void Enmarcar(xcb_window_t w) {
    auto* g = xcb_get_geometry_reply(c, xcb_get_geometry(c, w), nullptr);
    if (!g) return;
    int16_t x = g->x, y = g->y;
    const uint16_t ancho = g->width, alto = g->height;
    std::free(g);
    if (Transitoria(w)) {
        x = static_cast<int16_t>(pantalla->width_in_pixels / 2);
        y = static_cast<int16_t>(pantalla->height_in_pixels / 2);
        uint32_t ms = 0;
        if (Cardinal(w, Atomo("_KESTRAM_TERCO"), ms))
            tercas[w] = Terca{std::chrono::milliseconds(ms), 0, false, {}};
    }
    const xcb_window_t marco = xcb_generate_id(c);
    const uint32_t valores[] = {XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT |
                                XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY};
    xcb_create_window(c, XCB_COPY_FROM_PARENT, marco, pantalla->root, x, y, ancho, alto, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, pantalla->root_visual, XCB_CW_EVENT_MASK,
                      valores);
    xcb_change_save_set(c, XCB_SET_MODE_INSERT, w);
    xcb_reparent_window(c, w, marco, 0, 0);
    const uint32_t ceros[] = {0, 0, 0, 0};
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, Atomo("_NET_FRAME_EXTENTS"),
                        XCB_ATOM_CARDINAL, 32, 4, ceros);
    xcb_map_window(c, w);
    xcb_map_window(c, marco);
    marcos[w] = marco;
    Avisar(w, x, y, ancho, alto);
}

void Soltar(xcb_window_t w, bool existe) {
    const auto it = marcos.find(w);
    if (it == marcos.end()) return;
    if (existe) xcb_reparent_window(c, w, pantalla->root, 0, 0);
    xcb_destroy_window(c, it->second);
    marcos.erase(it);
    tercas.erase(w);
}

// A stubborn client's frame put back at the screen's centre, one pixel to
// the right after every other move: the client sees each put-back as a move
// of its window, also one that comes at once.
void Devolver(xcb_window_t w, uint32_t movidas) {
    const auto it = marcos.find(w);
    if (it == marcos.end()) return;
    auto* g = xcb_get_geometry_reply(c, xcb_get_geometry(c, it->second), nullptr);
    if (!g) return;
    const uint16_t ancho = g->width, alto = g->height;
    std::free(g);
    const auto x = static_cast<int16_t>(pantalla->width_in_pixels / 2 + movidas % 2);
    const auto y = static_cast<int16_t>(pantalla->height_in_pixels / 2);
    const uint32_t lugar[] = {static_cast<uint32_t>(x), static_cast<uint32_t>(y)};
    xcb_configure_window(c, it->second, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, lugar);
    Avisar(w, x, y, ancho, alto);
}

// Puts back the stubborn clients whose time has come; the milliseconds to
// the next one, or -1: none waits.
int Devolver_Debidas() {
    const Reloj::time_point ahora = Reloj::now();
    int espera = -1;
    for (auto& [w, t] : tercas) {
        if (!t.pendiente) continue;
        if (t.cuando <= ahora) {
            t.pendiente = false;
            Devolver(w, t.movidas);
            continue;
        }
        const auto ms = std::chrono::ceil<std::chrono::milliseconds>(t.cuando - ahora).count();
        espera = espera < 0 ? static_cast<int>(ms) : std::min(espera, static_cast<int>(ms));
    }
    return espera;
}

void Configurar(const xcb_configure_request_event_t& e) {
    const auto it = marcos.find(e.window);
    if (it == marcos.end()) {
        // Not mapped yet: as asked.
        uint32_t v[7];
        uint16_t mascara = 0;
        int n = 0;
        auto poner = [&](uint16_t bit, uint32_t valor) {
            if (e.value_mask & bit) {
                mascara |= bit;
                v[n++] = valor;
            }
        };
        poner(XCB_CONFIG_WINDOW_X, static_cast<uint32_t>(e.x));
        poner(XCB_CONFIG_WINDOW_Y, static_cast<uint32_t>(e.y));
        poner(XCB_CONFIG_WINDOW_WIDTH, e.width);
        poner(XCB_CONFIG_WINDOW_HEIGHT, e.height);
        xcb_configure_window(c, e.window, mascara, v);
        return;
    }
    auto* g = xcb_get_geometry_reply(c, xcb_get_geometry(c, it->second), nullptr);
    if (!g) return;
    int16_t x = g->x, y = g->y;
    uint16_t ancho = g->width, alto = g->height;
    std::free(g);
    const auto t = tercas.find(e.window);
    const bool mover = e.value_mask & (XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y);
    // A stubborn client's move is refused (its size is not).
    if (t == tercas.end()) {
        if (e.value_mask & XCB_CONFIG_WINDOW_X) x = e.x;
        if (e.value_mask & XCB_CONFIG_WINDOW_Y) y = e.y;
    }
    if (e.value_mask & XCB_CONFIG_WINDOW_WIDTH) ancho = e.width;
    if (e.value_mask & XCB_CONFIG_WINDOW_HEIGHT) alto = e.height;
    const uint32_t marco[] = {static_cast<uint32_t>(x), static_cast<uint32_t>(y), ancho, alto};
    xcb_configure_window(c, it->second,
                         XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH |
                             XCB_CONFIG_WINDOW_HEIGHT,
                         marco);
    const uint32_t cliente[] = {ancho, alto};
    xcb_configure_window(c, e.window, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, cliente);
    Avisar(e.window, x, y, ancho, alto);
    if (t == tercas.end() || !mover) return;
    ++t->second.movidas;
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, e.window, Atomo("_KESTRAM_MOVIDAS"),
                        XCB_ATOM_CARDINAL, 32, 1, &t->second.movidas);
    t->second.pendiente = true;
    t->second.cuando = Reloj::now() + t->second.vuelta;
}

}  // namespace

int main() {
    c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "no X server\n");
        return 1;
    }
    pantalla = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const uint32_t mascara[] = {XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT |
                                XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY};
    if (xcb_generic_error_t* err = xcb_request_check(
            c, xcb_change_window_attributes_checked(c, pantalla->root, XCB_CW_EVENT_MASK, mascara))) {
        std::fprintf(stderr, "another window manager runs\n");
        std::free(err);
        return 1;
    }
    // Announced as EWMH asks, with the frame extents it sets.
    const xcb_window_t aviso = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, aviso, pantalla->root, -1, -1, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    const xcb_atom_t comprobar = Atomo("_NET_SUPPORTING_WM_CHECK");
    const xcb_atom_t soportados[] = {comprobar, Atomo("_NET_FRAME_EXTENTS")};
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, pantalla->root, Atomo("_NET_SUPPORTED"),
                        XCB_ATOM_ATOM, 32, 2, soportados);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, aviso, comprobar, XCB_ATOM_WINDOW, 32, 1,
                        &aviso);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, pantalla->root, comprobar, XCB_ATOM_WINDOW, 32,
                        1, &aviso);
    xcb_flush(c);

    for (;;) {
        const int espera = Devolver_Debidas();
        xcb_flush(c);
        xcb_generic_event_t* ev = xcb_poll_for_event(c);
        if (!ev) {
            if (xcb_connection_has_error(c)) break;
            // Nothing read and nothing queued: until the server says
            // something or a stubborn client is due.
            pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
            poll(&fd, 1, espera);
            continue;
        }
        switch (ev->response_type & 0x7f) {
        case XCB_MAP_REQUEST: {
            const auto* e = reinterpret_cast<xcb_map_request_event_t*>(ev);
            if (marcos.count(e->window))
                xcb_map_window(c, e->window);
            else
                Enmarcar(e->window);
            break;
        }
        case XCB_CONFIGURE_REQUEST:
            Configurar(*reinterpret_cast<xcb_configure_request_event_t*>(ev));
            break;
        case XCB_UNMAP_NOTIFY: {
            // A client withdrawn by its program (not the unmap of a reparenting).
            const auto* e = reinterpret_cast<xcb_unmap_notify_event_t*>(ev);
            if (marcos.count(e->window) && e->event == marcos[e->window]) Soltar(e->window, true);
            break;
        }
        case XCB_DESTROY_NOTIFY:
            Soltar(reinterpret_cast<xcb_destroy_notify_event_t*>(ev)->window, false);
            break;
        default:
            break;
        }
        std::free(ev);
        xcb_flush(c);
    }
    return 0;
}
