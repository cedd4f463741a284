#pragma once
// Fixture que carrega a janela principal numa tela de 800 x 800 pixels a 96 dpi (15 twips por
// pixel), com serviços roteirizados, e descarrega tudo no fim.

#include <gtest/gtest.h>

#include <memory>

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

// O desenho da rede do processo é o que os controles mostram: cada edição o escreveu.
inline ::testing::AssertionResult desenho_da_rede_como_nos_controles() {
    const auto dos_controles = std::make_unique<contexto_da_rede>();
    const desenho_dado& d = contexto().desenho;
    const desenho_dado& e = dos_controles->desenho;
#define ORVEL_COMPARAR(nome, ...) \
    if (!(d.nome(i) == e.nome(i))) return ::testing::AssertionFailure() << #nome << "(" << i << ") não acompanhou a edição";
    for (int i = 1; i <= max_nos; ++i) {
        if (!existe_no(i)) continue;
        guardar_desenho_do_no(tela_principal_completa(), i, *dos_controles);
        ORVEL_CAMPOS_DO_DESENHO_DOS_NOS(ORVEL_COMPARAR)
    }
    for (int i = 1; i <= max_links; ++i) {
        if (!existe_link(i)) continue;
        guardar_desenho_do_link(tela_principal_completa(), i, *dos_controles);
        ORVEL_CAMPOS_DO_DESENHO_DOS_LINKS(ORVEL_COMPARAR)
    }
#undef ORVEL_COMPARAR
    return ::testing::AssertionSuccess();
}

}  // namespace orvel::teste
