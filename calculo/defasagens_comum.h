#pragma once
// Auxiliares das etapas das defasagens (sem código de local: a falha sobe para a etapa).

#include <cmath>

#include "calculo/rede_em_calculo.h"
#include "plataforma/falha.h"
#include "plataforma/tipos.h"

namespace orvel::defasagens {

// Leva o valor a 0..C − 1 somando ou tirando C quantas vezes for preciso.
inline Integer reduzir_ao_ciclo(Long valor, Integer C) {
    if (C <= 0) falhar(tipo_de_falha::divisao_por_zero);
    Long r = valor % C;
    if (r < 0) r += C;
    return static_cast<Integer>(r);
}

inline Integer somar(Long a, Long b) { return para_integer(a + b); }

// Int(segundos / C) × C: o período de segundos inteiros de ciclos.
inline Integer periodo_em_ciclos(Integer segundos, Integer C) {
    const Integer ciclos = para_integer(std::floor(dividir_single(Single(segundos), Single(C))));
    return para_integer(Long(ciclos) * Long(C));
}

// Os escravos do mestre passam a ter a defasagem dele mais `defasagem_do_escravo`.
template <class Tabela>
void escravos_acompanham(const rede_em_calculo& ctx, Tabela& defasagens, int mestre) {
    if (!ctx.derivados.eh_no_mestre(mestre)) return;
    for (int s = 1; s <= ctx.rede.max_indice_no; ++s)
        if (ctx.rede.existe_no(s) && ctx.derivados.eh_escravo_valendo(s) && ctx.derivados.no_mestre(s) == mestre)
            defasagens(s) = somar(defasagens(mestre), ctx.derivados.defasagem_do_escravo(s));
}

// Todo escravo acompanha o seu mestre.
template <class Tabela>
void todos_os_escravos_acompanham(const rede_em_calculo& ctx, Tabela& defasagens) {
    for (int s = 1; s <= ctx.rede.max_indice_no; ++s)
        if (ctx.rede.existe_no(s) && ctx.derivados.eh_escravo_valendo(s)) defasagens(s) = somar(defasagens(ctx.derivados.no_mestre(s)), ctx.derivados.defasagem_do_escravo(s));
}

// Move o nó (e os seus escravos com ele).
template <class Tabela>
void mover_no(const rede_em_calculo& ctx, Tabela& defasagens, int no, Long segundos) {
    defasagens(no) = somar(defasagens(no), segundos);
    escravos_acompanham(ctx, defasagens, no);
}

}  // namespace orvel::defasagens
