#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "comum/rede_de_teste.h"
#include "dialogos/editor_de_link.h"
#include "dialogos/editor_de_no_de_teste.h"
#include "dialogos/opcoes_da_rede.h"
#include "modelo/chaves_do_projeto.h"
#include "modelo/limites_dos_valores.h"
#include "plataforma/numeros.h"

namespace orvel {
namespace {

// Os três diálogos de dados, cada um com um registro válido, e um valor entrado como o usuário
// o entra numa das suas caixas.
class regras_dos_valores : public teste::com_editor_de_no {
protected:
    using entrada = std::function<void(const std::string&)>;

    int link = 0;

    void SetUp() override {
        com_editor_de_no::SetUp();
        inserir_link();
        link = link_selecionado;
    }

    static void digitar(caixa_de_texto& c, const std::string& texto) {
        despachar_evento(&c.dono(), [&] {
            c.SetFocus();
            c.Text = texto;
        });
    }

    // Uma janela recusada fica carregada; uma aceita se descarrega e pode já ter sido destruída.
    static bool ainda_carregada(const formulario* f) {
        const auto& v = janelas_carregadas();
        return std::find(v.begin(), v.end(), f) != v.end() && f->carregado();
    }

    static void clicar(botao_de_comando& b) {
        despachar_evento(&b.dono(), [&] {
            b.dono().mover_foco(&b);
            if (b.dono().carregado()) b.Click();
        });
    }

    // Link interno válido, aberto no editor; o texto na caixa e "Inserir Dados".
    entrada no_link(std::function<caixa_de_texto&(janela_editar_link&)> caixa) {
        return [this, caixa](const std::string& texto) {
            teste::dados_do_link_valido(link, "L1");
            link_selecionado = static_cast<Byte>(link);
            despachar_evento(&t(), [this] { t().editar_link_button_Click(); });
            auto& j = editor_de_link_unico();
            digitar(caixa(j), texto);
            clicar(j.inserir_dados_button);
            if (ainda_carregada(&j)) clicar(j.cancelar_button);
        };
    }

    entrada nas_opcoes(std::function<caixa_de_texto&(janela_opcoes_da_rede&)> caixa) {
        return [caixa](const std::string& texto) {
            auto& o = opcoes_da_rede_unica();
            despachar_evento(&o, [&] { o.Show(); });
            digitar(caixa(o), texto);
            clicar(o.inserir_dados_button);
            if (ainda_carregada(&o)) clicar(o.cancelar_button);
        };
    }

    // Nó 1 válido, escravo e demandado; `entrar` põe o valor e então "Inserir Dados".
    entrada no_no(entrada entrar) {
        return [this, entrar](const std::string& texto) {
            for (int c = 1; c <= ultima_divisa; ++c) existe_ordenada_dado(1, c) = false;
            gravar_no_valido(1);
            eh_no_escravo_dado(1) = true;
            nome_do_mestre_dado(1) = "B";
            intervalo_do_escravo_dado(1) = 1;
            intervalo_do_mestre_dado(1) = 1;
            eh_no_demandado_dado(1) = true;
            intervalo_demandado_dado(1) = 2;
            intervalo_beneficiado_dado(1) = 1;
            entrar(texto);
            inserir_dados();
            if (e().Visible) agir([this] { e().cancelar_command.Click(); });
        };
    }

    entrada na_caixa_do_no(std::function<caixa_de_texto&(editor_de_no&)> caixa) {
        return no_no([this, caixa](const std::string& texto) {
            abrir(1);
            digitar_e_sair(caixa(e()), texto);
        });
    }
};

// Cada verificação de faixa de um diálogo aceita as pontas da faixa que o arquivo de projeto
// tem para a chave e recusa, com a mensagem da sua regra, o número logo além delas. Uma ponta
// que a caixa não deixa passar (o tipo do valor não a comporta) ou que o diálogo não produz
// fica de fora.
TEST_F(regras_dos_valores, editores_recusam_e_aceitam_nos_limites_do_arquivo) {
    struct caso {
        std::string_view chave;
        const regra_de_valor& regra;
        entrada entrar;
        bool abaixo = true;
        bool acima = true;
    };
    using L = janela_editar_link;
    using O = janela_opcoes_da_rede;
    using N = editor_de_no;
    const caso casos[] = {
        {"t_de_ciclo_imposto_dado", regra_do_t_de_ciclo_imposto, nas_opcoes(&O::t_de_ciclo_imposto_texto)},
        {"t_de_ciclo_maximo_imposto_dado", regra_do_t_de_ciclo_maximo_imposto, nas_opcoes(&O::t_de_ciclo_maximo_texto)},
        {"grau_de_saturacao_meta_imposto_dado", regra_do_grau_de_saturacao_meta_imposto,
         nas_opcoes(&O::grau_de_saturacao_meta_texto)},
        {"grau_de_saturacao_limite_imposto_dado", regra_do_grau_de_saturacao_limite_imposto,
         nas_opcoes(&O::grau_de_saturacao_limite_texto)},
        {"peso_da_parada_imposto_dado", regra_do_peso_da_parada_imposto,
         nas_opcoes(&O::peso_da_parada_texto), true, false},

        {"verde_de_seguranca_dado", regra_do_verde_de_seguranca, no_link(&L::verde_de_seguranca_texto)},
        {"fluxo_dado", regra_do_fluxo, no_link(&L::fluxo_texto)},
        {"fluxo_de_saturacao_dado", regra_do_fluxo_de_saturacao, no_link(&L::fluxo_de_saturacao_texto)},
        {"t_de_percurso_dado", regra_do_t_de_percurso, no_link(&L::t_de_percurso_texto)},
        {"capacidade_da_caixa_dado", regra_da_capacidade_da_caixa, no_link(&L::capacidade_da_caixa_texto)},
        {"valor_do_primeiro_fornecimento_dado", regra_do_valor_do_fornecimento,
         no_link([](L& j) -> caixa_de_texto& { return j.valor_do_iesimo_fornecimento_texto(0); })},

        // A quantidade de grupos chega à confirmação só pelo dígito aceito na caixa, ou 0 num
        // nó sem grupos.
        {"quant_de_grupos_dado", regra_da_quant_de_grupos,
         no_no([this](const std::string& texto) {
             quant_de_grupos_dado(1) = static_cast<Byte>(ler_numero(texto));
             abrir(1);
         }),
         true, false},
        {"quant_de_grupos_dado", regra_da_quant_de_grupos_digitada,
         no_no([this](const std::string& texto) {
             abrir(1);
             tecla_nos_grupos(texto[0], texto);
         })},
        {"intervalo_do_escravo_dado", regra_do_intervalo_do_escravo, na_caixa_do_no(&N::intervalo_escravo_texto)},
        {"intervalo_do_mestre_dado", regra_do_intervalo_do_mestre, na_caixa_do_no(&N::intervalo_mestre_texto)},
        {"n_acionamentos_dado", regra_do_n_acionamentos, na_caixa_do_no(&N::n_acionamentos_texto), true, false},
        {"intervalo_demandado_dado", regra_do_intervalo_demandado, na_caixa_do_no(&N::intervalo_demandado_texto)},
        {"intervalo_beneficiado_dado", regra_do_intervalo_beneficiado, na_caixa_do_no(&N::intervalo_beneficiado_texto)},
        {"duracao_imposta_dado", regra_da_duracao_imposta,
         na_caixa_do_no([](N& j) -> caixa_de_texto& { return j.duracao_imposta_texto(2); })},
        // A quantidade de intervalos é a das divisas no diagrama, mais um.
        {"quant_de_intervalos_antes_dado", regra_da_quant_de_intervalos,
         no_no([this](const std::string& texto) {
             for (int c = 1; c <= ultima_divisa; ++c) existe_ordenada_dado(1, c) = false;
             for (int k = 1; k < ler_numero(texto); ++k) existe_ordenada_dado(1, 2 * k) = true;
             abrir(1);
         }),
         false, true},
    };
    for (const caso& c : casos) {
        const auto chaves = chaves_com_faixa();
        const auto achada = std::find_if(chaves.begin(), chaves.end(), [&](const chave_com_faixa& k) { return k.chave == c.chave; });
        ASSERT_NE(achada, chaves.end()) << c.chave;
        const faixa_de_valor* f = achada->faixa;
        EXPECT_EQ(f->minimo, c.regra.faixa.minimo) << c.chave;
        EXPECT_EQ(f->maximo, c.regra.faixa.maximo) << c.chave;
        auto confere = [&](double valor, bool recusado) {
            s.mensagens.clear();
            c.entrar(texto_de_double(valor));
            const auto v = avisos();
            EXPECT_EQ(std::count(v.begin(), v.end(), c.regra.mensagem) > 0, recusado) << c.chave << " " << valor;
            EXPECT_TRUE(std::none_of(v.begin(), v.end(), [](const std::string& m) { return m.starts_with("o número"); }))
                << c.chave << " " << valor;
        };
        confere(f->minimo, false);
        confere(f->maximo, false);
        if (c.abaixo) confere(f->minimo - 1, true);
        if (c.acima) confere(f->maximo + 1, true);
    }
}

}  // namespace
}  // namespace orvel
