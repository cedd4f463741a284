#pragma once
// As janelas das vistas de resultados. O conteúdo de cada uma vem com a sua vista; por ora são
// janelas com título, carregadas uma vez e escondidas.

#include "plataforma/formularios.h"

namespace orvel {

class janela_relatorio : public formulario {
public:
    janela_relatorio() : formulario("frmBrowse") {}
    void Form_Load() override;  // copia a posição e o tamanho da janela principal
};

}  // namespace orvel
