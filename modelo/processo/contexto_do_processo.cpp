#include "modelo/contexto_do_processo.h"

namespace orvel {

contexto_da_rede contexto_global;

}  // namespace orvel
