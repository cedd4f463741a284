#include "modelo/limpar_rede.h"

#include <utility>

#include "modelo/contexto_da_rede.h"

namespace orvel {

void esvaziar_rede(contexto_da_rede& c) noexcept {
    // A rede dada, as cópias de edição dos diálogos, o estado do editor, os valores da
    // animação e os textos das listas do arquivo voltam inteiros ao vazio (o índice 0 das
    // tabelas fica). Ficam como estão: o nome do arquivo e o estado do projeto, os textos
    // do diagrama depois do processamento (lista_de_cor_do_grupo_depois), a medida da tela
    // e o fim da apresentação.
    auto listas_das_cores_depois = std::move(c.listas.lista_de_cor_do_grupo_depois);
    esvaziar_grupo(c.rede);
    esvaziar_grupo(c.desenho);
    esvaziar_grupo(c.edicao);
    esvaziar_grupo(c.editor);
    esvaziar_grupo(c.animacao);
    esvaziar_grupo(c.listas);
    c.listas.lista_de_cor_do_grupo_depois = std::move(listas_das_cores_depois);

    // Do cálculo: as cópias de trabalho e os dados derivados inteiros, e os resultados que as
    // vistas e o arquivo mostram; o resto é da limpeza do próprio cálculo, no começo de cada
    // processamento. As vistas dos resultados copiam e preparam de novo sem essa limpeza:
    // uma cópia ou um dado derivado que sobrasse da rede anterior (um recebedor numa posição
    // que a rede nova não tem, por exemplo) seria lido como da rede nova.
    esvaziar_grupo(c.copias);
    esvaziar_grupo(c.derivados);
    esvaziar_menos_o_indice_0(c.resultados.cor_do_intervalo_do_grupo_depois);
    esvaziar_menos_o_indice_0(c.buscas.defasagem_valendo);
    esvaziar_menos_o_indice_0(c.resultados.periodo_de_verde_do_link);
    c.simulacao.link_corrente = 0;
    auto& r = c.resultados;
    for (std::string* texto : {&r.t_ciclo_da_rede_rel, &r.atraso_rede_rel, &r.n_paradas_rede_rel, &r.espera_media_rel,
                               &r.maior_grau_de_saturacao_rel, &r.StrLinks_com_maior_grau_de_saturacao_rel})
        texto->clear();
    r.paradas_total = 0;
    r.atraso_total = 0;
    esvaziar_menos_o_indice_0(r.links_com_maior_grau_de_saturacao);
    for (auto* textos : {&r.y_rel, &r.fila_maxima_rel, &r.estourou_caixa_rel, &r.grau_de_saturacao_por_link_rel,
                         &r.atraso_rel, &r.n_paradas_rel})
        esvaziar_menos_o_indice_0(*textos);
    esvaziar_menos_o_indice_0(r.periodo_de_verde_do_link_rel);

    // Os resultados de uma rede anterior não podem ser mostrados para uma nova ou fechada
    // (o ciclo, o período de simulação e os intervalos depois do processamento saíram com os
    // dados derivados).
    r.max_quant_de_intervalos = 0;
}

}  // namespace orvel
