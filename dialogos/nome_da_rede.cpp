#include "dialogos/nome_da_rede.h"

#include "dialogos/protocolo_das_caixas.h"
#include "editor/estado_dos_comandos.h"
#include "editor/janelas.h"
#include "modelo/rede.h"
#include "editor/desenho_da_rede.h"
#include "plataforma/servicos.h"

namespace orvel {

janela_nome_da_rede& nome_da_rede_unico() { return formulario_unico<janela_nome_da_rede>(); }
formulario& frmNome_da_rede_versao2() { return nome_da_rede_unico(); }

janela_nome_da_rede::janela_nome_da_rede() : formulario("frmNome_da_rede_versao2") {
    borda_fixa = true;
    medida_pelo_interior = true;
    dialogo_do_programa = true;
    Caption = titulo_das_janelas();
    Width = 10320;
    Height = 2490;

    nome_da_rede_texto.Left = 600;
    nome_da_rede_texto.Top = 840;
    nome_da_rede_texto.Width = 8888;
    nome_da_rede_texto.Height = 300;
    nome_da_rede_texto.TabIndex = 0;
    nome_da_rede_texto.MaxLength = 80;

    Command1.Caption = "Inserir Nome";
    Command1.Left = 8760;
    Command1.Top = 1800;
    Command1.Width = 1212;
    Command1.Height = 492;

    Command2.Caption = "Cancelar";
    Command2.Left = 7200;
    Command2.Top = 1800;
    Command2.Width = 1212;
    Command2.Height = 492;
    sair_sem_validar(Command2);

    Command1.Click = fora_da_execucao([this] { Command1_Click(); });
    Command2.Click = [this] { Command2_Click(); };
}

void janela_nome_da_rede::Form_Activate() {
    Left = tela().Width / 2.0f - Width / 2.0f;
    Top = 1400;
    nome_da_rede_texto.Left = Width / 2.0f - nome_da_rede_texto.Width / 2.0f;
    nome_da_rede_texto.Text = nome_da_rede_dado;
}

void janela_nome_da_rede::Command1_Click() {
    com_codigo("Erro 110", [this] {
        const std::string nome = nome_da_rede_texto.Text.texto();
        // Os separadores são ASCII: percorrer os bytes do UTF-8 acha os mesmos caracteres.
        for (char c : nome) {
            for (char proibido : {':', '/', '\\', '?'}) {
                if (c != proibido) continue;
                servicos().caixa_de_mensagem(std::string("o caracter '") + proibido +
                                                 "' não poderá ser usado no nome do arquivo quando se quiser salvar o projeto",
                                             estilo_ok, "Aviso");
            }
        }
        nome_da_rede_dado = nome;

        auto& t = frmTela_principal_versao2();
        aplicar_coluna_na_janela_principal(coluna_de_comandos::nome);
        t.Label1.Left = (t.Width - t.Label1.Width) / 2.0f;
        t.Label1.Top = 760;
        t.Label1.Caption = "Rede:  " + nome;
        t.Label1.Visible = true;  // escondido por "Novo" até aqui
        projeto_alterado = true;
    });
    Unload();  // também depois de uma falha, já relatada
}

void janela_nome_da_rede::Command2_Click() {
    limpar_editor_de_nome_da_rede();
    Unload();
}

void janela_nome_da_rede::limpar_editor_de_nome_da_rede() { nome_da_rede_texto.Text = ""; }

}  // namespace orvel
