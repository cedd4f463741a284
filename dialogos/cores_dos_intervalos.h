#pragma once
// Cores dos estados de um grupo num intervalo (0 não definido, 1 verde, 2 amarelo, 3 vermelho),
// as mesmas no editor de nó, nos seus modelos prontos e no diagrama de barras final.

#include <optional>

#include "plataforma/formularios.h"

namespace orvel {

// De &H80000000 a &H800000FF a cor nomeia uma cor do sistema pelo byte baixo.
constexpr Long cor_do_sistema(unsigned n) { return static_cast<Long>(0x80000000u + n); }
inline constexpr Long cor_das_barras_de_rolagem = cor_do_sistema(0);  // &H80000000
inline constexpr Long cor_da_face_dos_botoes = cor_do_sistema(15);    // &H8000000F

inline constexpr Long cor_do_intervalo_nao_definido = cor_das_barras_de_rolagem;
inline constexpr Long cor_do_intervalo_verde = rgb(0, 135, 88);      // &H588700
inline constexpr Long cor_do_intervalo_amarelo = rgb(255, 255, 0);   // &HFFFF
inline constexpr Long cor_do_intervalo_vermelho = rgb(255, 26, 34);  // &H221AFF

// A cor de um código de estado; fora de 0..3 não há cor (quem pinta deixa a que estava).
constexpr std::optional<Long> cor_do_estado(int codigo) {
    switch (codigo) {
        case 0: return cor_do_intervalo_nao_definido;
        case 1: return cor_do_intervalo_verde;
        case 2: return cor_do_intervalo_amarelo;
        case 3: return cor_do_intervalo_vermelho;
        default: return std::nullopt;
    }
}

}  // namespace orvel
