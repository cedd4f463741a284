#include "editor/tela_principal.h"

#include "calculo/processar_rede.h"
#include "calculo/zerar_variaveis_de_calculo.h"
#include "editor/elementos_do_desenho.h"
#include "editor/estado_dos_comandos.h"
#include "editor/janelas.h"
#include "modelo/buffers_de_edicao.h"
#include "modelo/estado_do_editor.h"
#include "modelo/projeto.h"
#include "modelo/rede.h"
#include "modelo/tabelas_de_calculo.h"
#include "plataforma/servicos.h"
#include "plataforma/textos.h"

#include <cmath>

namespace orvel {

tela_principal& tela_principal_completa() { return formulario_unico<tela_principal>(); }

tela_principal::tela_principal() {
    auto ligar = [this](evento_simples& evento, void (tela_principal::*tratador)()) {
        evento = fora_da_execucao([this, tratador] { (this->*tratador)(); });
    };
    ligar(arquivo_novo_button.Click, &tela_principal::arquivo_novo_button_Click);
    ligar(mnuNovo.Click, &tela_principal::mnuNovo_Click);
    ligar(arquivo_abrir_button.Click, &tela_principal::arquivo_abrir_button_Click);
    ligar(mnuAbrir.Click, &tela_principal::mnuAbrir_Click);
    ligar(arquivo_fechar_button.Click, &tela_principal::arquivo_fechar_button_Click);
    ligar(mnuFechar.Click, &tela_principal::mnuFechar_Click);
    ligar(salvar_button.Click, &tela_principal::salvar_button_Click);
    ligar(mnuSalvar.Click, &tela_principal::mnuSalvar_Click);
    ligar(mnuSalvar_como.Click, &tela_principal::mnuSalvar_como_Click);
    ligar(mnuSair.Click, &tela_principal::mnuSair_Click);
    ligar(construir_button.Click, &tela_principal::construir_button_Click);
    ligar(mnuDesenhar.Click, &tela_principal::mnuDesenhar_Click);
    ligar(terminar_construcao_button.Click, &tela_principal::terminar_construcao_button_Click);
    ligar(mnuEncerrarDesenho.Click, &tela_principal::mnuEncerrarDesenho_Click);
    ligar(processar_button.Click, &tela_principal::processar_button_Click);
    parar_processamento_button.Click = [this] { parar_processamento_button_Click(); };

    ligar(inserir_no_button.Click, &tela_principal::inserir_no_button_Click);
    ligar(mnuInserirNo.Click, &tela_principal::mnuInserirNo_Click);
    ligar(inserir_link_button.Click, &tela_principal::inserir_link_button_Click);
    ligar(mnuInserirLink.Click, &tela_principal::mnuInserirLink_Click);
    ligar(mnuInserirLinkConversao.Click, &tela_principal::mnuInserirLinkConversao_Click);
    ligar(editar_no_button.Click, &tela_principal::editar_no_button_Click);
    ligar(mnuEditarNo.Click, &tela_principal::mnuEditarNo_Click);
    ligar(mnuEditarNoPop.Click, &tela_principal::mnuEditarNoPop_Click);
    ligar(editar_link_button.Click, &tela_principal::editar_link_button_Click);
    ligar(mnuEditarLink.Click, &tela_principal::mnuEditarLink_Click);
    ligar(mnuEditarLinkPop.Click, &tela_principal::mnuEditarLinkPop_Click);
    ligar(eliminar_no_button.Click, &tela_principal::eliminar_no_button_Click);
    ligar(mnuEliminarNo.Click, &tela_principal::mnuEliminarNo_Click);
    ligar(mnuEliminarNoPop.Click, &tela_principal::mnuEliminarNoPop_Click);
    ligar(eliminar_link_button.Click, &tela_principal::eliminar_link_button_Click);
    ligar(mnuEliminarLink.Click, &tela_principal::mnuEliminarLink_Click);
    ligar(mnuEliminarLinkPop.Click, &tela_principal::mnuEliminarLinkPop_Click);

    // Mouse nos nós: cada rótulo de apoio carregado chama os tratadores com o seu índice.
    using tratador_de_mouse = void (tela_principal::*)(Integer, Integer, Single, Single);
    using tratador_de_mouse_de_matriz = void (tela_principal::*)(Integer, Integer, Integer, Single, Single);
    apoio_no_label.ao_carregar = [this](rotulo& r) {
        const auto indice = static_cast<Integer>(r.indice());
        auto ligar_mouse = [this, indice](evento_de_mouse& evento, tratador_de_mouse_de_matriz tratador) {
            evento = [this, indice, tratador](Integer b, Integer sh, Single x, Single y) {
                (this->*tratador)(indice, b, sh, x, y);
            };
        };
        ligar_mouse(r.MouseDown, &tela_principal::apoio_no_label_MouseDown);
        ligar_mouse(r.MouseMove, &tela_principal::apoio_no_label_MouseMove);
        ligar_mouse(r.MouseUp, &tela_principal::apoio_no_label_MouseUp);
    };
    auto ligar_alca = [this](rotulo& alca, tratador_de_mouse down, tratador_de_mouse move, tratador_de_mouse up) {
        alca.MouseDown = [this, down](Integer b, Integer sh, Single x, Single y) { (this->*down)(b, sh, x, y); };
        alca.MouseMove = [this, move](Integer b, Integer sh, Single x, Single y) { (this->*move)(b, sh, x, y); };
        alca.MouseUp = [this, up](Integer b, Integer sh, Single x, Single y) { (this->*up)(b, sh, x, y); };
    };
    ligar_alca(Label2, &tela_principal::Label2_MouseDown, &tela_principal::Label2_MouseMove,
               &tela_principal::Label2_MouseUp);
    ligar_alca(Label3, &tela_principal::Label3_MouseDown, &tela_principal::Label3_MouseMove,
               &tela_principal::Label3_MouseUp);
    ligar_alca(Label4, &tela_principal::Label4_MouseDown, &tela_principal::Label4_MouseMove,
               &tela_principal::Label4_MouseUp);
    ligar_alca(Label5, &tela_principal::Label5_MouseDown, &tela_principal::Label5_MouseMove,
               &tela_principal::Label5_MouseUp);
    ligar(relatorio_diagrama_de_barras_button.Click, &tela_principal::relatorio_diagrama_de_barras_button_Click);
    ligar(mnuDiagrama_de_barras.Click, &tela_principal::mnuDiagrama_de_barras_Click);
    ligar(tela_dinamica_button.Click, &tela_principal::tela_dinamica_button_Click);
    ligar(mnuRede_dinamica.Click, &tela_principal::mnuRede_dinamica_Click);
    ligar(mnuAjuda.Click, &tela_principal::mnuAjuda_Click);
    ligar(mnuConfigurar.Click, &tela_principal::mnuConfigurar_Click);
    ligar(mnuImprimir.Click, &tela_principal::mnuImprimir_Click);
    ligar(mnuEditarRede.Click, &tela_principal::mnuEditarRede_Click);
    ligar(mnuNomeRede.Click, &tela_principal::mnuNomeRede_Click);
    ligar(relatorio_tela_button.Click, &tela_principal::relatorio_tela_button_Click);
    ligar(mnuRelatorio.Click, &tela_principal::mnuRelatorio_Click);
}

namespace {

// Pixels para twips, com verificação de estouro de 16 bits.
Integer px(Integer pixels, Integer twips_por_pixel) { return para_integer(Long{pixels} * Long{twips_por_pixel}); }

// A carga da janela esvazia cada posição de nó e de link nas cópias de edição e nas de
// trabalho, pelas listas de campos que as definem (como a eliminação de um nó ou de um link),
// até o ciclo duplo nos campos de intervalos.
#define ORVEL_ESVAZIAR_EDITADO(nome, ...) esvaziar_posicao(c.edicao.nome, p, max_intervalos_duplos);
#define ORVEL_ESVAZIAR_COPIADO(nome, ...) esvaziar_posicao(c.copias.nome, p, max_intervalos_duplos);
void limpar_buffers_e_copias_dos_nos(contexto_da_rede& c) {
    for (int p = 1; p <= max_nos; ++p) {
        c.rede.existe_no(p) = false;
        ORVEL_CAMPOS_DOS_NOS_EDITADOS(ORVEL_ESVAZIAR_EDITADO)
        ORVEL_CAMPOS_DOS_NOS_COPIADOS(ORVEL_ESVAZIAR_COPIADO)
        c.editor.raio_do_no(p) = 0;
        c.editor.x_do_no(p) = 0;
        c.editor.y_do_no(p) = 0;
    }
}

void limpar_buffers_e_copias_dos_links(contexto_da_rede& c) {
    for (int p = 1; p <= max_links; ++p) {
        c.rede.existe_link(p) = false;
        ORVEL_CAMPOS_DOS_LINKS_EDITADOS(ORVEL_ESVAZIAR_EDITADO)
        ORVEL_CAMPOS_DOS_LINKS_COPIADOS(ORVEL_ESVAZIAR_COPIADO)
        c.derivados.no_origem(p) = 0;
        c.derivados.no_destino(p) = 0;
    }
}
#undef ORVEL_ESVAZIAR_COPIADO
#undef ORVEL_ESVAZIAR_EDITADO

}  // namespace

void tela_principal::Form_Load() {
    zerar_variaveis_de_calculo(contexto());
    MousePointer = 0;
    twips_por_pixel_x = para_integer(tela().TwipsPerPixelX);
    twips_por_pixel_y = para_integer(tela().TwipsPerPixelY);

    Width = tela().Width;
    Height = tela().Height;
    Top = (tela().Height - Height) / 2;
    Left = (tela().Width - Width) / 2;
    BackColor = cor_de_fundo_da_tela;

    Label7.Width = tela().Width + 400;
    Label7.Height = px(39, twips_por_pixel_y);
    Line9.Y1 = static_cast<Single>(px(39, twips_por_pixel_y) + 5);
    Line9.Y2 = Line9.Y1;

    botao_de_comando* anterior = nullptr;
    for (const auto& [botao, primeiro_do_grupo] : ordem_da_barra()) {
        if (anterior == nullptr) {
            botao->Left = px(30, twips_por_pixel_x);
        } else {
            botao->Left = anterior->Left + anterior->Width;
            if (primeiro_do_grupo) botao->Left = botao->Left + px(30, twips_por_pixel_x);
        }
        botao->Width = px(36, twips_por_pixel_x);
        botao->Height = px(35, twips_por_pixel_y);
        anterior = botao;
    }

    Label1.Left = 3354;
    Label1.Top = 800;
    Label1.BackColor = cor_de_fundo_da_tela;
    Label1.Visible = true;

    for (const auto& [botao, primeiro] : ordem_da_barra()) botao->Top = 40;

    aplicar_coluna_na_janela_principal(coluna_de_comandos::carregar);
    desenhando = true;

    Line1.X1 = 0;
    Line1.X2 = 12000;
    Line2.Y1 = 0;
    Line2.Y2 = 9000;

    zerar_opcoes_de_trabalho(contexto());
    t_de_ciclo_imposto_editado = 0;
    t_de_ciclo_maximo_imposto_editado = 0;
    grau_de_saturacao_meta_imposto_editado = 0;
    grau_de_saturacao_limite_imposto_editado = 0;
    peso_da_parada_imposto_editado = 0;

    total_de_nos_dado = 0;
    no_selecionado = 0;
    limpar_buffers_e_copias_dos_nos(contexto());
    total_de_links_dado = 0;
    link_selecionado = 0;
    limpar_buffers_e_copias_dos_links(contexto());

    titular_as_oito_janelas(titulo_do_produto);
    projeto_alterado = false;
}

// --- Comandos do projeto ---

namespace {

// Um nome digitado sem extensão ganha a dos projetos, para que "Abrir" o liste; um nome com
// extensão fica como foi digitado.
std::string com_extensao_de_projeto(const std::string& caminho) {
    const std::string nome = parte_do_nome_do_arquivo(caminho);
    if (nome.empty() || nome.find('.') != std::string::npos) return caminho;
    return caminho + ".xml";
}

}  // namespace

bool salvar_pelas_janelas(contexto_da_rede& c) {
    // Um salvamento que falha sempre aparece, também no fim de um processamento que já
    // relatou outra falha: sem a caixa, o usuário não saberia que nada foi gravado.
    const relatos_sempre_mostrados sempre;
    auto& tela = frmTela_principal_versao2();
    const Integer ponteiro_antes = tela.MousePointer;
    resultado_do_arquivo r;
    r.como = resultado_do_arquivo::situacao::recusado;  // nada gravado até o fim
    const bool ok = com_codigo("Erro 146", [&] {
        std::string caminho = c.projeto.nome_do_arquivo;
        gravacao modo = gravacao::no_lugar;
        if (caminho.empty() || c.projeto.salvar_como) {
            parametros_do_dialogo p;
            p.titulo = "Salvar como";
            p.filtro = filtro_de_projetos;
            p.pasta_inicial = servicos().pasta_do_programa();
            p.nome_proposto = c.rede.nome_da_rede_dado;
            const auto escolhido = servicos().dialogo_salvar(p);
            if (!escolhido || escolhido->empty()) return;
            caminho = com_extensao_de_projeto(*escolhido);
            if (servicos().arquivo_existe(caminho)) {
                const int resposta = servicos().caixa_de_mensagem("Este arquivo já existe! Deseja Substituir?",
                                                                  estilo_sim_nao | icone_pergunta, "");
                // "Não": nada muda, nem o nome do arquivo.
                if (resposta != resposta_sim) return;
                // O arquivo antigo só é trocado pelo novo quando este estiver completo.
                modo = gravacao::substituindo;
            }
        }
        tela.MousePointer = ponteiro_ampulheta;
        r = salvar_projeto(c, caminho, modo);
        // Só o que foi gravado dá o nome do arquivo aos títulos.
        if (r.feito()) titular_as_oito_janelas(c.janelas, "ORVEL - " + parte_do_nome_do_arquivo(caminho));
    });
    if (r.como == resultado_do_arquivo::situacao::falhou) relatar_erro(r.codigo);
    if (r.feito()) tela.MousePointer = ponteiro_padrao;
    if (!ok || r.como == resultado_do_arquivo::situacao::falhou) tela.MousePointer = ponteiro_antes;
    // Gravado, mas a pasta não chegou ao disco: o projeto já é o do arquivo, com os seus títulos,
    // e o usuário fica sabendo que uma queda de energia ainda pode desfazer o salvamento.
    if (r.feito() && !r.texto.empty()) servicos().caixa_de_mensagem(r.texto, estilo_ok | icone_exclamacao, "Aviso");
    observador().ao_mudar();
    return r.feito();
}

bool abrir_pelas_janelas(contexto_da_rede& c) {
    auto& t = tela_principal_completa();
    const Integer ponteiro_antes = t.MousePointer;
    bool abriu = false;
    const bool ok = com_codigo("Erro 148", [&] {
        // Cancelar o diálogo não muda nada: o projeto continua com o seu arquivo.
        parametros_do_dialogo d;
        d.titulo = "Abrir";
        d.filtro = filtro_de_projetos;
        d.pasta_inicial = servicos().pasta_do_programa();
        const auto escolhido = servicos().dialogo_abrir(d);
        if (!escolhido || escolhido->empty()) return;

        t.MousePointer = ponteiro_ampulheta;
        const resultado_do_arquivo r = abrir_projeto(c, *escolhido);
        if (!r.feito()) {
            // A abertura não tocou na rede: ela e o seu arquivo continuam.
            t.MousePointer = ponteiro_antes;
            if (r.como == resultado_do_arquivo::situacao::recusado)
                servicos().caixa_de_mensagem(r.texto, estilo_ok, "Aviso");
            else
                relatar_erro(r.codigo);
            return;
        }
        // A rede já é a do arquivo: os títulos passam a nomeá-lo antes de tudo, e uma falha ao
        // refazer o desenho é relatada sem fazer da abertura uma abertura que não aconteceu.
        abriu = true;
        const std::string titulo = "ORVEL - " + c.projeto.caption_dos_forms;
        t.Caption = titulo;
        titular_as_oito_janelas(c.janelas, titulo);
        t.BackColor = cor_de_fundo_da_tela;
        aplicar_coluna_na_janela_principal(coluna_de_comandos::abrir);
        desenhar_a_rede(t, c);
        t.Label1.Caption = "Desenho da rede:  " + c.rede.nome_da_rede_dado;
        t.Label1.Left = t.Width / 2 - t.Label1.Width / 2;
        t.Label1.Top = 760;
        t.Label1.Visible = true;
    });
    if (!ok) t.MousePointer = ponteiro_antes;
    observador().ao_mudar();
    return abriu;
}

// Novo e Abrir deixam o projeto de agora como Fechar: só depois da pergunta de salvar, e nada
// acontece com "Cancelar" ou com um "Sim" cujo salvamento não gravou. As alterações que o "Não"
// deixa de salvar só se perdem quando o comando de fato deixa o projeto.
void tela_principal::novo(contexto_da_rede& c) {
    if (!perguntar_se_salva(c, observador_do_calculo_instalado())) return;
    MousePointer = ponteiro_ampulheta;
    c.projeto.nome_do_arquivo.clear();
    limpar_rede(c);
    // O título do desenho ainda é o da rede deixada: some até a rede nova ganhar o seu nome.
    Label1.Visible = false;
    BackColor = cor_de_fundo_da_tela;
    aplicar_coluna_na_janela_principal(coluna_de_comandos::novo);
    c.editor.desenhando = true;
    c.projeto.projeto_alterado = false;
    titular_as_oito_janelas(c.janelas, titulo_do_produto);
    frmNome_da_rede_versao2().Show();
    MousePointer = ponteiro_padrao;
}

void tela_principal::abrir(contexto_da_rede& c) {
    if (!perguntar_se_salva(c, observador_do_calculo_instalado())) return;
    // Um diálogo cancelado ou um arquivo que não abre deixam o projeto como está, alterado ou não.
    abrir_pelas_janelas(c);
    MousePointer = ponteiro_padrao;
}

void tela_principal::fechar(contexto_da_rede& c) {
    if (!perguntar_se_salva(c, observador_do_calculo_instalado())) return;
    c.projeto.nome_do_arquivo.clear();
    c.projeto.projeto_alterado = false;
    limpar_rede(c);
    Label1.Visible = false;
    BackColor = cor_de_fundo_fechado;
    aplicar_coluna_na_janela_principal(coluna_de_comandos::fechar);
    titular_as_oito_janelas(c.janelas, titulo_do_produto);
}

void tela_principal::sair() {
    if (!perguntar_se_salva(contexto(), observador_do_calculo_instalado())) return;
    nome_do_arquivo.clear();
    projeto_alterado = false;
    servicos().encerrar_programa();
}

void tela_principal::Form_Unload(Integer& cancelar) {
    // Fechar a janela é como "Sair"; "Cancelar" a mantém aberta. Durante um processamento a
    // janela não se fecha.
    if (recusado_pela_execucao() || !perguntar_se_salva(contexto(), observador_do_calculo_instalado())) {
        cancelar = 1;
        return;
    }
    nome_do_arquivo.clear();
    projeto_alterado = false;
    servicos().encerrar_programa();
}

void tela_principal::arquivo_novo_button_Click() { novo(contexto()); }
void tela_principal::mnuNovo_Click() { novo(contexto()); }
void tela_principal::arquivo_abrir_button_Click() { abrir(contexto()); }
void tela_principal::mnuAbrir_Click() { abrir(contexto()); }
void tela_principal::arquivo_fechar_button_Click() { fechar(contexto()); }
void tela_principal::mnuFechar_Click() { fechar(contexto()); }
void tela_principal::mnuSair_Click() { sair(); }

namespace {

// "Salvar" e "Salvar como": o pedido de um nome novo só fica quando o arquivo foi gravado.
void salvar_pedindo_nome(contexto_da_rede& c, bool pedir_nome) {
    const bool antes = c.projeto.salvar_como;
    c.projeto.salvar_como = pedir_nome;
    if (!salvar_pelas_janelas(c)) c.projeto.salvar_como = antes;
}

}  // namespace

void tela_principal::salvar_button_Click() { salvar_pedindo_nome(contexto(), false); }

void tela_principal::mnuSalvar_Click() { salvar_button_Click(); }

void tela_principal::mnuSalvar_como_Click() { salvar_pedindo_nome(contexto(), true); }

void tela_principal::construir_button_Click() {
    desenhando = true;
    Label1.Caption = "Desenho da rede:  " + nome_da_rede_dado;
    Label1.Left = Width / 2 - Label1.Width / 2;
    aplicar_coluna_na_janela_principal(coluna_de_comandos::desenhar);
}

void tela_principal::mnuDesenhar_Click() {
    desenhando = true;
    Label1.Visible = true;
    Label1.Caption = "Desenho da rede   " + nome_da_rede_dado;
    Label1.Left = tela().Width / 2 - Label1.Width / 2;
    aplicar_coluna_na_janela_principal(coluna_de_comandos::desenhar);
}

void tela_principal::calcular_geometria_dos_nos() {
    for (int n = 1; n <= max_nos; ++n) {
        if (!existe_no(n)) continue;
        const rotulo& r = apoio_no_label(n);
        x_do_no(n) = para_long(r.Width / 2 + r.Left);
        y_do_no(n) = para_long(r.Height / 2 + r.Top);
        raio_do_no(n) = para_long(static_cast<double>(r.Width) / std::sqrt(2.0));
    }
}

void tela_principal::esconder_marcas_e_selecoes() {
    no_selecionado = 0;
    for (rotulo* r : {&Label2, &Label3, &Label4, &Label5}) {
        r->Visible = false;
        r->Left = left_estacionado;
        r->Top = top_estacionado;
    }
    link_selecionado = 0;
    for (forma* f : {&Shape2, &Shape3}) {
        f->Visible = false;
        f->Left = left_estacionado;
        f->Top = top_estacionado;
    }
}

void tela_principal::terminar_construcao_button_Click() {
    desenhando = false;
    calcular_geometria_dos_nos();
    aplicar_coluna_na_janela_principal(coluna_de_comandos::encerrar);
    Label1.Caption = "Rede:  " + nome_da_rede_dado;
    esconder_marcas_e_selecoes();
}

void tela_principal::mnuEncerrarDesenho_Click() {
    desenhando = false;
    calcular_geometria_dos_nos();
    Label1.Visible = true;
    Label1.Caption = "Rede  " + nome_da_rede_dado;
    esconder_marcas_e_selecoes();
    aplicar_coluna_na_janela_principal(coluna_de_comandos::encerrar);
}

void tela_principal::processar_button_Click() {
    MousePointer = ponteiro_seta_e_ampulheta;
    parar_processamento = false;
    processando = true;
    aplicar_coluna_na_janela_principal(coluna_de_comandos::processar1);
    MousePointer = ponteiro_seta_e_ampulheta;
    processar_rede(contexto(), observador_do_calculo_instalado());
    processando = false;
    aplicar_coluna_na_janela_principal(coluna_de_comandos::processar2);
    MousePointer = ponteiro_padrao;
}

void tela_principal::parar_processamento_button_Click() {
    parar_processamento = true;
    processando = false;
    aplicar_coluna_na_janela_principal(coluna_de_comandos::parar);
    MousePointer = ponteiro_padrao;
}

// --- Criar, editar e eliminar ---

void tela_principal::criar_no() {
    no_selecionado = 0;
    link_selecionado = 0;
    inserir_no();
}

void tela_principal::criar_link(bool conversao) {
    no_selecionado = 0;
    link_selecionado = 0;
    link_de_conversao = conversao;
    inserir_link();
}

void tela_principal::editar_no() {
    if (no_selecionado != 0) frmEditarNo_versao2().Show();
}

void tela_principal::editar_link() {
    if (link_selecionado != 0) frmEditarLink_versao2().Show();
}

void tela_principal::apagar_no() {
    if (no_selecionado != 0) eliminar_no();
}

void tela_principal::apagar_link() {
    if (link_selecionado != 0) eliminar_link();
}

void tela_principal::inserir_no_button_Click() { criar_no(); }
void tela_principal::mnuInserirNo_Click() { criar_no(); }
void tela_principal::inserir_link_button_Click() { criar_link(false); }
void tela_principal::mnuInserirLink_Click() { criar_link(false); }
void tela_principal::mnuInserirLinkConversao_Click() { criar_link(true); }
void tela_principal::editar_no_button_Click() { editar_no(); }
void tela_principal::mnuEditarNo_Click() { editar_no(); }
void tela_principal::mnuEditarNoPop_Click() { editar_no(); }
void tela_principal::editar_link_button_Click() { editar_link(); }
void tela_principal::mnuEditarLink_Click() { editar_link(); }
void tela_principal::mnuEditarLinkPop_Click() { editar_link(); }
void tela_principal::eliminar_no_button_Click() { apagar_no(); }
void tela_principal::mnuEliminarNo_Click() { apagar_no(); }
void tela_principal::mnuEliminarNoPop_Click() { apagar_no(); }
void tela_principal::eliminar_link_button_Click() { apagar_link(); }
void tela_principal::mnuEliminarLink_Click() { apagar_link(); }
void tela_principal::mnuEliminarLinkPop_Click() { apagar_link(); }

}  // namespace orvel
