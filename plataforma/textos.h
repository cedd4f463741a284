#pragma once
// Operações de texto: aparar, maiúsculas (com acentos) e a comparação de nomes.
// Os textos são guardados em UTF-8.

#include <string>
#include <string_view>

namespace orvel {

// Tira os espaços das duas pontas (só o caractere espaço, como o Trim).
std::string aparar(std::string_view texto);

// Maiúsculas, também das letras acentuadas do Latin-1 ("são joão" -> "SÃO JOÃO").
std::string maiusculas(std::string_view texto);

// Dois nomes são iguais quando o são depois de aparados e postos em maiúsculas.
bool nomes_iguais(std::string_view a, std::string_view b);

// Texto depois da última barra ("/" ou "\"); o texto todo quando não há barra.
std::string parte_do_nome_do_arquivo(std::string_view caminho);

}  // namespace orvel
