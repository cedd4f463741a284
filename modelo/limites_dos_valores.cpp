#include "modelo/limites_dos_valores.h"

#include <array>
#include <utility>

#include "plataforma/numeros.h"

namespace orvel {

namespace {

// As chaves de entrada do arquivo de projeto que têm faixa. Os resultados e o desenho não têm:
// nenhum diálogo os entra.
constexpr std::array tabela_das_faixas{
    faixa_de_chave{"t_de_ciclo_imposto_dado", &faixa_t_de_ciclo_imposto},
    faixa_de_chave{"t_de_ciclo_maximo_imposto_dado", &faixa_t_de_ciclo_maximo_imposto},
    faixa_de_chave{"grau_de_saturacao_meta_imposto_dado", &faixa_grau_de_saturacao_imposto},
    faixa_de_chave{"grau_de_saturacao_limite_imposto_dado", &faixa_grau_de_saturacao_imposto},
    faixa_de_chave{"peso_da_parada_imposto_dado", &faixa_peso_da_parada_imposto},
    faixa_de_chave{"total_de_nos_dado", &faixa_total_de_nos},
    faixa_de_chave{"total_de_links_dado", &faixa_total_de_links},
    faixa_de_chave{"max_indice_no", &faixa_total_de_nos},
    faixa_de_chave{"max_indice_link", &faixa_total_de_links},

    faixa_de_chave{"verde_de_seguranca_dado", &faixa_verde_de_seguranca},
    faixa_de_chave{"fluxo_dado", &faixa_fluxo},
    faixa_de_chave{"fluxo_de_saturacao_dado", &faixa_fluxo},
    faixa_de_chave{"t_de_percurso_dado", &faixa_t_de_percurso},
    faixa_de_chave{"capacidade_da_caixa_dado", &faixa_capacidade_da_caixa},
    faixa_de_chave{"valor_do_primeiro_fornecimento_dado", &faixa_valor_do_fornecimento},
    faixa_de_chave{"valor_do_segundo_fornecimento_dado", &faixa_valor_do_fornecimento},
    faixa_de_chave{"valor_do_terceiro_fornecimento_dado", &faixa_valor_do_fornecimento},
    faixa_de_chave{"valor_do_quarto_fornecimento_dado", &faixa_valor_do_fornecimento},

    faixa_de_chave{"quant_de_grupos_dado", &faixa_quant_de_grupos},
    faixa_de_chave{"intervalo_do_escravo_dado", &faixa_intervalo_do_no},
    faixa_de_chave{"intervalo_do_mestre_dado", &faixa_intervalo_do_no},
    faixa_de_chave{"defasagem_forcada_dado", &faixa_defasagem_forcada},
    faixa_de_chave{"n_acionamentos_dado", &faixa_n_acionamentos},
    faixa_de_chave{"intervalo_demandado_dado", &faixa_intervalo_do_no},
    faixa_de_chave{"intervalo_beneficiado_dado", &faixa_intervalo_do_no},
    faixa_de_chave{"quant_de_intervalos_antes_dado", &faixa_quant_de_intervalos},
    faixa_de_chave{"duracao_imposta_dado", &faixa_duracao_imposta, true},
    faixa_de_chave{"cor_do_intervalo_do_grupo1_dado", &faixa_codigo_de_cor, true},
    faixa_de_chave{"cor_do_intervalo_do_grupo2_dado", &faixa_codigo_de_cor, true},
    faixa_de_chave{"cor_do_intervalo_do_grupo3_dado", &faixa_codigo_de_cor, true},
    faixa_de_chave{"cor_do_intervalo_do_grupo4_dado", &faixa_codigo_de_cor, true},
    faixa_de_chave{"cor_do_intervalo_do_grupo5_dado", &faixa_codigo_de_cor, true},
    faixa_de_chave{"cor_do_intervalo_do_grupo6_dado", &faixa_codigo_de_cor, true},
    faixa_de_chave{"cor_do_intervalo_do_grupo7_dado", &faixa_codigo_de_cor, true},
    faixa_de_chave{"cor_do_intervalo_do_grupo8_dado", &faixa_codigo_de_cor, true},
};

const faixa_de_chave* procurar(std::string_view chave) {
    for (const faixa_de_chave& f : tabela_das_faixas)
        if (f.chave == chave) return &f;
    return nullptr;
}

}  // namespace

std::span<const faixa_de_chave> chaves_com_faixa() { return tabela_das_faixas; }

bool nome_em_branco(std::string_view nome) { return nome.find_first_not_of(' ') == std::string_view::npos; }

const faixa_de_valor* faixa_da_chave(std::string_view chave) {
    const faixa_de_chave* f = procurar(chave);
    return f ? f->faixa : nullptr;
}

bool chave_de_lista_de_numeros(std::string_view chave) {
    const faixa_de_chave* f = procurar(chave);
    return f && f->lista;
}

std::string texto_da_faixa(const faixa_de_valor& faixa) {
    return "entre " + texto_de_double(faixa.minimo) + " e " + texto_de_double(faixa.maximo);
}

std::optional<std::string> caracter_que_o_arquivo_nao_guarda(std::string_view nome, uso_do_nome uso) {
    // O XML não guarda caracteres de controle além da tabulação e das quebras de linha.
    for (char c : nome) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 && c != '\t' && c != '\n' && c != '\r') return "de código " + texto_de_inteiro(u);
    }
    // As listas dos links de cada grupo separam os nomes por vírgula.
    if (uso == uso_do_nome::link || uso == uso_do_nome::recebedor)
        if (nome.find(',') != std::string_view::npos) return std::string("','");
    // Onde o arquivo grava "-" para "nenhum", um nome "-" voltaria vazio.
    if ((uso == uso_do_nome::recebedor || uso == uso_do_nome::no_origem) && nome == "-") return std::string("'-'");
    return std::nullopt;
}

}  // namespace orvel
