#include "calculo/sondagem.h"

#include "calculo/calcular_resultados.h"
#include "calculo/observador_do_calculo.h"
#include "calculo/rede_em_calculo.h"

namespace orvel {

void sondar_parada(const rede_em_calculo& ctx) {
    ctx.observador.sondar();
    if (ctx.projeto.parar_processamento) calcular_resultados(ctx);
}

}  // namespace orvel
