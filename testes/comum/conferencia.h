#pragma once
// Confere uma limpeza: envenena cada tabela inteira e, depois da limpeza, verifica que os
// elementos que ela deve limpar estão vazios e que todos os outros ainda têm o veneno.

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <set>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

#include "comum/percorrer.h"

namespace orvel::teste {

template <class T>
T veneno_de() {
    if constexpr (std::is_same_v<T, std::string>) return "veneno";
    else if constexpr (std::is_same_v<T, bool>) return true;
    else return static_cast<T>(7);
}

template <class T>
T vazio_de() {
    if constexpr (std::is_same_v<T, std::string>) return {};
    else return T{};
}

// Envenena a tabela inteira; no fim confere: onde `limpa` diz, o valor vazio (ou `limpo`),
// no resto, o veneno.
struct conferencia {
    std::vector<std::function<void()>> conferir;
    std::set<std::string> nomes;  // os campos conferidos (o nome depois do grupo: "grupo.campo" dá "campo")

    static std::string campo(const std::string& nome) { return nome.substr(nome.rfind('.') + 1); }

    template <class T, int... L, class Pred>
    void tabela_(const char* nome, tabela<T, L...>& t, Pred limpa, T veneno = veneno_de<T>(), T limpo = vazio_de<T>()) {
        t.preencher(veneno);
        nomes.insert(campo(nome));
        conferir.push_back([nome, &t, limpa, veneno, limpo] {
            int erros = 0;
            percorrer(t, [&](const std::array<int, sizeof...(L)>& i, T& v) {
                const bool deve = std::apply(limpa, i);
                const T esperado = deve ? limpo : veneno;
                if (!(v == esperado) && ++erros <= 3) {
                    std::string s;
                    for (int k : i) s += std::to_string(k) + ",";
                    ADD_FAILURE() << nome << "(" << s << ") " << (deve ? "não foi limpo" : "foi tocado");
                }
            });
        });
    }

    template <class T>
    void escalar(const char* nome, T& v, bool limpa, T veneno = veneno_de<T>(), T limpo = vazio_de<T>()) {
        v = veneno;
        nomes.insert(campo(nome));
        conferir.push_back([nome, &v, limpa, veneno, limpo] { EXPECT_TRUE(v == (limpa ? limpo : veneno)) << nome; });
    }
};


#define TAB(t, pred, ...) c.tabela_(#t, t, pred __VA_OPT__(, ) __VA_ARGS__)
#define ESC(v, limpa, ...) c.escalar(#v, v, limpa __VA_OPT__(, ) __VA_ARGS__)

}  // namespace orvel::teste
