#pragma once
// Para os testes que salvam e abrem de novo a rede do processo: o desenho que o salvamento lê
// e a abertura que não pode mostrar aviso algum.

#include <gtest/gtest.h>

#include <string>

#include "comum/servicos_de_teste.h"
#include "modelo/limpar_rede.h"
#include "modelo/projeto.h"
#include "modelo/rede.h"
#include "editor/tela_principal.h"
#include "modelo/desenho_da_rede.h"

namespace orvel::teste {

// Carrega na janela principal os controles dos nós e links em uso (o nome de cada nó no seu
// rótulo, o de cada link na sua etiqueta), como o desenho os teria, e guarda esse desenho na
// rede do processo, como cada edição o guarda.
inline void carregar_o_desenho_da_rede() {
    auto& d = frmTela_principal_versao2();
    for (int n = 1; n <= max_nos; ++n)
        if (existe_no(n) && !d.no_shape.carregado(n)) {
            d.no_shape.carregar(n);
            d.apoio_no_label.carregar(n);
            d.apoio_no_label(n).Caption = nome_do_no_dado(n);
            guardar_desenho_do_no(d, n, contexto());
        }
    for (int l = 1; l <= max_links; ++l)
        if (existe_link(l) && !d.corpo_link_line.carregado(l)) {
            d.carregar_elementos_do_link(l);
            d.etiqueta_link_label(l).Caption = nome_do_link_dado(l);
            guardar_desenho_do_link(d, l, contexto());
        }
}

// Abre o arquivo numa rede limpa e confere que abriu sem aviso algum.
inline void reabre_sem_aviso(servicos_de_teste& s, const std::string& caminho) {
    limpar_rede(contexto());
    s.mensagens.clear();
    s.respostas_abrir.push_back(caminho);
    EXPECT_TRUE(abrir_pelas_janelas()) << caminho;
    EXPECT_TRUE(s.mensagens.empty()) << caminho << ": " << (s.mensagens.empty() ? "" : s.mensagens[0].texto);
}

}  // namespace orvel::teste
