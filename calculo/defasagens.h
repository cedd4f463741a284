#pragma once
// Etapas das defasagens e do deslocamento de tempo entre intervalos repetidos.

namespace orvel {

void calcular_defasagens_iniciais();      // "Erro 134"
void otimizar_intervalos_repetidos();     // "Erro 144"
void otimizar_defasagens_do_caminho();    // "Erro 138"
void otimizar_defasagens_da_rede();       // "Erro 143"

}  // namespace orvel
