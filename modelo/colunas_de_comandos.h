#pragma once
// As colunas dos estados dos comandos da janela principal: cada uma habilita ou desabilita um
// conjunto de menus e botões (a tabela fica no editor, em editor/estado_dos_comandos.h). O
// cálculo pede uma coluna pelo observador do cálculo.

namespace orvel {

enum class coluna_de_comandos {
    carregar,    // carga da janela principal
    novo,
    desenhar,
    encerrar,    // encerrar desenho
    fechar,
    abrir,       // projeto lido por abrir_projeto
    parada,      // ramo de parada dos resultados
    parar,       // "Interromper  processamento"
    processar1,  // antes do processamento
    processar2,  // depois do processamento
    nome,        // confirmação do nome da rede
};

}  // namespace orvel
