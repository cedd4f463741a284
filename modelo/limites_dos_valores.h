#pragma once
// Faixas dos valores da rede e os nomes que o arquivo de projeto guarda.
//
// Uma única tabela de faixas serve os diálogos (as verificações da confirmação e o aviso de um
// número que não cabe na sua caixa) e a abertura de um projeto, que recusa um arquivo com um
// valor que nenhum diálogo deixaria entrar. O 0 de um registro ainda não editado (um link ou
// nó recém-desenhado) ou de uma opção não imposta é aceito no arquivo quando a faixa o diz.

#include <optional>
#include <string>
#include <string_view>

namespace orvel {

struct faixa_de_valor {
    double minimo;
    double maximo;
    bool aceita_zero = false;  // 0: ainda não editado, ou não imposto

    constexpr bool contem(double v) const { return v >= minimo && v <= maximo; }
    constexpr bool aceita_no_arquivo(double v) const { return contem(v) || (aceita_zero && v == 0); }
};

// Opções da rede.
inline constexpr faixa_de_valor faixa_t_de_ciclo_imposto{1, 300, true};
inline constexpr faixa_de_valor faixa_t_de_ciclo_maximo_imposto{1, 300, true};
inline constexpr faixa_de_valor faixa_grau_de_saturacao_imposto{5, 500, true};  // meta e limite
inline constexpr faixa_de_valor faixa_peso_da_parada_imposto{0, 32767};

// Link.
inline constexpr faixa_de_valor faixa_verde_de_seguranca{1, 99, true};
inline constexpr faixa_de_valor faixa_fluxo{1, 9999, true};  // fluxo e fluxo de saturação
inline constexpr faixa_de_valor faixa_t_de_percurso{1, 120, true};
inline constexpr faixa_de_valor faixa_capacidade_da_caixa{2, 9999, true};
inline constexpr faixa_de_valor faixa_valor_do_fornecimento{0, 9999};

// Nó.
inline constexpr faixa_de_valor faixa_quant_de_grupos{1, 8, true};
inline constexpr faixa_de_valor faixa_intervalo_do_no{1, 36, true};  // escravo, mestre, demandado, beneficiado
inline constexpr faixa_de_valor faixa_defasagem_forcada{-32768, 32767};
inline constexpr faixa_de_valor faixa_n_acionamentos{0, 32767};
inline constexpr faixa_de_valor faixa_quant_de_intervalos{1, 36, true};
inline constexpr faixa_de_valor faixa_duracao_imposta{1, 290, true};
inline constexpr faixa_de_valor faixa_codigo_de_cor{0, 3};

// Contagens e maiores posições em uso.
inline constexpr faixa_de_valor faixa_total_de_nos{0, 50};
inline constexpr faixa_de_valor faixa_total_de_links{0, 150};

// Resultados de uma execução (0: rede não processada). O ciclo da rede nunca passa do maior
// ciclo máximo que se pode impor; o período simulado é de dez minutos ou de uma hora.
inline constexpr faixa_de_valor faixa_t_de_ciclo_da_rede{0, faixa_t_de_ciclo_maximo_imposto.maximo};
inline constexpr faixa_de_valor faixa_periodo_de_simulacao{0, 3600};

// Os números de uma faixa como o usuário os lê ("1", "9999", "-32768").
std::string texto_da_faixa(const faixa_de_valor& faixa);  // "entre 1 e 99"

// Um nome vazio ou feito só de brancos: para os diálogos e para a abertura, é nome nenhum.
bool nome_em_branco(std::string_view nome);

// Onde um nome é usado, para saber o que o arquivo de projeto não guarda nele.
enum class uso_do_nome {
    link,       // nome de link: também nas listas dos grupos, separadas por vírgula
    recebedor,  // nome do link recebedor: "-" sozinho é "nenhum"
    no,         // nome de nó
    no_origem,  // nó origem de um link: "-" sozinho é link de entrada
};

// O caracter de um nome que o arquivo de projeto não guarda, como o aviso o mostra ("','",
// "'-'", "de código 9"); nullopt quando o nome pode ser gravado e lido de volta igual.
std::optional<std::string> caracter_que_o_arquivo_nao_guarda(std::string_view nome, uso_do_nome uso);

}  // namespace orvel
