#include "plataforma/textos.h"

namespace orvel {

std::string aparar(std::string_view texto) {
    const auto ini = texto.find_first_not_of(' ');
    if (ini == std::string_view::npos) return {};
    const auto fim = texto.find_last_not_of(' ');
    return std::string(texto.substr(ini, fim - ini + 1));
}

std::string maiusculas(std::string_view texto) {
    std::string s;
    s.reserve(texto.size());
    for (std::size_t i = 0; i < texto.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(texto[i]);
        if (c >= 'a' && c <= 'z') {
            s += static_cast<char>(c - 'a' + 'A');
        } else if (c == 0xC3 && i + 1 < texto.size()) {
            const unsigned char d = static_cast<unsigned char>(texto[i + 1]);
            ++i;
            if (d == 0xBF) {
                s += "\xC5\xB8";  // ÿ -> Ÿ
            } else {
                // U+00E0..U+00FE, menos o sinal de divisão U+00F7: a maiúscula está 0x20 abaixo.
                s += static_cast<char>(c);
                s += static_cast<char>((d >= 0xA0 && d <= 0xBE && d != 0xB7) ? d - 0x20 : d);
            }
        } else {
            s += static_cast<char>(c);
        }
    }
    return s;
}

bool nomes_iguais(std::string_view a, std::string_view b) { return maiusculas(aparar(a)) == maiusculas(aparar(b)); }

std::string parte_do_nome_do_arquivo(std::string_view caminho) {
    const auto p = caminho.find_last_of("/\\");
    if (p == std::string_view::npos) return std::string(caminho);
    return std::string(caminho.substr(p + 1));
}

}  // namespace orvel
