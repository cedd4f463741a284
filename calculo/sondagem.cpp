#include "calculo/sondagem.h"

#include "calculo/calcular_resultados.h"
#include "calculo/observador_do_calculo.h"
#include "modelo/rede.h"

namespace orvel {

void sondar_parada() {
    observador_do_calculo_instalado().sondar();
    if (parar_processamento) calcular_resultados();
}

}  // namespace orvel
