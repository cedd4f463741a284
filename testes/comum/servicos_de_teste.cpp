#include "comum/servicos_de_teste.h"

#include "plataforma/formularios.h"

#include <algorithm>

namespace orvel {

servicos_de_teste::servicos_de_teste() : anteriores_(&servicos()) { instalar_servicos(this); }

servicos_de_teste::~servicos_de_teste() {
    instalar_servicos(anteriores_ == this ? nullptr : anteriores_);
}

int servicos_de_teste::caixa_de_mensagem(const std::string& texto, int estilo, const std::string& titulo) {
    mensagens.push_back({texto, estilo, titulo, ponteiro_});
    registro.push_back("mensagem " + titulo);
    if (!respostas.empty()) {
        const int r = respostas.front();
        respostas.pop_front();
        return r;
    }
    if (resposta_padrao != 0) return resposta_padrao;
    switch (estilo & 7) {
        case estilo_ok_cancelar:
        case estilo_sim_nao_cancelar: return resposta_cancelar;
        case estilo_sim_nao: return resposta_nao;
        default: return resposta_ok;
    }
}

void servicos_de_teste::aviso_sem_esperar(const std::string& texto, const std::string& titulo) {
    mensagens.push_back({texto, estilo_ok, titulo, ponteiro_, true});
    registro.push_back("aviso " + titulo);
    if (std::find(avisos_abertos.begin(), avisos_abertos.end(), texto) == avisos_abertos.end())
        avisos_abertos.push_back(texto);
}

void servicos_de_teste::definir_ponteiro_da_tela(int codigo) {
    ponteiro_ = codigo;
    registro.push_back("ponteiro_da_tela " + std::to_string(codigo));
}

void servicos_de_teste::processar_eventos_pendentes() {
    ++eventos_processados;
    if (ao_processar_eventos) ao_processar_eventos();
}

void servicos_de_teste::encerrar_programa() {
    encerrado = true;
    registro.push_back("encerrar");
}

std::optional<std::string> servicos_de_teste::dialogo_abrir(const parametros_do_dialogo& p) {
    dialogos_abrir.push_back(p);
    registro.push_back("dialogo_abrir " + p.titulo);
    if (respostas_abrir.empty()) return std::nullopt;
    auto r = respostas_abrir.front();
    respostas_abrir.pop_front();
    return r;
}

std::optional<std::string> servicos_de_teste::dialogo_salvar(const parametros_do_dialogo& p) {
    dialogos_salvar.push_back(p);
    registro.push_back("dialogo_salvar " + p.titulo);
    if (respostas_salvar.empty()) return std::nullopt;
    auto r = respostas_salvar.front();
    respostas_salvar.pop_front();
    return r;
}

bool servicos_de_teste::arquivo_existe(const std::string& caminho) { return arquivos_.arquivo_existe(caminho); }

void servicos_de_teste::apagar_arquivo(const std::string& caminho) {
    registro.push_back("apagar " + caminho);
    arquivos_.apagar_arquivo(caminho);
}

void servicos_de_teste::configurar_impressora(const std::string& titulo, int orientacao) {
    impressoras_configuradas.push_back({titulo, orientacao});
    registro.push_back("configurar_impressora " + titulo);
}

void servicos_de_teste::imprimir_janela(formulario& janela) {
    janelas_impressas.push_back(janela.nome());
    registro.push_back("imprimir_janela " + janela.nome());
}

std::vector<std::string> servicos_de_teste::textos_das_mensagens() const {
    std::vector<std::string> t;
    for (const auto& m : mensagens) t.push_back(m.texto);
    return t;
}

}  // namespace orvel
