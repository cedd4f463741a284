#pragma once
// O arquivo de projeto: salvar e abrir.

#include "modelo/contexto_da_rede.h"

namespace orvel {

// Grava a rede do contexto dado (sem ele, a do processo), o desenho e os resultados no arquivo
// nome_do_arquivo do contexto, pedindo um nome quando não há nenhum ou quando salvar_como é
// True ("Erro 146"). Devolve true só quando o arquivo
// foi gravado (e então salvar_como volta a False); um diálogo cancelado, um "Não" à pergunta
// de substituir ou uma falha deixam projeto_alterado como estava. A caixa de uma falha aparece
// sempre, também dentro de um processamento que já mostrou outra.
bool salvar_projeto(contexto_da_rede& ctx = contexto());

// Pede um arquivo e o abre no lugar da rede atual ("Erro 148"). O arquivo é lido inteiro antes
// de a rede atual ser limpa: um arquivo que não se pode ler, que não é um projeto ou que tem
// um valor fora da faixa deixa a rede, o desenho, o nome do arquivo e os títulos como estavam.
// Devolve true quando o projeto foi aberto.
bool abrir_projeto();

}  // namespace orvel
