#pragma once
// Uma FIFO (mkfifo) na pasta do teste e uma guarda para a ação que tenta lê-la: a ação roda
// noutra linha de execução; se ficar presa à espera de quem escreva, a guarda abre a outra
// ponta da FIFO e a fecha, a ação volta, e o teste falha em vez de ficar parado.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <stdexcept>
#include <string>

namespace orvel::teste {

class fifo_de_teste {
public:
    explicit fifo_de_teste(std::string caminho) : caminho_(std::move(caminho)) {
        if (::mkfifo(caminho_.c_str(), 0600) != 0) throw std::runtime_error("mkfifo");
    }
    const std::string& caminho() const { return caminho_; }

    // True quando a ação voltou sozinha; false (com a ação já destravada) quando ficou presa.
    template <class Acao>
    bool volta_sem_bloquear(Acao&& acao) const {
        auto feita = std::async(std::launch::async, std::forward<Acao>(acao));
        // Só uma guarda contra travar: a ação certa volta na hora.
        if (feita.wait_for(std::chrono::seconds(20)) == std::future_status::ready) {
            feita.get();
            return true;
        }
        // Presa no open ou no read: quem escreve abre e fecha, a leitura recebe o fim.
        for (;;) {
            const int fd = ::open(caminho_.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) ::close(fd);
            if (feita.wait_for(std::chrono::milliseconds(50)) == std::future_status::ready) break;
        }
        feita.get();
        return false;
    }

private:
    std::string caminho_;
};

}  // namespace orvel::teste
