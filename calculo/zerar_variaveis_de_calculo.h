#pragma once

namespace orvel {

// Devolve as tabelas do cálculo ao estado vazio, no início de cada "Processar" válido e ao
// carregar a janela principal. Nas linhas de nó, só limpa as posições em uso.
void zerar_variaveis_de_calculo();

// O nome da rede e as opções nas cópias de trabalho (impostas e efetivas), zerados.
void zerar_opcoes_de_trabalho();

}  // namespace orvel
