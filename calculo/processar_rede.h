#pragma once
// O processamento inteiro: valida a rede e, válida, chama cada etapa uma vez, na ordem, e
// salva o projeto com os resultados.

#include "calculo/rede_em_calculo.h"

namespace orvel {

// O processamento da rede do contexto dado, falando com o usuário pelo observador dado. Salva,
// no fim, o projeto desse contexto.
void processar_rede(contexto_da_rede& c, observador_do_calculo& observador);

// As etapas, na ordem em que o processamento as chama. Os testes podem trocá-las.
struct etapas_do_processamento {
    void (*validar)(const rede_em_calculo&);
    void (*zerar)(const rede_em_calculo&);
    void (*copiar)(const rede_em_calculo&);
    void (*preparar)(const rede_em_calculo&);
    void (*ciclo_minimo)(const rede_em_calculo&);
    void (*tempo_de_ciclo)(const rede_em_calculo&);
    void (*tempos_de_verde)(const rede_em_calculo&);
    void (*verdes_de_seguranca)(const rede_em_calculo&);
    void (*defasagens_iniciais)(const rede_em_calculo&);
    void (*intervalos_repetidos)(const rede_em_calculo&);
    void (*defasagens_do_caminho)(const rede_em_calculo&);
    void (*defasagens_da_rede)(const rede_em_calculo&);
    void (*resultados)(const rede_em_calculo&);
    bool (*salvar)(contexto_da_rede&, observador_do_calculo&);
};

etapas_do_processamento& etapas();
etapas_do_processamento etapas_de_verdade();

// Pergunta "você quer salvar o projeto?" (Sim, Não, Cancelar) pelo observador dado, que também
// salva. Devolve true quando o comando pode seguir: sem alterações, "Não", ou "Sim" com o
// arquivo de fato gravado. "Não" não muda nada: quem segue e deixa o projeto esquece as
// alterações. "Cancelar", ou um "Sim" cujo salvamento não gravou (diálogo cancelado,
// substituição recusada, falha), devolve false e deixa o projeto como estava.
bool perguntar_se_salva(contexto_da_rede& ctx, observador_do_calculo& observador);

}  // namespace orvel
