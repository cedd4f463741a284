#pragma once
// A rede com todas as posições em uso: 50 nós e 150 links, oito grupos de quatro links em cada
// nó, os 36 intervalos, quatro recebedores em cada link, todo nó escravo e demandado, toda opção
// imposta e o desenho inteiro; com `processada`, também os resultados de uma execução que o
// arquivo guarda (36 durações por nó, as cores finais dos 72 intervalos, todos os links
// empatados). Cada valor difere do da posição vizinha, para que uma troca apareça, e cada texto
// tem o tamanho que as caixas dos diálogos deixam digitar, em caracteres que o arquivo grava como
// referências de cinco algarismos ("&#20013;"): é o maior projeto que o programa grava. Os
// valores são os que uma abertura devolve iguais (números com até seis algarismos, cores só nos
// intervalos do nó), de modo que salvar e abrir de novo dá a mesma rede.

#include <string>

#include "comum/rede_de_teste.h"
#include "modelo/contexto_da_rede.h"
#include "plataforma/numeros.h"

namespace orvel::teste {

// `tamanho` caracteres de fora do Latin-1, o primeiro tirado de `i`: índices diferentes dão
// nomes diferentes.
inline std::string nome_largo(int i, int tamanho) {
    std::string s;
    for (int k = 0; k < tamanho; ++k) {
        const int c = 0x4E00 + (k == 0 ? i : 0x100 + k);
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
    return s;
}

inline std::string nome_do_no_cheio(int n) { return nome_largo(n, 3); }
inline std::string nome_do_link_cheio(int l) { return nome_largo(max_nos + l, 4); }

// Monta a rede cheia no contexto c, que começa vazio.
inline void montar_rede_cheia(contexto_da_rede& c, bool processada) {
    rede_dada& r = c.rede;
    esvaziar_rede(r);
    r.nome_da_rede_dado = nome_largo(0, 80);
    r.t_de_ciclo_imposto_dado = 290;
    r.t_de_ciclo_maximo_imposto_dado = 300;
    r.grau_de_saturacao_meta_imposto_dado = 485;
    r.grau_de_saturacao_limite_imposto_dado = 495;
    r.peso_da_parada_imposto_dado = 32000;

    for (int n = 1; n <= max_nos; ++n) {
        novo_no(r, nome_do_no_cheio(n), max_grupos, max_intervalos_entrados);
        r.existe_ordenada_dado(n, 0) = r.existe_ordenada_dado(n, max_colunas) = false;  // bordas: o arquivo não as guarda
        r.eh_no_escravo_dado(n) = true;
        r.nome_do_mestre_dado(n) = nome_do_no_cheio(n % max_nos + 1);
        r.intervalo_do_escravo_dado(n) = static_cast<Byte>(1 + n % max_intervalos_entrados);
        r.intervalo_do_mestre_dado(n) = static_cast<Byte>(1 + (n + 7) % max_intervalos_entrados);
        r.defasagem_forcada_dado(n) = static_cast<Integer>(-10000 - 97 * n);
        r.eh_no_demandado_dado(n) = true;
        r.n_acionamentos_dado(n) = static_cast<Integer>(30000 + n);
        const int demandado = 1 + n % max_intervalos_entrados;
        const int beneficiado = 1 + (n + 1) % max_intervalos_entrados;
        r.intervalo_demandado_dado(n) = static_cast<Byte>(demandado);
        r.intervalo_beneficiado_dado(n) = static_cast<Byte>(beneficiado);
        r.eh_ciclo_duplo_permitido_dado(n) = n % 2 == 0;
        for (int g = 1; g <= max_grupos; ++g) {
            for (int p = 1; p <= max_links_por_grupo; ++p)
                r.nome_dos_links_do_grupo_dado(n, g, p) = nome_do_link_cheio((3 * n + 4 * g + p) % max_links + 1);
            // Sem amarelo no intervalo demandado.
            for (int k = 1; k <= max_intervalos_entrados; ++k)
                r.cor_do_intervalo_do_grupo_dado(n, g, k) =
                    static_cast<Byte>(k == demandado ? cor_verde + (n + g) % 2 * 2 : 1 + (n + g + k) % 3);
        }
        for (int k = 1; k <= ultima_divisa; ++k) r.existe_ordenada_dado(n, k) = k != 1 + n % ultima_divisa;
        // A duração do beneficiado não é fixada.
        for (int k = 1; k <= max_intervalos_entrados; ++k)
            r.duracao_imposta_dado(n, k) = static_cast<Integer>(k == beneficiado ? 0 : 100 + (n + k) % 190);
    }

    for (int l = 1; l <= max_links; ++l) {
        const int destino = (l - 1) / 3 + 1;
        novo_link(r, nome_do_link_cheio(l), nome_do_no_cheio(destino % max_nos + 1), nome_do_no_cheio(destino),
                  static_cast<Single>(1000 + l), static_cast<Single>(9000 + l), static_cast<Integer>(9000 + l));
        r.verde_de_seguranca_dado(l) = static_cast<Byte>(10 + l % 90);
        r.t_de_percurso_dado(l) = static_cast<Byte>(100 + l % 21);
        for (int k = 1; k <= max_recebedores; ++k)
            recebedor_do_link(r, l, k, nome_do_link_cheio((l + k) % max_links + 1), static_cast<Single>(5000 + 4 * l + k));
        r.eh_link_conversao(l) = l % 2 == 1;
    }

    desenho_dado& d = c.desenho;
    for (int l = 1; l <= max_links; ++l) {
        const Single x = 10000.5f + static_cast<Single>(l);
        Single* coordenadas[] = {&d.corpo_link_line_X1(l),   &d.corpo_link_line_X2(l),    &d.corpo_link_line_Y1(l),
                                 &d.corpo_link_line_Y2(l),   &d.braco_link_line_X2(l),    &d.braco_link_line_Y2(l),
                                 &d.esquerda_seta_line_X1(l), &d.esquerda_seta_line_Y1(l), &d.direita_seta_line_X1(l),
                                 &d.direita_seta_line_Y1(l), &d.etiqueta_link_label_Left(l), &d.etiqueta_link_label_Top(l)};
        for (int i = 0; i < 12; ++i) *coordenadas[i] = x + static_cast<Single>(200 * i);
        d.etiqueta_link_label_Caption(l) = r.nome_do_link_dado(l);
    }
    for (int n = 1; n <= max_nos; ++n) {
        const Single x = 20000.5f + static_cast<Single>(n);
        d.apoio_no_label_Left(n) = x;
        d.apoio_no_label_Top(n) = x + 100;
        d.apoio_no_label_Height(n) = 340.5f + static_cast<Single>(n);
        d.apoio_no_label_Caption(n) = r.nome_do_no_dado(n);
        d.no_shape_Left(n) = x + 200;
        d.no_shape_Top(n) = x + 300;
        d.no_shape_Height(n) = 400.5f + static_cast<Single>(n);
    }

    if (!processada) {
        c.projeto.revisao_processada = revisao_sem_resultados;
        return;
    }
    resultados_do_calculo& res = c.resultados;
    dados_derivados& der = c.derivados;
    res.max_quant_de_intervalos = max_intervalos_duplos;
    der.t_de_ciclo = 300;
    res.t_ciclo_da_rede_rel = "300";
    res.atraso_rede_rel = texto_de_double(98765.4321);
    res.n_paradas_rede_rel = texto_de_double(123456.789);
    res.espera_media_rel = texto_de_double(87.654321);
    res.maior_grau_de_saturacao_rel = texto_de_double(498.765);
    for (int l = 1; l <= max_links; ++l)
        res.StrLinks_com_maior_grau_de_saturacao_rel += (l > 1 ? "," : "") + r.nome_do_link_dado(l);
    der.periodo_de_simulacao = 3600;
    for (int n = 1; n <= max_nos; ++n) {
        c.buscas.defasagem_valendo(n) = static_cast<Integer>(5 * n);
        der.quant_de_intervalos_depois(n) = max_intervalos_entrados;
        for (int k = 1; k <= max_intervalos_entrados; ++k) {
            der.duracao_do_intervalo(n, k) = static_cast<Integer>(100 + (n + 2 * k) % 190);
            der.duracao_com_demanda(n, k) = static_cast<Integer>(100 + (n + 3 * k) % 190);
        }
        der.eh_ciclo_duplo(n) = n % 3 == 0;
        for (int g = 1; g <= max_grupos; ++g)
            for (int k = 1; k <= max_intervalos_duplos; ++k)
                res.cor_do_intervalo_do_grupo_depois(n, g, k) = static_cast<Byte>(1 + (n * g + k) % 3);
    }
    for (int l = 1; l <= max_links; ++l) {
        der.y(l) = static_cast<Single>(l % 128) / 128.0f;
        res.y_rel(l) = texto_de_single(der.y(l));
        for (int k = 1; k <= 4; ++k) res.periodo_de_verde_do_link_rel(l, k) = texto_de_inteiro(100 + l % 50 + k);
        res.fila_maxima_rel(l) = texto_de_single(1234.5f + static_cast<Single>(l));
        res.estourou_caixa(l) = l % 2 == 0;
        res.estourou_caixa_rel(l) = texto_de_booleano(res.estourou_caixa(l));
        const int grau = 400 + l % 99;
        res.grau_de_saturacao_por_link_rel(l) = texto_de_inteiro(grau);
        res.grau_de_saturacao(l) = static_cast<Single>(grau / 100.0);
        res.atraso_rel(l) = texto_de_single(98765.4f - static_cast<Single>(l));
        res.n_paradas_rel(l) = texto_de_single(54321.5f + static_cast<Single>(l));
    }
    res.data_rel = "31/12/2026 23:59:59";
    c.projeto.revisao_processada = c.projeto.revisao_da_rede;
}

}  // namespace orvel::teste
