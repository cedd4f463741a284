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

// As verificações de faixa da confirmação dos diálogos: a faixa e o aviso de um valor fora
// dela. A abertura de um projeto recusa com as mesmas mensagens o registro confirmado que não
// passaria por elas.
struct regra_de_valor {
    faixa_de_valor faixa;
    std::string_view mensagem;
};

// Opções da rede (conferidas só quando a caixa tem texto).
inline constexpr regra_de_valor regra_do_t_de_ciclo_imposto{
    faixa_t_de_ciclo_imposto, "o tempo de ciclo imposto deve estar compreendido na faixa entre 1 e 300 s"};
inline constexpr regra_de_valor regra_do_t_de_ciclo_maximo_imposto{
    faixa_t_de_ciclo_maximo_imposto, "o tempo de ciclo máximo deve estar compreendido na faixa entre 1 e 300 s"};
inline constexpr regra_de_valor regra_do_grau_de_saturacao_meta_imposto{
    faixa_grau_de_saturacao_imposto, "o grau de saturação meta deve estar compreendido na faixa entre 5 e 500 s"};
inline constexpr regra_de_valor regra_do_grau_de_saturacao_limite_imposto{
    faixa_grau_de_saturacao_imposto, "o grau de saturação limite deve estar compreendido na faixa entre 5 e 500 s"};
inline constexpr regra_de_valor regra_do_peso_da_parada_imposto{faixa_peso_da_parada_imposto,
                                                                "o peso da parada deve ser maior ou igual a zero"};

// Link.
inline constexpr regra_de_valor regra_do_verde_de_seguranca{
    faixa_verde_de_seguranca, "o verde de segurança deve estar compreendido entre 1 e 99 s"};
inline constexpr regra_de_valor regra_do_fluxo{faixa_fluxo, "o fluxo deve estar compreendido entre 1 e 9999 veíc/h"};
inline constexpr regra_de_valor regra_do_fluxo_de_saturacao{
    faixa_fluxo, "o fluxo de saturação deve estar compreendido entre 1 e 9999 veíc/h"};
inline constexpr regra_de_valor regra_do_t_de_percurso{  // só dos links internos
    faixa_t_de_percurso, "o tempo de percurso dos links internos deve estar compreendido entre 1 e 120 s"};
inline constexpr regra_de_valor regra_da_capacidade_da_caixa{  // só dos links internos
    faixa_capacidade_da_caixa, "a capacidade da caixa deve estar compreendida entre 2 e 9999 veíc"};
inline constexpr regra_de_valor regra_do_valor_do_fornecimento{
    faixa_valor_do_fornecimento, "o fluxo de fornecimento deve estar compreendido entre 1 e 9999 veíc/h"};

// Nó.
inline constexpr regra_de_valor regra_da_quant_de_grupos{
    faixa_quant_de_grupos, "a quantidade de grupos deve estar compreendida entre 1 e 8"};
inline constexpr regra_de_valor regra_da_quant_de_grupos_digitada{  // a cada tecla na caixa da quantidade
    faixa_quant_de_grupos, "A quantidade de grupos semafóricos tem de estar compreendida entre 1 e 8"};
inline constexpr regra_de_valor regra_do_intervalo_do_escravo{
    faixa_intervalo_do_no, "o intervalo do escravo deve estar compreendido entre 1 e 36"};
inline constexpr regra_de_valor regra_do_intervalo_do_mestre{
    faixa_intervalo_do_no, "o intervalo do mestre deve estar compreendido entre 1 e 36"};
inline constexpr regra_de_valor regra_do_n_acionamentos{
    faixa_n_acionamentos, "o intervalo do número de acionamentos deve estar compreendido entre 0 e 99999"};
inline constexpr regra_de_valor regra_do_intervalo_demandado{
    faixa_intervalo_do_no, "o intervalo demandado deve estar compreendido entre 1 e 36"};
inline constexpr regra_de_valor regra_do_intervalo_beneficiado{
    faixa_intervalo_do_no, "o intervalo beneficiado deve estar compreendido entre 1 e 36"};
inline constexpr regra_de_valor regra_da_quant_de_intervalos{
    faixa_quant_de_intervalos, "a quantidade de intervalos permitida não pode ser superior a 36"};
inline constexpr regra_de_valor regra_da_duracao_imposta{  // de cada caixa com texto
    faixa_duracao_imposta, "a duração imposta de um intervalo deve estar compreendida entre 1 e 290 s"};

// Os avisos das regras entre campos, que a abertura também confere.
inline constexpr std::string_view mensagem_ciclo_imposto_acima_do_maximo =
    "o tempo de ciclo imposto deve ser menor ou igual ao tempo de ciclo máximo imposto";
inline constexpr std::string_view mensagem_link_sem_nome = "o link deve ter um nome";
inline constexpr std::string_view mensagem_link_sem_no_destino = "o link deve ter um nó destino";
inline constexpr std::string_view mensagem_origem_igual_ao_destino = "o nó origem deve ser diferente do nó destino";
inline constexpr std::string_view mensagem_fluxo_acima_da_saturacao =
    "o fluxo não pode seer maior do que seu respectivo fluxo de saturação";
inline constexpr std::string_view mensagem_fornecimento_sem_valor = "falta definir o valor do fornecimento para um link";
inline constexpr std::string_view mensagem_fornecimento_sem_recebedor =
    "falta definir o nome de um link para o qual há fornecimento";
inline constexpr std::string_view mensagem_no_sem_nome = "o nó deve ter um nome";
inline constexpr std::string_view mensagem_escravo_sem_mestre = "falta definir o nome do nó mestre";
inline constexpr std::string_view mensagem_beneficiado_com_duracao_fixada =
    "o intervalo beneficiado não deve ter sua duração fixada";
inline constexpr std::string_view mensagem_demandado_com_amarelo =
    "o intervalo demandado não deve ter nenhum grupo em amarelo";

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
