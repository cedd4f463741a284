#pragma once
// Fixture do editor de nó: a janela principal carregada, nós criados no desenho e o editor
// acionado como o usuário o aciona (cada ação passa pelo despacho de eventos, de modo que a
// janela descarregada só é destruída depois do tratador).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "comum/janela_principal_de_teste.h"
#include "dialogos/cores_dos_intervalos.h"
#include "dialogos/editor_de_no.h"
#include "editor/desenho_da_rede.h"
#include "editor/elementos_do_desenho.h"
#include "modelo/buffers_de_edicao.h"
#include "modelo/estado_do_editor.h"
#include "modelo/rede.h"

namespace orvel::teste {

class com_editor_de_no : public com_janela_principal {
protected:
    editor_de_no& e() { return editor_de_no_unico(); }

    void agir(const std::function<void()>& f) { despachar_evento(&e(), f); }

    // Seleciona o nó e o abre pelo botão da barra.
    void abrir(int n) {
        no_selecionado = static_cast<Byte>(n);
        despachar_evento(&t(), [this] { t().editar_no_button_Click(); });
    }

    // O usuário clica na janela principal: o editor perde a ativação.
    void sair_para_a_principal() {
        despachar_evento(&t(), [this] { ativar_janela(t()); });
    }

    // Uma tecla no controle com o foco (Enter: 13).
    Integer tecla(Integer codigo) {
        Integer r = 0;
        agir([&] { r = e().entregar_tecla(codigo); });
        return r;
    }

    // Digita um texto numa caixa (dando-lhe o foco) e tecla Enter.
    void digitar_e_enter(caixa_de_texto& c, const std::string& texto) {
        agir([&] {
            c.SetFocus();
            c.Text = texto;
        });
        tecla(13);
    }

    // Digita um texto numa caixa e sai dela (o foco fica sem dono).
    void digitar_e_sair(caixa_de_texto& c, const std::string& texto) {
        agir([&] {
            c.SetFocus();
            c.Text = texto;
            e().mover_foco(nullptr);
        });
    }

    // Uma tecla na caixa da quantidade de grupos: desce, o caractere entra, sobe.
    void tecla_nos_grupos(Integer codigo, const std::string& caractere) {
        agir([&] {
            auto& c = e().texto_quantos_grupos;
            c.SetFocus();
            Integer k = codigo;
            c.receber_descida(k, 0);
            Integer p = codigo;
            c.KeyPress(p);
            if (p != 0 && !caractere.empty()) c.Text = caractere;
            if (!e().carregado()) return;
            Integer u = codigo;
            c.receber_subida(u, 0);
        });
    }

    // "Inserir Dados": o botão toma o foco (a caixa que o tinha guarda) e então o clique.
    void inserir_dados() {
        agir([&] {
            e().mover_foco(nullptr);
            e().inserir_dados_command.Click();
        });
    }

    void mouse(Integer botao, Single x, Single y) {
        agir([&] { e().Form_MouseUp(botao, 0, x, y); });
    }

    void escolher_modelo(int opcao) {
        agir([&] { e().Option1(opcao).marcar(); });
    }

    // Um nó gravado: nome, grupos, divisas nas colunas dadas, códigos [grupo][intervalo],
    // durações por intervalo e um link por grupo.
    void gravar_no(int n, const std::string& nome, const std::vector<int>& colunas,
                   const std::vector<std::vector<Byte>>& codigos, const std::vector<Integer>& duracoes) {
        nome_do_no_dado(n) = nome;
        quant_de_grupos_dado(n) = static_cast<Byte>(codigos.size());
        for (int c : colunas) existe_ordenada_dado(n, c) = true;
        for (std::size_t g = 0; g < codigos.size(); ++g) {
            nome_dos_links_do_grupo_dado(n, g + 1, 1) = "L" + std::to_string(g + 1);
            for (std::size_t k = 0; k < codigos[g].size(); ++k)
                cor_do_intervalo_do_grupo_dado(n, g + 1, k + 1) = codigos[g][k];
        }
        for (std::size_t k = 0; k < duracoes.size(); ++k) duracao_imposta_dado(n, k + 1) = duracoes[k];
        quant_de_intervalos_antes_dado(n) = static_cast<Byte>(colunas.size() + 1);
    }

    // O nó de dois grupos e quatro intervalos que passa em todas as verificações.
    void gravar_no_valido(int n, const std::string& nome = "A") {
        gravar_no(n, nome, {50, 56, 87}, {{1, 2, 3, 3}, {3, 3, 1, 2}}, {0, 4, 0, 4});
    }

    std::vector<std::string> avisos() const {
        std::vector<std::string> v;
        for (const auto& m : s.mensagens) {
            EXPECT_EQ(m.titulo, "Aviso");
            EXPECT_EQ(m.estilo, estilo_ok);
            v.push_back(m.texto);
        }
        return v;
    }

    // Nós 1 e 2 no desenho.
    void SetUp() override {
        com_janela_principal::SetUp();
        limpar_rede(contexto());
        execucao_em_curso = false;
        inserir_no();
        inserir_no();
        projeto_alterado = false;
    }
};

}  // namespace orvel::teste
