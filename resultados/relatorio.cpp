#include "resultados/relatorio.h"

#include <filesystem>

#include "editor/janelas.h"
#include "modelo/rede.h"
#include "modelo/tela_principal.h"
#include "plataforma/falha.h"
#include "plataforma/relatorio_xslt.h"
#include "plataforma/servicos.h"
#include "plataforma/textos.h"

namespace orvel {

janela_relatorio& relatorio_unico() { return formulario_unico<janela_relatorio>(); }

formulario& frmBrowse() { return relatorio_unico(); }

void frmBrowse_Atualiza() { relatorio_unico().Atualiza(); }

janela_relatorio::janela_relatorio() : janela_com_navegador("frmBrowse") {
    Caption = titulo_do_produto;
    WebBrowser1.mostra_projeto = true;
}

// Uma falha ao navegar é relatada com o título da janela.
void janela_relatorio::Atualiza(const std::string& /*SelLocal*/) {
    com_codigo(Caption, [&] { WebBrowser1.Navigate(nome_do_arquivo); });
}

std::optional<std::string> pagina_do_relatorio(const std::string& caminho) {
    std::error_code e;
    if (caminho.empty() || !std::filesystem::exists(caminho, e)) return std::nullopt;
    const std::string nome = parte_do_nome_do_arquivo(caminho);
    std::string aviso;
    try {
        return relatorio_em_html(caminho, servicos().pasta_do_programa());
    } catch (const falha& f) {
        aviso = f.tipo() == tipo_de_falha::erro_de_arquivo ? "não foi possível ler o arquivo " + nome
                                                            : "não foi possível montar o relatório do arquivo " + nome;
    } catch (...) {
        aviso = "não foi possível montar o relatório do arquivo " + nome;
    }
    servicos().caixa_de_mensagem(aviso, estilo_ok, "Aviso");
    return std::string();
}

}  // namespace orvel
