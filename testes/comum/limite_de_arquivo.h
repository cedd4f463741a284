#pragma once
// Simula um disco cheio: enquanto existe, nenhum arquivo deste processo passa de um tamanho
// (a escrita além dele falha em vez de encerrar o processo).

#include <signal.h>
#include <sys/resource.h>

#include <optional>
#include <stdexcept>

namespace orvel::teste {

class limite_de_arquivo {
public:
    explicit limite_de_arquivo(rlim_t bytes) {
        if (getrlimit(RLIMIT_FSIZE, &anterior_) != 0) throw std::runtime_error("getrlimit");
        sinal_anterior_ = signal(SIGXFSZ, SIG_IGN);
        rlimit novo = anterior_;
        novo.rlim_cur = bytes;
        if (setrlimit(RLIMIT_FSIZE, &novo) != 0) throw std::runtime_error("setrlimit");
    }
    ~limite_de_arquivo() {
        setrlimit(RLIMIT_FSIZE, &anterior_);
        signal(SIGXFSZ, sinal_anterior_);
    }
    limite_de_arquivo(const limite_de_arquivo&) = delete;
    limite_de_arquivo& operator=(const limite_de_arquivo&) = delete;

private:
    rlimit anterior_{};
    sighandler_t sinal_anterior_ = SIG_DFL;
};

// Roda f com o disco que só tem `bytes` livres; com 0, à vontade.
template <class F>
auto com_o_disco(rlim_t bytes, F&& f) {
    std::optional<limite_de_arquivo> disco_cheio;
    if (bytes > 0) disco_cheio.emplace(bytes);
    return f();
}

}  // namespace orvel::teste
