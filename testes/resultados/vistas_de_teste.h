#pragma once
// Redes para os testes das vistas: a grade processada de verdade pela janela principal, com o
// desenho, e um nó cujo plano processado é posto à mão.

#include <initializer_list>
#include <string>
#include <vector>

#include "comum/janela_principal_de_teste.h"
#include "comum/rede_em_grade.h"
#include "editor/estado_dos_comandos.h"
#include "modelo/tabelas_de_calculo.h"

namespace orvel::teste {

// Cada nó e link da rede montada nas tabelas ganha os seus elementos no desenho.
inline void desenhar_a_rede(dados_da_tela_principal& t) {
    for (int n = 1; n <= max_nos; ++n)
        if (existe_no(n)) {
            t.no_shape.carregar(n);
            t.apoio_no_label.carregar(n);
            t.apoio_no_label(n).Caption = nome_do_no_dado(n);
        }
    for (int l = 1; l <= max_links; ++l)
        if (existe_link(l)) t.carregar_elementos_do_link(l);
}

// A grade de 2 × 3 nós num ciclo de 90 s, desenhada e processada com "Processar", salva no
// arquivo dado.
inline void processar_a_grade(tela_principal& t, servicos_de_teste& s, const std::string& arquivo) {
    nome_do_arquivo.clear();  // o projeto nunca foi salvo: o diálogo pergunta o nome
    montar_rede_em_grade(2, 3, 90);
    desenhar_a_rede(t);
    aplicar_coluna_de_comandos(coluna_de_comandos::abrir);
    s.respostas_salvar = {arquivo};
    t.processar_button.Click();
    EXPECT_TRUE(s.mensagens.empty()) << s.mensagens.front().titulo << ": " << s.mensagens.front().texto;
}

// O nó "A" com o plano que o processamento teria deixado: as durações dadas num ciclo dado e
// o grupo g verde, amarelo e vermelho em rodízio a partir do intervalo g.
inline int no_processado_a_mao(Integer ciclo, const std::vector<Integer>& duracoes, int grupos = 2) {
    esvaziar_rede();
    const int n = novo_no("A", grupos, static_cast<int>(duracoes.size()));
    contexto().derivados.t_de_ciclo = ciclo;
    contexto().derivados.quant_de_intervalos_depois(n) = static_cast<Byte>(duracoes.size());
    int k = 0;
    for (Integer d : duracoes) {
        ++k;
        contexto().derivados.duracao_do_intervalo(n, k) = d;
        for (int g = 1; g <= grupos; ++g)
            contexto().resultados.cor_do_intervalo_do_grupo_depois(n, g, k) = cor_do_intervalo_do_grupo_dado(n, g, k) =
                static_cast<Byte>((k + g) % 3 + 1);
    }
    return n;
}

}  // namespace orvel::teste
