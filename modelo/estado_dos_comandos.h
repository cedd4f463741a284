#pragma once
// Colunas de estado dos comandos da janela principal. Cada coluna habilita ou desabilita um
// conjunto de menus e botões e deixa os outros como estão. A janela principal instala o
// aplicador; sem ela (nos testes das camadas de baixo) aplicar uma coluna só a registra.

#include <functional>

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

void aplicar_coluna_de_comandos(coluna_de_comandos coluna);

// O aplicador em uso; sem aplicador, aplicar não faz nada.
void instalar_aplicador_de_colunas(std::function<void(coluna_de_comandos)> aplicador);

}  // namespace orvel
