#pragma once
// Percorre todos os elementos de uma tabela com os seus índices, para os testes de limpeza.

#include <array>
#include <cstddef>

#include "plataforma/tabela.h"

namespace orvel::teste {

template <class T, int... L, class F>
void percorrer(tabela<T, L...>& t, F&& f) {
    constexpr std::size_t n = sizeof...(L);
    constexpr std::array<int, n> lim{L...};
    T* d = t.dados();
    for (std::size_t p = 0; p < tabela<T, L...>::total; ++p) {
        std::array<int, n> idx{};
        std::size_t r = p;
        for (std::size_t k = n; k-- > 0;) {
            idx[k] = static_cast<int>(r % (static_cast<std::size_t>(lim[k]) + 1));
            r /= static_cast<std::size_t>(lim[k]) + 1;
        }
        f(idx, d[p]);
    }
}

}  // namespace orvel::teste
