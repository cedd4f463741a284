#include "modelo/chaves_do_projeto.h"

#include <array>

#include "modelo/armazenamento_xml.h"

namespace orvel {

namespace {

using P = parte_do_arquivo;
using F = forma_do_texto;
using C = condicao_da_chave;
using I = indice_da_chave;

// O campo de uma chave, na posição p (link ou nó) e no índice k.
#define CAMPO(expr) [](contexto_da_rede & c, [[maybe_unused]] int p, [[maybe_unused]] int k) -> campo_da_chave { return &(expr); }

// A tabela, na ordem em que um arquivo novo recebe as chaves.
const std::array tabela_das_chaves{
    // Opções e contagens da rede.
    chave_do_projeto{P::rede, "nome_da_rede_dado", F::texto, CAMPO(c.rede.nome_da_rede_dado)},
    chave_do_projeto{P::rede, "t_de_ciclo_imposto_dado", F::numero_ou_traco, CAMPO(c.rede.t_de_ciclo_imposto_dado), &faixa_t_de_ciclo_imposto},
    chave_do_projeto{P::rede, "t_de_ciclo_maximo_imposto_dado", F::numero_ou_traco, CAMPO(c.rede.t_de_ciclo_maximo_imposto_dado),
                     &faixa_t_de_ciclo_maximo_imposto},
    chave_do_projeto{P::rede, "grau_de_saturacao_meta_imposto_dado", F::numero_ou_traco,
                     CAMPO(c.rede.grau_de_saturacao_meta_imposto_dado), &faixa_grau_de_saturacao_imposto},
    chave_do_projeto{P::rede, "grau_de_saturacao_limite_imposto_dado", F::numero_ou_traco,
                     CAMPO(c.rede.grau_de_saturacao_limite_imposto_dado), &faixa_grau_de_saturacao_imposto},
    chave_do_projeto{P::rede, "peso_da_parada_imposto_dado", F::numero_ou_traco, CAMPO(c.rede.peso_da_parada_imposto_dado),
                     &faixa_peso_da_parada_imposto},
    chave_do_projeto{P::rede, "total_de_nos_dado", F::numero, CAMPO(c.rede.total_de_nos_dado), &faixa_total_de_nos},
    chave_do_projeto{P::rede, "total_de_links_dado", F::numero, CAMPO(c.rede.total_de_links_dado), &faixa_total_de_links},
    chave_do_projeto{P::rede, "max_indice_no", F::numero, CAMPO(c.rede.max_indice_no), &faixa_total_de_nos},
    chave_do_projeto{P::rede, "max_indice_link", F::numero, CAMPO(c.rede.max_indice_link), &faixa_total_de_links},
    chave_do_projeto{P::rede, "max_quant_de_intervalos", F::numero, CAMPO(c.resultados.max_quant_de_intervalos)},
    chave_do_projeto{P::rede, "caption_dos_forms", F::nome_do_arquivo, CAMPO(c.projeto.caption_dos_forms)},

    // Links.
    chave_do_projeto{P::links, "relacao", F::relacao, CAMPO(c.rede.existe_link(0)), nullptr, C::sempre, I::nenhum,
                     CAMPO(c.listas.relacao_de_links)},
    chave_do_projeto{P::link, "nome_do_link_dado", F::nome_de_link, CAMPO(c.rede.nome_do_link_dado(p))},
    chave_do_projeto{P::link, "nome_do_no_origem_dado", F::texto_ou_traco, CAMPO(c.rede.nome_do_no_origem_dado(p))},
    chave_do_projeto{P::link, "nome_do_no_destino_dado", F::texto, CAMPO(c.rede.nome_do_no_destino_dado(p))},
    chave_do_projeto{P::link, "verde_de_seguranca_dado", F::numero, CAMPO(c.rede.verde_de_seguranca_dado(p)), &faixa_verde_de_seguranca},
    chave_do_projeto{P::link, "fluxo_dado", F::numero, CAMPO(c.rede.fluxo_dado(p)), &faixa_fluxo},
    chave_do_projeto{P::link, "fluxo_de_saturacao_dado", F::numero, CAMPO(c.rede.fluxo_de_saturacao_dado(p)), &faixa_fluxo},
    chave_do_projeto{P::link, "t_de_percurso_dado", F::numero_ou_traco, CAMPO(c.rede.t_de_percurso_dado(p)), &faixa_t_de_percurso},
    chave_do_projeto{P::link, "capacidade_da_caixa_dado", F::numero_ou_traco, CAMPO(c.rede.capacidade_da_caixa_dado(p)),
                     &faixa_capacidade_da_caixa},
    chave_do_projeto{P::link, "nome_do_#_recebedor_dado", F::nome_de_link, CAMPO(c.rede.nome_do_recebedor_dado(p, k)), nullptr,
                     C::recebedor, I::recebedor},
    chave_do_projeto{P::link, "valor_do_#_fornecimento_dado", F::numero, CAMPO(c.rede.valor_do_fornecimento_dado(p, k)),
                     &faixa_valor_do_fornecimento, C::recebedor, I::recebedor},

    // Nós.
    chave_do_projeto{P::nos, "relacao", F::relacao, CAMPO(c.rede.existe_no(0)), nullptr, C::sempre, I::nenhum,
                     CAMPO(c.listas.relacao_de_nos)},
    chave_do_projeto{P::no, "nome_do_no_dado", F::texto, CAMPO(c.rede.nome_do_no_dado(p))},
    chave_do_projeto{P::no, "quant_de_grupos_dado", F::numero, CAMPO(c.rede.quant_de_grupos_dado(p)), &faixa_quant_de_grupos},
    chave_do_projeto{P::no, "eh_no_escravo_dado", F::booleano, CAMPO(c.rede.eh_no_escravo_dado(p))},
    chave_do_projeto{P::no, "nome_do_mestre_dado", F::texto, CAMPO(c.rede.nome_do_mestre_dado(p)), nullptr, C::so_escravo},
    chave_do_projeto{P::no, "intervalo_do_escravo_dado", F::numero, CAMPO(c.rede.intervalo_do_escravo_dado(p)), &faixa_intervalo_do_no,
                     C::so_escravo},
    chave_do_projeto{P::no, "intervalo_do_mestre_dado", F::numero, CAMPO(c.rede.intervalo_do_mestre_dado(p)), &faixa_intervalo_do_no,
                     C::so_escravo},
    chave_do_projeto{P::no, "defasagem_forcada_dado", F::numero, CAMPO(c.rede.defasagem_forcada_dado(p)), &faixa_defasagem_forcada,
                     C::so_escravo},
    chave_do_projeto{P::no, "eh_no_demandado_dado", F::booleano, CAMPO(c.rede.eh_no_demandado_dado(p))},
    chave_do_projeto{P::no, "n_acionamentos_dado", F::numero, CAMPO(c.rede.n_acionamentos_dado(p)), &faixa_n_acionamentos,
                     C::so_demandado},
    chave_do_projeto{P::no, "intervalo_demandado_dado", F::numero, CAMPO(c.rede.intervalo_demandado_dado(p)), &faixa_intervalo_do_no,
                     C::so_demandado},
    chave_do_projeto{P::no, "intervalo_beneficiado_dado", F::numero, CAMPO(c.rede.intervalo_beneficiado_dado(p)),
                     &faixa_intervalo_do_no, C::so_demandado},
    chave_do_projeto{P::no, "eh_ciclo_duplo_permitido_dado", F::sim_nao, CAMPO(c.rede.eh_ciclo_duplo_permitido_dado(p))},
    chave_do_projeto{P::no, "quant_de_intervalos_antes_dado", F::numero, CAMPO(c.rede.quant_de_intervalos_antes_dado(p)),
                     &faixa_quant_de_intervalos},
    chave_do_projeto{P::no, "nome_dos_links_do_grupo#_dado", F::lista_de_nomes, CAMPO(c.rede.nome_dos_links_do_grupo_dado(p, k, 0)),
                     nullptr, C::grupo_do_no, I::grupo, CAMPO(c.listas.lista_dos_links_do_grupo(k))},
    chave_do_projeto{P::no, "existe_ordenada_dado", F::lista_de_colunas, CAMPO(c.rede.existe_ordenada_dado(p, 0)), nullptr,
                     C::sempre, I::nenhum, CAMPO(c.listas.lista_de_existe_ordenada)},
    chave_do_projeto{P::no, "cor_do_intervalo_do_grupo#_dado", F::lista_por_intervalo,
                     CAMPO(c.rede.cor_do_intervalo_do_grupo_dado(p, k, 0)), &faixa_codigo_de_cor, C::grupo_do_no, I::grupo,
                     CAMPO(c.listas.lista_de_cor_do_grupo(k))},
    // As cores do diagrama final são conferidas depois de lidas, com os resultados.
    chave_do_projeto{P::no, "cor_do_intervalo_do_grupo#_depois", F::lista_por_intervalo,
                     CAMPO(c.resultados.cor_do_intervalo_do_grupo_depois(p, k, 0)), nullptr, C::grupo_do_no_ao_gravar, I::grupo,
                     CAMPO(c.listas.lista_de_cor_do_grupo_depois(k))},
    chave_do_projeto{P::no, "duracao_imposta_dado", F::lista_por_intervalo, CAMPO(c.rede.duracao_imposta_dado(p, 0)),
                     &faixa_duracao_imposta, C::sempre, I::nenhum, CAMPO(c.listas.lista_de_duracao_imposta)},

    // O desenho.
    chave_do_projeto{P::desenho_do_link, "eh_link_conversao", F::sim_nao, CAMPO(c.rede.eh_link_conversao(p))},
    chave_do_projeto{P::desenho_do_link, "corpo_link_line_X1", F::numero, CAMPO(c.desenho.corpo_link_line_X1(p))},
    chave_do_projeto{P::desenho_do_link, "corpo_link_line_X2", F::numero, CAMPO(c.desenho.corpo_link_line_X2(p))},
    chave_do_projeto{P::desenho_do_link, "corpo_link_line_Y1", F::numero, CAMPO(c.desenho.corpo_link_line_Y1(p))},
    chave_do_projeto{P::desenho_do_link, "corpo_link_line_Y2", F::numero, CAMPO(c.desenho.corpo_link_line_Y2(p))},
    chave_do_projeto{P::desenho_do_link, "braco_link_line_X2", F::numero, CAMPO(c.desenho.braco_link_line_X2(p))},
    chave_do_projeto{P::desenho_do_link, "braco_link_line_Y2", F::numero, CAMPO(c.desenho.braco_link_line_Y2(p))},
    chave_do_projeto{P::desenho_do_link, "esquerda_seta_line_X1", F::numero, CAMPO(c.desenho.esquerda_seta_line_X1(p))},
    chave_do_projeto{P::desenho_do_link, "esquerda_seta_line_Y1", F::numero, CAMPO(c.desenho.esquerda_seta_line_Y1(p))},
    chave_do_projeto{P::desenho_do_link, "direita_seta_line_X1", F::numero, CAMPO(c.desenho.direita_seta_line_X1(p))},
    chave_do_projeto{P::desenho_do_link, "direita_seta_line_Y1", F::numero, CAMPO(c.desenho.direita_seta_line_Y1(p))},
    chave_do_projeto{P::desenho_do_link, "etiqueta_link_label_Left", F::numero, CAMPO(c.desenho.etiqueta_link_label_Left(p))},
    chave_do_projeto{P::desenho_do_link, "etiqueta_link_label_Top", F::numero, CAMPO(c.desenho.etiqueta_link_label_Top(p))},
    chave_do_projeto{P::desenho_do_link, "etiqueta_link_label_Caption", F::texto, CAMPO(c.desenho.etiqueta_link_label_Caption(p))},
    chave_do_projeto{P::desenho_do_no, "apoio_no_label_Left", F::numero, CAMPO(c.desenho.apoio_no_label_Left(p))},
    chave_do_projeto{P::desenho_do_no, "apoio_no_label_Top", F::numero, CAMPO(c.desenho.apoio_no_label_Top(p))},
    chave_do_projeto{P::desenho_do_no, "apoio_no_label_Height", F::numero, CAMPO(c.desenho.apoio_no_label_Height(p))},
    chave_do_projeto{P::desenho_do_no, "apoio_no_label_Caption", F::texto, CAMPO(c.desenho.apoio_no_label_Caption(p))},
    chave_do_projeto{P::desenho_do_no, "no_shape_Left", F::numero, CAMPO(c.desenho.no_shape_Left(p))},
    chave_do_projeto{P::desenho_do_no, "no_shape_Top", F::numero, CAMPO(c.desenho.no_shape_Top(p))},
    chave_do_projeto{P::desenho_do_no, "no_shape_Height", F::numero, CAMPO(c.desenho.no_shape_Height(p))},

    // Os resultados: o ciclo se lê também no tempo de ciclo do cálculo, para que um projeto
    // processado abra com ele.
    chave_do_projeto{P::resultados_da_rede, "t_ciclo_da_rede_rel", F::numero_em_texto, CAMPO(c.resultados.t_ciclo_da_rede_rel),
                     nullptr, C::resultado, I::nenhum, CAMPO(c.derivados.t_de_ciclo)},
    chave_do_projeto{P::resultados_da_rede, "atraso_rede_rel", F::numero_em_texto, CAMPO(c.resultados.atraso_rede_rel), nullptr,
                     C::resultado},
    chave_do_projeto{P::resultados_da_rede, "n_paradas_rede_rel", F::numero_em_texto, CAMPO(c.resultados.n_paradas_rede_rel),
                     nullptr, C::resultado},
    chave_do_projeto{P::resultados_da_rede, "espera_media_rel", F::numero_em_texto, CAMPO(c.resultados.espera_media_rel), nullptr,
                     C::resultado},
    chave_do_projeto{P::resultados_da_rede, "maior_grau_de_saturacao_rel", F::numero_em_texto,
                     CAMPO(c.resultados.maior_grau_de_saturacao_rel), nullptr, C::resultado},
    chave_do_projeto{P::resultados_da_rede, "StrLinks_com_maior_grau_de_saturacao_rel", F::empatados,
                     CAMPO(c.resultados.StrLinks_com_maior_grau_de_saturacao_rel), nullptr, C::resultado},
    chave_do_projeto{P::resultados_da_rede, "periodo_de_simulacao", F::numero, CAMPO(c.derivados.periodo_de_simulacao), nullptr,
                     C::resultado},
    chave_do_projeto{P::resultados_do_no, "defasagem_valendo_rel", F::numero, CAMPO(c.buscas.defasagem_valendo(p)), nullptr,
                     C::resultado},
    chave_do_projeto{P::resultados_do_no, "quant_de_intervalos_depois_dado", F::numero, CAMPO(c.derivados.quant_de_intervalos_depois(p)),
                     nullptr, C::resultado},
    chave_do_projeto{P::resultados_do_no, "d#", F::numero, CAMPO(c.derivados.duracao_do_intervalo(p, k)), nullptr,
                     C::intervalo_ou_traco, I::intervalo},
    chave_do_projeto{P::resultados_do_no, "dcd#", F::numero, CAMPO(c.derivados.duracao_com_demanda(p, k)), nullptr, C::intervalo,
                     I::intervalo},
    chave_do_projeto{P::resultados_do_no, "eh_ciclo_duplo_rel", F::sim_nao, CAMPO(c.derivados.eh_ciclo_duplo(p)), nullptr,
                     C::resultado},
    chave_do_projeto{P::resultados_do_link, "y_rel", F::texto_com_numero, CAMPO(c.resultados.y_rel(p)), nullptr, C::resultado,
                     I::nenhum, CAMPO(c.derivados.y(p))},
    chave_do_projeto{P::resultados_do_link, "periodo_de_verde_do_link#_rel", F::periodo_de_verde,
                     CAMPO(c.resultados.periodo_de_verde_do_link_rel(p, k)), nullptr, C::resultado, I::periodo,
                     CAMPO(c.resultados.periodo_de_verde_do_link(p, k))},
    chave_do_projeto{P::resultados_do_link, "fila_maxima_rel", F::texto, CAMPO(c.resultados.fila_maxima_rel(p)), nullptr,
                     C::resultado},
    chave_do_projeto{P::resultados_do_link, "estourou_caixa_rel", F::estourou, CAMPO(c.resultados.estourou_caixa_rel(p)), nullptr,
                     C::resultado, I::nenhum, CAMPO(c.resultados.estourou_caixa(p))},
    chave_do_projeto{P::resultados_do_link, "grau_de_saturacao_por_link_rel", F::percentagem,
                     CAMPO(c.resultados.grau_de_saturacao_por_link_rel(p)), nullptr, C::resultado, I::nenhum,
                     CAMPO(c.resultados.grau_de_saturacao(p))},
    chave_do_projeto{P::resultados_do_link, "atraso_rel", F::texto, CAMPO(c.resultados.atraso_rel(p)), nullptr, C::resultado},
    chave_do_projeto{P::resultados_do_link, "n_paradas_rel", F::texto, CAMPO(c.resultados.n_paradas_rel(p)), nullptr, C::resultado},

    chave_do_projeto{P::fim, "data_rel", F::texto, CAMPO(c.resultados.data_rel), nullptr, C::resultado},
};

#undef CAMPO

constexpr const char* ordinais[] = {"", "primeiro", "segundo", "terceiro", "quarto"};

int ultimo_indice(indice_da_chave i) {
    switch (i) {
        case I::nenhum: return 0;
        case I::recebedor: return max_recebedores;
        case I::grupo: return max_grupos;
        case I::intervalo: return max_intervalos_entrados;
        case I::periodo: return 4;
    }
    return 0;
}

std::string nome_com_indice(const char* nome, indice_da_chave i, int k) {
    std::string s = nome;
    const auto p = s.find('#');
    if (p != std::string::npos) s.replace(p, 1, i == I::recebedor ? std::string(ordinais[k]) : texto_de_inteiro(k));
    return s;
}

// True quando a parte se repete por link; false por nó; sem posição nas outras.
bool parte_de_link(parte_do_arquivo p) {
    return p == P::link || p == P::desenho_do_link || p == P::resultados_do_link;
}
bool parte_de_no(parte_do_arquivo p) { return p == P::no || p == P::desenho_do_no || p == P::resultados_do_no; }

std::string elemento_da_parte(parte_do_arquivo p, int posicao) {
    if (parte_de_link(p)) return nome_do_elemento_do_link(posicao);
    if (parte_de_no(p)) return nome_do_elemento_do_no(posicao);
    if (p == P::links) return "links";
    if (p == P::nos) return "nos";
    return "rede";
}

// A chave entra nesta volta? Os grupos além dos do nó e os intervalos além dos do nó (estes só
// ao gravar) ficam de fora.
bool entra(const chave_do_projeto& ch, const contexto_da_rede& c, sentido_do_arquivo sentido, int p, int k) {
    const bool gravando = sentido == sentido_do_arquivo::gravacao;
    switch (ch.condicao) {
        case C::grupo_do_no: return k < 3 || c.rede.quant_de_grupos_dado(p) >= k;
        case C::grupo_do_no_ao_gravar: return !gravando || k < 3 || c.rede.quant_de_grupos_dado(p) >= k;
        case C::intervalo: {
            if (!gravando) return true;
            const bool valem = c.projeto.revisao_processada == c.projeto.revisao_da_rede;
            return valem && c.derivados.quant_de_intervalos_depois(p) >= k;
        }
        default: return true;
    }
}

// Uma volta pelas chaves [primeira, fim) numa posição: as de índice, juntas, para cada k.
void visitar_posicao(const contexto_da_rede& c, sentido_do_arquivo sentido, std::span<const chave_do_projeto> chaves, int p,
                     const std::function<void(const lugar_da_chave&)>& visitar) {
    const std::string elemento = elemento_da_parte(chaves.front().parte, p);
    for (std::size_t i = 0; i < chaves.size();) {
        std::size_t j = i + 1;
        const indice_da_chave indice = chaves[i].indice;
        if (indice != I::nenhum)
            while (j < chaves.size() && chaves[j].indice == indice) ++j;
        const int ultimo = ultimo_indice(indice);
        for (int k = indice == I::nenhum ? 0 : 1; k <= ultimo; ++k)
            for (std::size_t m = i; m < j; ++m) {
                if (!entra(chaves[m], c, sentido, p, k)) continue;
                const std::string nome = nome_com_indice(chaves[m].nome, indice, k);
                visitar(lugar_da_chave{chaves[m], elemento, nome, p, k});
            }
        i = j;
    }
}

}  // namespace

std::span<const chave_do_projeto> chaves_do_projeto() { return tabela_das_chaves; }

void percorrer_as_chaves(const contexto_da_rede& c, sentido_do_arquivo sentido,
                         const std::function<void(const lugar_da_chave&)>& visitar) {
    const std::span<const chave_do_projeto> todas = tabela_das_chaves;
    for (std::size_t i = 0; i < todas.size();) {
        std::size_t j = i + 1;
        while (j < todas.size() && todas[j].parte == todas[i].parte) ++j;
        const std::span<const chave_do_projeto> parte = todas.subspan(i, j - i);
        const parte_do_arquivo qual = todas[i].parte;
        if (parte_de_link(qual)) {
            // Os resultados dos links só são gravados até o maior índice em uso.
            const bool ate_o_maior = qual == P::resultados_do_link && sentido == sentido_do_arquivo::gravacao;
            for (int l = 1; l <= (ate_o_maior ? int(c.rede.max_indice_link) : max_links); ++l)
                if (c.rede.existe_link(l)) visitar_posicao(c, sentido, parte, l, visitar);
        } else if (parte_de_no(qual)) {
            for (int n = 1; n <= max_nos; ++n)
                if (c.rede.existe_no(n)) visitar_posicao(c, sentido, parte, n, visitar);
        } else {
            visitar_posicao(c, sentido, parte, 0, visitar);
        }
        i = j;
    }
}

std::optional<chave_achada> chave_do_campo(contexto_da_rede& c, const void* campo, dono_da_posicao dono, int posicao) {
    for (const chave_do_projeto& ch : tabela_das_chaves) {
        const dono_da_posicao da_parte = parte_de_link(ch.parte) ? dono_da_posicao::link
                                         : parte_de_no(ch.parte)  ? dono_da_posicao::no
                                                                  : dono_da_posicao::rede;
        if (da_parte != dono) continue;
        for (int k = ch.indice == I::nenhum ? 0 : 1; k <= ultimo_indice(ch.indice); ++k)
            if (std::visit([](auto* q) -> const void* { return q; }, ch.campo(c, posicao, k)) == campo)
                return chave_achada{elemento_da_parte(ch.parte, posicao), nome_com_indice(ch.nome, ch.indice, k)};
    }
    return std::nullopt;
}

std::vector<chave_com_faixa> chaves_com_faixa() {
    std::vector<chave_com_faixa> v;
    for (const chave_do_projeto& ch : tabela_das_chaves) {
        if (!ch.faixa) continue;
        const bool lista = ch.forma == F::lista_por_intervalo;
        const int ultimo = ultimo_indice(ch.indice);
        for (int k = ch.indice == I::nenhum ? 0 : 1; k <= ultimo; ++k)
            v.push_back({nome_com_indice(ch.nome, ch.indice, k), ch.faixa, lista});
    }
    return v;
}

}  // namespace orvel
