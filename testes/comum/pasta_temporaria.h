#pragma once
// Uma pasta temporária só do teste (os testes rodam em processos paralelos), apagada no fim.

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>

namespace orvel::teste {

class pasta_temporaria {
public:
    pasta_temporaria() {
        std::string modelo = (std::filesystem::temp_directory_path() / "orvel_teste_XXXXXX").string();
        if (mkdtemp(modelo.data()) == nullptr) throw std::runtime_error("mkdtemp");
        caminho_ = modelo;
    }
    ~pasta_temporaria() {
        std::error_code e;
        std::filesystem::permissions(caminho_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, e);
        std::filesystem::remove_all(caminho_, e);
    }
    pasta_temporaria(const pasta_temporaria&) = delete;
    pasta_temporaria& operator=(const pasta_temporaria&) = delete;

    const std::filesystem::path& caminho() const { return caminho_; }
    std::string arquivo(const std::string& nome) const { return (caminho_ / nome).string(); }

private:
    std::filesystem::path caminho_;
};

}  // namespace orvel::teste
