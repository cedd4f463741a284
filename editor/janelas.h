#pragma once
// As janelas do programa umas para as outras. A janela principal abre os diálogos e as vistas;
// os diálogos e as vistas leem e mudam o desenho e o título da janela principal. Essas chamadas
// nos dois sentidos são o desenho do programa: por isso o editor, os diálogos e as vistas são uma
// camada só (a biblioteca orvel_janelas), acima do cálculo.

#include "calculo/observador_do_calculo.h"
#include "editor/desenho_da_rede.h"

namespace orvel {

// As outras janelas, vistas só como janelas (título, carga, mostrar). Referir-se a uma delas a
// carrega, sem mostrar.
formulario& frmDiagrama_de_barras_final_versao2();
formulario& frmEditarLink_versao2();
formulario& frmEditarNo_versao2();
formulario& frmNome_da_rede_versao2();
formulario& frmRede_dinamica_versao2();
formulario& frmRede_versao2();
formulario& frmBrowse();
formulario& frmAjuda();

// Os métodos das vistas que os comandos da janela principal chamam: Atualiza do relatório e
// Atualiza_ajuda da ajuda, com o argumento opcional vazio.
void frmBrowse_Atualiza();
// Diz (com o "Aviso") quando o relatório do projeto não pode ser montado (resultados/relatorio.h).
bool relatorio_pode_ser_mostrado();
void frmAjuda_Atualiza_ajuda();

// As janelas de verdade para o despacho de editor/desenho_da_rede.h: o programa as instala ao
// começar, com instalar_janelas_do_programa.
janelas_do_programa& janelas_do_editor();

// O observador do processamento com janelas: as mensagens e a sondagem pelos serviços, o
// ponteiro e os estados dos comandos na janela principal. O programa o instala ao começar, com
// instalar_observador_do_calculo.
observador_do_calculo& observador_das_janelas();

}  // namespace orvel
