#pragma once
// O desenho da rede na janela principal, como dados. O desenho não tem figura própria: cada nó
// e cada link são elementos de matrizes de controles desta janela, e só eles guardam a posição,
// o tamanho e o rótulo de cada um; por isso o arquivo de projeto e a limpeza da rede os leem e
// escrevem aqui. O resto da janela e os tratadores de evento ficam no editor.

#include <string>

#include "modelo/estado_dos_comandos.h"
#include "plataforma/formularios.h"

namespace orvel {

inline constexpr char titulo_do_produto[] = "ORVEL - Belmarco QRT";

// Posição de estacionamento das marcas de seleção escondidas.
inline constexpr Single left_estacionado = 10440;
inline constexpr Single top_estacionado = 120;

inline constexpr Long cor_de_fundo_da_tela = rgb(242, 242, 242);
inline constexpr Long cor_de_fundo_fechado = rgb(150, 150, 150);

// A parte da janela principal que o modelo lê e escreve: o desenho da rede (as matrizes de
// controles dos nós e dos links), o título do desenho, as marcas de seleção e as linhas-guia.
// A barra de ferramentas, os menus e a tabela dos estados dos comandos ficam no editor, que
// deriva desta classe a janela inteira.
class desenho_da_rede : public formulario {
public:
    desenho_da_rede();

    matriz_de_controles<linha> braco_link_line{*this, "braco_link_line"};
    rotulo Label1{*this, "Label1"};
    matriz_de_controles<rotulo> etiqueta_link_label{*this, "etiqueta_link_label"};
    matriz_de_controles<forma> no_shape{*this, "no_shape"};
    matriz_de_controles<linha> base_seta_line{*this, "base_seta_line"};
    rotulo Label5{*this, "Label5"};
    rotulo Label4{*this, "Label4"};
    rotulo Label3{*this, "Label3"};
    rotulo Label2{*this, "Label2"};
    matriz_de_controles<rotulo> apoio_no_label{*this, "apoio_no_label"};
    matriz_de_controles<linha> direita_seta_line{*this, "direita_seta_line"};
    matriz_de_controles<linha> esquerda_seta_line{*this, "esquerda_seta_line"};
    matriz_de_controles<linha> corpo_link_line{*this, "corpo_link_line"};
    forma Shape3{*this, "Shape3"};
    forma Shape2{*this, "Shape2"};
    linha Line2{*this, "Line2"};
    linha Line1{*this, "Line1"};

    // Carrega os cinco elementos de um link, nesta ordem: corpo, braço, as duas hastes da
    // seta e o rótulo.
    void carregar_elementos_do_link(int l);
};

// As janelas vistas de baixo. O modelo (a abertura, o salvamento e a limpeza da rede) e o
// cálculo não conhecem as janelas: chegam a elas só por esta interface, que o programa
// instala ao começar. Sem ela instalada (um teste ou uma medida sem janelas), o desenho é um
// formulário só de dados, que nunca é mostrado: o título fica só nele e os estados dos
// comandos não vão a lugar nenhum.
class janelas_do_programa {
public:
    virtual ~janelas_do_programa() = default;
    // A janela principal, carregada na primeira referência.
    virtual desenho_da_rede& tela_principal() = 0;
    // Põe o mesmo título na janela principal e nas outras sete.
    virtual void titular_as_oito_janelas(const std::string& titulo) = 0;
    // Aplica uma coluna da tabela dos estados dos comandos à janela principal.
    virtual void aplicar_coluna_de_comandos(coluna_de_comandos coluna) = 0;
};

void instalar_janelas_do_programa(janelas_do_programa* j);  // nullptr: nenhuma
janelas_do_programa* janelas_instaladas();

// A janela principal (ou, sem janelas instaladas, o desenho só de dados), carregada na
// primeira referência.
desenho_da_rede& frmTela_principal_versao2();
bool tela_principal_carregada();

// Põe o mesmo título na janela principal e nas outras sete, nesta ordem, e o guarda: uma das
// sete que for fechada e aberta de novo o toma ao ser carregada (titulo_das_janelas).
void titular_as_oito_janelas(const std::string& titulo);

// O título dado por último às oito janelas; antes do primeiro, o do produto.
std::string titulo_das_janelas();

}  // namespace orvel
