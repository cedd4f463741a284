#include "resultados/ajuda.h"

#include "editor/janelas.h"
#include "editor/desenho_da_rede.h"
#include "plataforma/falha.h"
#include "plataforma/servicos.h"

namespace orvel {

janela_ajuda& ajuda_unica() { return formulario_unico<janela_ajuda>(); }

formulario& frmAjuda() { return ajuda_unica(); }

void frmAjuda_Atualiza_ajuda() { ajuda_unica().Atualiza_ajuda(); }

janela_ajuda::janela_ajuda() : janela_com_navegador("frmAjuda") { Caption = "ORVEL - Ajuda"; }

// Uma falha ao navegar é relatada com o título da janela.
void janela_ajuda::Atualiza_ajuda(const std::string& /*SelLocal_ajuda*/) {
    com_codigo(Caption, [&] {
        const std::string endereco = servicos().pasta_do_programa() + "/" + nome_da_pagina_de_ajuda;
        WebBrowser1.Navigate(endereco);
    });
}

}  // namespace orvel
