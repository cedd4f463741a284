#pragma once
// Tabelas de limites fixos (índices de 0 até o limite, inclusive) e tabelas de duas
// dimensões dimensionadas durante a execução. O acesso comum verifica cada índice e, fora
// da faixa, falha com "Subscrito fora do intervalo"; o acesso sem verificação é só para
// laços cujos índices já foram validados.

#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

#include "plataforma/falha.h"

namespace orvel {

template <class T, int... Limites>
class tabela {
    static_assert(sizeof...(Limites) >= 1, "uma tabela tem ao menos uma dimensão");
    static constexpr std::array<int, sizeof...(Limites)> limites_{Limites...};

public:
    static constexpr std::size_t dimensoes = sizeof...(Limites);
    static constexpr std::size_t total = ((static_cast<std::size_t>(Limites) + 1) * ...);

    static constexpr int limite(std::size_t dimensao) { return limites_[dimensao]; }

    template <class... Indices>
        requires(sizeof...(Indices) == sizeof...(Limites))
    T& operator()(Indices... i) {
        return dados_[posicao(static_cast<long long>(i)...)];
    }

    template <class... Indices>
        requires(sizeof...(Indices) == sizeof...(Limites))
    const T& operator()(Indices... i) const {
        return dados_[posicao(static_cast<long long>(i)...)];
    }

    template <class... Indices>
        requires(sizeof...(Indices) == sizeof...(Limites))
    T& sem_verificar(Indices... i) noexcept {
        return dados_[posicao_sem_verificar(static_cast<std::size_t>(i)...)];
    }

    void preencher(const T& v) { dados_.fill(v); }

    T* dados() noexcept { return dados_.data(); }
    const T* dados() const noexcept { return dados_.data(); }

private:
    template <class... I>
    static std::size_t posicao(I... i) {
        std::size_t p = 0;
        std::size_t d = 0;
        ((p = p * (static_cast<std::size_t>(limites_[d]) + 1) + verificado(i, limites_[d]), ++d), ...);
        return p;
    }

    template <class... I>
    static std::size_t posicao_sem_verificar(I... i) noexcept {
        std::size_t p = 0;
        std::size_t d = 0;
        ((p = p * (static_cast<std::size_t>(limites_[d]) + 1) + i, ++d), ...);
        return p;
    }

    static std::size_t verificado(long long i, int limite) {
        if (i < 0 || i > limite) falhar(tipo_de_falha::subscrito_fora_do_intervalo);
        return static_cast<std::size_t>(i);
    }

    std::array<T, total> dados_{};
};

// Tabela de duas dimensões (link, segundo) cujos limites são dados durante a execução.
// Sem dimensionar, não tem elemento algum.
template <class T>
class tabela_dinamica {
public:
    // Dimensiona para 0..limite1 x 0..limite2, com todo elemento vazio (como um ReDim).
    void dimensionar(long long limite1, long long limite2) {
        if (limite1 < 0 || limite2 < 0) falhar(tipo_de_falha::subscrito_fora_do_intervalo);
        const auto n1 = static_cast<std::size_t>(limite1) + 1;
        const auto n2 = static_cast<std::size_t>(limite2) + 1;
        if (n2 != 0 && n1 > static_cast<std::size_t>(200'000'000) / n2) falhar(tipo_de_falha::memoria_insuficiente);
        std::vector<T> novos(n1 * n2, T{});
        dados_.swap(novos);
        limite1_ = limite1;
        limite2_ = limite2;
    }

    long long limite1() const noexcept { return limite1_; }
    long long limite2() const noexcept { return limite2_; }

    T& operator()(long long i, long long j) {
        if (i < 0 || i > limite1_ || j < 0 || j > limite2_) falhar(tipo_de_falha::subscrito_fora_do_intervalo);
        return dados_[static_cast<std::size_t>(i) * static_cast<std::size_t>(limite2_ + 1) + static_cast<std::size_t>(j)];
    }

    const T& operator()(long long i, long long j) const {
        return const_cast<tabela_dinamica*>(this)->operator()(i, j);
    }

    // A linha de um link, para os laços rápidos que já validaram os índices.
    T* linha(long long i) noexcept { return dados_.data() + static_cast<std::size_t>(i) * static_cast<std::size_t>(limite2_ + 1); }

    void preencher(const T& v) { std::fill(dados_.begin(), dados_.end(), v); }

private:
    std::vector<T> dados_;
    long long limite1_ = -1;
    long long limite2_ = -1;
};

}  // namespace orvel
