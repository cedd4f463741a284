#include "plataforma/servicos.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <system_error>

#include "plataforma/falha.h"

namespace orvel {

int servicos_sem_janela::caixa_de_mensagem(const std::string& texto, int estilo, const std::string& titulo) {
    std::cerr << (titulo.empty() ? std::string("ORVEL") : titulo) << ": " << texto << '\n';
    switch (estilo & 7) {
        case estilo_ok_cancelar:
        case estilo_sim_nao_cancelar: return resposta_cancelar;
        case estilo_sim_nao: return resposta_nao;
        default: return resposta_ok;
    }
}

void servicos_sem_janela::aviso_sem_esperar(const std::string& texto, const std::string& titulo) {
    caixa_de_mensagem(texto, estilo_ok, titulo);
}

void servicos_sem_janela::encerrar_programa() {
    std::fflush(nullptr);
    std::_Exit(0);
}

bool servicos_sem_janela::arquivo_existe(const std::string& caminho) {
    std::error_code e;
    return std::filesystem::is_regular_file(caminho, e);
}

void servicos_sem_janela::apagar_arquivo(const std::string& caminho) {
    std::error_code e;
    if (!std::filesystem::remove(caminho, e) || e) falhar(tipo_de_falha::erro_de_arquivo);
}

std::string servicos_sem_janela::pasta_do_programa() {
    std::error_code e;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", e);
    if (e) return std::filesystem::current_path(e).string();
    return exe.parent_path().string();
}

data_hora servicos_sem_janela::agora() {
    const std::time_t t = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm tm{};
    localtime_r(&t, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

double servicos_sem_janela::segundos_do_relogio() {
    static const auto inicio = std::chrono::steady_clock::now();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
}

void dialogo_de_impressora::ShowPrinter() { servicos().configurar_impressora(DialogTitle, Orientation); }

namespace {
servicos_sem_janela& padrao() {
    static servicos_sem_janela s;
    return s;
}
servicos_da_plataforma* em_uso = nullptr;
}  // namespace

servicos_da_plataforma& servicos() { return em_uso ? *em_uso : padrao(); }

void instalar_servicos(servicos_da_plataforma* s) { em_uso = s; }

}  // namespace orvel
