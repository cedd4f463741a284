#pragma once
// Uma rede de teste no seu próprio contexto: os testes do cálculo montam a rede nele e o
// entregam às etapas. O contexto fica no heap (é grande demais para a pilha) e começa como o de
// uma rede vazia no começo do programa.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "comum/veneno_no_contexto.h"
#include "modelo/contexto_do_processo.h"

namespace orvel::teste {

class rede_propria {
    std::unique_ptr<contexto_da_rede> dono_ = std::make_unique<contexto_da_rede>();

public:
    contexto_da_rede& c = *dono_;
};

// Base das fixtures dos testes do cálculo: cada teste tem o seu contexto em `c`. Durante o
// teste o contexto do processo fica com veneno em todo campo e é conferido no fim: uma etapa que
// o lesse mudaria o resultado, uma que o escrevesse apagaria o veneno.
class com_rede_propria : public ::testing::Test, protected rede_propria {
protected:
    void SetUp() override { envenenar_o_contexto(contexto()); }
    void TearDown() override {
        if (!conferir_o_contexto_do_processo_) return;
        conferir_o_contexto(contexto(), [](const std::string& campo, const int*, std::size_t) {
            return campo == "janelas.titulo_das_janelas" ? esperado::qualquer : esperado::veneno;
        });
    }

    // Para o teste que abre também a janela principal: ela e o observador que ela instala
    // trabalham na rede do processo.
    void com_a_janela_principal() { conferir_o_contexto_do_processo_ = false; }

private:
    bool conferir_o_contexto_do_processo_ = true;
};

}  // namespace orvel::teste
