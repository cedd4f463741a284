#pragma once
// Criação e eliminação dos nós e links do desenho, e as marcas de seleção.

namespace orvel {

void inserir_no();                    // "Erro 1"
void inserir_link();                  // "Erro 156"
void eliminar_no();                   // "Erro 155"
void eliminar_link();                 // "Erro 120"
void esconder_marcas_de_selecao();    // sem código: a falha é de quem chamou

// Passada crescente que só atribui: sem posição em uso, o máximo fica como estava.
void recalcular_max_indice_no();
void recalcular_max_indice_link();

}  // namespace orvel
