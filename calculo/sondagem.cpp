#include "calculo/sondagem.h"

#include "calculo/calcular_resultados.h"
#include "calculo/observador_do_calculo.h"
#include "calculo/rede_em_calculo.h"

namespace orvel {

void sondar_parada(const rede_em_calculo& ctx) {
    ctx.observador.sondar();
    if (ctx.projeto.parar_processamento) calcular_resultados(ctx);
}

void guardar_revisao_do_comeco_da_execucao(const rede_em_calculo& ctx) {
    ctx.buscas.revisao_no_comeco_da_execucao = ctx.projeto.revisao_da_rede;
}

bool faixas_depois_da_parada(const rede_em_calculo& ctx) {
    return !ctx.projeto.parar_processamento || ctx.projeto.revisao_da_rede == ctx.buscas.revisao_no_comeco_da_execucao;
}

}  // namespace orvel
