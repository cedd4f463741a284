#include "calculo/distribuir_tempos_de_verde.h"

#include <array>

#include "modelo/tabelas_de_calculo.h"
#include "plataforma/falha.h"
#include "plataforma/tipos.h"

namespace orvel {

namespace {

Integer somar(Long a, Long b) { return para_integer(a + b); }

// Conta feita em precisão dupla e guardada como Single antes de arredondar.
Integer arredondar_pela_single(double v) { return para_integer(verificar_single(v)); }

Single y_do_grupo(int n, int g) { return y(link_critico_do_grupo(n, g)); }

// Intervalo k da sequência do nó contado além de n: repete o intervalo k - n.
int no_ciclo(int k, int n) { return n > 0 ? (k - 1) % n + 1 : k; }

bool verde(int n, int g, int k, int intervalos) {
    return grupo_verde_no_intervalo(n, g, no_ciclo(k, intervalos));
}

// As cópias além do fim da sequência não são impostas.
bool imposta(int n, int k, int intervalos) { return k <= intervalos && duracao_eh_imposta(n, k); }

// Duração imposta de um intervalo; num ciclo duplo a segunda metade repete a primeira.
Integer duracao_imposta_do_intervalo(int n, int k) {
    const int antes = quant_de_intervalos_antes(n);
    return duracao_imposta(n, eh_ciclo_duplo(n) && antes > 0 ? no_ciclo(k, antes) : k);
}

// Verde de cada grupo crítico. Sem fluxo para repartir (Y = 0), o verde calculado é 0 e os
// intervalos verdes recebem o mínimo.
void verdes_dos_grupos_criticos(int n, std::array<Integer, max_grupos + 1>& verde_do_grupo) {
    const int grupos = quant_de_grupos(n);
    const Integer perdido = tempo_perdido_do_no(n);
    const Integer disponivel = somar(t_de_ciclo_calculado, -Long(perdido));
    const Single y_no = y_critico_do_no(n);

    auto pela_proporcao = [&] {
        for (int g = 1; g <= grupos; ++g) {
            if (!grupo_eh_critico(n, g)) continue;
            verde_do_grupo[g] = y_no == 0 ? Integer(0)
                                          : arredondar_pela_single(double(disponivel) * double(y_do_grupo(n, g)) / double(y_no));
        }
    };

    if (!eh_no_demandado(n)) {
        pela_proporcao();
        return;
    }

    // Nó demandado: o grupo beneficiado (o crítico verde no intervalo beneficiado) recebe o
    // tempo que a demanda deixa de usar, na média.
    int beneficiado = 0;
    for (int g = 1; g <= grupos; ++g)
        if (grupo_eh_critico(n, g) && grupo_verde_no_intervalo(n, g, intervalo_beneficiado(n))) beneficiado = g;
    if (beneficiado == 0 || y_do_grupo(n, beneficiado) == 0) {
        pela_proporcao();
        return;
    }

    const Single y_b = y_do_grupo(n, beneficiado);
    Single y_r = 0;
    for (int g = 1; g <= grupos; ++g)
        if (grupo_eh_critico(n, g) && !grupo_verde_no_intervalo(n, g, intervalo_beneficiado(n))) y_r = y_r + y_do_grupo(n, g);
    const Integer demandado = duracao_do_intervalo(n, intervalo_demandado(n));
    const double p = probabilidade_de_demanda(n);
    const Integer a = somar(disponivel, demandado);

    const double fator = (1.0 - p) * double(y_r) / double(y_b) + 1.0;
    verde_do_grupo[beneficiado] =
        arredondar_pela_single((double(a) - fator * double(demandado)) * double(y_b) / (double(y_b) + double(y_r)));

    const Integer resto = somar(disponivel, -Long(verde_do_grupo[beneficiado]));
    for (int g = 1; g <= grupos; ++g) {
        if (!grupo_eh_critico(n, g) || g == beneficiado) continue;
        verde_do_grupo[g] = y_r == 0 ? Integer(0) : arredondar_pela_single(double(resto) * double(y_do_grupo(n, g)) / double(y_r));
    }
}

void intervalos_dos_grupos_criticos(int n, std::array<Integer, max_grupos + 1>& verde_do_grupo) {
    const int intervalos = quant_de_intervalos_depois(n);
    for (int g = 1; g <= quant_de_grupos(n); ++g) {
        if (!grupo_eh_critico(n, g)) continue;
        Integer imposto = 0;
        int livres = 0;
        for (int k = 1; k <= intervalos; ++k) {
            if (!grupo_verde_no_intervalo(n, g, k)) continue;
            if (duracao_eh_imposta(n, k)) imposto = somar(imposto, duracao_imposta_do_intervalo(n, k));
            else ++livres;
        }
        if (imposto > verde_do_grupo[g]) verde_do_grupo[g] = imposto;
        if (livres == 0) continue;
        Integer cada = para_integer(dividir_double(double(somar(verde_do_grupo[g], -Long(imposto))), double(livres)));
        if (cada < 1) cada = 1;
        for (int k = 1; k <= intervalos; ++k)
            if (grupo_verde_no_intervalo(n, g, k) && !duracao_eh_imposta(n, k)) duracao_do_intervalo(n, k) = cada;
    }
}

// Um grupo crítico verde em k, k+1 e k+2, com k+1 imposto entre dois livres: o tempo de k e
// k+2 é repartido pelos grupos não críticos mais fortes que abrem em cada um deles.
void reparar_intervalos_vazios(int n) {
    const int intervalos = quant_de_intervalos_depois(n);
    const int grupos = quant_de_grupos(n);
    bool algum_vazio = false;
    for (int k = 1; k <= intervalos; ++k) algum_vazio = algum_vazio || duracao_do_intervalo(n, k) == 0;
    if (!algum_vazio) return;

    for (int g = 1; g <= grupos; ++g) {
        if (!grupo_eh_critico(n, g)) continue;
        for (int i = 1; i <= 3; ++i) duracao_do_intervalo(n, intervalos + i) = duracao_do_intervalo(n, i);

        for (int k = 1; k <= intervalos; ++k) {
            if (!(verde(n, g, k, intervalos) && verde(n, g, k + 1, intervalos) && verde(n, g, k + 2, intervalos))) continue;
            if (imposta(n, k, intervalos) || !imposta(n, k + 1, intervalos) || imposta(n, k + 2, intervalos)) continue;

            Single y1 = 0;
            int g1 = 0;
            for (int h = 1; h <= grupos; ++h) {
                if (verde(n, h, k, intervalos) && !grupo_eh_critico(n, h) && y_do_grupo(n, h) > y1) {
                    y1 = y_do_grupo(n, h);
                    g1 = h;
                }
            }
            // Além de n só há as cópias dos grupos críticos: um grupo não crítico não está
            // verde na cópia n + 1.
            Single y2 = 0;
            for (int h = 1; h <= grupos; ++h) {
                const bool verde_em_k2 = k + 2 <= intervalos && grupo_verde_no_intervalo(n, h, k + 2);
                if (h != g1 && verde_em_k2 && !grupo_eh_critico(n, h) && y_do_grupo(n, h) > y2) y2 = y_do_grupo(n, h);
            }
            if (y1 == 0 || y2 == 0) y1 = y2 = 1;

            const Integer total = somar(duracao_do_intervalo(n, k), duracao_do_intervalo(n, k + 2));
            const double soma_dos_y = double(y1) + double(y2);
            duracao_do_intervalo(n, k) = arredondar_pela_single(double(total) * double(y1) / soma_dos_y);
            duracao_do_intervalo(n, k + 2) = arredondar_pela_single(double(total) * double(y2) / soma_dos_y);
        }
    }
}

Integer escolher_ciclo_final(Integer maior_total) {
    if (t_de_ciclo_imposto != 0) return t_de_ciclo_imposto;
    const Long multiplo_acima = Long(maior_total) / 5 * 5 + 5;
    if (multiplo_acima > t_de_ciclo_maximo) return t_de_ciclo_maximo;
    if (maior_total % 5 == 0) return maior_total;
    return para_integer(multiplo_acima);
}

void ajustar_ao_ciclo(int n, Integer total) {
    const int intervalos = quant_de_intervalos_depois(n);
    if (total < t_de_ciclo) {
        // A falta é dada de segundo em segundo, em volta dos intervalos não impostos.
        bool algum_livre = false;
        for (int k = 1; k <= intervalos; ++k) algum_livre = algum_livre || !duracao_eh_imposta(n, k);
        if (!algum_livre) return;
        Long falta = Long(t_de_ciclo) - total;
        for (int k = 1; falta > 0; k = k % intervalos + 1) {
            if (duracao_eh_imposta(n, k)) continue;
            duracao_do_intervalo(n, k) = somar(duracao_do_intervalo(n, k), 1);
            --falta;
        }
    } else if (total > t_de_ciclo) {
        // O excesso sai de segundo em segundo do maior intervalo livre do grupo mais forte.
        int mais_forte = 0;
        Single maior_y = 0;
        for (int g = 1; g <= quant_de_grupos(n); ++g) {
            if (y_do_grupo(n, g) > maior_y) {
                maior_y = y_do_grupo(n, g);
                mais_forte = g;
            }
        }
        if (mais_forte == 0) return;
        Long excesso = Long(total) - t_de_ciclo;
        while (excesso > 0) {
            int escolhido = 0;
            Integer maior = 0;
            for (int k = 1; k <= intervalos; ++k) {
                if (grupo_verde_no_intervalo(n, mais_forte, k) && !duracao_eh_imposta(n, k) && duracao_do_intervalo(n, k) > maior) {
                    maior = duracao_do_intervalo(n, k);
                    escolhido = k;
                }
            }
            if (escolhido == 0) return;  // nada mais pode ceder
            duracao_do_intervalo(n, escolhido) = somar(duracao_do_intervalo(n, escolhido), -1);
            --excesso;
        }
    }
}

}  // namespace

void distribuir_tempos_de_verde() {
    com_codigo("Erro 124", [] {
        for (int n = 1; n <= max_indice_no; ++n) {
            if (!existe_no(n)) continue;
            std::array<Integer, max_grupos + 1> verde_do_grupo{};
            verdes_dos_grupos_criticos(n, verde_do_grupo);
            intervalos_dos_grupos_criticos(n, verde_do_grupo);
            reparar_intervalos_vazios(n);
        }

        std::array<Integer, max_nos + 1> total{};
        Integer maior_total = 0;
        for (int n = 1; n <= max_indice_no; ++n) {
            if (!existe_no(n)) continue;
            for (int k = 1; k <= quant_de_intervalos_depois(n); ++k) total[n] = somar(total[n], duracao_do_intervalo(n, k));
            if (total[n] > maior_total) maior_total = total[n];
        }

        t_de_ciclo = escolher_ciclo_final(maior_total);

        for (int n = 1; n <= max_indice_no; ++n)
            if (existe_no(n)) ajustar_ao_ciclo(n, total[n]);
    });
}

}  // namespace orvel
