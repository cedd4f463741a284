// Os comandos da janela principal que mostram o diagrama de barras final e a rede dinâmica.

#include "calculo/dados_de_calculo.h"
#include "calculo/gravar_animacao.h"
#include "editor/janelas.h"
#include "editor/tela_principal.h"
#include "modelo/rede.h"
#include "modelo/tabelas_de_calculo.h"
#include "plataforma/servicos.h"

namespace orvel {

namespace {

// Os resultados de agora são os da rede de agora: processada (ou lida de um arquivo com os seus
// resultados) e sem mudança que o cálculo leia desde então. Arrastar ou redimensionar um nó não
// conta; um nó ou link criado, eliminado ou confirmado, opções confirmadas ou outro projeto,
// sim.
bool resultados_da_rede_de_agora(const contexto_da_rede& rede) {
    return rede.derivados.t_de_ciclo >= 1 && rede.projeto.revisao_processada == rede.projeto.revisao_da_rede;
}

// As cópias de trabalho e os dados derivados são tomados de novo a cada uso, para que a vista
// leia os dados do projeto de agora (a rede do processo, a que a janela edita).
void mostrar_diagrama_de_barras_final() {
    contexto_da_rede& rede = contexto();
    if (!resultados_da_rede_de_agora(rede)) {
        servicos().caixa_de_mensagem("favor processar o projeto", estilo_ok, "Aviso");
        return;
    }
    copiar_dados_de_calculo(rede);
    preparar_dados_de_calculo(rede);
    frmDiagrama_de_barras_final_versao2().Show();
}

// Grava a rede segundo a segundo e mostra a rede animada, modal. As tabelas por segundo são
// refeitas antes do teste do processamento: mesmo um comando recusado apaga a gravação
// anterior. Uma rede mudada depois do processamento é recusada como uma não processada. Uma falha é relatada com o código do comando e o programa segue: uma
// vista nunca fecha a janela principal.
void mostrar_rede_dinamica(tela_principal& t, const char* codigo) {
    contexto_da_rede& rede = contexto();
    const bool certo = com_codigo(codigo, [&t, &rede] {
        dimensionar_tabelas_por_segundo(rede);
        t.MousePointer = ponteiro_ampulheta;
        if (!resultados_da_rede_de_agora(rede) || !plano_cobre_a_rede(rede)) {
            servicos().caixa_de_mensagem("Favor processar o projeto", estilo_ok, "Aviso");
            t.MousePointer = ponteiro_padrao;
            return;
        }
        gravar_rede_dinamica(rede);
        frmRede_dinamica_versao2().Show(1);
        t.MousePointer = ponteiro_padrao;
    });
    if (!certo) t.MousePointer = ponteiro_padrao;
}

}  // namespace

void tela_principal::relatorio_diagrama_de_barras_button_Click() { mostrar_diagrama_de_barras_final(); }
void tela_principal::mnuDiagrama_de_barras_Click() { mostrar_diagrama_de_barras_final(); }
void tela_principal::tela_dinamica_button_Click() { mostrar_rede_dinamica(*this, "Erro 1115"); }
void tela_principal::mnuRede_dinamica_Click() { mostrar_rede_dinamica(*this, "Erro 114"); }

}  // namespace orvel
