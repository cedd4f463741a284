#pragma once
// Número para texto e texto para número, sem as funções de localidade da biblioteca C.

#include <string>
#include <string_view>

#include "plataforma/tipos.h"

namespace orvel {

// O separador decimal das configurações regionais do usuário ("," ou "."). O programa
// instala o do sistema ao iniciar; os testes o escolhem aqui.
char separador_decimal();
void definir_separador_decimal(char separador);

// Forma de texto dos números: sem espaço à frente, sem separador de milhares, com o
// separador decimal regional. Single com até 7 algarismos significativos (formatado como
// float), double com até 15; notação científica ("1E+07") a partir do expoente 7 (15) e
// abaixo de 1E-04, como "%G"; zero negativo sai "0".
std::string texto_de_single(Single v);
std::string texto_de_double(double v);
std::string texto_de_inteiro(long long v);
std::string texto_de_booleano(bool v);  // "True" / "False"

// Regra de leitura: o número no início do texto. Brancos, tabulações e quebras de linha são
// ignorados em qualquer ponto; lê sinal, algarismos com no máximo um ponto decimal e expoente
// opcional ("E" ou "D"); "&H" e "&O" leem hexadecimal e octal; a leitura para no primeiro
// outro caractere; sem algarismos dá 0 ("12abc" = 12, "1,5" = 1, "" e "-" = 0).
double ler_numero(std::string_view texto);

// A mesma regra, aceitando também a vírgula como ponto decimal: é a leitura dos valores
// numéricos isolados de um arquivo de projeto, gravado sob qualquer separador regional.
double ler_numero_do_arquivo(std::string_view texto);

}  // namespace orvel
