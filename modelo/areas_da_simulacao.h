#pragma once
// As áreas de trabalho da simulação (calculo/simulacao.cpp): a da execução sequencial e a das
// execuções lado a lado em faixas. São dados simples, de tamanho fixo, guardados no contexto
// da rede (contexto_da_rede::simulacao) para que cada rede tenha as suas: duas redes no mesmo
// processo não dividem o estado de uma execução. Só a simulação as lê e escreve; cada execução
// prepara o que vai usar, e nenhuma limpeza da rede as toca.

#include <array>
#include <cstddef>
#include <vector>

#include "modelo/dimensoes_da_rede.h"
#include "plataforma/tipos.h"

namespace orvel {

// Quantas execuções as faixas rodam juntas (uma por faixa de um vetor de oito floats).
inline constexpr int max_faixas = 8;

// Na vizinhança, as faixas diferem nos inícios dos intervalos (0..73) de um nó.
using inicios_das_faixas = std::array<std::array<Integer, max_intervalos_de_inicio + 2>, max_faixas>;

// Quantas execuções uma rede já fez, em sequência e em faixas (contadas para os testes e as
// medidas; nenhuma limpeza as zera).
struct execucoes_feitas {
    long long em_sequencia = 0;
    long long em_faixas = 0;
};

namespace area_de_trabalho {

// W·C cabe em 16 bits e o menor aquecimento é de 4 ciclos: o ciclo não passa de 8191 s.
constexpr int maior_ciclo = 32767 / 4;
constexpr int colunas_do_verde = max_intervalos_de_inicio + 1;
// O intervalo de um nó em função do instante só muda onde o instante passa por um dos 72
// inícios: no máximo 74 mudanças por ciclo.
constexpr int max_eventos_por_no = 76;
constexpr int segundos_no_bloco = 16;  // chegadas guardadas antes de ir para a tabela

// O que não muda durante uma execução, por posição da lista de links.
struct link_na_execucao {
    Single s = 0;  // fluxo de saturação por segundo
    Single entrada_externa = 0;
    std::array<Single, max_recebedores> fracoes{};
    // O que entrou no próprio link t_de_percurso segundos antes está na linha t − percurso do
    // anel; antes do segundo primeiro_com_partida, a partida seria anterior ao segundo 121 e
    // não há chegada dela.
    Long percurso = 0;
    Long primeiro_com_partida = 0;
    // Na execução sequencial, a chegada do segundo t está em linha_de_t[desloc_no_anel]: o
    // anel lá não dá volta (ver a janela em executar).
    std::ptrdiff_t desloc_no_anel = 0;
    // Na execução final, o perfil de entrada do recebedor r no segundo t fica em
    // coluna[r · passo] (coluna = o segundo t da linha 0).
    std::array<Long, max_recebedores> deslocamentos{};
    std::array<Byte, max_recebedores> recebedores{};     // só os que recebem nesta execução
    Byte slot = 0;
    Byte quant_de_recebedores = 0;
};
static_assert(sizeof(link_na_execucao) == 64);

struct no_na_execucao {
    Byte slot = 0;
    bool define_o_verde = false;  // a última entrada da lista com este nó
    Byte intervalo_inicial = 0;   // intervalo no segundo 121; 0 = nenhum
    Integer defasagem = 0;
    int instante_inicial = 0;     // instante do nó no segundo 121, 1..C
    int primeiro_link = 0;        // links da lista que terminam no nó, em links_por_no
    int quant_de_links = 0;
};

// O estado dos links durante a execução, uma coluna por variável e uma linha por slot (o
// endereço de cada valor sai do slot sem conta alguma); volta para as tabelas no fim (ou
// numa falha).
struct estado_dos_links {
    using coluna = std::array<Single, max_links + 1>;
    coluna fila{};
    coluna ocupacao{};
    coluna capacidade{};  // a da variante
    coluna atraso{};
    coluna paradas{};
    coluna paradas_no_segundo{};
    coluna fila_maxima{};
    std::array<bool, max_links + 1> com_espaco{};
    std::array<bool, max_links + 1> verde{};
    std::array<bool, max_links + 1> verde_antes{};
};

// Um nó muda de intervalo num segundo do ciclo da rede.
struct evento {
    Byte entrada_do_no = 0;  // posição na lista de nós
    Byte intervalo = 0;      // o novo intervalo; 0 = o instante não cai em intervalo algum
};

struct mudanca {
    int segundo_do_ciclo = 0;
    Byte intervalo = 0;
};

// Área de trabalho de uma execução: de tamanho fixo, nada é alocado por execução. As
// execuções nunca se sobrepõem (uma só linha de execução).
struct execucao {
    // Dados pela variante.
    bool subconjunto = false;
    int quant_de_links = 0;
    std::array<Byte, max_links> links{};
    std::array<Single, max_links> entradas{};
    std::array<bool, max_links> testes_de_corte{};
    int quant_de_nos = 0;
    std::array<Byte, max_nos> nos{};
    std::array<Integer, max_nos> defasagens{};
    std::array<Single, max_links + 1> capacidade{};
    std::array<bool, max_links + 1> no_conjunto{};

    // Preparados para a execução.
    std::array<link_na_execucao, max_links> l{};
    std::array<no_na_execucao, max_nos> n{};
    std::array<Byte, max_nos * max_links> links_por_no{};
    std::array<Byte, maior_ciclo + 1> intervalo_no_instante{};
    std::array<std::array<mudanca, max_eventos_por_no>, max_nos> mudancas{};
    std::array<int, max_nos> quant_de_mudancas{};
    std::array<int, maior_ciclo + 1> primeiro_evento{};  // por segundo do ciclo da rede
    std::array<int, maior_ciclo + 1> proximo_evento{};
    std::array<evento, max_nos * max_eventos_por_no> eventos{};
    // Na execução sequencial, o que os eventos de cada segundo do ciclo fazem, já resolvido:
    // o verde de cada link do nó que muda, em verdes_do_segundo[primeiro_verde[c]..]. Um
    // segundo com um nó fora de todo intervalo fica marcado e vai pelos eventos.
    struct verde_do_link {
        Byte slot = 0;
        bool verde = false;
    };
    std::array<int, maior_ciclo + 2> primeiro_verde{};
    std::array<bool, maior_ciclo + 1> segundo_com_falha{};
    std::array<verde_do_link, max_eventos_por_no * max_links> verdes_do_segundo{};
    // Chegadas do bloco de segundos corrente: as do segundo k do bloco ficam juntas, a do link
    // l em k · 151 + l.
    alignas(64) std::array<Single, segundos_no_bloco * (max_links + 1)> chegadas_do_bloco{};
    // O anel do que entra em cada link: linhas de passo_do_anel, em número potência de 2. Só
    // cresce (de uma execução para outra nada é alocado).
    std::vector<Single> anel;
    Long mascara_do_anel = 0;
    estado_dos_links estado{};

    // Onde a execução está, para deixar as tabelas como o modelo numa falha.
    int posicao_em_curso = -1;  // link da lista em curso; -1 = ainda nos sinais
};

typedef float faixas_f __attribute__((vector_size(32)));
typedef int faixas_i __attribute__((vector_size(32)));

struct alignas(32) link_nas_faixas {
    faixas_f fila;
    faixas_f ocupacao;
    faixas_f atraso;
    faixas_f paradas;
    faixas_f paradas_no_segundo;
    faixas_i com_espaco;  // -1 = verdadeiro, 0 = falso
    faixas_i verde;
    faixas_i verde_antes;
};

enum class variante_das_faixas { rede, caminho, par, vizinhanca };

struct area_das_faixas {
    variante_das_faixas variante = variante_das_faixas::rede;
    std::array<Integer, max_faixas> defasagens_do_par{};
    Byte no_a = 0, no_b = 0;
    int quant = 0;
    Long fim = 0;
    std::array<link_nas_faixas, max_links + 1> estado{};
    std::array<Single, max_links + 1> capacidade{};
    std::array<Single, max_links> limite_no_corte{};  // por posição da lista; só nos testes de corte
    // Um tipo com o alinhamento na própria declaração: o alocador do vetor o respeita.
    struct alignas(32) celula_do_anel {
        faixas_f v;
    };
    std::vector<celula_do_anel> anel;
    // Os sinais de cada faixa.
    std::array<std::array<int, max_nos>, max_faixas> instante_inicial{};
    std::array<std::array<Byte, max_nos>, max_faixas> intervalo_inicial{};
    std::array<std::array<int, maior_ciclo + 1>, max_faixas> primeiro_evento{};
    std::array<std::array<evento, max_nos * max_eventos_por_no>, max_faixas> eventos{};
    // O verde de cada link da lista no último segundo, por faixa.
    std::array<std::array<bool, max_links + 1>, max_faixas> verde_no_fim{};
    // As variáveis do último link no último segundo.
    std::array<Single, max_faixas> possivel{}, bloqueada{}, bloqueado{};
    std::array<Long, max_faixas> no_inicio_do_vermelho{};
    std::array<bool, max_faixas> conferir{};  // a faixa tem de ser refeita em sequência
    std::array<Single, max_faixas> resultado{};
    // Na vizinhança, as faixas diferem nos inícios dos intervalos de um nó (não nas defasagens):
    // cada faixa põe os seus na tabela enquanto os seus sinais são preparados.
    const inicios_das_faixas* inicios_por_faixa = nullptr;
    int no_dos_inicios = 0;
    inicios_das_faixas inicios_originais{};
    // As defasagens de cada faixa por posição da lista de nós.
    std::array<std::array<Integer, max_nos>, max_faixas> defasagens_por_entrada{};
};

}  // namespace area_de_trabalho

}  // namespace orvel
