#pragma once
// A rede que o cálculo recebe: a rede dada, só para leitura, os grupos do contexto que as etapas
// leem e escrevem e o observador por onde o cálculo fala com o usuário. Toda etapa, simulação e
// busca trabalha só sobre a rede que recebe; nenhuma alcança o contexto do processo.
//
// É só um conjunto de referências, montado do contexto de uma rede (qualquer um) e passado por
// referência constante; as referências aos grupos deixam escrever neles.

#include "calculo/observador_do_calculo.h"
#include "modelo/contexto_da_rede.h"

namespace orvel {

struct rede_em_calculo {
    const rede_dada& rede;
    estado_do_projeto& projeto;
    copias_de_trabalho& copias;
    dados_derivados& derivados;
    estado_das_buscas& buscas;
    tabelas_da_simulacao& simulacao;
    resultados_do_calculo& resultados;
    // A parada devolve os comandos à janela principal e a tira do modo de desenho.
    estado_do_editor& editor;
    observador_do_calculo& observador;

    // Sem observador, o instalado no processo.
    rede_em_calculo(contexto_da_rede& c, observador_do_calculo& o = observador_do_calculo_instalado())
        : rede(c.rede),
          projeto(c.projeto),
          copias(c.copias),
          derivados(c.derivados),
          buscas(c.buscas),
          simulacao(c.simulacao),
          resultados(c.resultados),
          editor(c.editor),
          observador(o) {}
};

}  // namespace orvel
