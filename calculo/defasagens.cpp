#include "calculo/defasagens.h"

namespace orvel {

void calcular_defasagens_iniciais() {
    // Período de simulação, caminho principal, defasagens dos escravos e busca por pares: ainda não construído.
}

void otimizar_intervalos_repetidos() {
    // Deslocamento de tempo entre intervalos repetidos: ainda não construído.
}

void otimizar_defasagens_do_caminho() {
    // Refinamento das defasagens no caminho principal: ainda não construído.
}

void otimizar_defasagens_da_rede() {
    // Refinamento das defasagens nos níveis em volta do caminho: ainda não construído.
}

}  // namespace orvel
