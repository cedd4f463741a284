#include "calculo/atender_verdes_de_seguranca.h"

#include <vector>

#include "calculo/observador_do_calculo.h"
#include "calculo/rede_em_calculo.h"
#include "plataforma/falha.h"
#include "plataforma/servicos.h"
#include "plataforma/tipos.h"

namespace orvel {

namespace {

constexpr int max_rodadas = 1000;

// Uma sequência de verde: intervalos consecutivos em que o grupo fica verde, contados na
// sequência dobrada 1..2n (o intervalo n + k repete o k).
struct sequencia_de_verde {
    int grupo = 0;
    std::vector<int> intervalos;
    Integer duracao = 0;
};

Integer somar(Long a, Long b) { return para_integer(a + b); }

int no_ciclo(int k, int intervalos) { return (k - 1) % intervalos + 1; }

// As sequências começam num intervalo 1..n em que o grupo fica verde sem estar verde no
// anterior (o anterior do 1 é o n, guardado na entrada 0). Um grupo sempre verde não tem
// sequência.
std::vector<sequencia_de_verde> sequencias_de_verde(const rede_em_calculo& ctx, int n, int intervalos) {
    std::vector<sequencia_de_verde> sequencias;
    for (int g = 1; g <= ctx.copias.quant_de_grupos(n); ++g) {
        for (int k = 1; k <= intervalos; ++k) {
            if (!ctx.derivados.grupo_verde_no_intervalo(n, g, k) || ctx.derivados.grupo_verde_no_intervalo(n, g, k - 1)) continue;
            sequencia_de_verde s;
            s.grupo = g;
            for (int j = k; j <= 2 * intervalos && ctx.derivados.grupo_verde_no_intervalo(n, g, no_ciclo(j, intervalos)); ++j) {
                s.intervalos.push_back(j);
                s.duracao = somar(s.duracao, ctx.derivados.duracao_do_intervalo(n, no_ciclo(j, intervalos)));
            }
            sequencias.push_back(std::move(s));
        }
    }
    return sequencias;
}

Long falta_de_verde(const rede_em_calculo& ctx, int n, const sequencia_de_verde& s) {
    return Long(s.duracao) - ctx.derivados.verde_de_seguranca_do_grupo(n, s.grupo);
}

// O maior intervalo livre (com tempo) fora da pior sequência, entre os `permitidos`.
int maior_intervalo_livre(const rede_em_calculo& ctx, int n, int intervalos, const std::vector<bool>& na_pior, const std::vector<bool>& permitido) {
    int escolhido = 0;
    Integer maior = 0;
    for (int k = 1; k <= intervalos; ++k) {
        if (ctx.derivados.duracao_eh_imposta(n, k) || na_pior[k] || !permitido[k]) continue;
        if (ctx.derivados.duracao_do_intervalo(n, k) > maior) {
            maior = ctx.derivados.duracao_do_intervalo(n, k);
            escolhido = k;
        }
    }
    return escolhido;
}

// Rodadas de um segundo: a pior sequência recebe no seu menor intervalo livre o segundo que
// o maior intervalo livre de fora dela cede. Devolve se toda sequência atingiu o seu verde
// de segurança.
bool passar_segundos_para_os_verdes(const rede_em_calculo& ctx, int n, int intervalos) {
    for (int rodada = 0;; ++rodada) {
        const auto sequencias = sequencias_de_verde(ctx, n, intervalos);
        const sequencia_de_verde* pior = nullptr;
        Long pior_falta = 0;
        for (const auto& s : sequencias) {
            const Long falta = falta_de_verde(ctx, n, s);
            if (falta < pior_falta) {
                pior_falta = falta;
                pior = &s;
            }
        }
        if (pior == nullptr) return true;
        if (rodada == max_rodadas) return false;

        int recebedor = 0;
        Integer menor = 255;
        for (int j : pior->intervalos) {
            const int k = no_ciclo(j, intervalos);
            if (!ctx.derivados.duracao_eh_imposta(n, k) && ctx.derivados.duracao_do_intervalo(n, k) < menor) {
                menor = ctx.derivados.duracao_do_intervalo(n, k);
                recebedor = k;
            }
        }
        // Sem intervalo livre na pior sequência nada muda de uma rodada para a outra.
        if (recebedor == 0) return false;

        std::vector<bool> na_pior(intervalos + 1, false);
        for (int j : pior->intervalos) na_pior[no_ciclo(j, intervalos)] = true;

        // De preferência, um doador cuja perda não deixe sequência alguma que o contém abaixo
        // do seu verde de segurança: assim duas sequências curtas não trocam o mesmo segundo
        // para sempre.
        std::vector<bool> sem_prejuizo(intervalos + 1, true);
        for (const auto& s : sequencias)
            if (falta_de_verde(ctx, n, s) - 1 < 0)
                for (int j : s.intervalos) sem_prejuizo[no_ciclo(j, intervalos)] = false;
        int doador = maior_intervalo_livre(ctx, n, intervalos, na_pior, sem_prejuizo);
        if (doador == 0) doador = maior_intervalo_livre(ctx, n, intervalos, na_pior, std::vector<bool>(intervalos + 1, true));

        ctx.derivados.duracao_do_intervalo(n, recebedor) = somar(ctx.derivados.duracao_do_intervalo(n, recebedor), 1);
        if (doador != 0) ctx.derivados.duracao_do_intervalo(n, doador) = somar(ctx.derivados.duracao_do_intervalo(n, doador), -1);
    }
}

// Durações com a demanda: o intervalo demandado perde, em média, o tempo que a demanda não
// usa, e o beneficiado o ganha. O demandado nunca fica abaixo de 0 s; o beneficiado ganha só
// o que foi de fato tirado.
void calcular_duracoes_com_demanda(const rede_em_calculo& ctx, int n, int intervalos) {
    const int demandado = ctx.copias.intervalo_demandado(n);
    const int beneficiado = ctx.copias.intervalo_beneficiado(n);
    const Integer nao_usado = ctx.derivados.tempo_nao_usado_da_demanda(n);
    Integer tirado = nao_usado;
    if (demandado >= 1 && demandado <= intervalos && ctx.derivados.duracao_do_intervalo(n, demandado) < tirado)
        tirado = ctx.derivados.duracao_do_intervalo(n, demandado);

    for (int k = 1; k <= intervalos; ++k) {
        Integer d = ctx.derivados.duracao_do_intervalo(n, k);
        if (k == demandado) d = somar(ctx.derivados.duracao_do_intervalo(n, k), -Long(tirado));
        if (k == beneficiado) d = somar(ctx.derivados.duracao_do_intervalo(n, k), demandado == beneficiado ? nao_usado : tirado);
        ctx.derivados.duracao_com_demanda(n, k) = d;
    }
    ctx.derivados.duracao_com_demanda(n, 0) = 0;
    for (int k = intervalos + 1; k <= 2 * intervalos && k <= limite_de_intervalos; ++k) ctx.derivados.duracao_com_demanda(n, k) = 0;
    ctx.derivados.duracao_do_intervalo(n, 0) = 0;
}

// Devolve false quando os verdes de segurança do nó não puderam ser atendidos.
bool atender_no(const rede_em_calculo& ctx, int n) {
    const int intervalos = ctx.derivados.quant_de_intervalos_depois(n);
    const int grupos = ctx.copias.quant_de_grupos(n);

    for (int g = 1; g <= grupos; ++g) ctx.derivados.grupo_verde_no_intervalo(n, g, 0) = ctx.derivados.grupo_verde_no_intervalo(n, g, intervalos);
    for (int k = 1; k <= intervalos && intervalos + k <= max_intervalos_de_inicio; ++k)
        ctx.derivados.duracao_eh_imposta(n, intervalos + k) = ctx.derivados.duracao_eh_imposta(n, k);

    if (intervalos > 0 && !passar_segundos_para_os_verdes(ctx, n, intervalos)) {
        ctx.observador.mensagem("Não foi possível atender aos verdes de segurança", estilo_ok, "Aviso");
        ctx.derivados.verdes_de_seguranca_nao_atendidos = true;
        return false;
    }

    Integer soma = 0;
    for (int k = 1; k <= intervalos; ++k) soma = somar(soma, ctx.derivados.duracao_do_intervalo(n, k));
    if (soma > ctx.derivados.t_de_ciclo)
        ctx.observador.mensagem(
            "Não foi possível atender, simultaneamente, aos verdes de segurança e ao máximo tempo de ciclo permitido",
            estilo_ok, "Aviso");

    calcular_duracoes_com_demanda(ctx, n, intervalos);

    ctx.derivados.inicio_do_intervalo(n, 1) = 1;
    for (int k = 1; k <= intervalos - 1; ++k)
        ctx.derivados.inicio_do_intervalo(n, k + 1) = somar(ctx.derivados.inicio_do_intervalo(n, k), ctx.derivados.duracao_com_demanda(n, k));
    ctx.derivados.inicio_do_intervalo(n, intervalos + 1) = somar(ctx.derivados.t_de_ciclo, 1);

    for (int g = 1; g <= grupos; ++g)
        for (int k = 1; k <= intervalos; ++k) ctx.resultados.cor_do_intervalo_do_grupo_depois(n, g, k) = ctx.copias.cor_do_intervalo_do_grupo(n, g, k);
    return true;
}

}  // namespace

void atender_verdes_de_seguranca(const rede_em_calculo& ctx) {
    ctx.derivados.verdes_de_seguranca_nao_atendidos = false;
    com_codigo(ctx.observador, "Erro 125", [&] {
        for (int n = 1; n <= ctx.rede.max_indice_no; ++n)
            if (ctx.rede.existe_no(n) && !atender_no(ctx, n)) return;

        // Tempo de verde de cada link no ciclo do seu nó de destino (num ciclo duplo, o do
        // primeiro dos dois ciclos).
        for (int l = 1; l <= ctx.rede.max_indice_link; ++l) {
            if (!ctx.rede.existe_link(l)) continue;
            const int m = ctx.derivados.no_destino(l);
            Integer verde = 0;
            for (int k = 1; k <= ctx.copias.quant_de_intervalos_antes(m); ++k)
                if (ctx.derivados.link_verde_no_intervalo(l, k)) verde = somar(verde, ctx.derivados.duracao_do_intervalo(m, k));
            ctx.derivados.t_de_verde_do_link(l) = verde;
        }
    });
}

}  // namespace orvel
