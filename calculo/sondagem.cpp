#include "calculo/sondagem.h"

#include "calculo/calcular_resultados.h"
#include "modelo/rede.h"
#include "plataforma/servicos.h"

namespace orvel {

void sondar_parada() {
    servicos().processar_eventos_pendentes();
    if (parar_processamento) calcular_resultados();
}

}  // namespace orvel
