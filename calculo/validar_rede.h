#pragma once

#include "calculo/rede_em_calculo.h"

namespace orvel {

// Confere a rede entrada antes de processá-la ("Erro 154"). Roda todas as verificações, na
// ordem fixa, sobre todos os nós e links em uso, e mostra um "Aviso" para cada problema
// encontrado. Só escreve dados_ok: True quando nada falhou. Uma falha inesperada no meio da
// conferência deixa dados_ok False, para que uma rede conferida pela metade nunca seja
// processada.
void validar_rede(const rede_em_calculo& ctx);

}  // namespace orvel
