#pragma once
// Números nas caixas de texto dos diálogos.
//
// O que se digita numa caixa numérica é lido pela regra de leitura dos números (o número no
// início do texto), com a vírgula valendo como ponto decimal ("0,88" é 0.88, "1800,5" é
// 1800.5), e guardado no tipo da cópia de edição, arredondado metade para o par. Um número
// que o tipo não comporta não é guardado: um "Aviso" diz a caixa e a faixa que o diálogo
// aceita, e o foco volta para a caixa, que fica com o que foi digitado.
//
// Uma caixa mostra o valor guardado com o ponto como separador, qualquer que seja o separador
// regional: assim o que ela mostra é lido de volta sem perda quando a caixa perde o foco.
// O valor 0 aparece como caixa vazia.

#include <string>
#include <string_view>

#include "modelo/limites_dos_valores.h"
#include "plataforma/formularios.h"
#include "plataforma/tipos.h"

namespace orvel {

// Uma caixa numérica: o nome que o usuário lê ao lado dela e a faixa que o diálogo aceita.
struct caixa_numerica {
    std::string nome;
    faixa_de_valor faixa;
};

// Guarda o número da caixa no destino e devolve true. Um número que não cabe: mostra o aviso,
// devolve o foco à caixa, marca-a em "recusada" e devolve false, sem tocar no destino. Uma
// caixa que guarda deixa de ser a recusada.
bool guardar_numero(caixa_de_texto& caixa, Byte& destino, const caixa_numerica& c, caixa_de_texto*& recusada);
bool guardar_numero(caixa_de_texto& caixa, Integer& destino, const caixa_numerica& c, caixa_de_texto*& recusada);
bool guardar_numero(caixa_de_texto& caixa, Single& destino, const caixa_numerica& c, caixa_de_texto*& recusada);

// Chamada no início da confirmação: o clique no botão chega depois da saída do foco de uma
// caixa cujo número acabou de ser recusado. Enquanto a caixa recusada estiver à vista e com
// texto, devolve true e lhe dá o foco (a confirmação espera a correção); uma caixa que o
// programa escondeu ou esvaziou deixa de contar.
bool confirmacao_espera_a_caixa_recusada(caixa_de_texto*& recusada);

// O aviso de um número que não cabe na caixa.
std::string aviso_de_numero_que_nao_cabe(const caixa_numerica& c);

// Um nome que o arquivo de projeto não guarda: o aviso que o diz ("o caracter ',' não pode
// ser usado " + onde), ou "" quando o nome serve.
std::string aviso_de_nome(std::string_view nome, uso_do_nome uso, const std::string& onde);

std::string caixa_de_inteiro(long long valor);  // "" para 0
std::string caixa_de_single(Single valor);      // "" para 0

}  // namespace orvel
