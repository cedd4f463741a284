#pragma once
// O processamento fala com o usuário só por aqui: as caixas de mensagem, o ponteiro do mouse,
// os estados dos comandos da janela principal e a sondagem dos eventos pendentes (por onde chega
// um pedido de parada). O programa instala o observador das janelas; um teste ou uma medida
// pode pôr o seu, e o cálculo roda sem janela nenhuma.

#include <string>

#include "modelo/colunas_de_comandos.h"
#include "plataforma/tipos.h"

namespace orvel {

struct contexto_da_rede;

class observador_do_calculo {
public:
    virtual ~observador_do_calculo() = default;
    // Uma caixa de mensagem (texto, estilo e título como os da caixa dos serviços); devolve a
    // resposta. Sem outro observador, vai para a caixa dos serviços.
    virtual int mensagem(const std::string& texto, int estilo, const std::string& titulo);
    // O ponteiro do mouse da janela principal (ponteiro_padrao, ponteiro_seta_e_ampulheta).
    virtual void ponteiro(Integer /*ponteiro*/) {}
    // Uma coluna dos estados dos comandos (a parada devolve os comandos à janela principal).
    virtual void aplicar_coluna(coluna_de_comandos /*coluna*/) {}
    // Ponto de sondagem: deixa rodar os eventos pendentes (a pintura e um clique em
    // "Interromper  processamento"). Sem outro observador, pelos serviços.
    virtual void sondar();
    // Salva o projeto da rede, como o "Salvar" das janelas: true só quando o arquivo foi
    // gravado. Sem janelas, não há a quem pedir um nome: grava no arquivo que a rede já tem (e
    // nada, sem ele), uma falha vai ao relator de erros e o "Aviso" de uma pasta que não chegou
    // ao disco (o arquivo foi gravado) vai a mensagem.
    virtual bool salvar(contexto_da_rede& c);
    // Relata a falha corrente com o código de local ("Erro 130") de uma etapa do processamento.
    // Sem outro observador, pelo relator de erros da plataforma (durante um processamento, só a
    // primeira falha mostra a sua caixa).
    virtual void relatar_erro(const std::string& codigo);
};

void instalar_observador_do_calculo(observador_do_calculo* o);  // nullptr: o de omissão
observador_do_calculo& observador_do_calculo_instalado();

}  // namespace orvel
