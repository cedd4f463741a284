#pragma once
// Números nas caixas de texto dos diálogos.
//
// O que se digita numa caixa numérica é lido pela regra de leitura dos números (o número no
// início do texto, com o ponto como único separador decimal: "12,5" é 12) e guardado no tipo
// da cópia de edição, arredondado metade para o par; um valor que o tipo não comporta é a
// falha de estouro de quem guarda, nunca um valor fora do tipo.
//
// Uma caixa mostra o valor guardado com o ponto como separador, qualquer que seja o separador
// regional: assim o que ela mostra é lido de volta sem perda quando a caixa perde o foco.
// O valor 0 aparece como caixa vazia.

#include <string>
#include <string_view>

#include "plataforma/tipos.h"

namespace orvel {

Byte byte_da_caixa(std::string_view texto);
Integer integer_da_caixa(std::string_view texto);
Single single_da_caixa(std::string_view texto);

std::string caixa_de_inteiro(long long valor);  // "" para 0
std::string caixa_de_single(Single valor);      // "" para 0

}  // namespace orvel
