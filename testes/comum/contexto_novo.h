#pragma once
// Cada teste começa de um contexto novo, em qualquer ordem e no mesmo processo: antes de cada
// teste as janelas são destruídas, a rede e todas as tabelas voltam ao começo do programa e a
// tela volta a 800 x 800 pixels a 96 dpi.

#include <gtest/gtest.h>

#include "modelo/contexto_do_processo.h"
#include "plataforma/formularios.h"

namespace orvel::teste {

// O programa como começa: nenhuma janela carregada, a rede vazia e a tela padrão.
inline void recomecar_o_programa() {
    destruir_todas_as_janelas();
    recomecar(contexto());
    tela() = dados_da_tela{};
}

class contexto_novo_a_cada_teste : public ::testing::EmptyTestEventListener {
public:
    void OnTestStart(const ::testing::TestInfo&) override { recomecar_o_programa(); }
};

// Registra o recomeço nos testes do executável; chamar depois de InitGoogleTest.
inline void recomecar_o_contexto_a_cada_teste() {
    ::testing::UnitTest::GetInstance()->listeners().Append(new contexto_novo_a_cada_teste);
}

}  // namespace orvel::teste
