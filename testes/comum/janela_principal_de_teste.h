#pragma once
// Fixture que carrega a janela principal numa tela de 800 x 800 pixels a 96 dpi (15 twips por
// pixel), com serviços roteirizados, e descarrega tudo no fim.

#include <gtest/gtest.h>

#include "editor/tela_principal.h"
#include "modelo/rede.h"
#include "comum/servicos_de_teste.h"

namespace orvel::teste {

class com_janela_principal : public ::testing::Test {
protected:
    void SetUp() override {
        destruir_todas_as_janelas();
        tela() = dados_da_tela{};
        max_indice_no = 0;
        max_indice_link = 0;
        tela_principal_completa();
    }
    void TearDown() override { destruir_todas_as_janelas(); }

    tela_principal& t() { return tela_principal_completa(); }
    servicos_de_teste s;
};

}  // namespace orvel::teste
