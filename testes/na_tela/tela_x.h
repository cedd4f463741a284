#pragma once
// O que o servidor X diz de uma janela, por uma conexão própria do teste (não a do Qt): se ela
// está mapeada, onde ficam a moldura que o gerenciador pôs em volta e o interior, se leva um
// ícone e de quem é transitória; e o fechamento pelo gerenciador, como o Alt+F4.

#include <xcb/xcb.h>

#include <QRect>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <string>

namespace orvel::teste {

class tela_x {
public:
    tela_x() : c_(xcb_connect(nullptr, nullptr)) {
        if (!xcb_connection_has_error(c_)) raiz_ = xcb_setup_roots_iterator(xcb_get_setup(c_)).data->root;
    }
    ~tela_x() { xcb_disconnect(c_); }
    tela_x(const tela_x&) = delete;
    tela_x& operator=(const tela_x&) = delete;

    bool conectada() const { return raiz_ != 0; }

    // Passa a acompanhar as janelas de cima (as molduras, filhas da raiz): onde cada uma estava
    // no instante em que foi mapeada.
    void acompanhar_as_molduras() {
        const uint32_t mascara = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(c_, raiz_, XCB_CW_EVENT_MASK, &mascara);
        xcb_flush(c_);
    }

    // Onde estava a moldura da janela quando ela apareceu (foi mapeada) desta vez; nada se ela
    // não está mapeada ou se apareceu antes do acompanhamento.
    std::optional<QRect> moldura_ao_aparecer(xcb_window_t w) {
        ler_os_eventos();
        auto it = molduras_.find(topo(w));
        if (it == molduras_.end() || !it->second.mapeada) return std::nullopt;
        return it->second.ao_mapear;
    }

    struct janela {
        bool mapeada = false;  // à vista (viewable): ela e todas as de cima mapeadas
        QRect moldura;         // a janela filha da raiz que contém esta (a moldura do gerenciador)
        QRect interior;        // a própria janela, em coordenadas da tela
    };

    janela ler(xcb_window_t w) {
        janela r;
        if (auto* a = xcb_get_window_attributes_reply(c_, xcb_get_window_attributes(c_, w), nullptr)) {
            r.mapeada = a->map_state == XCB_MAP_STATE_VIEWABLE;
            std::free(a);
        }
        r.interior = retangulo_na_tela(w);
        r.moldura = retangulo_na_tela(topo(w));
        return r;
    }

    // Pede ao gerenciador que feche a janela (_NET_CLOSE_WINDOW, como um clique no X da
    // moldura ou o Alt+F4): ele manda WM_DELETE_WINDOW à janela.
    void fechar_pelo_gerenciador(xcb_window_t w) {
        xcb_client_message_event_t e;
        std::memset(&e, 0, sizeof e);
        e.response_type = XCB_CLIENT_MESSAGE;
        e.format = 32;
        e.window = w;
        e.type = atomo("_NET_CLOSE_WINDOW");
        e.data.data32[0] = XCB_CURRENT_TIME;
        e.data.data32[1] = 2;  // pedido do usuário
        xcb_send_event(c_, 0, raiz_, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                       reinterpret_cast<const char*>(&e));
        xcb_flush(c_);
    }

    // Quantos valores a janela tem na propriedade (0: não tem).
    std::size_t tamanho_da_propriedade(xcb_window_t w, const char* nome) {
        auto* p = xcb_get_property_reply(c_, xcb_get_property(c_, 0, w, atomo(nome), XCB_ATOM_ANY, 0, 1u << 20), nullptr);
        const std::size_t n = p ? static_cast<std::size_t>(xcb_get_property_value_length(p)) : 0;
        std::free(p);
        return n;
    }

    // A janela de que esta é transitória (WM_TRANSIENT_FOR); 0 quando não é.
    xcb_window_t transitoria_de(xcb_window_t w) {
        auto* p = xcb_get_property_reply(c_, xcb_get_property(c_, 0, w, XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, 0, 1), nullptr);
        xcb_window_t dona = 0;
        if (p && xcb_get_property_value_length(p) >= 4) std::memcpy(&dona, xcb_get_property_value(p), 4);
        std::free(p);
        return dona;
    }

private:
    // A janela filha da raiz que contém esta: a moldura (ou a própria, sem gerenciador).
    xcb_window_t topo(xcb_window_t w) {
        for (;;) {
            auto* arvore = xcb_query_tree_reply(c_, xcb_query_tree(c_, w), nullptr);
            if (!arvore) return w;
            const xcb_window_t pai = arvore->parent;
            std::free(arvore);
            if (pai == raiz_ || pai == 0) return w;
            w = pai;
        }
    }

    struct moldura {
        QRect atual;
        QRect ao_mapear;
        bool mapeada = false;
    };

    void ler_os_eventos() {
        while (xcb_generic_event_t* e = xcb_poll_for_event(c_)) {
            switch (e->response_type & 0x7F) {
                case XCB_CREATE_NOTIFY: {
                    auto* c = reinterpret_cast<xcb_create_notify_event_t*>(e);
                    if (c->parent == raiz_)
                        molduras_[c->window].atual = QRect(c->x, c->y, c->width + 2 * c->border_width, c->height + 2 * c->border_width);
                    break;
                }
                case XCB_CONFIGURE_NOTIFY: {
                    auto* c = reinterpret_cast<xcb_configure_notify_event_t*>(e);
                    if (c->event == raiz_)
                        molduras_[c->window].atual = QRect(c->x, c->y, c->width + 2 * c->border_width, c->height + 2 * c->border_width);
                    break;
                }
                case XCB_MAP_NOTIFY: {
                    auto* m = reinterpret_cast<xcb_map_notify_event_t*>(e);
                    if (m->event == raiz_) {
                        moldura& h = molduras_[m->window];
                        h.mapeada = true;
                        h.ao_mapear = h.atual;
                    }
                    break;
                }
                case XCB_UNMAP_NOTIFY: {
                    auto* u = reinterpret_cast<xcb_unmap_notify_event_t*>(e);
                    if (u->event == raiz_) molduras_[u->window].mapeada = false;
                    break;
                }
                case XCB_DESTROY_NOTIFY: {
                    auto* d = reinterpret_cast<xcb_destroy_notify_event_t*>(e);
                    if (d->event == raiz_) molduras_.erase(d->window);
                    break;
                }
                default: break;
            }
            std::free(e);
        }
    }

    std::map<xcb_window_t, moldura> molduras_;

    xcb_atom_t atomo(const char* nome) {
        auto* r = xcb_intern_atom_reply(c_, xcb_intern_atom(c_, 0, static_cast<uint16_t>(std::strlen(nome)), nome), nullptr);
        const xcb_atom_t a = r ? r->atom : xcb_atom_t{XCB_ATOM_NONE};
        std::free(r);
        return a;
    }

    QRect retangulo_na_tela(xcb_window_t w) {
        QRect r;
        auto* g = xcb_get_geometry_reply(c_, xcb_get_geometry(c_, w), nullptr);
        if (!g) return r;
        auto* t = xcb_translate_coordinates_reply(c_, xcb_translate_coordinates(c_, w, raiz_, 0, 0), nullptr);
        if (t) r = QRect(t->dst_x - g->border_width, t->dst_y - g->border_width, g->width + 2 * g->border_width,
                         g->height + 2 * g->border_width);
        std::free(t);
        std::free(g);
        return r;
    }

    xcb_connection_t* c_;
    xcb_window_t raiz_ = 0;
};

}  // namespace orvel::teste
