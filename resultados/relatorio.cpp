#include "resultados/relatorio.h"

#include <filesystem>

#include "editor/janelas.h"
#include "modelo/rede.h"
#include "editor/desenho_da_rede.h"
#include "plataforma/falha.h"
#include "plataforma/relatorio_xslt.h"
#include "plataforma/servicos.h"
#include "plataforma/textos.h"

namespace orvel {

janela_relatorio& relatorio_unico() { return formulario_unico<janela_relatorio>(); }

formulario& frmBrowse() { return relatorio_unico(); }

void frmBrowse_Atualiza() { relatorio_unico().Atualiza(); }

janela_relatorio::janela_relatorio() : janela_com_navegador("frmBrowse") {
    Caption = titulo_das_janelas();
    WebBrowser1.mostra_projeto = true;
}

// Uma falha ao navegar é relatada com o título da janela.
void janela_relatorio::Atualiza(const std::string& /*SelLocal*/) {
    com_codigo(Caption, [&] { WebBrowser1.Navigate(nome_do_arquivo); });
}

namespace {

void avisar(const std::string& texto) { servicos().caixa_de_mensagem(texto, estilo_ok, "Aviso"); }

std::string sem_relatorio(const std::string& caminho) {
    return "não foi possível montar o relatório do arquivo " + parte_do_nome_do_arquivo(caminho);
}

// A página, ou o "Aviso" que diz por que não há uma (e nullopt).
std::optional<std::string> montar_pagina(const std::string& caminho) {
    std::string aviso;
    try {
        return relatorio_em_html(caminho, servicos().pasta_do_programa());
    } catch (const falha& f) {
        aviso = f.tipo() == tipo_de_falha::erro_de_arquivo ? "não foi possível ler o arquivo " + parte_do_nome_do_arquivo(caminho)
                                                            : sem_relatorio(caminho);
    } catch (...) {
        aviso = sem_relatorio(caminho);
    }
    avisar(aviso);
    return std::nullopt;
}

}  // namespace

std::optional<std::string> pagina_do_relatorio(const std::string& caminho) {
    std::error_code e;
    if (caminho.empty() || !std::filesystem::exists(caminho, e)) return std::nullopt;
    return montar_pagina(caminho).value_or(std::string());
}

bool relatorio_pode_ser_mostrado() {
    std::error_code e;
    if (nome_do_arquivo.empty()) {
        avisar("não foi possível montar o relatório: o projeto ainda não foi salvo");
        return false;
    }
    if (!std::filesystem::exists(nome_do_arquivo, e)) {
        avisar(sem_relatorio(nome_do_arquivo));
        return false;
    }
    return montar_pagina(nome_do_arquivo).has_value();
}

}  // namespace orvel
