#include "calculo/simulacao.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <type_traits>
#include <utility>
#include <vector>

#include "calculo/rede_em_calculo.h"
#include "plataforma/falha.h"

// Como a simulação fica rápida sem mudar um bit dos resultados:
// - tudo o que não muda numa execução é preparado antes do primeiro segundo: os links da
//   lista em registros pequenos, só com os recebedores que de fato recebem; para cada nó, o
//   intervalo em cada instante do ciclo, de onde saem os eventos (o segundo do ciclo da rede
//   em que o intervalo de um nó muda). O verde de um link só muda num evento do seu nó, então
//   cada segundo só visita os nós que mudam; na execução sequencial, o verde que cada segundo
//   do ciclo dá a cada link desses nós já vem resolvido;
// - o estado dos links fica numa área própria durante a execução, uma coluna por variável
//   indexada pelo slot (o endereço sai do slot sem conta), e volta para as tabelas no fim;
// - as operações de ponto flutuante de cada link são as do modelo, na mesma ordem; onde o
//   modelo soma ou tira um zero, o valor não muda e a operação é pulada;
// - o que entra em cada link fica num anel de segundos, um segundo por linha e os links lado
//   a lado: o segundo t escreve na linha t e lê, de cada link, a linha t − t_de_percurso. Na
//   execução sequencial o anel é uma janela sem volta (a leitura de cada link fica a um
//   deslocamento fixo da linha do segundo; quando a janela acaba, as linhas que ainda serão
//   lidas são copiadas para o começo); nas faixas, as linhas dão a volta. Na linha do segundo,
//   as colunas dos links da lista (as únicas lidas) são zeradas no segundo anterior (zeros
//   gravados logo antes das somas fariam cada soma esperar a gravação);
// - as execuções das buscas não escrevem perfis: só a execução final (a que fica valendo)
//   escreve o perfil de entrada e o de chegada, zerados um bloco de 16 segundos à frente, com
//   as chegadas de um bloco indo juntas para a tabela no fim dele;
// - no laço não há conta em precisão dupla: as paradas do início do vermelho (um inteiro
//   menor que 2^24, somado a um valor não negativo) dão em precisão simples o mesmo resultado;
//   o caso raro de fila enorme vai para o caminho conferido, fora do laço;
// - as buscas das defasagens simulam até oito tentativas juntas, uma por faixa de um vetor
//   (as execuções em faixas, no fim do arquivo), com os mesmos resultados bit a bit.

namespace orvel {

namespace {

constexpr Long primeiro_segundo = 121;
// Uma linha do anel: os 151 links e uma coluna de sobra, para a linha começar alinhada.
constexpr int passo_do_anel = max_links + 2;

using namespace area_de_trabalho;

void comecar_conjunto(const rede_em_calculo& ctx, bool subconjunto) {
    execucao& area = ctx.simulacao.area;
    area.subconjunto = subconjunto;
    area.quant_de_links = 0;
    area.quant_de_nos = 0;
    area.no_conjunto.fill(false);
}

void incluir_link(const rede_em_calculo& ctx, Long slot, Single entrada, bool testa_corte) {
    execucao& area = ctx.simulacao.area;
    if (slot < 0 || slot > max_links || area.quant_de_links >= max_links)
        falhar(tipo_de_falha::subscrito_fora_do_intervalo);
    const int i = area.quant_de_links++;
    area.links[i] = static_cast<Byte>(slot);
    area.entradas[i] = entrada;
    area.testes_de_corte[i] = testa_corte;
    area.no_conjunto[slot] = true;
}

void incluir_no(const rede_em_calculo& ctx, Long slot, Integer defasagem_do_no) {
    execucao& area = ctx.simulacao.area;
    if (slot < 0 || slot > max_nos || area.quant_de_nos >= max_nos) falhar(tipo_de_falha::subscrito_fora_do_intervalo);
    const int e = area.quant_de_nos++;
    area.nos[e] = static_cast<Byte>(slot);
    area.defasagens[e] = defasagem_do_no;
}

// Rede inteira: todo link existente, em ordem de posição, com a entrada externa e a
// capacidade útil de cada um.
void links_da_rede(const rede_em_calculo& ctx, bool final) {
    execucao& area = ctx.simulacao.area;
    for (int l = 1; l <= ctx.rede.max_indice_link; ++l) {
        if (!ctx.rede.existe_link(l)) continue;
        const bool de_entrada = final ? ctx.rede.nome_do_no_origem_dado(l).empty() : ctx.copias.nome_do_no_origem(l).empty();
        incluir_link(ctx, l, ctx.derivados.entrada_externa_por_segundo(l), de_entrada);
    }
    for (int r = 0; r <= max_links; ++r) area.capacidade[r] = ctx.derivados.capacidade_util_da_caixa(r);
}

template <class T, int... L>
void nos_da_rede(const rede_em_calculo& ctx, tabela<T, L...>& defasagens_do_no) {
    for (int n = 1; n <= ctx.rede.max_indice_no; ++n)
        if (ctx.rede.existe_no(n)) incluir_no(ctx, n, defasagens_do_no(n));
}

void preparar_links(const rede_em_calculo& ctx) {
    execucao& area = ctx.simulacao.area;
    for (int i = 0; i < area.quant_de_links; ++i) {
        link_na_execucao& L = area.l[i];
        const int l = area.links[i];
        L.slot = static_cast<Byte>(l);
        L.s = ctx.copias.fluxo_de_saturacao_por_segundo(l);
        L.entrada_externa = area.entradas[i];
        const Integer percurso = ctx.copias.t_de_percurso(l);
        if (percurso < 0) falhar(tipo_de_falha::subscrito_fora_do_intervalo);
        L.percurso = percurso;
        L.primeiro_com_partida = primeiro_segundo + percurso;
        L.desloc_no_anel = std::ptrdiff_t(l) - std::ptrdiff_t(percurso) * passo_do_anel;
        L.quant_de_recebedores = 0;
        for (int k = 1; k <= max_recebedores; ++k) {
            const Integer r = ctx.derivados.recebedor(l, k);
            if (area.subconjunto && (r < 0 || r > max_links || !area.no_conjunto[r])) continue;
            const Single f = ctx.derivados.fracao_do_fornecimento(l, r);
            if (f <= 0) continue;
            L.recebedores[L.quant_de_recebedores] = static_cast<Byte>(r);
            L.fracoes[L.quant_de_recebedores] = f;
            ++L.quant_de_recebedores;
        }
    }
}

// As linhas e os segundos dos perfis que a execução vai usar existem; a posição da partida de
// cada link no perfil de entrada.
void conferir_perfis(const rede_em_calculo& ctx, Long fim) {
    execucao& area = ctx.simulacao.area;
    auto cabe = [fim](const tabela_dinamica<Single>& p, int slot) { return slot <= p.limite1() && fim <= p.limite2(); };
    for (int i = 0; i < area.quant_de_links; ++i) {
        const link_na_execucao& L = area.l[i];
        if (!cabe(ctx.simulacao.perfil_de_entrada, L.slot) || !cabe(ctx.simulacao.perfil_de_chegada, L.slot))
            falhar(tipo_de_falha::subscrito_fora_do_intervalo);
        for (int k = 0; k < L.quant_de_recebedores; ++k)
            if (!cabe(ctx.simulacao.perfil_de_entrada, L.recebedores[k])) falhar(tipo_de_falha::subscrito_fora_do_intervalo);
    }
    const Long passo = static_cast<Long>(ctx.simulacao.perfil_de_entrada.limite2() + 1);
    for (int i = 0; i < area.quant_de_links; ++i) {
        link_na_execucao& L = area.l[i];
        for (int k = 0; k < L.quant_de_recebedores; ++k) L.deslocamentos[k] = L.recebedores[k] * passo;
    }
}

// Zera uma linha do anel com gravações de 16 bytes (o memset faz uma gravação em cadeia, que
// custa caro numa linha tão curta).
void zerar_linha(Single* linha) {
    typedef float quatro __attribute__((vector_size(16)));
    static_assert(passo_do_anel % 4 == 0);
    const quatro zero{};
    for (int c = 0; c < passo_do_anel; c += 4) std::memcpy(linha + c, &zero, sizeof zero);
}

// O maior percurso que ainda traz chegadas até o fim da execução.
Long maior_percurso(const rede_em_calculo& ctx, Long fim) {
    execucao& area = ctx.simulacao.area;
    Long maior = 0;
    for (int i = 0; i < area.quant_de_links; ++i)
        if (area.l[i].primeiro_com_partida <= fim) maior = std::max(maior, area.l[i].percurso);
    return maior;
}

// O anel das faixas cobre o maior percurso.
void preparar_anel(const rede_em_calculo& ctx, Long fim) {
    execucao& area = ctx.simulacao.area;
    const Long maior = maior_percurso(ctx, fim);
    Long linhas = segundos_no_bloco;
    while (linhas <= maior) linhas *= 2;
    area.mascara_do_anel = linhas - 1;
}

int modulo(Long a, int c) {
    const Long r = a % c;
    return static_cast<int>(r < 0 ? r + c : r);
}

// O instante do nó no segundo t: (t − defasagem) reduzido ao ciclo, 0 trocado por C.
int instante_do_no(const no_na_execucao& N, Long t, int C) {
    return modulo(Long(N.instante_inicial) - 1 + (t - primeiro_segundo), C) + 1;
}

// Para cada nó da lista: o instante no segundo 121, os links da lista que terminam nele, o
// intervalo em cada instante 1..C (o primeiro j com início(j) <= instante < início(j + 1),
// j até 71; 0 quando nenhum cobre o instante) e, daí, os eventos: em que segundo do ciclo da
// rede (0 = o do segundo 121) o intervalo do nó muda e para qual. Os eventos de um mesmo
// segundo ficam na ordem da lista de nós.
void preparar_nos(const rede_em_calculo& ctx, int C) {
    execucao& area = ctx.simulacao.area;
    // Os links da lista agrupados pelo nó destino, na ordem da lista.
    std::array<int, 257> primeiro_por_destino{};
    std::array<Byte, max_links> por_destino{};
    for (int i = 0; i < area.quant_de_links; ++i) ++primeiro_por_destino[ctx.derivados.no_destino(area.links[i]) + 1];
    for (int d = 1; d <= 256; ++d) primeiro_por_destino[d] += primeiro_por_destino[d - 1];
    {
        std::array<int, 256> proximo{};
        for (int d = 0; d < 256; ++d) proximo[d] = primeiro_por_destino[d];
        for (int i = 0; i < area.quant_de_links; ++i) por_destino[proximo[ctx.derivados.no_destino(area.links[i])]++] = area.links[i];
    }
    int quant_por_no = 0;
    for (int e = 0; e < area.quant_de_nos; ++e) {
        no_na_execucao& N = area.n[e];
        const int n = area.nos[e];
        N.slot = static_cast<Byte>(n);
        N.defasagem = area.defasagens[e];
        N.instante_inicial = modulo(primeiro_segundo - N.defasagem, C);
        if (N.instante_inicial == 0) N.instante_inicial = C;
        N.define_o_verde = true;
        for (int depois = e + 1; depois < area.quant_de_nos; ++depois)
            if (area.nos[depois] == n) N.define_o_verde = false;
        N.primeiro_link = quant_por_no;
        for (int k = primeiro_por_destino[n]; k < primeiro_por_destino[n + 1]; ++k) area.links_por_no[quant_por_no++] = por_destino[k];
        N.quant_de_links = quant_por_no - N.primeiro_link;

        std::array<Integer, colunas_do_verde> inicio{};
        for (int j = 1; j <= max_intervalos_de_inicio; ++j) inicio[j] = ctx.derivados.inicio_do_intervalo(n, j);
        Byte* intervalo = area.intervalo_no_instante.data();
        for (int x = 0; x <= C; ++x) intervalo[x] = 0;
        for (int j = max_intervalos_de_inicio - 1; j >= 1; --j) {
            const int de = std::max<int>(inicio[j], 1);
            const int ate = std::min<int>(inicio[j + 1] - 1, C);
            for (int x = de; x <= ate; ++x) intervalo[x] = static_cast<Byte>(j);
        }
        N.intervalo_inicial = intervalo[N.instante_inicial];

        int quant = 0;
        for (int x = 1; x <= C; ++x) {
            const int anterior = x == 1 ? C : x - 1;
            if (intervalo[x] == intervalo[anterior]) continue;
            if (quant == max_eventos_por_no) falhar(tipo_de_falha::subscrito_fora_do_intervalo);
            area.mudancas[e][quant++] = {modulo(Long(x) - N.instante_inicial, C), intervalo[x]};
        }
        area.quant_de_mudancas[e] = quant;
    }

    for (int c = 0; c <= C; ++c) area.primeiro_evento[c] = 0;
    for (int e = 0; e < area.quant_de_nos; ++e)
        for (int k = 0; k < area.quant_de_mudancas[e]; ++k) ++area.primeiro_evento[area.mudancas[e][k].segundo_do_ciclo + 1];
    for (int c = 1; c <= C; ++c) area.primeiro_evento[c] += area.primeiro_evento[c - 1];
    for (int c = 0; c < C; ++c) area.proximo_evento[c] = area.primeiro_evento[c];
    for (int e = 0; e < area.quant_de_nos; ++e)
        for (int k = 0; k < area.quant_de_mudancas[e]; ++k) {
            const mudanca& m = area.mudancas[e][k];
            area.eventos[area.proximo_evento[m.segundo_do_ciclo]++] = {static_cast<Byte>(e), m.intervalo};
        }
}

void instantes_no_segundo(const rede_em_calculo& ctx, Long t, int C) {
    execucao& area = ctx.simulacao.area;
    for (int e = 0; e < area.quant_de_nos; ++e)
        ctx.simulacao.instante_no_ciclo(area.n[e].slot) = static_cast<Integer>(instante_do_no(area.n[e], t, C));
}

void acertar_verde(const rede_em_calculo& ctx, const no_na_execucao& N, int j) {
    execucao& area = ctx.simulacao.area;
    const bool* const verde_no_intervalo = ctx.derivados.link_verde_no_intervalo.dados();
    const Byte* links = area.links_por_no.data() + N.primeiro_link;
    for (int k = 0; k < N.quant_de_links; ++k) {
        const int l = links[k];
        area.estado.verde[l] = verde_no_intervalo[l * colunas_do_verde + j];
    }
}

void carregar_estado(const rede_em_calculo& ctx) {
    execucao& area = ctx.simulacao.area;
    for (int l = 0; l <= max_links; ++l) {
        estado_dos_links& E = area.estado;
        E.fila[l] = ctx.simulacao.fila(l);
        E.ocupacao[l] = ctx.simulacao.ocupacao_da_caixa(l);
        E.capacidade[l] = area.capacidade[l];
        E.atraso[l] = ctx.simulacao.atraso(l);
        E.paradas[l] = ctx.simulacao.paradas(l);
        E.paradas_no_segundo[l] = ctx.simulacao.paradas_no_segundo(l);
        E.fila_maxima[l] = ctx.resultados.fila_maxima(l);
        E.com_espaco[l] = ctx.simulacao.caixa_com_espaco(l);
        E.verde[l] = ctx.simulacao.verde_agora(l);
        E.verde_antes[l] = ctx.simulacao.verde_antes(l);
    }
}

void devolver_estado(const rede_em_calculo& ctx) {
    execucao& area = ctx.simulacao.area;
    for (int l = 0; l <= max_links; ++l) {
        const estado_dos_links& E = area.estado;
        ctx.simulacao.fila(l) = E.fila[l];
        ctx.simulacao.ocupacao_da_caixa(l) = E.ocupacao[l];
        ctx.simulacao.atraso(l) = E.atraso[l];
        ctx.simulacao.paradas(l) = E.paradas[l];
        ctx.simulacao.paradas_no_segundo(l) = E.paradas_no_segundo[l];
        ctx.resultados.fila_maxima(l) = E.fila_maxima[l];
        ctx.simulacao.caixa_com_espaco(l) = E.com_espaco[l];
        ctx.simulacao.verde_agora(l) = E.verde[l];
        ctx.simulacao.verde_antes(l) = E.verde_antes[l];
    }
}

// Um nó caiu num instante que nenhum intervalo cobre: o modelo passaria do último intervalo.
// Antes da falha, o instante dos nós fica como o modelo o deixaria: o do segundo t até este
// nó, o do segundo anterior depois dele.
[[noreturn]] void falhar_no_intervalo(const rede_em_calculo& ctx, int e_falha, Long t, int C) {
    execucao& area = ctx.simulacao.area;
    for (int e = 0; e < area.quant_de_nos; ++e) {
        const no_na_execucao& N = area.n[e];
        if (e <= e_falha) ctx.simulacao.instante_no_ciclo(N.slot) = static_cast<Integer>(instante_do_no(N, t, C));
        else if (t > primeiro_segundo) ctx.simulacao.instante_no_ciclo(N.slot) = static_cast<Integer>(instante_do_no(N, t - 1, C));
    }
    falhar(tipo_de_falha::subscrito_fora_do_intervalo);
}

// O estado dos sinais no primeiro segundo: o intervalo de cada nó, na ordem da lista.
void sinais_iniciais(const rede_em_calculo& ctx, int C) {
    execucao& area = ctx.simulacao.area;
    for (int e = 0; e < area.quant_de_nos; ++e) {
        const no_na_execucao& N = area.n[e];
        if (N.intervalo_inicial == 0) falhar_no_intervalo(ctx, e, primeiro_segundo, C);
        if (N.define_o_verde) acertar_verde(ctx, N, N.intervalo_inicial);
    }
}

// Os verdes que os eventos de cada segundo do ciclo dão aos links (só o último nó da lista
// com o mesmo slot define o verde; um nó muda no máximo uma vez por segundo).
void preparar_verdes_dos_segundos(const rede_em_calculo& ctx, int C) {
    execucao& area = ctx.simulacao.area;
    const bool* const verde_no_intervalo = ctx.derivados.link_verde_no_intervalo.dados();
    int quant = 0;
    for (int c = 0; c < C; ++c) {
        area.primeiro_verde[c] = quant;
        area.segundo_com_falha[c] = false;
        for (int k = area.primeiro_evento[c]; k < area.primeiro_evento[c + 1]; ++k) {
            const evento& ev = area.eventos[k];
            const no_na_execucao& N = area.n[ev.entrada_do_no];
            if (ev.intervalo == 0) area.segundo_com_falha[c] = true;
            if (ev.intervalo == 0 || !N.define_o_verde) continue;
            const Byte* links = area.links_por_no.data() + N.primeiro_link;
            for (int m = 0; m < N.quant_de_links; ++m)
                area.verdes_do_segundo[quant++] = {links[m], verde_no_intervalo[links[m] * colunas_do_verde + ev.intervalo]};
        }
    }
    area.primeiro_verde[C] = quant;
}

// Nos segundos seguintes, só os nós que mudam de intervalo.
void sinais(const rede_em_calculo& ctx, int segundo_do_ciclo, Long t, int C);

inline void verdes_do_segundo(const rede_em_calculo& ctx, int segundo_do_ciclo, Long t, int C) {
    execucao& area = ctx.simulacao.area;
    if (area.segundo_com_falha[segundo_do_ciclo]) [[unlikely]] {
        sinais(ctx, segundo_do_ciclo, t, C);
        return;
    }
    const int ate = area.primeiro_verde[segundo_do_ciclo + 1];
    for (int k = area.primeiro_verde[segundo_do_ciclo]; k < ate; ++k)
        area.estado.verde[area.verdes_do_segundo[k].slot] = area.verdes_do_segundo[k].verde;
}

void sinais(const rede_em_calculo& ctx, int segundo_do_ciclo, Long t, int C) {
    execucao& area = ctx.simulacao.area;
    const int ate = area.primeiro_evento[segundo_do_ciclo + 1];
    for (int k = area.primeiro_evento[segundo_do_ciclo]; k < ate; ++k) {
        const evento& ev = area.eventos[k];
        const no_na_execucao& N = area.n[ev.entrada_do_no];
        if (ev.intervalo == 0) falhar_no_intervalo(ctx, ev.entrada_do_no, t, C);
        if (N.define_o_verde) acertar_verde(ctx, N, ev.intervalo);
    }
}

enum fase { aquecimento, corte, medido };

// f(0), f(1), ... para os recebedores, em ordem. Um laço simples: desdobrado em um caso por
// quantidade, o código do segundo fica maior e mais lento.
template <class F>
inline void para_cada_recebedor(int quant, F&& f) {
    for (int k = 0; k < quant; ++k) f(k);
}

// Antes de uma conta que pode falhar no meio de um segundo: onde a execução está e as
// variáveis do modelo como estariam nesse ponto.
void marcar_posicao(tabelas_da_simulacao& sim, int i, Single possivel, Single bloqueada, Single bloqueado, Long no_inicio_do_vermelho) {
    sim.area.posicao_em_curso = i;
    sim.vazao_possivel = possivel;
    sim.vazao_bloqueada = bloqueada;
    sim.bloqueado_no_recebedor = bloqueado;
    sim.paradas_no_inicio_do_vermelho = no_inicio_do_vermelho;
    sim.link_corrente = sim.area.l[i].slot;
}

// As paradas do início do vermelho com uma fila fora de 0..2^24: a conta do modelo, conferida
// (CLng pode estourar). Fora do laço.
[[gnu::noinline, gnu::cold]] Single paradas_com_fila_grande(tabelas_da_simulacao& sim, int i, Single possivel, Single bloqueada, Single bloqueado,
                                                           Single paradas_antes, Single paradas_agora, Single q,
                                                           Long& no_inicio_do_vermelho) {
    marcar_posicao(sim, i, possivel, bloqueada, bloqueado, no_inicio_do_vermelho);
    no_inicio_do_vermelho = para_long(q);
    // Single com Long: a soma é em precisão dupla.
    return verificar_single(double(paradas_antes + paradas_agora) + double(no_inicio_do_vermelho));
}

// Um segundo de todos os links da lista, na ordem da lista. O que cada link manda vai para a
// linha do segundo no anel; na execução final, também para o perfil de entrada, e a chegada
// de cada link para a área do bloco de segundos.
template <bool eh_final, fase F, bool todos_com_partida>
void segundo_dos_links(const rede_em_calculo& ctx, Long t, int C, Single* chegadas, Single* const linha) {
    // Só a conta do corte lê outros grupos: no resto do laço, só a simulação fica viva.
    tabelas_da_simulacao& sim = ctx.simulacao;
    execucao& area = sim.area;
    const int n = area.quant_de_links;
    if (n == 0) return;
    estado_dos_links& E = area.estado;
    // O perfil de entrada do link r no segundo t fica em coluna[r · passo].
    Single* const coluna = eh_final ? sim.perfil_de_entrada.linha(0) + t : nullptr;

    Single possivel = sim.vazao_possivel;
    Single bloqueada = sim.vazao_bloqueada;
    Single bloqueado = sim.bloqueado_no_recebedor;
    Long no_inicio_do_vermelho = sim.paradas_no_inicio_do_vermelho;
    // O laço anda pelo registro do link: a posição na lista só é contada onde é usada (no
    // corte e na conta conferida), e o laço fica com um valor vivo a menos.
    const link_na_execucao* const primeiro = area.l.data();
    const link_na_execucao* const ultimo = primeiro + n;
    for (const link_na_execucao* p = primeiro; p != ultimo; ++p) {
        const link_na_execucao& L = *p;
        const int l = L.slot;
        const int quant_de_recebedores = L.quant_de_recebedores;
        const Single s = L.s;
        const Single q0 = E.fila[l];
        possivel = q0 < s ? q0 : s;
        bloqueada = 0.0f;
        bloqueado = 0.0f;

        // O resto do segundo do link, com o verde já conhecido (uma cópia para cada cor).
        auto depois_dos_recebedores = [&](auto verde, Single q) {
            constexpr bool g = decltype(verde)::value;
            if constexpr (eh_final) {
                if (q > E.fila_maxima[l]) E.fila_maxima[l] = q;
            }

            const bool partiu = todos_com_partida || t >= L.primeiro_com_partida;
            const Single chegou = (partiu ? linha[L.desloc_no_anel] : 0.0f) + L.entrada_externa;
            if constexpr (eh_final) chegadas[l] = chegou;

            if constexpr (F == corte) {
                const int i = static_cast<int>(p - primeiro);
                marcar_posicao(sim, i, possivel, bloqueada, bloqueado, no_inicio_do_vermelho);
                if (area.testes_de_corte[i]) {
                    const Integer vermelho = para_integer(Long(C) - Long(ctx.derivados.t_de_verde_do_link.sem_verificar(l)));
                    const Single limite = verificar_single(Single(vermelho) * ctx.copias.fluxo_por_segundo.sem_verificar(l));
                    if (limite < q) q = limite;
                }
            }

            if constexpr (F == medido) {
                E.atraso[l] += q;
                Single paradas_agora = chegou;
                if constexpr (g) {
                    if (!(Single(chegou + q) > Single(3) * s)) paradas_agora = 0.0f;
                }
                E.paradas_no_segundo[l] = paradas_agora;
                no_inicio_do_vermelho = 0;
                if (E.verde_antes[l] != g) [[unlikely]] {
                    E.verde_antes[l] = g;
                    if constexpr (!g) {
                        // CLng da fila. Com 0 <= fila < 2^24 e paradas >= 0, somar o inteiro em
                        // precisão simples arredonda como a soma em dupla convertida.
                        const Single soma = E.paradas[l] + paradas_agora;
                        if (q >= 0.0f && q < 16777216.0f && soma >= 0.0f) {
                            const Single inteiro = std::nearbyint(q);
                            no_inicio_do_vermelho = static_cast<Long>(inteiro);
                            E.paradas[l] = soma + inteiro;
                        } else {
                            E.verde_antes[l] = true;  // como estava, se a conta conferida falhar
                            const int i = static_cast<int>(p - primeiro);
                            E.paradas[l] = paradas_com_fila_grande(sim, i, possivel, bloqueada, bloqueado, E.paradas[l], paradas_agora,
                                                                   q, no_inicio_do_vermelho);
                            E.verde_antes[l] = false;
                        }
                    } else {
                        E.paradas[l] = E.paradas[l] + paradas_agora;
                    }
                } else {
                    E.paradas[l] = E.paradas[l] + paradas_agora;
                }
            }

            E.fila[l] = q + chegou;
        };

        if (E.verde[l]) {
            auto recebe = [&](int k) {
                const int r = L.recebedores[k];
                const Single parte = possivel * L.fracoes[k];
                // Recebedor cheio: nada se move, e somar +0 a um valor que nunca é -0 não muda
                // bit algum: as somas são puladas.
                if (E.com_espaco[r]) {
                    bloqueado = 0.0f;
                    linha[r] += parte;
                    if constexpr (eh_final) coluna[L.deslocamentos[k]] += parte;
                    E.ocupacao[r] += parte;
                } else {
                    bloqueado = parte;
                    bloqueada += parte;
                }
                E.com_espaco[r] = E.ocupacao[r] < E.capacidade[r];
            };
            para_cada_recebedor(quant_de_recebedores, recebe);
            const Single saida = possivel - bloqueada;
            E.ocupacao[l] -= saida;
            depois_dos_recebedores(std::true_type{}, q0 - saida);
        } else {
            // Vermelho: nada se move nem é bloqueado, mas o espaço dos recebedores é reavaliado.
            auto reavalia = [&](int k) {
                const int r = L.recebedores[k];
                E.com_espaco[r] = E.ocupacao[r] < E.capacidade[r];
            };
            para_cada_recebedor(quant_de_recebedores, reavalia);
            depois_dos_recebedores(std::false_type{}, q0);
        }
    }
    sim.vazao_possivel = possivel;
    sim.vazao_bloqueada = bloqueada;
    sim.bloqueado_no_recebedor = bloqueado;
    sim.paradas_no_inicio_do_vermelho = no_inicio_do_vermelho;
    sim.link_corrente = area.l[n - 1].slot;
}

// Passa para perfil_de_chegada as chegadas guardadas dos segundos de..ate (um bloco).
void descarregar_chegadas(const rede_em_calculo& ctx, Long de, Long ate) {
    execucao& area = ctx.simulacao.area;
    const int quant = static_cast<int>(ate - de + 1);
    for (int i = 0; i < area.quant_de_links; ++i) {
        const int l = area.l[i].slot;
        Single* const linha = ctx.simulacao.perfil_de_chegada.linha(l) + de;
        const Single* const guardadas = area.chegadas_do_bloco.data() + l;
        if (quant == segundos_no_bloco) {
            for (int k = 0; k < segundos_no_bloco; ++k) linha[k] = guardadas[k * (max_links + 1)];
        } else {
            for (int k = 0; k < quant; ++k) linha[k] = guardadas[k * (max_links + 1)];
        }
    }
}

// Zera os segundos de..ate do perfil de entrada dos links da lista.
void zerar_entradas(const rede_em_calculo& ctx, Long de, Long ate) {
    execucao& area = ctx.simulacao.area;
    static constexpr std::array<Single, segundos_no_bloco> zeros{};
    for (Long s = de; s <= ate; s += segundos_no_bloco) {
        const Long quant = std::min<Long>(segundos_no_bloco, ate - s + 1);
        for (int i = 0; i < area.quant_de_links; ++i) {
            Single* const entrada = ctx.simulacao.perfil_de_entrada.linha(area.l[i].slot) + s;
            if (quant == segundos_no_bloco) std::memcpy(entrada, zeros.data(), sizeof zeros);
            else std::memcpy(entrada, zeros.data(), static_cast<std::size_t>(quant) * sizeof(Single));
        }
    }
}

// Uma falha no segundo t deixa os perfis como o modelo: chegadas até o segundo anterior e,
// no segundo t, só as dos links que já passaram; os segundos seguintes zerados.
void perfis_na_falha(const rede_em_calculo& ctx, Long t, Long fim) {
    execucao& area = ctx.simulacao.area;
    const Long inicio_do_bloco = t - (t - primeiro_segundo) % segundos_no_bloco;
    if (t > inicio_do_bloco) descarregar_chegadas(ctx, inicio_do_bloco, t - 1);
    const Single* chegadas = area.chegadas_do_bloco.data() + (t - primeiro_segundo) % segundos_no_bloco * (max_links + 1);
    for (int i = 0; i < area.quant_de_links; ++i) ctx.simulacao.perfil_de_chegada.linha(area.l[i].slot)[t] = 0.0f;
    for (int i = 0; i <= area.posicao_em_curso; ++i) {
        const int l = area.l[i].slot;
        ctx.simulacao.perfil_de_chegada.linha(l)[t] = chegadas[l];
    }
    if (t < fim) {
        zerar_entradas(ctx, t + 1, fim);
        for (int i = 0; i < area.quant_de_links; ++i) {
            Single* const chegada = ctx.simulacao.perfil_de_chegada.linha(area.l[i].slot);
            std::fill(chegada + t + 1, chegada + fim + 1, 0.0f);
        }
    }
}

void conferir_estado_finito(const rede_em_calculo& ctx, bool eh_final) {
    execucao& area = ctx.simulacao.area;
    auto finito = [](Single v) {
        if (!std::isfinite(v)) falhar(tipo_de_falha::estouro);
    };
    for (int i = 0; i < area.quant_de_links; ++i) {
        const link_na_execucao& L = area.l[i];
        const int l = L.slot;
        finito(ctx.simulacao.fila(l));
        finito(ctx.simulacao.atraso(l));
        finito(ctx.simulacao.paradas(l));
        finito(ctx.simulacao.paradas_no_segundo(l));
        finito(ctx.simulacao.ocupacao_da_caixa(l));
        if (eh_final) finito(ctx.resultados.fila_maxima(l));
        for (int k = 0; k < L.quant_de_recebedores; ++k) finito(ctx.simulacao.ocupacao_da_caixa(L.recebedores[k]));
    }
}

// O começo de uma execução: fila, atraso, paradas e ocupação zerados nos links do conjunto
// (verde_antes e fila_maxima passam de uma execução à outra).
void zerar_links_da_execucao(const rede_em_calculo& ctx) {
    execucao& area = ctx.simulacao.area;
    for (int i = 0; i < area.quant_de_links; ++i) {
        const int l = area.links[i];
        ctx.simulacao.fila(l) = 0;
        ctx.simulacao.atraso(l) = 0;
        ctx.simulacao.paradas_no_segundo(l) = 0;
        ctx.simulacao.paradas(l) = 0;
        ctx.simulacao.ocupacao_da_caixa(l) = 0;
    }
}

// O modelo: uma execução sobre os links e nós que a variante pôs na área de trabalho, com
// aquecimento de W ciclos e período medido P.
template <bool eh_final>
void executar(const rede_em_calculo& ctx, Integer W, Integer P) {
    execucao& area = ctx.simulacao.area;
    const Integer C = ctx.derivados.t_de_ciclo;
    const Integer aquecimento_em_segundos = para_integer(Long(W) * Long(C));
    const Long fim = para_integer(Long(para_integer(Long(aquecimento_em_segundos) + 120)) + Long(P));
    const Long segundo_de_corte = Long(aquecimento_em_segundos) + 121;

    ++ctx.simulacao.execucoes.em_sequencia;
    zerar_links_da_execucao(ctx);
    preparar_links(ctx);
    area.posicao_em_curso = -1;
    const bool ha_segundos = fim >= primeiro_segundo;
    if (ha_segundos) conferir_perfis(ctx, fim);
    if (area.subconjunto) {
        for (int r = 0; r <= ctx.rede.max_indice_link; ++r) ctx.simulacao.caixa_com_espaco(r) = true;
    } else {
        for (int i = 0; i < area.quant_de_links; ++i) ctx.simulacao.caixa_com_espaco(area.links[i]) = true;
    }
    if (!ha_segundos) return;

    if (area.quant_de_nos > 0 && C <= 0) {
        // O instante do nó divide por C; um ciclo negativo não cai em intervalo algum.
        if (C == 0) dividir_single(Single(primeiro_segundo - area.defasagens[0]), 0.0f);
        falhar(tipo_de_falha::subscrito_fora_do_intervalo);
    }
    if (area.quant_de_nos > 0) {
        preparar_nos(ctx, C);
        preparar_verdes_dos_segundos(ctx, C);
    }
    carregar_estado(ctx);
    // O anel é uma janela de segundos sem volta (a leitura de cada link fica a um deslocamento
    // fixo da linha do segundo): o segundo corrente, os `maior` anteriores, que ainda serão
    // lidos, e os seguintes. Quando a janela acaba, os `maior` anteriores e o corrente são
    // copiados para o começo dela. A linha de um segundo é zerada no segundo anterior: zerada
    // no próprio segundo, as primeiras somas nela esperariam a gravação dos zeros.
    const Long maior = maior_percurso(ctx, fim);
    const Long linhas = 2 * (maior + 1) + 64;
    const std::size_t tamanho = static_cast<std::size_t>(linhas) * passo_do_anel;
    if (area.anel.size() < tamanho) area.anel.resize(tamanho);
    Single* const anel = area.anel.data();
    Long linha_do_segundo = maior;

    // Na execução final, os perfis de entrada são zerados um bloco à frente: os segundos de um
    // bloco só são lidos e escritos durante ele. As chegadas do bloco vão juntas para a tabela
    // no fim dele.
    // A partir deste segundo, todo link tem partidas de segundos já simulados.
    Long todos_com_partida = primeiro_segundo;
    for (int i = 0; i < area.quant_de_links; ++i) todos_com_partida = std::max(todos_com_partida, area.l[i].primeiro_com_partida);
    Long t = primeiro_segundo;
    int segundo_do_ciclo = 0;
    try {
        if constexpr (eh_final) zerar_entradas(ctx, t, std::min<Long>(t + segundos_no_bloco - 1, fim));
        for (; t <= fim; ++t) {
            area.posicao_em_curso = -1;
            if (linha_do_segundo + 1 == linhas) {
                std::memmove(anel, anel + (linha_do_segundo - maior) * passo_do_anel,
                             static_cast<std::size_t>(maior + 1) * passo_do_anel * sizeof(Single));
                linha_do_segundo = maior;
            }
            Single* const linha = anel + linha_do_segundo * passo_do_anel;
            // A linha do segundo seguinte começa zerada (a do primeiro segundo, antes dele). Só
            // as colunas dos links da lista são lidas: só elas precisam começar zeradas (na rede
            // inteira, a linha toda de uma vez sai mais barato).
            if (t == primeiro_segundo) std::memset(linha, 0, passo_do_anel * sizeof(Single));
            Single* const linha_seguinte = linha + passo_do_anel;
            if (area.subconjunto) {
                for (int i = 0; i < area.quant_de_links; ++i) linha_seguinte[area.links[i]] = 0.0f;
            } else {
                zerar_linha(linha_seguinte);
            }
            if (t == primeiro_segundo) sinais_iniciais(ctx, C);
            else if (area.quant_de_nos > 0) verdes_do_segundo(ctx, segundo_do_ciclo, t, C);
            const int no_bloco = static_cast<int>((t - primeiro_segundo) % segundos_no_bloco);
            Single* const chegadas = area.chegadas_do_bloco.data() + no_bloco * (max_links + 1);
            if (t < segundo_de_corte) {
                if (t < todos_com_partida) segundo_dos_links<eh_final, aquecimento, false>(ctx, t, C, chegadas, linha);
                else segundo_dos_links<eh_final, aquecimento, true>(ctx, t, C, chegadas, linha);
            } else if (t == segundo_de_corte) {
                segundo_dos_links<eh_final, corte, false>(ctx, t, C, chegadas, linha);
            } else {
                if (t < todos_com_partida) segundo_dos_links<eh_final, medido, false>(ctx, t, C, chegadas, linha);
                else segundo_dos_links<eh_final, medido, true>(ctx, t, C, chegadas, linha);
            }
            if constexpr (eh_final) {
                if (no_bloco == segundos_no_bloco - 1 || t == fim) {
                    descarregar_chegadas(ctx, t - no_bloco, t);
                    if (t < fim) zerar_entradas(ctx, t + 1, std::min<Long>(t + segundos_no_bloco, fim));
                }
            }
            if (area.quant_de_nos > 0 && ++segundo_do_ciclo == C) segundo_do_ciclo = 0;
            ++linha_do_segundo;
        }
    } catch (...) {
        devolver_estado(ctx);
        // Uma falha nos links: os nós já estavam todos no segundo t.
        if (area.posicao_em_curso >= 0) instantes_no_segundo(ctx, t, C);
        if constexpr (eh_final) perfis_na_falha(ctx, t, fim);
        throw;
    }
    devolver_estado(ctx);
    instantes_no_segundo(ctx, fim, C);
    conferir_estado_finito(ctx, eh_final);
}

// Custo de um link: peso da parada vezes as paradas, mais o atraso.
Single custo_do_link(const rede_em_calculo& ctx, int l) { return verificar_single(Single(ctx.copias.peso_da_parada) * ctx.simulacao.paradas(l) + ctx.simulacao.atraso(l)); }

// Soma dos custos dos links da lista; com `metade_na_entrada`, um link sem nó de origem
// conta pela metade.
void somar_custos(const rede_em_calculo& ctx, Single& soma, bool metade_na_entrada) {
    execucao& area = ctx.simulacao.area;
    soma = 0;
    for (int i = 0; i < area.quant_de_links; ++i) {
        const int l = area.links[i];
        const Single custo = custo_do_link(ctx, l);
        if (metade_na_entrada && ctx.derivados.no_origem(l) == 0) soma = verificar_single(double(soma) + double(custo) * 0.5);
        else soma = verificar_single(soma + custo);
    }
}

// ---------------------------------------------------------------------------------------
// Execuções lado a lado: até oito configurações (defasagens diferentes) da mesma variante, uma
// por faixa de um vetor de oito floats. As contas de cada faixa são as da execução sequencial,
// na mesma ordem; onde ela desvia pelo verde, as faixas usam máscaras, e no vermelho somam +0
// (como o modelo), o que não muda valor algum. As faixas só servem quando nenhuma falha pode
// acontecer no meio: o que o modelo confere e pode falhar é conferido antes, e uma faixa que
// chegaria a uma conta conferida (fila enorme no início do vermelho, valor não finito) fica
// marcada para ser refeita em sequência.




void por_inicios_da_faixa(const rede_em_calculo& ctx, int j) {
    area_das_faixas& faixas = ctx.simulacao.faixas;
    if (faixas.inicios_por_faixa == nullptr) return;
    for (int x = 0; x <= max_intervalos_de_inicio + 1; ++x)
        ctx.derivados.inicio_do_intervalo(faixas.no_dos_inicios, x) = (*faixas.inicios_por_faixa)[static_cast<std::size_t>(j)][static_cast<std::size_t>(x)];
}

void guardar_inicios(const rede_em_calculo& ctx) {
    area_das_faixas& faixas = ctx.simulacao.faixas;
    if (faixas.inicios_por_faixa == nullptr) return;
    for (int x = 0; x <= max_intervalos_de_inicio + 1; ++x)
        faixas.inicios_originais[0][static_cast<std::size_t>(x)] = ctx.derivados.inicio_do_intervalo(faixas.no_dos_inicios, x);
}

void repor_inicios(const rede_em_calculo& ctx) {
    area_das_faixas& faixas = ctx.simulacao.faixas;
    if (faixas.inicios_por_faixa == nullptr) return;
    for (int x = 0; x <= max_intervalos_de_inicio + 1; ++x)
        ctx.derivados.inicio_do_intervalo(faixas.no_dos_inicios, x) = faixas.inicios_originais[0][static_cast<std::size_t>(x)];
}

typedef long long faixas_64 __attribute__((vector_size(32)));

// Alguma faixa com a máscara ligada? (Em quatro pedaços de 64 bits.)
[[gnu::always_inline]] inline bool alguma(const faixas_i& m) {
    const faixas_64 v = (faixas_64)m;
    return (v[0] | v[1] | v[2] | v[3]) != 0;
}

// O intervalo do nó no instante x (1..C): o primeiro j com início(j) <= x < início(j + 1).
Byte intervalo_no_instante_de(const rede_em_calculo& ctx, int n, int x, int C) {
    for (int j = 1; j < max_intervalos_de_inicio; ++j) {
        const int de = std::max<int>(ctx.derivados.inicio_do_intervalo(n, j), 1);
        const int ate = std::min<int>(ctx.derivados.inicio_do_intervalo(n, j + 1) - 1, C);
        if (de <= x && x <= ate) return static_cast<Byte>(j);
    }
    return 0;
}

// Um segundo dos links da lista em todas as faixas.
template <fase F, bool todos_com_partida>
[[gnu::always_inline]] inline void segundo_nas_faixas(const rede_em_calculo& ctx, Long t, faixas_f* anel, Long mascara) {
    execucao& area = ctx.simulacao.area;
    area_das_faixas& faixas = ctx.simulacao.faixas;
    const int n = area.quant_de_links;
    link_nas_faixas* const estado = faixas.estado.data();
    faixas_f* const linha = anel + (t & mascara) * passo_do_anel;
    const faixas_f zero{};
    faixas_f possivel{}, bloqueada{}, bloqueado{};
    faixas_i vermelho_agora{};
    faixas_f q_do_ultimo{};
    for (int i = 0; i < n; ++i) {
        const link_na_execucao& L = area.l[i];
        const int l = L.slot;
        link_nas_faixas& E = estado[l];
        const faixas_f s = zero + L.s;
        const faixas_f q0 = E.fila;
        possivel = q0 < s ? q0 : s;
        bloqueada = zero;
        bloqueado = zero;
        const faixas_i g = E.verde;
        faixas_f q = q0;
        if (alguma(g)) {
            for (int k = 0; k < L.quant_de_recebedores; ++k) {
                const int r = L.recebedores[k];
                link_nas_faixas& R = estado[r];
                const faixas_f parte = possivel * L.fracoes[k];
                const faixas_i livre = R.com_espaco;
                // As máscaras já são -1 ou 0: os bits são escolhidos direto (+0 onde desligada).
                const faixas_f movido = (faixas_f)((faixas_i)parte & (g & livre));
                bloqueado = (faixas_f)((faixas_i)parte & (g & ~livre));
                linha[r] += movido;
                R.ocupacao += movido;
                bloqueada += bloqueado;
                R.com_espaco = R.ocupacao < faixas.capacidade[r];
            }
            const faixas_f saida = possivel - bloqueada;
            q = (faixas_f)(((faixas_i)(q0 - saida) & g) | ((faixas_i)q0 & ~g));
            const faixas_f ocupacao = E.ocupacao;
            E.ocupacao = (faixas_f)(((faixas_i)(ocupacao - saida) & g) | ((faixas_i)ocupacao & ~g));
        } else {
            for (int k = 0; k < L.quant_de_recebedores; ++k) {
                link_nas_faixas& R = estado[L.recebedores[k]];
                R.com_espaco = R.ocupacao < faixas.capacidade[L.recebedores[k]];
            }
        }

        const bool partiu = todos_com_partida || t >= L.primeiro_com_partida;
        const faixas_f chegou = (partiu ? anel[((t - L.percurso) & mascara) * passo_do_anel + l] : zero) + L.entrada_externa;

        if constexpr (F == corte) {
            if (area.testes_de_corte[i]) {
                const faixas_f limite = zero + faixas.limite_no_corte[i];
                q = limite < q ? limite : q;
            }
        }

        if constexpr (F == medido) {
            E.atraso += q;
            const faixas_f tres_s = zero + Single(3) * L.s;
            const faixas_i acima = (chegou + q) > tres_s;
            const faixas_f paradas_agora = (faixas_f)((faixas_i)chegou & ~(g & ~acima));
            E.paradas_no_segundo = paradas_agora;
            const faixas_f soma = E.paradas + paradas_agora;
            vermelho_agora = E.verde_antes & ~g;
            E.verde_antes = g;
            E.paradas = soma;
            if (alguma(vermelho_agora)) {
                for (int j = 0; j < max_faixas; ++j) {
                    if (!vermelho_agora[j]) continue;
                    if (q[j] >= 0.0f && q[j] < 16777216.0f && soma[j] >= 0.0f) {
                        E.paradas[j] = soma[j] + std::nearbyint(q[j]);
                    } else {
                        faixas.conferir[j] = true;
                    }
                }
            }
        }

        q_do_ultimo = q;
        E.fila = q + chegou;
    }
    if constexpr (F == medido) {
        if (t == faixas.fim) {
            for (int j = 0; j < max_faixas; ++j) {
                faixas.possivel[j] = possivel[j];
                faixas.bloqueada[j] = bloqueada[j];
                faixas.bloqueado[j] = bloqueado[j];
                // Fora de 0..2^24 a faixa já ficou para a sequência (e a conversão não é feita).
                const bool cabe = q_do_ultimo[j] >= 0.0f && q_do_ultimo[j] < 16777216.0f;
                faixas.no_inicio_do_vermelho[j] = vermelho_agora[j] && cabe ? static_cast<Long>(std::nearbyint(q_do_ultimo[j])) : 0;
            }
        }
    }
}

// Os sinais de cada faixa no segundo: os nós que mudam de intervalo acertam o verde dos seus
// links naquela faixa.
inline void sinais_nas_faixas(const rede_em_calculo& ctx, int segundo_do_ciclo) {
    execucao& area = ctx.simulacao.area;
    area_das_faixas& faixas = ctx.simulacao.faixas;
    const bool* const verde_no_intervalo = ctx.derivados.link_verde_no_intervalo.dados();
    for (int j = 0; j < faixas.quant; ++j) {
        const auto& primeiro = faixas.primeiro_evento[j];
        const int ate = primeiro[segundo_do_ciclo + 1];
        for (int k = primeiro[segundo_do_ciclo]; k < ate; ++k) {
            const evento& ev = faixas.eventos[j][k];
            const no_na_execucao& N = area.n[ev.entrada_do_no];
            if (!N.define_o_verde) continue;
            const Byte* links = area.links_por_no.data() + N.primeiro_link;
            for (int m = 0; m < N.quant_de_links; ++m) {
                const int l = links[m];
                faixas.estado[l].verde[j] = verde_no_intervalo[l * colunas_do_verde + ev.intervalo] ? -1 : 0;
            }
        }
    }
}

// O laço dos segundos, com ou sem AVX2 (o mesmo código; só as instruções mudam).
[[gnu::always_inline]] inline void segundos_nas_faixas(const rede_em_calculo& ctx, Long segundo_de_corte, Long todos_com_partida, int C) {
    execucao& area = ctx.simulacao.area;
    area_das_faixas& faixas = ctx.simulacao.faixas;
    static_assert(sizeof(area_das_faixas::celula_do_anel) == sizeof(faixas_f));
    faixas_f* const anel = &faixas.anel.data()->v;
    const Long mascara = area.mascara_do_anel;
    int segundo_do_ciclo = 0;
    for (Long t = primeiro_segundo; t <= faixas.fim; ++t) {
        faixas_f* const linha = anel + (t & mascara) * passo_do_anel;
        for (int i = 0; i < area.quant_de_links; ++i) linha[area.links[i]] = faixas_f{};
        if (t > primeiro_segundo) sinais_nas_faixas(ctx, segundo_do_ciclo);
        if (t < segundo_de_corte) {
            if (t < todos_com_partida) segundo_nas_faixas<aquecimento, false>(ctx, t, anel, mascara);
            else segundo_nas_faixas<aquecimento, true>(ctx, t, anel, mascara);
        } else if (t == segundo_de_corte) {
            segundo_nas_faixas<corte, false>(ctx, t, anel, mascara);
        } else {
            if (t < todos_com_partida) segundo_nas_faixas<medido, false>(ctx, t, anel, mascara);
            else segundo_nas_faixas<medido, true>(ctx, t, anel, mascara);
        }
        if (++segundo_do_ciclo == C) segundo_do_ciclo = 0;
    }
}

[[gnu::target("avx2")]] void segundos_nas_faixas_avx2(const rede_em_calculo& ctx, Long segundo_de_corte, Long todos_com_partida, int C) {
    segundos_nas_faixas(ctx, segundo_de_corte, todos_com_partida, C);
}

void segundos_nas_faixas_simples(const rede_em_calculo& ctx, Long segundo_de_corte, Long todos_com_partida, int C) {
    segundos_nas_faixas(ctx, segundo_de_corte, todos_com_partida, C);
}

// O processador (e o sistema) tem AVX2? Perguntado uma vez, antes do main.
bool tem_avx2() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
}

// Uma escolha do processo, fora das redes: as execuções em faixas usam o AVX2?
bool avx2_no_processo = tem_avx2();

// Uma execução em faixas da variante que está na área de trabalho: W ciclos de aquecimento,
// período medido P, e as defasagens de cada faixa por posição da lista de nós. Escreve nas
// tabelas só o que toda faixa escreveria igual (o começo da execução); o estado de cada faixa
// fica na área das faixas até devolver_faixa. Devolve false quando as faixas não servem.
bool executar_em_faixas(const rede_em_calculo& ctx, Integer W, Integer P, int quant, const std::array<std::array<Integer, max_nos>, max_faixas>& defasagens,
                        const anteriores_das_faixas& anterior) try {
    const Integer C = ctx.derivados.t_de_ciclo;
    const Long aquecimento_em_segundos = Long(W) * Long(C);
    const Long fim = aquecimento_em_segundos + 120 + Long(P);
    const Long segundo_de_corte = aquecimento_em_segundos + 121;
    // Fora do caso comum (um segundo medido ao menos, sem estouro, nós com ciclo), em sequência.
    if (quant < 1 || quant > max_faixas || C <= 0 || C > maior_ciclo || fim > 32767 || aquecimento_em_segundos > 32767 - 120 ||
        fim <= segundo_de_corte || ctx.simulacao.area.quant_de_links == 0 || ctx.simulacao.area.quant_de_nos == 0)
        return false;
    for (int j = 0; j < quant; ++j)
        if (anterior[j] < -1 || anterior[j] >= j) return false;
    // Todo recebedor de link da lista está na lista; os nós cobrem o ciclo inteiro.
    preparar_links(ctx);
    for (int r = 0; r <= max_links; ++r) ctx.simulacao.area.no_conjunto[r] = false;
    for (int i = 0; i < ctx.simulacao.area.quant_de_links; ++i) ctx.simulacao.area.no_conjunto[ctx.simulacao.area.links[i]] = true;
    for (int i = 0; i < ctx.simulacao.area.quant_de_links; ++i)
        for (int k = 0; k < ctx.simulacao.area.l[i].quant_de_recebedores; ++k)
            if (!ctx.simulacao.area.no_conjunto[ctx.simulacao.area.l[i].recebedores[k]]) return false;
    // Percursos longos demais fariam um anel grande (oito floats por link e segundo): em sequência.
    preparar_anel(ctx, fim);
    if (ctx.simulacao.area.mascara_do_anel + 1 > 1024) return false;
    // (Com inícios por faixa, cada faixa confere os seus.)
    auto cobrem_o_ciclo = [&ctx, C] {
        for (int e = 0; e < ctx.simulacao.area.quant_de_nos; ++e)
            for (int x = 1; x <= C; ++x)
                if (intervalo_no_instante_de(ctx, ctx.simulacao.area.nos[e], x, C) == 0) return false;
        return true;
    };
    guardar_inicios(ctx);
    for (int j = 0; j < (ctx.simulacao.faixas.inicios_por_faixa == nullptr ? 1 : quant); ++j) {
        por_inicios_da_faixa(ctx, j);
        const bool cobrem = cobrem_o_ciclo();
        repor_inicios(ctx);
        if (!cobrem) return false;
    }
    // O limite do corte não depende da faixa; uma conta que falharia fica para a sequencial.
    for (int i = 0; i < ctx.simulacao.area.quant_de_links; ++i) {
        if (!ctx.simulacao.area.testes_de_corte[i]) continue;
        const int l = ctx.simulacao.area.links[i];
        const Long vermelho = Long(C) - Long(ctx.derivados.t_de_verde_do_link(l));
        if (vermelho < -32768 || vermelho > 32767) return false;
        const double limite = double(Single(Single(vermelho) * ctx.copias.fluxo_por_segundo(l)));
        if (!std::isfinite(limite)) return false;
        ctx.simulacao.faixas.limite_no_corte[i] = static_cast<Single>(limite);
    }
    if (ctx.simulacao.perfil_de_entrada.limite2() < fim || ctx.simulacao.perfil_de_chegada.limite2() < fim) return false;
    for (int i = 0; i < ctx.simulacao.area.quant_de_links; ++i) {
        const link_na_execucao& L = ctx.simulacao.area.l[i];
        if (L.slot > ctx.simulacao.perfil_de_entrada.limite1() || L.slot > ctx.simulacao.perfil_de_chegada.limite1()) return false;
    }

    // O começo da execução, igual em toda faixa.
    zerar_links_da_execucao(ctx);
    if (ctx.simulacao.area.subconjunto) {
        for (int r = 0; r <= ctx.rede.max_indice_link; ++r) ctx.simulacao.caixa_com_espaco(r) = true;
    } else {
        for (int i = 0; i < ctx.simulacao.area.quant_de_links; ++i) ctx.simulacao.caixa_com_espaco(ctx.simulacao.area.links[i]) = true;
    }
    ctx.simulacao.faixas.quant = quant;
    ctx.simulacao.faixas.fim = fim;
    for (int l = 0; l <= max_links; ++l) {
        link_nas_faixas& E = ctx.simulacao.faixas.estado[l];
        const faixas_f zero{};
        E.fila = zero + ctx.simulacao.fila(l);
        E.ocupacao = zero + ctx.simulacao.ocupacao_da_caixa(l);
        E.atraso = zero + ctx.simulacao.atraso(l);
        E.paradas = zero + ctx.simulacao.paradas(l);
        E.paradas_no_segundo = zero + ctx.simulacao.paradas_no_segundo(l);
        const faixas_i nenhum{};
        E.com_espaco = nenhum + (ctx.simulacao.caixa_com_espaco(l) ? -1 : 0);
        E.verde = nenhum + (ctx.simulacao.verde_agora(l) ? -1 : 0);
        E.verde_antes = nenhum + (ctx.simulacao.verde_antes(l) ? -1 : 0);
        ctx.simulacao.faixas.capacidade[l] = ctx.simulacao.area.capacidade[l];
    }

    // Os sinais de cada faixa; o verde do último segundo de cada uma, que é o verde_antes com
    // que a faixa seguinte começa.
    for (int j = 0; j < quant; ++j) {
        for (int e = 0; e < ctx.simulacao.area.quant_de_nos; ++e) ctx.simulacao.area.defasagens[e] = defasagens[j][e];
        por_inicios_da_faixa(ctx, j);
        struct repor_no_fim {
            const rede_em_calculo& ctx;
            ~repor_no_fim() { repor_inicios(ctx); }
        } repor{ctx};
        preparar_nos(ctx, C);
        auto& verde_no_fim = ctx.simulacao.faixas.verde_no_fim[j];
        for (int i = 0; i < ctx.simulacao.area.quant_de_links; ++i) verde_no_fim[ctx.simulacao.area.links[i]] = ctx.simulacao.verde_agora(ctx.simulacao.area.links[i]);
        for (int e = 0; e < ctx.simulacao.area.quant_de_nos; ++e) {
            const no_na_execucao& N = ctx.simulacao.area.n[e];
            ctx.simulacao.faixas.instante_inicial[j][e] = N.instante_inicial;
            ctx.simulacao.faixas.intervalo_inicial[j][e] = N.intervalo_inicial;
            if (!N.define_o_verde) continue;
            const Byte no_fim = intervalo_no_instante_de(ctx, N.slot, instante_do_no(N, fim, C), C);
            const Byte* links = ctx.simulacao.area.links_por_no.data() + N.primeiro_link;
            for (int m = 0; m < N.quant_de_links; ++m) {
                const int l = links[m];
                verde_no_fim[l] = ctx.derivados.link_verde_no_intervalo(l, no_fim);
                ctx.simulacao.faixas.estado[l].verde[j] = ctx.derivados.link_verde_no_intervalo(l, N.intervalo_inicial) ? -1 : 0;
            }
        }
        for (int c = 0; c <= C; ++c) ctx.simulacao.faixas.primeiro_evento[j][c] = ctx.simulacao.area.primeiro_evento[c];
        std::copy_n(ctx.simulacao.area.eventos.begin(), ctx.simulacao.area.primeiro_evento[C], ctx.simulacao.faixas.eventos[j].begin());
        if (anterior[j] >= 0) {
            for (int i = 0; i < ctx.simulacao.area.quant_de_links; ++i) {
                const int l = ctx.simulacao.area.links[i];
                ctx.simulacao.faixas.estado[l].verde_antes[j] = ctx.simulacao.faixas.verde_no_fim[anterior[j]][l] ? -1 : 0;
            }
        }
        ctx.simulacao.faixas.conferir[j] = false;
    }
    for (int j = quant; j < max_faixas; ++j) ctx.simulacao.faixas.conferir[j] = true;

    const std::size_t tamanho = static_cast<std::size_t>(ctx.simulacao.area.mascara_do_anel + 1) * passo_do_anel;
    if (ctx.simulacao.faixas.anel.size() < tamanho) ctx.simulacao.faixas.anel.resize(tamanho);
    Long todos_com_partida = primeiro_segundo;
    for (int i = 0; i < ctx.simulacao.area.quant_de_links; ++i) todos_com_partida = std::max(todos_com_partida, ctx.simulacao.area.l[i].primeiro_com_partida);

    if (avx2_no_processo) segundos_nas_faixas_avx2(ctx, segundo_de_corte, todos_com_partida, C);
    else segundos_nas_faixas_simples(ctx, segundo_de_corte, todos_com_partida, C);

    // O que a conferência final acharia: valores não finitos.
    for (int i = 0; i < ctx.simulacao.area.quant_de_links; ++i) {
        const link_na_execucao& L = ctx.simulacao.area.l[i];
        auto confere = [&ctx](int l) {
            const link_nas_faixas& E = ctx.simulacao.faixas.estado[l];
            for (int j = 0; j < max_faixas; ++j)
                if (!std::isfinite(E.fila[j]) || !std::isfinite(E.atraso[j]) || !std::isfinite(E.paradas[j]) ||
                    !std::isfinite(E.paradas_no_segundo[j]) || !std::isfinite(E.ocupacao[j]))
                    ctx.simulacao.faixas.conferir[j] = true;
        };
        confere(L.slot);
        for (int k = 0; k < L.quant_de_recebedores; ++k) confere(L.recebedores[k]);
    }
    ++ctx.simulacao.execucoes.em_faixas;
    return true;
} catch (...) {
    // Só nas preparações (antes do começo da execução ou repetindo o dele): em sequência.
    return false;
}

// Soma dos custos da faixa j, como somar_custos; false se uma conta estouraria.
bool somar_custos_da_faixa(const rede_em_calculo& ctx, int j, Single& soma, bool metade_na_entrada) {
    execucao& area = ctx.simulacao.area;
    area_das_faixas& faixas = ctx.simulacao.faixas;
    Single total = 0;
    for (int i = 0; i < area.quant_de_links; ++i) {
        const int l = area.links[i];
        const link_nas_faixas& E = faixas.estado[l];
        const double custo_em_dupla = double(Single(Single(ctx.copias.peso_da_parada) * E.paradas[j] + E.atraso[j]));
        if (!std::isfinite(custo_em_dupla)) return false;
        const Single custo = static_cast<Single>(custo_em_dupla);
        const double novo = metade_na_entrada && ctx.derivados.no_origem(l) == 0 ? double(total) + double(custo) * 0.5 : double(Single(total + custo));
        if (!std::isfinite(novo) || std::fabs(novo) > double(std::numeric_limits<float>::max())) return false;
        total = static_cast<Single>(novo);
    }
    soma = total;
    return true;
}

// Passa o estado da faixa j para as tabelas, como a execução sequencial o deixaria.
void devolver_faixa_da_area(const rede_em_calculo& ctx, int j) {
    execucao& area = ctx.simulacao.area;
    area_das_faixas& faixas = ctx.simulacao.faixas;
    for (int l = 0; l <= max_links; ++l) {
        const link_nas_faixas& E = faixas.estado[l];
        ctx.simulacao.fila(l) = E.fila[j];
        ctx.simulacao.ocupacao_da_caixa(l) = E.ocupacao[j];
        ctx.simulacao.atraso(l) = E.atraso[j];
        ctx.simulacao.paradas(l) = E.paradas[j];
        ctx.simulacao.paradas_no_segundo(l) = E.paradas_no_segundo[j];
        ctx.simulacao.caixa_com_espaco(l) = E.com_espaco[j] != 0;
        ctx.simulacao.verde_agora(l) = E.verde[j] != 0;
        ctx.simulacao.verde_antes(l) = E.verde_antes[j] != 0;
    }
    const Integer C = ctx.derivados.t_de_ciclo;
    for (int e = 0; e < area.quant_de_nos; ++e) {
        no_na_execucao N = area.n[e];
        N.instante_inicial = faixas.instante_inicial[j][e];
        ctx.simulacao.instante_no_ciclo(N.slot) = static_cast<Integer>(instante_do_no(N, faixas.fim, C));
    }
    ctx.simulacao.vazao_possivel = faixas.possivel[j];
    ctx.simulacao.vazao_bloqueada = faixas.bloqueada[j];
    ctx.simulacao.bloqueado_no_recebedor = faixas.bloqueado[j];
    ctx.simulacao.paradas_no_inicio_do_vermelho = faixas.no_inicio_do_vermelho[j];
    ctx.simulacao.link_corrente = area.l[area.quant_de_links - 1].slot;
}

// Os conjuntos das variantes de subconjunto: os nós e os links de cada uma, com a entrada e a
// capacidade que a variante usa. Servem à execução em sequência e à em faixas.

// Os dois nós do par corrente: o último par (a, b) encontrado vence; a fica na defasagem 0.
std::pair<Byte, Byte> os_dois_nos_do_par(const rede_em_calculo& ctx, int p, bool fase1) {
    auto& pares = fase1 ? ctx.buscas.par_fase1 : ctx.buscas.par_fase2;
    Byte a = 0;
    Byte b = 0;
    for (int i = 1; i <= ctx.rede.max_indice_no; ++i) {
        if (!ctx.rede.existe_no(i)) continue;
        for (int j = 1; j <= ctx.rede.max_indice_no; ++j)
            if (ctx.rede.existe_no(j) && pares(i, j) == p) {
                a = static_cast<Byte>(i);
                b = static_cast<Byte>(j);
            }
    }
    return {a, b};
}

void incluir_links_do_par(const rede_em_calculo& ctx, int p, bool fase1) {
    execucao& area = ctx.simulacao.area;
    auto& links_do_par = fase1 ? ctx.buscas.links_do_par_fase1 : ctx.buscas.links_do_par_fase2;
    auto& entrada_no_par = fase1 ? ctx.buscas.entrada_no_par_fase1 : ctx.buscas.entrada_no_par_fase2;
    auto& capacidade_no_par = fase1 ? ctx.buscas.capacidade_no_par_fase1 : ctx.buscas.capacidade_no_par_fase2;
    const int quant = fase1 ? ctx.buscas.quant_de_links_do_par_fase1(p) : ctx.buscas.quant_de_links_do_par_fase2(p);
    for (int i = 1; i <= quant; ++i) {
        const Integer l = links_do_par(p, i);
        const Single entrada = entrada_no_par(p, l);
        incluir_link(ctx, l, entrada, entrada > 0);
    }
    for (int r = 0; r <= max_links; ++r) area.capacidade[r] = Single(capacidade_no_par(p, r));
}

void incluir_links_do_caminho(const rede_em_calculo& ctx) {
    execucao& area = ctx.simulacao.area;
    for (int i = 1; i <= ctx.buscas.quant_de_links_do_caminho; ++i) {
        const Integer l = ctx.buscas.links_do_caminho(i);
        const Single entrada = ctx.buscas.fluxo_externo_do_caminho(l);
        incluir_link(ctx, l, entrada, entrada > 0);
    }
    for (int r = 0; r <= max_links; ++r) area.capacidade[r] = Single(ctx.buscas.capacidade_no_caminho(r));
}

// Os nós da vizinhança tomam a defasagem em vigor como tentativa.
void incluir_vizinhanca(const rede_em_calculo& ctx, int c) {
    execucao& area = ctx.simulacao.area;
    for (int i = 1; i <= ctx.buscas.quant_de_nos_da_vizinhanca(c); ++i) {
        const int n = ctx.buscas.no_da_vizinhanca(i);
        ctx.buscas.defasagem_tentativa(n) = ctx.buscas.defasagem(n);
        incluir_no(ctx, n, ctx.buscas.defasagem_tentativa(n));
    }
    for (int i = 1; i <= ctx.buscas.quant_de_links_da_vizinhanca(c); ++i) {
        const int l = ctx.buscas.links_da_vizinhanca(c, i);
        const Single entrada = ctx.buscas.fluxo_externo_da_vizinhanca(c, l);
        incluir_link(ctx, l, entrada, entrada > 0);
    }
    for (int r = 0; r <= max_links; ++r) area.capacidade[r] = Single(ctx.buscas.capacidade_na_vizinhanca(c, r));
}

}  // namespace

void simular_rede(const rede_em_calculo& ctx) {
    com_codigo(ctx.observador, "Erro 130", [&] {
        comecar_conjunto(ctx, false);
        links_da_rede(ctx, false);
        nos_da_rede(ctx, ctx.buscas.defasagem_tentativa);
        executar<false>(ctx, 8, ctx.derivados.periodo_de_simulacao);
        somar_custos(ctx, ctx.buscas.indice_de_desempenho, true);
    });
}

void simular_par(const rede_em_calculo& ctx, Integer defasagem_do_segundo_no) {
    com_codigo(ctx.observador, "Erro 136", [&ctx, defasagem_do_segundo_no] {
        comecar_conjunto(ctx, true);
        const int p = ctx.buscas.par_corrente;
        const bool fase1 = ctx.buscas.eh_fase1;
        const auto [a, b] = os_dois_nos_do_par(ctx, p, fase1);
        ctx.buscas.defasagem_tentativa(a) = 0;
        ctx.buscas.defasagem_tentativa(b) = defasagem_do_segundo_no;
        incluir_no(ctx, a, 0);
        incluir_no(ctx, b, defasagem_do_segundo_no);

        incluir_links_do_par(ctx, p, fase1);

        executar<false>(ctx, 4, ctx.buscas.periodo_de_otimizacao);
        Single& custo = ctx.buscas.custo_da_defasagem(defasagem_do_segundo_no);
        somar_custos(ctx, custo, false);
    });
}

void simular_caminho(const rede_em_calculo& ctx) {
    com_codigo(ctx.observador, "Erro 140", [&] {
        comecar_conjunto(ctx, true);
        for (int i = 1; i <= ctx.buscas.quant_de_nos_do_caminho; ++i) {
            const int n = ctx.buscas.nos_do_caminho_principal(i);
            incluir_no(ctx, n, ctx.buscas.defasagem_tentativa(n));
        }
        incluir_links_do_caminho(ctx);

        executar<false>(ctx, 8, ctx.derivados.periodo_de_simulacao);
        somar_custos(ctx, ctx.buscas.indice_de_desempenho, true);
    });
}

void simular_vizinhanca(const rede_em_calculo& ctx) {
    com_codigo(ctx.observador, "Erro 145", [&] {
        comecar_conjunto(ctx, true);
        incluir_vizinhanca(ctx, ctx.buscas.candidato_corrente);

        executar<false>(ctx, 4, ctx.buscas.periodo_local);
        somar_custos(ctx, ctx.buscas.indice_da_vizinhanca, false);
    });
}

void simular_rede_final(const rede_em_calculo& ctx) {
    execucao& area = ctx.simulacao.area;
    com_codigo(ctx.observador, "Erro 153", [&] {
        comecar_conjunto(ctx, false);
        links_da_rede(ctx, true);
        nos_da_rede(ctx, ctx.buscas.defasagem_valendo);
        executar<true>(ctx, 8, ctx.derivados.periodo_de_simulacao);
        ctx.resultados.atraso_total = 0;
        ctx.resultados.paradas_total = 0;
        for (int i = 0; i < area.quant_de_links; ++i) {
            const int l = area.links[i];
            ctx.resultados.atraso_total = verificar_single(ctx.resultados.atraso_total + ctx.simulacao.atraso(l));
            ctx.resultados.paradas_total = verificar_single(ctx.resultados.paradas_total + ctx.simulacao.paradas(l));
        }
    });
}

}  // namespace orvel

namespace orvel {

namespace {


bool terminar_faixas(const rede_em_calculo& ctx, bool metade_na_entrada) {
    area_das_faixas& faixas = ctx.simulacao.faixas;
    for (int j = 0; j < faixas.quant; ++j)
        if (!faixas.conferir[j] && !somar_custos_da_faixa(ctx, j, faixas.resultado[j], metade_na_entrada)) faixas.conferir[j] = true;
    return true;
}

void defasagens_dos_nos(const rede_em_calculo& ctx, int quant, const defasagens_das_faixas& defasagens) {
    execucao& area = ctx.simulacao.area;
    area_das_faixas& faixas = ctx.simulacao.faixas;
    for (int j = 0; j < quant; ++j)
        for (int e = 0; e < area.quant_de_nos; ++e) faixas.defasagens_por_entrada[j][e] = defasagens[j][area.nos[e]];
}

}  // namespace

bool simular_rede_em_faixas(const rede_em_calculo& ctx, int quant, const defasagens_das_faixas& defasagens, const anteriores_das_faixas& anterior) {
    area_das_faixas& faixas = ctx.simulacao.faixas;
    comecar_conjunto(ctx, false);
    links_da_rede(ctx, false);
    for (int n = 1; n <= ctx.rede.max_indice_no; ++n)
        if (ctx.rede.existe_no(n)) incluir_no(ctx, n, 0);
    defasagens_dos_nos(ctx, quant, defasagens);
    faixas.variante = variante_das_faixas::rede;
    if (!executar_em_faixas(ctx, 8, ctx.derivados.periodo_de_simulacao, quant, faixas.defasagens_por_entrada, anterior)) return false;
    return terminar_faixas(ctx, true);
}

bool simular_caminho_em_faixas(const rede_em_calculo& ctx, int quant, const defasagens_das_faixas& defasagens, const anteriores_das_faixas& anterior) {
    area_das_faixas& faixas = ctx.simulacao.faixas;
    comecar_conjunto(ctx, true);
    for (int i = 1; i <= ctx.buscas.quant_de_nos_do_caminho; ++i) incluir_no(ctx, ctx.buscas.nos_do_caminho_principal(i), 0);
    incluir_links_do_caminho(ctx);
    defasagens_dos_nos(ctx, quant, defasagens);
    faixas.variante = variante_das_faixas::caminho;
    if (!executar_em_faixas(ctx, 8, ctx.derivados.periodo_de_simulacao, quant, faixas.defasagens_por_entrada, anterior)) return false;
    return terminar_faixas(ctx, true);
}

bool simular_par_em_faixas(const rede_em_calculo& ctx, int quant, const std::array<Integer, max_faixas>& defasagens_do_segundo_no) {
    area_das_faixas& faixas = ctx.simulacao.faixas;
    comecar_conjunto(ctx, true);
    const int p = ctx.buscas.par_corrente;
    const bool fase1 = ctx.buscas.eh_fase1;
    const auto [a, b] = os_dois_nos_do_par(ctx, p, fase1);
    for (int j = 0; j < quant; ++j)
        if (defasagens_do_segundo_no[j] < 0 || defasagens_do_segundo_no[j] > 300) return false;
    incluir_no(ctx, a, 0);
    incluir_no(ctx, b, 0);
    incluir_links_do_par(ctx, p, fase1);
    for (int j = 0; j < quant; ++j) {
        faixas.defasagens_por_entrada[j][0] = 0;
        faixas.defasagens_por_entrada[j][1] = defasagens_do_segundo_no[j];
    }
    faixas.variante = variante_das_faixas::par;
    faixas.no_a = a;
    faixas.no_b = b;
    faixas.defasagens_do_par = defasagens_do_segundo_no;
    if (!executar_em_faixas(ctx, 4, ctx.buscas.periodo_de_otimizacao, quant, faixas.defasagens_por_entrada, faixas_em_fila)) return false;
    return terminar_faixas(ctx, false);
}

bool simular_vizinhanca_em_faixas(const rede_em_calculo& ctx, int quant, int no, const inicios_das_faixas& inicios) {
    execucao& area = ctx.simulacao.area;
    area_das_faixas& faixas = ctx.simulacao.faixas;
    comecar_conjunto(ctx, true);
    incluir_vizinhanca(ctx, ctx.buscas.candidato_corrente);
    for (int j = 0; j < std::min(quant, max_faixas); ++j)
        for (int e = 0; e < area.quant_de_nos; ++e) faixas.defasagens_por_entrada[j][e] = area.defasagens[e];
    if (no < 0 || no > max_nos) return false;
    faixas.variante = variante_das_faixas::vizinhanca;
    faixas.inicios_por_faixa = &inicios;
    faixas.no_dos_inicios = no;
    const bool servem = executar_em_faixas(ctx, 4, ctx.buscas.periodo_local, quant, faixas.defasagens_por_entrada, faixas_em_fila);
    faixas.inicios_por_faixa = nullptr;
    if (!servem) return false;
    return terminar_faixas(ctx, false);
}

bool faixa_precisa_de_sequencia(const rede_em_calculo& ctx, int j) {
    area_das_faixas& faixas = ctx.simulacao.faixas; return j < 0 || j >= faixas.quant || faixas.conferir[j]; }

execucoes_feitas contar_execucoes(const contexto_da_rede& c) { return c.simulacao.execucoes; }

Single resultado_da_faixa(const rede_em_calculo& ctx, int j) {
    area_das_faixas& faixas = ctx.simulacao.faixas; return faixas.resultado[j]; }

void devolver_faixa(const rede_em_calculo& ctx, int j) {
    area_das_faixas& faixas = ctx.simulacao.faixas;
    devolver_faixa_da_area(ctx, j);
    switch (faixas.variante) {
        case variante_das_faixas::rede:
        case variante_das_faixas::caminho: ctx.buscas.indice_de_desempenho = faixas.resultado[j]; break;
        case variante_das_faixas::vizinhanca: ctx.buscas.indice_da_vizinhanca = faixas.resultado[j]; break;
        case variante_das_faixas::par:
            ctx.buscas.defasagem_tentativa(faixas.no_a) = 0;
            ctx.buscas.defasagem_tentativa(faixas.no_b) = faixas.defasagens_do_par[j];
            ctx.buscas.custo_da_defasagem(faixas.defasagens_do_par[j]) = faixas.resultado[j];
            break;
    }
}

namespace {
// A escolha do processo: as buscas simulam em faixas? -1 = com AVX2.
int faixas_nas_buscas_do_processo = -1;
}  // namespace

bool buscas_em_faixas() { return faixas_nas_buscas_do_processo < 0 ? avx2_no_processo : faixas_nas_buscas_do_processo == 1; }

bool ligar_buscas_em_faixas(bool ligar) {
    const bool antes = buscas_em_faixas();
    faixas_nas_buscas_do_processo = ligar ? 1 : 0;
    return antes;
}

bool usar_instrucoes_avx2(bool usar) {
    const bool antes = avx2_no_processo;
    avx2_no_processo = usar && tem_avx2();
    return antes;
}

}  // namespace orvel
