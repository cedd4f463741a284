#pragma once
// O desenho da rede na janela principal: cada nó e cada link são elementos de matrizes de
// controles desta janela, feitos do desenho da rede (desenho_dado, no contexto) e que o escrevem
// de volta a cada edição. O resto da janela e os tratadores de evento ficam em
// editor/tela_principal.h. O modelo e o cálculo não conhecem esta janela: o modelo guarda só o
// desenho como dados, e o cálculo fala com as janelas só pelo observador do cálculo.

#include <string>

#include "modelo/contexto_do_processo.h"
#include "modelo/colunas_de_comandos.h"
#include "plataforma/formularios.h"

namespace orvel {

inline constexpr char titulo_do_produto[] = "ORVEL - Belmarco QRT";

// Posição de estacionamento das marcas de seleção escondidas.
inline constexpr Single left_estacionado = 10440;
inline constexpr Single top_estacionado = 120;

inline constexpr Long cor_de_fundo_da_tela = rgb(242, 242, 242);
inline constexpr Long cor_de_fundo_fechado = rgb(150, 150, 150);

// A parte da janela principal que mostra a rede: o desenho (as matrizes de controles dos nós e
// dos links), o título do desenho, as marcas de seleção e as linhas-guia. A barra de
// ferramentas, os menus e a tabela dos estados dos comandos ficam na janela inteira, que deriva
// desta classe.
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

// O desenho da rede (desenho_dado) e os controles que o mostram. Um só ponto de troca em cada
// sentido: depois de uma abertura ou de uma limpeza, os controles são refeitos do desenho da
// rede; cada edição do desenho nos controles (criar, arrastar, redimensionar, confirmar um
// nome) escreve o que mudou no desenho da rede, que é o que o arquivo grava.

// Descarrega todo elemento do desenho que estiver carregado e carrega e põe no lugar os dos nós
// e links da rede c. Os elementos de um link de conversão mostram o braço; a ponta da seta e o
// começo do braço saem do corpo e do braço. Nenhuma marca de seleção fica à vista: a rede
// refeita não tem nó nem link selecionado.
void desenhar_a_rede(desenho_da_rede& t, const contexto_da_rede& c);

// Escreve no desenho da rede c o que os controles do nó n (do link l) mostram.
void guardar_desenho_do_no(const desenho_da_rede& t, int n, contexto_da_rede& c);
void guardar_desenho_do_link(const desenho_da_rede& t, int l, contexto_da_rede& c);

// As janelas instaladas: o programa (e o main dos testes) as instala ao começar. Sem elas, o
// desenho é um formulário só de dados, que nunca é mostrado: o título fica só nele e os estados
// dos comandos não vão a lugar nenhum.
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

// Põe o mesmo título na janela principal e nas outras sete, nesta ordem, e o guarda no estado
// das janelas: uma das sete que for fechada e aberta de novo o toma ao ser carregada
// (titulo_das_janelas). Sem o estado, o do contexto do processo.
void titular_as_oito_janelas(estado_das_janelas& estado, const std::string& titulo);
inline void titular_as_oito_janelas(const std::string& titulo) { titular_as_oito_janelas(contexto().janelas, titulo); }

// O título dado por último às oito janelas; antes do primeiro, o do produto.
std::string titulo_das_janelas(const estado_das_janelas& estado);
inline std::string titulo_das_janelas() { return titulo_das_janelas(contexto().janelas); }

// Aplica uma coluna dos estados dos comandos aos controles da janela principal, pelas janelas
// instaladas; sem elas, não há comando a habilitar.
void aplicar_coluna_de_comandos(coluna_de_comandos coluna);

// Devolve a rede c ao estado vazio (esvaziar_rede) e refaz dela o desenho da janela principal:
// cada nó e link sai do desenho e as marcas de seleção ficam escondidas ("Erro 151"). Não mexe
// no arquivo, no nome do arquivo nem em projeto_alterado.
void limpar_rede(contexto_da_rede& c);

}  // namespace orvel
