#pragma once
// Uma rede de teste no seu próprio contexto: os testes do cálculo montam a rede nele e o
// entregam às etapas, sem ler nem escrever o contexto do processo. O contexto fica no heap (é
// grande demais para a pilha) e começa como o de uma rede vazia no começo do programa.

#include <gtest/gtest.h>

#include <memory>

#include "modelo/contexto_da_rede.h"

namespace orvel::teste {

class rede_propria {
    std::unique_ptr<contexto_da_rede> dono_ = std::make_unique<contexto_da_rede>();

public:
    contexto_da_rede& c = *dono_;
};

// Base das fixtures dos testes do cálculo: cada teste tem o seu contexto em `c`.
class com_rede_propria : public ::testing::Test, protected rede_propria {};

}  // namespace orvel::teste
