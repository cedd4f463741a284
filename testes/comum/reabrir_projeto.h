#pragma once
// Para os testes que salvam e abrem de novo a rede do processo: o desenho que o salvamento lê
// e a abertura que não pode mostrar aviso algum.

#include <gtest/gtest.h>

#include <string>

#include "comum/janela_principal_de_teste.h"
#include "comum/pasta_temporaria.h"
#include "comum/servicos_de_teste.h"
#include "modelo/projeto.h"
#include "modelo/rede.h"
#include "plataforma/numeros.h"
#include "editor/tela_principal.h"
#include "editor/desenho_da_rede.h"

namespace orvel::teste {

// Fixture dos testes que salvam e abrem projetos pelos comandos das janelas: o ponto como
// separador decimal, nenhum arquivo ainda, a rede limpa e uma pasta temporária própria.
class com_projeto_em_arquivo : public com_janela_principal {
protected:
    void SetUp() override {
        com_janela_principal::SetUp();
        separador_antes = separador_decimal();
        definir_separador_decimal('.');
        s.pasta = "/opt/orvel";
        nome_do_arquivo.clear();
        salvar_como = false;
        caption_dos_forms.clear();
        limpar_rede(contexto());
    }
    void TearDown() override {
        definir_separador_decimal(separador_antes);
        com_janela_principal::TearDown();
    }

    // "Salvar como" no caminho dado.
    bool salvar_em(const std::string& caminho) {
        s.respostas_salvar.push_back(caminho);
        salvar_como = true;
        return salvar_pelas_janelas(contexto());
    }

    bool abrir(const std::string& caminho) {
        s.respostas_abrir.push_back(caminho);
        return abrir_pelas_janelas(contexto());
    }

    pasta_temporaria pasta;
    char separador_antes = '.';
};

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
    EXPECT_TRUE(abrir_pelas_janelas(contexto())) << caminho;
    EXPECT_TRUE(s.mensagens.empty()) << caminho << ": " << (s.mensagens.empty() ? "" : s.mensagens[0].texto);
}

}  // namespace orvel::teste
