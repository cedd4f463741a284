#pragma once
// As janelas das vistas de resultados. O conteúdo de cada uma vem com a sua vista; por ora são
// janelas com título, carregadas uma vez e escondidas.

#include "plataforma/formularios.h"

namespace orvel {

class janela_diagrama_de_barras_final : public formulario {
public:
    janela_diagrama_de_barras_final() : formulario("frmDiagrama_de_barras_final_versao2") {}
    void Form_Load() override;  // centraliza na tela
};

class janela_rede_dinamica : public formulario {
public:
    janela_rede_dinamica() : formulario("frmRede_dinamica_versao2") {}
};

}  // namespace orvel
