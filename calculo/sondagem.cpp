#include "calculo/sondagem.h"

#include "calculo/calcular_resultados.h"
#include "calculo/observador_do_calculo.h"
#include "modelo/rede.h"

namespace orvel {

void sondar_parada() {
    observador_do_calculo_instalado().sondar();
    if (parar_processamento) calcular_resultados();
}

void guardar_revisao_do_comeco_da_execucao() { contexto_global.buscas.revisao_no_comeco_da_execucao = revisao_da_rede; }

bool faixas_depois_da_parada() {
    return !parar_processamento || revisao_da_rede == contexto_global.buscas.revisao_no_comeco_da_execucao;
}

}  // namespace orvel
