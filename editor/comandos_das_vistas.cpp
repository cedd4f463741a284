// Os comandos da janela principal que abrem as vistas e os diálogos da rede e os que imprimem.

#include "editor/janelas.h"
#include "editor/tela_principal.h"

namespace orvel {

void tela_principal::mnuAjuda_Click() {
    frmAjuda().Show();
    frmAjuda_Atualiza_ajuda();
}

// As propriedades postas depois de o diálogo fechar valem a partir da próxima vez: a primeira
// configuração usa o título e a orientação da própria plataforma.
void tela_principal::mnuConfigurar_Click() {
    cdlImpressora.PrinterDefault = true;
    cdlImpressora.Flags = 64;
    cdlImpressora.ShowPrinter();
    cdlImpressora.DialogTitle = "Configurar impressora";
    cdlImpressora.Orientation = orientacao_paisagem;
}

// A imagem da janela como está: o desenho, a barra de ferramentas e o nome da rede.
void tela_principal::mnuImprimir_Click() { servicos().imprimir_janela(*this); }

void tela_principal::mnuEditarRede_Click() { frmRede_versao2().Show(); }

// Depois de mostrado (e da sua ativação), o diálogo fica no meio da janela, 4000 twips abaixo.
void tela_principal::mnuNomeRede_Click() {
    formulario& dialogo = frmNome_da_rede_versao2();
    dialogo.Show();
    dialogo.Left = Width / 2.0f - dialogo.Width / 2.0f;
    dialogo.Top = Height / 2.0f - dialogo.Height / 2.0f + 4000.0f;
}

// O relatório mostra o arquivo como foi salvo por último; não confere processamento. Um
// relatório que não pode ser montado (projeto nunca salvo, arquivo que sumiu, que não se lê ou
// não se transforma) dá só o seu "Aviso": nenhuma janela de relatório vazia fica, nem a de um
// relatório anterior.
void tela_principal::mostrar_relatorio() {
    if (!relatorio_pode_ser_mostrado()) {
        for (formulario* f : janelas_carregadas())
            if (f->nome() == "frmBrowse") {
                f->Unload();
                break;
            }
        return;
    }
    frmBrowse().Show();
    frmBrowse_Atualiza();
}

void tela_principal::relatorio_tela_button_Click() { mostrar_relatorio(); }
void tela_principal::mnuRelatorio_Click() { mostrar_relatorio(); }

}  // namespace orvel
